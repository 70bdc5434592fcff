#include "dialogs/about_layout.h"

#include "base/messages.h"

namespace tdialix {

TAboutLayout AboutLayout() {
  TAboutLayout layout;
  layout.Caption = MessageText(TMsg::AboutCaption);
  layout.ClientSize = {321, 179};
  layout.Image = {14, 9, kAboutIconSize, kAboutIconSize, L""};
  layout.TitleLabel = {77, 9, 218, 34, L"%s"};
  layout.VersionLabel = {77, 39, 218, 19, std::wstring(MessageText(TMsg::AboutVersion))};
  layout.CopyrightLabel = {14, 69, 281, 19, L"%s"};
  layout.URLButton = {14, 90, 0, 0, L"<a>%s</a>"};
  layout.NoticeLabel = {14, 114, 297, 31, std::wstring(MessageText(TMsg::AboutNotice))};
  layout.OKButton = {116, 150, 0, 0, L"OK"};
  return layout;
}

void FillAboutTexts(TAboutLayout& layout, const TAboutInfo& info) {
  auto fill = [](TControlSpec& control, const std::wstring& value) { control.Text = FormatText(control.Text, {value}); };
  fill(layout.TitleLabel, info.Title);
  fill(layout.VersionLabel, info.Version);
  fill(layout.CopyrightLabel, info.Copyright);
  fill(layout.URLButton, info.WebSite);
}

}  // namespace tdialix
