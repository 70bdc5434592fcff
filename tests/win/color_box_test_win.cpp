// The colour box in a form of the test's own: its names, the pick with a
// colour dialog that a stub stands in for, and the drop-down's width.
#include "components/color_box_win.h"

#include <windows.h>
#include <colordlg.h>

#include <gtest/gtest.h>

#include <memory>

#include "components/common_dialogs_win.h"
#include "components/form_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class TColorForm : public TWRForm {
 public:
  TColorForm() : TWRForm(L"TColorForm") {
    Caption = L"色";
    ClientSize = {240, 80};
    Colors.ColorStyle = cbCustomColor | cbStandardColors | cbExtendedColors | cbSystemColors | cbIncludeNone |
                        cbIncludeDefault;
    Colors.ColorDialog = &Dialog;
    Colors.SetSelected(0xFF0000);  // blue
    Layout({{Colors, {8, 8, 160, 22}}});
  }
  TWRColorDialog Dialog;
  TWRColorBox Colors;
};

class ColorBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TColorForm>();
    Form->Show();
    Form->Colors.OnChange = [this] { ++Changes; };
  }
  std::unique_ptr<TColorForm> Form;
  int Changes = 0;
};

TEST_F(ColorBoxTest, ListsTheCustomEntryFirstThenTheNamedColours) {
  const std::vector<std::wstring> items = ItemTexts(Form->Colors.Handle());
  ASSERT_EQ(items.size(), 53u);
  // The custom entry starts out with the selected colour; the selection is its named item.
  EXPECT_EQ(items[0], L"ユーザー定義 (#0000ff)...");
  EXPECT_EQ(items[1], L"黒");
  EXPECT_EQ(items[16], L"白");
  EXPECT_EQ(items[20], L"クリーム色");
  EXPECT_EQ(items[21], L"スクロール バー");
  EXPECT_EQ(items[51], L"(なし)");
  EXPECT_EQ(items[52], L"(デフォルト)");
  EXPECT_EQ(items[SelectedItem(Form->Colors.Handle())], L"青");
  EXPECT_EQ(Form->Colors.Selected(), 0xFF0000);
}

TEST_F(ColorBoxTest, AColourThatIsNotListedGoesIntoTheCustomEntry) {
  Form->Colors.SetSelected(0x123456);
  EXPECT_EQ(SelectedItem(Form->Colors.Handle()), 0);
  EXPECT_EQ(ItemTexts(Form->Colors.Handle())[0], L"ユーザー定義 (#563412)...");
  EXPECT_EQ(Form->Colors.Selected(), 0x123456);
}

TEST_F(ColorBoxTest, PickingTheCustomEntryKeepsTheDialogsColourOnOk) {
  TColor offered = -1;
  bool secondOpening = true;
  Form->Dialog.Runner = [&](CHOOSECOLORW& info) {
    offered = static_cast<TColor>(info.rgbResult);
    // While the dialog is open it does not open again.
    secondOpening = Form->Dialog.Execute(Form->Handle());
    info.rgbResult = 0x0000FF;  // pure red
    return TRUE;
  };
  SelectItem(Form->Colors.Handle(), 0);
  EXPECT_EQ(offered, 0xFF0000) << "the dialog opens with the entry's colour";
  EXPECT_FALSE(secondOpening);
  EXPECT_EQ(SelectedItem(Form->Colors.Handle()), 0);
  EXPECT_EQ(ItemTexts(Form->Colors.Handle())[0], L"ユーザー定義 (#ff0000)...");
  EXPECT_EQ(Form->Colors.Selected(), 0x0000FF);
  EXPECT_EQ(Changes, 1);
}

TEST_F(ColorBoxTest, CancellingThePickSelectsThePreviousItemAgain) {
  SelectItem(Form->Colors.Handle(), 3);  // 緑色
  EXPECT_EQ(Form->Colors.Selected(), 0x008000);
  Form->Dialog.Runner = [](CHOOSECOLORW&) { return FALSE; };
  SelectItem(Form->Colors.Handle(), 0);
  EXPECT_EQ(SelectedItem(Form->Colors.Handle()), 3);
  EXPECT_EQ(ItemTexts(Form->Colors.Handle())[0], L"ユーザー定義 (#0000ff)...");
  EXPECT_EQ(Form->Colors.Selected(), 0x008000);
  EXPECT_EQ(Changes, 1);
}

TEST_F(ColorBoxTest, WhileTheListIsDownTheCustomEntryPicksOnlyWhenTheListCloses) {
  int picks = 0;
  Form->Dialog.Runner = [&](CHOOSECOLORW& info) {
    ++picks;
    info.rgbResult = 0x00FF00;
    return TRUE;
  };
  const HWND box = Form->Colors.Handle();
  ::SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  SelectItem(box, 0);  // moving through the list
  PumpDialog(Form->Handle());
  EXPECT_EQ(picks, 0);
  // The list closes on the entry, as a click on it closes it.
  ::SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  ::SendMessageW(box, CB_SETCURSEL, 0, 0);
  ::SendMessageW(Form->Handle(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(box), CBN_CLOSEUP), reinterpret_cast<LPARAM>(box));
  EXPECT_EQ(picks, 0) << "the pick waits until the list has gone";
  PumpDialog(Form->Handle());
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(Form->Colors.Selected(), 0x00FF00);
  EXPECT_EQ(ItemTexts(box)[0], L"ユーザー定義 (#00ff00)...");
}

TEST_F(ColorBoxTest, WithoutAnAttachedDialogTheSystemsDialogPicks) {
  Form->Colors.ColorDialog = nullptr;
  std::wstring dialogClass;
  RunModal(
      [&] {
        SelectItem(Form->Colors.Handle(), 0);
        return 0;
      },
      [&](HWND dialog) {
        dialogClass = WindowClass(dialog);
        EXPECT_TRUE(::IsWindow(::GetDlgItem(dialog, COLOR_ADD)));
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      });
  EXPECT_EQ(dialogClass, L"#32770");
  EXPECT_EQ(Form->Colors.Selected(), 0xFF0000) << "cancelled: blue again";
}

TEST_F(ColorBoxTest, TheDroppedListIsAsWideAsItsWidestName) {
  const HWND box = Form->Colors.Handle();
  ::SendMessageW(box, CB_SHOWDROPDOWN, TRUE, 0);
  const auto width = static_cast<int>(::SendMessageW(box, CB_GETDROPPEDWIDTH, 0, 0));
  ::SendMessageW(box, CB_SHOWDROPDOWN, FALSE, 0);
  // The widest name, "非アクティブ タイトル バー (グラデーション)", does not fit the box itself.
  const HDC dc = ::GetDC(box);
  const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0)));
  SIZE widest{};
  const std::wstring name = L"非アクティブ タイトル バー (グラデーション)";
  ::GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &widest);
  ::SelectObject(dc, previous);
  ::ReleaseDC(box, dc);
  EXPECT_GT(width, widest.cx + ::GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_GT(width, static_cast<int>(WindowRectIn(box).right - WindowRectIn(box).left));
  EXPECT_LE(width, ::GetSystemMetrics(SM_CXSCREEN) / 2);
}

}  // namespace
}  // namespace tdialix
