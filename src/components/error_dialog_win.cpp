#include "components/error_dialog_win.h"

#include <uxtheme.h>
#include <vssym32.h>

#include "base/failure_win.h"
#include "base/trace_win.h"
#include "components/tray_icon_win.h"
#include "components/version_info_win.h"

namespace tdialix {

void (*FailureReportBuildCheck)() = nullptr;

namespace {

// The system's large icon size in pixels at 96 dpi, as layouts count.
int LargeIconSize() {
  const TWindowDC screen(nullptr);
  int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
  if (dpi <= 0) dpi = 96;
  return ::MulDiv(::GetSystemMetrics(SM_CXICON), 96, dpi);
}

struct TDisabling {
  HWND Keep;
};

BOOL CALLBACK DisableOtherWindow(HWND window, LPARAM data) {
  return CallbackBoundary(TRUE, [&] {
    const auto& disabling = *reinterpret_cast<const TDisabling*>(data);
    if (window != disabling.Keep && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
      ::EnableWindow(window, FALSE);
    }
    return TRUE;
  });
}

}  // namespace

TErrorDlg::TErrorDlg(std::wstring title, std::wstring exceptionText)
    : TWRForm(L"TErrorDlg"), Title(std::move(title)), ExceptionText(std::move(exceptionText)),
      IconSize(LargeIconSize()) {
  const TErrorDlgLayout layout = ErrorDlgLayout(Title, ExceptionText, false, IconSize);
  Caption = Title;
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poScreenCenter;
  BorderStyle = TFormBorderStyle::bsDialog;

  TopBand.BrushColor = SystemColor(COLOR_WINDOW);
  TopBand.SetEnabled(false);
  for (TWRBevel* separator : {&TopSeparator, &DetailsSeparator}) {
    separator->Shape = TWRBevel::TBevelShape::bsTopLine;
    separator->SetEnabled(false);
  }
  // The title and the texts are shown as they are: an "&" is no access key.
  HeadlineLabel.WordWrap = true;
  HeadlineLabel.ShowAccelChar = false;
  MessageLabel.WordWrap = true;
  MessageLabel.ShowAccelChar = false;
  Button.Default = true;
  Button.Cancel = true;
  Button.ModalResult = mrOk;
  LinkLabel.OnLinkClick = [this](const std::wstring&) { ToggleDetails(); };
  Memo.ReadOnly = true;
  Memo.SetEnabled(false);
  ActiveControl = &Button;

  Layout({{Image, layout.Image},
          {HeadlineLabel, layout.HeadlineLabel},
          {MessageLabel, layout.MessageLabel},
          {Button, layout.Button, nullptr, IDOK},
          {LinkLabel, layout.LinkLabel},
          {Memo, layout.Memo},
          // Made last, the band and the bevels lie beneath the controls over them.
          {TopBand, layout.TopBand},
          {TopSeparator, layout.TopSeparator},
          {DetailsSeparator, layout.DetailsSeparator}});
}

void TErrorDlg::FormCreate() {
  Image.FallbackIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  Image.LoadIcon(IconResource.c_str(), IconSize);
  DisableInputMethod(Memo.Handle());
  SetHeadlineStyle();
}

void TErrorDlg::SetHeadlineStyle() {
  HeadlineColor = ::GetSysColor(COLOR_WINDOWTEXT);
  if (HeadlineStyle(CurrentWindowsVersion(), VisualStylesActive()) == THeadlineStyle::hsMainInstruction) {
    if (const HTHEME theme = ::OpenThemeData(Handle(), L"TEXTSTYLE")) {
      const TWindowDC dc(Handle());
      LOGFONTW font{};
      COLORREF color = 0;
      if (SUCCEEDED(::GetThemeFont(theme, dc.Get(), TEXT_MAININSTRUCTION, 0, TMT_FONT, &font))) {
        HeadlineFont.Reset(::CreateFontIndirectW(&font));
        if (SUCCEEDED(::GetThemeColor(theme, TEXT_MAININSTRUCTION, 0, TMT_TEXTCOLOR, &color))) HeadlineColor = color;
      }
      ::CloseThemeData(theme);
    }
  }
  // Without the theme's text style, the dialog font in bold.
  if (!HeadlineFont) {
    LOGFONTW bold = FontInfo();
    bold.lfWeight = FW_BOLD;
    HeadlineFont.Reset(::CreateFontIndirectW(&bold));
  }
  ::SendMessageW(HeadlineLabel.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(HeadlineFont.Get()), TRUE);
}

std::optional<LRESULT> TErrorDlg::FormProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC: {
      // The icon and the texts stand on the band.
      const auto control = reinterpret_cast<HWND>(lParam);
      if (control != Image.Handle() && control != HeadlineLabel.Handle() && control != MessageLabel.Handle()) break;
      const auto dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, control == HeadlineLabel.Handle() ? HeadlineColor : ::GetSysColor(COLOR_WINDOWTEXT));
      ::SetBkColor(dc, ColorToRGB(TopBand.BrushColor));
      return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_HELP:
      return TRUE;  // the report has no help topic, and the program behind it is stopped
    default:
      break;
  }
  return std::nullopt;
}

void TErrorDlg::ToggleDetails() {
  const bool expand = Tag == 0;
  Tag = expand ? 1 : 0;
  const TErrorDlgLayout layout = ErrorDlgLayout(Title, ExceptionText, expand, IconSize);
  SetClientSize(layout.ClientSize);
  LinkLabel.SetText(layout.LinkLabel.Text);
  Memo.SetEnabled(expand);
  if (expand) {
    Memo.SetFocus();
  } else {
    Button.SetFocus();
  }
}

std::wstring FailureReportTitle(const std::wstring& applicationTitle) {
  const std::wstring program = ProgramFilePath();
  return ProgramTitle(VersionResourceText(program, L"ProductName"), VersionResourceText(program, L"FileDescription"),
                      applicationTitle, program);
}

void ShowFallbackReport(const std::wstring& title, const std::wstring& exceptionText,
                        const TFailureReportContext& context) {
  const HWND active = ::GetActiveWindow();
  const bool activeVisible = active && ::IsWindowVisible(active);
  const bool ownedByApplication =
      activeVisible && context.ApplicationWindow && ::GetWindow(active, GW_OWNER) == context.ApplicationWindow;
  HWND owner = ::GetDesktopWindow();
  switch (FallbackOwner(activeVisible, ownedByApplication)) {
    case TFallbackOwner::foActiveWindow: owner = active; break;
    case TFallbackOwner::foApplicationWindow: owner = context.ApplicationWindow; break;
    case TFallbackOwner::foDesktop: break;
  }
  TDisabling disabling{owner};
  ::EnumThreadWindows(::GetCurrentThreadId(), &DisableOtherWindow, reinterpret_cast<LPARAM>(&disabling));
  Trace(L"failure-fallback " + exceptionText);
  const std::wstring text = ErrorFallbackText(title, exceptionText);
  ::MessageBoxW(owner, text.c_str(), context.ApplicationTitle.c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

void ShowFailureReport(const TFailure* failure, const TFailureReportContext& context) {
  // Whatever hid the pointer, the user needs it now.
  for (int i = 0; i < 64 && ::ShowCursor(TRUE) < 0; ++i) {
  }
  std::wstring text;
  std::wstring title = context.ApplicationTitle;
  try {
    if (failure) text = FailureText(*failure);
    title = FailureReportTitle(context.ApplicationTitle);
  } catch (...) {
    // What is known so far is shown.
  }
  try {
    TErrorDlg dialog(title, text);
    if (FailureReportBuildCheck) FailureReportBuildCheck();
    Trace(L"failure-report " + text);
    ::MessageBeep(MB_ICONHAND);
    dialog.ShowModal();
  } catch (...) {
    try {
      ShowFallbackReport(title, text, context);
    } catch (...) {
      // Not even the message box: the program ends all the same.
    }
  }
  if (context.Ending) context.Ending();
}

}  // namespace tdialix
