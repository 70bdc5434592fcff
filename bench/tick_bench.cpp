// How often the clock wakes: an hour of simulated ticks, planned by the
// tick's planner, against a tick every 32 ms. Reports wake-ups per minute
// (and per second) for the default style with and without seconds and for an
// animated style; the time is what simulating the hour took.
#include <benchmark/benchmark.h>

#include "../tests/support/tick_simulation.h"

namespace {

using namespace tdialix;

constexpr unsigned kInterval = 32;

TStyle Minutes() { return TStyle{}; }
TStyle Seconds() {
  TStyle style;
  style.ShowSecond = true;
  return style;
}
// Seconds, fade-cross digits and a colon that flashes smoothly every second.
TStyle Animated() {
  TStyle style = Seconds();
  style.AnimationType = atFadeCross;
  style.FlashColonType = fc1000ms;
  style.FlashColonSmooth = true;
  return style;
}

void WakeUps(benchmark::State& state, TStyle (*make)()) {
  const TStyle style = make();
  const TGlyphStrip strip = SimulatedStrip(style, 1080);
  const TDateTime start = *TryEncodeDateTime({2026, 12, 10}, {11, 30, 0, 123});
  const TDateTime end = start + 1.0 / 24;
  long long wakeUps = 0;
  for (auto _ : state) {
    TSimulatedClock clock(style, &strip, kInterval, start);
    for (TDateTime t = start; t < end; t = clock.Plan(t).Due) clock.Tick(t);
    wakeUps = clock.Ticks;
  }
  state.counters["per_minute"] = static_cast<double>(wakeUps) / 60;
  state.counters["per_second"] = static_cast<double>(wakeUps) / 3600;
  state.counters["fixed_per_minute"] = 3600.0 * 1000 / kInterval / 60;
}

BENCHMARK_CAPTURE(WakeUps, DefaultStyle, &Minutes)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(WakeUps, DefaultStyleWithSeconds, &Seconds)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(WakeUps, SecondsFadeCrossSmoothColon, &Animated)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
