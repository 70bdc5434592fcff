// A window object bound to its Win32 window, and the boundary that keeps C++
// exceptions from crossing a window procedure.
#pragma once

#include <windows.h>

#include "base/failure_win.h"

namespace tdialix {

class TWindow {
 public:
  TWindow() = default;
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;
  virtual ~TWindow();

  HWND Handle() const noexcept { return Window; }

  // Registers a class whose windows are bound to TWindow objects (once per name).
  static bool RegisterClass(const wchar_t* className, UINT style = 0, HICON icon = nullptr);

 protected:
  // Creates the window; the object receives its messages from WM_NCCREATE on.
  bool Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x, int y,
              int width, int height, HWND owner);
  // Messages not handled go to DefWindowProcW.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window is gone (WM_NCDESTROY).
  virtual void WindowDestroyed() {}

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND Window = nullptr;
};

}  // namespace tdialix
