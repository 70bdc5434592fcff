// Building the glyph strip: how long a style change takes, for the default
// style and for heavier decorations, with synthetic glyphs of the real size.
#include <benchmark/benchmark.h>

#include <cmath>

#include "clock/glyph_strip.h"

namespace {

using namespace tdialix;

// Digits as smooth-edged rings of the font's height, with 64 grey levels.
class RingRasterizer : public TGlyphRasterizer {
 public:
  void SetFont(const std::wstring&, int height, int, bool) override { Height = height; }
  void SetFontStyles(int) override {}
  std::optional<TGlyphOutline> Outline(wchar_t ch, bool) override {
    const int h = ch == L'.' || ch == L'-' ? std::max(Height / 8, 1) : ch == L':' ? Height / 2 : Height * 7 / 10;
    const int w = std::max(ch == L':' || ch == L'.' ? Height / 8 : Height * 45 / 100, 1);
    TGlyphOutline g;
    g.Levels = 64;
    g.Size = {w, h};
    g.Origin = {0, h};
    g.Grey.resize(static_cast<size_t>(w) * h);
    const double cx = w / 2.0, cy = h / 2.0, thickness = std::max(w / 5.0, 1.0);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const double dx = (x + 0.5 - cx) / cx, dy = (y + 0.5 - cy) / cy;
        const double r = std::sqrt(dx * dx + dy * dy) * cx;
        const double inside = std::clamp(std::min(cx - r, r - (cx - thickness)) + 0.5, 0.0, 1.0);
        g.Grey[static_cast<size_t>(y) * w + x] = static_cast<std::uint8_t>(inside * 64);
      }
    }
    return g;
  }
  TBitmap DrawText(wchar_t) override { return TBitmap(1, 1, 24); }
  wchar_t FullWidth(wchar_t ch) override { return ch; }
  int Height = 1;
};

class NoPictures : public TPictureSource {
 public:
  bool FileExists(const std::wstring&) override { return false; }
  std::optional<TBitmap> LoadPicture(const std::wstring&) override { return std::nullopt; }
  bool Stretch(const TBitmap&, const TRect&, TBitmap&, const TRect&) override { return false; }
};

void Build(benchmark::State& state, const TStyle& style, int monitorHeight) {
  RingRasterizer raster;
  NoPictures pictures;
  for (auto _ : state) {
    TGlyphStrip strip;
    InitializeBitmap(strip, style, {monitorHeight, 32, {}}, raster, pictures);
    benchmark::DoNotOptimize(strip.SrcImg.Data().data());
  }
}

void BM_DefaultStyle1080(benchmark::State& state) { Build(state, TStyle{}, 1080); }
BENCHMARK(BM_DefaultStyle1080)->Unit(benchmark::kMillisecond);

// Every decoration at 10 per cent with softness 10, at the given glyph height.
TStyle Heavy() {
  TStyle style;
  style.OuterFrame = 10;
  style.OuterFrameSoft = 10;
  style.InnerFrame = 10;
  style.InnerFrameSoft = 10;
  style.Shadow = 10;
  style.ShadowSoft = 10;
  style.FontSize = 50;
  return style;
}

void BM_HeavyDecorations(benchmark::State& state) { Build(state, Heavy(), static_cast<int>(state.range(0))); }
BENCHMARK(BM_HeavyDecorations)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
