#include "base/dpi.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

// One monitor of 1920 x 1080 pixels at 100 %, 150 % and 200 %.
struct TScaleCase {
  int Dpi;
  int SmallIcon, LargeIcon;
  int Button;      // a 75-pixel design width
  int Font;        // the dialog font, made for 96 dpi at -12
  int UnawareHeight;  // the monitor's height as a program without DPI awareness sees it
};
constexpr TScaleCase kScales[] = {
    {96, 16, 32, 75, -12, 1080},
    {144, 24, 48, 113, -18, 720},
    {192, 32, 64, 150, -24, 540},
};

TEST(Dpi, SizesAtOneHundredOneHundredFiftyAndTwoHundredPerCent) {
  for (const TScaleCase& c : kScales) {
    EXPECT_EQ(SmallIconSize(c.Dpi), c.SmallIcon) << c.Dpi;
    EXPECT_EQ(LargeIconSize(c.Dpi), c.LargeIcon) << c.Dpi;
    EXPECT_EQ(PixelsAtDpi(75, c.Dpi), c.Button) << c.Dpi;
    EXPECT_EQ(FontHeightAtDpi(-12, 96, c.Dpi), c.Font) << c.Dpi;
    EXPECT_EQ(UnawareLength(1080, c.Dpi), c.UnawareHeight) << c.Dpi;
  }
}

TEST(Dpi, TheClockKeepsItsShareOfTheMonitorAndGainsItsPixels) {
  // A 9 % clock on a 1080-pixel monitor: 97 real pixels at every scale. A
  // program without DPI awareness would draw 9 % of the shrunken monitor and
  // be stretched: 65 pixels blown up by one and a half at 150 %, 49 by two at 200 %.
  for (const TScaleCase& c : kScales) {
    EXPECT_EQ(ClockGlyphHeight(9, 1080), 97) << c.Dpi;
  }
  EXPECT_EQ(ClockGlyphHeight(9, UnawareLength(1080, 144)), 65);
  EXPECT_EQ(ClockGlyphHeight(9, UnawareLength(1080, 192)), 49);
  EXPECT_EQ(ClockGlyphHeight(9, UnawareLength(1080, 96)), 97);
}

TEST(Dpi, AWindowMovedToAnotherScaleKeepsItsLayout) {
  const TRect control{8, 12, 83, 37};
  EXPECT_EQ(RescaleRect(control, 96, 192), (TRect{16, 24, 166, 74}));
  EXPECT_EQ(RescaleRect(control, 144, 96), (TRect{5, 8, 55, 25}));
  EXPECT_EQ(RescaleRect(control, 120, 120), control);
  EXPECT_EQ(RescaleLength(100, 96, 144), 150);
  EXPECT_EQ(RescaleLength(150, 144, 96), 100);
}

TEST(Dpi, AMissingDpiCountsAsNinetySix) {
  EXPECT_EQ(ValidDpi(0), 96);
  EXPECT_EQ(ValidDpi(-5), 96);
  EXPECT_EQ(PixelsAtDpi(40, 0), 40);
  EXPECT_EQ(SmallIconSize(0), 16);
  EXPECT_EQ(RescaleLength(40, 0, 192), 80);
}

}  // namespace
}  // namespace tdialix
