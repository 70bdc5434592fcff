// The base form's rules that need no window: where a control stands (pixels
// at 96 dpi, scaled by the display's DPI), the dialog font, where a form is
// placed and kept, which button the pointer snaps to, and the system menu's
// hints.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "base/messages.h"
#include "components/tray_icon.h"

namespace tdialix {

// One control of a form's layout: its rectangle in its parent's client area,
// in pixels at 96 dpi, and its design text (a label's text may be the format
// that the form fills in). A width or height of 0 lets the control size
// itself to its text.
struct TControlSpec {
  TControlSpec() = default;
  TControlSpec(int left, int top, int width, int height, std::wstring text = {})
      : Left(left), Top(top), Width(width), Height(height), Text(std::move(text)) {}

  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::wstring Text;
  bool operator==(const TControlSpec&) const = default;
};

// A length in pixels at 96 dpi on a display of the given DPI.
int ScaleToDpi(int pixels, int dpi);

// The dialog font's face on this system: "Meiryo UI" from Windows 7 on, where
// it comes with the system; otherwise the default GUI font's own.
inline constexpr const wchar_t* kDialogFontFace = L"Meiryo UI";
bool UsesDialogFontFace(TWindowsVersion version);

// A font height made `pixels` taller, whichever way the height is given (a
// negative height is the character height, a positive one the cell height).
int TallerFontHeight(int height, int pixels);

// A rectangle of the given size centred in the area.
TRect CenteredRect(TSize size, TRect area);

// The window moved back inside the work area: its right and bottom edges
// inside, then its left and top edges (which win for a window larger than the
// work area, so that its caption stays reachable).
TRect KeptInsideWorkArea(TRect window, TRect workArea);

// A button as the pointer's snap target sees it.
struct TSnapCandidate {
  bool Default = false;
  bool Cancel = false;
  int TabOrder = 0;  // among its siblings
};
// The button the pointer moves to when a form opens with the system's
// snap-to-default-button setting on: the default button, else the cancel
// button, else the first button with tab order 0; none without any.
std::optional<size_t> SnapButton(const std::vector<TSnapCandidate>& buttons);

// The system menu's commands (the platform's SC_ values, checked against its
// headers where they are used).
namespace syscommand {
inline constexpr unsigned Size = 0xF000, Move = 0xF010, Minimize = 0xF020, Maximize = 0xF030, NextWindow = 0xF040,
                          PrevWindow = 0xF050, Close = 0xF060, Restore = 0xF120;
}

// The hint shown while a system menu command is highlighted; none for others.
std::optional<TMsg> SystemMenuHint(unsigned command);

}  // namespace tdialix
