// Composing one frame of a clock window: the eight cells laid out, digit
// changes animated, separators flashed, background and glyphs blended into
// the window's premultiplied 32-bit frame buffer.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/bitmap.h"
#include "base/date_time.h"
#include "base/geometry.h"
#include "clock/glyph_strip.h"
#include "clock/pixel_blend.h"
#include "style/style.h"

namespace tdialix {

inline constexpr int kCellCount = 8;

// One cell's state: the character shown, the one being replaced, and how far
// the change has come.
struct TDigitParams {
  TDateTime StartTime = 0;  // 0: no change in progress
  int NewProgress = 0;
  int OldProgress = 0;
  int OldLength = 0;
  int NewLength = 0;
  int NewSrcX = 0;
  int OldSrcX = 0;
  int NewX = 0;
  int OldX = 0;
  wchar_t NewChar = L' ';
  wchar_t OldChar = L' ';
  int NewIndex = 13;
  int OldIndex = 13;
  bool NewIsSeparator = false;
  bool OldIsSeparator = false;
};

// The strip cell a display character is drawn from (13: blank).
int GlyphIndexOf(wchar_t c);

struct TComposeInput {
  const TStyle* Style = nullptr;
  const TGlyphStrip* Strip = nullptr;
  std::wstring_view NowText;   // the strings live with the caller for the call
  std::wstring_view PrevText;
  TDateTime Now = 0;
  bool Redraw = false;
  bool HoverChanged = false;  // the hole moved or Ctrl changed (hole mode)
  unsigned DisplayBits = 32;
};

class TFrameComposer {
 public:
  // Compose every frame whole instead of redrawing only the cells that
  // changed (the result is the same; tests compare the two).
  bool AlwaysWhole = false;

  std::array<TDigitParams, kCellCount> DigitParams{};
  TRect VisiblityRect;    // Left and Right of the drawn cells
  TRect TempBorderWidth;  // the style's margins in pixels
  TBitmap ULWBmp{0, 0, 32};  // the frame buffer

  // The frame buffer was drawn on from outside (a hole, a blank): the next
  // frame is composed whole.
  void Invalidate() { HaveFrame = false; }
  // The whole frame buffer cleared with the brush (nothing shows), and the
  // next frame composed whole.
  void Blank(TRgb brush);

  // Every cell idle, showing the previous tick's characters.
  void ResetAnimation(std::wstring_view prevText);

  // Lays out and animates the cells and, when anything changed, composes the
  // frame anew. Returns whether the frame changed.
  bool Compose(const TComposeInput& input);

  // A cell's change or a separator's fade is still running: the next frames differ.
  bool Animating() const;

  // The part of the frame buffer the last Compose that returned true drew
  // anew (the whole frame when it changed size or was composed whole).
  const TRect& Drawn() const { return DrawnRect; }

 private:
  void Layout(const TComposeInput& in, bool& changed);
  void UpdateVisibleRect();
  void DrawBackground(const TStyle& style, const TGlyphStrip& strip);
  void DrawCells(const TComposeInput& in);
  void DrawCell(const TComposeInput& in, const TDigitParams& cell);
  void Blend(const TRect& to, const TRect& from, int alpha);

  // What a cell drew into the frame, and the columns it drew in.
  struct TCellLook {
    bool Changing = false;
    wchar_t NewChar = L' ';
    wchar_t OldChar = L' ';
    int NewX = 0, OldX = 0;
    int NewProgress = 0, OldProgress = 0, NewLength = 0, OldLength = 0;
    int Left = 0, Right = 0;
    bool operator==(const TCellLook&) const = default;
  };
  // Everything besides the cells that the frame's pixels depend on.
  struct TFrameKey {
    const TStyle* Style = nullptr;
    const TGlyphStrip* Strip = nullptr;
    unsigned Generation = 0;
    int AnimationType = 0;
    int BackGrndType = 0, BackGrndAlign = 0, BackGrndAlpha = 0, BackGrndGradType = 0;
    long long BackGrndColor = 0, BackGrndGradColor1 = 0, BackGrndGradColor2 = 0;
    TRect Visible, Border;
    int Width = 0, Height = 0, CellHeight = 0, DigitSpacing = 0, SeparatorSpacing = 0;
    bool operator==(const TFrameKey&) const = default;
  };
  TCellLook LookOf(const TDigitParams& cell) const;

  const TGlyphStrip* Strip = nullptr;  // the strip of the frame being composed
  int CellHeight = 0;
  int DigitSpacing = 0;
  int SeparatorSpacing = 0;
  TRect Clip;  // the part of the frame being drawn
  bool HaveFrame = false;
  TRect DrawnRect;
  TFrameKey LastKey;
  std::array<TCellLook, kCellCount> LastLooks{};
};

}  // namespace tdialix
