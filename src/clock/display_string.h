// The display string: the eight characters the clock windows draw, one per
// cell, built once per tick from the time and the style.
#pragma once

#include <string>

#include "base/date_time.h"
#include "style/style.h"

namespace tdialix {

// Lit separators ":" "." "-", unlit ones "_" ";" "<", the half colons "'"
// (lower dot) and "," (upper dot).
bool IsSeparator(wchar_t c);

// The animation's half duration in milliseconds: a digit change is half done
// at the true second.
int DigitLookAhead(const TStyle& style);

// The displayed time with the digits' look-ahead (none on an initialising tick).
TDateTime DigitTime(TDateTime now, const TStyle& style, bool initializing);

// The display string for the time now. initializing: a tick right after a
// style was applied (no look-ahead, separators lit). Only the first eight
// characters are drawn; a one-digit hour without leading zero may give nine.
std::wstring BuildDisplayString(TDateTime now, const TStyle& style, bool initializing, unsigned displayBits);

}  // namespace tdialix
