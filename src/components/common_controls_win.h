// The common controls of the forms: tab pages, the slider, the progress bar,
// the hot key, date and time pickers, the list view and the IP address field.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "components/control_win.h"

namespace tdialix {

class TWRTabSheet;

// Tabs with a page each. The pages are TWRTabSheets placed in it by the layout.
class TWRPageControl : public TWRControl {
 public:
  TWRPageControl();
  TWRTabSheet* ActivePage() const noexcept { return Active; }
  void SetActivePage(TWRTabSheet* page);
  std::function<void()> OnChange;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  friend class TWRTabSheet;
  void AddSheet(TWRTabSheet& sheet);
  void UpdateTabs();
  void PlaceSheets();
  std::vector<TWRTabSheet*> Sheets;
  std::vector<TWRTabSheet*> Tabs;  // the sheets whose tab shows, in tab order
  TWRTabSheet* Active = nullptr;
};

// A page of a page control: a dialog of its own that paints its parent's
// (the tab body's) background. A page can be hidden together with its tab.
class TWRTabSheet : public TWRControl {
 public:
  explicit TWRTabSheet(TWRPageControl& pageControl);
  bool TabVisible() const noexcept { return FTabVisible; }
  void SetTabVisible(bool visible);
  TWRPageControl& PageControl() const noexcept { return Owner; }

 protected:
  HWND CreateHandle(HWND parent, const RECT& bounds, DWORD style, DWORD exStyle, int id) override;
  void CreateWnd() override;

 private:
  static INT_PTR CALLBACK SheetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  TWRPageControl& Owner;
  bool FTabVisible = true;
};

// A slider whose mouse wheel moves it by WheelSize units per notch.
class TWRTrackBar : public TWRControl {
 public:
  TWRTrackBar();
  bool Vertical = false;
  int WheelSize = 1;
  int Min = 0;
  int Max = 10;
  int Frequency = 1;
  int PageSize = 2;       // Page Up / Page Down and a click beside the thumb
  bool ToolTips = false;  // the position shows above the thumb while it is dragged
  int Position() const;
  void SetPosition(int position);
  std::function<void()> OnChange;

 protected:
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int FPosition = 0;
  int WheelDelta = 0;
};

class TWRProgressBar : public TWRControl {
 public:
  TWRProgressBar();
  int Min = 0;
  int Max = 100;
  int Position() const;
  void SetPosition(int position);

 protected:
  void CreateWnd() override;

 private:
  int FPosition = 0;
};

// A field that takes a key combination.
class TWRHotKey : public TWRControl {
 public:
  TWRHotKey();
  // The virtual key in the low byte, HOTKEYF_ modifiers in the high byte.
  WORD HotKey() const;
  void SetHotKey(WORD hotKey);

 protected:
  void CreateWnd() override;

 private:
  WORD FHotKey = 0;
};

class TWRDateTimePicker : public TWRControl {
 public:
  TWRDateTimePicker();
  enum class TDateTimeKind { dtkDate, dtkTime } Kind = TDateTimeKind::dtkDate;
  std::wstring Format;  // the system's format when empty
  SYSTEMTIME DateTime() const;
  void SetDateTime(const SYSTEMTIME& time);
  std::function<void()> OnChange;

 protected:
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SYSTEMTIME FDateTime{};
  bool HasDateTime = false;
};

// A report-style list with full-row selection, drawn as the system's
// explorer lists are under a visual style.
class TWRListView : public TWRControl {
 public:
  TWRListView();
  struct TColumn {
    std::wstring Caption;
    int Width;  // pixels at 96 dpi
  };
  std::vector<TColumn> Columns;
  // Several rows can be selected at once.
  bool MultiSelect = false;
  // Rows shown under group headings (AddItem's group; -1: none).
  bool GroupView = false;
  // Adds a row (the first text is the item, the others its columns) under
  // the group (with GroupView); returns its index.
  int AddItem(const std::vector<std::wstring>& texts, int group = -1);
  // Adds a group heading with an id of its own.
  void AddGroup(int id, const std::wstring& header);
  // Removes every row and group.
  void Clear();
  int ItemCount() const;
  std::wstring ItemText(int item, int column) const;
  int ItemIndex() const;
  // Selects only this row (none for -1), gives it the focus mark and scrolls it into view.
  void SetItemIndex(int index);
  // The selected rows in index order.
  std::vector<int> SelectedItems() const;
  std::function<void()> OnSelectItem;
  std::function<void()> OnDblClick;
  // A key pressed in the list (the virtual key).
  std::function<void(WORD key)> OnKeyDown;
  // Whether the rows show in their groups (the system's list may not know groups).
  bool GroupsShown() const;

 protected:
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TWRIPAddress : public TWRControl {
 public:
  TWRIPAddress();
  // In the platform's order: the first field in the highest byte.
  DWORD Address() const;
  void SetAddress(DWORD address);
  std::function<void()> OnChange;

 protected:
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD FAddress = 0;
};

}  // namespace tdialix
