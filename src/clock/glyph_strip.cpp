#include "clock/glyph_strip.h"

#include <algorithm>
#include <cmath>

#include "base/dpi.h"
#include "base/scale.h"

namespace tdialix {

namespace {

// Sizes beyond these are no clock (a style file asking for them is broken):
// glyphs and pictures are limited so that a build never tries to fill the memory.
constexpr int kMaxGlyphHeight = 10000;
constexpr int kMaxPictureSide = 16384;
constexpr int kMaxSoftPasses = 100;

const TRgb kColorKeyCandidates[] = {MakeRgb(0xFF, 0, 0),    MakeRgb(0, 0xFF, 0),    MakeRgb(0, 0, 0xFF),
                                    MakeRgb(0xFF, 0xFF, 0), MakeRgb(0, 0xFF, 0xFF), MakeRgb(0xFF, 0, 0xFF),
                                    MakeRgb(0, 0, 0),       MakeRgb(0xFF, 0xFF, 0xFF)};

constexpr TRgb kWhite = MakeRgb(255, 255, 255);
constexpr TRgb kBlack = 0;

TRgb Grey(int level) { return MakeRgb(level, level, level); }

// Decoration widths are held in 8 bits; a decoration that exists is at least a pixel.
int DecorationWidth(double percent, int glyphHeight) {
  if (!(percent > 0)) return 0;
  const auto width = static_cast<std::uint8_t>(ScaleRound(percent, 100, glyphHeight));
  return width == 0 ? 1 : width;
}

int SoftPasses(int value) { return std::clamp(value, 0, kMaxSoftPasses); }

// Every pixel's first colour byte, as the source coverage of a stamp.
std::uint8_t Coverage(const TBitmap& image, int x, int y) { return image.Pixel(x, y)[0]; }

void Premultiply(TBitmap& image, const TBitmap& alphaSource, bool deep, bool binary, bool whiteOpaque) {
  for (int y = 0; y < image.Height(); ++y) {
    std::uint8_t* p = image.Row(y);
    const std::uint8_t* m = alphaSource.Row(y);
    for (int x = 0; x < image.Width(); ++x, p += 4, m += 3) {
      const int luminance = Luminance(m[2], m[1], m[0]);
      int alpha = whiteOpaque ? luminance : 255 - luminance;
      if (!deep && binary) alpha = alpha > 127 ? 255 : 0;
      p[0] = static_cast<std::uint8_t>(p[0] * alpha / 255);
      p[1] = static_cast<std::uint8_t>(p[1] * alpha / 255);
      p[2] = static_cast<std::uint8_t>(p[2] * alpha / 255);
      p[3] = static_cast<std::uint8_t>(alpha);
    }
  }
}

// The style's quantities in pixels and the decisions that follow from them.
struct TMetrics {
  int P = 0;
  int Wo = 0, Wi = 0, Ws = 0;
  int So = 0, Si = 0, Ss = 0;
  bool Deep = true;
  bool Smooth = true;
  TRgb Font = 0, Outer = 0, Inner = 0, Shadow = 0;
  TRgb BackFill = 0, Gradation1 = 0, Gradation2 = 0;
  int OuterGrey = 0, InnerGrey = 0, ShadowGrey = 0;

  TMetrics(const TStyle& s, const TGlyphTarget& t) {
    // Digits taller than their monitor cannot show; a style that asks for
    // more (a file's number far beyond the editor's 50 per cent) would build
    // a strip of gigabytes.
    P = std::clamp(ClockGlyphHeight(s.FontSize, t.MonitorHeight), 0, std::clamp(t.MonitorHeight, 0, kMaxGlyphHeight));
    Wo = DecorationWidth(s.OuterFrame, P);
    Wi = DecorationWidth(s.InnerFrame, P);
    Ws = DecorationWidth(s.Shadow, P);
    Deep = t.DisplayBits >= 16;
    Smooth = s.FontSmoothing && s.IsTrueTypeFont;
    So = Deep && Wo > 0 && s.OuterFrameSoft > 0 ? SoftPasses(s.OuterFrameSoft) : 0;
    Si = Deep && Wi > 0 && s.InnerFrameSoft > 0 ? SoftPasses(s.InnerFrameSoft) : 0;
    Ss = Deep && Ws > 0 && s.ShadowSoft > 0 ? SoftPasses(s.ShadowSoft) : 0;
    auto rgb = [&t](TColor c) { return t.ResolveColor ? t.ResolveColor(c) : static_cast<TRgb>(c) & 0xFFFFFF; };
    Font = rgb(s.FontColor);
    Outer = rgb(s.OuterFrameColor);
    Inner = rgb(s.InnerFrameColor);
    Shadow = rgb(s.ShadowColor);
    BackFill = rgb(s.BackGrndColor);
    Gradation1 = rgb(s.BackGrndGradColor1);
    Gradation2 = rgb(s.BackGrndGradColor2);
    auto grey = [this](int percent) { return Deep ? 255 - ScaleRound(std::clamp(percent, 0, 100), 100, 255) : 0; };
    OuterGrey = grey(s.OuterFrameTransparent);
    InnerGrey = grey(s.InnerFrameTransparent);
    ShadowGrey = grey(s.ShadowTransparent);
  }
};

void LimitSpacing(std::array<int, 2>& spacing, int cellWidth) {
  for (int& value : spacing) value = std::clamp(value, -cellWidth, 10 * cellWidth);
}

// A. Glyphs cut from a picture: the upper half holds the thirteen cells, the lower half their masks.
bool BuildPictureGlyphs(TGlyphStrip& strip, const TStyle& style, const TMetrics& m, TBitmap& mask,
                        TPictureSource& pictures) {
  if (style.FontType != ftBitmap || !pictures.FileExists(style.FontFile)) return false;
  const auto picture = pictures.LoadPicture(style.FontFile);
  if (!picture || picture->Empty()) return false;
  const int pw = picture->Width();
  const int ph = picture->Height();
  const int h2 = ph / 2;
  if (h2 <= 0) return false;

  const double width = RoundHalfAway(m.P / (static_cast<double>(h2) / pw));
  if (!(width >= 0 && width <= kMaxPictureSide)) return false;
  TBitmap image(static_cast<int>(width), m.P, 32);
  const TSize cell{static_cast<int>(image.Width() / 13), m.P};

  TRgb brush = kBlack;
  if (!m.Deep) brush = ChooseColorKey({picture->ColorAt(0, ph - 1)});
  image.Fill(brush);
  mask.SetSize(image.Width(), image.Height());
  mask.Fill(kWhite);
  const TRect to{0, 0, 13 * cell.cx, m.P};
  if (!pictures.Stretch(*picture, {0, 0, pw, h2}, image, to) ||
      !pictures.Stretch(*picture, {0, h2, pw, h2 + h2}, mask, to)) {
    return false;
  }

  strip.SrcImg = std::move(image);
  strip.MaxDrawSize = cell;
  strip.DrawSizes.fill(cell);
  strip.DrawOffsets.fill({0, 0});
  for (int k = 0; k < 2; ++k) strip.TempSpacing[k] = ScaleRound(style.FontSpacing[k], 100, cell.cx);
  LimitSpacing(strip.TempSpacing, cell.cx);
  strip.BrushColor = brush;
  if (!m.Deep) strip.ULWColor = brush;
  return true;
}

// B. Glyphs drawn from a font.
class TFontGlyphBuilder {
 public:
  TFontGlyphBuilder(TGlyphStrip& strip, const TStyle& style, const TMetrics& metrics, TBitmap& mask,
                    TGlyphRasterizer& rasterizer, TStampSquareFunction stampSquare)
      : Strip(strip), Style(style), M(metrics), Mask(mask), Raster(rasterizer), StampSquareWith(stampSquare) {}

  void Build() {
    Raster.SetFont(Style.FontName, std::max(M.P, 1), Style.FontStyles, Style.FontWidth == fwFull);
    ChooseCharacters();
    MeasureFirst();
    MeasureSecond();
    PlaceCells();
    ChooseBrush();
    PaintCells();
  }

 private:
  TRenderedGlyph Measure(int i, int styles) {
    Raster.SetFontStyles(styles);
    return RenderGlyph(Raster, nullptr, Chars[i], M.Smooth, {0, 0}, false);
  }

  // B2.
  void ChooseCharacters() {
    for (int i = 0; i < 13; ++i) {
      wchar_t c = i < 11 ? static_cast<wchar_t>(L'0' + i) : i == kPeriodGlyph ? L'.' : L'-';
      if (Style.FontWidth == fwFull) c = Raster.FullWidth(c);
      Chars[i] = c;
    }
  }

  // B3.
  void MeasureFirst() {
    MaxW = 0;
    MaxOY = 0;
    for (int i = 0; i < 13; ++i) {
      TRenderedGlyph g = Measure(i, Style.FontStyles);
      if (!g.Found) {
        Chars[i] = Raster.FullWidth(Chars[i]);
        g = Measure(i, Style.FontStyles);
      }
      Ink[i] = g.Size;
      Origin[i] = g.Origin;
      MaxW = std::max(MaxW, g.Size.cx);
      MaxOY = std::max(MaxOY, g.Origin.Y);
    }
    Ink[kBlankGlyph] = {MaxW, 0};
    Origin[kBlankGlyph] = {0, 0};
  }

  // B4.
  void MeasureSecond() {
    const int growth = 2 * M.Wi + 2 * M.Wo + M.Ws + 2 * M.So + 2 * M.Si + 2 * M.Ss;
    Strip.MaxDrawSize = {0, 0};
    for (int i = 0; i < 13; ++i) {
      const TRenderedGlyph g = Measure(i, Style.FontStyles);
      Ink[i] = g.Size;
      Origin[i] = g.Origin;
      TSize& size = Strip.DrawSizes[i];
      size = i == kColonGlyph || i == kHyphenGlyph ? g.Size : TSize{g.Size.cx, MaxOY - g.Origin.Y + g.Size.cy};
      size.cx += growth;
      size.cy += growth;
      for (int k = 0; k < 2; ++k) Strip.TempSpacing[k] = ScaleRound(Style.FontSpacing[k], 100, size.cx);
      if (Style.FontStyles & fsItalic) {
        const TRenderedGlyph upright = Measure(i, Style.FontStyles & ~fsItalic);
        Origin[i] = upright.Origin;
        const int slant = g.Size.cx - upright.Size.cx;
        if (slant <= 0) {
          for (int& value : Strip.TempSpacing) value -= slant;
        }
        const int taller = g.Size.cy - upright.Size.cy;
        if (taller > 0) {
          Ink[i].cy += taller;
          size.cy += taller;
        }
      }
      LimitSpacing(Strip.TempSpacing, size.cx);
      Strip.MaxDrawSize = {std::max(Strip.MaxDrawSize.cx, size.cx), std::max(Strip.MaxDrawSize.cy, size.cy)};
    }
  }

  // B5, B6.
  void PlaceCells() {
    Strip.DrawOffsets[kBlankGlyph] = {0, 0};
    Strip.DrawSizes[kBlankGlyph] = {Strip.MaxDrawSize.cx, 0};
    const int margin = M.So + M.Si + M.Ss;
    int width = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
      TPoint& offset = Strip.DrawOffsets[i];
      TSize& size = Strip.DrawSizes[i];
      if (Style.FontPitch == fpVariable) {
        offset.X = 0;
      } else {
        offset.X = MaxW / 2 - Ink[i].cx / 2;
        size.cx = Strip.MaxDrawSize.cx;
      }
      if (i == kColonGlyph || i == kHyphenGlyph) {
        offset.Y = Strip.MaxDrawSize.cy / 2 - size.cy / 2;
        size.cy += offset.Y;
      } else {
        offset.Y = MaxOY - Origin[i].Y;
      }
      Strip.SoftDrawOffsets[i] = {offset.X + margin, offset.Y + margin};
      width += size.cx;
    }
    Strip.SrcImg = TBitmap(width, Strip.MaxDrawSize.cy, 32);
    Mask.SetSize(width, Strip.MaxDrawSize.cy);
  }

  // B7, B8.
  void ChooseBrush() {
    Strip.BrushColor = kBlack;
    if (!M.Deep) {
      std::vector<TRgb> used{M.Font, M.Outer, M.Inner, M.Shadow};
      if (Style.BackGrndType == btGradation) {
        used.push_back(M.Gradation1);
        used.push_back(M.Gradation2);
      }
      if (Style.BackGrndType == btFill) used.push_back(M.BackFill);
      Strip.ULWColor = ChooseColorKey(used);
      Strip.BrushColor = Strip.ULWColor;
    }
    TRgb base = M.Shadow;
    if (M.Ws == 0 || M.Smooth) base = M.Wo > 0 ? M.Outer : M.Wi > 0 ? M.Inner : M.Font;
    Strip.SrcImg.Fill(base);
    Mask.Fill(kWhite);
  }

  // B9.
  void PaintCells() {
    int cx0 = 0;
    for (int i = 0; i < 13; ++i) {
      PaintCell(i, cx0);
      cx0 += Strip.DrawSizes[i].cx;
    }
  }

  // The glyph drawn into an image for a decoration's softness, blurred.
  TBitmap SoftImage(int i, int passes) {
    const TPoint at = Strip.SoftDrawOffsets[i];
    TBitmap image(Strip.DrawSizes[i].cx + at.X, Strip.DrawSizes[i].cy + at.Y, 24);
    Raster.SetFontStyles(Style.FontStyles);
    RenderGlyph(Raster, &image, Chars[i], M.Smooth, at, true);
    BlurImage(image, passes);
    return image;
  }

  void PaintCell(int i, int cx0) {
    const TSize ink = Ink[i];
    TBitmap glyph(ink.cx, ink.cy, 24);
    Raster.SetFontStyles(Style.FontStyles);
    RenderGlyph(Raster, &glyph, Chars[i], M.Smooth, {0, 0}, true);
    const TPoint base = Strip.SoftDrawOffsets[i];
    const int R = 2 * M.Wo + 2 * M.Wi;

    // Stamps at every offset of a square, from the glyph or from a soft image.
    auto stamp = [&](TBitmap& dest, TRgb color, const TBitmap* soft, const TStampSquare& square, int strength) {
      if (soft) {
        StampSquareWith(dest, color, *soft, {cx0, 0}, {0, 0}, {soft->Width(), soft->Height()}, strength, square);
      } else {
        StampSquareWith(dest, color, glyph, {cx0, 0}, base, ink, strength, square);
      }
    };
    const bool transparentFrames = M.Deep && (Style.OuterFrameTransparent < 100 || Style.InnerFrameTransparent < 100);

    // Shadow.
    if (M.Ws > 0) {
      TBitmap soft;
      const bool useSoft = Style.ShadowSoft >= 1 && M.Deep;
      if (useSoft) soft = SoftImage(i, SoftPasses(Style.ShadowSoft));
      const TBitmap* source = useSoft ? &soft : nullptr;
      const int strength = M.Smooth && M.Wo > 0   ? 255 / (M.Wo / 2 + 1)
                           : M.Smooth && M.Wi > 0 ? 255 / (M.Wi / 2 + 1)
                                                  : 255;
      stamp(Mask, Grey(M.ShadowGrey), source, {M.Ws, M.Ws + R, TOffsetPattern::opGrowth, M.Wo > 0, M.Wi > 0},
            strength);
      if (M.Smooth) {
        // The shadow's colour spreads under its soft edge.
        const int spread = SoftPasses(Style.ShadowSoft) + 1;
        stamp(Strip.SrcImg, M.Shadow, source, {M.Ws - spread, M.Ws + R + spread}, strength);
      }
    }

    // Outer frame.
    if (M.Wo > 0) {
      TBitmap soft;
      const bool useSoft = Style.OuterFrameSoft >= 1 && M.Deep;
      if (useSoft) soft = SoftImage(i, SoftPasses(Style.OuterFrameSoft));
      const TBitmap* source = useSoft ? &soft : nullptr;
      const int strength = M.Smooth ? 255 / (M.Wo / 2 + 1) : 255;
      const TStampSquare square{0, R, TOffsetPattern::opGrowth, true, M.Wi > 0};
      if (M.Ws > 0 && !(M.Font == M.Shadow && M.Shadow == M.Outer)) stamp(Strip.SrcImg, M.Outer, source, square, strength);
      stamp(Mask, Grey(M.OuterGrey), source, square, strength);
    }

    // Inner frame.
    if (M.Wi > 0) {
      TBitmap soft;
      const bool useSoft = Style.InnerFrameSoft >= 1 && M.Deep;
      if (useSoft) soft = SoftImage(i, SoftPasses(Style.InnerFrameSoft));
      const TBitmap* source = useSoft ? &soft : nullptr;
      const int strength = M.Smooth && M.Wo == 0 ? 255 / (M.Wi / 2 + 1) : 255;
      const TStampSquare square{M.Wo, M.Wo + 2 * M.Wi, TOffsetPattern::opNoCorners};
      if (!((M.Outer == M.Font && M.Font == M.Inner) || (M.Wo == 0 && M.Ws == 0 && Style.InnerFrameSoft < 1))) {
        stamp(Strip.SrcImg, M.Inner, source, square, strength);
      }
      if (Style.InnerFrameSoft > 0 || M.Wo == 0 || transparentFrames) stamp(Mask, Grey(M.InnerGrey), source, square, strength);
    }

    // Body.
    const int at = M.Wo + M.Wi;
    if ((M.Wi > 0 && M.Font != M.Inner) || (M.Wo > 0 && M.Font != M.Outer) || (M.Ws > 0 && M.Font != M.Shadow)) {
      StampGlyph(Strip.SrcImg, M.Font, glyph, {cx0 + at, at}, 255, base, ink);
    }
    if (M.Wo == 0 || transparentFrames) StampGlyph(Mask, kBlack, glyph, {cx0 + at, at}, 255, base, ink);
  }

  TGlyphStrip& Strip;
  const TStyle& Style;
  const TMetrics& M;
  TBitmap& Mask;
  TGlyphRasterizer& Raster;
  TStampSquareFunction StampSquareWith;
  std::array<wchar_t, 13> Chars{};
  std::array<TSize, kGlyphCount> Ink{};
  std::array<TPoint, kGlyphCount> Origin{};
  int MaxW = 0;
  int MaxOY = 0;
};

// D. The background picture, scaled to the clock's height.
bool BuildBackground(TGlyphStrip& strip, const TStyle& style, const TMetrics& m, TPictureSource& pictures) {
  if (style.BackGrndType != btBitmap || !pictures.FileExists(style.BackGrnd)) return false;
  const auto picture = pictures.LoadPicture(style.BackGrnd);
  if (!picture || picture->Empty()) return false;
  const int pw = picture->Width();
  const int ph = picture->Height();
  const int cy = strip.MaxDrawSize.cy;
  const int height = MarginPixels(style.BorderWidth.Top, cy) + cy + MarginPixels(style.BorderWidth.Bottom, cy);
  const int scale = ScaleRound(2.0 * height, ph, style.BackGrndSize);
  const int w = std::max(ScaleRound(scale, 100, pw), 1);
  const int h = std::max(ScaleRound(scale, 100, ph) / 2, 1);
  if (w > kMaxPictureSide || h > kMaxPictureSide) return false;

  TBitmap image(w, h, 32);
  image.Fill(kWhite);
  TBitmap lower(w, h, 24);
  if (!pictures.Stretch(*picture, {0, 0, pw, ph / 2}, image, {0, 0, w, h}) ||
      !pictures.Stretch(*picture, {0, ph / 2, pw, ph / 2 + ph / 2}, lower, {0, 0, w, h})) {
    return false;
  }
  Premultiply(image, lower, m.Deep, true, true);
  strip.BackGrndImg = std::move(image);
  return true;
}

}  // namespace

int TGlyphStrip::CellLeft(int i) const {
  int left = 0;
  for (int k = 0; k < i && k < kGlyphCount; ++k) left += DrawSizes[k].cx;
  return left;
}

int Luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<int>(RoundHalfAway(0.298912 * r + 0.586611 * g + 0.114478 * b));
}

TRgb ChooseColorKey(const std::vector<TRgb>& excluded) {
  for (TRgb candidate : kColorKeyCandidates) {
    if (std::find(excluded.begin(), excluded.end(), candidate) == excluded.end()) return candidate;
  }
  return kColorKeyCandidates[0];
}

bool GrowthAdmits(int a, int b, int s, int t, bool outerFrame, bool innerFrame) {
  if (!outerFrame && !innerFrame) return a == s && b == s;
  if (outerFrame != innerFrame) return !((a == s || a == t) && (b == s || b == t));
  if ((s + 1 < a && a < t - 1) || (s + 1 < b && b < t - 1)) return true;
  return (a == s + 1 || a == t - 1) && (b == s + 1 || b == t - 1);
}

TRenderedGlyph RenderGlyph(TGlyphRasterizer& rasterizer, TBitmap* target, wchar_t ch, bool smooth, TPoint origin,
                           bool draw) {
  TRenderedGlyph result;
  if (const auto outline = rasterizer.Outline(ch, smooth)) {
    const int n = std::max(outline->Levels, 1);
    if (draw && target) {
      target->Fill(kWhite);
      for (int y = 0; y < outline->Size.cy; ++y) {
        for (int x = 0; x < outline->Size.cx; ++x) {
          const int tx = origin.X + x;
          const int ty = origin.Y + y;
          if (!target->Contains(tx, ty)) continue;
          const std::size_t index = static_cast<std::size_t>(y) * outline->Size.cx + x;
          const int level = index < outline->Grey.size() ? std::min<int>(outline->Grey[index], n) : 0;
          int grey = 255 - level * 255 / n;
          if (!smooth) grey = grey >= 191 ? 255 : 0;
          std::uint8_t* p = target->Pixel(tx, ty);
          p[0] = p[1] = p[2] = static_cast<std::uint8_t>(grey);
        }
      }
    }
    result = {outline->Size.cx > 0 && outline->Size.cy > 0, outline->Size, outline->Origin};
    if (result.Found) return result;
  }

  // Raster fonts, and anything the outline service has no ink for: draw the
  // text and find its ink.
  const TBitmap scratch = rasterizer.DrawText(ch);
  int left = scratch.Width(), top = scratch.Height(), right = -1, bottom = -1;
  for (int y = 0; y < scratch.Height(); ++y) {
    for (int x = 0; x < scratch.Width(); ++x) {
      if (scratch.ColorAt(x, y) == kWhite) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  const bool ink = right >= left && bottom >= top;
  const TSize size = ink ? TSize{right - left + 1, bottom - top + 1} : TSize{0, 0};
  if (!ink) left = top = 0;
  if (draw && target) {
    target->Fill(kWhite);
    for (int y = 0; y < scratch.Height(); ++y) {
      for (int x = 0; x < scratch.Width(); ++x) {
        const int tx = origin.X + x - left;
        const int ty = origin.Y + y - top;
        if (!target->Contains(tx, ty)) continue;
        const std::uint8_t* s = scratch.Pixel(x, y);
        std::uint8_t* p = target->Pixel(tx, ty);
        p[0] = s[0];
        p[1] = s[1];
        p[2] = s[2];
      }
    }
  }
  return {size.cx > 0 && size.cy > 0, size, {scratch.Width() - left, scratch.Height() - top}};
}

void StampGlyph(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, int strength, TPoint base, TSize size) {
  if (strength <= 0) return;
  const int c[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
  const int width = std::min(size.cx, source.Width());
  const int height = std::min(size.cy, source.Height());
  const int n = dest.BytesPerPixel();
  for (int y = 0; y < height; ++y) {
    const int dy = at.Y + base.Y + y;
    if (dy < 0 || dy >= dest.Height()) continue;
    for (int x = 0; x < width; ++x) {
      const int dx = at.X + base.X + x;
      if (dx < 0 || dx >= dest.Width()) continue;
      const int g = Coverage(source, x, y);
      if (g == 255) continue;
      const int h = strength * (255 - g) / 255;
      std::uint8_t* d = dest.Row(dy) + static_cast<std::size_t>(dx) * n;
      for (int k = 0; k < 3; ++k) {
        if (h == 255) {
          d[k] = static_cast<std::uint8_t>(c[k]);
        } else {
          // floor, also for a step downwards
          const int step = (c[k] - d[k]) * h;
          d[k] = static_cast<std::uint8_t>(d[k] + (step >= 0 ? step / 256 : -((-step + 255) / 256)));
        }
      }
    }
  }
}

void BlurImage(TBitmap& image, int passes) {
  const int w = image.Width();
  const int h = image.Height();
  if (w <= 0 || h <= 0) return;
  const int n = image.BytesPerPixel();
  TBitmap copy;
  for (int pass = 0; pass < passes; ++pass) {
    if (pass == 0) copy = image;
    else std::swap(copy, image);  // last pass's result becomes this pass's source
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* up = copy.Row(std::max(y - 1, 0));
      const std::uint8_t* row = copy.Row(y);
      const std::uint8_t* down = copy.Row(std::min(y + 1, h - 1));
      std::uint8_t* out = image.Row(y);
      for (int x = 0; x < w; ++x) {
        const int l = std::max(x - 1, 0) * n;
        const int r = std::min(x + 1, w - 1) * n;
        const int o = x * n;
        for (int k = 0; k < 3; ++k) {
          const int mean = (up[o + k] + row[r + k] + down[o + k] + row[l + k]) / 4;
          out[o + k] = static_cast<std::uint8_t>((row[o + k] + mean) / 2);
        }
      }
    }
  }
}

bool TStampSquare::Admits(int a, int b) const {
  switch (Pattern) {
    case TOffsetPattern::opAll:
      return true;
    case TOffsetPattern::opNoCorners:
      return !((a == S || a == T) && (b == S || b == T));
    case TOffsetPattern::opGrowth:
      return GrowthAdmits(a, b, S, T, OuterFrame, InnerFrame);
  }
  return true;
}

void StampSquare(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, TPoint base, TSize size, int strength,
                 const TStampSquare& square) {
  const int sw = std::min(size.cx, source.Width());
  const int sh = std::min(size.cy, source.Height());
  if (strength <= 0 || square.T < square.S || sw <= 0 || sh <= 0 || dest.Empty()) return;
  strength = std::min(strength, 255);

  // What each source pixel does to a destination pixel: h, 0 when nothing.
  std::vector<std::uint8_t> effect(static_cast<std::size_t>(sw) * sh);
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      const int g = Coverage(source, x, y);
      effect[static_cast<std::size_t>(y) * sw + x] = static_cast<std::uint8_t>(g == 255 ? 0 : strength * (255 - g) / 255);
    }
  }
  // Per column, the nearest row at or above each row that does something (-1: none),
  // and a summed-area table of those pixels to pass over empty windows at once.
  std::vector<std::int32_t> above(static_cast<std::size_t>(sw) * sh);
  std::vector<std::int32_t> sum(static_cast<std::size_t>(sw + 1) * (sh + 1), 0);
  for (int x = 0; x < sw; ++x) {
    std::int32_t last = -1;
    for (int y = 0; y < sh; ++y) {
      if (effect[static_cast<std::size_t>(y) * sw + x]) last = y;
      above[static_cast<std::size_t>(x) * sh + y] = last;
    }
  }
  for (int y = 0; y < sh; ++y) {
    for (int x = 0; x < sw; ++x) {
      sum[static_cast<std::size_t>(y + 1) * (sw + 1) + x + 1] = (effect[static_cast<std::size_t>(y) * sw + x] ? 1 : 0) +
                                                               sum[static_cast<std::size_t>(y) * (sw + 1) + x + 1] +
                                                               sum[static_cast<std::size_t>(y + 1) * (sw + 1) + x] -
                                                               sum[static_cast<std::size_t>(y) * (sw + 1) + x];
    }
  }
  auto anything = [&](int x0, int y0, int x1, int y1) {  // inclusive corners
    const auto at = [&](int x, int y) { return sum[static_cast<std::size_t>(y) * (sw + 1) + x]; };
    return at(x1 + 1, y1 + 1) - at(x0, y1 + 1) - at(x1 + 1, y0) + at(x0, y0) > 0;
  };

  const int c[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
  // A channel is settled when no further stamp can change it: it has the
  // paint colour, or it lies so little below it that the strongest stamp
  // rounds to nothing.
  auto settled = [&](const int* d) {
    for (int k = 0; k < 3; ++k) {
      if (d[k] == c[k]) continue;
      if (strength < 255 && c[k] > d[k] && (c[k] - d[k]) * strength < 256) continue;
      return false;
    }
    return true;
  };

  const int ax = at.X + base.X;
  const int ay = at.Y + base.Y;
  const int n = dest.BytesPerPixel();
  const int x0 = std::max(0, ax + square.S);
  const int x1 = std::min(dest.Width() - 1, ax + square.T + sw - 1);
  const int y0 = std::max(0, ay + square.S);
  const int y1 = std::min(dest.Height() - 1, ay + square.T + sh - 1);
  for (int py = y0; py <= y1; ++py) {
    const int qy0 = std::max(0, py - ay - square.T);
    const int qy1 = std::min(sh - 1, py - ay - square.S);
    if (qy0 > qy1) continue;
    std::uint8_t* row = dest.Row(py);
    for (int px = x0; px <= x1; ++px) {
      const int qx0 = std::max(0, px - ax - square.T);
      const int qx1 = std::min(sw - 1, px - ax - square.S);
      if (qx0 > qx1 || !anything(qx0, qy0, qx1, qy1)) continue;
      std::uint8_t* pixel = row + static_cast<std::size_t>(px) * n;
      int d[3] = {pixel[0], pixel[1], pixel[2]};
      if (settled(d)) continue;
      // The stamps in their order: a ascending (source column from right to
      // left), then b ascending (source row from bottom to top).
      for (int qx = qx1; qx >= qx0; --qx) {
        const int a = px - ax - qx;
        const std::int32_t* column = above.data() + static_cast<std::size_t>(qx) * sh;
        for (int qy = column[qy1]; qy >= qy0; qy = qy > 0 ? column[qy - 1] : -1) {
          const int b = py - ay - qy;
          if (square.Pattern != TOffsetPattern::opAll && !square.Admits(a, b)) continue;
          const int h = effect[static_cast<std::size_t>(qy) * sw + qx];
          for (int k = 0; k < 3; ++k) {
            if (h == 255) {
              d[k] = c[k];
            } else {
              const int step = (c[k] - d[k]) * h;
              d[k] += step >= 0 ? step / 256 : -((-step + 255) / 256);
            }
          }
          if (settled(d)) goto done;
        }
      }
    done:
      pixel[0] = static_cast<std::uint8_t>(d[0]);
      pixel[1] = static_cast<std::uint8_t>(d[1]);
      pixel[2] = static_cast<std::uint8_t>(d[2]);
    }
  }
}

int MarginPixels(double percent, int cellHeight) {
  return ScaleRound(std::clamp(percent, -1000.0, 1000.0), 100, cellHeight);
}

void InitializeBitmap(TGlyphStrip& strip, const TStyle& style, const TGlyphTarget& target,
                      TGlyphRasterizer& rasterizer, TPictureSource& pictures, TStampSquareFunction stampSquare) {
  const TMetrics m(style, target);
  ++strip.Generation;
  strip.BackGrndColor = m.BackFill;
  strip.BackGrndGradColor1 = m.Gradation1;
  strip.BackGrndGradColor2 = m.Gradation2;
  TBitmap mask(0, 0, 24);
  if (!BuildPictureGlyphs(strip, style, m, mask, pictures)) {
    mask = TBitmap(0, 0, 24);
    TFontGlyphBuilder(strip, style, m, mask, rasterizer, stampSquare).Build();
  }
  // C. The mask becomes alpha; black is opaque.
  Premultiply(strip.SrcImg, mask, m.Deep, style.BackGrndType != btFill && style.BackGrndType != btGradation, false);
  // D.
  strip.BackGrndFlag = BuildBackground(strip, style, m, pictures);
  if (!strip.BackGrndFlag) strip.BackGrndImg = TBitmap(0, 0, 32);
}

}  // namespace tdialix
