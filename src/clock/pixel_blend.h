// The pixel work of composing a frame: premultiplied source-over as the
// platform's AlphaBlend does it, for whole rectangles and for single runs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/bitmap.h"
#include "base/geometry.h"

namespace tdialix {

// v * a / 255, rounded to nearest, without a division; exact for every
// v, a in 0 … 255.
constexpr int Mul255(int v, int a) {
  const int t = v * a + 128;
  return (t + (t >> 8)) >> 8;
}

// A 32-bit pixel in memory that is also read and written byte by byte.
using TPixel32 = std::uint32_t __attribute__((__may_alias__));

// n source pixels over n destination pixels (BGRA, premultiplied): every
// source channel times constantAlpha / 255, then source + destination ×
// (255 − source alpha) / 255, each channel saturating at 255.
void BlendRun(TPixel32* dest, const TPixel32* source, std::size_t n, int constantAlpha);

// The frame buffer's brush as a pixel: its colour with alpha 0, which shows
// nothing with per-pixel alpha and is the colour key without it.
constexpr std::uint32_t BrushPixel(TRgb brush) {
  return BlueOf(brush) | GreenOf(brush) << 8 | static_cast<std::uint32_t>(RedOf(brush)) << 16;
}

// n pixels of one value.
void FillRun(TPixel32* dest, std::size_t n, std::uint32_t value);

// Premultiplied source-over of a source rectangle onto a destination
// rectangle: nothing at constant alpha 0 or for an empty rectangle; a source
// rectangle of another size is stretched (nearest pixel). Clipped to both
// bitmaps and to the clip rectangle (which does not change the stretch).
void BlendRect(TBitmap& dest, const TRect& to, const TBitmap& source, const TRect& from, int constantAlpha,
               const TRect& clip);
inline void BlendRect(TBitmap& dest, const TRect& to, const TBitmap& source, const TRect& from, int constantAlpha) {
  BlendRect(dest, to, source, from, constantAlpha, {0, 0, dest.Width(), dest.Height()});
}

}  // namespace tdialix
