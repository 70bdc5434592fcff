#include "components/spin_edit_win.h"

#include <cmath>
#include <cstdlib>

#include "base/failure_win.h"
#include "components/form_win.h"

namespace tdialix {

namespace {

std::function<void()>& Beeper() {
  static std::function<void()> beep = [] { ::MessageBeep(MB_OK); };
  return beep;
}

void Beep() {
  if (Beeper()) Beeper()();
}

WPARAM TooltipIcon(TBalloonIcon icon) {
  switch (icon) {
    case TBalloonIcon::biWarning: return TTI_WARNING;
    case TBalloonIcon::biError: return TTI_ERROR;
    case TBalloonIcon::biNone: break;
  }
  return TTI_NONE;
}

}  // namespace

// ---- TWRSpinEditUpDown

TWRSpinEditUpDown::TWRSpinEditUpDown(TBaseWRSpinEdit& owner) : TWRControl({UPDOWN_CLASSW}), Owner(owner) {}

void TWRSpinEditUpDown::CreateWnd() {
  // The buttons never move a position of their own: each click asks the
  // edit to step, and the buttons' position stays in the middle of the range.
  ::SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(-0x7FFFFFFF), 0x7FFFFFFF);
  ::SendMessageW(Handle(), UDM_SETPOS32, 0, 0);
}

int TWRSpinEditUpDown::FirstAcceleration() const {
  UDACCEL accel{};
  if (!HandleAllocated() || ::SendMessageW(Handle(), UDM_GETACCEL, 1, reinterpret_cast<LPARAM>(&accel)) == 0) return 1;
  return accel.nInc > 0 ? static_cast<int>(accel.nInc) : 1;
}

std::optional<LRESULT> TWRSpinEditUpDown::Notification(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return std::nullopt;
  const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
  if (change->hdr.code != UDN_DELTAPOS) return std::nullopt;
  if (change->iDelta != 0) Owner.ButtonStep(change->iDelta > 0 ? 1 : -1);
  return TRUE;  // the buttons' own position stays
}

// ---- TBaseWRSpinEdit

TBaseWRSpinEdit::TBaseWRSpinEdit(bool decimal)
    : TWRControl({WC_EDITW, ES_RIGHT | ES_AUTOHSCROLL | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE}, true), Decimal(decimal) {
  UpdateTextLength();
}

TBaseWRSpinEdit::~TBaseWRSpinEdit() { StopWatchingForm(); }

std::function<void()> TBaseWRSpinEdit::SetBeep(std::function<void()> beep) {
  std::function<void()> previous = std::move(Beeper());
  Beeper() = std::move(beep);
  return previous;
}

TControlClass TBaseWRSpinEdit::CreateParams() const {
  TControlClass params = Class;
  if (FReadOnly) params.Style |= ES_READONLY;
  return params;
}

double TBaseWRSpinEdit::Normalized(double value) const { return Decimal ? value : std::round(value); }

void TBaseWRSpinEdit::SetPositionValue(double value) {
  value = Normalized(value);
  FPosition = HandleAllocated() ? ClampSpinPosition(value, FMin, FMax) : value;
  ShowPosition();
}

void TBaseWRSpinEdit::SetMinValue(double value) {
  FMin = Normalized(value);
  UpdateTextLength();
}

void TBaseWRSpinEdit::SetMaxValue(double value) {
  FMax = Normalized(value);
  UpdateTextLength();
}

void TBaseWRSpinEdit::SetIncrementValue(double value) {
  FIncrement = Normalized(value);
  UpdateTextLength();
}

void TBaseWRSpinEdit::SetPageSizeValue(double value) {
  FPageSize = Normalized(value);
  UpdateTextLength();
}

void TBaseWRSpinEdit::SetReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TBaseWRSpinEdit::UpdateTextLength() {
  FTextLength = Decimal ? 0 : SpinTextLength(FMin, FMax, FIncrement, FPageSize);
  // A limit of 0 lifts the edit's own limit.
  if (HandleAllocated()) ::SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(FTextLength), 0);
}

void TBaseWRSpinEdit::ShowPosition() {
  if (!HandleAllocated()) return;
  const std::wstring text = SpinPositionText(FPosition);
  if (Text() != text) SetText(text);
}

bool TBaseWRSpinEdit::BalloonVisible() const { return Balloon && ::IsWindowVisible(Balloon.Get()); }

void TBaseWRSpinEdit::CreateWnd() {
  DisableInputMethod(Handle());
  UpdateTextLength();
  FPosition = ClampSpinPosition(FPosition, FMin, FMax);
  ShowPosition();

  // The arrow buttons carry the field's own id: the dialog manager looks for
  // a dialog's buttons by id among all its windows, and an id such as IDOK
  // here would take Enter away from the form's default button.
  UpDown.Create(*Form(), Handle(), {}, Id());
  PlaceButtons();

  Balloon.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | TTS_BALLOON, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, ::GetModuleHandleW(nullptr),
                                  nullptr));
  if (Balloon) {
    Tool = {};
    Tool.cbSize = sizeof Tool;
    Tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    if (::GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) Tool.uFlags |= TTF_RTLREADING;
    Tool.hwnd = Handle();
    Tool.uId = reinterpret_cast<UINT_PTR>(Balloon.Get());
    Tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(Balloon.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
  }

  // A balloon would stay behind where the form was: it goes when the form moves.
  WatchedForm = ::GetAncestor(Handle(), GA_ROOT);
  if (WatchedForm) {
    ::SetWindowSubclass(WatchedForm, &FormWatch, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
  }
}

void TBaseWRSpinEdit::StopWatchingForm() {
  if (WatchedForm) ::RemoveWindowSubclass(WatchedForm, &FormWatch, reinterpret_cast<UINT_PTR>(this));
  WatchedForm = nullptr;
}

void TBaseWRSpinEdit::DestroyWnd() {
  StopWatchingForm();
  ::KillTimer(Handle(), kBalloonTimerId);
  Balloon.Reset();
}

LRESULT CALLBACK TBaseWRSpinEdit::FormWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR selfData) {
  if (message == WM_WINDOWPOSCHANGING) {
    const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
    RECT now{};
    ::GetWindowRect(window, &now);
    if (!(position->flags & SWP_NOMOVE) && (position->x != now.left || position->y != now.top)) {
      CallbackBoundary(0, [&] {
        reinterpret_cast<TBaseWRSpinEdit*>(selfData)->HideBalloon();
        return 0;
      });
    }
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

void TBaseWRSpinEdit::PlaceButtons() {
  if (!UpDown.HandleAllocated()) return;
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const int width = ::GetSystemMetrics(SM_CXVSCROLL);
  ::SetWindowPos(UpDown.Handle(), nullptr, client.right - width, 0, width, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

void TBaseWRSpinEdit::Step(double delta) {
  if (FReadOnly) return;
  const TSpinStep step = SpinStep(FPosition, delta, FMin, FMax);
  SetPositionValue(step.Position);
  if (step.Beep) Beep();
}

void TBaseWRSpinEdit::ButtonStep(int direction) {
  const bool control = ::GetKeyState(VK_CONTROL) < 0;
  Step(direction * (control ? FPageSize : FIncrement) * UpDown.FirstAcceleration());
}

LRESULT TBaseWRSpinEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR: {
      DWORD start = 0, end = 0;
      ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
      const std::wstring text = Text();
      TSpinKeyState state;
      state.Text = text;
      state.SelStart = static_cast<int>(start);
      state.SelLength = static_cast<int>(end - start);
      state.ReadOnly = FReadOnly;
      state.Decimal = Decimal;
      state.TextLength = FTextLength;
      state.Min = FMin;
      state.Max = FMax;
      state.ClipboardHasText = ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
      if (const std::optional<TSpinBalloon> refusal = CheckSpinKey(static_cast<wchar_t>(wParam), state)) {
        ShowBalloon(*refusal);
        return 0;  // the character goes nowhere
      }
      break;
    }
    case WM_KEYDOWN: {
      double delta = 0;
      switch (wParam) {
        case VK_UP: delta = FIncrement; break;
        case VK_DOWN: delta = -FIncrement; break;
        case VK_PRIOR: delta = FPageSize; break;
        case VK_NEXT: delta = -FPageSize; break;
        default: break;
      }
      if (delta == 0) break;
      WORD key = static_cast<WORD>(wParam);
      if (OnKeyDown) OnKeyDown(key);
      if (key != 0) Step(delta);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      // Away from the user steps up; Ctrl steps by pages.
      const double step = (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) ? FPageSize : FIncrement;
      WheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
      while (std::abs(WheelDelta) >= WHEEL_DELTA) {
        const int direction = WheelDelta > 0 ? 1 : -1;
        WheelDelta -= direction * WHEEL_DELTA;
        Step(direction * step);
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam != kBalloonTimerId) break;
      HideBalloon();
      return 0;
    case WM_KILLFOCUS: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      if (Balloon && reinterpret_cast<HWND>(wParam) == Balloon.Get()) {
        ::SetFocus(Handle());  // the balloon takes no input: the edit keeps the focus
        return result;
      }
      HideBalloon();
      // Leaving the field shows the value it holds, whatever was typed last.
      ShowPosition();
      return result;
    }
    case WM_SIZE: {
      const LRESULT result = DefaultProc(message, wParam, lParam);
      PlaceButtons();
      return result;
    }
    case WM_ENABLE:
      if (UpDown.HandleAllocated()) ::EnableWindow(UpDown.Handle(), static_cast<BOOL>(wParam));
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

std::optional<LRESULT> TBaseWRSpinEdit::Notification(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    TextChanged();
    return 0;
  }
  return std::nullopt;
}

void TBaseWRSpinEdit::TextChanged() {
  const TSpinTextChange change = SpinTextChanged(Text(), FReadOnly, FMin, FMax);
  if (change.Position) FPosition = Normalized(*change.Position);
  if (OnChange) OnChange();
  if (change.Balloon) {
    ShowBalloon(*change.Balloon);
  } else {
    HideBalloon();
  }
}

void TBaseWRSpinEdit::ShowBalloon(const TSpinBalloon& balloon) {
  if (!Balloon) return;
  FLastBalloon = balloon;
  ::KillTimer(Handle(), kBalloonTimerId);
  ::SendMessageW(Balloon.Get(), TTM_SETTITLEW, TooltipIcon(balloon.Icon), reinterpret_cast<LPARAM>(balloon.Title.c_str()));
  TTTOOLINFOW tool = Tool;
  tool.lpszText = const_cast<wchar_t*>(balloon.Text.c_str());
  ::SendMessageW(Balloon.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));

  // The tip points below the caret, one text line down.
  POINT caret{};
  if (::GetFocus() == Handle()) {
    ::GetCaretPos(&caret);
  } else {
    DWORD start = 0;
    ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const LRESULT at = ::SendMessageW(Handle(), EM_POSFROMCHAR, start, 0);
    if (at != -1) caret = {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  }
  POINT origin{0, 0};
  ::ClientToScreen(Handle(), &origin);
  const std::wstring text = Text();
  const SIZE line = TextExtent(text.empty() ? L"0" : text, true);
  Tip = {origin.x + caret.x, origin.y + caret.y + line.cy};
  ::SendMessageW(Balloon.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(Tip.x, Tip.y));
  ::SendMessageW(Balloon.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&Tool));
  ::SetTimer(Handle(), kBalloonTimerId, kBalloonHideDelay, nullptr);
  Beep();
}

void TBaseWRSpinEdit::HideBalloon() {
  if (!Balloon) return;
  ::KillTimer(Handle(), kBalloonTimerId);
  ::SendMessageW(Balloon.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&Tool));
}

// ---- TWRSpinEdit, TWRFloatSpinEdit

TWRSpinEdit::TWRSpinEdit() : TBaseWRSpinEdit(false) {}

int TWRSpinEdit::Position() const { return static_cast<int>(PositionValue()); }

TWRFloatSpinEdit::TWRFloatSpinEdit() : TBaseWRSpinEdit(true) {}

}  // namespace tdialix
