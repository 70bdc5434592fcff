// The display scale as the system reports it, on every Windows the program
// runs on: the per-monitor functions of newer systems are looked up at run
// time, and older systems give their one system-wide DPI.
#pragma once

#include <windows.h>

namespace tdialix {

// Asks for per-monitor DPI awareness (version 2, else version 1, else the
// system-wide one) where the manifest has not already decided it.
void DeclareDpiAwareness();

// The DPI of the screen as a whole (what the stock fonts are made for).
int SystemDpi();
// The DPI of a monitor, and of the monitor a window is on.
int DpiForMonitor(HMONITOR monitor);
int DpiForWindow(HWND window);

// The window size for a client rectangle at a DPI.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// The system's small icon at a DPI.
int SmallIconSizeForDpi(int dpi);
// The notification area's icon size: the small icon at the taskbar's scale.
int NotifyIconSize();

// Leaves the resizing of a dialog at a DPI change to the dialog itself:
// the system would scale its controls a second time.
void KeepDialogScaling(HWND dialog);

}  // namespace tdialix
