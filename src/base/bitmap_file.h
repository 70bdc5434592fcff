// The layout of a bitmap file (".bmp") as the platform's picture support
// reads it, checked against the file's real size before any pixel is read:
// a header that lies about the picture's size, depth or data, or a file cut
// short, is refused here instead of sending the decoder past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tdialix {

// The largest picture the program draws from: no side longer than this, and
// no more pixels than an 8192 × 4096 picture has (a run-length file of a few
// bytes can claim a picture of gigabytes).
inline constexpr int kMaxBitmapFileSide = 16384;
inline constexpr std::int64_t kMaxBitmapFilePixels = std::int64_t{8192} * 4096;

struct TBitmapFileLayout {
  std::size_t InfoOffset = 0;   // the info header, right after the 14-byte file header
  std::size_t InfoBytes = 0;    // info header, colour masks and colour table together
  std::size_t HeaderSize = 0;   // 12 (the old core form), 40, 52, 56, 108 or 124
  int Width = 0;
  int Height = 0;               // always positive
  bool TopDown = false;
  int BitsPerPixel = 0;         // 1, 4, 8, 16, 24 or 32
  std::uint32_t Compression = 0;  // 0 none, 1 RLE8, 2 RLE4, 3 colour masks
  std::size_t PixelOffset = 0;  // from the start of the file
  std::size_t PixelBytes = 0;   // what the decoder may read from there
};

// Nothing when the bytes are not a bitmap file this program can draw, or the
// header's figures do not fit into the file.
std::optional<TBitmapFileLayout> ReadBitmapFileLayout(std::string_view bytes);

}  // namespace tdialix
