#include "base/bitmap.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tdialix {

TBitmap::TBitmap(int width, int height, int bitsPerPixel) : Bpp(bitsPerPixel == 24 ? 24 : 32) {
  SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other)
    : W(other.W), H(other.H), Bpp(other.Bpp), RowBytes(other.RowBytes), Own(other.Bits, other.Bits + other.Size),
      Bits(Own.data()), Size(other.Size) {}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) *this = TBitmap(other);
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this == &other) return *this;
  const bool inStore = other.InStore();
  W = other.W;
  H = other.H;
  Bpp = other.Bpp;
  RowBytes = other.RowBytes;
  Own = std::move(other.Own);
  Bits = inStore ? other.Bits : Own.data();
  Size = other.Size;
  Store = other.Store;
  other.W = other.H = 0;
  other.RowBytes = other.Size = 0;
  other.Own.clear();
  other.Bits = other.Own.data();
  other.Store = nullptr;
  return *this;
}

void TBitmap::SetStore(TPixelStore* store) {
  Store = store;
  W = H = 0;
  RowBytes = Size = 0;
  Own.clear();
  Bits = Own.data();
}

void TBitmap::SetSize(int width, int height) {
  W = std::max(width, 0);
  H = std::max(height, 0);
  RowBytes = (static_cast<std::size_t>(W) * BytesPerPixel() + 3) & ~static_cast<std::size_t>(3);
  Size = RowBytes * static_cast<std::size_t>(H);
  std::uint8_t* stored = Store && Size > 0 ? Store->Allocate(W, H, Size) : nullptr;
  if (stored) {
    Own.clear();
    Own.shrink_to_fit();
    Bits = stored;
    return;
  }
  Own.assign(Size, 0);
  Bits = Own.data();
}

void TBitmap::Reuse(int width, int height) {
  if (Store) {
    SetSize(width, height);
    return;
  }
  W = std::max(width, 0);
  H = std::max(height, 0);
  RowBytes = (static_cast<std::size_t>(W) * BytesPerPixel() + 3) & ~static_cast<std::size_t>(3);
  Size = RowBytes * static_cast<std::size_t>(H);
  Own.resize(Size);
  Bits = Own.data();
}

bool TBitmap::operator==(const TBitmap& other) const {
  return W == other.W && H == other.H && Bpp == other.Bpp && Size == other.Size &&
         (Size == 0 || std::memcmp(Bits, other.Bits, Size) == 0);
}

void TBitmap::Fill(TRgb color) {
  const int n = BytesPerPixel();
  if (n == 4 && color == 0) {  // the common clear: transparent black
    if (Size > 0) std::memset(Bits, 0, Size);
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
