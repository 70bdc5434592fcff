// The clock window's shape and translucency as the mouse comes near: the
// hide fade, the soft hole around the pointer, click-through, and the
// window's overall opacity.
#pragma once

#include "base/bitmap.h"
#include "base/date_time.h"
#include "base/geometry.h"
#include "base/types.h"

namespace tdialix {

struct TShapeSettings {
  THideType HideType = htNone;
  bool ClickHide = false;
  int HideSensitive = 10;   // how far around the clock the pointer counts as over it
  int HideAlpha = 25;       // per cent of opacity left when hidden
  int HideSpeed = 80;
  unsigned HoleSize = 100;  // per cent of the glyph height
  unsigned HoleAlpha = 90;  // per cent: 100 clears the pixels
  unsigned HoleSoft = 0;    // per cent of the hole's diameter
  int TransParent = 100;    // whole-window opacity in per cent
};

// What one clock window keeps between updates.
struct TShapeState {
  bool HoverFlag = false;       // the pointer counts as over the clock
  bool SaveHoverFlag = false;
  bool SaveKeyFlag = false;     // "free" at the last update
  bool ClickHideFlag = false;   // clicked, and the pointer has not left since
  bool AlphaHiding = false;     // a hide fade is running
  bool AlphaDirection = false;  // the fade makes the clock visible
  int SaveHidingAlpha = 255;
  TDateTime SaveHideTime = 0;
  TPoint SaveMousePos{-1, -1};
};

struct TShapeInput {
  bool Update = false;          // the frame was composed anew
  bool Free = true;             // Ctrl is up and the clock is not being dragged
  bool Inside = false;          // the pointer is in the hover rectangle
  bool LeftButtonDown = false;
  TPoint Cursor;                // the pointer on the screen
  bool Deep = true;             // 16 bits per pixel or more
  TDateTime Now = 0;
  int SwitchingAlpha = 255;     // the fade between visible and hidden
};

struct TShapeDecision {
  bool Push = false;          // push the frame, the alpha and the click-through; else the window stays as it is
  bool PunchHole = false;     // punch the hole at the pointer into the frame first
  int Alpha = 255;            // the window's overall opacity
  bool ClickThrough = false;  // clicks pass through the window
};

// One update of a clock window's shape.
TShapeDecision WindowShapeStep(TShapeState& state, const TShapeSettings& settings, const TShapeInput& input);

// How far the eased hide fade has come after elapsedMs: over a half time from
// the speed (at least 1 ms), an ease-in to half the span, then an ease-out.
// A negative time (the system clock went back) gives the whole span.
int HideFadeStep(long long elapsedMs, int hideSpeed, int span);

// The window's overall opacity from the hide fade's alpha (255 when not
// hiding), its floor, the whole-window opacity in per cent and the switching fade.
int WindowAlpha(int hidingAlpha, int floor, int transParent, int switchingAlpha);

// Punches the hole around the pointer (client coordinates) into the frame:
// a disc of the hole size in per cent of the glyph height cy, its pixels kept
// at 100 − HoleAlpha per cent and fading back over the soft edge. A full-
// strength hard hole, or any hole on a display without per-pixel alpha, is
// the inscribed ellipse filled with the frame's brush.
void PunchHole(TBitmap& frame, TPoint cursor, int cy, const TShapeSettings& settings, bool deep, TRgb brush);

}  // namespace tdialix
