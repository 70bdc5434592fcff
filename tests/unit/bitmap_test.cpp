#include "base/bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace tdialix {
namespace {

// Memory handed out the way a window's frame buffer hands it out.
class TFakeStore : public TPixelStore {
 public:
  std::vector<std::uint8_t> Memory;
  int Calls = 0;
  bool Refuse = false;
  std::uint8_t* Allocate(int, int, std::size_t bytes) override {
    ++Calls;
    if (Refuse) return nullptr;
    Memory.assign(bytes, 0);
    return Memory.data();
  }
};

TEST(BitmapStore, PixelsLiveInTheStoreAndCopiesOwnTheirs) {
  TFakeStore store;
  TBitmap frame(0, 0, 32);
  frame.SetStore(&store);
  frame.SetSize(3, 2);
  ASSERT_EQ(store.Calls, 1);
  EXPECT_TRUE(frame.InStore());
  EXPECT_EQ(frame.Data().data(), store.Memory.data());
  EXPECT_EQ(frame.Data().size(), 3u * 4 * 2);
  frame.Pixel(2, 1)[3] = 200;
  EXPECT_EQ(store.Memory.back(), 200);

  const TBitmap copy = frame;  // a snapshot, not a second view of the store
  EXPECT_FALSE(copy.InStore());
  EXPECT_NE(copy.Data().data(), store.Memory.data());
  EXPECT_EQ(copy, frame);
  frame.Pixel(0, 0)[0] = 1;
  EXPECT_NE(copy, frame);

  TBitmap moved = std::move(frame);  // the store's memory goes with it
  EXPECT_TRUE(moved.InStore());
  EXPECT_EQ(moved.Data().data(), store.Memory.data());
  EXPECT_TRUE(frame.Empty());
}

TEST(BitmapStore, FallsBackToOwnMemoryWhenTheStoreHasNone) {
  TFakeStore store;
  store.Refuse = true;
  TBitmap frame(0, 0, 32);
  frame.SetStore(&store);
  frame.SetSize(5, 5);
  EXPECT_FALSE(frame.InStore());
  ASSERT_EQ(frame.Data().size(), 5u * 4 * 5);
  frame.Pixel(4, 4)[3] = 7;  // writable all the same
  EXPECT_EQ(frame.Pixel(4, 4)[3], 7);

  TBitmap own = frame;  // an own-memory bitmap moves its own memory
  TBitmap target(1, 1, 24);
  target = std::move(own);
  EXPECT_EQ(target.Pixel(4, 4)[3], 7);
  EXPECT_EQ(target.BitsPerPixel(), 32);
}

TEST(Bitmap, RowsArePaddedToFourBytes) {
  TBitmap image(3, 2, 24);
  EXPECT_EQ(image.Stride(), 12u);
  EXPECT_EQ(image.Data().size(), 24u);
  image.Fill(MakeRgb(1, 2, 3));
  EXPECT_EQ(image.ColorAt(2, 1), MakeRgb(1, 2, 3));
  EXPECT_EQ(image.Row(1)[9], 0);  // padding stays zero
}

}  // namespace
}  // namespace tdialix
