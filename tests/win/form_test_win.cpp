// The base form: its keys, font, icon, hints, pointer snap, help and place
// on the screen, on a small form of the test's own.
#include "components/form_win.h"

#include <windows.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <vector>

#include "components/standard_controls_win.h"
#include "components/tray_icon_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class TSampleForm : public TWRForm {
 public:
  explicit TSampleForm(bool withCancel = true) : TWRForm(L"TSampleForm") {
    Caption = L"見本";
    ClientSize = {240, 120};
    HelpContext = 7;
    NameEdit.HelpContext = 42;
    OKButton.Default = true;
    OKButton.ModalResult = mrOk;
    CancelButton.Cancel = withCancel;
    CancelButton.ModalResult = mrCancel;
    OtherButton.OnClick = [this] { ++OtherClicks; };
    HelpButton.HelpButton = true;
    Layout({{NameLabel, {8, 8, 100, 15, L"名前(&N):"}},
            {NameEdit, {8, 26, 224, 21}},
            {OtherButton, {8, 56, 75, 25, L"その他"}},
            {HelpButton, {157, 56, 75, 25, L"ヘルプ"}},
            {OKButton, {76, 88, 75, 25, L"OK"}, nullptr, IDOK},
            {CancelButton, {157, 88, 75, 25, L"キャンセル"}}});
  }
  TWRLabel NameLabel;
  TWREdit NameEdit;
  TWRButton OtherButton;
  TWRButton HelpButton;
  TWRButton OKButton;
  TWRButton CancelButton;
  int OtherClicks = 0;
};

bool HasDefaultFrame(const TWRButton& button) {
  return (::GetWindowLongPtrW(button.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

TEST(Form, EscapePressesTheCancelButtonOrCancels) {
  for (const bool withCancel : {true, false}) {
    TSampleForm form(withCancel);
    int cancelClicks = 0;
    form.CancelButton.OnClick = [&] { ++cancelClicks; };
    const int result = RunModal([&] { return form.ShowModal(); }, [&](HWND dialog) {
      EXPECT_EQ(dialog, form.Handle());
      form.NameEdit.SetFocus();
      PostKey(nullptr, VK_ESCAPE);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(cancelClicks, withCancel ? 1 : 0);
    EXPECT_EQ(form.Handle(), nullptr) << "the window goes when the form closes";
  }
}

TEST(Form, EnterPressesTheFocusedButtonElseTheDefaultOne) {
  TSampleForm form;
  const int result = RunModal([&] { return form.ShowModal(); }, [&](HWND dialog) {
    // The focused push button takes the default frame, and Enter presses it.
    form.OtherButton.SetFocus();
    EXPECT_TRUE(HasDefaultFrame(form.OtherButton));
    EXPECT_FALSE(HasDefaultFrame(form.OKButton));
    PostKey(nullptr, VK_RETURN);
    PumpDialog(dialog);
    EXPECT_EQ(form.OtherClicks, 1);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    // Elsewhere the default button has it back.
    form.NameEdit.SetFocus();
    EXPECT_TRUE(HasDefaultFrame(form.OKButton));
    EXPECT_FALSE(HasDefaultFrame(form.OtherButton));
    PostKey(nullptr, VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
}

TEST(Form, AccessKeysAndTabMoveTheFocus) {
  TSampleForm form;
  RunModal([&] { return form.ShowModal(); }, [&](HWND dialog) {
    form.OKButton.SetFocus();
    // The label's access key focuses the control after it.
    const UINT scan = ::MapVirtualKeyW('N', MAPVK_VK_TO_VSC);
    ::PostMessageW(::GetFocus(), WM_SYSKEYDOWN, 'N', 1 | (scan << 16) | (1u << 29));
    ::PostMessageW(::GetFocus(), WM_SYSCHAR, L'n', 1 | (scan << 16) | (1u << 29));
    PumpDialog(dialog);
    EXPECT_TRUE(form.NameEdit.Focused());
    PostKey(nullptr, VK_TAB);
    PumpDialog(dialog);
    EXPECT_TRUE(form.OtherButton.Focused());
    PostKey(nullptr, VK_ESCAPE);
  });
}

TEST(Form, EveryControlTakesTheDialogFont) {
  TSampleForm form;
  form.CreateForm();
  LOGFONTW gui{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  const bool meiryo = UsesDialogFontFace(CurrentWindowsVersion());
  for (const TWRControl* control : std::vector<const TWRControl*>{&form.NameLabel, &form.NameEdit, &form.OKButton}) {
    const std::optional<LOGFONTW> font = ControlFont(control->Handle());
    ASSERT_TRUE(font);
    EXPECT_STREQ(font->lfFaceName, meiryo ? L"Meiryo UI" : gui.lfFaceName);
    EXPECT_EQ(font->lfHeight, gui.lfHeight);
    EXPECT_EQ(font->lfWeight, gui.lfWeight);
  }
  // This system is Windows 7 or later to the program.
  EXPECT_TRUE(meiryo);
}

TEST(Form, LaysItselfOutInPixelsAtTheDisplaysDpi) {
  TSampleForm form;
  form.CreateForm();
  EXPECT_EQ(form.Dpi(), 96);
  const SIZE client = ClientSize(form.Handle());
  EXPECT_EQ(client.cx, 240);
  EXPECT_EQ(client.cy, 120);
  const RECT edit = WindowRectIn(form.NameEdit.Handle(), form.Handle());
  EXPECT_EQ(edit.left, 8);
  EXPECT_EQ(edit.top, 26);
  EXPECT_EQ(edit.right - edit.left, 224);
  EXPECT_EQ(edit.bottom - edit.top, 21);
  // Every label is a window of its own, which tests and screen readers find.
  const HWND label = FindControlByText(form.Handle(), L"名前(&N):");
  EXPECT_EQ(label, form.NameLabel.Handle());
  EXPECT_EQ(WindowClass(label), L"Static");
  EXPECT_EQ(WindowClass(form.Handle()), L"TSampleForm");
  EXPECT_EQ(WindowText(form.Handle()), L"見本");
  EXPECT_TRUE(TextsThatDoNotFit(form.Handle()).empty()) << Describe(TextsThatDoNotFit(form.Handle()));
}

TEST(Form, TakesNoComposedInputAndShowsTheApplicationIcon) {
  TSampleForm form;
  form.CreateForm();
  const HIMC context = ::ImmGetContext(form.Handle());
  EXPECT_EQ(context, nullptr);
  if (context) ::ImmReleaseContext(form.Handle(), context);
  const auto small = reinterpret_cast<HICON>(::SendMessageW(form.Handle(), WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(small, &info));
  BITMAP mask{};
  ::GetObjectW(info.hbmMask, sizeof mask, &mask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  EXPECT_EQ(mask.bmWidth, ::GetSystemMetrics(SM_CXSMICON));
}

TEST(Form, SystemMenuCommandsShowTheirHintWhileHighlighted) {
  TSampleForm form;
  form.CreateForm();
  std::vector<std::wstring> hints;
  TWRApplication::Instance().OnHint = [&](const std::wstring& hint) { hints.push_back(hint); };
  const HMENU menu = ::GetSystemMenu(form.Handle(), FALSE);
  ::SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(SC_MOVE, MF_SYSMENU), reinterpret_cast<LPARAM>(menu));
  EXPECT_EQ(TWRApplication::Instance().Hint(), L"このウィンドウを画面の別の位置に移動します。");
  ::SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_SYSMENU), reinterpret_cast<LPARAM>(menu));
  EXPECT_EQ(TWRApplication::Instance().Hint(), L"このウィンドウを閉じます。");
  // Leaving the menu clears it.
  ::SendMessageW(form.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(TWRApplication::Instance().Hint(), L"");
  TWRApplication::Instance().OnHint = nullptr;
  EXPECT_EQ(hints, (std::vector<std::wstring>{L"このウィンドウを画面の別の位置に移動します。", L"このウィンドウを閉じます。", L""}));
}

// Turns the system's snap-to-default-button setting on for this process while it lives.
class TSnapSetting {
 public:
  TSnapSetting() {
    ::SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &Saved, 0);
    ::SystemParametersInfoW(SPI_SETSNAPTODEFBUTTON, TRUE, nullptr, 0);
  }
  ~TSnapSetting() { ::SystemParametersInfoW(SPI_SETSNAPTODEFBUTTON, Saved, nullptr, 0); }

 private:
  BOOL Saved = FALSE;
};

POINT Centre(HWND window) {
  const RECT r = WindowRectIn(window);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(Form, OpeningSnapsThePointerToTheDefaultButtonElseTheCancelButton) {
  const TSnapSetting snap;
  BOOL on = FALSE;
  ::SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &on, 0);
  ASSERT_TRUE(on);
  ::SetCursorPos(1, 1);
  TSampleForm form;
  RunModal([&] { return form.ShowModal(); }, [&](HWND) {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, Centre(form.OKButton.Handle()).x);
    EXPECT_EQ(pointer.y, Centre(form.OKButton.Handle()).y);
    PostKey(nullptr, VK_ESCAPE);
  });
  TSampleForm noDefault;
  noDefault.OKButton.Default = false;
  RunModal([&] { return noDefault.ShowModal(); }, [&](HWND) {
    POINT pointer{};
    ::GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, Centre(noDefault.CancelButton.Handle()).x);
    EXPECT_EQ(pointer.y, Centre(noDefault.CancelButton.Handle()).y);
    PostKey(nullptr, VK_ESCAPE);
  });
}

TEST(Form, ADisplayChangeBringsACentredFormBackIntoTheWorkArea) {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  for (const TFormPosition position : {TFormPosition::poScreenCenter, TFormPosition::poDesigned}) {
    TSampleForm form;
    form.Position = position;
    form.Show();
    ::SetWindowPos(form.Handle(), nullptr, work.right - 40, work.bottom - 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SendMessageW(form.Handle(), WM_DISPLAYCHANGE, 24, MAKELPARAM(work.right, work.bottom));
    const RECT placed = WindowRectIn(form.Handle());
    if (position == TFormPosition::poScreenCenter) {
      EXPECT_LE(placed.right, work.right);
      EXPECT_LE(placed.bottom, work.bottom);
      EXPECT_GE(placed.left, work.left);
      EXPECT_GE(placed.top, work.top);
    } else {
      EXPECT_EQ(placed.left, work.right - 40) << "a form placed by its owner stays";
    }
  }
}

TEST(Form, OpensCentredOnTheScreen) {
  TSampleForm form;
  form.CreateForm();
  const RECT placed = WindowRectIn(form.Handle());
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((placed.left + placed.right) / 2, width / 2, 1);
  EXPECT_NEAR((placed.top + placed.bottom) / 2, height / 2, 1);
}

TEST(Form, F1AndTheHelpButtonOpenTheHelpTopic) {
  std::vector<int> topics;
  TWRApplication::Instance().OnHelp = [&](int context) { topics.push_back(context); };
  TSampleForm form;
  RunModal([&] { return form.ShowModal(); }, [&](HWND dialog) {
    form.NameEdit.SetFocus();
    PostKey(nullptr, VK_F1);  // the edit's own topic
    PumpDialog(dialog);
    form.OtherButton.SetFocus();
    PostKey(nullptr, VK_F1);  // a control without one: the form's
    PumpDialog(dialog);
    Click(form.HelpButton.Handle());
    PostKey(nullptr, VK_ESCAPE);
  });
  TWRApplication::Instance().OnHelp = nullptr;
  EXPECT_EQ(topics, (std::vector<int>{42, 7, 7}));
}

TEST(Form, SizeLimitsHoldTheWindowsTrackingSize) {
  TSampleForm form;
  form.BorderStyle = TFormBorderStyle::bsSizeable;
  form.Constraints = {200, 100, 600, 400};
  form.CreateForm();
  MINMAXINFO info{};
  ::SendMessageW(form.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMinTrackSize.y, 100);
  EXPECT_EQ(info.ptMaxTrackSize.x, 600);
  EXPECT_EQ(info.ptMaxTrackSize.y, 400);
}

TEST(Form, CanBeShownAgainAfterItClosed) {
  TSampleForm form;
  for (int round = 0; round < 2; ++round) {
    const int result = RunModal([&] { return form.ShowModal(); }, [&](HWND) { Click(form.OKButton.Handle()); });
    EXPECT_EQ(result, mrOk);
  }
}

}  // namespace
}  // namespace tdialix
