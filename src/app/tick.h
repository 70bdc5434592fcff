// The tick's decisions that need no window.
#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "base/date_time.h"

namespace tdialix {

// The tick interval in milliseconds: the setting, doubled on battery with power
// saving on, or while the monitor is off.
unsigned TickInterval(unsigned timerInterval, bool acPower, bool powerSaving, bool monitorOn);

// The date and the second the tick last worked for. The whole date counts, not
// its day of the month: a computer that wakes from sleep a month later to the
// day still starts a new day.
struct TTickCalendar {
  std::int64_t SaveAdjustedD = std::numeric_limits<std::int64_t>::min();  // day number of the date
  int SaveAdjustedS = -1;
};

// The work a tick does besides drawing: once a day, and once a second.
struct TTickWork {
  bool NewDay = false;        // the holiday state is decided anew
  bool ClearChanged = false;  // today's automatic style changes may apply again
  bool NewSecond = false;     // tooltip, icon hint, automatic style change, plug-ins
  bool operator==(const TTickWork&) const = default;
};

// What a tick at this displayed time has to do. An initialising tick (right
// after a style was applied) does the day's and the second's work again, but
// it is no new day unless the date moved (the world clock was set to a place
// past midnight): the automatic changes already applied today stay applied.
TTickWork PlanTick(TTickCalendar& saved, TDateTime now, bool initialize);

// The opacity 0 ... 255 of a clock fading in for elapsedMs milliseconds: an
// ease-in, ease-out ramp of 250 ms. A negative time (the system clock went
// back) ends the fade: 255.
int FadeInAlpha(long long elapsedMs);

// What the tick keeps between runs about showing the clocks.
struct TVisibilityState {
  bool Visible = false;                      // the clocks are to be shown now
  bool Hiding = true;                        // a fade-out is pending or running
  TDateTime SaveSwitchingTime = MinDateTime;  // start of the running fade
  int SaveSwitchingAlphaBlend = 0;           // the fade's opacity, 0 ... 255
  std::uint16_t SaveDisplayS = 0xFFFF;       // the second the time slots were last looked at
};

struct TVisibilityInput {
  TDateTime DigitTime = 0;  // the displayed time with the digits' look-ahead
  bool InTimeSlot = true;   // the time slots allow the clocks now
  bool TempVisible = false; // shown for a moment by a click on the icon
  bool PluginVisible = true;
  bool FadeSwitching = false;
};

// One clock window as the tick finds it.
struct TClockState {
  bool Shown = false;      // the window is visible
  bool Enabled = true;
  bool Iconic = false;
  bool SizeMoving = false; // the user drags it
  bool Placed = true;      // its placement record says it is shown on its monitor
};

// What the tick does to one clock window, in this order.
struct TClockAction {
  bool Reset = false;  // reset the cells' animation
  bool Draw = false;
  bool Force = false;  // draw with force
  bool Show = false;
  bool Hide = false;
  bool operator==(const TClockAction&) const = default;
};

// The visibility and fade part of a (non-initialising) tick.
std::vector<TClockAction> VisibilityStep(TVisibilityState& state, const TVisibilityInput& input,
                                         const std::vector<TClockState>& clocks);

}  // namespace tdialix
