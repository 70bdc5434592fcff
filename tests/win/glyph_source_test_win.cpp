// The glyph strip built with the platform's fonts and bitmap files.
#include "clock/glyph_source_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "clock/glyph_strip.h"

namespace tdialix {
namespace {

TGlyphStrip Build(const TStyle& style, int monitorHeight = 1024, unsigned bits = 32) {
  TGdiGlyphRasterizer rasterizer;
  TGdiPictureSource pictures;
  TGlyphStrip strip;
  InitializeBitmap(strip, style, {monitorHeight, bits, &ResolveColor}, rasterizer, pictures);
  return strip;
}

int OpaquePixels(const TGlyphStrip& strip, int cell) {
  int count = 0;
  const int left = strip.CellLeft(cell);
  for (int y = 0; y < strip.SrcImg.Height(); ++y) {
    for (int x = left; x < left + strip.DrawSizes[cell].cx; ++x) count += strip.SrcImg.Pixel(x, y)[3] > 127 ? 1 : 0;
  }
  return count;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// A 24-bit bottom-up bitmap file.
void WriteBmp(const std::wstring& path, const TBitmap& image) {
  const int stride = (image.Width() * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = image.Width();
  info.biHeight = image.Height();
  info.biPlanes = 1;
  info.biBitCount = 24;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * image.Height();
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  for (int y = image.Height() - 1; y >= 0; --y) out.write(reinterpret_cast<const char*>(image.Row(y)), stride);
}

TEST(GlyphSource, DefaultStyleDigitsHaveInk) {
  const TGlyphStrip strip = Build(TStyle{});  // "MS UI Gothic", 9 per cent of 1024 lines
  EXPECT_GT(strip.MaxDrawSize.cy, 60);
  EXPECT_EQ(strip.SrcImg.Height(), strip.MaxDrawSize.cy);
  for (int digit = 0; digit < 10; ++digit) EXPECT_GT(OpaquePixels(strip, digit), 100) << digit;
  EXPECT_GT(OpaquePixels(strip, kColonGlyph), 10);
  EXPECT_EQ(OpaquePixels(strip, kBlankGlyph), 0);
  // The digits are drawn, not blocks: a "1" has less ink than an "8".
  EXPECT_LT(OpaquePixels(strip, 1), OpaquePixels(strip, 8));
}

TEST(GlyphSource, FullWidthAndItalicAndBoldFontsBuild) {
  TStyle style;
  style.FontWidth = fwFull;
  style.FontStyles = fsBold | fsItalic;
  style.FontSmoothing = false;
  const TGlyphStrip strip = Build(style);
  for (int digit = 0; digit < 10; ++digit) EXPECT_GT(OpaquePixels(strip, digit), 100) << digit;
}

TEST(GlyphSource, RasterFontsAreMeasuredByDrawing) {
  const wchar_t* file = L"Z:\\usr\\share\\wine\\fonts\\jvgasys.fon";
  ASSERT_GT(::AddFontResourceExW(file, FR_PRIVATE, nullptr), 0);
  TStyle style;
  style.FontName = L"System";
  style.IsTrueTypeFont = false;
  style.InnerFrame = 0;
  const TGlyphStrip strip = Build(style, 200);
  for (int digit = 0; digit < 10; ++digit) EXPECT_GT(OpaquePixels(strip, digit), 5) << digit;
  ::RemoveFontResourceExW(file, FR_PRIVATE, nullptr);
}

TEST(GlyphSource, PictureGlyphsFromABitmapFile) {
  TBitmap picture(130, 40, 24);
  picture.Fill(MakeRgb(255, 255, 255));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 130; ++x) picture.Pixel(x, y)[2] = 200;  // upper half: the glyphs
  }
  for (int y = 20; y < 40; ++y) {
    for (int x = 0; x < 130; ++x) {
      std::uint8_t* p = picture.Pixel(x, y);
      p[0] = p[1] = p[2] = (x / 5) % 2 ? 255 : 0;  // masks: the left half of every cell opaque
    }
  }
  const std::wstring path = TempFile(L"tdialix-digits.bmp");
  WriteBmp(path, picture);
  TStyle style;
  style.FontType = ftBitmap;
  style.FontFile = path;
  style.FontSize = 10;  // 40 of 400 lines
  const TGlyphStrip strip = Build(style, 400);
  EXPECT_EQ(strip.SrcImg.Width(), 260);
  EXPECT_EQ(strip.MaxDrawSize, (TSize{20, 40}));
  EXPECT_EQ(strip.SrcImg.Pixel(4, 20)[3], 255);
  EXPECT_EQ(strip.SrcImg.Pixel(4, 20)[2], 200);
  EXPECT_EQ(strip.SrcImg.Pixel(16, 20)[3], 0);
  ::DeleteFileW(path.c_str());

  // A missing picture: font glyphs, no message.
  style.FontFile = TempFile(L"tdialix-missing.bmp");
  const TGlyphStrip fallback = Build(style, 400);
  EXPECT_GT(OpaquePixels(fallback, 8), 10);
}

TEST(GlyphSource, MissingBackgroundPictureGivesNoBackground) {
  TStyle style;
  style.BackGrndType = btBitmap;
  style.BackGrnd = TempFile(L"tdialix-no-background.bmp");
  EXPECT_FALSE(Build(style).BackGrndFlag);
}

// GDI objects alive: as the system counts them (Windows), and as the
// program's owners count them (Wine reports no count).
struct GdiCount {
  DWORD System;
  int Owned;
  bool operator==(const GdiCount&) const = default;
};
GdiCount CountGdi() {
  return {::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
          TUniqueBitmap::AliveCount() + TUniqueFont::AliveCount() + TUniqueBrush::AliveCount() +
              TUniquePen::AliveCount() + TUniqueRegion::AliveCount() + TUniqueMemoryDC::AliveCount()};
}

TEST(GlyphSource, BuildingAgainAndAgainLeavesNoGdiObjectBehind) {
  TStyle style;
  style.OuterFrame = 2;
  style.Shadow = 2;
  style.ShadowSoft = 2;
  Build(style, 300);  // the first build may load fonts for good
  const GdiCount before = CountGdi();
  for (int i = 0; i < 30; ++i) Build(style, 300);
  style.FontType = ftBitmap;
  style.FontFile = TempFile(L"tdialix-missing.bmp");
  for (int i = 0; i < 30; ++i) Build(style, 300);
  const GdiCount after = CountGdi();
  EXPECT_EQ(after.System, before.System);
  EXPECT_EQ(after.Owned, before.Owned);
}

}  // namespace
}  // namespace tdialix
