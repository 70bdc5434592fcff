// The straightforward way of stamping a decoration, one offset after the
// other: the reference the fast way must match bit for bit.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

#include "clock/glyph_strip.h"

namespace tdialix {

inline void StampSquareOneByOne(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, TPoint base, TSize size,
                                int strength, const TStampSquare& square, const TGlyphBuildControl& = {}) {
  for (int a = square.S; a <= square.T; ++a) {
    for (int b = square.S; b <= square.T; ++b) {
      if (square.Admits(a, b)) StampGlyph(dest, color, source, {at.X + a, at.Y + b}, strength, base, size);
    }
  }
}

// Digits as smooth-edged rings as tall as the font, with 64 grey levels (4
// when not smoothed); slanted rings for italic.
class TRingRasterizer : public TGlyphRasterizer {
 public:
  void SetFont(const std::wstring&, int height, int styles, bool) override {
    Height = height;
    Styles = styles;
  }
  void SetFontStyles(int styles) override { Styles = styles; }
  std::optional<TGlyphOutline> Outline(wchar_t ch, bool smooth) override {
    const bool small = ch == L'.' || ch == L'-';
    const int h = small ? std::max(Height / 8, 1) : ch == L':' ? Height / 2 : Height * 7 / 10;
    const int upright = std::max(ch == L':' || ch == L'.' ? Height / 8 : Height * 45 / 100, 1);
    const int slant = (Styles & fsItalic) ? h / 5 : 0;
    const int w = upright + slant;
    TGlyphOutline g;
    g.Levels = smooth ? 64 : 4;
    g.Size = {w, std::max(h, 1)};
    g.Origin = {0, g.Size.cy};
    g.Grey.resize(static_cast<size_t>(g.Size.cx) * g.Size.cy);
    const double cx = upright / 2.0, cy = g.Size.cy / 2.0;
    const double thickness = std::max(upright / ((Styles & fsBold) ? 3.0 : 5.0), 1.0) + (ch - L'0') % 3;
    for (int y = 0; y < g.Size.cy; ++y) {
      const double shift = slant * (1.0 - (y + 0.5) / g.Size.cy);
      for (int x = 0; x < w; ++x) {
        const double dx = (x + 0.5 - shift - cx) / cx, dy = (y + 0.5 - cy) / cy;
        const double r = std::sqrt(dx * dx + dy * dy) * cx;
        const double inside = std::clamp(std::min(cx - r, r - (cx - thickness)) + 0.5, 0.0, 1.0);
        g.Grey[static_cast<size_t>(y) * w + x] = static_cast<std::uint8_t>(std::lround(inside * g.Levels));
      }
    }
    return g;
  }
  TBitmap DrawText(wchar_t) override { return TBitmap(1, 1, 24); }
  wchar_t FullWidth(wchar_t ch) override { return ch; }

 private:
  int Height = 1;
  int Styles = 0;
};

class TNoPictures : public TPictureSource {
 public:
  bool FileExists(const std::wstring&) override { return false; }
  std::optional<TBitmap> LoadPicture(const std::wstring&) override { return std::nullopt; }
  bool Stretch(const TBitmap&, const TRect&, TBitmap&, const TRect&) override { return false; }
};

}  // namespace tdialix
