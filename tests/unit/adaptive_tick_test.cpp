// A clock that sleeps until something changes shows exactly what a clock
// ticking every interval shows: an hour of simulated ticks, side by side.
#include <gtest/gtest.h>

#include "../support/tick_simulation.h"
#include "base/text.h"

namespace tdialix {
namespace {

struct TSideBySide {
  long long FixedTicks = 0;
  long long AdaptiveTicks = 0;
  long long AnimatedTicks = 0;  // fixed ticks at which a cell was changing
};

// Runs both clocks from start for the given time: the fixed one at every
// interval, the other when its planner says. At every fixed tick the
// sleeping clock shows the same string and the same frame.
TSideBySide RunSideBySide(const TStyle& style, TDateTime start, int minutes, bool everySecond = false) {
  constexpr unsigned kInterval = 32;
  const TGlyphStrip strip = SimulatedStrip(style, 300);
  TSimulatedClock fixed(style, &strip, kInterval, start);
  TSimulatedClock adaptive(style, &strip, kInterval, start);
  fixed.EverySecond = adaptive.EverySecond = everySecond;
  TSideBySide result;
  const std::int64_t ticks = static_cast<std::int64_t>(minutes) * 60'000 / kInterval;
  TDateTime nextAdaptive = start;
  for (std::int64_t k = 0; k < ticks; ++k) {
    const TDateTime t = IncMilliSecond(start, k * kInterval);
    fixed.Tick(t);
    // The sleeping clock ticks only on the fixed clock's ticks, never between.
    EXPECT_GE(nextAdaptive, t - 0.5 / MSecsPerDay) << "a tick off the timer's grid";
    if (std::llround((nextAdaptive - t) * MSecsPerDay) == 0) {
      adaptive.Tick(t);
      nextAdaptive = adaptive.Plan(t).Due;
    }
    if (fixed.Animating()) ++result.AnimatedTicks;
    if (fixed.NowText != adaptive.NowText || fixed.FrameHash != adaptive.FrameHash) {
      ADD_FAILURE() << "the clocks differ " << k * kInterval << " ms after the start: \""
                    << WideToUtf8(fixed.NowText) << "\" and \"" << WideToUtf8(adaptive.NowText) << "\"";
      break;
    }
  }
  result.FixedTicks = fixed.Ticks;
  result.AdaptiveTicks = adaptive.Ticks;
  // The once-a-second work (tooltip, icon hint, plug-ins) happens for the same
  // seconds, when the display or the plug-ins need it every second.
  if (style.ShowSecond || everySecond) {
    EXPECT_EQ(adaptive.SecondsWorked, fixed.SecondsWorked);
  }
  return result;
}

TDateTime Start() { return *TryEncodeDateTime({2026, 12, 10}, {11, 59, 30, 123}); }

TEST(AdaptiveTick, TheDefaultStyleWithSecondsShowsTheSameEverySecondAndWakesOnceASecond) {
  TStyle style;
  style.ShowSecond = true;
  const TSideBySide run = RunSideBySide(style, Start(), 60);
  EXPECT_EQ(run.AnimatedTicks, 0);
  EXPECT_LE(run.AdaptiveTicks, 3601);
  EXPECT_GT(run.FixedTicks, 100'000);
}

TEST(AdaptiveTick, TheDefaultStyleWakesOnceAMinute) {
  const TSideBySide run = RunSideBySide(TStyle{}, Start(), 60);
  EXPECT_LE(run.AdaptiveTicks, 61);
}

TEST(AdaptiveTick, PluginsGetTheirTickEverySecondAlsoWithoutSecondsShown) {
  const TSideBySide run = RunSideBySide(TStyle{}, Start(), 5, true);
  EXPECT_LE(run.AdaptiveTicks, 5 * 60 + 1);
}

// Fade-cross digits and a smooth colon: the sleeping clock ticks every
// interval while a cell changes, frame for frame as the fixed clock.
TEST(AdaptiveTick, AnimatedStylesShowTheSameFramesDuringEveryChange) {
  TStyle crossAndColon;
  crossAndColon.ShowSecond = true;
  crossAndColon.AnimationType = atFadeCross;
  crossAndColon.FlashColonType = fc1000ms;
  crossAndColon.FlashColonSmooth = true;
  TStyle upAndFlash = crossAndColon;
  upAndFlash.AnimationType = atUp;
  upAndFlash.Inertia = false;
  upAndFlash.AnimationSpeed = 95;
  upAndFlash.FlashColonType = fc500ms;
  upAndFlash.FlashColonToggle = true;
  for (const TStyle* style : {&crossAndColon, &upAndFlash}) {
    const TSideBySide run = RunSideBySide(*style, Start(), 60);
    EXPECT_GT(run.AnimatedTicks, 60 * 60 * 10) << "the changes were not animated";
    EXPECT_LT(run.AdaptiveTicks, run.FixedTicks);
  }
}

}  // namespace
}  // namespace tdialix
