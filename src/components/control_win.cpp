#include "components/control_win.h"

#include <commctrl.h>
#include <imm.h>
#include <uxtheme.h>

#include <cstdint>

#include "base/window_win.h"
#include "components/form_win.h"

namespace tdialix {

namespace {

constexpr UINT_PTR kSubclassId = 0x5457;  // "TW"
// The property that ties a control's window to its object.
constexpr wchar_t kControlProperty[] = L"TDialixControl";

// The child window a parent's notification comes from.
HWND SenderOf(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
      return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
      return item && item->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(wParam)) : nullptr;
    }
    default:
      return nullptr;
  }
}

}  // namespace

TWRControl* ControlOfWindow(HWND window) {
  // Only windows of this thread are ours to look into.
  if (!window || ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) return nullptr;
  return static_cast<TWRControl*>(::GetPropW(window, kControlProperty));
}

std::optional<LRESULT> ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND sender = SenderOf(parent, message, wParam, lParam);
  if (!sender || sender == parent) return std::nullopt;
  TWRControl* control = ControlOfWindow(sender);
  return control ? control->Notification(message, wParam, lParam) : std::nullopt;
}

void DisableInputMethod(HWND window) { ::ImmAssociateContext(window, nullptr); }

bool VisualStylesActive() { return ::IsAppThemed() && ::IsThemeActive(); }

COLORREF ColorToRGB(TColor color) {
  const auto value = static_cast<std::uint32_t>(color);
  if ((value & 0xFF000000u) == 0xFF000000u) return ::GetSysColor(static_cast<int>(value & 0xFF));
  return (value & 0xFF000000u) ? 0 : value;
}

TWRControl::TWRControl(TControlClass windowClass, bool tabStop) : TabStop(tabStop), Class(windowClass) {}

TWRControl::~TWRControl() {
  // A form's controls are destroyed before the form itself. The first of them
  // takes the form's window (and all of theirs) with it, so that no message
  // of the closing window reaches a control that is already gone.
  if (Window && FForm && FForm->Handle() && ::IsChild(FForm->Handle(), Window)) FForm->Release();
  if (Window) {
    ::RemovePropW(Window, kControlProperty);
    ::RemoveWindowSubclass(Window, &SubclassProc, kSubclassId);
    ::DestroyWindow(Window);
  }
}

void TWRControl::Create(TWRForm& form, HWND parent, const TControlSpec& spec, int id, POINT offset) {
  FForm = &form;
  FId = id;
  if (!spec.Text.empty() || DesignText.empty()) DesignText = spec.Text;
  const TControlClass params = CreateParams();
  DWORD style = WS_CHILD | params.Style;
  if (FVisible) style |= WS_VISIBLE;
  if (!FEnabled) style |= WS_DISABLED;
  if (TabStop) style |= WS_TABSTOP;
  RECT bounds{offset.x + Scaled(spec.Left), offset.y + Scaled(spec.Top), 0, 0};
  bounds.right = bounds.left + Scaled(spec.Width);
  bounds.bottom = bounds.top + Scaled(spec.Height);
  Window = CreateHandle(parent, bounds, style, params.ExStyle, id);
  if (!Window) return;
  ::SetPropW(Window, kControlProperty, this);
  ::SetWindowSubclass(Window, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  UpdateFont();
  CreateWnd();
  const SIZE given{bounds.right - bounds.left, bounds.bottom - bounds.top};
  const SIZE size = AutoSize(given);
  if (size.cx != given.cx || size.cy != given.cy) {
    ::SetWindowPos(Window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HWND TWRControl::CreateHandle(HWND parent, const RECT& bounds, DWORD style, DWORD exStyle, int id) {
  return ::CreateWindowExW(exStyle, CreateParams().Name, DesignText.c_str(), style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

void TWRControl::UpdateFont() {
  if (!Window || !FForm) return;
  const TFontChange& change = FontChange;
  if (change.Bold || change.Taller != 0 || !change.Face.empty()) {
    LOGFONTW info = FForm->FontInfo();
    if (change.Bold) info.lfWeight = FW_BOLD;
    info.lfHeight = TallerFontHeight(info.lfHeight, Scaled(change.Taller));
    if (!change.Face.empty()) lstrcpynW(info.lfFaceName, change.Face.c_str(), LF_FACESIZE);
    OwnFont.Reset(::CreateFontIndirectW(&info));
  }
  ::SendMessageW(Window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
}

HFONT TWRControl::Font() const noexcept {
  if (OwnFont) return OwnFont.Get();
  return FForm ? FForm->Font() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

std::wstring TWRControl::Text() const {
  if (!Window) return DesignText;
  const int length = ::GetWindowTextLengthW(Window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(Window, text.data(), length + 1)));
  return text;
}

void TWRControl::SetText(std::wstring_view text) {
  DesignText = text;
  if (Window) ::SetWindowTextW(Window, DesignText.c_str());
}

void TWRControl::SetEnabled(bool enabled) {
  FEnabled = enabled;
  if (Window) ::EnableWindow(Window, enabled);
}

void TWRControl::SetVisible(bool visible) {
  FVisible = visible;
  if (Window) ::ShowWindow(Window, visible ? SW_SHOWNA : SW_HIDE);
}

void TWRControl::SetFocus() {
  if (!Window) return;
  // Through the dialog manager, so that the default button follows.
  if (FForm && FForm->Handle()) {
    ::SendMessageW(FForm->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Window), TRUE);
  } else {
    ::SetFocus(Window);
  }
}

bool TWRControl::Focused() const {
  const HWND focus = ::GetFocus();
  return Window && (focus == Window || ::IsChild(Window, focus));
}

RECT TWRControl::BoundsRect() const {
  RECT r{};
  if (!Window) return r;
  ::GetWindowRect(Window, &r);
  ::MapWindowPoints(nullptr, ::GetParent(Window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TWRControl::Scaled(int pixels) const { return FForm ? FForm->Scaled(pixels) : pixels; }

SIZE TWRControl::TextExtent(std::wstring_view text, bool noPrefix) const {
  const TWindowDC dc(Window);
  const TSelectObject font(dc.Get(), Font());
  RECT r{0, 0, 0, 0};
  const std::wstring measured = text.empty() ? std::wstring(L" ") : std::wstring(text);
  ::DrawTextW(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | (noPrefix ? DT_NOPREFIX : 0));
  return {r.right - r.left, r.bottom - r.top};
}

LRESULT TWRControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(message, wParam, lParam);
}

LRESULT TWRControl::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(Window, message, wParam, lParam);
}

std::optional<LRESULT> TWRControl::Notification(UINT, WPARAM, LPARAM) { return std::nullopt; }

LRESULT CALLBACK TWRControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR selfData) {
  auto* self = reinterpret_cast<TWRControl*>(selfData);
  if (message == WM_NCDESTROY) {
    ::RemovePropW(window, kControlProperty);
    ::RemoveWindowSubclass(window, &SubclassProc, kSubclassId);
    self->Window = nullptr;
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    // A control that holds others (a group box, a tab page) hands their notifications back to them.
    if (const std::optional<LRESULT> reflected = ReflectNotification(window, message, wParam, lParam)) return *reflected;
    if (message == WM_DESTROY) self->DestroyWnd();
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    if (message == WM_SETFOCUS && self->FForm) self->FForm->ControlFocused(*self);
    return result;
  } catch (...) {
    HandleCurrentException();
    return 0;
  }
}

}  // namespace tdialix
