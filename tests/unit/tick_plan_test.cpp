#include "app/tick_plan.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tdialix {
namespace {

// 2026-12-10 at the given time of day.
TDateTime At(int hour, int minute, int second, int ms = 0) {
  return *TryEncodeDateTime({2026, 12, 10}, {hour, minute, second, ms});
}

std::int64_t Ms(TDateTime value) { return SplitDateTime(value).Day * MSecsPerDay + SplitDateTime(value).MilliSeconds; }

TStyle WithSeconds() {
  TStyle style;
  style.ShowSecond = true;
  return style;
}

TEST(PlanNextTick, SleepsUntilTheNextChangeOrTicksEveryIntervalWhileSomethingMoves) {
  const TStyle seconds = WithSeconds();
  const TStyle minutes;  // the default style shows hours and minutes
  TStyle hoursOnly;
  hoursOnly.ShowMinute = false;
  TStyle nothing = hoursOnly;
  nothing.ShowHour = hfNone;
  TStyle fadeCross = seconds;  // speed 90: 600 ms a change, the digits 300 ms ahead
  fadeCross.AnimationType = atFadeCross;
  TStyle flash500 = seconds;
  flash500.FlashColonType = fc500ms;
  TStyle flash250 = minutes;
  flash250.FlashColonType = fc250ms;
  TStyle smoothFlash = minutes;  // the colon runs 125 ms ahead to centre its fade
  smoothFlash.FlashColonType = fc1000ms;
  smoothFlash.FlashColonSmooth = true;
  TStyle toggle = minutes;
  toggle.FlashColonType = fc1000ms;
  toggle.FlashColonToggle = true;
  const std::vector<TVisibleTimeSlot> slots = {{dtWeekDay, 8.0 / 24, 17.0 / 24}};
  const std::vector<TChangeTime> changes = {{dtWeekDay, L"night.dlx", (19 * 60 + 30) / 1440.0}};

  const TDateTime origin = At(12, 0, 0);
  const struct {
    const char* Name;
    TDateTime Now;
    const TStyle* Style;
    unsigned Interval;
    TTickMotion Motion;
    bool EverySecond;
    bool VisibilityDue;
    const std::vector<TVisibleTimeSlot>* Slots;
    const std::vector<TChangeTime>* Changes;
    TDateTime Due;
    bool EveryInterval;
  } cases[] = {
      {"idle with seconds", At(12, 0, 0, 400), &seconds, 40, {}, false, false, nullptr, nullptr, At(12, 0, 1), false},
      {"the timer's grid: the first tick at or after the change", At(12, 0, 0, 400), &seconds, 32, {}, false, false,
       nullptr, nullptr, At(12, 0, 1, 24), false},
      {"exactly at a change: the next one", At(12, 0, 1), &seconds, 40, {}, false, false, nullptr, nullptr,
       At(12, 0, 2), false},
      {"a digit animation", At(12, 0, 0, 400), &seconds, 32, {true}, false, false, nullptr, nullptr,
       At(12, 0, 0, 416), true},
      {"a fade between shown and hidden", At(12, 0, 0, 400), &seconds, 32, {false, true}, false, false, nullptr,
       nullptr, At(12, 0, 0, 416), true},
      {"a hide fade", At(12, 0, 0, 400), &seconds, 32, {false, false, true}, false, false, nullptr, nullptr,
       At(12, 0, 0, 416), true},
      {"a hole following the pointer", At(12, 0, 0, 400), &seconds, 32, {false, false, false, true}, false, false,
       nullptr, nullptr, At(12, 0, 0, 416), true},
      {"shown for a moment", At(12, 0, 0, 400), &seconds, 32, {false, false, false, false, true}, false, false,
       nullptr, nullptr, At(12, 0, 0, 416), true},
      {"dragged", At(12, 0, 0, 400), &seconds, 32, {false, false, false, false, false, true}, false, false, nullptr,
       nullptr, At(12, 0, 0, 416), true},
      {"a clock fading out of a full-screen program's way", At(12, 0, 0, 400), &seconds, 32, {.CoverFading = true},
       false, false, nullptr, nullptr, At(12, 0, 0, 416), true},
      {"right after an initialising tick", At(12, 0, 0, 400), &seconds, 32, {.Initialized = true}, false, false,
       nullptr, nullptr, At(12, 0, 0, 416), true},
      {"power saving doubles the interval", At(12, 0, 0, 400), &seconds, 64, {true}, false, false, nullptr, nullptr,
       At(12, 0, 0, 448), true},
      {"minutes only", At(12, 0, 0, 400), &minutes, 40, {}, false, false, nullptr, nullptr, At(12, 1, 0), false},
      {"hours only: asleep until the next minute", At(12, 0, 0, 400), &hoursOnly, 40, {}, false, false, nullptr,
       nullptr, At(12, 1, 0), false},
      {"nothing shown: asleep until the next minute", At(12, 0, 0, 400), &nothing, 40, {}, false, false, nullptr,
       nullptr, At(12, 1, 0), false},
      {"digits running ahead change 300 ms early", At(12, 0, 0, 400), &fadeCross, 40, {}, false, false, nullptr,
       nullptr, At(12, 0, 0, 720), false},
      {"a colon flashing every 500 ms", At(12, 0, 0, 100), &flash500, 40, {}, false, false, nullptr, nullptr,
       At(12, 0, 0, 520), false},
      {"a colon flashing every 250 ms", At(12, 0, 0, 100), &flash250, 40, {}, false, false, nullptr, nullptr,
       At(12, 0, 0, 280), false},
      {"a smooth colon 125 ms ahead", At(12, 0, 0, 100), &smoothFlash, 40, {}, false, false, nullptr, nullptr,
       At(12, 0, 0, 880), false},
      {"a toggled colon's half changes at 30 s", At(12, 0, 29, 950), &toggle, 10, {}, false, false, nullptr, nullptr,
       At(12, 0, 30), false},
      {"plug-ins: every second", At(12, 0, 0, 400), &minutes, 40, {}, true, false, nullptr, nullptr, At(12, 0, 1),
       false},
      {"the clocks show or hide at the next second", At(12, 0, 0, 400), &minutes, 40, {}, false, true, nullptr,
       nullptr, At(12, 0, 1), false},
      {"a time slot ending at 17:00", At(16, 59, 30), &hoursOnly, 40, {}, false, false, &slots, nullptr,
       At(17, 0, 0), false},
      {"a time slot starting at 8:00", At(7, 59, 50, 10), &nothing, 10, {}, false, false, &slots, nullptr,
       At(8, 0, 0), false},
      {"an automatic style change at 19:30", At(19, 29, 59, 500), &hoursOnly, 10, {}, false, false, nullptr,
       &changes, At(19, 30, 0), false},
      {"midnight: a new day", At(23, 59, 40), &hoursOnly, 10, {}, false, false, nullptr, nullptr, At(0, 0, 0) + 1,
       false},
  };
  for (const auto& c : cases) {
    TTickPlanInput input;
    input.Now = c.Now;
    input.Interval = c.Interval;
    input.GridOrigin = origin;
    input.Motion = c.Motion;
    input.Style = c.Style;
    input.EverySecond = c.EverySecond;
    input.VisibilityDue = c.VisibilityDue;
    input.Slots = c.Slots;
    input.Changes = c.Changes;
    const TTickPlan plan = PlanNextTick(input);
    EXPECT_EQ(Ms(plan.Due), Ms(c.Due)) << c.Name;
    EXPECT_EQ(plan.DelayMs, Ms(c.Due) - Ms(c.Now)) << c.Name;
    EXPECT_EQ(plan.EveryInterval, c.EveryInterval) << c.Name;
  }
}

// The planner works in the displayed time, which the system clock may move:
// at the change to daylight time local time leaps from 1:59:59 to 3:00:00,
// and back at its end. Whatever the clock did, the next tick is planned from
// the time the tick finds, never from where the last plan expected it.
TEST(PlanNextTick, FollowsTheClockAcrossDaylightTimeAndTimeChanges) {
  const TStyle minutes;
  const TStyle seconds = WithSeconds();
  const struct {
    const char* Name;
    const TStyle* Style;
    TDateTime Planned;  // where the last plan was made
    TDateTime Found;    // the time the tick finds when it wakes
    TDateTime Due;      // the tick after it
  } cases[] = {
      // Planned for 2:00, which never comes: the tick wakes at 3:00 and shows it.
      {"into daylight time", &minutes, At(1, 59, 30), At(3, 0, 0), At(3, 1, 0)},
      {"out of daylight time", &minutes, At(2, 59, 30), At(2, 0, 0), At(2, 1, 0)},
      // A time-change message wakes the tick at once; its plan starts from the new time.
      {"the time set back", &seconds, At(12, 0, 0, 500), At(11, 0, 0, 250), At(11, 0, 1)},
      {"the time set forward", &seconds, At(12, 0, 0, 500), At(13, 30, 0, 750), At(13, 30, 1)},
  };
  for (const auto& c : cases) {
    TTickPlanInput input;
    input.Style = c.Style;
    input.Interval = 10;
    input.GridOrigin = At(0, 0, 0);
    input.Now = c.Planned;
    const TTickPlan before = PlanNextTick(input);
    EXPECT_GT(before.DelayMs, 0) << c.Name;
    input.Now = c.Found;
    const TTickPlan after = PlanNextTick(input);
    EXPECT_EQ(Ms(after.Due), Ms(c.Due)) << c.Name;
    EXPECT_GT(after.DelayMs, 0) << c.Name;
    EXPECT_LE(after.DelayMs, 60'000) << c.Name;
  }
}

TEST(FormatShowsSeconds, OnlyFormatsWithSecondsNeedATickEverySecond) {
  const TFormatSettings formats;
  EXPECT_TRUE(FormatShowsSeconds(L"hh:nn:ss", formats));
  EXPECT_TRUE(FormatShowsSeconds(L"yyyy/mm/dd|tt", formats));  // the long time format has seconds
  EXPECT_FALSE(FormatShowsSeconds(L"yyyy/mm/dd hh:nn", formats));
  EXPECT_FALSE(FormatShowsSeconds(L"", formats));  // the long date format
}

}  // namespace
}  // namespace tdialix
