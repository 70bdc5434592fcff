#include "components/common_controls_win.h"

#include <uxtheme.h>

#include <algorithm>
#include <cstdlib>

#include "components/form_win.h"

namespace tdialix {

// ---- TWRPageControl

TWRPageControl::TWRPageControl() : TWRControl({WC_TABCONTROLW, WS_CLIPSIBLINGS | WS_CLIPCHILDREN}, true) {}

void TWRPageControl::AddSheet(TWRTabSheet& sheet) {
  Sheets.push_back(&sheet);
  UpdateTabs();
  if (!Active && sheet.TabVisible()) SetActivePage(&sheet);
  PlaceSheets();
}

void TWRPageControl::UpdateTabs() {
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), TCM_DELETEALLITEMS, 0, 0);
  Tabs.clear();
  for (TWRTabSheet* sheet : Sheets) {
    if (!sheet->TabVisible()) continue;
    const std::wstring caption = sheet->Text();
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    ::SendMessageW(Handle(), TCM_INSERTITEMW, Tabs.size(), reinterpret_cast<LPARAM>(&item));
    Tabs.push_back(sheet);
  }
  if (Active && !Active->TabVisible()) Active = nullptr;
  if (!Active && !Tabs.empty()) Active = Tabs.front();
  SetActivePage(Active);
}

void TWRPageControl::SetActivePage(TWRTabSheet* page) {
  if (page && !page->TabVisible()) return;
  Active = page;
  const auto tab = std::find(Tabs.begin(), Tabs.end(), page);
  if (HandleAllocated() && tab != Tabs.end()) ::SendMessageW(Handle(), TCM_SETCURSEL, tab - Tabs.begin(), 0);
  for (TWRTabSheet* sheet : Sheets) sheet->SetVisible(sheet == Active);
}

void TWRPageControl::PlaceSheets() {
  if (!HandleAllocated()) return;
  RECT page{};
  ::GetClientRect(Handle(), &page);
  ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  for (TWRTabSheet* sheet : Sheets) {
    if (sheet->HandleAllocated()) {
      ::SetWindowPos(sheet->Handle(), nullptr, page.left, page.top, page.right - page.left, page.bottom - page.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
}

LRESULT TWRPageControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = DefaultProc(message, wParam, lParam);
  if (message == WM_SIZE) PlaceSheets();
  return result;
}

std::optional<LRESULT> TWRPageControl::Notification(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lParam)->code != TCN_SELCHANGE) return std::nullopt;
  const auto tab = static_cast<size_t>(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
  if (tab < Tabs.size()) SetActivePage(Tabs[tab]);
  if (OnChange) OnChange();
  return 0;
}

// ---- TWRTabSheet

TWRTabSheet::TWRTabSheet(TWRPageControl& pageControl) : TWRControl({WC_DIALOG}), Owner(pageControl) {}

INT_PTR CALLBACK TWRTabSheet::SheetProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND TWRTabSheet::CreateHandle(HWND parent, const RECT& bounds, DWORD style, DWORD exStyle, int id) {
  // A dialog of its own, so that the dialog manager walks into it and the
  // system paints it as a tab page.
  const std::vector<DWORD> dialog =
      DialogTemplate((style & ~WS_TABSTOP) | DS_CONTROL | DS_3DLOOK, exStyle | WS_EX_CONTROLPARENT, L"", L"");
  const HWND window = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                                   reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), parent,
                                                   &SheetProc, 0);
  if (!window) return nullptr;
  ::SetWindowLongPtrW(window, GWLP_ID, id);
  ::SetWindowTextW(window, TWRControl::Text().c_str());
  ::SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return window;
}

void TWRTabSheet::CreateWnd() {
  if (VisualStylesActive()) ::EnableThemeDialogTexture(Handle(), ETDT_ENABLETAB);
  Owner.AddSheet(*this);
}

void TWRTabSheet::SetTabVisible(bool visible) {
  FTabVisible = visible;
  if (!visible) SetVisible(false);
  Owner.UpdateTabs();
}

// ---- TWRTrackBar

TWRTrackBar::TWRTrackBar() : TWRControl({TRACKBAR_CLASSW}, true) {}

TControlClass TWRTrackBar::CreateParams() const {
  return {TRACKBAR_CLASSW,
          static_cast<DWORD>(TBS_AUTOTICKS | (Vertical ? TBS_VERT : TBS_HORZ) | (ToolTips ? TBS_TOOLTIPS : 0))};
}

void TWRTrackBar::CreateWnd() {
  ::SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, Min);
  ::SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, Max);
  ::SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(Frequency), 0);
  ::SendMessageW(Handle(), TBM_SETPAGESIZE, 0, PageSize);
  if (ToolTips) ::SendMessageW(Handle(), TBM_SETTIPSIDE, TBTS_TOP, 0);
  ::SendMessageW(Handle(), TBM_SETPOS, TRUE, FPosition);
}

int TWRTrackBar::Position() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageW(Handle(), TBM_GETPOS, 0, 0)) : FPosition;
}

void TWRTrackBar::SetPosition(int position) {
  FPosition = std::clamp(position, Min, Max);
  if (HandleAllocated()) ::SendMessageW(Handle(), TBM_SETPOS, TRUE, FPosition);
}

LRESULT TWRTrackBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_MOUSEWHEEL) return DefaultProc(message, wParam, lParam);
  // As the system's slider goes (the wheel turned away moves towards the
  // start), WheelSize units a notch.
  WheelDelta += GET_WHEEL_DELTA_WPARAM(wParam);
  const int notches = WheelDelta / WHEEL_DELTA;
  if (notches == 0) return 0;
  WheelDelta -= notches * WHEEL_DELTA;
  SetPosition(Position() - notches * WheelSize);
  ::SendMessageW(::GetParent(Handle()), Vertical ? WM_VSCROLL : WM_HSCROLL,
                 MAKEWPARAM(notches > 0 ? TB_LINEUP : TB_LINEDOWN, 0), reinterpret_cast<LPARAM>(Handle()));
  return 0;
}

std::optional<LRESULT> TWRTrackBar::Notification(UINT message, WPARAM, LPARAM) {
  if (message != WM_HSCROLL && message != WM_VSCROLL) return std::nullopt;
  FPosition = Position();
  if (OnChange) OnChange();
  return 0;
}

// ---- TWRProgressBar

TWRProgressBar::TWRProgressBar() : TWRControl({PROGRESS_CLASSW}) {}

void TWRProgressBar::CreateWnd() {
  ::SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(Min), Max);
  ::SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

int TWRProgressBar::Position() const { return FPosition; }

void TWRProgressBar::SetPosition(int position) {
  FPosition = std::clamp(position, Min, Max);
  if (HandleAllocated()) ::SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(FPosition), 0);
}

// ---- TWRHotKey

TWRHotKey::TWRHotKey() : TWRControl({HOTKEY_CLASSW, 0, WS_EX_CLIENTEDGE}, true) {}

void TWRHotKey::CreateWnd() { ::SendMessageW(Handle(), HKM_SETHOTKEY, FHotKey, 0); }

WORD TWRHotKey::HotKey() const {
  return HandleAllocated() ? static_cast<WORD>(::SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0)) : FHotKey;
}

void TWRHotKey::SetHotKey(WORD hotKey) {
  FHotKey = hotKey;
  if (HandleAllocated()) ::SendMessageW(Handle(), HKM_SETHOTKEY, hotKey, 0);
}

// ---- TWRDateTimePicker

TWRDateTimePicker::TWRDateTimePicker() : TWRControl({DATETIMEPICK_CLASSW}, true) {}

TControlClass TWRDateTimePicker::CreateParams() const {
  return {DATETIMEPICK_CLASSW, static_cast<DWORD>(Kind == TDateTimeKind::dtkTime ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT)};
}

void TWRDateTimePicker::CreateWnd() {
  if (!Format.empty()) ::SendMessageW(Handle(), DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(Format.c_str()));
  if (HasDateTime) ::SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

SYSTEMTIME TWRDateTimePicker::DateTime() const {
  SYSTEMTIME time = FDateTime;
  if (HandleAllocated()) ::SendMessageW(Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
  return time;
}

void TWRDateTimePicker::SetDateTime(const SYSTEMTIME& time) {
  FDateTime = time;
  HasDateTime = true;
  if (HandleAllocated()) ::SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FDateTime));
}

std::optional<LRESULT> TWRDateTimePicker::Notification(UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == DTN_DATETIMECHANGE) {
    FDateTime = DateTime();
    if (OnChange) OnChange();
    return 0;
  }
  return std::nullopt;
}

// ---- TWRListView

TWRListView::TWRListView()
    : TWRControl({WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, WS_EX_CLIENTEDGE}, true) {}

TControlClass TWRListView::CreateParams() const {
  TControlClass params = Class;
  if (MultiSelect) params.Style &= ~static_cast<DWORD>(LVS_SINGLESEL);
  return params;
}

void TWRListView::CreateWnd() {
  if (GroupView) ::SendMessageW(Handle(), LVM_ENABLEGROUPVIEW, TRUE, 0);
  ::SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  if (VisualStylesActive()) ::SetWindowTheme(Handle(), L"Explorer", nullptr);
  for (size_t i = 0; i < Columns.size(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(Columns[i].Caption.c_str());
    column.cx = Scaled(Columns[i].Width);
    ::SendMessageW(Handle(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

int TWRListView::AddItem(const std::vector<std::wstring>& texts, int group) {
  if (!HandleAllocated() || texts.empty()) return -1;
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = const_cast<wchar_t*>(texts[0].c_str());
  if (GroupView && group >= 0) {
    item.mask |= LVIF_GROUPID;
    item.iGroupId = group;
  }
  const auto index = static_cast<int>(::SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  for (size_t column = 1; column < texts.size() && index >= 0; ++column) {
    LVITEMW sub{};
    sub.iSubItem = static_cast<int>(column);
    sub.pszText = const_cast<wchar_t*>(texts[column].c_str());
    ::SendMessageW(Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&sub));
  }
  return index;
}

void TWRListView::AddGroup(int id, const std::wstring& header) {
  if (!HandleAllocated() || !GroupView) return;
  LVGROUP group{};
  group.cbSize = sizeof group;
  group.mask = LVGF_HEADER | LVGF_GROUPID;
  group.pszHeader = const_cast<wchar_t*>(header.c_str());
  group.iGroupId = id;
  ::SendMessageW(Handle(), LVM_INSERTGROUP, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&group));
}

void TWRListView::Clear() {
  if (!HandleAllocated()) return;
  ::SendMessageW(Handle(), LVM_DELETEALLITEMS, 0, 0);
  if (GroupView) ::SendMessageW(Handle(), LVM_REMOVEALLGROUPS, 0, 0);
}

std::vector<int> TWRListView::SelectedItems() const {
  std::vector<int> selected;
  if (!HandleAllocated()) return selected;
  int item = -1;
  while ((item = static_cast<int>(::SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(item),
                                                 LVNI_SELECTED))) >= 0) {
    selected.push_back(item);
  }
  return selected;
}

int TWRListView::ItemCount() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring TWRListView::ItemText(int item, int column) const {
  wchar_t text[512] = {};
  LVITEMW sub{};
  sub.iSubItem = column;
  sub.pszText = text;
  sub.cchTextMax = 512;
  ::SendMessageW(Handle(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&sub));
  return text;
}

int TWRListView::ItemIndex() const {
  return HandleAllocated() ? static_cast<int>(::SendMessageW(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                              LVNI_SELECTED))
                           : -1;
}

void TWRListView::SetItemIndex(int index) {
  if (!HandleAllocated()) return;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  // Every row loses its selection first (index -1: all rows).
  ::SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (index < 0) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
  ::SendMessageW(Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

bool TWRListView::GroupsShown() const {
  return HandleAllocated() && GroupView && ::SendMessageW(Handle(), LVM_ISGROUPVIEWENABLED, 0, 0) != 0;
}

std::optional<LRESULT> TWRListView::Notification(UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return std::nullopt;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code == LVN_ITEMCHANGED) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) && OnSelectItem) {
      OnSelectItem();
    }
  } else if (header->code == NM_DBLCLK && OnDblClick) {
    OnDblClick();
  } else if (header->code == LVN_KEYDOWN && OnKeyDown) {
    OnKeyDown(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
  }
  return std::nullopt;
}

// ---- TWRIPAddress

TWRIPAddress::TWRIPAddress() : TWRControl({WC_IPADDRESSW}, true) {}

void TWRIPAddress::CreateWnd() { ::SendMessageW(Handle(), IPM_SETADDRESS, 0, static_cast<LPARAM>(FAddress)); }

DWORD TWRIPAddress::Address() const {
  DWORD address = FAddress;
  if (HandleAllocated()) ::SendMessageW(Handle(), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  return address;
}

void TWRIPAddress::SetAddress(DWORD address) {
  FAddress = address;
  if (HandleAllocated()) ::SendMessageW(Handle(), IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

std::optional<LRESULT> TWRIPAddress::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool changed = (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == IPN_FIELDCHANGED) ||
                       (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE);
  if (!changed) return std::nullopt;
  FAddress = Address();
  if (OnChange) OnChange();
  return std::nullopt;
}

}  // namespace tdialix
