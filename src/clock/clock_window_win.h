// The clock window: one borderless layered window per monitor that shows the time.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/unique_handle_win.h"
#include "base/window_win.h"
#include "clock/frame_composer.h"
#include "clock/strip_builder_win.h"
#include "clock/glyph_strip.h"
#include "clock/clock_behaviour.h"
#include "clock/hover.h"
#include "clock/shown_frame.h"
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

class TDialix;

// What a clock window needs from the program around it.
class TClockHost {
 public:
  struct TBehaviour {
    bool Locked = false;
    TZOrderMode ZOrderMode = zmTop;
    bool EnableOtherwiseShowWindow = true;
    bool ShowToolTip = false;
  };
  virtual TBehaviour ClockBehaviour() = 0;
  // The monitor's rectangle on the screen, when the monitor list has it.
  virtual std::optional<TRect> MonitorBounds(int monitorIndex) = 0;
  // The clock's place on its monitor, in per cent, as a drag left it.
  virtual void StorePosition(int monitorIndex, float x, float y) = 0;
  // One of the program's modal dialogs is open: the clock only brings it forward.
  virtual bool DialogOpen() = 0;
  virtual void BringDialogForward() = 0;
  virtual void EditStyle() = 0;
  virtual void PopupMenu(TDialix& clock, TPoint screen) = 0;
  // A drag ended or the clock must show its frame anew at once.
  virtual void RedrawClock(TDialix& clock) = 0;
  // The window was shown or hidden (by anyone).
  virtual void ClockShownOrHidden(TDialix& clock, bool shown) = 0;
  virtual void ClockPressed(TDialix& clock) = 0;
  virtual void CloseProgram() = 0;
  // The date tooltip: cancel it, or show it after the hint pause.
  virtual void HideToolTip() = 0;
  virtual void ShowToolTipLater(TDialix& clock) = 0;
  virtual bool IsToolTipWindow(HWND window) = 0;
  // The clock's frame changed its size: a tooltip shown for it moves along.
  virtual void ClockResized(TDialix& clock) = 0;

 protected:
  ~TClockHost() = default;
};

class TDialix : public TWindow {
 public:
  static constexpr const wchar_t* kClassName = L"TDialix";
  static constexpr UINT kGlyphsBuiltMessage = WM_APP + 1;  // a build's strip is ready

  // A hidden clock window owned by the master window; without a host it only draws.
  TDialix(HWND owner, int monitorIndex, const std::wstring& caption, TClockHost* host = nullptr);

  int MonitorIndex = 0;
  THoverState Hover;  // the hover, click and hide-fade state the hook path and the shape share
  bool SizeMovingFlag = false;  // the user is dragging the window
  bool OwnShowHide = false;     // the program itself is showing or hiding the window
  bool MarkedForRelease = false;  // its monitor went away: it is about to be destroyed

  int PushedAlpha = -1;     // the window alpha last pushed to the screen
  long long Pushes = 0;     // frames pushed to the screen, whole or in part
  TGlyphStrip Strip;        // the cells this clock is drawn from
  TFrameComposer Composer;  // the frame buffer and the cells' animation

  const TRect& VisiblityRect() const { return Composer.VisiblityRect; }

  // Rebuilds the glyph strip and the background picture for the style. What
  // needs the font and the pictures is done here; the pixel work runs on
  // other threads. A strip that is ready within a moment is taken at once,
  // otherwise the clock keeps showing the strip it has until the new one comes
  // (then it redraws). A newer build cancels one that is still running.
  void InitializeBitmap(const TStyle& style, int monitorHeight, unsigned displayBits);
  // A strip is being built.
  bool BuildingGlyphs() const { return Builder.Busy(); }
  // Takes a strip built elsewhere (the style editor's); a build of the
  // clock's own still running is dropped, so that it never replaces this one.
  void InstallStrip(TGlyphStrip strip) {
    Builder.Cancel();
    strip.Generation = Strip.Generation + 1;  // frames drawn from the strip before are stale
    Strip = std::move(strip);
  }
  void ResetAnimation(std::wstring_view prevText) { Composer.ResetAnimation(prevText); }

  // What the hover rectangle of this clock is made of, on the screen.
  THoverGeometry HoverGeometry() const;

  // Composes the current frame and pushes it to the layered window.
  void DrawClock(bool redraw, const TClockFrameInput& input);

  // Shows or hides the window as the program's own decision; whether it was visible before.
  BOOL ShowByProgram(bool show);

  // Where the date tooltip stands for this clock, on the screen.
  TPoint ToolTipPosition() const;

  // Lets clicks through the window (a hide type is chosen) or not; the
  // hover behaviour decides it again on every frame.
  void SetClickThrough(bool on);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Sizes the window to the frame, runs the hide-on-hover behaviour and
  // pushes the frame with the window's alpha when anything changed.
  // compose: what the frame was composed from, to compose it whole again
  // before a hole goes in (none: the frame is blanked on purpose).
  void UpdateWindowRegion(bool update, const TClockFrameInput& input, TDateTime now, const TComposeInput* compose);
  // Ctrl is up and the window is not being dragged.
  bool Free() const;

  // Pushes the frame to the layered window: only the rectangle that changed
  // while the window's alpha stays (whole under Wine, where that is cheaper),
  // nothing when no pixel changed.
  void PushFrame(const BLENDFUNCTION& blend, bool deep);

  // Takes the strip a build finished; redraw: through the host, as it came later.
  void TakeBuiltGlyphs(bool redraw);

  TStripBuilder Builder;
  TFrameSurface Surface;
  TShownFrame Screen;         // what the layered window shows
  bool FrameAltered = false;  // a hole or a blank is in the frame buffer
  TSize WindowSize;           // the size the window was last given
  bool ClickHide = false;     // the setting as the last frame was drawn with
  TClockHost* Host = nullptr;
  bool Enabled = true;        // the window's own enabled state, which others' modal loops do not change
  bool MouseInside = false;   // the pointer is over the window (leaving is being tracked)

  void MouseEntered();
  void WindowPosChanging(WINDOWPOS& position);
};

}  // namespace tdialix
