#include "base/scale.h"

#include <climits>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

struct ScaleCase {
  double X, D, M;
  int Expected;
};

TEST(ScaleRound, FollowsTheTwoRoundingFormula) {
  const ScaleCase cases[] = {
      {25, 100, 255, 64},       // an opacity of 25 per cent as pixel alpha
      {100, 100, 255, 255},
      {0, 100, 255, 0},
      {1, 2, 1, 1},             // an exact half rounds up ...
      {-1, 2, 1, -1},           // ... and away from zero when negative
      {-5, 100, 10, -1},
      {5, 100, 10, 1},
      {-25, 100, 255, -64},
      {1, 3, 3, 1},             // ratio 0.3333 x 3 = 0.9999
      {1, 3, 30000, 9999},      // the ratio keeps four decimals only
      {9.25, 100, 1080, 100},   // a font size of 9.25 per cent of a 1080-line monitor
      {400, 1920, 100, 21},     // a 400-pixel clock on a 1920-pixel monitor, in per cent
      {39, 100, 1920, 749},
      {2, 4, -10, -5},
      {1, -2, 1, -1},
  };
  for (const ScaleCase& c : cases) {
    EXPECT_EQ(ScaleRound(c.X, c.D, c.M), c.Expected) << c.X << " * " << c.M << " / " << c.D;
  }
}

TEST(ScaleRound, GivesZeroForAZeroDivisor) {
  EXPECT_EQ(ScaleRound(25, 0, 255), 0);
  EXPECT_EQ(ScaleRound(-7, 0, -3), 0);
}

TEST(ScaleRound, ClampsResultsBeyondTheIntRange) {
  EXPECT_EQ(ScaleRound(1e12, 1, 1), INT_MAX);
  EXPECT_EQ(ScaleRound(-1e12, 1, 1), INT_MIN);
}

TEST(ScaleRound, HideSensitivityGrowsOrShrinksByPercentOfHeight) {
  // ScaleRound(s * 10 + 10, 100, h) - ScaleRound(50, 100, h) on a 100-pixel window.
  auto grow = [](int sensitivity) { return ScaleRound(sensitivity * 10 + 10, 100, 100) - ScaleRound(50, 100, 100); };
  EXPECT_EQ(grow(0), -40);
  EXPECT_EQ(grow(4), 0);
  EXPECT_EQ(grow(10), 60);
}

}  // namespace
}  // namespace tdialix
