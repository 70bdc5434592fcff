#include "clock/glyph_strip.h"

#include "clock/frame_composer.h"

#include <map>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

// Hand-drawn glyphs: digits are solid 6 x 10 blocks standing on the base line
// (a hole in the "0"), the colon two dots, the period one dot on the base
// line, the hyphen a bar.
class FakeRasterizer : public TGlyphRasterizer {
 public:
  std::map<wchar_t, TGlyphOutline> Glyphs;
  int Styles = 0;
  bool RasterFont = false;  // no outlines: everything is drawn as text

  FakeRasterizer() {
    for (wchar_t c = L'0'; c <= L'9'; ++c) Glyphs[c] = Block(6 + (c - L'0') % 3, 10, 10);
    Glyphs[L'0'].Grey[5 * 6 + 2] = 0;  // a hole in the zero
    TGlyphOutline colon = Block(2, 6, 8);
    for (int x = 0; x < 2; ++x) colon.Grey[2 * 2 + x] = colon.Grey[3 * 2 + x] = 0;
    Glyphs[L':'] = colon;
    Glyphs[L'.'] = Block(2, 2, 2);
    Glyphs[L'-'] = Block(5, 2, 6);
  }
  static TGlyphOutline Block(int w, int h, int ascent) {
    TGlyphOutline g;
    g.Levels = 64;
    g.Size = {w, h};
    g.Origin = {0, ascent};
    g.Grey.assign(static_cast<size_t>(w * h), 64);
    return g;
  }
  void SetFont(const std::wstring&, int, int styles, bool) override { Styles = styles; }
  void SetFontStyles(int styles) override { Styles = styles; }
  std::optional<TGlyphOutline> Outline(wchar_t ch, bool smooth) override {
    if (RasterFont) return std::nullopt;
    const auto it = Glyphs.find(ch);
    if (it == Glyphs.end()) return TGlyphOutline{64, {0, 0}, {0, 0}, {}};
    TGlyphOutline g = it->second;
    if (!smooth) {
      g.Levels = 4;
      for (auto& level : g.Grey) level = static_cast<std::uint8_t>(level / 16);
    }
    if (Styles & fsItalic) {  // a slanted glyph is one pixel wider
      TGlyphOutline wide = Block(g.Size.cx + 1, g.Size.cy, g.Origin.Y);
      return wide;
    }
    return g;
  }
  TBitmap DrawText(wchar_t ch) override {
    TBitmap image(12, 14, 24);
    image.Fill(MakeRgb(255, 255, 255));
    const auto it = Glyphs.find(ch);
    if (it == Glyphs.end()) return image;
    // The ink drawn 2 pixels in, its top 12 - ascent pixels down.
    const TGlyphOutline& g = it->second;
    for (int y = 0; y < g.Size.cy; ++y) {
      for (int x = 0; x < g.Size.cx; ++x) {
        if (g.Grey[y * g.Size.cx + x] == 0) continue;
        std::uint8_t* p = image.Pixel(2 + x, 12 - g.Origin.Y + y);
        p[0] = p[1] = p[2] = 0;
      }
    }
    return image;
  }
  wchar_t FullWidth(wchar_t ch) override { return ch >= L'0' && ch <= L'9' ? static_cast<wchar_t>(ch - L'0' + 0xFF10) : ch; }
};

// Pictures by name; stretching by nearest neighbour.
class FakePictures : public TPictureSource {
 public:
  std::map<std::wstring, TBitmap> Files;
  bool FileExists(const std::wstring& path) override { return Files.count(path) > 0; }
  std::optional<TBitmap> LoadPicture(const std::wstring& path) override {
    const auto it = Files.find(path);
    return it == Files.end() ? std::nullopt : std::optional(it->second);
  }
  bool Stretch(const TBitmap& source, const TRect& from, TBitmap& target, const TRect& to) override {
    for (int y = to.Top; y < to.Bottom; ++y) {
      for (int x = to.Left; x < to.Right; ++x) {
        const int sx = from.Left + (x - to.Left) * from.Width() / to.Width();
        const int sy = from.Top + (y - to.Top) * from.Height() / to.Height();
        if (!target.Contains(x, y) || !source.Contains(sx, sy)) continue;
        const std::uint8_t* s = source.Pixel(sx, sy);
        std::uint8_t* d = target.Pixel(x, y);
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      }
    }
    return true;
  }
};

struct Pixel {
  int B, G, R, A;
  bool operator==(const Pixel&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "(" << p.B << "," << p.G << "," << p.R << "," << p.A << ")";
}
Pixel At(const TBitmap& image, int x, int y) {
  const std::uint8_t* p = image.Pixel(x, y);
  return {p[0], p[1], p[2], p[3]};
}

TGlyphStrip Build(const TStyle& style, int monitorHeight = 278, unsigned bits = 32) {
  FakeRasterizer raster;
  FakePictures pictures;
  TGlyphStrip strip;
  InitializeBitmap(strip, style, {monitorHeight, bits, {}}, raster, pictures);
  return strip;
}

// ---- The steps ----

// A fill or gradation background in system colours ("button face" is
// 0x8000000F) is drawn in the colours the system gives them, as the glyphs
// and the colour key are, not as the constant's low bits.
TEST(GlyphStrip, SystemColourBackgroundsAreResolved) {
  constexpr TColor kButtonFace = static_cast<TColor>(0x8000000F);
  constexpr TColor kWindow = static_cast<TColor>(0x80000005);
  constexpr TColor kButtonShadow = static_cast<TColor>(0x80000010);
  const auto resolve = [&](TColor color) -> TRgb {
    switch (color) {
      case kButtonFace: return MakeRgb(0xD4, 0xD0, 0xC8);
      case kWindow: return MakeRgb(0xFF, 0xFE, 0xFD);
      case kButtonShadow: return MakeRgb(0x80, 0x70, 0x60);
      default: return static_cast<TRgb>(color) & 0xFFFFFF;
    }
  };
  const struct {
    TBackgroundType Type;
    TRgb Top, Bottom;  // the background's colour in the top and bottom row
  } cases[] = {
      {btFill, MakeRgb(0xD4, 0xD0, 0xC8), MakeRgb(0xD4, 0xD0, 0xC8)},
      {btGradation, MakeRgb(0xFF, 0xFE, 0xFD), MakeRgb(0x80, 0x70, 0x60)},
  };
  for (const auto& c : cases) {
    TStyle style;
    style.BackGrndType = c.Type;
    style.BackGrndColor = kButtonFace;
    style.BackGrndGradColor1 = kWindow;
    style.BackGrndGradColor2 = kButtonShadow;
    style.BackGrndGradType = gtVert;
    style.BackGrndAlpha = 0;
    style.BorderWidth = {0, 0, 100, 0};  // a right margin where only the background shows
    FakeRasterizer raster;
    FakePictures pictures;
    TGlyphStrip strip;
    InitializeBitmap(strip, style, {278, 32, resolve}, raster, pictures);
    TFrameComposer composer;
    const std::wstring text = L"1       ";
    composer.ResetAnimation(text);
    TComposeInput in;
    in.Style = &style;
    in.Strip = &strip;
    in.NowText = text;
    in.PrevText = text;
    in.Redraw = true;
    composer.Compose(in);
    const TBitmap& frame = composer.ULWBmp;
    ASSERT_FALSE(frame.Empty());
    const int column = frame.Width() - 1;
    const auto rgb = [&](int y) {
      const std::uint8_t* p = frame.Pixel(column, y);
      return MakeRgb(p[2], p[1], p[0]);
    };
    EXPECT_EQ(rgb(0), c.Top) << "type " << c.Type;
    EXPECT_EQ(rgb(frame.Height() - 1), c.Bottom) << "type " << c.Type;
  }
}

TEST(StampGlyph, MovesTowardsThePaintColourByTheCoverage) {
  TBitmap source(4, 1, 24);
  const std::uint8_t greys[4] = {0, 255, 128, 254};
  for (int x = 0; x < 4; ++x) source.Pixel(x, 0)[0] = greys[x];
  TBitmap dest(6, 1, 32);
  dest.Fill(MakeRgb(200, 100, 0));
  StampGlyph(dest, MakeRgb(0, 100, 255), source, {1, 0}, 255, {0, 0}, {4, 1});
  EXPECT_EQ(At(dest, 0, 0), (Pixel{0, 100, 200, 0}));     // outside the stamp
  EXPECT_EQ(At(dest, 1, 0), (Pixel{255, 100, 0, 0}));     // full coverage: the colour
  EXPECT_EQ(At(dest, 2, 0), (Pixel{0, 100, 200, 0}));     // no coverage: untouched
  // h = 127: blue 0 + floor(255 * 127 / 256) = 126; red 200 + floor(-200 * 127 / 256) = 200 - 100 = 100
  EXPECT_EQ(At(dest, 3, 0), (Pixel{126, 100, 100, 0}));
  // h = 1: a step up rounds to 0, a step down to -1
  EXPECT_EQ(At(dest, 4, 0), (Pixel{0, 100, 199, 0}));
  EXPECT_EQ(At(dest, 5, 0), (Pixel{0, 100, 200, 0}));

  TBitmap again = dest;
  StampGlyph(again, MakeRgb(1, 2, 3), source, {0, 0}, 0, {0, 0}, {4, 1});  // strength 0: nothing
  EXPECT_EQ(again, dest);
}

TEST(StampGlyph, ClipsToBothImages) {
  TBitmap source(3, 3, 24);  // all coverage
  TBitmap dest(2, 2, 24);
  dest.Fill(0);
  StampGlyph(dest, MakeRgb(9, 9, 9), source, {-1, -1}, 255, {1, 0}, {5, 5});
  EXPECT_EQ(dest.ColorAt(0, 0), MakeRgb(9, 9, 9));
  EXPECT_EQ(dest.ColorAt(1, 1), MakeRgb(9, 9, 9));
}

TEST(BlurImage, AveragesWithTheNeighboursMeanAndRepeatsEdges) {
  TBitmap image(3, 3, 24);
  image.Fill(0);
  image.Pixel(1, 1)[2] = 200;
  BlurImage(image, 1);
  EXPECT_EQ(image.Pixel(1, 1)[2], 100);  // (200 + 0) / 2
  EXPECT_EQ(image.Pixel(1, 0)[2], 25);   // (0 + 200 / 4) / 2
  EXPECT_EQ(image.Pixel(0, 0)[2], 0);
  TBitmap corner(2, 1, 24);
  corner.Fill(0);
  corner.Pixel(0, 0)[0] = 100;
  BlurImage(corner, 1);
  EXPECT_EQ(corner.Pixel(0, 0)[0], 87);  // edges repeat: mean of (100, 0, 100, 100) = 75
  EXPECT_EQ(corner.Pixel(1, 0)[0], 12);  // mean of (0, 0, 0, 100) = 25, halfway from 0
}

TEST(GrowthPattern, ShapesOfTheFrames) {
  auto admitted = [](int s, int t, bool outer, bool inner) {
    std::string text;
    for (int b = s; b <= t; ++b) {
      for (int a = s; a <= t; ++a) text += GrowthAdmits(a, b, s, t, outer, inner) ? '#' : '.';
      text += '/';
    }
    return text;
  };
  EXPECT_EQ(admitted(2, 2, false, false), "#/");
  EXPECT_EQ(admitted(0, 3, true, false), ".##./####/####/.##./");
  EXPECT_EQ(admitted(0, 3, false, true), ".##./####/####/.##./");
  // Both frames: a rounded square, the inner corner points stay.
  EXPECT_EQ(admitted(0, 6, true, true), "..###../.#####./#######/#######/#######/.#####./..###../");
}

TEST(ColorKey, FirstUnusedCandidate) {
  EXPECT_EQ(ChooseColorKey({}), MakeRgb(255, 0, 0));
  EXPECT_EQ(ChooseColorKey({MakeRgb(255, 0, 0), MakeRgb(0, 0, 255)}), MakeRgb(0, 255, 0));
  EXPECT_EQ(ChooseColorKey({MakeRgb(255, 0, 0), MakeRgb(0, 255, 0), MakeRgb(0, 0, 255), MakeRgb(255, 255, 0),
                            MakeRgb(0, 255, 255), MakeRgb(255, 0, 255)}),
            MakeRgb(0, 0, 0));
  EXPECT_EQ(Luminance(255, 255, 255), 255);
  EXPECT_EQ(Luminance(128, 128, 128), 128);
  EXPECT_EQ(Luminance(255, 0, 0), 76);
}

TEST(RenderGlyph, OutlinesAndDrawnText) {
  FakeRasterizer raster;
  TBitmap target(10, 12, 24);
  auto g = RenderGlyph(raster, &target, L'5', true, {2, 1}, true);
  EXPECT_TRUE(g.Found);
  EXPECT_EQ(g.Size, (TSize{8, 10}));
  EXPECT_EQ(g.Origin, (TPoint{0, 10}));
  EXPECT_EQ(target.ColorAt(2, 1), 0u);                         // ink at the origin
  EXPECT_EQ(target.ColorAt(1, 1), MakeRgb(255, 255, 255));     // white around it

  // No outline (a raster font): the drawn text is measured.
  raster.RasterFont = true;
  g = RenderGlyph(raster, &target, L'1', false, {0, 0}, true);
  EXPECT_TRUE(g.Found);
  EXPECT_EQ(g.Size, (TSize{7, 10}));
  EXPECT_EQ(g.Origin, (TPoint{12 - 2, 14 - 2}));
  EXPECT_EQ(target.ColorAt(0, 0), 0u);  // the ink box lands at the origin

  EXPECT_FALSE(RenderGlyph(raster, nullptr, L'x', false, {0, 0}, false).Found);
}

// ---- Whole strips ----

TEST(GlyphStrip, DefaultStyleHasABlackRingAndWhiteBody) {
  const TStyle style;  // white digits, black inner frame of 4 per cent
  const TGlyphStrip strip = Build(style);  // P = 25, Wi = 1
  // Cells grow by twice the ring.
  EXPECT_EQ(strip.DrawSizes[1].cy, 10 + 2);
  const int x0 = strip.CellLeft(1) + strip.DrawOffsets[1].X;
  const int y0 = strip.DrawOffsets[1].Y;
  // The body, one pixel in from the ring, is white and opaque.
  EXPECT_EQ(At(strip.SrcImg, x0 + 1 + 3, y0 + 1 + 5), (Pixel{255, 255, 255, 255}));
  // The ring is black and opaque, with its corners cut.
  EXPECT_EQ(At(strip.SrcImg, x0, y0 + 5), (Pixel{0, 0, 0, 255}));
  EXPECT_EQ(At(strip.SrcImg, x0 + 3, y0), (Pixel{0, 0, 0, 255}));
  EXPECT_EQ(At(strip.SrcImg, x0, y0).A, 0) << "the ring's corners are cut";
  // The hole in the zero shows the ring colour inside.
  const int z0 = strip.CellLeft(0) + strip.DrawOffsets[0].X;
  EXPECT_EQ(At(strip.SrcImg, z0 + 1 + 2, strip.DrawOffsets[0].Y + 1 + 5), (Pixel{0, 0, 0, 255}));
  EXPECT_EQ(strip.BrushColor, 0u);
}

TEST(GlyphStrip, WithoutDecorationTheColourPlaneIsTheFontColour) {
  TStyle style;
  style.InnerFrame = 0;
  style.FontColor = MakeRgb(10, 200, 30);
  const TGlyphStrip strip = Build(style);
  for (int y = 0; y < strip.SrcImg.Height(); ++y) {
    for (int x = 0; x < strip.SrcImg.Width(); ++x) {
      const Pixel p = At(strip.SrcImg, x, y);
      ASSERT_TRUE(p == (Pixel{30 * p.A / 255, 200 * p.A / 255, 10 * p.A / 255, p.A})) << x << "," << y;
    }
  }
  EXPECT_EQ(At(strip.SrcImg, strip.CellLeft(2) + strip.DrawOffsets[2].X + 3, strip.DrawOffsets[2].Y + 3).A, 255);
}

TEST(GlyphStrip, FixedAndVariablePitch) {
  TStyle style;
  style.InnerFrame = 0;
  const TGlyphStrip fixed = Build(style);
  for (int i = 0; i < kGlyphCount; ++i) EXPECT_EQ(fixed.DrawSizes[i].cx, fixed.MaxDrawSize.cx) << i;
  EXPECT_EQ(fixed.MaxDrawSize.cx, 8);
  EXPECT_EQ(fixed.DrawOffsets[0].X, 8 / 2 - 6 / 2);  // narrower glyphs are centred
  EXPECT_EQ(fixed.SrcImg.Width(), 14 * 8);

  style.FontPitch = fpVariable;
  const TGlyphStrip variable = Build(style);
  EXPECT_EQ(variable.DrawSizes[0].cx, 6);
  EXPECT_EQ(variable.DrawSizes[1].cx, 7);
  EXPECT_EQ(variable.DrawSizes[kColonGlyph].cx, 2);
  EXPECT_EQ(variable.DrawSizes[kBlankGlyph].cx, variable.MaxDrawSize.cx);
  EXPECT_EQ(variable.DrawSizes[kBlankGlyph].cy, 0);
  EXPECT_EQ(variable.DrawOffsets[1].X, 0);
}

TEST(GlyphStrip, SeparatorsAreCentredAndThePeriodSitsOnTheBaseLine) {
  TStyle style;
  style.InnerFrame = 0;
  const TGlyphStrip strip = Build(style);
  EXPECT_EQ(strip.MaxDrawSize.cy, 10);
  EXPECT_EQ(strip.DrawOffsets[kColonGlyph].Y, 10 / 2 - 6 / 2);
  EXPECT_EQ(strip.DrawOffsets[kHyphenGlyph].Y, 10 / 2 - 2 / 2);
  EXPECT_EQ(strip.DrawOffsets[kPeriodGlyph].Y + 2, strip.DrawOffsets[5].Y + 10);  // same bottom as the digits
  EXPECT_EQ(strip.DrawOffsets[kBlankGlyph].Y, 10);
}

TEST(GlyphStrip, SpacingIsLimitedToTheCellWidth) {
  TStyle style;
  style.InnerFrame = 0;
  style.FontSpacing = {1000, -200};
  const TGlyphStrip strip = Build(style);
  const int cx = 5;  // the hyphen's cell, the last one measured
  EXPECT_EQ(strip.TempSpacing[0], 10 * cx);
  EXPECT_EQ(strip.TempSpacing[1], -cx);
  style.FontSpacing = {20, 0};
  EXPECT_EQ(Build(style).TempSpacing[0], 1);
}

TEST(GlyphStrip, LowColourDisplaysGetHardEdgesAndAColourKeyNoStyleColourHas) {
  TStyle style;
  style.FontColor = MakeRgb(255, 0, 0);
  style.InnerFrameColor = MakeRgb(0, 255, 0);
  style.OuterFrame = 4;
  style.OuterFrameColor = MakeRgb(0, 0, 255);
  style.OuterFrameSoft = 5;
  style.OuterFrameTransparent = 50;
  style.Shadow = 4;
  style.ShadowColor = MakeRgb(255, 255, 0);
  const TGlyphStrip strip = Build(style, 278, 8);
  EXPECT_EQ(strip.ULWColor, MakeRgb(0, 255, 255));
  EXPECT_EQ(strip.BrushColor, strip.ULWColor);
  EXPECT_EQ(strip.SoftDrawOffsets[3], strip.DrawOffsets[3]);  // softness ignored
  for (int y = 0; y < strip.SrcImg.Height(); ++y) {
    for (int x = 0; x < strip.SrcImg.Width(); ++x) {
      const int alpha = At(strip.SrcImg, x, y).A;
      ASSERT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
    }
  }
}

TEST(GlyphStrip, PictureGlyphsAreCutFromTheUpperHalfWithTheLowerHalfAsMask) {
  FakeRasterizer raster;
  FakePictures pictures;
  TBitmap picture(130, 40, 24);
  picture.Fill(MakeRgb(255, 255, 255));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 130; ++x) {
      std::uint8_t* p = picture.Pixel(x, y);
      p[2] = 200;  // upper half: red-ish glyphs
      p[0] = p[1] = 0;
    }
  }
  for (int y = 20; y < 40; ++y) {
    for (int x = 0; x < 5; ++x) {
      std::uint8_t* p = picture.Pixel(x, y);  // the first cell's mask: its left half opaque
      p[0] = p[1] = p[2] = 0;
    }
  }
  pictures.Files[L"digits.bmp"] = picture;
  TStyle style;
  style.FontType = ftBitmap;
  style.FontFile = L"digits.bmp";
  style.FontSize = 40;
  TGlyphStrip strip;
  InitializeBitmap(strip, style, {100, 32, {}}, raster, pictures);  // P = 40
  EXPECT_EQ(strip.SrcImg.Width(), 260);
  EXPECT_EQ(strip.SrcImg.Height(), 40);
  EXPECT_EQ(strip.MaxDrawSize, (TSize{20, 40}));
  for (const TSize& size : strip.DrawSizes) EXPECT_EQ(size, (TSize{20, 40}));
  EXPECT_EQ(At(strip.SrcImg, 3, 10), (Pixel{0, 0, 200, 255}));
  EXPECT_EQ(At(strip.SrcImg, 15, 10).A, 0);
  EXPECT_EQ(At(strip.SrcImg, 30, 10).A, 0);

  // A missing picture falls back to font glyphs.
  style.FontFile = L"missing.bmp";
  InitializeBitmap(strip, style, {100, 32, {}}, raster, pictures);
  EXPECT_EQ(strip.MaxDrawSize.cx, 8 + 2 * 2);
}

TEST(GlyphStrip, BackgroundPictureIsAsHighAsTheClock) {
  FakeRasterizer raster;
  FakePictures pictures;
  TBitmap picture(10, 20, 24);
  picture.Fill(MakeRgb(255, 255, 255));  // upper half white, lower half white: opaque
  pictures.Files[L"back.bmp"] = picture;
  TStyle style;
  style.InnerFrame = 0;
  style.BackGrndType = btBitmap;
  style.BackGrnd = L"back.bmp";
  style.BorderWidth = {0, 10, 0, 20};
  TGlyphStrip strip;
  InitializeBitmap(strip, style, {278, 32, {}}, raster, pictures);
  ASSERT_TRUE(strip.BackGrndFlag);
  const int cy = strip.MaxDrawSize.cy;  // 10: margins of 1 and 2 pixels
  EXPECT_EQ(strip.BackGrndImg.Height(), cy + 1 + 2);
  EXPECT_EQ(At(strip.BackGrndImg, 0, 0), (Pixel{255, 255, 255, 255}));

  style.BackGrnd = L"gone.bmp";
  InitializeBitmap(strip, style, {278, 32, {}}, raster, pictures);
  EXPECT_FALSE(strip.BackGrndFlag);
}

}  // namespace
}  // namespace tdialix
