#include "base/dpi.h"

#include "base/scale.h"

namespace tdialix {

int PixelsAtDpi(int designPixels, int dpi) { return RescaleLength(designPixels, kDesignDpi, dpi); }

int RescaleLength(int pixels, int fromDpi, int toDpi) {
  fromDpi = ValidDpi(fromDpi);
  toDpi = ValidDpi(toDpi);
  return fromDpi == toDpi ? pixels : ScaleRound(pixels, fromDpi, toDpi);
}

TRect RescaleRect(const TRect& rect, int fromDpi, int toDpi) {
  return {RescaleLength(rect.Left, fromDpi, toDpi), RescaleLength(rect.Top, fromDpi, toDpi),
          RescaleLength(rect.Right, fromDpi, toDpi), RescaleLength(rect.Bottom, fromDpi, toDpi)};
}

int FontHeightAtDpi(int systemHeight, int systemDpi, int dpi) { return RescaleLength(systemHeight, systemDpi, dpi); }

int SmallIconSize(int dpi) { return PixelsAtDpi(16, dpi); }

int LargeIconSize(int dpi) { return PixelsAtDpi(32, dpi); }

int ClockGlyphHeight(double fontSizePercent, int monitorPixels) {
  return ScaleRound(fontSizePercent, 100, monitorPixels);
}

int UnawareLength(int pixels, int dpi) { return RescaleLength(pixels, ValidDpi(dpi), kDesignDpi); }

}  // namespace tdialix
