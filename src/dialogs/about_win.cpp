#include "dialogs/about_win.h"

#include <shellapi.h>

#include <vector>

#include "base/messages.h"
#include "version.h"

namespace tdialix {

namespace {

std::wstring ModuleFileName() {
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

// One text of a version resource's string table, in the language its
// translation list names first.
std::wstring VersionText(const std::vector<BYTE>& block, const wchar_t* name) {
  struct TTranslation {
    WORD Language;
    WORD CodePage;
  };
  TTranslation* translation = nullptr;
  UINT size = 0;
  if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
      size < sizeof(TTranslation)) {
    return {};
  }
  wchar_t path[64] = {};
  ::wsprintfW(path, L"\\StringFileInfo\\%04x%04x\\%s", translation->Language, translation->CodePage, name);
  wchar_t* text = nullptr;
  if (!::VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&text), &size) || !text || size == 0) return {};
  return std::wstring(text);
}

}  // namespace

TAboutInfo ProgramAboutInfo() {
  TAboutInfo info{std::wstring(kAppTitle), L"" TDIALIX_VERSION_TEXT, L"" TDIALIX_COPYRIGHT, L"" TDIALIX_WEBSITE};
  const std::wstring module = ModuleFileName();
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(module.c_str(), &ignored);
  if (size == 0) return info;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(module.c_str(), 0, size, block.data())) return info;
  if (std::wstring version = VersionText(block, L"ProductVersion"); !version.empty()) info.Version = std::move(version);
  if (std::wstring copyright = VersionText(block, L"LegalCopyright"); !copyright.empty()) {
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
