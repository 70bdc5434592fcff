// The glyph strip's platform side: GDI fonts and glyph outlines, raster text,
// full-width characters, bitmap files and half-tone stretching.
#pragma once

#include <windows.h>

#include "base/unique_handle_win.h"
#include "clock/glyph_source.h"

namespace tdialix {

class TGdiGlyphRasterizer : public TGlyphRasterizer {
 public:
  TGdiGlyphRasterizer();

  void SetFont(const std::wstring& face, int height, int styles, bool shiftJis) override;
  void SetFontStyles(int styles) override;
  std::optional<TGlyphOutline> Outline(wchar_t ch, bool smooth) override;
  TBitmap DrawText(wchar_t ch) override;
  wchar_t FullWidth(wchar_t ch) override;

 private:
  TUniqueFont MakeFont(int styles, DWORD quality) const;

  // The font is released after the DC it is selected into.
  TUniqueFont Font;
  TUniqueMemoryDC DC;
  std::wstring Face;
  int Height = 1;
  int Styles = 0;
  bool ShiftJis = false;
};

class TGdiPictureSource : public TPictureSource {
 public:
  bool FileExists(const std::wstring& path) override;
  std::optional<TBitmap> LoadPicture(const std::wstring& path) override;
  bool Stretch(const TBitmap& source, const TRect& from, TBitmap& target, const TRect& to) override;
};

// A style colour as RGB, system colour constants (negative values) resolved.
TRgb ResolveColor(std::int32_t color);

}  // namespace tdialix
