#include "app/application_win.h"

#include <stdexcept>

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

std::wstring WithExtension(const std::wstring& path, const wchar_t* extension) {
  const size_t slash = path.find_last_of(L"\\/");
  const size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return path + extension;
  return path.substr(0, dot) + extension;
}

}  // namespace

TApplication::TApplication() : ExeName(ModulePath()), HelpFile(WithExtension(ExeName, L".chm")) {
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
