#include "app/tick.h"

#include <gtest/gtest.h>

#include "calendar/style_change.h"

namespace tdialix {
namespace {

// 2026-12-10 at the given time of day.
TDateTime At(int hour, int minute, int second, int ms = 0) {
  return *TryEncodeDateTime({2026, 12, 10}, {hour, minute, second, ms});
}

TEST(PlanTick, DayAndSecondWork) {
  const struct {
    TDateTime Now;
    bool Initialize;
    TTickWork Work;
  } steps[] = {
      {At(23, 59, 5), false, {true, true, true}},           // the first tick: a new day
      {At(23, 59, 5, 500), false, {false, false, false}},   // the same second: nothing but drawing
      {At(23, 59, 6), false, {false, false, true}},         // a new second
      {At(23, 59, 6, 10), true, {true, false, true}},       // initialising: texts and holidays again, applied changes kept
      {At(23, 59, 6) + 1, false, {true, true, true}},       // midnight: today's changes may apply again
      {At(23, 59, 6) + 1, true, {true, false, true}},
      {At(23, 59, 7) + 1, false, {false, false, true}},
      // A tick a minute later at the same second of the minute is a new second,
      // and one a month later on the same day of the month a new day.
      {At(0, 0, 7) + 1, false, {false, false, true}},
      {At(0, 0, 7) + 32, false, {true, true, true}},
  };
  TTickCalendar saved;
  int n = 0;
  for (const auto& step : steps) {
    EXPECT_EQ(PlanTick(saved, step.Now, step.Initialize), step.Work) << "step " << n;
    ++n;
  }
}

TEST(PlanTick, AnInitialisingTickKeepsTodaysAppliedChanges) {
  std::vector<TChangeTime> list = {{dtWeekDay, L"a.dlx", 7.0 / 24, true}, {dtWeekDay, L"b.dlx", 19.0 / 24, false}};
  TTickCalendar saved;
  PlanTick(saved, At(10, 0, 0), false);
  const TTickWork work = PlanTick(saved, At(10, 0, 0), true);  // a style was just applied
  EXPECT_TRUE(work.NewDay);
  EXPECT_TRUE(work.NewSecond);
  if (work.ClearChanged) ClearChanged(list);
  EXPECT_TRUE(list[0].Changed);
  if (PlanTick(saved, At(10, 0, 0) + 1, false).ClearChanged) ClearChanged(list);
  EXPECT_FALSE(list[0].Changed);
}

}  // namespace
}  // namespace tdialix
