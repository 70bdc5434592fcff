// Building the glyph strip: the fast decoration stamping against stamping
// offset by offset, for the default style and for heavy decorations, with
// synthetic glyphs of the real size. Prints both timings and their ratio.
//
// The reference grows with the fourth power of the glyph height, so at the
// style editor's maxima (a 2160-line monitor, 50 per cent digits, every
// decoration at 10 per cent with softness 10) only the fast build is timed;
// the ladder of heights shows how the ratio grows towards it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>

#include "../tests/support/glyph_reference.h"
#include "ratio_reporter.h"

namespace {

using namespace tdialix;

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

// The strip each case built, to show that the fast way gives the reference's bit for bit.
std::string Key(int monitorHeight, bool heavy, bool fast) {
  return std::to_string(monitorHeight) + (heavy ? "heavy" : "default") + (fast ? "fast" : "reference");
}
std::map<std::string, TBitmap>& Built() {
  static std::map<std::string, TBitmap> built;
  return built;
}

// The fast build runs on every core, as the program runs it; the reference on one.
void Build(benchmark::State& state, const TStyle& style, int monitorHeight, TStampSquareFunction stamp) {
  TRingRasterizer raster;
  TNoPictures pictures;
  TWorkerPool pool(stamp == &StampSquare ? std::max(1u, std::thread::hardware_concurrency()) : 1);
  TGlyphBuildControl control;
  control.Pool = &pool;
  TGlyphStrip strip;
  for (auto _ : state) {
    strip = TGlyphStrip{};
    InitializeBitmap(strip, style, {monitorHeight, 32, {}}, raster, pictures, stamp, control);
    benchmark::DoNotOptimize(strip.SrcImg.Data().data());
  }
  Built()[Key(monitorHeight, style != TStyle{}, stamp == &StampSquare)] = std::move(strip.SrcImg);
}

void BM_Fast_DefaultStyle1080(benchmark::State& state) { Build(state, TStyle{}, 1080, &StampSquare); }
void BM_Reference_DefaultStyle1080(benchmark::State& state) { Build(state, TStyle{}, 1080, &StampSquareOneByOne); }
void BM_Fast_Heavy(benchmark::State& state) { Build(state, Heavy(), static_cast<int>(state.range(0)), &StampSquare); }
void BM_Reference_Heavy(benchmark::State& state) {
  Build(state, Heavy(), static_cast<int>(state.range(0)), &StampSquareOneByOne);
}

BENCHMARK(BM_Fast_DefaultStyle1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reference_DefaultStyle1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fast_Heavy)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Reference_Heavy)->Arg(100)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Fast_Heavy)->Name("BM_Fast_Heavy_Maxima")->Arg(2160)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// Prints the reference's time over the fast one's for every case timed both ways.
int main(int argc, char** argv) {
  return RunWithSummary(argc, argv, [](const TRatioReporter::TTimes& times) {
    std::printf("\nreference / fast:\n");
    for (const auto& [name, fast] : times) {
      if (name.rfind("BM_Fast_", 0) != 0) continue;
      const auto reference = times.find("BM_Reference_" + name.substr(8));
      if (reference != times.end() && fast > 0) {
        const auto& built = Built();
        const std::string test = name.substr(8);  // "DefaultStyle1080" or "Heavy/<height>/..."
        const bool heavy = test.rfind("Heavy/", 0) == 0;
        const int height = heavy ? std::atoi(test.c_str() + 6) : 1080;
        const auto a = built.find(Key(height, heavy, true)), b = built.find(Key(height, heavy, false));
        const bool same = a != built.end() && b != built.end() && a->second == b->second;
        std::printf("  %-28s %10.1f ms / %8.1f ms = %6.1fx  %s\n", name.substr(8).c_str(), reference->second, fast,
                    reference->second / fast, same ? "bit for bit the same" : "DIFFERENT");
      } else {
        std::printf("  %-28s %10s    / %8.1f ms (fast only)\n", name.substr(8).c_str(), "-", fast);
      }
    }
  });
}
