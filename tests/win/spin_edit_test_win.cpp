// The number fields in a form of the test's own: refused keystrokes with
// their balloons, texts out of range, stepping by keys, wheel and buttons,
// and the balloon's ways of going.
#include "components/spin_edit_win.h"

#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <memory>

#include "base/text.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class TNumberForm : public TWRForm {
 public:
  TNumberForm() : TWRForm(L"TNumberForm") {
    Caption = L"数値";
    ClientSize = {240, 130};
    Size.SetMin(8);
    Size.SetMax(128);
    Size.SetIncrement(8);
    Size.SetPageSize(16);
    Size.SetPosition(8);
    Offset.SetMin(-100);
    Offset.SetMax(100);
    Ratio.SetMin(0);
    Ratio.SetMax(10);
    Ratio.SetIncrement(0.5);
    Layout({{Size, {8, 8, 80, 21}},
            {Offset, {8, 38, 80, 21}},
            {Ratio, {8, 68, 80, 21}},
            {Other, {120, 8, 100, 21}},
            {OKButton, {157, 98, 75, 25, L"OK"}, nullptr, IDOK}});
    OKButton.Default = true;
    OKButton.ModalResult = mrOk;
  }
  TWRSpinEdit Size;         // 8..128, steps of 8 and 16
  TWRSpinEdit Offset;       // -100..100
  TWRFloatSpinEdit Ratio;   // 0..10, steps of 0.5
  TWREdit Other;
  TWRButton OKButton;
};

class SpinEditTest : public testing::Test {
 protected:
  void SetUp() override {
    PreviousBeep = TBaseWRSpinEdit::SetBeep([this] { ++Beeps; });
    Form = std::make_unique<TNumberForm>();
    Form->Show();
    ::SetForegroundWindow(Form->Handle());
    PumpDialog(Form->Handle());
  }
  void TearDown() override {
    Form.reset();
    TBaseWRSpinEdit::SetBeep(PreviousBeep);
  }

  // Puts a valid text into the field (which hides any balloon) with the
  // caret at caret and selection characters selected.
  void Prepare(TBaseWRSpinEdit& field, const wchar_t* text, int caret, int selection = 0) {
    field.SetFocus();
    SetText(field.Handle(), text);
    ::SendMessageW(field.Handle(), EM_SETSEL, static_cast<WPARAM>(caret), caret + selection);
    Beeps = 0;
  }

  std::unique_ptr<TNumberForm> Form;
  std::function<void()> PreviousBeep;
  int Beeps = 0;
};

struct RefusedKey {
  const char* Case;
  int Field;  // 0 Size, 1 Offset, 2 Ratio
  const wchar_t* Text;
  int Caret;
  int Selection;
  wchar_t Key;
  const wchar_t* Title;
  const wchar_t* Message;
  int Icon;
};

TEST_F(SpinEditTest, RefusedKeystrokesInsertNothingAndSayWhyInABalloon) {
  const RefusedKey cases[] = {
      {"minus where no value is negative", 0, L"16", 0, 0, L'-', L"入力できません", L"ここには数字を入力してください。",
       TTI_ERROR},
      {"minus after the start", 1, L"12", 2, 0, L'-', L"入力できません", L"マイナスは先頭に入力してください。",
       TTI_WARNING},
      {"a second minus", 1, L"-12", 3, 0, L'-', L"入力できません", L"マイナスは既に入力されています。", TTI_WARNING},
      {"a digit before the minus", 1, L"-5", 0, 0, L'3', L"入力できません", L"数字はマイナスより後に入力してください。",
       TTI_WARNING},
      {"a second point", 2, L"1.5", 3, 0, L'.', L"入力できません", L"小数点は既に入力されています。", TTI_WARNING},
      {"a point in the integer field", 0, L"16", 2, 0, L'.', L"入力できません", L"ここには数字を入力してください。",
       TTI_ERROR},
      {"a fourth digit", 0, L"128", 3, 0, L'4', L"入力できません", L"3 文字以内で入力してください。", TTI_WARNING},
      {"a letter", 2, L"1", 1, 0, L'x', L"入力できません", L"ここには数字を入力してください。", TTI_ERROR},
      {"Ctrl+X with nothing selected", 1, L"12", 1, 0, kCharCut, L"", L"文字列を選択してください。", TTI_NONE},
  };
  TBaseWRSpinEdit* fields[] = {&Form->Size, &Form->Offset, &Form->Ratio};
  for (const RefusedKey& c : cases) {
    TBaseWRSpinEdit& field = *fields[c.Field];
    Prepare(field, c.Text, c.Caret, c.Selection);
    TypeText(field.Handle(), std::wstring(1, c.Key));
    EXPECT_EQ(WindowText(field.Handle()), c.Text) << c.Case;
    const TBalloonShown balloon = SpinBalloon(field.Handle());
    EXPECT_TRUE(balloon.Visible) << c.Case;
    EXPECT_EQ(balloon.Title, c.Title) << c.Case;
    EXPECT_EQ(balloon.Text, c.Message) << c.Case;
    EXPECT_EQ(balloon.Icon, c.Icon) << c.Case;
    EXPECT_EQ(Beeps, 1) << c.Case;
  }
}

TEST_F(SpinEditTest, AcceptedKeystrokesGoInAndHideTheBalloon) {
  Prepare(Form->Offset, L"12", 2);
  TypeText(Form->Offset.Handle(), L"-");
  ASSERT_TRUE(SpinBalloon(Form->Offset.Handle()).Visible);
  ::SendMessageW(Form->Offset.Handle(), EM_SETSEL, 0, 0);
  TypeText(Form->Offset.Handle(), L"-");
  EXPECT_EQ(WindowText(Form->Offset.Handle()), L"-12");
  EXPECT_EQ(Form->Offset.Position(), -12);
  EXPECT_FALSE(SpinBalloon(Form->Offset.Handle()).Visible);
}

TEST_F(SpinEditTest, TheBalloonPointsBelowTheCaret) {
  Prepare(Form->Offset, L"12", 2);
  TypeText(Form->Offset.Handle(), L"-");
  POINT caret{};
  ASSERT_TRUE(::GetCaretPos(&caret));
  ::ClientToScreen(Form->Offset.Handle(), &caret);
  const HDC dc = ::GetDC(Form->Offset.Handle());
  const HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(Form->Offset.Handle(), WM_GETFONT, 0, 0)));
  SIZE text{};
  ::GetTextExtentPoint32W(dc, L"12", 2, &text);
  ::SelectObject(dc, previous);
  ::ReleaseDC(Form->Offset.Handle(), dc);
  EXPECT_EQ(Form->Offset.BalloonTip().x, caret.x);
  EXPECT_EQ(Form->Offset.BalloonTip().y, caret.y + text.cy);
}

TEST_F(SpinEditTest, ATextOutOfRangeHoldsTheBoundAndShowsItOnLeaving) {
  Prepare(Form->Offset, L"", 0);
  int changes = 0;
  Form->Offset.OnChange = [&] { ++changes; };
  SetText(Form->Offset.Handle(), L"200");
  EXPECT_EQ(Form->Offset.Position(), 100);
  EXPECT_EQ(changes, 1);
  const TBalloonShown balloon = SpinBalloon(Form->Offset.Handle());
  EXPECT_TRUE(balloon.Visible);
  EXPECT_EQ(balloon.Title, L"範囲外の値");
  EXPECT_EQ(balloon.Text, L"-100 から 100 までの値を入力してください。");
  EXPECT_EQ(balloon.Icon, TTI_WARNING);
  EXPECT_EQ(WindowText(Form->Offset.Handle()), L"200") << "the typed text stays while typing";
  // Leaving the field shows the value it holds, and the balloon goes.
  Form->Other.SetFocus();
  EXPECT_EQ(WindowText(Form->Offset.Handle()), L"100");
  EXPECT_FALSE(SpinBalloon(Form->Offset.Handle()).Visible);
}

TEST_F(SpinEditTest, StepsByKeysWheelAndButtonsWithABeepAtTheEnds) {
  TWRSpinEdit& size = Form->Size;
  Prepare(size, L"8", 1);
  SendKey(size.Handle(), VK_UP);
  EXPECT_EQ(size.Position(), 16);
  SendKey(size.Handle(), VK_PRIOR);
  EXPECT_EQ(size.Position(), 32);
  SendKey(size.Handle(), VK_DOWN);
  EXPECT_EQ(size.Position(), 24);
  SendKey(size.Handle(), VK_NEXT);
  EXPECT_EQ(size.Position(), 8);
  EXPECT_EQ(Beeps, 0);
  SendKey(size.Handle(), VK_DOWN);
  EXPECT_EQ(size.Position(), 8);
  EXPECT_EQ(Beeps, 1);
  EXPECT_EQ(WindowText(size.Handle()), L"8");

  // The wheel: a notch away from the user steps up, with Ctrl by a page.
  ::SendMessageW(size.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(size.Position(), 16);
  ::SendMessageW(size.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), 0);
  EXPECT_EQ(size.Position(), 32);
  ::SendMessageW(size.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(size.Position(), 24);

  // The buttons step by the increment (with Ctrl the page) times their first acceleration step.
  const HWND buttons = size.Buttons().Handle();
  UDACCEL accel{0, 2};
  ::SendMessageW(buttons, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  const SIZE area = ClientSize(buttons);
  auto clickUpper = [&] {
    ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(area.cx / 2, 2));
    ::SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(area.cx / 2, 2));
  };
  clickUpper();
  EXPECT_EQ(size.Position(), 40);
  {
    const THeldKeys control{VK_CONTROL};
    clickUpper();
  }
  EXPECT_EQ(size.Position(), 72);
  ::SendMessageW(buttons, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(area.cx / 2, area.cy - 2));
  ::SendMessageW(buttons, WM_LBUTTONUP, 0, MAKELPARAM(area.cx / 2, area.cy - 2));
  EXPECT_EQ(size.Position(), 56);
  EXPECT_EQ(WindowText(size.Handle()), L"56");

  size.SetPosition(120);
  Beeps = 0;
  SendKey(size.Handle(), VK_PRIOR);
  EXPECT_EQ(size.Position(), 128);
  EXPECT_EQ(Beeps, 1);
}

TEST_F(SpinEditTest, TheKeyDownEventComesFirstAndCanStopAStep) {
  TWRSpinEdit& size = Form->Size;
  Prepare(size, L"8", 1);
  std::vector<WORD> keys;
  size.OnKeyDown = [&](WORD& key) {
    keys.push_back(key);
    if (key == VK_PRIOR) key = 0;
  };
  SendKey(size.Handle(), VK_UP);
  SendKey(size.Handle(), VK_PRIOR);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_UP, VK_PRIOR}));
  EXPECT_EQ(size.Position(), 16);
}

TEST_F(SpinEditTest, DecimalFieldsStepByDecimals) {
  Prepare(Form->Ratio, L"0", 1);
  SendKey(Form->Ratio.Handle(), VK_UP);
  SendKey(Form->Ratio.Handle(), VK_UP);
  SendKey(Form->Ratio.Handle(), VK_UP);
  EXPECT_DOUBLE_EQ(Form->Ratio.Position(), 1.5);
  EXPECT_EQ(WindowText(Form->Ratio.Handle()), L"1.5");
}

TEST_F(SpinEditTest, TheBalloonGoesWhenTheFieldIsLeftChangedValidlyOrTheFormMoves) {
  TWRSpinEdit& offset = Form->Offset;
  auto refuse = [&] {
    Prepare(offset, L"12", 2);
    TypeText(offset.Handle(), L"x");
    ASSERT_TRUE(SpinBalloon(offset.Handle()).Visible);
  };
  refuse();
  Form->Other.SetFocus();
  EXPECT_FALSE(SpinBalloon(offset.Handle()).Visible) << "leaving the field";
  refuse();
  SetText(offset.Handle(), L"34");
  EXPECT_FALSE(SpinBalloon(offset.Handle()).Visible) << "a valid change";
  refuse();
  const RECT form = WindowRectIn(Form->Handle());
  ::SetWindowPos(Form->Handle(), nullptr, form.left + 10, form.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_FALSE(SpinBalloon(offset.Handle()).Visible) << "the form moving";
  refuse();
  ::SetWindowPos(Form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
  EXPECT_TRUE(SpinBalloon(offset.Handle()).Visible) << "the form only coming to the front";
}

TEST_F(SpinEditTest, TheBalloonGoesByItselfAfterTenSeconds) {
  Prepare(Form->Offset, L"12", 2);
  TypeText(Form->Offset.Handle(), L"x");
  ASSERT_TRUE(SpinBalloon(Form->Offset.Handle()).Visible);
  PumpDialogFor(Form->Handle(), TBaseWRSpinEdit::kBalloonHideDelay + 500);
  EXPECT_FALSE(SpinBalloon(Form->Offset.Handle()).Visible);
}

TEST_F(SpinEditTest, FieldsAreRightAlignedWithoutComposedInputAndLimited) {
  for (const TBaseWRSpinEdit* field : std::vector<const TBaseWRSpinEdit*>{&Form->Size, &Form->Offset, &Form->Ratio}) {
    EXPECT_TRUE(::GetWindowLongPtrW(field->Handle(), GWL_STYLE) & ES_RIGHT);
    const HIMC context = ::ImmGetContext(field->Handle());
    EXPECT_EQ(context, nullptr);
    if (context) ::ImmReleaseContext(field->Handle(), context);
  }
  EXPECT_EQ(Form->Size.TextLength(), 3);
  EXPECT_EQ(::SendMessageW(Form->Size.Handle(), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(Form->Offset.TextLength(), 4);
  EXPECT_EQ(Form->Ratio.TextLength(), 0);
  EXPECT_GT(::SendMessageW(Form->Ratio.Handle(), EM_GETLIMITTEXT, 0, 0), 1000) << "the decimal field has no limit";
  // The balloon: a topmost tracking balloon of the system's tooltip class.
  const HWND balloon = Form->Size.BalloonHandle();
  EXPECT_EQ(WindowClass(balloon), L"tooltips_class32");
  EXPECT_TRUE(::GetWindowLongPtrW(balloon, GWL_STYLE) & TTS_BALLOON);
  EXPECT_TRUE(::GetWindowLongPtrW(balloon, GWL_STYLE) & TTS_NOPREFIX);
  EXPECT_TRUE(::GetWindowLongPtrW(balloon, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(::SendMessageW(balloon, TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(SpinEditTest, PositionsSetInCodeAreClampedAndShown) {
  Form->Size.SetPosition(500);
  EXPECT_EQ(Form->Size.Position(), 128);
  EXPECT_EQ(WindowText(Form->Size.Handle()), L"128");
  Form->Ratio.SetPosition(2.25);
  EXPECT_EQ(WindowText(Form->Ratio.Handle()), L"2.25");
}

// Enter in a number field presses the form's default button, as in any edit:
// the field's arrow buttons must not be taken for one of the form's buttons.
TEST(SpinEditInAForm, EnterPressesTheDefaultButton) {
  TNumberForm form;
  const int result = RunModal([&] { return form.ShowModal(); }, [&](HWND) {
    form.Size.SetFocus();
    PostKey(form.Size.Handle(), VK_RETURN);
  });
  EXPECT_EQ(result, mrOk);
}

}  // namespace
}  // namespace tdialix
