#include "base/scale.h"

#include <climits>
#include <cmath>

namespace tdialix {

double RoundHalfAway(double value) { return std::round(value); }

int ScaleRound(double x, double d, double m) {
  if (d == 0 || std::isnan(x) || std::isnan(d) || std::isnan(m)) return 0;
  const double ratio = RoundHalfAway(std::fabs(x) * 10000 / d);
  // Dividing by 10000 rather than multiplying by 0.0001 keeps exact halves exact.
  double result = RoundHalfAway(ratio * m / 10000);
  if (x < 0) result = -result;
  if (result >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (result <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(result);
}

}  // namespace tdialix
