#include "base/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace tdialix {
namespace {

void Put16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, std::size_t at, std::uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

// A bitmap file with a 40-byte header: colours of the table, then the pixels.
std::string Bmp(int width, int height, int bpp, std::uint32_t compression = 0, std::size_t colors = 0,
                std::size_t pixelBytes = 0) {
  const std::size_t stride = (static_cast<std::size_t>(width < 0 ? -width : width) * bpp + 31) / 32 * 4;
  if (pixelBytes == 0) pixelBytes = stride * static_cast<std::size_t>(height < 0 ? -height : height);
  const std::size_t offset = 14 + 40 + colors * 4;
  std::string s(offset + pixelBytes, '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 2, static_cast<std::uint32_t>(s.size()));
  Put32(s, 10, static_cast<std::uint32_t>(offset));
  Put32(s, 14, 40);
  Put32(s, 18, static_cast<std::uint32_t>(width));
  Put32(s, 22, static_cast<std::uint32_t>(height));
  Put16(s, 26, 1);
  Put16(s, 28, static_cast<std::uint32_t>(bpp));
  Put32(s, 30, compression);
  Put32(s, 46, static_cast<std::uint32_t>(colors));
  return s;
}

TEST(BitmapFile, ReadsTheLayoutOfEveryDepthTheProgramDraws) {
  const struct {
    std::string Bytes;
    int Width, Height, Bpp;
    bool TopDown;
    std::size_t PixelOffset, PixelBytes;
  } cases[] = {
      {Bmp(3, 2, 24), 3, 2, 24, false, 54, 24},
      {Bmp(3, -2, 24), 3, 2, 24, true, 54, 24},  // rows from the top
      {Bmp(9, 2, 1, 0, 2), 9, 2, 1, false, 62, 8},
      {Bmp(3, 2, 8, 0, 3), 3, 2, 8, false, 66, 8},  // a table shorter than 256 colours
      {Bmp(2, 2, 32), 2, 2, 32, false, 54, 16},
      {Bmp(4, 2, 8, 1, 4, 6), 4, 2, 8, false, 70, 6},  // run-length: as long as the stream
  };
  for (const auto& c : cases) {
    const auto layout = ReadBitmapFileLayout(c.Bytes);
    ASSERT_TRUE(layout) << c.Width << "x" << c.Height << "x" << c.Bpp;
    EXPECT_EQ(layout->Width, c.Width);
    EXPECT_EQ(layout->Height, c.Height);
    EXPECT_EQ(layout->BitsPerPixel, c.Bpp);
    EXPECT_EQ(layout->TopDown, c.TopDown);
    EXPECT_EQ(layout->PixelOffset, c.PixelOffset);
    EXPECT_EQ(layout->PixelBytes, c.PixelBytes);
  }
}

TEST(BitmapFile, RefusesHeadersThatLieAndFilesCutShort) {
  const std::string good = Bmp(3, 2, 24);
  std::string wide = good;
  Put32(wide, 18, 100000);
  std::string tall = good;
  Put32(tall, 22, 0x80000000u);  // the most negative height has no positive counterpart
  std::string pastEnd = good;
  Put32(pastEnd, 10, 0x7FFFFFFF);
  std::string intoHeader = good;
  Put32(intoHeader, 10, 20);
  std::string hugeTable = Bmp(3, 2, 8, 0, 3);
  Put32(hugeTable, 46, 0x10000000);
  std::string planes = good;
  Put16(planes, 26, 2);
  std::string depth = good;
  Put16(depth, 28, 7);
  std::string unknownHeader = good;
  Put32(unknownHeader, 14, 41);
  std::string manyPixels = Bmp(8192, 1, 8, 1, 256, 4);  // a run-length file of four bytes
  Put32(manyPixels, 22, 8192);
  const struct {
    const char* What;
    std::string Bytes;
  } cases[] = {
      {"empty", ""},
      {"not a bitmap", "GIF89a" + std::string(60, '\0')},
      {"cut short", good.substr(0, good.size() - 1)},
      {"header cut short", good.substr(0, 30)},
      {"too wide for its pixels", wide},
      {"negative height without end", tall},
      {"pixels past the end", pastEnd},
      {"pixels inside the header", intoHeader},
      {"colour table past the end", hugeTable},
      {"two planes", planes},
      {"seven bits a pixel", depth},
      {"an unknown header", unknownHeader},
      {"run-length top-down", Bmp(4, -2, 8, 1, 4, 6)},
      {"run-length of the wrong depth", Bmp(4, 2, 24, 1, 0, 6)},
      {"embedded JPEG", Bmp(4, 2, 24, 4)},
      {"zero width", Bmp(0, 2, 24, 0, 0, 4)},
      {"more pixels than any picture drawn", manyPixels},
  };
  for (const auto& c : cases) EXPECT_FALSE(ReadBitmapFileLayout(c.Bytes)) << c.What;
}

}  // namespace
}  // namespace tdialix
