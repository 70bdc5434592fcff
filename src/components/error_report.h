// The failure report's rules that need no window: its layout in both states,
// the program title it names, its texts, the owner of the message box that
// stands in for it, and how its headline is drawn.
#pragma once

#include <string>
#include <string_view>

#include "base/geometry.h"
#include "components/form_layout.h"
#include "components/tray_icon.h"

namespace tdialix {

// The report's client width and its height with the details hidden and shown.
inline constexpr int kErrorDlgWidth = 490;
inline constexpr int kErrorDlgCollapsedHeight = 160;
inline constexpr int kErrorDlgExpandedHeight = 280;

// Every element of the report, in pixels at 96 dpi, with its text.
struct TErrorDlgLayout {
  TSize ClientSize;
  // A band in the window colour across the top, behind the icon and the texts.
  TControlSpec TopBand;
  // Two top-line bevels that follow the band down, each as tall as the
  // strip it heads: the line under the band, and the one above the details.
  TControlSpec TopSeparator;
  TControlSpec DetailsSeparator;
  TControlSpec Image;          // the program's icon at the system's large-icon size
  TControlSpec HeadlineLabel;  // "<title> は動作を停止しました。"
  TControlSpec MessageLabel;   // what happened, and that work may be lost
  TControlSpec Button;         // "プログラムの終了(&C)"
  TControlSpec LinkLabel;      // shows or hides the details; sizes itself
  TControlSpec Memo;           // the details, below the collapsed client area
};

// The layout for the program title and the exception text, with the details
// shown or hidden; iconSize is the system's large-icon size at 96 dpi.
TErrorDlgLayout ErrorDlgLayout(std::wstring_view title, std::wstring_view exceptionText, bool expanded,
                               int iconSize);

// The program's title as the report names it: the version resource's product
// name, else its file description, else the application's title, else the
// program file's name without its extension.
std::wstring ProgramTitle(std::wstring_view productName, std::wstring_view fileDescription,
                          std::wstring_view applicationTitle, std::wstring_view programPath);

// The details: the exception text, then the request to report it.
std::wstring ErrorMemoText(std::wstring_view exceptionText);

// The one text of the message box that stands in for the report.
std::wstring ErrorFallbackText(std::wstring_view title, std::wstring_view exceptionText);

// Whose window the stand-in message box is: the active window; the
// application's window when the active one is owned by it; the desktop when
// no visible window is active.
enum class TFallbackOwner { foActiveWindow, foApplicationWindow, foDesktop };
TFallbackOwner FallbackOwner(bool activeWindowVisible, bool activeOwnedByApplication);

// The headline takes the theme's main-instruction text from Windows Vista on
// while the system's visual style is active; otherwise it is the dialog font
// in bold.
enum class THeadlineStyle { hsBold, hsMainInstruction };
THeadlineStyle HeadlineStyle(TWindowsVersion version, bool visualStyleActive);

}  // namespace tdialix
