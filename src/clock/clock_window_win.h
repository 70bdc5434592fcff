// The clock window: one borderless layered window per monitor that shows the time.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/geometry.h"
#include "base/unique_handle_win.h"
#include "base/window_win.h"
#include "clock/frame_composer.h"
#include "clock/glyph_strip.h"
#include "clock/hover.h"
#include "style/style.h"

namespace tdialix {

// What a clock needs from the program to draw a frame.
struct TClockFrameInput {
  const TStyle* Style = nullptr;
  std::wstring_view NowText;   // the master's strings, alive for the call
  std::wstring_view PrevText;
  unsigned DisplayBits = 32;
  bool MonitorPowerOn = true;
  TShapeSettings Shape;        // hide-on-hover and the whole-window opacity
  int SwitchingAlpha = 255;    // the fade between visible and hidden
};

// The frame buffer as the platform sees it: a DIB section selected into a
// memory DC, whose bits the composer writes into directly. The bitmap is
// released after the DC it is selected into.
class TFrameSurface : public TPixelStore {
 public:
  std::uint8_t* Allocate(int width, int height, std::size_t bytes) override;
  HDC DC() const { return FrameDC.Get(); }
  bool Ready() const { return Bits != nullptr; }

 private:
  void Release();
  TUniqueBitmap FrameBitmap;
  TUniqueMemoryDC FrameDC;
  HGDIOBJ FramePrevious = nullptr;
  std::uint8_t* Bits = nullptr;
};

class TDialix : public TWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TDialix";

  // A hidden clock window owned by the master window.
  TDialix(HWND owner, int monitorIndex, const std::wstring& caption);

  int MonitorIndex = 0;
  THoverState Hover;  // the hover, click and hide-fade state the hook path and the shape share
  bool SizeMovingFlag = false;  // the user is dragging the window
  bool OwnShowHide = false;     // the program itself is showing or hiding the window

  int PushedAlpha = -1;     // the window alpha last pushed to the screen
  TGlyphStrip Strip;        // the cells this clock is drawn from
  TFrameComposer Composer;  // the frame buffer and the cells' animation

  const TRect& VisiblityRect() const { return Composer.VisiblityRect; }

  // Rebuilds the glyph strip and the background picture for the style.
  void InitializeBitmap(const TStyle& style, int monitorHeight, unsigned displayBits);
  void ResetAnimation(std::wstring_view prevText) { Composer.ResetAnimation(prevText); }

  // What the hover rectangle of this clock is made of, on the screen.
  THoverGeometry HoverGeometry() const;

  // Composes the current frame and pushes it to the layered window.
  void DrawClock(bool redraw, const TClockFrameInput& input);

  // Shows or hides the window as the program's own decision.
  void ShowByProgram(bool show);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Sizes the window to the frame, runs the hide-on-hover behaviour and
  // pushes the frame with the window's alpha when anything changed.
  // composeWhole composes the frame anew from scratch (none: the frame is
  // blanked on purpose).
  void UpdateWindowRegion(bool update, const TClockFrameInput& input, const std::function<void()>& composeWhole);
  // Ctrl is up and the window is not being dragged.
  bool Free() const;
  void SetClickThrough(bool on);

  TFrameSurface Surface;
  bool FrameAltered = false;  // a hole or a blank is in the frame buffer
  bool ClickHide = false;     // the setting as the last frame was drawn with
};

}  // namespace tdialix
