// The clock window: one borderless layered window per monitor that shows the time.
#pragma once

#include <windows.h>

#include <string>

#include "base/geometry.h"
#include "base/window_win.h"
#include "clock/glyph_strip.h"
#include "clock/hover.h"
#include "style/style.h"

namespace tdialix {

class TDialix : public TWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TDialix";

  // A hidden clock window owned by the master window.
  TDialix(HWND owner, int monitorIndex, const std::wstring& caption);

  int MonitorIndex = 0;
  THoverState Hover;
  bool SizeMovingFlag = false;  // the user is dragging the window
  TRect VisiblityRect;          // the drawn cells inside the window
  TRect TempBorderWidth;        // the style's borders in pixels (left, top, right, bottom)

  TGlyphStrip Strip;  // the cells this clock is drawn from

  // Rebuilds the glyph strip and the background picture for the style.
  void InitializeBitmap(const TStyle& style, int monitorHeight, unsigned displayBits);

  // What the hover rectangle of this clock is made of, on the screen.
  THoverGeometry HoverGeometry() const;

  // Composes the current frame and pushes it to the layered window. The frame
  // composer fills this in; until then the window stays empty.
  void DrawClock(bool redraw);
};

}  // namespace tdialix
