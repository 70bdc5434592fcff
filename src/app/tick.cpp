#include "app/tick.h"

#include <algorithm>

#include "base/scale.h"

namespace tdialix {

unsigned TickInterval(unsigned timerInterval, bool acPower, bool powerSaving, bool monitorOn) {
  return (!acPower && powerSaving) || !monitorOn ? timerInterval * 2 : timerInterval;
}

int FadeInAlpha(long long elapsedMs) {
  const auto curve = [](double t) { return ScaleRound(ScaleRound(t * t, 125, 1), 125, 127); };
  const double t = static_cast<double>(std::max(elapsedMs, 0LL));
  const int alpha = t < 125 ? curve(t) : 255 - curve(std::max(250.0 - t, 0.0));
  return std::min(alpha, 255);
}

}  // namespace tdialix
