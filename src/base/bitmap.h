// Device-independent bitmaps as the program keeps them in memory: 24 or 32
// bits per pixel, bytes B, G, R (and A), rows from the top, each row padded to
// a multiple of 4 bytes as the platform lays them out.
#pragma once

#include <cstdint>
#include <vector>

namespace tdialix {

// A colour as 0x00BBGGRR.
using TRgb = std::uint32_t;
constexpr std::uint8_t RedOf(TRgb c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(TRgb c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TRgb c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TRgb MakeRgb(unsigned r, unsigned g, unsigned b) { return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16; }

class TBitmap {
 public:
  TBitmap() = default;
  TBitmap(int width, int height, int bitsPerPixel);

  int Width() const { return W; }
  int Height() const { return H; }
  int BitsPerPixel() const { return Bpp; }
  int BytesPerPixel() const { return Bpp / 8; }
  std::size_t Stride() const { return RowBytes; }
  bool Empty() const { return W <= 0 || H <= 0; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }

  // New size; the contents become zero.
  void SetSize(int width, int height);
  // Every pixel's colour bytes set to the colour (the alpha byte too, to 0).
  void Fill(TRgb color);

  std::uint8_t* Row(int y) { return Bits.data() + static_cast<std::size_t>(y) * RowBytes; }
  const std::uint8_t* Row(int y) const { return Bits.data() + static_cast<std::size_t>(y) * RowBytes; }
  std::uint8_t* Pixel(int x, int y) { return Row(y) + static_cast<std::size_t>(x) * BytesPerPixel(); }
  const std::uint8_t* Pixel(int x, int y) const { return Row(y) + static_cast<std::size_t>(x) * BytesPerPixel(); }
  TRgb ColorAt(int x, int y) const {
    const std::uint8_t* p = Pixel(x, y);
    return MakeRgb(p[2], p[1], p[0]);
  }

  std::vector<std::uint8_t>& Data() { return Bits; }
  const std::vector<std::uint8_t>& Data() const { return Bits; }
  bool operator==(const TBitmap&) const = default;

 private:
  int W = 0;
  int H = 0;
  int Bpp = 32;
  std::size_t RowBytes = 0;
  std::vector<std::uint8_t> Bits;
};

}  // namespace tdialix
