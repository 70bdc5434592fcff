// The fast stamping must give what stamping offset by offset gives, bit for bit.
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "../support/glyph_reference.h"

namespace tdialix {
namespace {

TEST(StampSquare, MatchesStampingOneByOne) {
  std::mt19937 random(20261210);
  const TStampSquare squares[] = {
      {0, 0},
      {0, 6},
      {-3, 4},
      {2, 9, TOffsetPattern::opNoCorners},
      {0, 8, TOffsetPattern::opGrowth, true, true},
      {1, 5, TOffsetPattern::opGrowth, true, false},
      {3, 3, TOffsetPattern::opGrowth, false, false},
  };
  for (const int strength : {1, 4, 63, 127, 254, 255}) {
    for (const TStampSquare& square : squares) {
      for (int bits : {24, 32}) {
        TBitmap source(9, 7, 24);
        for (auto& byte : source.Data()) {
          const int kind = static_cast<int>(random() % 4);
          byte = kind == 0 ? 255 : kind == 1 ? 0 : static_cast<std::uint8_t>(random() % 256);
        }
        TBitmap fast(16, 13, bits);
        for (auto& byte : fast.Data()) byte = static_cast<std::uint8_t>(random() % 256);
        TBitmap reference = fast;
        const TRgb color = MakeRgb(random() % 256, random() % 256, random() % 256);
        const TPoint at{static_cast<int>(random() % 5) - 2, static_cast<int>(random() % 5) - 2};
        const TPoint base{1, 2};
        const TSize size{8, 6};
        StampSquare(fast, color, source, at, base, size, strength, square);
        StampSquareOneByOne(reference, color, source, at, base, size, strength, square);
        ASSERT_EQ(fast, reference) << "strength " << strength << ", square " << square.S << ".." << square.T;
      }
    }
  }
}

// Squares large enough that most pixels take many stamps, from sources mostly
// inked: there the end value comes from the counts, and at the edges from the run.
TEST(StampSquare, ManyStampsAPixelGiveWhatStampingOneByOneGives) {
  std::mt19937 random(20261211);
  const TStampSquare squares[] = {
      {0, 24},
      {3, 30, TOffsetPattern::opNoCorners},
      {0, 28, TOffsetPattern::opGrowth, true, true},
      {2, 26, TOffsetPattern::opGrowth, false, true},
  };
  TWorkerPool pool(2);
  TGlyphBuildControl control;
  control.Pool = &pool;
  for (const int strength : {1, 4, 9, 85, 255}) {
    for (const TStampSquare& square : squares) {
      for (int bits : {24, 32}) {
        TBitmap source(40, 34, 24);
        for (int y = 0; y < source.Height(); ++y) {
          for (int x = 0; x < source.Width(); ++x) {
            // An inked disc with a soft rim, and some noise.
            const double r = std::hypot(x - 20.0, y - 17.0);
            int g = r < 11 ? 0 : r < 15 ? static_cast<int>((r - 11) * 60) : 255;
            if (random() % 9 == 0) g = static_cast<int>(random() % 256);
            std::uint8_t* p = source.Pixel(x, y);
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(g);
          }
        }
        TBitmap fast(90, 80, bits);
        for (auto& byte : fast.Data()) byte = static_cast<std::uint8_t>(random() % 256);
        TBitmap reference = fast;
        const TRgb color = MakeRgb(random() % 256, random() % 256, random() % 256);
        StampSquare(fast, color, source, {3, 2}, {1, 1}, {38, 33}, strength, square, control);
        StampSquareOneByOne(reference, color, source, {3, 2}, {1, 1}, {38, 33}, strength, square);
        ASSERT_EQ(fast, reference) << "strength " << strength << ", square " << square.S << ".." << square.T;
      }
    }
  }
}

struct StyleCase {
  const char* Name;
  void (*Apply)(TStyle&);
};

const StyleCase kStyles[] = {
    {"default", [](TStyle&) {}},
    {"no decoration", [](TStyle& s) { s.InnerFrame = 0; }},
    {"outer alone", [](TStyle& s) { s.InnerFrame = 0, s.OuterFrame = 8; }},
    {"inner alone soft", [](TStyle& s) { s.InnerFrame = 8, s.InnerFrameSoft = 3; }},
    {"shadow alone", [](TStyle& s) { s.InnerFrame = 0, s.Shadow = 6; }},
    {"shadow alone soft", [](TStyle& s) { s.InnerFrame = 0, s.Shadow = 6, s.ShadowSoft = 4; }},
    {"outer and inner", [](TStyle& s) { s.OuterFrame = 6, s.InnerFrame = 5; }},
    {"outer and shadow", [](TStyle& s) { s.InnerFrame = 0, s.OuterFrame = 6, s.Shadow = 5; }},
    {"inner and shadow", [](TStyle& s) { s.InnerFrame = 6, s.Shadow = 5, s.ShadowColor = 0x102030; }},
    {"all three",
     [](TStyle& s) { s.OuterFrame = 6, s.InnerFrame = 5, s.Shadow = 7, s.OuterFrameColor = 0x0000FF; }},
    {"all three soft",
     [](TStyle& s) {
       s.OuterFrame = 6, s.InnerFrame = 5, s.Shadow = 7, s.OuterFrameSoft = 4, s.InnerFrameSoft = 2, s.ShadowSoft = 5;
       s.OuterFrameTransparent = 60, s.ShadowTransparent = 30;
     }},
    {"all three unsmoothed",
     [](TStyle& s) { s.OuterFrame = 6, s.InnerFrame = 5, s.Shadow = 7, s.FontSmoothing = false, s.ShadowSoft = 3; }},
    {"italic bold variable",
     [](TStyle& s) { s.FontStyles = fsBold | fsItalic, s.FontPitch = fpVariable, s.OuterFrame = 5, s.Shadow = 4; }},
    {"equal colours", [](TStyle& s) { s.OuterFrame = 5, s.Shadow = 5, s.OuterFrameColor = s.ShadowColor = s.FontColor; }},
};

TEST(GlyphStripFast, BuildsTheSameStripsAsTheReference) {
  for (const StyleCase& c : kStyles) {
    for (unsigned bits : {32u, 8u}) {
      TStyle style;
      style.FontSize = 20;
      c.Apply(style);
      TRingRasterizer raster;
      TNoPictures pictures;
      TGlyphStrip fast, reference;
      InitializeBitmap(fast, style, {300, bits, {}}, raster, pictures);
      InitializeBitmap(reference, style, {300, bits, {}}, raster, pictures, &StampSquareOneByOne);
      EXPECT_EQ(fast.SrcImg, reference.SrcImg) << c.Name << ", " << bits << " bits";
      EXPECT_EQ(fast.DrawSizes, reference.DrawSizes) << c.Name;
      EXPECT_FALSE(fast.SrcImg.Empty()) << c.Name;
    }
  }
}

// The heaviest decorations of the style editor, smaller, built on two threads.
TEST(GlyphStripFast, HeavyDecorationsOnTwoThreadsGiveTheReferenceStrip) {
  TStyle heavy;
  heavy.FontSize = 50;
  heavy.OuterFrame = heavy.InnerFrame = heavy.Shadow = 10;
  heavy.OuterFrameSoft = heavy.InnerFrameSoft = heavy.ShadowSoft = 10;
  TStyle coloured = heavy;
  coloured.OuterFrameColor = 0x2040C0;
  coloured.InnerFrameColor = 0x808000;
  coloured.ShadowColor = 0x00FF80;
  coloured.OuterFrameTransparent = 60;
  coloured.ShadowTransparent = 35;
  TWorkerPool pool(2);
  TGlyphBuildControl control;
  control.Pool = &pool;
  for (const TStyle* style : {&heavy, &coloured}) {
    TRingRasterizer raster;
    TNoPictures pictures;
    TGlyphStrip fast, reference;
    InitializeBitmap(fast, *style, {100, 32, {}}, raster, pictures, &StampSquare, control);
    InitializeBitmap(reference, *style, {100, 32, {}}, raster, pictures, &StampSquareOneByOne);
    EXPECT_EQ(fast.SrcImg, reference.SrcImg);
    EXPECT_FALSE(fast.SrcImg.Empty());
  }
}

}  // namespace
}  // namespace tdialix
