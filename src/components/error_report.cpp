#include "components/error_report.h"

#include "base/messages.h"
#include "base/path.h"

namespace tdialix {

TErrorDlgLayout ErrorDlgLayout(std::wstring_view title, std::wstring_view exceptionText, bool expanded,
                               int iconSize) {
  TErrorDlgLayout layout;
  layout.ClientSize = {kErrorDlgWidth, expanded ? kErrorDlgExpandedHeight : kErrorDlgCollapsedHeight};
  // The band and the bevels stand aligned to the top, one below the other.
  constexpr int kBandHeight = 117;
  constexpr int kSeparatorHeight = 45;
  layout.TopBand = {0, 0, kErrorDlgWidth, kBandHeight};
  layout.TopSeparator = {0, kBandHeight, kErrorDlgWidth, kSeparatorHeight};
  layout.DetailsSeparator = {0, kBandHeight + kSeparatorHeight, kErrorDlgWidth, kSeparatorHeight};
  layout.Image = {10, 10, iconSize, iconSize};
  layout.HeadlineLabel = {60, 15, 410, 22, FormatText(MessageText(TMsg::ErrorHeadline), {std::wstring(title)})};
  layout.MessageLabel = {60, 45, 410, 70, std::wstring(MessageText(TMsg::ErrorExplanation))};
  layout.Button = {355, 130, 128, 21, std::wstring(MessageText(TMsg::ErrorCloseButton))};
  layout.LinkLabel = {10, 135, 0, 0,
                      std::wstring(MessageText(expanded ? TMsg::ErrorHideDetails : TMsg::ErrorShowDetails))};
  layout.Memo = {10, 175, 470, 100, ErrorMemoText(exceptionText)};
  return layout;
}

std::wstring ProgramTitle(std::wstring_view productName, std::wstring_view fileDescription,
                          std::wstring_view applicationTitle, std::wstring_view programPath) {
  for (const std::wstring_view name : {productName, fileDescription, applicationTitle}) {
    if (!name.empty()) return std::wstring(name);
  }
  return ChangeExtension(FileNameOf(std::wstring(programPath)), L"");
}

std::wstring ErrorMemoText(std::wstring_view exceptionText) {
  return std::wstring(exceptionText) + L"\r\n\r\n" + std::wstring(MessageText(TMsg::ErrorReportRequest));
}

std::wstring ErrorFallbackText(std::wstring_view title, std::wstring_view exceptionText) {
  return FormatText(MessageText(TMsg::ErrorFallback), {std::wstring(title), std::wstring(exceptionText)});
}

TFallbackOwner FallbackOwner(bool activeWindowVisible, bool activeOwnedByApplication) {
  if (!activeWindowVisible) return TFallbackOwner::foDesktop;
  return activeOwnedByApplication ? TFallbackOwner::foApplicationWindow : TFallbackOwner::foActiveWindow;
}

THeadlineStyle HeadlineStyle(TWindowsVersion version, bool visualStyleActive) {
  return version.AtLeast(6, 0) && visualStyleActive ? THeadlineStyle::hsMainInstruction : THeadlineStyle::hsBold;
}

}  // namespace tdialix
