// What building the glyph strip needs from the platform: a font's glyphs as
// grey levels, raster text, full-width characters, and picture files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "base/geometry.h"

namespace tdialix {

// One glyph as the platform's outline service gives it.
struct TGlyphOutline {
  int Levels = 64;      // grey levels 0 ... Levels: 64 smoothed, 4 not
  TSize Size;           // the ink box
  TPoint Origin;        // left offset, and ascent of the ink box above the base line
  std::vector<std::uint8_t> Grey;  // Size.cx x Size.cy levels, row by row from the top
};

class TGlyphRasterizer {
 public:
  virtual ~TGlyphRasterizer() = default;
  // The font of the measuring canvas: face, character height in pixels,
  // fsBold/fsItalic bits, and the Shift-JIS character set for full-width digits.
  virtual void SetFont(const std::wstring& face, int height, int styles, bool shiftJis) = 0;
  // The style bits alone, re-applied before every glyph.
  virtual void SetFontStyles(int styles) = 0;
  // The glyph's grey levels; nothing on an error or a zero-size answer.
  virtual std::optional<TGlyphOutline> Outline(wchar_t ch, bool smooth) = 0;
  // The character drawn without antialiasing, black on white, into a 24-bit
  // image exactly as large as its extent.
  virtual TBitmap DrawText(wchar_t ch) = 0;
  // The character's full-width form.
  virtual wchar_t FullWidth(wchar_t ch) = 0;
};

class TPictureSource {
 public:
  virtual ~TPictureSource() = default;
  virtual bool FileExists(const std::wstring& path) = 0;
  // The picture converted to 24 bits; nothing when it cannot be read.
  virtual std::optional<TBitmap> LoadPicture(const std::wstring& path) = 0;
  // Half-tone stretching of a part of the source onto a part of the target. False on failure.
  virtual bool Stretch(const TBitmap& source, const TRect& from, TBitmap& target, const TRect& to) = 0;
};

}  // namespace tdialix
