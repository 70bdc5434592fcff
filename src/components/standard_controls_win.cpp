#include "components/standard_controls_win.h"

#include <commctrl.h>

#include <algorithm>

#include "components/form_win.h"

namespace tdialix {

namespace {

// A push button's smallest size, and the room its frame leaves around the text.
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTextMargin = 16;
// The gap between a check box's box and its caption.
constexpr int kCheckGap = 4;

}  // namespace

// ---- TWRLabel

TWRLabel::TWRLabel() : TWRControl({WC_STATICW}) {}

TControlClass TWRLabel::CreateParams() const {
  DWORD style = 0;
  switch (Alignment) {
    case TAlignment::taLeftJustify: style = WordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP; break;
    case TAlignment::taCenter: style = SS_CENTER; break;
    case TAlignment::taRightJustify: style = SS_RIGHT; break;
  }
  if (!ShowAccelChar) style |= SS_NOPREFIX;
  return {WC_STATICW, style};
}

SIZE TWRLabel::AutoSize(SIZE given) const {
  if (given.cx > 0 && given.cy > 0) return given;
  const SIZE text = TextExtent(Text(), !ShowAccelChar);
  return {given.cx > 0 ? given.cx : text.cx, given.cy > 0 ? given.cy : text.cy};
}

// ---- TWRImage

TWRImage::TWRImage() : TWRControl({WC_STATICW, SS_ICON | SS_CENTERIMAGE | SS_REALSIZEIMAGE}) {}

void TWRImage::LoadIcon(const wchar_t* resource, int size) {
  Resource = resource;
  IconSize = size;
  if (HandleAllocated()) CreateWnd();
}

void TWRImage::CreateWnd() {
  if (Resource.empty()) return;
  const int size = Scaled(IconSize);
  FIcon.Reset(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), Resource.c_str(), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
  ::SendMessageW(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(Icon()), 0);
}

// ---- TWRButton

TWRButton::TWRButton() : TWRControl({WC_BUTTONW}, true) {}

TControlClass TWRButton::CreateParams() const {
  return {WC_BUTTONW, static_cast<DWORD>((Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (Flat ? BS_FLAT : 0))};
}

SIZE TWRButton::AutoSize(SIZE given) const {
  const SIZE text = TextExtent(Text());
  return {given.cx > 0 ? given.cx : std::max<LONG>(Scaled(kButtonWidth), text.cx + Scaled(kButtonTextMargin)),
          given.cy > 0 ? given.cy : Scaled(kButtonHeight)};
}

void TWRButton::Click() {
  if (OnClick) OnClick();
  if (Form()) Form()->ButtonClicked(*this);
}

void TWRButton::SetDefaultFrame(bool on) {
  if (!HandleAllocated()) return;
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE));
  const DWORD kind = on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((style & BS_TYPEMASK) != kind) ::SendMessageW(Handle(), BM_SETSTYLE, (style & ~BS_TYPEMASK) | kind, TRUE);
}

std::optional<LRESULT> TWRButton::Notification(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    Click();
    return 0;
  }
  return std::nullopt;
}

// ---- TWRCheckBox, TWRRadioButton

TWRCheckBox::TWRCheckBox() : TWRCheckBox(BS_AUTOCHECKBOX) {}

TWRCheckBox::TWRCheckBox(DWORD kind) : TWRControl({WC_BUTTONW, kind}, true), Kind(kind) {}

TControlClass TWRCheckBox::CreateParams() const {
  return {WC_BUTTONW, static_cast<DWORD>(Kind | (Flat ? BS_FLAT : 0))};
}

void TWRCheckBox::CreateWnd() { ::SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0); }

bool TWRCheckBox::Checked() const {
  return HandleAllocated() ? ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : FChecked;
}

void TWRCheckBox::SetChecked(bool checked) {
  FChecked = checked;
  if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

SIZE TWRCheckBox::AutoSize(SIZE given) const {
  // The box, the gap and the caption, whatever width the layout gave.
  const SIZE text = TextExtent(Text());
  const int box = ::GetSystemMetrics(SM_CXMENUCHECK);
  return {box + Scaled(kCheckGap) + text.cx + Scaled(2), given.cy > 0 ? given.cy : std::max<LONG>(text.cy, box) + Scaled(2)};
}

std::optional<LRESULT> TWRCheckBox::Notification(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    FChecked = Checked();
    if (OnClick) OnClick();
    return 0;
  }
  return std::nullopt;
}

TWRRadioButton::TWRRadioButton() : TWRCheckBox(BS_AUTORADIOBUTTON) {}

TControlClass TWRRadioButton::CreateParams() const {
  TControlClass params = TWRCheckBox::CreateParams();
  if (GroupStart) params.Style |= WS_GROUP;
  return params;
}

// ---- TWREdit, TWRMemo

TWREdit::TWREdit() : TWREdit(ES_AUTOHSCROLL) {}

TWREdit::TWREdit(DWORD style) : TWRControl({WC_EDITW, style, WS_EX_CLIENTEDGE}, true) {}

TControlClass TWREdit::CreateParams() const {
  TControlClass params = Class;
  if (ReadOnly) params.Style |= ES_READONLY;
  return params;
}

void TWREdit::CreateWnd() {
  if (MaxLength > 0) ::SendMessageW(Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(MaxLength), 0);
}

std::optional<LRESULT> TWREdit::Notification(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    if (OnChange) OnChange();
    return 0;
  }
  return std::nullopt;
}

TWRMemo::TWRMemo() : TWREdit(ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL) {}

TControlClass TWRMemo::CreateParams() const {
  TControlClass params = TWREdit::CreateParams();
  if (!WordWrap) params.Style |= ES_AUTOHSCROLL;
  return params;
}

void TWRMemo::CreateWnd() {
  TWREdit::CreateWnd();
  // Tab stops are in dialog template units: four to a character.
  int tabStop = TabWidth * 4;
  ::SendMessageW(Handle(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tabStop));
  UpdateScrollBars();
}

std::vector<std::wstring> TWRMemo::Lines() const {
  std::vector<std::wstring> lines;
  const std::wstring text = Text();
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(L"\r\n", start);
    lines.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 2;
  }
  return lines;
}

void TWRMemo::UpdateScrollBars() {
  if (!HandleAllocated() || Updating) return;
  Updating = true;
  RECT client{};
  ::GetClientRect(Handle(), &client);
  const TWindowDC dc(Handle());
  const TSelectObject font(dc.Get(), Font());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.Get(), &metrics);
  const auto lines = static_cast<int>(::SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0));
  ::ShowScrollBar(Handle(), SB_VERT, lines * metrics.tmHeight > client.bottom - client.top);
  if (!WordWrap) {
    int widest = 0;
    for (const std::wstring& line : Lines()) {
      SIZE size{};
      ::GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &size);
      widest = std::max<int>(widest, size.cx);
    }
    ::ShowScrollBar(Handle(), SB_HORZ, widest > client.right - client.left);
  }
  Updating = false;
}

LRESULT TWRMemo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = TWREdit::WindowProc(message, wParam, lParam);
  if (message == WM_SIZE || message == WM_SETTEXT || message == WM_SETFONT) UpdateScrollBars();
  return result;
}

std::optional<LRESULT> TWRMemo::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) UpdateScrollBars();
  return TWREdit::Notification(message, wParam, lParam);
}

// ---- TWRListBox

TWRListBox::TWRListBox()
    : TWRControl({WC_LISTBOXW, LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE},
                 true) {}

void TWRListBox::CreateWnd() { SetItems(Items); }

void TWRListBox::SetItems(const std::vector<std::wstring>& items) {
  Items = items;
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : Items) ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TWRListBox::ItemIndex() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0)) : -1;
}

void TWRListBox::SetItemIndex(int index) {
  if (HandleAllocated()) ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<LRESULT> TWRListBox::Notification(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND) return std::nullopt;
  if (HIWORD(wParam) == LBN_SELCHANGE && OnClick) OnClick();
  if (HIWORD(wParam) == LBN_DBLCLK && OnDblClick) OnDblClick();
  return std::nullopt;
}

// ---- TWRComboBox

TWRComboBox::TWRComboBox() : TWRComboBox(0) {}

TWRComboBox::TWRComboBox(DWORD ownerDraw) : TWRControl({WC_COMBOBOXW, ownerDraw | CBS_HASSTRINGS | WS_VSCROLL}, true) {}

TControlClass TWRComboBox::CreateParams() const {
  TControlClass params = Class;
  params.Style |= Style == TComboStyle::csDropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
  if (OEMConvert) params.Style |= CBS_OEMCONVERT;
  return params;
}

HWND TWRComboBox::EditHandle() const {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  return HandleAllocated() && ::GetComboBoxInfo(Handle(), &info) ? info.hwndItem : nullptr;
}

void TWRComboBox::CreateWnd() {
  ::SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(DropDownCount), 0);
  SetItems(Items);
  const HWND edit = Style == TComboStyle::csDropDown ? EditHandle() : nullptr;
  if (!edit) return;
  if (ReadOnly) ::SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  LONG_PTR style = ::GetWindowLongPtrW(edit, GWL_STYLE);
  if (NumbersOnly) style |= ES_NUMBER;
  if (!HideSelection) style |= ES_NOHIDESEL;
  ::SetWindowLongPtrW(edit, GWL_STYLE, style);
}

void TWRComboBox::SetItems(const std::vector<std::wstring>& items) {
  Items = items;
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const std::wstring& item : Items) ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TWRComboBox::ItemIndex() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void TWRComboBox::SetItemIndex(int index) {
  if (HandleAllocated()) ::SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::optional<LRESULT> TWRComboBox::Notification(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && (HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_EDITCHANGE) && OnChange) {
    OnChange();
  }
  return std::nullopt;
}

// ---- TWRGroupBox

TWRGroupBox::TWRGroupBox() : TWRControl({WC_BUTTONW, BS_GROUPBOX}) {}

HWND TWRGroupBox::ContainerFor(POINT& offset) const {
  const RECT bounds = BoundsRect();
  offset = {bounds.left, bounds.top};
  return ::GetParent(Handle());
}

LRESULT TWRGroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS && Form() && Form()->Handle()) {
    // The focus goes on to the first control in the group.
    if (const HWND first = ::GetNextDlgTabItem(Form()->Handle(), Handle(), FALSE)) {
      ::PostMessageW(Form()->Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
    }
    return 0;
  }
  if (message == WM_ERASEBKGND) {
    // The form clips its children, so nothing paints the box's inside but the
    // box itself; the controls in it stand beside it and paint themselves.
    const auto dc = reinterpret_cast<HDC>(wParam);
    // The clipping is the erase's own: the box's frame and caption are painted
    // with the same device context afterwards.
    const int saved = ::SaveDC(dc);
    const HWND parent = ::GetParent(Handle());
    for (HWND sibling = ::GetWindow(parent, GW_CHILD); sibling; sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
      if (sibling == Handle() || !::IsWindowVisible(sibling)) continue;
      RECT r{};
      ::GetWindowRect(sibling, &r);
      ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
      ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Handle())));
    if (!brush) brush = ::GetSysColorBrush(COLOR_BTNFACE);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::FillRect(dc, &client, brush);
    if (saved) ::RestoreDC(dc, saved);
    return 1;
  }
  return TWRControl::WindowProc(message, wParam, lParam);
}

}  // namespace tdialix
