#include "app/tick_plan.h"

#include <algorithm>

#include "base/scale.h"
#include "clock/display_string.h"

namespace tdialix {

namespace {

// Milliseconds since day 0, and back.
std::int64_t ToMs(TDateTime value) {
  const TDayAndTime parts = SplitDateTime(value);
  return parts.Day * MSecsPerDay + parts.MilliSeconds;
}

TDateTime FromMs(std::int64_t ms) {
  const std::int64_t day = ms >= 0 ? ms / MSecsPerDay : -((-ms + MSecsPerDay - 1) / MSecsPerDay);
  return ComposeDateTime(day, ms - day * MSecsPerDay);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The first multiple of unit (plus offset) after t.
std::int64_t NextStep(std::int64_t t, std::int64_t unit, std::int64_t offset = 0) {
  return (FloorDiv(t - offset, unit) + 1) * unit + offset;
}

// The first moment after t, a clock that runs shift milliseconds ahead,
// at which that clock reaches one of the times of day.
std::int64_t NextTimeOfDay(std::int64_t t, std::int64_t shift, const std::vector<std::int32_t>& times) {
  const std::int64_t shifted = t + shift;
  const std::int64_t day = FloorDiv(shifted, MSecsPerDay) * MSecsPerDay;
  std::int64_t next = INT64_MAX;
  for (const std::int32_t time : times) {
    const std::int64_t at = day + time > shifted ? day + time : day + MSecsPerDay + time;
    next = std::min(next, at - shift);
  }
  return next;
}

std::int32_t MsOfDay(TDateTime time) { return SplitDateTime(TimeOf(time)).MilliSeconds; }

// The first tick of the timer's grid (origin plus whole intervals) at or after t.
std::int64_t GridAtOrAfter(std::int64_t t, std::int64_t origin, std::int64_t interval) {
  return origin + (FloorDiv(t - origin - 1, interval) + 1) * interval;
}

// When the display string can change next.
std::int64_t NextDisplayChange(std::int64_t now, const TStyle& style, unsigned displayBits) {
  std::int64_t next = INT64_MAX;
  // The digits, which run ahead by half an animation.
  const std::int64_t digitShift = style.AnimationType != atNone ? DigitLookAhead(style) : 0;
  std::int64_t unit = 0;
  if (style.ShowSecond) unit = 1000;
  else if (style.ShowMinute) unit = 60'000;
  else if (style.ShowHour != hfNone) unit = 3'600'000;
  if (unit > 0) next = NextStep(now + digitShift, unit) - digitShift;

  // The colon, which runs ahead by half its fade when it fades.
  const bool hours = style.ShowHour != hfNone;
  const bool separators = (hours && style.ShowMinute) || ((hours || style.ShowMinute) && style.ShowSecond);
  if (style.FlashColonType != fcNone && separators) {
    std::int64_t colonShift = 0;
    if (style.FlashColonSmooth && displayBits >= 16) {
      const double d = style.AnimationSpeed - 100.0;
      colonShift = style.AnimationType != atNone ? ScaleRound(d * d, 40000, 60000) : 125;
    }
    const std::int64_t phase = now + colonShift;
    std::int64_t at = NextStep(phase, 1000);
    if (style.FlashColonType == fc250ms) at = std::min(at, NextStep(phase, 1000, 250));
    if (style.FlashColonType == fc500ms) at = std::min(at, NextStep(phase, 1000, 500));
    next = std::min(next, at - colonShift);
    // An unlit colon keeps its lower dot in the first half of the minute and its upper one after.
    if (style.FlashColonToggle) next = std::min(next, NextStep(now, 30'000));
  }
  return next;
}

}  // namespace

TTickPlan PlanNextTick(const TTickPlanInput& in) {
  const std::int64_t now = ToMs(in.Now);
  const std::int64_t interval = std::max<std::int64_t>(in.Interval, 1);
  const std::int64_t origin = ToMs(in.GridOrigin);
  TTickPlan plan;
  std::int64_t due = 0;
  if (in.Motion.Any()) {
    plan.EveryInterval = true;
    due = GridAtOrAfter(now + 1, origin, interval);
  } else {
    std::int64_t next = in.MaxSleep >= kMaxTickSleep ? NextStep(now, kMaxTickSleep)
                                                     : now + std::max<std::int64_t>(in.MaxSleep, 1);
    const std::int64_t digitShift =
        in.Style && in.Style->AnimationType != atNone ? DigitLookAhead(*in.Style) : 0;
    if (in.Style) next = std::min(next, NextDisplayChange(now, *in.Style, in.DisplayBits));
    // A new day: the holiday state, and the automatic changes may apply again.
    next = std::min(next, NextStep(now, MSecsPerDay));
    if (in.EverySecond) next = std::min(next, NextStep(now, 1000));
    // The time slots are looked at when the digits' second changes.
    if (in.VisibilityDue) next = std::min(next, NextStep(now + digitShift, 1000) - digitShift);
    if (in.Slots && !in.Slots->empty()) {
      std::vector<std::int32_t> times;
      for (const TVisibleTimeSlot& slot : *in.Slots) {
        times.push_back(MsOfDay(slot.StartTime));
        times.push_back(MsOfDay(slot.EndTime));
      }
      next = std::min(next, NextTimeOfDay(now, digitShift, times));
    }
    if (in.Changes && !in.Changes->empty()) {
      std::vector<std::int32_t> times;
      for (const TChangeTime& entry : *in.Changes) times.push_back(MsOfDay(entry.ChangeTime));
      next = std::min(next, NextTimeOfDay(now, 0, times));
    }
    due = GridAtOrAfter(std::max(next, now + 1), origin, interval);
  }
  plan.DelayMs = due - now;
  plan.Due = FromMs(due);
  return plan;
}

bool FormatShowsSeconds(std::wstring_view format, const TFormatSettings& formats) {
  // Any minute will do: 2001-01-01 10:20, at three of its seconds.
  const TDateTime minute = 36892.0 + (10 * 60 + 20) / 1440.0;
  const std::wstring first = FormatDateTime(format, IncMilliSecond(minute, 0), formats);
  return FormatDateTime(format, IncMilliSecond(minute, 1000), formats) != first ||
         FormatDateTime(format, IncMilliSecond(minute, 59'000), formats) != first;
}

}  // namespace tdialix
