#include "clock/shown_frame.h"

#include <algorithm>
#include <cstring>

namespace tdialix {

TRect TShownFrame::Changes(const TBitmap& frame) const {
  if (!Holds(frame)) return {0, 0, frame.Width(), frame.Height()};
  const auto row = [&](int y) { return reinterpret_cast<const std::uint32_t*>(frame.Row(y)); };
  const auto shown = [&](int y) { return Pixels.data() + static_cast<std::size_t>(y) * Width; };
  const std::size_t rowBytes = static_cast<std::size_t>(Width) * 4;
  int top = 0;
  while (top < Height && std::memcmp(row(top), shown(top), rowBytes) == 0) ++top;
  if (top == Height) return {};
  int bottom = Height;
  while (bottom > top && std::memcmp(row(bottom - 1), shown(bottom - 1), rowBytes) == 0) --bottom;
  int left = Width, right = 0;
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* now = row(y);
    const std::uint32_t* before = shown(y);
    int x = 0;
    while (x < left && now[x] == before[x]) ++x;
    left = std::min(left, x);
    int end = Width;
    while (end > right && now[end - 1] == before[end - 1]) --end;
    right = std::max(right, end);
  }
  return {left, top, right, bottom};
}

void TShownFrame::Shown(const TBitmap& frame, const TRect& rect) {
  if (frame.BitsPerPixel() != 32) return;
  if (!Holds(frame)) {
    Width = frame.Width();
    Height = frame.Height();
    Pixels.assign(static_cast<std::size_t>(Width) * Height, 0);
    // Only what was pushed is known; a partial push into an unknown screen knows nothing.
    Known = rect.Left <= 0 && rect.Top <= 0 && rect.Right >= Width && rect.Bottom >= Height;
    if (!Known) return;
  }
  const int left = std::max(rect.Left, 0), right = std::min(rect.Right, Width);
  for (int y = std::max(rect.Top, 0); y < std::min(rect.Bottom, Height); ++y) {
    if (left >= right) break;
    std::memcpy(Pixels.data() + static_cast<std::size_t>(y) * Width + left, frame.Row(y) + static_cast<std::size_t>(left) * 4,
                static_cast<std::size_t>(right - left) * 4);
  }
}

}  // namespace tdialix
