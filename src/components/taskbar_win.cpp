#include "components/taskbar_win.h"

namespace tdialix {

HWND TaskbarWindow() { return ::FindWindowW(L"Shell_TrayWnd", nullptr); }

HWND TrayNotifyWindow() {
  const HWND taskbar = TaskbarWindow();
  return taskbar ? ::FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr) : nullptr;
}

HWND TaskbarClockWindow() {
  const HWND tray = TrayNotifyWindow();
  return tray ? ::FindWindowExW(tray, nullptr, L"TrayClockWClass", nullptr) : nullptr;
}

}  // namespace tdialix
