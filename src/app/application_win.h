// The application object: the program's title, help file and initialised
// mark, and its own hidden top-level window, which owns the master window and
// never becomes visible, so the program never shows a taskbar button.
#pragma once

#include <windows.h>

#include <string>

#include "base/window_win.h"

namespace tdialix {

class TApplication : public TWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TDialixApplication";

  TApplication();

  std::wstring Title = L"TDialix";
  std::wstring ExeName;   // the program's own path
  std::wstring HelpFile;  // the program's path with ".chm"
  bool Initialized = false;  // set at the end of the deferred initialisation
  bool Terminated = false;   // the message loop has ended or is ending

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tdialix
