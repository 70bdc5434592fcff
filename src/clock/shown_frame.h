// What the screen shows of a clock window: the frame last pushed, so that a
// new frame pushes only the pixels it changes, and nothing when it changes none.
#pragma once

#include <cstdint>
#include <vector>

#include "base/bitmap.h"
#include "base/geometry.h"

namespace tdialix {

class TShownFrame {
 public:
  // Nothing known is on the screen (the window is new, was shown again or resized).
  void Forget() { Known = false; }
  // Whether the screen shows a frame of this size.
  bool Holds(const TBitmap& frame) const {
    return Known && frame.BitsPerPixel() == 32 && frame.Width() == Width && frame.Height() == Height;
  }
  // The smallest rectangle outside which the frame equals what the screen
  // shows; empty when nothing differs. The whole frame when the screen holds
  // no frame of its size.
  TRect Changes(const TBitmap& frame) const;
  // The frame's pixels in the rectangle are now on the screen.
  void Shown(const TBitmap& frame, const TRect& rect);

 private:
  bool Known = false;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

}  // namespace tdialix
