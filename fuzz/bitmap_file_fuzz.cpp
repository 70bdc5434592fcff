// Pictures for glyphs and backgrounds are files users download: whatever
// their bytes, the layout read from them is refused or lies wholly inside the
// file, so the decoder that follows never reads past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto layout = tdialix::ReadBitmapFileLayout(bytes);
  if (!layout) return 0;
  if (layout->Width <= 0 || layout->Height <= 0 || layout->Width > tdialix::kMaxBitmapFileSide ||
      layout->Height > tdialix::kMaxBitmapFileSide ||
      std::int64_t{layout->Width} * layout->Height > tdialix::kMaxBitmapFilePixels) {
    std::abort();
  }
  if (layout->InfoOffset + layout->InfoBytes > layout->PixelOffset || layout->PixelBytes == 0 ||
      layout->PixelOffset + layout->PixelBytes > size) {
    std::abort();
  }
  // Every byte the decoder may read: the sanitizer sees a read past the end.
  unsigned sum = 0;
  for (std::size_t at = layout->InfoOffset; at < layout->InfoOffset + layout->InfoBytes; ++at) sum += data[at];
  for (std::size_t at = 0; at < layout->PixelBytes; ++at) sum += data[layout->PixelOffset + at];
  return static_cast<int>(sum & 0);
}
