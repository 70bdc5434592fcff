// The standard controls of the forms: labels and pictures, buttons, check
// and radio boxes, edits, memos, lists, combo boxes and group boxes. Each is
// the system's control with the few differences the program's dialogs need.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "components/control_win.h"

namespace tdialix {

// A text. Every label is a window of its own, so that tests and screen
// readers can read it; "&" marks the access key that focuses the next control.
class TWRLabel : public TWRControl {
 public:
  TWRLabel();
  bool WordWrap = false;
  bool ShowAccelChar = true;
  enum class TAlignment { taLeftJustify, taCenter, taRightJustify } Alignment = TAlignment::taLeftJustify;

 protected:
  TControlClass CreateParams() const override;
  SIZE AutoSize(SIZE given) const override;
};

// An icon, drawn centred in the control.
class TWRImage : public TWRControl {
 public:
  TWRImage();
  // Loads an icon resource of the program at the given size (pixels at 96 dpi).
  void LoadIcon(const wchar_t* resource, int size);
  // What the control shows when the resource cannot be loaded: an icon it
  // does not own (the system's shared ones); none: nothing.
  HICON FallbackIcon = nullptr;
  // The icon shown.
  HICON Icon() const noexcept { return FIcon ? FIcon.Get() : FallbackIcon; }

 protected:
  void CreateWnd() override;

 private:
  std::wstring Resource;
  int IconSize = 32;
  TUniqueIcon FIcon;
};

// A push button. Default: Enter presses it; Cancel: Escape presses it;
// ModalResult closes a modal form with that result; HelpButton opens the
// form's help topic. Flat draws it flat.
class TWRButton : public TWRControl {
 public:
  TWRButton();
  bool Default = false;
  bool Cancel = false;
  int ModalResult = 0;
  bool HelpButton = false;
  bool Flat = false;
  std::function<void()> OnClick;

  // Presses the button as a click would.
  void Click();
  bool IsPushButton() const override { return true; }
  // Shows or removes the default button's frame.
  void SetDefaultFrame(bool on);

 protected:
  TControlClass CreateParams() const override;
  SIZE AutoSize(SIZE given) const override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Check and radio boxes size themselves to their caption.
class TWRCheckBox : public TWRControl {
 public:
  TWRCheckBox();
  bool Checked() const;
  void SetChecked(bool checked);
  bool Flat = false;
  std::function<void()> OnClick;

 protected:
  explicit TWRCheckBox(DWORD kind);
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  SIZE AutoSize(SIZE given) const override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD Kind;
  bool FChecked = false;
};

class TWRRadioButton : public TWRCheckBox {
 public:
  TWRRadioButton();
  // The first radio button of a group; the arrow keys move within a group.
  bool GroupStart = false;

 protected:
  TControlClass CreateParams() const override;
};

// A one-line edit, drawn with the visual style's background.
class TWREdit : public TWRControl {
 public:
  TWREdit();
  bool ReadOnly = false;
  int MaxLength = 0;  // 0: no limit
  std::function<void()> OnChange;

 protected:
  explicit TWREdit(DWORD style);
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A multi-line edit that shows its scroll bars only while its text does not
// fit, with tab stops every TabWidth characters.
class TWRMemo : public TWREdit {
 public:
  TWRMemo();
  bool WordWrap = true;
  int TabWidth = 8;  // characters

  // Lines of the text.
  std::vector<std::wstring> Lines() const;

 protected:
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void UpdateScrollBars();
  bool Updating = false;
};

// A list of texts.
class TWRListBox : public TWRControl {
 public:
  TWRListBox();
  std::vector<std::wstring> Items;  // design items
  void SetItems(const std::vector<std::wstring>& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::function<void()> OnClick;
  std::function<void()> OnDblClick;

 protected:
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A combo box: a drop-down list, or an edit with a list whose edit can be
// read-only, numbers-only, OEM-converting and keep its selection shown.
class TWRComboBox : public TWRControl {
 public:
  TWRComboBox();
  enum class TComboStyle { csDropDown, csDropDownList } Style = TComboStyle::csDropDownList;
  bool ReadOnly = false;
  bool NumbersOnly = false;
  bool OEMConvert = false;
  bool HideSelection = true;
  int DropDownCount = 8;
  std::vector<std::wstring> Items;  // design items
  void SetItems(const std::vector<std::wstring>& items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::function<void()> OnChange;

 protected:
  explicit TWRComboBox(DWORD ownerDraw);
  TControlClass CreateParams() const override;
  void CreateWnd() override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The combo box's edit, for the drop-down style.
  HWND EditHandle() const;
};

// A group box around its controls. They stand beside it in its parent (its
// client origin is the group box's top left), right after it in tab order,
// so that its access key and entering it focus the first of them.
class TWRGroupBox : public TWRControl {
 public:
  TWRGroupBox();
  HWND ContainerFor(POINT& offset) const override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tdialix
