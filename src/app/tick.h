// The tick's decisions that need no window.
#pragma once

namespace tdialix {

// The tick interval in milliseconds: the setting, doubled on battery with power
// saving on, or while the monitor is off.
unsigned TickInterval(unsigned timerInterval, bool acPower, bool powerSaving, bool monitorOn);

// The opacity 0 ... 255 of a clock fading in for elapsedMs milliseconds: an
// ease-in, ease-out ramp of 250 ms.
int FadeInAlpha(long long elapsedMs);

}  // namespace tdialix
