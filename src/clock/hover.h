// Hide-on-hover decisions shared by the master window's hook path and the
// clock windows: where a clock is sensitive to the mouse, and how the hover
// flags move as the mouse comes and goes.
#pragma once

#include <cstdint>

#include "base/geometry.h"
#include "base/types.h"
#include "clock/window_shape.h"

namespace tdialix {

// What the hover rectangle of one clock window is made of.
struct THoverGeometry {
  TRect Window;          // the window on the screen
  int VisibleLeft = 0;   // the drawn cells' extent inside the window
  int VisibleRight = 0;
  int BorderLeft = 0;    // the style's borders in pixels
  int BorderRight = 0;
  int DrawnHeight = 0;   // the tallest glyph's height
};

struct THoverSettings {
  THideType HideType = htNone;
  int HideSensitive = 10;
  unsigned HoleSize = 100;
  unsigned HoleSoft = 0;
  unsigned DisplayBits = 32;  // colours of the screen, in bits per pixel
};

// htHide: the drawn part of the clock over the window's height, grown or shrunk
// on every side with the sensitivity (0 shrinks by 40 % of the height, 4 keeps
// it, 10 grows by 60 %). htHole: the window grown by half the hole's diameter,
// and by the soft edge when the screen has more than 15 bits per pixel.
// Other types: the window itself.
TRect HoverRect(const THoverGeometry& geometry, const THoverSettings& settings);
inline TRect HoverRect(const THoverGeometry& geometry, const TShapeSettings& settings, unsigned displayBits) {
  return HoverRect(geometry, {settings.HideType, settings.HideSensitive, settings.HoleSize, settings.HoleSoft, displayBits});
}

// In hole mode the hook's messages are thinned to about one a tick: one of
// every TimerInterval / 10 + 1 passes, none at all with 100 ms or more.
bool PassHoleThrottle(std::uint32_t& waitCount, unsigned timerInterval);

// The Ctrl key's first press and its release bring a hidden clock back; its
// auto-repeat (bit 31 clear, bit 30 set) does not.
bool IsCtrlPressOrRelease(unsigned virtualKey, std::uint32_t keyFlags);

// Per clock: the flags the hook path shares with the window's shape (the
// hover and click flags) and its own record of what it last drew.
struct THoverState : TShapeState {
  bool HookHoverFlag = false;  // hover state last drawn by the hook path
};

struct THookMouseInput {
  bool Inside = false;           // the cursor lies in the hover rectangle
  bool LeftButtonDown = false;   // the message is a left button press
  bool ClickHide = false;        // the setting: hide only after a click
  THideType HideType = htNone;
  bool CtrlHeld = false;
  bool SizeMoving = false;       // the user is dragging the clock
};

// Whether the pointer keeps the clock busy: it hides under the pointer or
// fades, a hole follows it, or a click made it click-through until the
// pointer leaves. Meanwhile the tick looks at the pointer every interval.
bool PointerEngaged(const THoverState& state, THideType hideType, bool clickHide);

// Updates the clock's hover state from one hook mouse message; true when the
// clock is to be redrawn at once.
bool HookMouseStep(THoverState& state, const THookMouseInput& input);

}  // namespace tdialix
