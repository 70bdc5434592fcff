#include "components/color_box_win.h"

#include <commctrl.h>

#include <algorithm>

#include "components/common_dialogs_win.h"
#include "components/form_win.h"

namespace tdialix {

namespace {

// Posted to the box when its list has closed on the custom entry: the pick
// starts once the list is gone.
constexpr UINT kPickAfterCloseUp = WM_APP + 0x4342;
constexpr int kSwatchMargin = 2;

}  // namespace

TWRColorBox::TWRColorBox() : TWRComboBox(CBS_OWNERDRAWFIXED) {}

TControlClass TWRColorBox::CreateParams() const {
  TControlClass params = TWRComboBox::CreateParams();
  params.Style = (params.Style & ~(CBS_DROPDOWN | CBS_AUTOHSCROLL)) | CBS_DROPDOWNLIST;
  return params;
}

void TWRColorBox::CreateWnd() {
  ::SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(DropDownCount), 0);
  // The items are drawn here, one text line high with room for the swatch's frame.
  const int height = TextExtent(L"0").cy + Scaled(4);
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  ::SendMessageW(Handle(), CB_SETITEMHEIGHT, 0, height);
  // The custom entry starts out holding the selected colour.
  for (const TColorBoxItem& item : ColorBoxItems(ColorStyle, FSelected)) {
    const auto index = ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Caption.c_str()));
    ::SendMessageW(Handle(), CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(item.Color));
  }
  SetSelected(FSelected);
}

int TWRColorBox::ItemCount() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

TColor TWRColorBox::ItemColor(int index) const {
  return static_cast<TColor>(::SendMessageW(Handle(), CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::wstring TWRColorBox::ItemCaption(int index) const {
  const auto length = ::SendMessageW(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::SendMessageW(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

TColor TWRColorBox::Selected() const {
  const int index = ItemIndex();
  return index >= 0 ? ItemColor(index) : FSelected;
}

void TWRColorBox::SetSelected(TColor color) {
  FSelected = color;
  if (!HandleAllocated()) return;
  const int first = HasCustomEntry() ? 1 : 0;
  int found = -1;
  for (int i = first; i < ItemCount() && found < 0; ++i) {
    if (ItemColor(i) == color) found = i;
  }
  if (found < 0 && HasCustomEntry()) {
    SetCustomColor(color);
    found = 0;
  }
  SetItemIndex(found);
  LastIndex = found;
}

void TWRColorBox::SetCustomColor(TColor color) {
  const std::wstring caption = CustomColorCaption(static_cast<TColor>(ColorToRGB(color)));
  const int selected = ItemIndex();
  ::SendMessageW(Handle(), CB_DELETESTRING, 0, 0);
  ::SendMessageW(Handle(), CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
  ::SendMessageW(Handle(), CB_SETITEMDATA, 0, static_cast<LPARAM>(color));
  if (selected >= 0) SetItemIndex(selected);
}

void TWRColorBox::Chosen(int index) {
  LastIndex = index;
  FSelected = ItemColor(index);
  if (OnChange) OnChange();
}

void TWRColorBox::Pick() {
  FPicking = true;
  bool chosen = false;
  TColor color = ItemColor(0);
  const HWND owner = Form() && Form()->Handle() ? Form()->Handle() : ::GetParent(Handle());
  if (ColorDialog) {
    ColorDialog->Color = color;
    chosen = ColorDialog->Execute(owner);
    color = ColorDialog->Color;
  } else {
    TWRColorDialog dialog;
    dialog.Color = color;
    chosen = dialog.Execute(owner);
    color = dialog.Color;
  }
  FPicking = false;
  if (chosen) {
    SetCustomColor(color);
    SetItemIndex(0);
    Chosen(0);
  } else {
    SetItemIndex(LastIndex);
  }
}

int TWRColorBox::SwatchWidth() const {
  const int height = static_cast<int>(::SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
  // A swatch half again as wide as it is high, with its margins.
  return (height - 2 * Scaled(kSwatchMargin)) * 3 / 2 + 3 * Scaled(kSwatchMargin);
}

void TWRColorBox::WidenDropDown() {
  int widest = 0;
  for (int i = 0; i < ItemCount(); ++i) widest = std::max<int>(widest, TextExtent(ItemCaption(i), true).cx);
  const int width = ColorDropDownWidth(widest + Scaled(kSwatchMargin), SwatchWidth(), ItemCount(), DropDownCount,
                                       ::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CXSCREEN));
  ::SendMessageW(Handle(), CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

void TWRColorBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (static_cast<int>(item.itemID) < 0) return;
  const auto color = static_cast<TColor>(item.itemData);
  const int margin = Scaled(kSwatchMargin);
  RECT swatch{item.rcItem.left + margin, item.rcItem.top + margin, 0, item.rcItem.bottom - margin};
  swatch.right = swatch.left + (swatch.bottom - swatch.top) * 3 / 2;
  // None and default have no colour of their own: an empty frame.
  if (color != clNone && color != clDefault) {
    const TUniqueBrush brush(::CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc, &swatch, brush.Get());
  }
  ::FrameRect(dc, &swatch, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT text = item.rcItem;
  text.left = swatch.right + margin * 2;
  const std::wstring caption = ItemCaption(static_cast<int>(item.itemID));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const TSelectObject font(dc, Font());
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) ::DrawFocusRect(dc, &item.rcItem);
}

LRESULT TWRColorBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPickAfterCloseUp) {
    if (!FPicking && ItemIndex() == 0) Pick();
    return 0;
  }
  return TWRComboBox::WindowProc(message, wParam, lParam);
}

std::optional<LRESULT> TWRColorBox::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return std::nullopt;
  const bool dropped = ::SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  const int index = ItemIndex();
  switch (HIWORD(wParam)) {
    case CBN_DROPDOWN:
      DropIndex = index;
      WidenDropDown();
      return 0;
    case CBN_SELCHANGE:
      // While the list is down the selection only moves; it counts when the list closes.
      if (dropped || FPicking || index < 0) return 0;
      if (index == 0 && HasCustomEntry()) {
        Pick();
      } else {
        Chosen(index);
      }
      return 0;
    case CBN_CLOSEUP:
      if (FPicking || index < 0 || index == DropIndex) return 0;
      if (index == 0 && HasCustomEntry()) {
        ::PostMessageW(Handle(), kPickAfterCloseUp, 0, 0);
      } else {
        Chosen(index);
      }
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace tdialix
