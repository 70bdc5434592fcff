#include "dialogs/about_win.h"

#include <shellapi.h>

#include "base/messages.h"
#include "components/version_info_win.h"
#include "version.h"

namespace tdialix {

TAboutInfo ProgramAboutInfo() {
  TAboutInfo info{std::wstring(kAppTitle), L"" TDIALIX_VERSION_TEXT, L"" TDIALIX_COPYRIGHT, L"" TDIALIX_WEBSITE};
  const std::wstring program = ProgramFilePath();
  if (std::wstring version = VersionResourceText(program, L"ProductVersion"); !version.empty()) {
    info.Version = std::move(version);
  }
  if (std::wstring copyright = VersionResourceText(program, L"LegalCopyright"); !copyright.empty()) {
    info.Copyright = std::move(copyright);
  }
  return info;
}

TDialixAbout::TDialixAbout(HWND owner) : TWRForm(L"TDialixAbout"), FInfo(ProgramAboutInfo()) {
  TAboutLayout layout = AboutLayout();
  FillAboutTexts(layout, FInfo);
  Owner = owner;
  Caption = layout.Caption;
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poScreenCenter;

  Image.LoadIcon(L"MAINICON", kAboutIconSize);
  Image.SetEnabled(false);
  TitleLabel.WordWrap = true;
  TitleLabel.FontChange.Bold = true;
  TitleLabel.FontChange.Taller = kAboutTitleTaller;
  CopyrightLabel.WordWrap = true;
  NoticeLabel.WordWrap = true;
  URLButton.OnLinkClick = [this](const std::wstring&) { URLButtonClick(); };
  OKButton.Default = true;
  OKButton.Cancel = true;
  OKButton.ModalResult = mrOk;
  ActiveControl = &OKButton;

  Layout({{Image, layout.Image},
          {TitleLabel, layout.TitleLabel},
          {VersionLabel, layout.VersionLabel},
          {CopyrightLabel, layout.CopyrightLabel},
          {URLButton, layout.URLButton},
          {NoticeLabel, layout.NoticeLabel},
          {OKButton, layout.OKButton, nullptr, IDOK}});
}

void TDialixAbout::URLButtonClick() {
  const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  const INT_PTR result =
      ShellOpen ? ShellOpen(Handle(), FInfo.WebSite)
                : reinterpret_cast<INT_PTR>(
                      ::ShellExecuteW(Handle(), L"open", FInfo.WebSite.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  ::SetCursor(previous);
  if (result > 32) {
    SetModalResult(mrOk);
    return;
  }
  ::MessageBoxW(Handle(), std::wstring(MessageText(TMsg::AboutBrowserFailed)).c_str(), kAppTitle.data(),
                MB_OK | MB_ICONERROR);
}

}  // namespace tdialix
