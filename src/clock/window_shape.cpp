#include "clock/window_shape.h"

#include <algorithm>
#include <cmath>

#include "base/scale.h"
#include "clock/pixel_blend.h"

namespace tdialix {

namespace {

long long ElapsedMs(TDateTime now, TDateTime start) {
  return std::llround((now - start) * static_cast<double>(MSecsPerDay));
}

int Eased(double t, int half, int length) { return ScaleRound(ScaleRound(t * t, half, 1), half, length / 2); }

}  // namespace

int HideFadeStep(long long elapsedMs, int hideSpeed, int span) {
  const double d = hideSpeed - 100.0;
  const int half = std::max(ScaleRound(d * d, 20000, 10000), 1);
  // A fade that began "after" now (the system clock went back) ends at once.
  if (elapsedMs < 0) return span;
  const double e = static_cast<double>(elapsedMs);
  if (e < half) return Eased(e, half, span);
  return span - Eased(std::max(2.0 * half - e, 0.0), half, span);
}

int WindowAlpha(int hidingAlpha, int floor, int transParent, int switchingAlpha) {
  const int a1 = ScaleRound(hidingAlpha, 255, 255 - floor) + floor;
  const int a2 = ScaleRound(a1, 255, ScaleRound(transParent, 100, 255));
  return std::clamp(ScaleRound(a2, 255, switchingAlpha), 0, 255);
}

TShapeDecision WindowShapeStep(TShapeState& state, const TShapeSettings& settings, const TShapeInput& input) {
  const bool free = input.Free;
  bool update = input.Update;

  // Whether the clock counts as hovered. With click-to-hide only a click makes
  // it so, and leaving releases it one update later.
  state.HoverFlag = free;
  if (settings.ClickHide) {
    state.ClickHideFlag = (input.LeftButtonDown && input.Inside) || state.ClickHideFlag;
    state.HoverFlag = state.HoverFlag && state.ClickHideFlag;
    if (!input.Inside) state.ClickHideFlag = false;
  } else {
    state.HoverFlag = state.HoverFlag && input.Inside;
  }

  int floor = 255;
  if (settings.HideType != htNone) {
    switch (settings.HideType) {
      case htHide:
        if (state.HoverFlag != state.SaveHoverFlag) {
          state.SaveHoverFlag = state.HoverFlag;
          update = true;
          state.AlphaHiding = free;
          state.AlphaDirection = !state.HoverFlag;
          state.SaveHideTime = input.Now;
        }
        update = update || free != state.SaveKeyFlag;
        break;
      case htHole:
        if (!(input.Cursor == state.SaveMousePos)) {
          state.SaveMousePos = input.Cursor;
          if (state.SaveHoverFlag) {
            state.SaveHoverFlag = false;
            update = update || free;
          }
          update = update || free != state.SaveKeyFlag;
          if (input.Inside) state.SaveHoverFlag = true;
        }
        break;
      case htTransparent:
        if (free != state.SaveKeyFlag || state.ClickHideFlag) {
          state.HoverFlag = state.SaveHoverFlag = free;
          update = true;
        }
        break;
      default:
        break;
    }
    update = update || (free != state.SaveKeyFlag && state.SaveHoverFlag);
    floor = 0;
    if (settings.HideType == htHide && input.Deep) {
      floor = ScaleRound(settings.HideAlpha, 100, 255);
      update = update || state.AlphaHiding;
    }
    state.SaveKeyFlag = free;
  }

  TShapeDecision decision;
  const bool clickReleased = settings.ClickHide && !state.ClickHideFlag;
  decision.ClickThrough = free && settings.HideType != htNone && !clickReleased;
  if (!update) {  // the window keeps its frame and its alpha
    decision.Alpha = WindowAlpha(state.SaveHidingAlpha, floor, settings.TransParent, input.SwitchingAlpha);
    return decision;
  }
  decision.Push = true;
  decision.PunchHole = settings.HideType == htHole && state.HoverFlag && free && !clickReleased;

  if (settings.HideType == htHide && state.AlphaHiding) {
    const long long elapsed = ElapsedMs(input.Now, state.SaveHideTime);
    const int step = HideFadeStep(elapsed, settings.HideSpeed, 255 - floor);
    if (elapsed < 0) {
      // The system clock went back: the fade ends where it was going.
      state.SaveHidingAlpha = state.AlphaDirection ? 255 : 0;
      state.AlphaHiding = false;
    } else if (state.AlphaDirection) {
      state.SaveHidingAlpha += step;
      if (state.SaveHidingAlpha >= 255) {
        state.SaveHidingAlpha = 255;
        state.AlphaHiding = false;
      }
    } else {
      state.SaveHidingAlpha -= step;
      if (state.SaveHidingAlpha <= 0) {
        state.SaveHidingAlpha = 0;
        state.AlphaHiding = false;
      }
    }
  } else if (!free) {
    state.SaveHidingAlpha = 255;  // holding Ctrl or dragging shows the clock at once
  }

  decision.Alpha = WindowAlpha(state.SaveHidingAlpha, floor, settings.TransParent, input.SwitchingAlpha);
  return decision;
}

void PunchHole(TBitmap& frame, TPoint cursor, int cy, const TShapeSettings& settings, bool deep, TRgb brush) {
  if (frame.Empty() || frame.BitsPerPixel() != 32) return;
  const int c = ScaleRound(static_cast<int>(settings.HoleSize), 100, cy);
  if (c <= 0) return;
  const int left = cursor.X - c / 2 + 1;
  const int top = cursor.Y - c / 2 + 1;
  const int b = settings.HoleSoft == 0 ? 0 : std::max(1, ScaleRound(static_cast<int>(settings.HoleSoft), 100, c));
  const int a = ScaleRound(static_cast<int>(settings.HoleAlpha), 100, 255);
  // Distances are measured between pixel centres, so the hole is symmetric
  // whether its diameter is odd or even.
  const double ex = left + c / 2.0;
  const double ey = top + c / 2.0;
  const double radius = c / 2.0;

  if ((a >= 255 && b == 0) || !deep) {
    const std::uint32_t fill = BrushPixel(brush);
    const int y0 = std::max(top, 0), y1 = std::min(top + c, frame.Height());
    const int x0 = std::max(left, 0), x1 = std::min(left + c, frame.Width());
    for (int y = y0; y < y1; ++y) {
      const double dy = (y + 0.5 - ey) / radius;
      for (int x = x0; x < x1; ++x) {
        const double dx = (x + 0.5 - ex) / radius;
        if (dx * dx + dy * dy <= 1.0) *reinterpret_cast<TPixel32*>(frame.Pixel(x, y)) = fill;
      }
    }
    return;
  }

  const double r0 = radius - b / 2.0;
  const double reach = r0 + b + 1;
  const int y0 = std::max(static_cast<int>(std::floor(ey - reach)), 0);
  const int y1 = std::min(static_cast<int>(std::ceil(ey + reach)), frame.Height() - 1);
  const int x0 = std::max(static_cast<int>(std::floor(ex - reach)), 0);
  const int x1 = std::min(static_cast<int>(std::ceil(ex + reach)), frame.Width() - 1);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const double r = std::hypot(x + 0.5 - ex, y + 0.5 - ey);
      int t;
      if (r < r0) {
        t = 255 - a;
      } else if (b > 0 && r < r0 + b) {
        const int edge = 255 - static_cast<int>(std::lround((r - r0) * 255 / b));
        t = 255 - edge * a / 255;
      } else {
        continue;
      }
      std::uint8_t* p = frame.Pixel(x, y);
      for (int k = 0; k < 4; ++k) p[k] = static_cast<std::uint8_t>(t * p[k] / 255);
    }
  }
}

}  // namespace tdialix
