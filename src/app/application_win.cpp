#include "app/application_win.h"

#include <stdexcept>

#include "base/path.h"

namespace tdialix {

namespace {

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

TApplication::TApplication() : ExeName(ModulePath()), HelpFile(ChangeExtension(ExeName, L".chm")) {
  RegisterClass(kClassName);
  if (!Create(kClassName, Title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, 0,
              nullptr)) {
    throw std::runtime_error("The application window could not be created.");
  }
}

LRESULT TApplication::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING) {
    // Whoever asks to show this window, it stays hidden.
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    if (position->flags & SWP_SHOWWINDOW) {
      position->flags &= ~SWP_SHOWWINDOW;
      position->flags |= SWP_HIDEWINDOW;
    }
  }
  return TWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tdialix
