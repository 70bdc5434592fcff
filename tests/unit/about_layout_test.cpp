#include "dialogs/about_layout.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(AboutLayout, ControlsStandWhereTheBoxPlacesThem) {
  const TAboutLayout layout = AboutLayout();
  EXPECT_EQ(layout.Caption, L"バージョン情報");
  EXPECT_EQ(layout.ClientSize, (TSize{321, 179}));
  EXPECT_EQ(layout.Image, (TControlSpec{14, 9, 48, 48, L""}));
  EXPECT_EQ(layout.TitleLabel, (TControlSpec{77, 9, 218, 34, L"%s"}));
  EXPECT_EQ(layout.VersionLabel, (TControlSpec{77, 39, 218, 19, L"バージョン %s"}));
  EXPECT_EQ(layout.CopyrightLabel, (TControlSpec{14, 69, 281, 19, L"%s"}));
  // The link and the button size themselves.
  EXPECT_EQ(layout.URLButton, (TControlSpec{14, 90, 0, 0, L"<a>%s</a>"}));
  EXPECT_EQ(layout.NoticeLabel,
            (TControlSpec{14, 114, 297, 31, L"ReadMe ファイル及びヘルプをよく読んでから使用してください。"}));
  EXPECT_EQ(layout.OKButton, (TControlSpec{116, 150, 0, 0, L"OK"}));
}

TEST(AboutLayout, EachLabelsDesignTextIsTheFormatOfItsValue) {
  TAboutLayout layout = AboutLayout();
  FillAboutTexts(layout, {L"TDialix", L"2.0.1", L"Copyright (C) Team Orvane", L"https://example.org/?a=1&b=%s"});
  EXPECT_EQ(layout.TitleLabel.Text, L"TDialix");
  EXPECT_EQ(layout.VersionLabel.Text, L"バージョン 2.0.1");
  EXPECT_EQ(layout.CopyrightLabel.Text, L"Copyright (C) Team Orvane");
  EXPECT_EQ(layout.URLButton.Text, L"<a>https://example.org/?a=1&b=%s</a>");
  // The texts without a value stay as designed.
  EXPECT_EQ(layout.NoticeLabel.Text, AboutLayout().NoticeLabel.Text);
  EXPECT_EQ(layout.OKButton.Text, L"OK");
}

}  // namespace
}  // namespace tdialix
