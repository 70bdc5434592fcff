// TErrorDlg: the failure report. It says that the program stopped, keeps the
// exception text behind a details link for a report to the author, and its
// button, Escape and the close box all end the program. When the report
// cannot be built or shown, one message box says the same.
//
//   TFailureReportContext context;
//   context.ApplicationTitle = L"TDialix";
//   context.Ending = [] { /* give the system back, end the process */ };
//   ShowFailureReport(&failure, context);
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/failure.h"
#include "base/unique_handle_win.h"
#include "components/error_report.h"
#include "components/extended_controls_win.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"

namespace tdialix {

class TErrorDlg : public TWRForm {
 public:
  // title: the program's title (caption and headline); exceptionText: the
  // details' first line.
  TErrorDlg(std::wstring title, std::wstring exceptionText);

  // 0 while the details are hidden, 1 while they are shown.
  int Tag = 0;
  // The icon resource shown; when it cannot be loaded, the system's standard
  // application icon shows instead.
  std::wstring IconResource = L"MAINICON";

  TWRShape TopBand;
  TWRBevel TopSeparator;
  TWRBevel DetailsSeparator;
  TWRImage Image;
  TWRLabel HeadlineLabel;
  TWRLabel MessageLabel;
  TWRButton Button;
  TWRLinkLabel LinkLabel;
  TWRMemo Memo;

  // Shows the details when they are hidden, hides them when they are shown.
  void ToggleDetails();

 protected:
  void FormCreate() override;
  std::optional<LRESULT> FormProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetHeadlineStyle();

  std::wstring Title;
  std::wstring ExceptionText;
  int IconSize = 32;  // the system's large icon, in pixels at 96 dpi
  TUniqueFont HeadlineFont;
  COLORREF HeadlineColor = 0;
};

// What the report needs from the program around it.
struct TFailureReportContext {
  // The application's title and window: the caption and the owner of the
  // message box that stands in for the report.
  std::wstring ApplicationTitle = L"TDialix";
  HWND ApplicationWindow = nullptr;
  // Ends the application once the report or its stand-in has closed.
  std::function<void()> Ending;
};

// Shows the report for a failure (none: an empty exception text) and then
// calls the context's ending, in every case: the cursor shows, the stop-sign
// sound plays, the report waits modally; when it cannot be built or shown,
// the message box of ShowFallbackReport stands in for it.
void ShowFailureReport(const TFailure* failure, const TFailureReportContext& context);

// The stand-in: one message box with the whole report's text, error icon,
// in the foreground and topmost, owned as FallbackOwner decides, with the
// application's other windows of this thread disabled. Returns when it closes.
void ShowFallbackReport(const std::wstring& title, const std::wstring& exceptionText,
                        const TFailureReportContext& context);

// The program's title for the report: its version resource's product name or
// file description, the application's title, or the program file's name.
std::wstring FailureReportTitle(const std::wstring& applicationTitle);

// Makes building the report fail: a program made for the tests sets it to
// something that throws. Empty in the program.
extern void (*FailureReportBuildCheck)();

}  // namespace tdialix
