#include "base/window_win.h"

namespace tdialix {

TWindow::~TWindow() {
  if (Window) {
    ::SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
    ::DestroyWindow(Window);
  }
}

bool TWindow::RegisterClass(const wchar_t* className, UINT style, HICON icon) {
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), className, &info)) return true;
  info = {};
  info.cbSize = sizeof info;
  info.style = style;
  info.lpfnWndProc = &TWindow::StaticWindowProc;
  info.hInstance = ::GetModuleHandleW(nullptr);
  info.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  info.hIcon = icon;
  info.lpszClassName = className;
  return ::RegisterClassExW(&info) != 0;
}

bool TWindow::Create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, int x, int y,
                     int width, int height, HWND owner) {
  return ::CreateWindowExW(exStyle, className, caption, style, x, y, width, height, owner, nullptr,
                           ::GetModuleHandleW(nullptr), this) != nullptr;
}

LRESULT TWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(Window, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->Window = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(window, message, wParam, lParam);

  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->Window = nullptr;
    const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
    try {
      self->WindowDestroyed();
    } catch (...) {
      HandleCurrentException();
    }
    return result;
  }
  try {
    return self->WindowProc(message, wParam, lParam);
  } catch (...) {
    HandleCurrentException();
    return 0;
  }
}

}  // namespace tdialix
