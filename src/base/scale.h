// Scaling of lengths and ratios, shared by placement, glyphs, animation and hiding.
#pragma once

namespace tdialix {

// Halves away from zero (2.5 -> 3, -2.5 -> -3).
double RoundHalfAway(double value);

// x scaled by m / d: sign(x) * R(R(|x| * 10000 / d) * 0.0001 * m), 0 when d is 0,
// R rounding to the nearest integer with halves away from zero. The first
// rounding keeps four decimals of the ratio, so every percentage of a length
// comes out the same wherever it is computed. Results beyond the int range
// are clamped to it.
int ScaleRound(double x, double d, double m);

}  // namespace tdialix
