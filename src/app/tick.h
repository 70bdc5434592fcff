// The tick's decisions that need no window.
#pragma once

namespace tdialix {

// The tick interval in milliseconds: the setting, doubled on battery with power
// saving on, or while the monitor is off.
unsigned TickInterval(unsigned timerInterval, bool acPower, bool powerSaving, bool monitorOn);

}  // namespace tdialix
