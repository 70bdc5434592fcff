// TWRControl: the base of every control of a form. A control is an object
// with design properties (text, enabled, visible, font change, help context)
// that the form turns into a child window when it lays itself out; from then
// on the control's setters change its window too. The control's window is
// subclassed, and the notifications it sends its parent (WM_COMMAND,
// WM_NOTIFY, WM_CTLCOLOR..., WM_DRAWITEM, WM_MEASUREITEM, WM_HSCROLL,
// WM_VSCROLL) are handed back to the control itself, so that each control
// kind handles its own and raises plain events (OnClick, OnChange).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "base/types.h"
#include "base/unique_handle_win.h"
#include "components/form_layout.h"

namespace tdialix {

class TWRForm;

// The window class and the styles a control kind creates its window with.
// WS_CHILD, WS_VISIBLE, WS_DISABLED and WS_TABSTOP come from the control's
// properties.
struct TControlClass {
  const wchar_t* Name;
  DWORD Style = 0;
  DWORD ExStyle = 0;
};

// How a control's font differs from its form's.
struct TFontChange {
  bool Bold = false;
  int Taller = 0;      // pixels added to the height
  std::wstring Face;   // empty: the form's face
};

class TWRControl {
 public:
  TWRControl(const TWRControl&) = delete;
  TWRControl& operator=(const TWRControl&) = delete;
  virtual ~TWRControl();

  HWND Handle() const noexcept { return Window; }
  bool HandleAllocated() const noexcept { return Window != nullptr; }
  int Id() const noexcept { return FId; }
  TWRForm* Form() const noexcept { return FForm; }

  std::wstring Text() const;
  void SetText(std::wstring_view text);
  bool Enabled() const noexcept { return FEnabled; }
  void SetEnabled(bool enabled);
  bool Visible() const noexcept { return FVisible; }
  void SetVisible(bool visible);
  void SetFocus();
  bool Focused() const;

  // Design properties, read when the window is made.
  bool TabStop;
  TFontChange FontChange;
  // The help topic F1 opens while the control has the focus; 0: the form's.
  int HelpContext = 0;

  // The font the control shows its text in (the form's, changed by FontChange).
  HFONT Font() const noexcept;
  // The window's rectangle in its parent's client area, in device pixels.
  RECT BoundsRect() const;

  // Whether pressing Enter while it has the focus presses it (push buttons).
  virtual bool IsPushButton() const { return false; }

  // Creates the window as a child of parent at spec's place (pixels at 96
  // dpi, scaled by the form's DPI, moved by offset in device pixels). The
  // form calls it for every control of its layout; a control calls it for
  // the parts it is made of.
  void Create(TWRForm& form, HWND parent, const TControlSpec& spec, int id, POINT offset = {0, 0});

  // The window that the controls placed in this one become children of, and
  // where its client area's origin stands in that window (a group box holds
  // its controls beside itself, as the dialog manager wants them).
  virtual HWND ContainerFor(POINT& offset) const {
    offset = {0, 0};
    return Window;
  }

 protected:
  explicit TWRControl(TControlClass windowClass, bool tabStop = false);

  // The window exists with its font: fill it (items, icons, ranges).
  virtual void CreateWnd() {}
  // The size for a layout that leaves width or height 0, in device pixels;
  // `given` holds what the layout gave, scaled.
  virtual SIZE AutoSize(SIZE given) const { return given; }
  // The window class and styles, as the design properties ask.
  virtual TControlClass CreateParams() const { return Class; }
  // Makes the window; controls that are dialogs of their own replace it.
  virtual HWND CreateHandle(HWND parent, const RECT& bounds, DWORD style, DWORD exStyle, int id);
  // Every message of the window; pass what is not handled to DefaultProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A notification the window sent its parent, handed back; none: the parent handles it.
  virtual std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam);
  // The window is being destroyed.
  virtual void DestroyWnd() {}

  // The window class and styles the control kind was made with.
  TControlClass Class;

  // A length in pixels at 96 dpi, in device pixels for the form's display.
  int Scaled(int pixels) const;
  // The text's size in the control's font (DrawText rules: "&" marks an access key unless noPrefix).
  SIZE TextExtent(std::wstring_view text, bool noPrefix = false) const;

 private:
  friend class TWRForm;
  friend std::optional<LRESULT> ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  void UpdateFont();

  HWND Window = nullptr;
  TWRForm* FForm = nullptr;
  int FId = 0;
  std::wstring DesignText;  // the text until the window exists
  bool FEnabled = true;
  bool FVisible = true;
  TUniqueFont OwnFont;  // made when FontChange changes anything
};

// The control whose window this is (a window of this thread), or none.
TWRControl* ControlOfWindow(HWND window);

// Hands a notification that a parent window received to the control that
// sent it; none when the sender is no control or does not handle it.
std::optional<LRESULT> ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);

// Turns the input method off for a window: number fields and links take no
// composed text.
void DisableInputMethod(HWND window);

// Whether the system draws controls with a visual style.
bool VisualStylesActive();

// A colour as the platform draws it: system colours looked up, special ones black.
COLORREF ColorToRGB(TColor color);

}  // namespace tdialix
