// The differences of the other controls and of the system's dialogs as the
// program shows them.
#include <windows.h>
#include <colordlg.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "components/common_controls_win.h"
#include "components/common_dialogs_win.h"
#include "components/extended_controls_win.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class TControlsForm : public TWRForm {
 public:
  TControlsForm() : TWRForm(L"TControlsForm") {
    Caption = L"部品";
    ClientSize = {400, 300};
    Memo.WordWrap = true;
    Slider.Min = 0;
    Slider.Max = 100;
    Slider.WheelSize = 5;
    Slider.SetPosition(50);
    Layout({{Check, {8, 8, 20, 17, L"表示する(&S)"}},
            {Group, {8, 32, 180, 70, L"グループ(&G)"}},
            {InGroup, {10, 20, 150, 21}, &Group},
            {Memo, {200, 8, 190, 60}},
            {Pages, {8, 110, 380, 120}},
            {FirstPage, {0, 0, 0, 0, L"一般"}, &Pages},
            {SecondPage, {0, 0, 0, 0, L"詳細"}, &Pages},
            {OnSecondPage, {8, 8, 100, 15, L"詳細の項目"}, &SecondPage},
            {Slider, {8, 240, 200, 30}},
            {Bevel, {220, 240, 100, 2}}});
  }
  TWRCheckBox Check;
  TWRGroupBox Group;
  TWREdit InGroup;
  TWRMemo Memo;
  TWRPageControl Pages;
  TWRTabSheet FirstPage{Pages};
  TWRTabSheet SecondPage{Pages};
  TWRLabel OnSecondPage;
  TWRTrackBar Slider;
  TWRBevel Bevel;
};

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TControlsForm>();
    Form->Show();
    PumpDialog(Form->Handle());
  }
  std::unique_ptr<TControlsForm> Form;
};

TEST_F(ControlsTest, ACheckBoxSizesItselfToItsCaption) {
  const RECT r = WindowRectIn(Form->Check.Handle(), Form->Handle());
  EXPECT_GT(r.right - r.left, 60) << "wider than the layout's 20 pixels";
  EXPECT_TRUE(TextsThatDoNotFit(Form->Handle()).empty()) << Describe(TextsThatDoNotFit(Form->Handle()));
}

TEST_F(ControlsTest, AGroupBoxHoldsItsControlsAndHandsOnTheFocus) {
  // Beside it, placed in its client area.
  EXPECT_EQ(::GetParent(Form->InGroup.Handle()), Form->Handle());
  const RECT edit = WindowRectIn(Form->InGroup.Handle(), Form->Handle());
  EXPECT_EQ(edit.left, 18);
  EXPECT_EQ(edit.top, 52);
  ::SetFocus(Form->Group.Handle());
  PumpDialog(Form->Handle());
  EXPECT_TRUE(Form->InGroup.Focused());
}

TEST_F(ControlsTest, AMemoShowsItsScrollBarOnlyWhileItsTextDoesNotFit) {
  const HWND memo = Form->Memo.Handle();
  EXPECT_FALSE(::GetWindowLongPtrW(memo, GWL_STYLE) & WS_VSCROLL);
  SetText(memo, L"1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
  EXPECT_TRUE(::GetWindowLongPtrW(memo, GWL_STYLE) & WS_VSCROLL);
  SetText(memo, L"1");
  EXPECT_FALSE(::GetWindowLongPtrW(memo, GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ControlsTest, APageCanBeHiddenWithItsTab) {
  const HWND tabs = Form->Pages.Handle();
  EXPECT_EQ(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(Form->Pages.ActivePage(), &Form->FirstPage);
  Form->Pages.SetActivePage(&Form->SecondPage);
  EXPECT_TRUE(::IsWindowVisible(Form->OnSecondPage.Handle()));
  EXPECT_FALSE(::IsWindowVisible(Form->FirstPage.Handle()));
  Form->SecondPage.SetTabVisible(false);
  EXPECT_EQ(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 1);
  EXPECT_FALSE(::IsWindowVisible(Form->SecondPage.Handle()));
  EXPECT_EQ(Form->Pages.ActivePage(), &Form->FirstPage);
  EXPECT_TRUE(::IsWindowVisible(Form->FirstPage.Handle()));
  // The page's controls are children of the page, which lies inside the tabs.
  EXPECT_EQ(::GetParent(Form->OnSecondPage.Handle()), Form->SecondPage.Handle());
  EXPECT_EQ(::GetParent(Form->SecondPage.Handle()), tabs);
}

TEST_F(ControlsTest, TheSlidersWheelMovesItByWheelSize) {
  int changes = 0;
  Form->Slider.OnChange = [&] { ++changes; };
  ::SendMessageW(Form->Slider.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Form->Slider.Position(), 55);
  ::SendMessageW(Form->Slider.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
  EXPECT_EQ(Form->Slider.Position(), 45);
  EXPECT_EQ(changes, 2);
}

TEST(CommonDialogs, TheFileDialogShowsTheProgramsIconAndTitle) {
  TWROpenDialog dialog;
  dialog.Title = L"スタイルの読み込み";
  dialog.Filter = L"スタイル ファイル (*.dlx)|*.dlx|すべてのファイル|*.*";
  std::wstring title;
  HICON icon = nullptr;
  bool chosen = true;
  RunModal(
      [&] {
        chosen = dialog.Execute(nullptr);
        return 0;
      },
      [&](HWND window) {
        PumpDialogFor(window, 200);
        title = WindowText(window);
        icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        EXPECT_EQ(dialog.Handle(), window);
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      });
  EXPECT_FALSE(chosen);
  EXPECT_EQ(title, L"スタイルの読み込み");
  EXPECT_NE(icon, nullptr);
}

TEST(CommonDialogs, TheColourDialogCanKeepItsAddButtonOffAndOpensOnce) {
  TWRColorDialog dialog;
  dialog.EnableAddColor = false;
  dialog.FullOpen = true;
  bool addEnabled = true;
  bool second = true;
  RunModal([&] { return dialog.Execute(nullptr) ? 1 : 0; }, [&](HWND window) {
    PumpDialogFor(window, 200);
    addEnabled = ::IsWindowEnabled(::GetDlgItem(window, COLOR_ADD)) != FALSE;
    second = dialog.Execute(nullptr);
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(addEnabled);
  EXPECT_FALSE(second);
  EXPECT_FALSE(dialog.Executing());
}

}  // namespace
}  // namespace tdialix
