#include "clock/glyph_strip.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/dpi.h"
#include "base/scale.h"

namespace tdialix {

// What a stamp square needs to know about its source: each pixel's effect,
// counts of the pixels that do something over any rectangle, and per column
// the nearest pixel above that does something. Squares stamped one after the
// other from the same source at the same strength (the colour plane's and the
// mask's) share them.
class TStampCache {
 public:
  void Prepare(const TBitmap& source, int sw, int sh, int strength, const TGlyphBuildControl& control) {
    if (Source == source.Data().data() && W == sw && H == sh && Strength == strength && Version == Built) return;
    Source = source.Data().data();
    W = sw;
    H = sh;
    Strength = strength;
    Built = Version;
    Effect.resize(static_cast<std::size_t>(sw) * sh);
    std::vector<int> strongestOfRow(static_cast<std::size_t>(sh), 0);
    control.ForRows(sh, sw, [&](int from, int to) {
      for (int y = from; y < to; ++y) {
        int rowStrongest = 0;
        std::uint8_t* out = &Effect[static_cast<std::size_t>(y) * sw];
        for (int x = 0; x < sw; ++x) {
          const int g = source.Pixel(x, y)[0];
          const int h = g == 255 ? 0 : strength * (255 - g) / 255;
          out[x] = static_cast<std::uint8_t>(h);
          rowStrongest = std::max(rowStrongest, h);
        }
        strongestOfRow[y] = rowStrongest;
      }
    });
    Strongest = sh > 0 ? *std::max_element(strongestOfRow.begin(), strongestOfRow.end()) : 0;
    // A channel below the paint colour moves up by floor(distance x h / 256):
    // not at all once the distance is below the threshold of the strongest
    // stamp (but a full stamp, h = 255, sets the colour), and never to less
    // than one below it. Every stamp at least as strong as Decisive moves it
    // while it is at or above the threshold.
    Threshold = Strongest >= 255 ? 2 : Strongest > 0 ? (256 + Strongest - 1) / Strongest : 256;
    Decisive = 1;
    while (Decisive < 255 && (256 + Decisive - 1) / Decisive > Threshold) ++Decisive;

    const std::size_t stride = static_cast<std::size_t>(sw) + 1;
    // Every entry is written below but the first row and the first column, which count nothing.
    for (auto* table : {&Any, &Full, &Strong}) {
      table->resize(stride * (sh + 1));
      std::fill_n(table->begin(), stride, 0);
      for (int y = 1; y <= sh; ++y) (*table)[static_cast<std::size_t>(y) * stride] = 0;
    }
    Above.resize(static_cast<std::size_t>(sw) * sh);
    // Each row's running counts, then down each column.
    control.ForRows(sh, sw, [&](int from, int to) {
      for (int y = from; y < to; ++y) {
        const std::uint8_t* e = &Effect[static_cast<std::size_t>(y) * sw];
        std::int32_t any = 0, full = 0, strong = 0;
        const std::size_t at = static_cast<std::size_t>(y + 1) * stride;
        for (int x = 0; x < sw; ++x) {
          any += e[x] != 0;
          full += e[x] == 255;
          strong += e[x] >= Decisive;
          Any[at + x + 1] = any;
          Full[at + x + 1] = full;
          Strong[at + x + 1] = strong;
        }
      }
    });
    control.ForRows(sw + 1, sh, [&](int from, int to) {
      for (int y = 1; y <= sh; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * stride;
        for (int x = from; x < to; ++x) {
          Any[at + x] += Any[at - stride + x];
          Full[at + x] += Full[at - stride + x];
          Strong[at + x] += Strong[at - stride + x];
        }
      }
    });
    // The runs of stamps go down the columns: the effects column by column
    // (copied in tiles, which keeps both sides in the cache), then each
    // column's chain from its top.
    ColumnEffect.resize(static_cast<std::size_t>(sw) * sh);
    constexpr int kTile = 64;
    control.ForRows((sw + kTile - 1) / kTile, sh * kTile, [&](int from, int to) {
      for (int tx = from * kTile; tx < std::min(to * kTile, sw); tx += kTile) {
        for (int ty = 0; ty < sh; ty += kTile) {
          for (int x = tx; x < std::min(tx + kTile, sw); ++x) {
            std::uint8_t* column = &ColumnEffect[static_cast<std::size_t>(x) * sh];
            for (int y = ty; y < std::min(ty + kTile, sh); ++y) column[y] = Effect[static_cast<std::size_t>(y) * sw + x];
          }
        }
      }
    });
    control.ForRows(sw, sh, [&](int from, int to) {
      for (int x = from; x < to; ++x) {
        std::int32_t last = -1;
        const std::uint8_t* effect = &ColumnEffect[static_cast<std::size_t>(x) * sh];
        std::int32_t* column = &Above[static_cast<std::size_t>(x) * sh];
        for (int y = 0; y < sh; ++y) {
          if (effect[y]) last = y;
          column[y] = last;
        }
      }
    });
  }
  // Whatever was prepared is stale (the sources it came from are gone).
  void Forget() { ++Version; }

  int Strongest = 0, Threshold = 256, Decisive = 1;
  std::vector<std::int32_t> Any, Full, Strong;  // pixels that do something, full ones, decisive ones
  std::vector<std::int32_t> Above;              // per column: the nearest row at or above each that does something
  // A column's chain and effects, from its top.
  const std::int32_t* AboveIn(int x) const { return &Above[static_cast<std::size_t>(x) * H]; }
  const std::uint8_t* EffectIn(int x) const { return &ColumnEffect[static_cast<std::size_t>(x) * H]; }

 private:
  const void* Source = nullptr;
  int W = 0, H = 0, Strength = 0;
  unsigned Version = 0, Built = ~0u;
  std::vector<std::uint8_t> Effect;
  std::vector<std::uint8_t> ColumnEffect;
};

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

void Premultiply(TBitmap& image, const TBitmap& alphaSource, bool deep, bool binary, bool whiteOpaque,
                 const TGlyphBuildControl& control = {}) {
  control.ForRows(image.Height(), image.Width(), [&](int from, int to) {
  for (int y = from; y < to; ++y) {
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
  });
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

// The font's answers as the build asked for them, kept so that the glyphs can
// be drawn again later, on any thread, without the font: outlines and raster
// text per character and style. Asked while recording, it passes every
// question on once; afterwards it answers from what it kept.
class TRecordedFont : public TGlyphRasterizer {
 public:
  explicit TRecordedFont(TGlyphRasterizer* font) : Font(font) {}
  void Stop() { Font = nullptr; }

  void SetFont(const std::wstring& face, int height, int styles, bool shiftJis) override {
    if (Font) Font->SetFont(face, height, styles, shiftJis);
    Styles = styles;
  }
  void SetFontStyles(int styles) override {
    if (Font) Font->SetFontStyles(styles);
    Styles = styles;
  }
  std::optional<TGlyphOutline> Outline(wchar_t ch, bool smooth) override {
    const TKey key{ch, Styles, smooth};
    for (const auto& [known, outline] : Outlines) {
      if (known == key) return outline;
    }
    std::optional<TGlyphOutline> outline = Font ? Font->Outline(ch, smooth) : std::nullopt;
    if (Font) Outlines.emplace_back(key, outline);
    return outline;
  }
  TBitmap DrawText(wchar_t ch) override {
    const TKey key{ch, Styles, false};
    for (const auto& [known, text] : Texts) {
      if (known == key) return text;
    }
    TBitmap text = Font ? Font->DrawText(ch) : TBitmap(0, 0, 24);
    if (Font) Texts.emplace_back(key, text);
    return text;
  }
  wchar_t FullWidth(wchar_t ch) override { return Font ? Font->FullWidth(ch) : ch; }

 private:
  struct TKey {
    wchar_t Char;
    int Styles;
    bool Smooth;
    bool operator==(const TKey&) const = default;
  };
  TGlyphRasterizer* Font;
  int Styles = 0;
  std::vector<std::pair<TKey, std::optional<TGlyphOutline>>> Outlines;
  std::vector<std::pair<TKey, TBitmap>> Texts;
};

// What the pixel work of the font glyphs needs besides the strip's sizes.
struct TGlyphImages {
  explicit TGlyphImages(TGlyphRasterizer* font) : Font(font) {}
  TRecordedFont Font;
  std::array<wchar_t, 13> Chars{};
  std::array<TSize, kGlyphCount> Ink{};
  TRgb Base = 0;  // the colour plane's colour before anything is stamped
};

// B. Glyphs drawn from a font: what needs the font (B1 to B8, and the glyphs drawn).
class TFontGlyphBuilder {
 public:
  TFontGlyphBuilder(TGlyphStrip& strip, const TStyle& style, const TMetrics& metrics, TGlyphImages& images)
      : Strip(strip), Style(style), M(metrics), Raster(images.Font), Images(images) {}

  void Build() {
    Raster.SetFont(Style.FontName, std::max(M.P, 1), Style.FontStyles, Style.FontWidth == fwFull);
    ChooseCharacters();
    MeasureFirst();
    MeasureSecond();
    PlaceCells();
    ChooseBrush();
    // The glyphs as the stamps draw them, while the font is still at hand.
    Raster.SetFontStyles(Style.FontStyles);
    for (int i = 0; i < 13; ++i) Raster.Outline(Images.Chars[i], M.Smooth);
    for (int i = 0; i < 13; ++i) RenderGlyph(Raster, nullptr, Images.Chars[i], M.Smooth, {0, 0}, false);
    Raster.Stop();
  }

 private:
  TRenderedGlyph Measure(int i, int styles) {
    Raster.SetFontStyles(styles);
    return RenderGlyph(Raster, nullptr, Images.Chars[i], M.Smooth, {0, 0}, false);
  }

  // B2.
  void ChooseCharacters() {
    for (int i = 0; i < 13; ++i) {
      wchar_t c = i < 11 ? static_cast<wchar_t>(L'0' + i) : i == kPeriodGlyph ? L'.' : L'-';
      if (Style.FontWidth == fwFull) c = Raster.FullWidth(c);
      Images.Chars[i] = c;
    }
  }

  // B3.
  void MeasureFirst() {
    MaxW = 0;
    MaxOY = 0;
    for (int i = 0; i < 13; ++i) {
      TRenderedGlyph g = Measure(i, Style.FontStyles);
      if (!g.Found) {
        Images.Chars[i] = Raster.FullWidth(Images.Chars[i]);
        g = Measure(i, Style.FontStyles);
      }
      Images.Ink[i] = g.Size;
      Origin[i] = g.Origin;
      MaxW = std::max(MaxW, g.Size.cx);
      MaxOY = std::max(MaxOY, g.Origin.Y);
    }
    Images.Ink[kBlankGlyph] = {MaxW, 0};
    Origin[kBlankGlyph] = {0, 0};
  }

  // B4.
  void MeasureSecond() {
    const int growth = 2 * M.Wi + 2 * M.Wo + M.Ws + 2 * M.So + 2 * M.Si + 2 * M.Ss;
    Strip.MaxDrawSize = {0, 0};
    for (int i = 0; i < 13; ++i) {
      const TRenderedGlyph g = Measure(i, Style.FontStyles);
      Images.Ink[i] = g.Size;
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
          Images.Ink[i].cy += taller;
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
        offset.X = MaxW / 2 - Images.Ink[i].cx / 2;
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
    StripWidth = width;
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
    Images.Base = M.Shadow;
    if (M.Ws == 0 || M.Smooth) Images.Base = M.Wo > 0 ? M.Outer : M.Wi > 0 ? M.Inner : M.Font;
  }

 public:
  int StripWidth = 0;

 private:

  TGlyphStrip& Strip;
  const TStyle& Style;
  const TMetrics& M;
  TRecordedFont& Raster;
  TGlyphImages& Images;
  std::array<TPoint, kGlyphCount> Origin{};
  int MaxW = 0;
  int MaxOY = 0;
};

// The build was cancelled: the pixel work stops where it is.
struct TBuildCancelled {};

// B9: every glyph's frames, shadow and body stamped into the colour plane and the mask.
class TGlyphPainter {
 public:
  TGlyphPainter(TGlyphStrip& strip, const TStyle& style, const TMetrics& metrics, TBitmap& mask,
                TGlyphImages& images, TStampSquareFunction stampSquare, TGlyphBuildControl control)
      : Strip(strip), Style(style), M(metrics), Mask(mask), Images(images), StampSquareWith(stampSquare),
        Control(control) {}

  void PaintCells() {
    int cx0 = 0;
    for (int i = 0; i < 13; ++i) {
      PaintCell(i, cx0);
      cx0 += Strip.DrawSizes[i].cx;
    }
  }

 private:
  void CheckCancel() const {
    if (Control.Cancelled()) throw TBuildCancelled{};
  }

  // The glyph drawn into an image of its cell's size for a decoration's
  // softness, softened by the passes; decorations with the same softness share one.
  // The images of the last glyph are drawn over, so that their memory serves every glyph.
  const TBitmap& SoftImage(int i, int passes) {
    for (std::size_t k = 0; k < SoftenedUsed; ++k) {
      if (Softened[k].first == passes) return Softened[k].second;
    }
    if (SoftenedUsed == Softened.size()) Softened.emplace_back(0, TBitmap(0, 0, 24));
    auto& [known, image] = Softened[SoftenedUsed++];
    known = passes;
    const TPoint at = Strip.SoftDrawOffsets[i];
    image.Reuse(Strip.DrawSizes[i].cx + at.X, Strip.DrawSizes[i].cy + at.Y);  // drawn over whole
    RenderGlyph(Images.Font, &image, Images.Chars[i], M.Smooth, at, true);
    BlurImage(image, passes, Control, &BlurScratch);
    CheckCancel();
    return image;
  }

  void PaintCell(int i, int cx0) {
    if (Control.Cache) Control.Cache->Forget();
    SoftenedUsed = 0;
    const TSize ink = Images.Ink[i];
    TBitmap glyph(ink.cx, ink.cy, 24);
    RenderGlyph(Images.Font, &glyph, Images.Chars[i], M.Smooth, {0, 0}, true);
    const TPoint base = Strip.SoftDrawOffsets[i];
    const int R = 2 * M.Wo + 2 * M.Wi;

    // Stamps at every offset of a square, from the glyph or from a soft image.
    auto stamp = [&](TBitmap& dest, TRgb color, const TBitmap* soft, const TStampSquare& square, int strength) {
      CheckCancel();
      if (soft) {
        StampSquareWith(dest, color, *soft, {cx0, 0}, {0, 0}, {soft->Width(), soft->Height()}, strength, square,
                        Control);
      } else {
        StampSquareWith(dest, color, glyph, {cx0, 0}, base, ink, strength, square, Control);
      }
    };
    const bool transparentFrames = M.Deep && (Style.OuterFrameTransparent < 100 || Style.InnerFrameTransparent < 100);

    // Shadow.
    if (M.Ws > 0) {
      const bool useSoft = Style.ShadowSoft >= 1 && M.Deep;
      const TBitmap* source = useSoft ? &SoftImage(i, SoftPasses(Style.ShadowSoft)) : nullptr;
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
      const bool useSoft = Style.OuterFrameSoft >= 1 && M.Deep;
      const TBitmap* source = useSoft ? &SoftImage(i, SoftPasses(Style.OuterFrameSoft)) : nullptr;
      const int strength = M.Smooth ? 255 / (M.Wo / 2 + 1) : 255;
      const TStampSquare square{0, R, TOffsetPattern::opGrowth, true, M.Wi > 0};
      if (M.Ws > 0 && !(M.Font == M.Shadow && M.Shadow == M.Outer)) stamp(Strip.SrcImg, M.Outer, source, square, strength);
      stamp(Mask, Grey(M.OuterGrey), source, square, strength);
    }

    // Inner frame.
    if (M.Wi > 0) {
      const bool useSoft = Style.InnerFrameSoft >= 1 && M.Deep;
      const TBitmap* source = useSoft ? &SoftImage(i, SoftPasses(Style.InnerFrameSoft)) : nullptr;
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
  TGlyphImages& Images;
  TStampSquareFunction StampSquareWith;
  TGlyphBuildControl Control;
  std::vector<std::pair<int, TBitmap>> Softened;  // by passes; the first SoftenedUsed are this glyph's
  std::size_t SoftenedUsed = 0;
  TBitmap BlurScratch{0, 0, 24};
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

namespace {

// Bytes from ... to - 1 of a row of a 24-bit image softened: each byte is one
// channel, whose neighbours lie three bytes to either side. The loop is worth
// the compiler's vector instructions whatever its usual weighing says.
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("tree-vectorize", "vect-cost-model=dynamic")))
#endif
void BlurBytes(const std::uint8_t* __restrict up, const std::uint8_t* __restrict row,
               const std::uint8_t* __restrict down, std::uint8_t* __restrict out, int from, int to) {
  for (int i = from; i < to; ++i) {
    const unsigned mean = (unsigned{up[i]} + row[i + 3] + down[i] + row[i - 3]) >> 2;
    out[i] = static_cast<std::uint8_t>((row[i] + mean) >> 1);
  }
}

}  // namespace

void BlurImage(TBitmap& image, int passes, const TGlyphBuildControl& control, TBitmap* scratch) {
  const int w = image.Width();
  const int h = image.Height();
  if (w <= 0 || h <= 0 || passes <= 0) return;
  const int n = image.BytesPerPixel();
  TBitmap own;
  TBitmap& copy = scratch && scratch->BitsPerPixel() == image.BitsPerPixel() ? *scratch : own;
  // One pixel's three channels from its neighbours in the copy.
  auto pixel = [n, w](const std::uint8_t* up, const std::uint8_t* row, const std::uint8_t* down, std::uint8_t* out,
                      int x) {
    const int l = std::max(x - 1, 0) * n;
    const int r = std::min(x + 1, w - 1) * n;
    const int o = x * n;
    for (int k = 0; k < 3; ++k) {
      const int mean = (up[o + k] + row[r + k] + down[o + k] + row[l + k]) / 4;
      out[o + k] = static_cast<std::uint8_t>((row[o + k] + mean) / 2);
    }
  };
  for (int pass = 0; pass < passes; ++pass) {
    if (control.Cancelled()) return;
    if (pass == 0) {
      copy.Reuse(w, h);
      for (int y = 0; y < h; ++y) std::memcpy(copy.Row(y), image.Row(y), static_cast<std::size_t>(w) * n);
    } else {
      std::swap(copy, image);  // last pass's result becomes this pass's source
    }
    control.ForRows(h, w, [&](int from, int to) {
      for (int y = from; y < to; ++y) {
        const std::uint8_t* up = copy.Row(std::max(y - 1, 0));
        const std::uint8_t* row = copy.Row(y);
        const std::uint8_t* down = copy.Row(std::min(y + 1, h - 1));
        std::uint8_t* out = image.Row(y);
        if (n != 3 || w < 3) {
          for (int x = 0; x < w; ++x) pixel(up, row, down, out, x);
          continue;
        }
        // Inside the row every byte is a channel whose neighbours lie three bytes away.
        pixel(up, row, down, out, 0);
        BlurBytes(up, row, down, out, 3, (w - 1) * 3);
        pixel(up, row, down, out, w - 1);
      }
    });
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

namespace {

// One stamp's effect on a channel d that moves towards c with strength h.
inline int StampStep(int d, int c, int h) {
  if (h == 255) return c;
  const int step = (c - d) * h;
  return d + (step >= 0 ? step / 256 : -((-step + 255) / 256));
}

}  // namespace

void StampSquare(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, TPoint base, TSize size, int strength,
                 const TStampSquare& square, const TGlyphBuildControl& control) {
  const int sw = std::min(size.cx, source.Width());
  const int sh = std::min(size.cy, source.Height());
  if (strength <= 0 || square.T < square.S || sw <= 0 || sh <= 0 || dest.Empty()) return;
  strength = std::min(strength, 255);

  TStampCache ownCache;
  TStampCache& tables = control.Cache ? *control.Cache : ownCache;
  tables.Prepare(source, sw, sh, strength, control);
  const int strongest = tables.Strongest;
  if (strongest == 0) return;
  const int threshold = tables.Threshold;

  // The offsets of the square that its pattern leaves out: the counts over a
  // window may be that many too high.
  int excluded = 0;
  if (square.Pattern != TOffsetPattern::opAll) {
    for (int a = square.S; a <= square.T; ++a) {
      for (int b = square.S; b <= square.T; ++b) {
        const bool border = a <= square.S + 1 || a >= square.T - 1 || b <= square.S + 1 || b >= square.T - 1;
        if (!border) b = std::max(b, square.T - 2);  // inside the two outer rings every offset counts
        else if (!square.Admits(a, b)) ++excluded;
      }
    }
  }

  const int c[3] = {BlueOf(color), GreenOf(color), RedOf(color)};
  // A channel is settled when no further stamp can change it: it has the
  // paint colour, or it lies so little below it that the strongest stamp
  // rounds to nothing.
  auto settled = [&](const int* d) {
    for (int k = 0; k < 3; ++k) {
      if (d[k] == c[k]) continue;
      if (strongest < 255 && c[k] > d[k] && c[k] - d[k] < threshold) continue;
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
  if (x0 > x1 || y0 > y1) return;
  // A stamped pixel costs some ten times a copied one.
  control.ForRows(y1 - y0 + 1, 10 * (x1 - x0 + 1), [&](int from, int to) {
    std::vector<std::int32_t> busyColumn;
    for (int py = y0 + from; py < y0 + to; ++py) {
      const int qy0 = std::max(0, py - ay - square.T);
      const int qy1 = std::min(sh - 1, py - ay - square.S);
      if (qy0 > qy1) continue;
      // The counts over the stretch of rows this pixel row sees, from column 0 to x.
      const std::size_t top = static_cast<std::size_t>(qy0) * (sw + 1);
      const std::size_t bottom = static_cast<std::size_t>(qy1 + 1) * (sw + 1);
      const auto count = [&](const std::vector<std::int32_t>& table, int x) { return table[bottom + x] - table[top + x]; };
      if (count(tables.Any, sw) == 0) continue;  // no stamp reaches this row
      // The columns with anything in this stretch, and the pixels they reach.
      int firstBusy = 0, lastBusy = sw - 1;
      while (count(tables.Any, firstBusy + 1) == 0) ++firstBusy;
      while (count(tables.Any, lastBusy) == count(tables.Any, sw)) --lastBusy;
      bool busyKnown = false;
      std::uint8_t* row = dest.Row(py);
      const int pxFrom = std::max(x0, firstBusy + ax + square.S);
      const int pxTo = std::min(x1, lastBusy + ax + square.T);
      for (int px = pxFrom; px <= pxTo; ++px) {
        const int qx0 = std::max(0, px - ax - square.T);
        const int qx1 = std::min(sw - 1, px - ax - square.S);
        if (qx0 > qx1) continue;
        const int stamps = count(tables.Any, qx1 + 1) - count(tables.Any, qx0);
        if (stamps == 0) continue;
        std::uint8_t* pixel = row + static_cast<std::size_t>(px) * n;
        int d[3] = {pixel[0], pixel[1], pixel[2]};
        if (settled(d)) continue;

        // Where the run can end in one value only, take it.
        const int fulls = count(tables.Full, qx1 + 1) - count(tables.Full, qx0);
        bool decided = true;
        if (fulls > excluded) {
          for (int k = 0; k < 3; ++k) d[k] = c[k];
        } else {
          const int strongs = count(tables.Strong, qx1 + 1) - count(tables.Strong, qx0) - excluded;
          for (int k = 0; k < 3 && decided; ++k) {
            if (d[k] > c[k]) {
              if (stamps - excluded >= d[k] - c[k]) d[k] = c[k];
              else decided = false;
            } else if (d[k] < c[k]) {
              // A full stamp that the pattern may leave out decides nothing.
              if (fulls > 0) decided = false;
              else if (c[k] - d[k] < threshold) continue;
              else if (strongs >= c[k] - d[k] - threshold + 1) d[k] = c[k] - (threshold - 1);
              else decided = false;
            }
          }
        }
        if (!decided) {
          if (!busyKnown) {
            // Per source column, the nearest column at or left of it with
            // anything in this row's stretch (-1: none).
            busyColumn.resize(static_cast<std::size_t>(sw));
            for (int qx = 0; qx < sw; ++qx) {
              const bool busy = count(tables.Any, qx + 1) != count(tables.Any, qx);
              busyColumn[qx] = busy ? qx : qx > 0 ? busyColumn[qx - 1] : -1;
            }
            busyKnown = true;
          }
          d[0] = pixel[0], d[1] = pixel[1], d[2] = pixel[2];
          // The stamps in their order: a ascending (source column from right to
          // left), then b ascending (source row from bottom to top).
          for (int qx = busyColumn[qx1]; qx >= qx0; qx = qx > 0 ? busyColumn[qx - 1] : -1) {
            const int a = px - ax - qx;
            const std::int32_t* chain = tables.AboveIn(qx);
            const std::uint8_t* effects = tables.EffectIn(qx);
            for (int qy = chain[qy1]; qy >= qy0; qy = qy > 0 ? chain[qy - 1] : -1) {
              const int b = py - ay - qy;
              if (square.Pattern != TOffsetPattern::opAll && !square.Admits(a, b)) continue;
              const int h = effects[qy];
              for (int k = 0; k < 3; ++k) d[k] = StampStep(d[k], c[k], h);
              if (settled(d)) goto done;
            }
          }
        }
      done:
        pixel[0] = static_cast<std::uint8_t>(d[0]);
        pixel[1] = static_cast<std::uint8_t>(d[1]);
        pixel[2] = static_cast<std::uint8_t>(d[2]);
      }
    }
  });
}

struct TGlyphStripBuild::TWork {
  TWork(const TStyle& style, const TGlyphTarget& target, TGlyphRasterizer& font, TStampSquareFunction stampSquare)
      : Style(style), M(style, target), StampSquareWith(stampSquare), Images(&font) {}
  TStyle Style;
  TMetrics M;
  TStampSquareFunction StampSquareWith;
  TBitmap Mask{0, 0, 24};
  bool FontGlyphs = false;
  int StripWidth = 0;
  TGlyphImages Images;
};

TGlyphStripBuild::TGlyphStripBuild(const TStyle& style, const TGlyphTarget& target, TGlyphRasterizer& rasterizer,
                                   TPictureSource& pictures, TStampSquareFunction stampSquare)
    : Work(std::make_unique<TWork>(style, target, rasterizer, stampSquare)) {
  const TMetrics& m = Work->M;
  Strip.BackGrndColor = m.BackFill;
  Strip.BackGrndGradColor1 = m.Gradation1;
  Strip.BackGrndGradColor2 = m.Gradation2;
  if (!BuildPictureGlyphs(Strip, Work->Style, m, Work->Mask, pictures)) {
    Work->Mask = TBitmap(0, 0, 24);
    TFontGlyphBuilder builder(Strip, Work->Style, m, Work->Images);
    builder.Build();
    Work->StripWidth = builder.StripWidth;
    Work->FontGlyphs = true;
  }
  Work->Images.Font.Stop();
  // D. The background depends on the cells' height only.
  Strip.BackGrndFlag = BuildBackground(Strip, Work->Style, m, pictures);
  if (!Strip.BackGrndFlag) Strip.BackGrndImg = TBitmap(0, 0, 32);
}

long long TGlyphStripBuild::PixelWork() const {
  if (!Work) return 0;
  const TMetrics& m = Work->M;
  const long long area = static_cast<long long>(std::max(Work->StripWidth, Strip.SrcImg.Width())) *
                         std::max(Strip.MaxDrawSize.cy, 0);
  if (!Work->FontGlyphs) return area;
  // Up to two squares per decoration (colour plane and mask), each square as
  // costly as its side is long relative to the glyph.
  const int squares = 2 * ((m.Ws > 0) + (m.Wo > 0) + (m.Wi > 0));
  const int side = 1 + 2 * m.Wo + 2 * m.Wi + m.Ws;
  return area * (1 + squares * std::max(1, side / 8));
}

TGlyphStripBuild::~TGlyphStripBuild() = default;
TGlyphStripBuild::TGlyphStripBuild(TGlyphStripBuild&&) noexcept = default;
TGlyphStripBuild& TGlyphStripBuild::operator=(TGlyphStripBuild&&) noexcept = default;

bool TGlyphStripBuild::Finish(const TGlyphBuildControl& control) {
  if (!Work) return false;
  try {
    if (Work->FontGlyphs) {
      // The colour plane in its base colour, the mask white: nothing stamped yet.
      Strip.SrcImg = TBitmap(Work->StripWidth, Strip.MaxDrawSize.cy, 32);
      Work->Mask.SetSize(Work->StripWidth, Strip.MaxDrawSize.cy);
      Strip.SrcImg.Fill(Work->Images.Base);
      Work->Mask.Fill(kWhite);
      TStampCache cache;
      TGlyphBuildControl withCache = control;
      withCache.Cache = &cache;
      TGlyphPainter(Strip, Work->Style, Work->M, Work->Mask, Work->Images, Work->StampSquareWith, withCache)
          .PaintCells();
    }
  } catch (const TBuildCancelled&) {
    return false;
  }
  // C. The mask becomes alpha; black is opaque.
  const TStyle& style = Work->Style;
  Premultiply(Strip.SrcImg, Work->Mask, Work->M.Deep, style.BackGrndType != btFill && style.BackGrndType != btGradation,
              false, control);
  Work.reset();
  return !control.Cancelled();
}

int MarginPixels(double percent, int cellHeight) {
  return ScaleRound(std::clamp(percent, -1000.0, 1000.0), 100, cellHeight);
}

void InitializeBitmap(TGlyphStrip& strip, const TStyle& style, const TGlyphTarget& target,
                      TGlyphRasterizer& rasterizer, TPictureSource& pictures, TStampSquareFunction stampSquare,
                      const TGlyphBuildControl& control) {
  TGlyphStripBuild build(style, target, rasterizer, pictures, stampSquare);
  build.Finish(control);
  build.Strip.Generation = strip.Generation + 1;
  strip = std::move(build.Strip);
}

void TGlyphBuildControl::ForRows(int count, int width, const std::function<void(int, int)>& work) const {
  if (count <= 0) return;
  // Below this much work, handing it out costs more than it saves.
  constexpr long long kShared = 1 << 18;
  if (!Pool || Pool->Threads() < 2 || static_cast<long long>(count) * width < kShared) {
    work(0, count);
    return;
  }
  // Rows are handed out a few at a time, so that busy and empty stretches even
  // out; a cancelled build leaves the rest undone (its strip is never used),
  // looking at the cancel mark before each row so that it stops within one.
  Pool->Run(count, std::max(1, std::min(16, count / (8 * static_cast<int>(Pool->Threads())))),
            [this, &work](int from, int to) {
              for (int row = from; row < to && !Cancelled(); ++row) work(row, row + 1);
            });
}

}  // namespace tdialix
