// The glyph strip: the fourteen cells a clock is drawn from (digits, colon,
// period, hyphen, blank), each carrying its frames, shadow and softness as
// premultiplied 32-bit pixels, built once per style change.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "base/bitmap.h"
#include "base/geometry.h"
#include "clock/glyph_source.h"
#include "clock/worker_pool.h"
#include "style/style.h"

namespace tdialix {

inline constexpr int kGlyphCount = 14;  // 0-9, colon, period, hyphen, blank
inline constexpr int kColonGlyph = 10;
inline constexpr int kPeriodGlyph = 11;
inline constexpr int kHyphenGlyph = 12;
inline constexpr int kBlankGlyph = 13;

struct TGlyphStrip {
  TBitmap SrcImg{0, 0, 32};  // cells side by side, premultiplied BGRA
  std::array<TSize, kGlyphCount> DrawSizes{};
  std::array<TPoint, kGlyphCount> DrawOffsets{};
  std::array<TPoint, kGlyphCount> SoftDrawOffsets{};
  TSize MaxDrawSize;
  std::array<int, 2> TempSpacing{};  // after a digit, around a separator
  TBitmap BackGrndImg{0, 0, 32};
  bool BackGrndFlag = false;
  TRgb ULWColor = 0;     // colour key below 16 bits per pixel
  TRgb BrushColor = 0;   // what the frame buffer is cleared with
  // The style's fill and gradation colours as RGB, system colours resolved.
  TRgb BackGrndColor = 0;
  TRgb BackGrndGradColor1 = 0;
  TRgb BackGrndGradColor2 = 0;
  unsigned Generation = 0;  // counts the rebuilds: frames drawn from an older strip are stale

  // Where cell i starts in the strip.
  int CellLeft(int i) const;
};

// What the strip is built for.
struct TGlyphTarget {
  int MonitorHeight = 0;
  unsigned DisplayBits = 32;
  // A style colour as RGB (system colour constants resolved); by default the low 24 bits.
  std::function<TRgb(TColor)> ResolveColor;
};

// The offsets a decoration stamps its glyph at: a and b in S ... T, a in the
// outer loop, b in the inner one, as the pattern admits them.
enum class TOffsetPattern { opAll, opNoCorners, opGrowth };
struct TStampSquare {
  int S = 0;
  int T = 0;
  TOffsetPattern Pattern = TOffsetPattern::opAll;
  bool OuterFrame = false;  // which frames exist, for the growth pattern
  bool InnerFrame = false;
  bool Admits(int a, int b) const;
};

class TStampCache;

// How the pixel work of a build runs: on the threads of a pool (none: on the
// calling thread alone), and whether it is to stop early (a newer build replaces it).
struct TGlyphBuildControl {
  TWorkerPool* Pool = nullptr;
  const std::atomic<bool>* Cancel = nullptr;
  TStampCache* Cache = nullptr;  // what consecutive stamps from one source share, kept by the build
  bool Cancelled() const { return Cancel && Cancel->load(std::memory_order_relaxed); }
  // Runs work(from, to) over the rows 0 ... count - 1 of width pixels each,
  // on the pool's threads when there is enough of it.
  void ForRows(int count, int width, const std::function<void(int from, int to)>& work) const;
};

// Stamps the source at every offset of the square, one offset after the
// other: each as StampGlyph(dest, color, source, at + (a, b), strength, base, size).
using TStampSquareFunction = void (*)(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, TPoint base,
                                      TSize size, int strength, const TStampSquare& square,
                                      const TGlyphBuildControl& control);

// The fast way, bit for bit the result of the stamps one by one. Every
// destination pixel has its own run of stamps, in the stamps' order. Where
// the run cannot end anywhere but one value (many stamps move a channel all
// the way: to the paint colour, or as close as the weakest step allows),
// that value is taken at once from counts over the pixel's window; only the
// pixels at the edges of the stamped area go through their runs, skipping
// blank source pixels and stopping as soon as no further stamp can change them.
void StampSquare(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, TPoint base, TSize size, int strength,
                 const TStampSquare& square, const TGlyphBuildControl& control = {});

// A margin of the style in pixels: its per cent of the cell height, taken no
// further than the editor goes (1000 per cent either way), so that a file's
// number far beyond it gives a margin the window can have.
int MarginPixels(double percent, int cellHeight);

// A strip being built in two parts: the part that asks the platform for
// fonts and pictures, done when it is made, on the thread that owns them;
// and the pixel work (frames, shadow, softness, alpha), which Finish does on
// any thread, from the copies it keeps.
class TGlyphStripBuild {
 public:
  // Failures of the font glyphs reach the caller as exceptions; a picture that
  // cannot be used falls back to font glyphs, a background picture to none.
  TGlyphStripBuild(const TStyle& style, const TGlyphTarget& target, TGlyphRasterizer& rasterizer,
                   TPictureSource& pictures, TStampSquareFunction stampSquare = &StampSquare);
  ~TGlyphStripBuild();
  TGlyphStripBuild(TGlyphStripBuild&&) noexcept;
  TGlyphStripBuild& operator=(TGlyphStripBuild&&) noexcept;

  // The pixel work. False when the control cancelled it; the strip is then unfinished.
  bool Finish(const TGlyphBuildControl& control = {});

  // How much pixel work is left, in pixels touched: the strip's pixels once
  // for every square of stamps a glyph takes, and once more.
  long long PixelWork() const;

  TGlyphStrip Strip;  // whole once Finish returned true

 private:
  struct TWork;
  std::unique_ptr<TWork> Work;
};

// Builds the whole strip and the background picture for a style, at once.
void InitializeBitmap(TGlyphStrip& strip, const TStyle& style, const TGlyphTarget& target,
                      TGlyphRasterizer& rasterizer, TPictureSource& pictures,
                      TStampSquareFunction stampSquare = &StampSquare, const TGlyphBuildControl& control = {});

// ---- The steps, for the tests and for the fast paths' reference ----

// One glyph rendered into target (24-bit, grey on white) with its ink box at
// origin when draw is set. Size and origin come back as the ink box and the
// glyph origin; found when both sizes are above 0.
struct TRenderedGlyph {
  bool Found = false;
  TSize Size;
  TPoint Origin;
};
TRenderedGlyph RenderGlyph(TGlyphRasterizer& rasterizer, TBitmap* target, wchar_t ch, bool smooth, TPoint origin,
                           bool draw);

// Paints color into dest through the source's first colour byte as coverage
// (255 none, 0 full), scaled by strength (0 ... 255). Source pixel (x, y) of
// the size box lands at at + base + (x, y). Never writes the alpha byte.
void StampGlyph(TBitmap& dest, TRgb color, const TBitmap& source, TPoint at, int strength, TPoint base, TSize size);

// Softens a 24-bit image: each pass averages every pixel with the mean of its
// four neighbours (edges repeated).
// scratch: an image of the same kind whose memory the passes may use.
void BlurImage(TBitmap& image, int passes, const TGlyphBuildControl& control = {}, TBitmap* scratch = nullptr);

// Whether the growth pattern of a shadow or outer frame admits offset (a, b)
// in s ... t, for the frames that exist.
bool GrowthAdmits(int a, int b, int s, int t, bool outerFrame, bool innerFrame);

// The first colour of the candidate list that none of the excluded colours is.
TRgb ChooseColorKey(const std::vector<TRgb>& excluded);

// A mask pixel's luminance, rounded: 0.298912 R + 0.586611 G + 0.114478 B.
int Luminance(std::uint8_t r, std::uint8_t g, std::uint8_t b);

}  // namespace tdialix
