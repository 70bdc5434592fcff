// Sizes at a display's scale. The program draws in the pixels of each
// monitor: the clock is a share of its monitor's pixels whatever the scale,
// dialogs and icons are designed at 96 dpi and grow with the monitor's DPI.
#pragma once

#include "base/geometry.h"

namespace tdialix {

inline constexpr int kDesignDpi = 96;

// A DPI the system gave, or 96 when it gave none.
constexpr int ValidDpi(int dpi) { return dpi > 0 ? dpi : kDesignDpi; }

// A length designed at 96 dpi, in the pixels of a display of this DPI.
int PixelsAtDpi(int designPixels, int dpi);

// The same length on a display of another DPI (a window moved to another monitor).
int RescaleLength(int pixels, int fromDpi, int toDpi);
// A rectangle inside a window moved to a monitor of another DPI: its corners
// scale with the window's origin fixed.
TRect RescaleRect(const TRect& rect, int fromDpi, int toDpi);

// A font height in pixels (negative: the character height, as fonts ask for
// it) made for the system's DPI, for a window on a monitor of this DPI.
int FontHeightAtDpi(int systemHeight, int systemDpi, int dpi);

// The system's small icon (the notification area's) and large icon at this DPI.
int SmallIconSize(int dpi);
int LargeIconSize(int dpi);

// The clock's glyph height: a per-cent of its monitor's height in that
// monitor's own pixels, so the scale changes how crisp it is, never its share
// of the screen.
int ClockGlyphHeight(double fontSizePercent, int monitorPixels);
// What a program that knows no DPI would see of a length: the system shrinks
// its monitors by the scale and stretches its windows back up.
int UnawareLength(int pixels, int dpi);

}  // namespace tdialix
