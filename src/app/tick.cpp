#include "app/tick.h"

#include <algorithm>

#include "base/scale.h"

namespace tdialix {

unsigned TickInterval(unsigned timerInterval, bool acPower, bool powerSaving, bool monitorOn) {
  return (!acPower && powerSaving) || !monitorOn ? timerInterval * 2 : timerInterval;
}

TTickWork PlanTick(TTickCalendar& saved, TDateTime now, bool initialize) {
  const std::int64_t day = SplitDateTime(now).Day;
  const int second = DecodeTime(now).Second;
  TTickWork work;
  if (day != saved.SaveAdjustedD || initialize) {
    // Only a date that really changed lets today's applied changes apply again.
    work.NewDay = true;
    work.ClearChanged = day != saved.SaveAdjustedD;
    saved.SaveAdjustedD = day;
  }
  if (second != saved.SaveAdjustedS || initialize) {
    saved.SaveAdjustedS = second;
    work.NewSecond = true;
  }
  return work;
}

int FadeInAlpha(long long elapsedMs) {
  // A fade that began "after" now (the system clock went back) is over.
  if (elapsedMs < 0) return 255;
  const auto curve = [](double t) { return ScaleRound(ScaleRound(t * t, 125, 1), 125, 127); };
  const double t = static_cast<double>(elapsedMs);
  const int alpha = t < 125 ? curve(t) : 255 - curve(std::max(250.0 - t, 0.0));
  return std::min(alpha, 255);
}

std::vector<TClockAction> VisibilityStep(TVisibilityState& state, const TVisibilityInput& input,
                                         const std::vector<TClockState>& clocks) {
  std::vector<TClockAction> actions(clocks.size());
  const auto second = static_cast<std::uint16_t>(DecodeTime(input.DigitTime).Second);
  if (second != state.SaveDisplayS) {
    state.SaveDisplayS = second;
    state.Visible = input.InTimeSlot;
  }
  bool dragged = false;
  for (const TClockState& clock : clocks) dragged = dragged || clock.SizeMoving;
  if (input.TempVisible || dragged) state.Visible = true;

  const auto sinceSwitch = [&] {
    return static_cast<long long>((input.DigitTime - state.SaveSwitchingTime) * static_cast<double>(MSecsPerDay) + 0.5);
  };
  if (state.Visible) {
    if (input.FadeSwitching) {
      if (state.SaveSwitchingTime > MinDateTime && state.SaveSwitchingAlphaBlend != 255) {
        state.SaveSwitchingAlphaBlend = FadeInAlpha(sinceSwitch());
      } else if (state.SaveSwitchingTime <= MinDateTime) {
        state.SaveSwitchingTime = input.DigitTime;
      }
    }
    for (size_t i = 0; i < clocks.size(); ++i) {
      const TClockState& clock = clocks[i];
      TClockAction& action = actions[i];
      const bool due = clock.Enabled && !clock.Iconic && !clock.Shown && input.PluginVisible;
      action.Reset = (input.FadeSwitching && state.Hiding && state.SaveSwitchingAlphaBlend == 0) || (!input.FadeSwitching && !clock.Shown);
      action.Draw = true;
      action.Force = (input.FadeSwitching && state.Hiding) || due;
      action.Show = due && clock.Placed;
      action.Hide = !due && !clock.Placed && clock.Shown;
    }
    if (state.SaveSwitchingAlphaBlend == 255) state.Hiding = false;
    return actions;
  }

  if (input.FadeSwitching) {
    if (state.Hiding && state.SaveSwitchingAlphaBlend != 0) {
      const int alpha = 255 - FadeInAlpha(sinceSwitch());
      state.SaveSwitchingAlphaBlend = std::max(alpha, 0);
      if (alpha <= 0) state.SaveSwitchingTime = MinDateTime;
      for (size_t i = 0; i < clocks.size(); ++i) {
        if (!clocks[i].Shown) continue;
        if (state.SaveSwitchingAlphaBlend > 0) actions[i].Draw = true;
        else actions[i].Hide = true;
      }
    } else if (!state.Hiding) {
      state.Hiding = true;
      state.SaveSwitchingTime = input.DigitTime;
      state.SaveSwitchingAlphaBlend = 255;
      for (TClockAction& action : actions) action.Draw = true;
    }
    return actions;
  }
  state.SaveSwitchingAlphaBlend = 255;
  for (size_t i = 0; i < clocks.size(); ++i) actions[i].Hide = clocks[i].Shown && !clocks[i].SizeMoving;
  return actions;
}

}  // namespace tdialix
