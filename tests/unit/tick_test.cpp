#include "app/tick.h"

#include <gtest/gtest.h>

#include "calendar/holidays.h"
#include "calendar/style_change.h"
#include "calendar/time_slots.h"
#include "calendar/world_clock.h"

namespace tdialix {
namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  return *TryEncodeDateTime({year, month, day}, {hour, minute, second, 0});
}

TEST(PlanTick, DayAndSecondWork) {
  const struct {
    TDateTime Now;
    bool Initialize;
    TTickWork Work;
  } steps[] = {
      {At(2026, 12, 10, 23, 59, 5), false, {true, true, true}},    // the first tick: a new day
      {At(2026, 12, 10, 23, 59, 5), false, {false, false, false}}, // the same second: nothing but drawing
      {At(2026, 12, 10, 23, 59, 6), false, {false, false, true}},  // a new second
      {At(2026, 12, 10, 23, 59, 6), true, {true, false, true}},    // initialising: texts and holidays again, applied changes kept
      {At(2026, 12, 11, 0, 0, 0), false, {true, true, true}},      // midnight: today's changes may apply again
      {At(2026, 12, 11, 0, 0, 0), true, {true, false, true}},
      {At(2026, 12, 11, 0, 0, 1), false, {false, false, true}},
      // Initialising on another date (the world clock moved it): a new day.
      {At(2026, 12, 12, 0, 0, 1), true, {true, true, true}},
      {At(2026, 12, 11, 0, 0, 1), true, {true, true, true}},
      // Waking a month later to the day, at the same second: a new day all the same.
      {At(2027, 1, 11, 0, 0, 1), false, {true, true, false}},
      // The clock set back a day: that date is decided anew too.
      {At(2027, 1, 10, 0, 0, 2), false, {true, true, true}},
  };
  TTickCalendar saved;
  int n = 0;
  for (const auto& step : steps) {
    EXPECT_EQ(PlanTick(saved, step.Now, step.Initialize), step.Work) << "step " << n;
    EXPECT_EQ(saved.SaveAdjustedD, SplitDateTime(step.Now).Day);
    EXPECT_EQ(saved.SaveAdjustedS, DecodeTime(step.Now).Second);
    ++n;
  }
}

TEST(PlanTick, AnInitialisingTickKeepsTodaysAppliedChanges) {
  std::vector<TChangeTime> list = {{dtWeekDay, L"a.dlx", 7.0 / 24, true}, {dtWeekDay, L"b.dlx", 19.0 / 24, false}};
  TTickCalendar saved;
  PlanTick(saved, At(2026, 12, 10, 12, 0, 0), false);
  const TTickWork work = PlanTick(saved, At(2026, 12, 10, 12, 0, 0), true);  // a style was just applied
  EXPECT_TRUE(work.NewDay);
  EXPECT_TRUE(work.NewSecond);
  if (work.ClearChanged) ClearChanged(list);
  EXPECT_TRUE(list[0].Changed);
  if (PlanTick(saved, At(2026, 12, 11, 0, 0, 0), false).ClearChanged) ClearChanged(list);
  EXPECT_FALSE(list[0].Changed);
}

// A world clock shifted over midnight gives its place's day: the holiday state,
// the day type and the automatic changes follow the displayed date.
TEST(PlanTick, TheDaysWorkFollowsTheDisplayedDate) {
  const TWorldClock aheadOneHour{wcManual, 1.0 / 24, wcInc, L""};
  const TDateTime local = At(2026, 12, 31, 23, 30, 0);  // Thursday
  std::vector<TChangeTime> list = {{dtHoliday, L"a.dlx", 0.0, true}};
  TTickCalendar saved;
  PlanTick(saved, local, false);

  const TDateTime shown = DisplayedTime(local, local - 9.0 / 24, aheadOneHour, -540, nullptr);
  const TTickWork work = PlanTick(saved, shown, false);
  EXPECT_TRUE(work.NewDay);
  if (work.ClearChanged) ClearChanged(list);
  EXPECT_FALSE(list[0].Changed);
  const bool holiday = IsHolidayDate(DefaultHolidays(), shown);  // 元日 there
  EXPECT_TRUE(holiday);
  EXPECT_EQ(DayTypeOf(shown, holiday), dtHoliday);
  EXPECT_EQ(ChooseChangeTime(list, shown, DayTypeOf(shown, holiday)), std::optional<size_t>(0));
}

}  // namespace
}  // namespace tdialix
