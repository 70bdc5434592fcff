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
  } cases[] = {{0, 0}, {62, 31}, {125, 128}, {187, 222}, {250, 255}, {1000, 255},
               {-5, 255}};  // begun "after" now: the clock went back, the fade is over
  for (const auto& c : cases) EXPECT_EQ(FadeInAlpha(c.Ms), c.Alpha) << c.Ms;
}

}  // namespace
}  // namespace tdialix

namespace tdialix {
namespace {

double Clock(int s, int ms) { return *TryEncodeDateTime({2026, 12, 10}, {9, 0, s, ms}); }

TEST(VisibilityStep, WithoutFadingClocksShowAndHideAtOnce) {
  TVisibilityState state;
  TVisibilityInput input;
  input.DigitTime = Clock(0, 0);
  std::vector<TClockState> clocks(2);
  clocks[1].Placed = false;  // no clock on the second monitor
  auto actions = VisibilityStep(state, input, clocks);
  EXPECT_TRUE(state.Visible);
  EXPECT_EQ(actions[0], (TClockAction{true, true, true, true, false}));  // reset, drawn with force, shown
  EXPECT_EQ(actions[1], (TClockAction{true, true, true, false, false}));

  // Out of the time slot: hidden, but only when the second changes.
  clocks[0].Shown = true;
  input.InTimeSlot = false;
  input.DigitTime = Clock(0, 500);
  VisibilityStep(state, input, clocks);
  EXPECT_TRUE(state.Visible);
  input.DigitTime = Clock(1, 0);
  actions = VisibilityStep(state, input, clocks);
  EXPECT_FALSE(state.Visible);
  EXPECT_TRUE(actions[0].Hide);
  EXPECT_EQ(state.SaveSwitchingAlphaBlend, 255);

  // A clock being dragged, or a click on the icon, keeps the clocks visible.
  clocks[0].SizeMoving = true;
  input.DigitTime = Clock(2, 0);
  VisibilityStep(state, input, clocks);
  EXPECT_TRUE(state.Visible);
  clocks[0].SizeMoving = false;
  input.TempVisible = true;
  input.DigitTime = Clock(3, 0);
  VisibilityStep(state, input, clocks);
  EXPECT_TRUE(state.Visible);

  // Plug-ins can keep hidden clocks hidden.
  TVisibilityState vetoed;
  TVisibilityInput veto;
  veto.PluginVisible = false;
  EXPECT_FALSE(VisibilityStep(vetoed, veto, {TClockState{}})[0].Show);
}

TEST(VisibilityStep, FadingInAndOutTakes250Milliseconds) {
  TVisibilityState state;
  TVisibilityInput input;
  input.FadeSwitching = true;
  std::vector<TClockState> clocks(1);
  input.DigitTime = Clock(0, 0);
  VisibilityStep(state, input, clocks);  // the fade starts
  EXPECT_EQ(state.SaveSwitchingTime, Clock(0, 0));
  EXPECT_EQ(state.SaveSwitchingAlphaBlend, 0);
  clocks[0].Shown = true;
  const struct {
    int Ms, Alpha;
  } in[] = {{62, 31}, {125, 128}, {187, 222}, {250, 255}};
  for (const auto& step : in) {
    input.DigitTime = Clock(0, step.Ms);
    VisibilityStep(state, input, clocks);
    EXPECT_EQ(state.SaveSwitchingAlphaBlend, step.Alpha) << step.Ms;
  }
  EXPECT_FALSE(state.Hiding);

  // Leaving the slot starts the fade-out at full opacity ...
  input.InTimeSlot = false;
  input.DigitTime = Clock(1, 0);
  auto actions = VisibilityStep(state, input, clocks);
  EXPECT_TRUE(state.Hiding);
  EXPECT_EQ(state.SaveSwitchingAlphaBlend, 255);
  EXPECT_TRUE(actions[0].Draw);
  // ... and hides the clock when it reaches nothing.
  input.DigitTime = Clock(1, 125);
  VisibilityStep(state, input, clocks);
  EXPECT_EQ(state.SaveSwitchingAlphaBlend, 127);
  input.DigitTime = Clock(1, 250);
  actions = VisibilityStep(state, input, clocks);
  EXPECT_EQ(state.SaveSwitchingAlphaBlend, 0);
  EXPECT_TRUE(actions[0].Hide);
  EXPECT_EQ(state.SaveSwitchingTime, MinDateTime);
}

// A fade between visible and hidden that is running when the system clock
// goes back ends at once, in both directions.
TEST(VisibilityStep, AFadeEndsAtOnceWhenTheClockGoesBack) {
  for (const int jump : {1000, 3600 * 1000}) {
    TVisibilityState state;
    TVisibilityInput input;
    input.FadeSwitching = true;
    std::vector<TClockState> clocks(1);
    input.DigitTime = Clock(30, 0);
    VisibilityStep(state, input, clocks);  // fading in
    clocks[0].Shown = true;
    input.DigitTime = Clock(30, 100);
    VisibilityStep(state, input, clocks);
    ASSERT_LT(state.SaveSwitchingAlphaBlend, 255);
    input.DigitTime = IncMilliSecond(Clock(30, 100), -jump);
    VisibilityStep(state, input, clocks);
    EXPECT_EQ(state.SaveSwitchingAlphaBlend, 255) << "back " << jump << " ms";
    EXPECT_FALSE(state.Hiding);

    input.InTimeSlot = false;  // fading out
    input.DigitTime = Clock(40, 0);
    VisibilityStep(state, input, clocks);
    input.DigitTime = Clock(40, 100);
    VisibilityStep(state, input, clocks);
    ASSERT_GT(state.SaveSwitchingAlphaBlend, 0);
    input.DigitTime = IncMilliSecond(Clock(40, 100), -jump);
    const auto actions = VisibilityStep(state, input, clocks);
    EXPECT_EQ(state.SaveSwitchingAlphaBlend, 0) << "back " << jump << " ms";
    EXPECT_TRUE(actions[0].Hide);
  }
}

}  // namespace
}  // namespace tdialix
