#include "components/form_layout.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(FormLayout, LengthsAreScaledByTheDisplaysDpi) {
  EXPECT_EQ(ScaleToDpi(321, 96), 321);
  EXPECT_EQ(ScaleToDpi(321, 144), 482);  // 481.5 rounds away from zero
  EXPECT_EQ(ScaleToDpi(75, 120), 94);
  EXPECT_EQ(ScaleToDpi(0, 192), 0);
}

TEST(FormLayout, TheDialogFontFaceComesWithWindows7) {
  EXPECT_FALSE(UsesDialogFontFace({5, 1}));
  EXPECT_FALSE(UsesDialogFontFace({6, 0}));
  EXPECT_TRUE(UsesDialogFontFace({6, 1}));
  EXPECT_TRUE(UsesDialogFontFace({10, 0}));
}

TEST(FormLayout, ATallerFontGrowsWhicheverWayItsHeightIsGiven) {
  EXPECT_EQ(TallerFontHeight(-12, 10), -22);
  EXPECT_EQ(TallerFontHeight(16, 10), 26);
}

TEST(FormLayout, FormsAreCentredAndKeptInsideTheWorkArea) {
  EXPECT_EQ(CenteredRect({321, 179}, {0, 0, 1280, 1024}), (TRect{479, 422, 800, 601}));
  EXPECT_EQ(CenteredRect({100, 100}, {1280, 0, 2560, 1000}), (TRect{1870, 450, 1970, 550}));

  const TRect work{0, 0, 1280, 984};
  struct Case {
    TRect Window, Expected;
  };
  const Case cases[] = {
      {{100, 100, 400, 300}, {100, 100, 400, 300}},      // inside: stays
      {{1200, 900, 1500, 1100}, {980, 784, 1280, 984}},  // beyond the right and the bottom
      {{-50, -20, 250, 180}, {0, 0, 300, 200}},          // beyond the left and the top
      {{-100, 800, 1500, 1300}, {0, 484, 1600, 984}},    // wider than the work area: the left edge wins
  };
  for (const Case& c : cases) EXPECT_EQ(KeptInsideWorkArea(c.Window, work), c.Expected);
  // A work area that does not start at 0 (a taskbar on the left or the top).
  EXPECT_EQ(KeptInsideWorkArea({10, 10, 110, 110}, {60, 30, 1280, 1024}), (TRect{60, 30, 160, 130}));
}

TEST(FormLayout, ThePointerSnapsToTheDefaultThenTheCancelThenTheFirstButton) {
  EXPECT_EQ(SnapButton({{false, true, 0}, {true, false, 1}}), 1u);
  EXPECT_EQ(SnapButton({{false, false, 0}, {false, true, 1}}), 1u);
  EXPECT_EQ(SnapButton({{false, false, 2}, {false, false, 0}}), 1u);
  EXPECT_EQ(SnapButton({{false, false, 1}}), std::nullopt);
  EXPECT_EQ(SnapButton({}), std::nullopt);
}

TEST(FormLayout, EverySystemMenuCommandHasItsHint) {
  struct Case {
    unsigned Command;
    const wchar_t* Hint;
  };
  const Case cases[] = {
      {syscommand::Size, L"このウィンドウのサイズを変更します。"},
      {syscommand::Move, L"このウィンドウを画面の別の位置に移動します。"},
      {syscommand::Minimize, L"このウィンドウを最小化します。"},
      {syscommand::Maximize, L"このウィンドウを画面いっぱいに拡大します。"},
      {syscommand::NextWindow, L"次のウィンドウに切り替えます。"},
      {syscommand::PrevWindow, L"前のウィンドウに切り替えます。"},
      {syscommand::Close, L"このウィンドウを閉じます。"},
      {syscommand::Restore, L"このウィンドウを通常の大きさに戻します。"},
      {syscommand::Move | 2, L"このウィンドウを画面の別の位置に移動します。"},  // moving by the keyboard
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(SystemMenuHint(c.Command)) << std::hex << c.Command;
    EXPECT_EQ(MessageText(*SystemMenuHint(c.Command)), c.Hint);
  }
  EXPECT_EQ(SystemMenuHint(0xF100), std::nullopt);  // the task list
  EXPECT_EQ(SystemMenuHint(1), std::nullopt);
}

}  // namespace
}  // namespace tdialix
