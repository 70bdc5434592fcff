#include "app/tick.h"

#include <gtest/gtest.h>

#include "calendar/style_change.h"

namespace tdialix {
namespace {

TEST(PlanTick, DayAndSecondWork) {
  const struct {
    int Day, Second;
    bool Initialize;
    TTickWork Work;
  } steps[] = {
      {10, 5, false, {true, true, true}},    // the first tick: a new day
      {10, 5, false, {false, false, false}}, // the same second: nothing but drawing
      {10, 6, false, {false, false, true}},  // a new second
      {10, 6, true, {true, false, true}},    // initialising: texts and holidays again, applied changes kept
      {11, 0, false, {true, true, true}},    // midnight: today's changes may apply again
      {11, 0, true, {true, false, true}},
      {11, 1, false, {false, false, true}},
  };
  TTickCalendar saved;
  int n = 0;
  for (const auto& step : steps) {
    EXPECT_EQ(PlanTick(saved, step.Day, step.Second, step.Initialize), step.Work) << "step " << n;
    EXPECT_EQ(saved.SaveAdjustedD, step.Day);
    EXPECT_EQ(saved.SaveAdjustedS, step.Second);
    ++n;
  }
}

TEST(PlanTick, AnInitialisingTickKeepsTodaysAppliedChanges) {
  std::vector<TChangeTime> list = {{dtWeekDay, L"a.dlx", 7.0 / 24, true}, {dtWeekDay, L"b.dlx", 19.0 / 24, false}};
  TTickCalendar saved;
  PlanTick(saved, 10, 0, false);
  const TTickWork work = PlanTick(saved, 10, 0, true);  // a style was just applied
  EXPECT_TRUE(work.NewDay);
  EXPECT_TRUE(work.NewSecond);
  if (work.ClearChanged) ClearChanged(list);
  EXPECT_TRUE(list[0].Changed);
  if (PlanTick(saved, 11, 0, false).ClearChanged) ClearChanged(list);
  EXPECT_FALSE(list[0].Changed);
}

}  // namespace
}  // namespace tdialix
