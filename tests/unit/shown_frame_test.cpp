#include "clock/shown_frame.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TBitmap Frame(int w, int h, std::uint32_t fill) {
  TBitmap frame(w, h, 32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) *reinterpret_cast<std::uint32_t*>(frame.Pixel(x, y)) = fill;
  }
  return frame;
}

void Set(TBitmap& frame, int x, int y, std::uint32_t value) { *reinterpret_cast<std::uint32_t*>(frame.Pixel(x, y)) = value; }

TEST(ShownFrame, OnlyThePixelsThatChangedArePushed) {
  TShownFrame screen;
  TBitmap frame = Frame(20, 10, 0x80000000);
  EXPECT_EQ(screen.Changes(frame), (TRect{0, 0, 20, 10})) << "nothing is on the screen yet";
  screen.Shown(frame, {0, 0, 20, 10});
  EXPECT_EQ(screen.Changes(frame).Width(), 0) << "an unchanged frame pushes nothing";

  Set(frame, 7, 3, 0xFF112233);
  EXPECT_EQ(screen.Changes(frame), (TRect{7, 3, 8, 4}));
  Set(frame, 2, 8, 0xFF112233);
  Set(frame, 12, 5, 0xFF112233);
  EXPECT_EQ(screen.Changes(frame), (TRect{2, 3, 13, 9}));
  screen.Shown(frame, {2, 3, 13, 9});
  EXPECT_EQ(screen.Changes(frame).Width(), 0);
  // The corners: the first and the last pixel.
  Set(frame, 0, 0, 1);
  Set(frame, 19, 9, 1);
  EXPECT_EQ(screen.Changes(frame), (TRect{0, 0, 20, 10}));
}

TEST(ShownFrame, ANewSizeOrAForgottenScreenPushesTheWholeFrame) {
  TShownFrame screen;
  const TBitmap frame = Frame(20, 10, 0);
  screen.Shown(frame, {0, 0, 20, 10});
  const TBitmap wider = Frame(21, 10, 0);
  EXPECT_EQ(screen.Changes(wider), (TRect{0, 0, 21, 10}));
  screen.Forget();
  EXPECT_EQ(screen.Changes(frame), (TRect{0, 0, 20, 10}));
  // A part pushed onto a screen whose content is unknown leaves it unknown.
  screen.Shown(frame, {0, 0, 5, 5});
  EXPECT_FALSE(screen.Holds(frame));
}

}  // namespace
}  // namespace tdialix
