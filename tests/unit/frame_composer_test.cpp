#include "clock/frame_composer.h"

#include "clock/display_string.h"

#include <random>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

// A strip of opaque white cells 6 high; digit i is 3 + i % 4 wide with
// variable pitch, 6 wide with fixed pitch; the blank is as wide as the widest.
TGlyphStrip Strip(bool variable = false) {
  TGlyphStrip strip;
  strip.MaxDrawSize = {6, 6};
  int width = 0;
  for (int i = 0; i < kGlyphCount; ++i) {
    strip.DrawSizes[i] = {variable && i < 10 ? 3 + i % 4 : 6, i == kBlankGlyph ? 0 : 6};
    width += strip.DrawSizes[i].cx;
  }
  strip.SrcImg = TBitmap(width, 6, 32);
  for (auto& byte : strip.SrcImg.Data()) byte = 255;
  strip.TempSpacing = {1, 0};
  return strip;
}

double At(int s, int ms) { return *TryEncodeDateTime({2026, 12, 10}, {10, 5, s, ms}); }

struct Fixture {
  TStyle Style;
  TGlyphStrip GlyphStrip = Strip();
  TFrameComposer Composer;
  std::wstring Prev;

  bool Frame(const std::wstring& now, double when, bool redraw = false) {
    TComposeInput in;
    in.Style = &Style;
    in.Strip = &GlyphStrip;
    in.NowText = now;
    in.PrevText = Prev;
    in.Now = when;
    in.Redraw = redraw;
    const bool changed = Composer.Compose(in);
    Prev = now;
    return changed;
  }
  void Start(const std::wstring& text) {
    Prev = text;
    Composer.ResetAnimation(text);
    Frame(text, At(0, 0), true);
  }
};

TEST(FrameComposer, DigitProgressForEachKind) {
  const struct {
    TAnimationType Type;
    bool Inertia;
    int Speed;
    int ElapsedMs;
    int NewProgress;
  } cases[] = {
      {atUp, false, 90, 300, 3},      // linear over 600 ms, a cell 6 high
      {atUp, false, 90, 150, 2},      // 1.5 rounds away from zero
      {atUp, true, 90, 150, 1},       // eased: a quarter of the way after a quarter of the time
      {atUp, true, 90, 300, 3},       // half way at half time
      {atUp, true, 90, 450, 5},
      {atHorz, false, 90, 300, 6},    // twice the cell width: 12 in all
      {atVert, false, 90, 150, 3},    // twice the height
      {atFade, true, 90, 300, 6},
      {atFadeCross, false, 0, 30000, 3},  // speed 0: a minute
      {atDown, false, 80, 1200, 3},   // speed 80: 2.4 s
  };
  for (const auto& c : cases) {
    Fixture f;
    f.Style.AnimationType = c.Type;
    f.Style.Inertia = c.Inertia;
    f.Style.AnimationSpeed = c.Speed;
    f.Start(L"10:05   ");
    f.Frame(L"10:06   ", At(1, 0));
    f.Frame(L"10:06   ", IncMilliSecond(At(1, 0), c.ElapsedMs));
    const TDigitParams& cell = f.Composer.DigitParams[4];
    EXPECT_NE(cell.StartTime, 0) << c.Type << " still changing";
    EXPECT_EQ(cell.NewProgress, c.NewProgress) << c.Type << " after " << c.ElapsedMs << " ms";
    EXPECT_EQ(cell.OldChar, L'5');
  }
}

TEST(FrameComposer, ChangesEndWhenTheirTimeIsUp) {
  Fixture f;
  f.Style.AnimationType = atUp;
  f.Start(L"10:05   ");
  f.Frame(L"10:06   ", At(1, 0));
  EXPECT_TRUE(f.Frame(L"10:06   ", At(1, 300)));   // moving: a new frame
  EXPECT_TRUE(f.Frame(L"10:06   ", At(1, 600)));   // the last one
  EXPECT_EQ(f.Composer.DigitParams[4].StartTime, 0);
  EXPECT_EQ(f.Composer.DigitParams[4].OldChar, L'6');
  EXPECT_FALSE(f.Frame(L"10:06   ", At(1, 700)));  // nothing changed: nothing composed

  f.Style.AnimationSpeed = 100;  // at once
  f.Frame(L"10:07   ", At(2, 0));
  EXPECT_EQ(f.Composer.DigitParams[4].StartTime, 0);
}

TEST(FrameComposer, DigitToSeparatorAndUnlitSeparatorsChangeAtOnce) {
  Fixture f;
  f.Style.AnimationType = atFade;
  f.Style.FlashColonType = fc1000ms;  // not smooth
  f.Start(L"10:05   ");
  f.Frame(L"10_05   ", At(1, 0));
  EXPECT_EQ(f.Composer.DigitParams[2].StartTime, 0);
  EXPECT_EQ(f.Composer.DigitParams[2].OldChar, L'_');
  f.Frame(L"1:005   ", At(2, 0));  // a digit where a separator was, and back
  EXPECT_EQ(f.Composer.DigitParams[1].StartTime, 0);
  EXPECT_EQ(f.Composer.DigitParams[2].StartTime, 0);

  // Smooth flashing fades them over about 177 ms.
  Fixture smooth;
  smooth.Style.FlashColonType = fc1000ms;
  smooth.Style.FlashColonSmooth = true;
  smooth.Start(L"10:05   ");
  smooth.Frame(L"10_05   ", At(1, 0));
  smooth.Frame(L"10_05   ", At(1, 100));
  EXPECT_NE(smooth.Composer.DigitParams[2].StartTime, 0);
  EXPECT_EQ(smooth.Composer.DigitParams[2].NewProgress, 4);  // 2 x 6 long, 100 ms in
  smooth.Frame(L"10_05   ", At(1, 180));
  EXPECT_EQ(smooth.Composer.DigitParams[2].StartTime, 0);
}

// When the system clock goes back (the end of summer time, a correction), a
// change in progress started "after" now: it ends at once, for every kind of
// digit animation and for smoothly flashing colons, instead of standing still
// for as long as the jump.
TEST(FrameComposer, ChangesEndAtOnceWhenTheClockGoesBack) {
  const int jumps[] = {1000, 3600 * 1000};
  for (const int jump : jumps) {
    for (int type = atHorz; type <= atFadeCross; ++type) {
      for (const bool inertia : {false, true}) {
        Fixture f;
        f.Style.AnimationType = static_cast<TAnimationType>(type);
        f.Style.Inertia = inertia;
        f.Start(L"10:05   ");
        f.Frame(L"10:06   ", At(59, 700));
        f.Frame(L"10:06   ", At(59, 800));
        ASSERT_NE(f.Composer.DigitParams[4].StartTime, 0) << type;
        f.Frame(L"10:06   ", IncMilliSecond(At(59, 800), -jump));
        const TDigitParams& cell = f.Composer.DigitParams[4];
        EXPECT_EQ(cell.StartTime, 0) << "kind " << type << ", inertia " << inertia << ", back " << jump << " ms";
        EXPECT_EQ(cell.OldChar, L'6') << type;
      }
    }
    Fixture smooth;
    smooth.Style.FlashColonType = fc1000ms;
    smooth.Style.FlashColonSmooth = true;
    smooth.Start(L"10:05   ");
    smooth.Frame(L"10_05   ", At(59, 700));
    smooth.Frame(L"10_05   ", At(59, 750));
    ASSERT_NE(smooth.Composer.DigitParams[2].StartTime, 0);
    smooth.Frame(L"10_05   ", IncMilliSecond(At(59, 750), -jump));
    EXPECT_EQ(smooth.Composer.DigitParams[2].StartTime, 0) << "colon, back " << jump << " ms";
    EXPECT_EQ(smooth.Composer.DigitParams[2].OldChar, L'_');
  }
}

TEST(FrameComposer, VisibleRectStartsAtTheFirstDrawnCell) {
  Fixture f;
  f.Start(L" 9:05    ");
  EXPECT_EQ(f.Composer.VisiblityRect.Left, 7);  // the blank cell and its spacing
  EXPECT_EQ(f.Composer.DigitParams[1].NewX, 7);
  Fixture hidden;
  hidden.Start(L"05:09   ");
  EXPECT_EQ(hidden.Composer.VisiblityRect.Left, 0);
  // With margins the left edge moves by the left margin.
  Fixture margins;
  margins.Style.BorderWidth = {50, 0, 0, 0};  // half of 6 pixels
  margins.Start(L" 9:05    ");
  EXPECT_EQ(margins.Composer.TempBorderWidth.Left, 3);
  EXPECT_EQ(margins.Composer.VisiblityRect.Left, 3 + 7);
}

TEST(FrameComposer, TheWindowDoesNotShrinkWhileTheLastCellChanges) {
  Fixture f;
  f.GlyphStrip = Strip(true);
  f.Style.AnimationType = atFadeOut;
  f.Style.ShowHour = hf24H;
  f.Style.ShowSecond = true;
  f.Start(L"10:05:39");  // 3 and 9 are 6 and 4 wide, 4 and 0 are 3 wide
  const int wide = f.Composer.VisiblityRect.Right;
  f.Frame(L"10:05:40", At(1, 0));
  f.Frame(L"10:05:40", At(1, 200));
  EXPECT_NE(f.Composer.DigitParams[7].StartTime, 0);
  EXPECT_EQ(f.Composer.VisiblityRect.Right, wide);
  f.Frame(L"10:05:40", At(2, 0));
  EXPECT_EQ(f.Composer.DigitParams[7].StartTime, 0);
  EXPECT_LT(f.Composer.VisiblityRect.Right, wide);
}

TEST(FrameComposer, FillAndGradationBackgrounds) {
  Fixture f;
  f.Style.BackGrndType = btFill;
  f.GlyphStrip.BackGrndColor = 0x0000FF;  // red, as the strip resolved the style's colour
  f.Style.BackGrndAlpha = 0;
  f.Start(L"10      ");
  const TBitmap& frame = f.Composer.ULWBmp;
  ASSERT_FALSE(frame.Empty());
  // Between the white cells the red shows.
  EXPECT_EQ(frame.Pixel(6, 0)[2], 255);
  EXPECT_EQ(frame.Pixel(6, 0)[0], 0);
  EXPECT_EQ(frame.Pixel(6, 0)[3], 255);

  f.Style.BackGrndAlpha = 100;  // fully transparent
  f.Frame(L"10      ", At(3, 0), true);
  EXPECT_EQ(f.Composer.ULWBmp.Pixel(6, 0)[3], 0);

  Fixture g;
  g.Style.BackGrndType = btGradation;
  g.GlyphStrip.BackGrndGradColor1 = 0x000000;
  g.GlyphStrip.BackGrndGradColor2 = 0xFFFFFF;
  g.Style.BackGrndGradType = gtVert;
  g.Style.BorderWidth = {0, 0, 100, 0};  // a right margin of one cell height
  g.Start(L"1       ");
  const TBitmap& gradient = g.Composer.ULWBmp;
  const int column = 6 + 2;  // in the right margin: the background alone
  ASSERT_LT(column, gradient.Width());
  EXPECT_EQ(gradient.Pixel(column, 0)[0], 0);                       // the first colour at the top
  EXPECT_EQ(gradient.Pixel(column, gradient.Height() - 1)[0], 255);  // the second at the bottom
}

// Composing only the cells that changed gives, frame by frame, the pixels of
// composing every frame whole: for every animation kind, with smooth and
// plain flashing colons, overlapping cells and a background that depends on
// the column, through minute changes that move the cells after them right
// and left.
TEST(FrameComposer, RedrawingChangedCellsGivesTheWholeFrame) {
  std::mt19937 random(11);
  TGlyphStrip strip = Strip(true);
  for (int y = 0; y < strip.SrcImg.Height(); ++y) {
    for (int x = 0; x < strip.SrcImg.Width(); ++x) {
      std::uint8_t* p = strip.SrcImg.Pixel(x, y);
      p[3] = static_cast<std::uint8_t>(random() % 3 == 0 ? 0 : random() % 256);
      for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>(random() % (p[3] + 1));
    }
  }
  const TAnimationType kinds[] = {atNone, atHorz, atVert, atUp, atDown, atFade, atFadeOut, atFadeCross};
  for (const TAnimationType kind : kinds) {
    for (const bool smooth : {false, true}) {
      for (const auto& [spacing, minute] : {std::pair{1, 5}, {-2, 5}, {1, 7}, {-2, 7}, {0, 9}}) {
        TStyle style;
        style.AnimationType = kind;
        style.AnimationSpeed = 95;  // 150 ms a change
        style.ShowHour = hf24H;
        style.ShowSecond = true;
        style.FlashColonType = fc500ms;
        style.FlashColonSmooth = smooth;
        style.BackGrndType = btGradation;
        style.BackGrndGradType = gtHorz;
        strip.BackGrndGradColor1 = 0x102030;
        strip.BackGrndGradColor2 = 0xF0E0D0;
        style.BackGrndAlpha = 30;
        style.BorderWidth = {20, 10, 30, 10};
        strip.TempSpacing = {spacing, spacing + 1};
        TFrameComposer whole, changed;
        whole.AlwaysWhole = true;
        TDateTime now = *TryEncodeDateTime({2026, 12, 10}, {10, minute, 58, 0});
        std::wstring prev = BuildDisplayString(now, style, true, 32);
        whole.ResetAnimation(prev);
        changed.ResetAnimation(prev);
        for (int tick = 0; tick < 100; ++tick) {  // 3.2 s of ticks
          const std::wstring text = BuildDisplayString(now, style, tick == 0, 32);
          TComposeInput in;
          in.Style = &style;
          in.Strip = &strip;
          in.NowText = text;
          in.PrevText = prev;
          in.Now = now;
          in.Redraw = tick == 0;
          const bool wholeChanged = whole.Compose(in);
          ASSERT_EQ(changed.Compose(in), wholeChanged) << kind << " tick " << tick;
          ASSERT_EQ(changed.ULWBmp, whole.ULWBmp) << "kind " << kind << ", smooth " << smooth << ", spacing "
                                                  << spacing << ", minute " << minute << ", tick " << tick;
          prev = text;
          now = IncMilliSecond(now, 32);
        }
      }
    }
  }
}

TEST(BlendRect, PremultipliedSourceOver) {
  TBitmap source(1, 1, 32);
  std::uint8_t* s = source.Pixel(0, 0);
  s[0] = 0, s[1] = 0, s[2] = 128, s[3] = 128;  // half-transparent red
  TBitmap dest(2, 1, 32);
  for (int x = 0; x < 2; ++x) {
    std::uint8_t* d = dest.Pixel(x, 0);
    d[0] = 255, d[1] = 0, d[2] = 0, d[3] = 255;  // opaque blue
  }
  BlendRect(dest, {0, 0, 1, 1}, source, {0, 0, 1, 1}, 255);
  EXPECT_EQ(dest.Pixel(0, 0)[0], 127);
  EXPECT_EQ(dest.Pixel(0, 0)[2], 128);
  EXPECT_EQ(dest.Pixel(0, 0)[3], 255);
  const TBitmap before = dest;
  BlendRect(dest, {1, 0, 2, 1}, source, {0, 0, 1, 1}, 0);  // constant alpha 0: nothing
  BlendRect(dest, {1, 0, 1, 1}, source, {0, 0, 1, 1}, 255);  // empty: nothing
  EXPECT_EQ(dest, before);
}

}  // namespace
}  // namespace tdialix

namespace tdialix {
namespace {

// The blend of one source pixel onto one destination pixel, channel by
// channel; a channel that would pass 255 (only for a source that is not
// validly premultiplied) saturates.
void BlendOnePixel(std::uint8_t* d, const std::uint8_t* s, int constantAlpha) {
  auto mul = [](int v, int a) {
    const int t = v * a + 128;
    return (t + (t >> 8)) >> 8;
  };
  int c[4] = {s[0], s[1], s[2], s[3]};
  for (int& v : c) v = mul(v, constantAlpha);
  for (int k = 0; k < 4; ++k) d[k] = static_cast<std::uint8_t>(std::min(c[k] + mul(d[k], 255 - c[3]), 255));
}

TBitmap RandomImage(std::mt19937& random, int width, int height, bool premultiplied) {
  TBitmap image(width, height, 32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.Pixel(x, y);
      const int kind = static_cast<int>(random() % 4);
      p[3] = static_cast<std::uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : random() % 256);
      for (int k = 0; k < 3; ++k) p[k] = static_cast<std::uint8_t>(random() % ((premultiplied ? p[3] : 255) + 1));
      if (kind == 0 && premultiplied && random() % 2) p[0] = p[1] = p[2] = 0;  // whole runs of nothing
    }
  }
  return image;
}

// Random rectangles of every width around the vector lanes, unstretched and
// stretched, clipped at the bitmaps' edges, at several constant alphas.
TEST(BlendRect, MatchesThePixelByPixelFormula) {
  std::mt19937 random(7);
  struct TCase {
    TRect To, From;
  };
  const TCase cases[] = {
      {{0, 0, 16, 16}, {0, 0, 16, 16}},     // whole images
      {{3, 1, 22, 9}, {2, 4, 21, 12}},      // an odd width at odd places
      {{-5, -2, 9, 7}, {1, 1, 15, 10}},     // cut at the destination's top left
      {{20, 14, 29, 25}, {8, 9, 17, 20}},   // cut at its bottom right
      {{0, 0, 1, 1}, {5, 5, 6, 6}},         // one pixel
      {{2, 2, 27, 6}, {0, 0, 7, 16}},       // stretched wide, squeezed low
      {{1, 0, 4, 25}, {0, 3, 16, 5}},       // squeezed narrow, stretched high
      {{0, 0, 24, 24}, {10, 10, 30, 30}},   // a source rectangle beyond the source
  };
  for (const bool premultiplied : {true, false}) {
    for (const int constantAlpha : {255, 200, 128, 1}) {
      for (const TCase& c : cases) {
        const TBitmap source = RandomImage(random, 20, 18, premultiplied);
        TBitmap dest = RandomImage(random, 26, 22, true);
        TBitmap expected = dest;
        for (int y = std::max(c.To.Top, 0); y < std::min(c.To.Bottom, dest.Height()); ++y) {
          for (int x = std::max(c.To.Left, 0); x < std::min(c.To.Right, dest.Width()); ++x) {
            const int sx = c.From.Left + (x - c.To.Left) * c.From.Width() / c.To.Width();
            const int sy = c.From.Top + (y - c.To.Top) * c.From.Height() / c.To.Height();
            if (source.Contains(sx, sy)) BlendOnePixel(expected.Pixel(x, y), source.Pixel(sx, sy), constantAlpha);
          }
        }
        BlendRect(dest, c.To, source, c.From, constantAlpha);
        EXPECT_EQ(dest, expected) << "alpha " << constantAlpha << ", premultiplied " << premultiplied << ", to "
                                  << c.To.Left << "," << c.To.Top << "," << c.To.Right << "," << c.To.Bottom;
      }
    }
  }
}

TEST(PixelBlend, Mul255IsExactRounding) {
  for (int v = 0; v <= 255; ++v) {
    for (int a = 0; a <= 255; ++a) {
      ASSERT_EQ(Mul255(v, a), (2 * v * a + 255) / 510) << v << " " << a;
    }
  }
}

}  // namespace
}  // namespace tdialix
