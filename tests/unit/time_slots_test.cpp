#include "calendar/time_slots.h"

#include <gtest/gtest.h>

#include "app/tick.h"

namespace tdialix {
namespace {

double Time(int h, int m, int s, int ms = 0) { return *TryEncodeTime(h, m, s, ms); }

TEST(TimeSlots, AWeekdaySlotFromNineToFive) {
  const std::vector<TVisibleTimeSlot> slots = {{dtWeekDay, Time(9, 0, 0), Time(17, 0, 0)}};
  const double thursday = *TryEncodeDate(2026, 12, 10);
  const struct {
    double Time;
    bool Visible;
  } cases[] = {
      {Time(8, 59, 59, 999), false}, {Time(9, 0, 0), true}, {Time(12, 0, 0), true},
      {Time(16, 59, 59), true},      {Time(16, 59, 59, 999), true}, {Time(17, 0, 0), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InVisibleTimeSlot(slots, thursday + c.Time, DayTypeOf(thursday, false)), c.Visible) << c.Time;
  }
  const double saturday = *TryEncodeDate(2026, 12, 12);
  EXPECT_FALSE(InVisibleTimeSlot(slots, saturday + Time(12, 0, 0), DayTypeOf(saturday, false)));
  EXPECT_FALSE(InVisibleTimeSlot(slots, thursday + Time(12, 0, 0), DayTypeOf(thursday, true)));  // a holiday
  EXPECT_TRUE(InVisibleTimeSlot({}, saturday, dtSaturday));  // no slots: always
}

TEST(TimeSlots, DayTypes) {
  EXPECT_EQ(DayTypeOf(*TryEncodeDate(2026, 12, 12), false), dtSaturday);
  EXPECT_EQ(DayTypeOf(*TryEncodeDate(2026, 12, 13), false), dtSunday);
  EXPECT_EQ(DayTypeOf(*TryEncodeDate(2026, 12, 14), false), dtWeekDay);
  EXPECT_EQ(DayTypeOf(*TryEncodeDate(2026, 12, 13), true), dtHoliday);
}

TEST(FadeSwitching, RampOf250Milliseconds) {
  const struct {
    long long Ms;
    int Alpha;
  } cases[] = {{-5, 0}, {0, 0}, {62, 31}, {125, 128}, {187, 222}, {250, 255}, {1000, 255}};
  for (const auto& c : cases) EXPECT_EQ(FadeInAlpha(c.Ms), c.Alpha) << c.Ms;
}

}  // namespace
}  // namespace tdialix
