// Hiding the taskbar's own clock while a clock of this program is showing.
#pragma once

namespace tdialix {

enum class TTrayClockAction { tcNone, tcHide, tcShow };

// hideTrayClock: the setting. trayClockEnabled: the taskbar clock was visible
// when last looked at (it is not ours to show when the user switched it off).
TTrayClockAction DecideTrayClock(bool hideTrayClock, bool trayClockEnabled, bool trayClockVisible,
                                 bool clockShowing);

}  // namespace tdialix
