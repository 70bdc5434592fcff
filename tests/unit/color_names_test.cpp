#include "components/color_names.h"

#include <gtest/gtest.h>

#include <set>

#include "base/text.h"

namespace tdialix {
namespace {

struct NameCase {
  TColor Color;
  const wchar_t* Name;
};

TEST(ColorNames, EveryListedColourHasItsJapaneseName) {
  const NameCase cases[] = {
      {0x000000, L"黒"},
      {0x000080, L"茶色"},
      {0x008000, L"緑色"},
      {0x008080, L"黄土色"},
      {0x800000, L"紺色"},
      {0x800080, L"紫色"},
      {0x808000, L"青緑色"},
      {0x808080, L"灰色"},
      {0xC0C0C0, L"銀色"},
      {0x0000FF, L"赤"},
      {0x00FF00, L"黄緑色"},
      {0x00FFFF, L"黄色"},
      {0xFF0000, L"青"},
      {0xFF00FF, L"赤紫色"},
      {0xFFFF00, L"水色"},
      {0xFFFFFF, L"白"},
      {0xA4A0A0, L"明るい灰色"},
      {0xC0DCC0, L"ミント グリーン"},
      {0xF0CAA6, L"スカイ ブルー"},
      {0xF0FBFF, L"クリーム色"},
      {SystemColor(0), L"スクロール バー"},
      {SystemColor(1), L"デスクトップの背景"},
      {SystemColor(2), L"アクティブ タイトル バー"},
      {SystemColor(3), L"非アクティブ タイトル バー"},
      {SystemColor(4), L"ポップアップ メニューの背景"},
      {SystemColor(5), L"ウィンドウの背景"},
      {SystemColor(6), L"ウィンドウの枠"},
      {SystemColor(7), L"メニューの文字"},
      {SystemColor(8), L"ウィンドウの文字"},
      {SystemColor(9), L"アクティブ タイトル バーの文字"},
      {SystemColor(10), L"アクティブ ウィンドウの境界"},
      {SystemColor(11), L"非アクティブ ウィンドウの境界"},
      {SystemColor(12), L"アプリケーション作業領域"},
      {SystemColor(13), L"選択した項目の背景"},
      {SystemColor(14), L"選択した項目の文字"},
      {SystemColor(15), L"ボタンの表面"},
      {SystemColor(16), L"ボタンの影"},
      {SystemColor(17), L"無効な項目の文字"},
      {SystemColor(18), L"ボタンの文字"},
      {SystemColor(19), L"非アクティブ タイトル バーの文字"},
      {SystemColor(20), L"ボタンの最も明るい部分"},
      {SystemColor(21), L"ボタンの最も暗い影"},
      {SystemColor(22), L"ボタンの明るい部分"},
      {SystemColor(23), L"ヒントの文字"},
      {SystemColor(24), L"ヒントの背景"},
      {SystemColor(26), L"リンクの文字"},
      {SystemColor(27), L"アクティブ タイトル バー (グラデーション)"},
      {SystemColor(28), L"非アクティブ タイトル バー (グラデーション)"},
      {SystemColor(29), L"選択項目の明るい部分"},
      {SystemColor(30), L"ウィンドウ メニューの背景"},
      {clNone, L"(なし)"},
      {clDefault, L"(デフォルト)"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(ColorName(c.Color), c.Name) << std::hex << c.Color;
}

TEST(ColorNames, OtherValuesHaveNoName) {
  for (const TColor color : {TColor{0x123456}, TColor{0x000001}, SystemColor(25), SystemColor(31), TColor{0x1FFFFFFE},
                             TColor{0x20000001}}) {
    EXPECT_EQ(ColorName(color), L"") << std::hex << color;
  }
}

TEST(ColorNames, TheCustomCaptionShowsRedGreenBlueInLowerCaseHex) {
  EXPECT_EQ(CustomColorCaption(0x0000FF), L"ユーザー定義 (#ff0000)...");  // pure red
  EXPECT_EQ(CustomColorCaption(0x0A0B0C), L"ユーザー定義 (#0c0b0a)...");
  EXPECT_EQ(CustomColorCaption(0x000000), L"ユーザー定義 (#000000)...");
}

TEST(ColorNames, TheBoxListsTheCustomEntryFirstThenTheChosenGroups) {
  const std::vector<TColorBoxItem> all = ColorBoxItems(
      cbCustomColor | cbStandardColors | cbExtendedColors | cbSystemColors | cbIncludeNone | cbIncludeDefault, 0x0000FF);
  ASSERT_EQ(all.size(), 1u + 16 + 4 + 30 + 2);
  EXPECT_EQ(all.front(), (TColorBoxItem{0x0000FF, L"ユーザー定義 (#ff0000)..."}));
  EXPECT_EQ(all[1], (TColorBoxItem{0x000000, L"黒"}));
  EXPECT_EQ(all[17], (TColorBoxItem{0xA4A0A0, L"明るい灰色"}));
  EXPECT_EQ(all[21], (TColorBoxItem{SystemColor(0), L"スクロール バー"}));
  EXPECT_EQ(all[all.size() - 2], (TColorBoxItem{clNone, L"(なし)"}));
  EXPECT_EQ(all.back(), (TColorBoxItem{clDefault, L"(デフォルト)"}));
  std::set<TColor> distinct;
  for (const TColorBoxItem& item : all) distinct.insert(item.Color);
  EXPECT_EQ(distinct.size(), all.size() - 1);  // the custom entry holds red, which is listed too

  const std::vector<TColorBoxItem> standard = ColorBoxItems(cbStandardColors, 0);
  ASSERT_EQ(standard.size(), 16u);
  EXPECT_EQ(standard.back(), (TColorBoxItem{0xFFFFFF, L"白"}));
}

TEST(ColorNames, TheDropDownIsAsWideAsItsWidestTextAtMostHalfTheScreen) {
  // text + swatch
  EXPECT_EQ(ColorDropDownWidth(150, 30, 8, 8, 17, 1280), 180);
  // + scroll bar once not every item fits
  EXPECT_EQ(ColorDropDownWidth(150, 30, 9, 8, 17, 1280), 197);
  EXPECT_EQ(ColorDropDownWidth(900, 30, 50, 8, 17, 1280), 640);
}

}  // namespace
}  // namespace tdialix
