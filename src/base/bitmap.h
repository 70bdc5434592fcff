// Device-independent bitmaps as the program keeps them in memory: 24 or 32
// bits per pixel, bytes B, G, R (and A), rows from the top, each row padded to
// a multiple of 4 bytes as the platform lays them out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tdialix {

// A colour as 0x00BBGGRR.
using TRgb = std::uint32_t;
constexpr std::uint8_t RedOf(TRgb c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(TRgb c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TRgb c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TRgb MakeRgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

// Where a bitmap's pixels may live instead of the bitmap's own memory: a
// window's frame buffer keeps them in the memory the platform pushes to the
// screen, so that composing a frame writes straight into it.
class TPixelStore {
 public:
  // Zeroed memory of the given size for a bitmap of width × height, valid
  // until the next call; nullptr when there is none (the bitmap then keeps
  // its pixels in its own memory).
  virtual std::uint8_t* Allocate(int width, int height, std::size_t bytes) = 0;

 protected:
  ~TPixelStore() = default;
};

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, int bitsPerPixel);
  // A copy always keeps its pixels in its own memory.
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;
  ~TBitmap() = default;

  // From the next SetSize on, the pixels live in the store (nullptr: in the
  // bitmap's own memory). The bitmap becomes empty.
  void SetStore(TPixelStore* store);
  bool InStore() const { return Store && Bits != Own.data(); }

  int Width() const { return W; }
  int Height() const { return H; }
  int BitsPerPixel() const { return Bpp; }
  int BytesPerPixel() const { return Bpp / 8; }
  std::size_t Stride() const { return RowBytes; }
  bool Empty() const { return W <= 0 || H <= 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }

  // New size; the contents become zero.
  void SetSize(int width, int height);
  // New size for contents about to be drawn over whole: the memory it had is
  // kept and what it held is left (only memory added to it starts as zero).
  void Reuse(int width, int height);
  // Every pixel's colour bytes set to the colour (the alpha byte too, to 0).
  void Fill(TRgb color);

  std::uint8_t* Row(int y) { return Bits + static_cast<std::size_t>(y) * RowBytes; }
  const std::uint8_t* Row(int y) const { return Bits + static_cast<std::size_t>(y) * RowBytes; }
  std::uint8_t* Pixel(int x, int y) { return Row(y) + static_cast<std::size_t>(x) * BytesPerPixel(); }
  const std::uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<std::size_t>(x) * BytesPerPixel(); }
  TRgb ColorAt(int x, int y) const {
    const std::uint8_t* p = Pixel(x, y);
    return MakeRgb(p[2], p[1], p[0]);
  }

  std::span<std::uint8_t> Data() { return {Bits, Size}; }
  std::span<const std::uint8_t> Data() const { return {Bits, Size}; }
  // Same size, depth and pixels.
  bool operator==(const TBitmap& other) const;

 private:
  int W = 0;
  int H = 0;
  int Bpp = 32;
  std::size_t RowBytes = 0;
  std::vector<std::uint8_t> Own;
  std::uint8_t* Bits = Own.data();
  std::size_t Size = 0;
  TPixelStore* Store = nullptr;
};

}  // namespace tdialix
