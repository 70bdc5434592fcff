#include "base/bitmap.h"

#include <algorithm>

namespace tdialix {

TBitmap::TBitmap(int width, int height, int bitsPerPixel) : Bpp(bitsPerPixel == 24 ? 24 : 32) {
  SetSize(width, height);
}

void TBitmap::SetSize(int width, int height) {
  W = std::max(width, 0);
  H = std::max(height, 0);
  RowBytes = (static_cast<std::size_t>(W) * BytesPerPixel() + 3) & ~static_cast<std::size_t>(3);
  Bits.assign(RowBytes * static_cast<std::size_t>(H), 0);
}

void TBitmap::Fill(TRgb color) {
  const int n = BytesPerPixel();
  if (n == 4 && color == 0) {  // the common clear: transparent black
    std::fill(Bits.begin(), Bits.end(), std::uint8_t{0});
    return;
  }
  for (int y = 0; y < H; ++y) {
    std::uint8_t* p = Row(y);
    for (int x = 0; x < W; ++x, p += n) {
      p[0] = BlueOf(color);
      p[1] = GreenOf(color);
      p[2] = RedOf(color);
      if (n == 4) p[3] = 0;
    }
  }
}

}  // namespace tdialix
