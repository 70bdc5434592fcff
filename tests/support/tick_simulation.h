// A clock ticking in simulated time, without windows: each tick builds the
// display string, does the once-a-second work and composes the frame, as the
// master window's tick does; the planner says when it would tick next.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "app/tick.h"
#include "app/tick_plan.h"
#include "clock/display_string.h"
#include "clock/frame_composer.h"
#include "glyph_reference.h"

namespace tdialix {

// The strip a style's clock is drawn from, on a monitor of this height, with
// the test glyphs.
inline TGlyphStrip SimulatedStrip(const TStyle& style, int monitorHeight) {
  TGlyphStrip strip;
  TRingRasterizer raster;
  TNoPictures pictures;
  InitializeBitmap(strip, style, {monitorHeight, 32, {}}, raster, pictures);
  return strip;
}

class TSimulatedClock {
 public:
  TSimulatedClock(const TStyle& style, const TGlyphStrip* strip, unsigned interval, TDateTime origin)
      : Style(style), Strip(strip), Interval(interval), Origin(origin) {}

  bool EverySecond = false;  // plug-ins are loaded: their tick comes every second

  // One tick at this displayed time.
  void Tick(TDateTime now) {
    ++Ticks;
    if (PlanTick(Calendar, now, false).NewSecond) SecondsWorked.insert(WholeSecond(now));
    NowText = BuildDisplayString(now, Style, false, 32);
    if (Strip) {
      TComposeInput input;
      input.Style = &Style;
      input.Strip = Strip;
      input.NowText = NowText;
      input.PrevText = PrevText;
      input.Now = now;
      if (Composer.Compose(input)) FrameHash = HashOf(Composer.ULWBmp);
    }
    PrevText = NowText;
  }

  TTickPlan Plan(TDateTime now) const {
    TTickPlanInput input;
    input.Now = now;
    input.Interval = Interval;
    input.GridOrigin = Origin;
    input.Motion.CellsChanging = Composer.Animating();
    input.Style = &Style;
    input.EverySecond = EverySecond;
    return PlanNextTick(input);
  }

  bool Animating() const { return Composer.Animating(); }

  std::wstring NowText;
  std::uint64_t FrameHash = 0;       // of the frame as last composed
  long long Ticks = 0;
  std::set<std::int64_t> SecondsWorked;  // the seconds whose once-a-second work was done

 private:
  static std::uint64_t HashOf(const TBitmap& frame) {
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](std::uint64_t value) {
      hash ^= value;
      hash *= 1099511628211ull;
    };
    mix(static_cast<std::uint64_t>(frame.Width()));
    mix(static_cast<std::uint64_t>(frame.Height()));
    const auto& data = frame.Data();
    for (std::size_t i = 0; i + 8 <= data.size(); i += 8) {
      std::uint64_t word = 0;
      for (int k = 0; k < 8; ++k) word |= static_cast<std::uint64_t>(data[i + k]) << (8 * k);
      mix(word);
    }
    for (std::size_t i = data.size() / 8 * 8; i < data.size(); ++i) mix(data[i]);
    return hash;
  }

  TStyle Style;
  const TGlyphStrip* Strip;
  unsigned Interval;
  TDateTime Origin;
  TTickCalendar Calendar;
  TFrameComposer Composer;
  std::wstring PrevText = L"        ";
};

}  // namespace tdialix
