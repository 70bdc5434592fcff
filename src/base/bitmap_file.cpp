#include "base/bitmap_file.h"

#include <cstring>

namespace tdialix {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;

std::uint32_t U16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

std::uint32_t U32(std::string_view bytes, std::size_t at) {
  return U16(bytes, at) | U16(bytes, at + 2) << 16;
}

std::int32_t I32(std::string_view bytes, std::size_t at) {
  std::int32_t value = 0;
  const std::uint32_t raw = U32(bytes, at);
  std::memcpy(&value, &raw, sizeof value);
  return value;
}

bool KnownHeaderSize(std::size_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

std::optional<TBitmapFileLayout> ReadBitmapFileLayout(std::string_view bytes) {
  if (bytes.size() < kFileHeaderBytes + 12 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  TBitmapFileLayout layout;
  layout.InfoOffset = kFileHeaderBytes;
  layout.HeaderSize = U32(bytes, kFileHeaderBytes);
  if (!KnownHeaderSize(layout.HeaderSize) || bytes.size() < kFileHeaderBytes + layout.HeaderSize) return std::nullopt;

  const std::size_t info = kFileHeaderBytes;
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t planes = 0;
  std::uint32_t colorsUsed = 0;
  std::size_t imageSize = 0;
  std::size_t colorEntryBytes = 4;
  if (layout.HeaderSize == 12) {
    width = U16(bytes, info + 4);
    height = U16(bytes, info + 6);
    planes = U16(bytes, info + 8);
    layout.BitsPerPixel = static_cast<int>(U16(bytes, info + 10));
    colorEntryBytes = 3;
    if (layout.BitsPerPixel != 1 && layout.BitsPerPixel != 4 && layout.BitsPerPixel != 8 && layout.BitsPerPixel != 24) {
      return std::nullopt;
    }
  } else {
    width = I32(bytes, info + 4);
    height = I32(bytes, info + 8);
    planes = U16(bytes, info + 12);
    layout.BitsPerPixel = static_cast<int>(U16(bytes, info + 14));
    layout.Compression = U32(bytes, info + 16);
    imageSize = U32(bytes, info + 20);
    colorsUsed = U32(bytes, info + 32);
  }
  if (planes != 1) return std::nullopt;
  if (height < 0) {
    layout.TopDown = true;
    height = -height;
  }
  if (width <= 0 || height <= 0 || width > kMaxBitmapFileSide || height > kMaxBitmapFileSide ||
      width * height > kMaxBitmapFilePixels) {
    return std::nullopt;
  }
  layout.Width = static_cast<int>(width);
  layout.Height = static_cast<int>(height);

  const int bpp = layout.BitsPerPixel;
  switch (layout.Compression) {
    case kBiRgb:
      if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return std::nullopt;
      break;
    case kBiRle8:
    case kBiRle4:
      // Run-length pictures are stored bottom-up only.
      if (bpp != (layout.Compression == kBiRle8 ? 8 : 4) || layout.TopDown) return std::nullopt;
      break;
    case kBiBitFields:
      if (bpp != 16 && bpp != 32) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }

  // After the header: the three colour masks when the plain header does not
  // hold them, then the colour table.
  std::size_t tableAt = info + layout.HeaderSize;
  if (layout.Compression == kBiBitFields && layout.HeaderSize == 40) tableAt += 12;
  std::uint64_t colors = 0;
  if (bpp <= 8) {
    const std::uint32_t most = 1u << bpp;
    colors = colorsUsed == 0 ? most : colorsUsed;
    if (colors > most) return std::nullopt;
  } else if (colorsUsed > 256) {
    return std::nullopt;
  } else {
    colors = colorsUsed;
  }
  const std::uint64_t tableEnd = tableAt + colors * colorEntryBytes;
  if (tableEnd > bytes.size()) return std::nullopt;
  layout.InfoBytes = static_cast<std::size_t>(tableEnd - info);

  // The pixels start where the file header says, after the colour table.
  const std::uint64_t pixelOffset = U32(bytes, 10);
  if (pixelOffset < tableEnd || pixelOffset > bytes.size()) return std::nullopt;
  layout.PixelOffset = static_cast<std::size_t>(pixelOffset);
  const std::uint64_t available = bytes.size() - pixelOffset;

  if (layout.Compression == kBiRle8 || layout.Compression == kBiRle4) {
    // A run-length stream is as long as the header says; it must be there.
    const std::uint64_t stream = imageSize == 0 ? available : imageSize;
    if (stream == 0 || stream > available) return std::nullopt;
    layout.PixelBytes = static_cast<std::size_t>(stream);
  } else {
    const std::uint64_t stride = (static_cast<std::uint64_t>(layout.Width) * bpp + 31) / 32 * 4;
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(layout.Height);
    if (needed > available) return std::nullopt;
    layout.PixelBytes = static_cast<std::size_t>(needed);
  }
  return layout;
}

}  // namespace tdialix
