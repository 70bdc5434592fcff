// TWRForm: the base of every dialog of the program.
//
// A dialog is laid out by code: the form is made from an in-memory dialog
// template without controls (so no resource is needed, and the dialog
// manager gives Tab, Enter, Escape and access keys), sized to its client size
// in pixels at 96 dpi scaled by the display's DPI, and its controls are made
// from a table of (control, place, design text) in tab order. Each dialog is
// a class derived from TWRForm with its controls as members; it names its
// window class after itself, so that tests and screen readers can find it.
//
//   class TMyDialog : public TWRForm {
//    public:
//     TMyDialog() : TWRForm(L"TMyDialog") {
//       Caption = L"...";
//       ClientSize = {200, 80};
//       OKButton.Default = true;
//       OKButton.ModalResult = mrOk;
//       Layout({{NameLabel, {8, 8, 184, 15, L"..."}},
//               {OKButton, {117, 48, 75, 25, L"OK"}}});
//     }
//     TWRLabel NameLabel;
//     TWRButton OKButton;
//   };
//   TMyDialog dialog;
//   if (dialog.ShowModal() == mrOk) ...
//
// The form gives every dialog the program's look: input method off, the
// dialog font (the default GUI font's metrics with "Meiryo UI" from Windows 7
// on) on every control, the application icon, the system menu's hints, the
// pointer snapped to the default button when the user asks for it, a place
// inside the work area after a display change, help topics on F1, and a
// trace line when it opens and closes. Its dialog keys and size limits
// (Constraints) are its own.
//
// The program has no visual styles of its own: with the system's theme
// active, the controls draw themed; without it, classic.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "base/unique_handle_win.h"
#include "components/control_win.h"
#include "components/form_layout.h"

namespace tdialix {

class TWRButton;

// The result of a modal form: the button that closed it (the platform's IDOK ... values).
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
                          mrClose = 8 };

// Where a form opens: where its owner put it, centred on the screen, or centred on its owner.
enum class TFormPosition { poDesigned, poScreenCenter, poOwnerFormCenter };

// A dialog frame with only the close box, or a sizeable frame.
enum class TFormBorderStyle { bsDialog, bsSizeable };

// The form's smallest and largest window size, in pixels at 96 dpi; 0: no limit.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

// What every form shares with the program: the application hint and the way
// to the help file. The master window installs its help path; without it a
// help request does nothing.
class TWRApplication {
 public:
  static TWRApplication& Instance();

  const std::wstring& Hint() const noexcept { return FHint; }
  void SetHint(std::wstring_view hint);
  std::function<void(const std::wstring& hint)> OnHint;

  // Opens the help file at a topic.
  void ShowHelp(int context);
  std::function<void(int context)> OnHelp;

 private:
  std::wstring FHint;
};

class TWRForm {
 public:
  // className: the form's window class (the dialog's own name, "TDialixAbout").
  explicit TWRForm(std::wstring className);
  TWRForm(const TWRForm&) = delete;
  TWRForm& operator=(const TWRForm&) = delete;
  virtual ~TWRForm();

  HWND Handle() const noexcept { return Window; }
  const std::wstring& ClassName() const noexcept { return FClassName; }

  // Design properties, read when the window is made.
  std::wstring Caption;
  TSize ClientSize{300, 200};  // pixels at 96 dpi
  TFormPosition Position = TFormPosition::poScreenCenter;
  TFormBorderStyle BorderStyle = TFormBorderStyle::bsDialog;
  TSizeConstraints Constraints;
  int HelpContext = 0;
  // The owner when no window of this thread is active at ShowModal.
  HWND Owner = nullptr;
  // The control that has the focus when the form opens; none: the first in tab order.
  TWRControl* ActiveControl = nullptr;

  // Shows the form modally, owned by the active window, and returns the
  // ModalResult that closed it. The window is made when it opens and
  // destroyed when it closes; the form object can be shown again.
  int ShowModal();
  // Makes the window and its controls without showing them (tests, and
  // forms that prepare themselves before showing).
  void CreateForm(HWND owner = nullptr);
  // Shows the form without a modal loop (the caller's loop must hand it its
  // dialog keys through IsDialogMessage).
  void Show(HWND owner = nullptr);
  // Destroys the window (a modal form closes).
  void Release();

  // Changes the client size (pixels at 96 dpi); an open form keeps its top left corner.
  void SetClientSize(TSize size);

  int ModalResult() const noexcept { return FModalResult; }
  void SetModalResult(int result);
  // Closes a modal form as cancelled.
  void Close();

  // The dialog font and the display's DPI (valid once the window exists).
  HFONT Font() const noexcept { return FFont.Get(); }
  const LOGFONTW& FontInfo() const noexcept { return FFontInfo; }
  int Dpi() const noexcept { return FDpi; }
  int Scaled(int pixels) const { return ScaleToDpi(pixels, FDpi); }

  // The button that Enter presses and the one that Escape presses.
  TWRButton* DefaultButton() const;
  TWRButton* CancelButton() const;

  // Opens the help topic of the control (or, without one, of the form).
  void ShowHelpFor(HWND control);

  // Called by the controls.
  void ControlFocused(TWRControl& control);
  void ButtonClicked(TWRButton& button);

 protected:
  // One control of the layout: the control, its place and design text, and
  // the control it stands in (none: the form itself). Ids are given in
  // layout order from 1000 unless one is given. The dialog manager sends
  // Escape to the control with id IDCANCEL: give that id to no other button
  // than the Cancel one.
  struct TLayoutEntry {
    TWRControl& Control;
    TControlSpec Spec;
    TWRControl* Parent = nullptr;
    int Id = 0;
  };
  // The form's controls in tab order; parents before the controls they hold.
  void Layout(std::initializer_list<TLayoutEntry> entries);

  // The controls exist (the texts can be filled in); the window is not shown yet.
  virtual void FormCreate() {}
  // The form has just been shown.
  virtual void FormShow() {}
  // A control of the form took the focus.
  virtual void FormControlFocused(TWRControl&) {}
  // Every message of the form before the form's own handling; a value ends it.
  virtual std::optional<LRESULT> FormProc(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void InitializeDialog();
  void MakeFont();
  void ApplyClientSize();
  void PlaceForm(HWND owner);
  // The monitor a form of this owner opens on.
  static HMONITOR FormMonitor(HWND owner);
  // The form moved to a monitor of another scale: its font, controls and
  // icons follow, and the window takes the rectangle the system suggests.
  void DpiChanged(int dpi, const RECT* suggested);
  void SetApplicationIcon();
  void SnapPointer();
  void KeepInsideWorkArea();
  void Command(WPARAM wParam, LPARAM lParam);
  void MenuSelect(WPARAM wParam, LPARAM lParam);
  void SizeLimits(MINMAXINFO& info) const;
  void SetDefaultFrame(TWRButton* button);
  HWND ModalOwner() const;

  std::wstring FClassName;
  std::vector<TLayoutEntry> Entries;
  HWND Window = nullptr;
  HWND FOwner = nullptr;
  int FModalResult = mrNone;
  bool Destroying = false;  // the window is going: its messages reach no control and no handler
  int FDpi = 96;
  LOGFONTW FFontInfo{};
  TUniqueFont FFont;
  TUniqueIcon BigIcon;
  TUniqueIcon SmallIcon;
};

// An in-memory dialog template without controls: the window styles, the
// window class (empty: the system's dialog class) and the caption. Forms and
// the controls that are dialogs of their own (tab pages) are made from it, so
// no dialog needs a resource.
std::vector<DWORD> DialogTemplate(DWORD style, DWORD exStyle, const std::wstring& className,
                                  const std::wstring& caption);

}  // namespace tdialix
