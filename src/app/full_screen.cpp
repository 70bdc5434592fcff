#include "app/full_screen.h"

#include <algorithm>

#include "app/tick.h"

namespace tdialix {

namespace {

bool Holds(const TRect& outer, const TRect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
         outer.Bottom >= inner.Bottom;
}

long long Overlap(const TRect& a, const TRect& b) {
  const long long w = std::min(a.Right, b.Right) - std::max(a.Left, b.Left);
  const long long h = std::min(a.Bottom, b.Bottom) - std::max(a.Top, b.Top);
  return w > 0 && h > 0 ? w * h : 0;
}

// The ramp's time in milliseconds at which a fade in reaches alpha.
long long RampTimeOf(int alpha) {
  long long t = 0;
  while (t < 250 && FadeInAlpha(t) < alpha) ++t;
  return t;
}

}  // namespace

std::vector<bool> CoveredMonitors(const std::optional<TForegroundWindow>& foreground,
                                  const std::vector<TRect>& monitors, TNotificationState state) {
  std::vector<bool> covered(monitors.size(), state == TNotificationState::nsPresentation);
  if (!foreground || foreground->Kind != TForegroundKind::fkOrdinary || !foreground->Visible ||
      foreground->Minimized) {
    return covered;
  }
  if (!foreground->MaximizedWithCaption) {
    for (size_t i = 0; i < monitors.size(); ++i) {
      if (monitors[i].Width() > 0 && monitors[i].Height() > 0 && Holds(foreground->Bounds, monitors[i])) {
        covered[i] = true;
      }
    }
  }
  if (state == TNotificationState::nsD3DFullScreen) {
    size_t best = monitors.size();
    long long most = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
      const long long area = Overlap(foreground->Bounds, monitors[i]);
      if (area > most) most = area, best = i;
    }
    if (best < monitors.size()) covered[best] = true;
  }
  return covered;
}

TCoverStep CoverFadeStep(TCoverFade& fade, bool covered, TDateTime now, bool fadeSwitching) {
  const int before = fade.Alpha;
  if (!fadeSwitching) {
    fade.Covered = covered;
    fade.Alpha = covered ? 0 : 255;
    fade.Since = MinDateTime;
    return {fade.Alpha, fade.Alpha != before, covered};
  }
  const long long msPerDay = MSecsPerDay;
  if (covered != fade.Covered) {
    fade.Covered = covered;
    // The ramp starts where the opacity stands: a fade out runs the fade in backwards.
    const long long at = RampTimeOf(covered ? 255 - fade.Alpha : fade.Alpha);
    fade.Since = now - static_cast<double>(at) / static_cast<double>(msPerDay);
  }
  const int target = covered ? 0 : 255;
  if (fade.Alpha != target && fade.Since > MinDateTime) {
    const auto elapsed = static_cast<long long>((now - fade.Since) * static_cast<double>(msPerDay) + 0.5);
    const int up = FadeInAlpha(elapsed);
    fade.Alpha = covered ? 255 - up : up;
  }
  if (fade.Alpha == target) fade.Since = MinDateTime;
  // The step that reaches the end still draws: the window must show its last opacity.
  return {fade.Alpha, fade.Alpha != target || fade.Alpha != before, covered && fade.Alpha == 0};
}

}  // namespace tdialix
