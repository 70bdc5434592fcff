// TDialixAbout: the about box "バージョン情報". It shows the program's icon,
// name, version and copyright line, a notice and a link to the team's web
// site; the link opens the site in the browser.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "components/extended_controls_win.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/about_layout.h"

namespace tdialix {

// The program's name, version and copyright line from its version resource,
// and its web site; the built-in values stand where the resource is missing.
TAboutInfo ProgramAboutInfo();

class TDialixAbout : public TWRForm {
 public:
  explicit TDialixAbout(HWND owner = nullptr);

  const TAboutInfo& Info() const noexcept { return FInfo; }

  TWRImage Image;
  TWRLabel TitleLabel;
  TWRLabel VersionLabel;
  TWRLabel CopyrightLabel;
  TWRLinkLabel URLButton;
  TWRLabel NoticeLabel;
  TWRButton OKButton;

  // How the web site is opened: the shell's "open", unless a test stands in
  // for it. The result is the shell's: above 32 for success.
  std::function<INT_PTR(HWND parent, const std::wstring& address)> ShellOpen;

 private:
  void URLButtonClick();

  TAboutInfo FInfo;
};

}  // namespace tdialix
