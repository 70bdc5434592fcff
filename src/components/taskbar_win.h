// The shell's taskbar windows.
#pragma once

#include <windows.h>

namespace tdialix {

HWND TaskbarWindow();
HWND TrayNotifyWindow();
// The taskbar's own clock, or none.
HWND TaskbarClockWindow();

}  // namespace tdialix
