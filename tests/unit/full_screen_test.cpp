#include "app/full_screen.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tdialix {
namespace {

using TKind = TForegroundKind;

// Two monitors side by side: 1920 x 1080 and, to its right, 1280 x 1024.
const std::vector<TRect> kMonitors{{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};

TEST(FullScreen, WhichMonitorsTheForegroundWindowCovers) {
  struct TCase {
    const char* Name;
    std::optional<TForegroundWindow> Window;
    TNotificationState State;
    std::vector<bool> Covered;
  };
  const TForegroundWindow maximisedAutoHide{{-8, -8, 1928, 1088}, TKind::fkOrdinary, true, false, true};
  const TCase cases[] = {
      {"exactly covering the first", TForegroundWindow{{0, 0, 1920, 1080}}, TNotificationState::nsOther, {true, false}},
      {"larger than the first", TForegroundWindow{{-10, -10, 1930, 1090}}, TNotificationState::nsOther, {true, false}},
      {"covering the second", TForegroundWindow{{1920, 0, 3200, 1024}}, TNotificationState::nsOther, {false, true}},
      {"across both", TForegroundWindow{{0, 0, 3200, 1080}}, TNotificationState::nsOther, {true, true}},
      {"one pixel short", TForegroundWindow{{0, 0, 1920, 1079}}, TNotificationState::nsOther, {false, false}},
      {"maximised, the taskbar showing",
       TForegroundWindow{{-8, -8, 1928, 1048}, TKind::fkOrdinary, true, false, true}, TNotificationState::nsOther,
       {false, false}},
      {"maximised, the taskbar hiding itself", maximisedAutoHide, TNotificationState::nsOther, {false, false}},
      {"the desktop", TForegroundWindow{{0, 0, 3200, 1080}, TKind::fkShell}, TNotificationState::nsOther,
       {false, false}},
      {"the taskbar", TForegroundWindow{{0, 1040, 1920, 1080}, TKind::fkShell}, TNotificationState::nsOther,
       {false, false}},
      {"one of ours", TForegroundWindow{{0, 0, 1920, 1080}, TKind::fkOwn}, TNotificationState::nsOther,
       {false, false}},
      {"hidden", TForegroundWindow{{0, 0, 1920, 1080}, TKind::fkOrdinary, false}, TNotificationState::nsOther,
       {false, false}},
      {"minimised", TForegroundWindow{{0, 0, 1920, 1080}, TKind::fkOrdinary, true, true}, TNotificationState::nsOther,
       {false, false}},
      {"no foreground window", std::nullopt, TNotificationState::nsOther, {false, false}},
      {"Direct3D: the monitor with most of the window", TForegroundWindow{{1900, 0, 2600, 600}},
       TNotificationState::nsD3DFullScreen, {false, true}},
      {"Direct3D, but the desktop in front", TForegroundWindow{{0, 0, 1920, 1080}, TKind::fkShell},
       TNotificationState::nsD3DFullScreen, {false, false}},
      {"presentation settings: every monitor", TForegroundWindow{{0, 0, 800, 600}},
       TNotificationState::nsPresentation, {true, true}},
  };
  for (const TCase& c : cases) EXPECT_EQ(CoveredMonitors(c.Window, kMonitors, c.State), c.Covered) << c.Name;
}

TEST(FullScreen, AnEmptyMonitorIsNeverCovered) {
  EXPECT_EQ(CoveredMonitors(TForegroundWindow{{0, 0, 100, 100}}, {{10, 10, 10, 10}}, TNotificationState::nsOther),
            std::vector<bool>{false});
}

constexpr TDateTime Ms(int ms) { return 45000.5 + ms / 86'400'000.0; }

TEST(CoverFade, FadesOutOverAQuarterSecondThenIsGoneAndFadesBack) {
  TCoverFade fade;
  EXPECT_EQ(CoverFadeStep(fade, false, Ms(0), true), (TCoverStep{255, false, false}));
  const TCoverStep start = CoverFadeStep(fade, true, Ms(0), true);
  EXPECT_EQ(start.Alpha, 255);
  EXPECT_TRUE(start.Moving);
  const TCoverStep half = CoverFadeStep(fade, true, Ms(125), true);
  EXPECT_GT(half.Alpha, 100);
  EXPECT_LT(half.Alpha, 155);
  EXPECT_FALSE(half.Gone);
  // The step that reaches the end still asks for a drawing, the next ones not.
  EXPECT_EQ(CoverFadeStep(fade, true, Ms(250), true), (TCoverStep{0, true, true}));
  EXPECT_EQ(CoverFadeStep(fade, true, Ms(900), true), (TCoverStep{0, false, true}));
  // The window leaves: the clock comes back over the same ramp.
  EXPECT_EQ(CoverFadeStep(fade, false, Ms(1000), true), (TCoverStep{0, true, false}));
  EXPECT_EQ(CoverFadeStep(fade, false, Ms(1250), true), (TCoverStep{255, true, false}));
  EXPECT_EQ(CoverFadeStep(fade, false, Ms(1300), true), (TCoverStep{255, false, false}));
}

TEST(CoverFade, TurningAroundMidwayStartsFromTheOpacityReached) {
  TCoverFade fade;
  CoverFadeStep(fade, true, Ms(0), true);
  const int reached = CoverFadeStep(fade, true, Ms(100), true).Alpha;
  const TCoverStep back = CoverFadeStep(fade, false, Ms(100), true);
  EXPECT_NEAR(back.Alpha, reached, 3) << "no jump";
  EXPECT_TRUE(back.Moving);
  EXPECT_GT(CoverFadeStep(fade, false, Ms(140), true).Alpha, back.Alpha);
  EXPECT_EQ(CoverFadeStep(fade, false, Ms(400), true).Alpha, 255);
}

TEST(CoverFade, WithoutFadeSwitchingTheClockGoesAndComesAtOnce) {
  TCoverFade fade;
  EXPECT_EQ(CoverFadeStep(fade, true, Ms(0), false), (TCoverStep{0, true, true}));
  EXPECT_EQ(CoverFadeStep(fade, true, Ms(5), false), (TCoverStep{0, false, true}));
  EXPECT_EQ(CoverFadeStep(fade, false, Ms(10), false), (TCoverStep{255, true, false}));
}

}  // namespace
}  // namespace tdialix
