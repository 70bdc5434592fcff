// Composing a clock frame: one frame of eight cells on a 1080-line monitor
// mid-animation, against copying the same frame buffer once; and a tick in
// which nothing changed, which must compose nothing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "../tests/support/glyph_reference.h"
#include "clock/frame_composer.h"
#include "ratio_reporter.h"

namespace {

using namespace tdialix;

struct TScene {
  TStyle Style;
  TGlyphStrip Strip;
  TFrameComposer Composer;
  TDateTime Start = *TryEncodeDateTime({2026, 12, 10}, {10, 5, 59, 900});

  explicit TScene(bool animated = true) {
    if (animated) {
      Style.AnimationType = atFadeCross;
      Style.ShowSecond = true;
      Style.ShowHour = hf24H;
    }
    TRingRasterizer raster;
    TNoPictures pictures;
    InitializeBitmap(Strip, Style, {1080, 32, {}}, raster, pictures);
    // As the program does it: the clock drawn in the style once, then ticks.
    Composer.ResetAnimation(L"10:05:59");
    Compose(L"10:05:59", Start, true, L"10:05:59");
    // The tick at which the minute changes: three digits start to change.
    Compose(L"10:06:00", IncMilliSecond(Start, 100), false, L"10:05:59");
  }
  bool Compose(const std::wstring& text, TDateTime now, bool redraw, const wchar_t* prev = L"10:06:00") {
    TComposeInput in;
    in.Style = &Style;
    in.Strip = &Strip;
    in.NowText = text;
    in.PrevText = prev;
    in.Now = now;
    in.Redraw = redraw;
    return Composer.Compose(in);
  }
};

// Successive ticks mid-animation: each frame follows the previous one by a
// tick of 32 ms, so the changing cells move on every frame. With whole = 1
// every frame is composed from scratch, as after a style change.
void BM_ComposeMidAnimation(benchmark::State& state) {
  TScene scene;
  scene.Composer.AlwaysWhole = state.range(0) != 0;
  const TDateTime ticks[] = {IncMilliSecond(scene.Start, 368), IncMilliSecond(scene.Start, 400)};
  int tick = 0;
  for (auto _ : state) {
    if (!scene.Compose(L"10:06:00", ticks[tick ^= 1], false)) {
      state.SkipWithError("a tick mid-animation composed nothing");
      break;
    }
  }
  state.counters["bytes"] = static_cast<double>(scene.Composer.ULWBmp.Data().size());
}
BENCHMARK(BM_ComposeMidAnimation)->ArgName("whole")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The default style as it is (no animation): the tick at which the minute
// changes, back and forth.
void BM_ComposeDefaultStyle(benchmark::State& state) {
  TScene scene(false);
  const TDateTime minute = IncMilliSecond(scene.Start, 100);
  const wchar_t* texts[] = {L"10:06   ", L"10:07   "};
  int tick = 0;
  for (auto _ : state) {
    const wchar_t* prev = texts[tick];
    benchmark::DoNotOptimize(scene.Compose(texts[tick ^= 1], minute, false, prev));
  }
}
BENCHMARK(BM_ComposeDefaultStyle)->Unit(benchmark::kMicrosecond);

void BM_CopyDefaultFrameBuffer(benchmark::State& state) {
  TScene scene(false);
  scene.Compose(L"10:06   ", scene.Start, true);
  const auto frame = scene.Composer.ULWBmp.Data();
  std::vector<std::uint8_t> target(frame.size());
  for (auto _ : state) {
    std::memcpy(target.data(), frame.data(), frame.size());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyDefaultFrameBuffer)->Unit(benchmark::kMicrosecond);

void BM_CopyFrameBuffer(benchmark::State& state) {
  TScene scene;
  const auto frame = scene.Composer.ULWBmp.Data();
  std::vector<std::uint8_t> target(frame.size());
  for (auto _ : state) {
    std::memcpy(target.data(), frame.data(), frame.size());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyFrameBuffer)->Unit(benchmark::kMicrosecond);

void BM_UnchangedTick(benchmark::State& state) {
  TScene scene;
  const TDateTime later = IncMilliSecond(scene.Start, 3000);  // the change is long over
  scene.Compose(L"10:06:00", later, false);
  bool composed = false;
  for (auto _ : state) composed = scene.Compose(L"10:06:00", later, false) || composed;
  if (composed) state.SkipWithError("an unchanged tick composed a frame");
}
BENCHMARK(BM_UnchangedTick)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunWithSummary(argc, argv, [](const TRatioReporter::TTimes& times) {
    const auto time = [&times](const char* name) {
      const auto it = times.find(name);
      return it == times.end() ? 0.0 : it->second;
    };
    if (time("BM_CopyFrameBuffer") > 0 && time("BM_ComposeMidAnimation/whole:0") > 0) {
      std::printf("\nmid-animation tick: compose / memcpy of the frame buffer = %.2f (goal: at most 4)\n",
                  time("BM_ComposeMidAnimation/whole:0") / time("BM_CopyFrameBuffer"));
      std::printf("mid-animation, whole frame: compose / memcpy of the frame buffer = %.2f\n",
                  time("BM_ComposeMidAnimation/whole:1") / time("BM_CopyFrameBuffer"));
    }
    if (time("BM_CopyDefaultFrameBuffer") > 0 && time("BM_ComposeDefaultStyle") > 0) {
      std::printf("default style: compose / memcpy of the frame buffer = %.2f\n",
                  time("BM_ComposeDefaultStyle") / time("BM_CopyDefaultFrameBuffer"));
    }
  });
}
