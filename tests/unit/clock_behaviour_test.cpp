#include "clock/clock_behaviour.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(ClockCursor, ByLockAndButton) {
  EXPECT_EQ(ClockCursor(false, false), TClockCursor::ccHandPoint);
  EXPECT_EQ(ClockCursor(false, true), TClockCursor::ccSizeAll);
  EXPECT_EQ(ClockCursor(true, false), TClockCursor::ccArrow);
  EXPECT_EQ(ClockCursor(true, true), TClockCursor::ccNo);
}

TEST(FilterShowHide, OnlyTheProgramShowsAndHidesUnlessOthersMay) {
  constexpr unsigned kMove = 0x0002;  // any other flag stays
  const struct {
    unsigned Flags;
    bool Own, Others;
    unsigned Result;
  } cases[] = {
      {kShowWindowFlag | kMove, false, false, kMove},
      {kHideWindowFlag | kMove, false, false, kMove},
      {kShowWindowFlag | kHideWindowFlag, false, false, kHideWindowFlag},  // only the show goes
      {kMove, false, false, kMove},
      {kHideWindowFlag, true, false, kHideWindowFlag},  // the program's own
      {kShowWindowFlag, false, true, kShowWindowFlag},  // others allowed
      {kHideWindowFlag, false, true, kHideWindowFlag},
  };
  for (const auto& c : cases) EXPECT_EQ(FilterShowHide(c.Flags, c.Own, c.Others), c.Result) << c.Flags << c.Own << c.Others;
}

TEST(ClockZOrder, ByMode) {
  EXPECT_EQ(ClockZOrder(zmNormal), TClockZOrder::czKeep);
  EXPECT_EQ(ClockZOrder(zmTop), TClockZOrder::czTopMost);
  EXPECT_EQ(ClockZOrder(zmTopMost), TClockZOrder::czTopMost);
  EXPECT_EQ(ClockZOrder(zmBottom), TClockZOrder::czBottom);
}

// "Always on top" puts the clocks back only when a window of another program
// stands above one of them; the program's own windows (the tooltip above its
// clock, the popup menu, a dialog) and hidden windows never count.
TEST(ForeignWindowAboveClock, OnlyOtherProgramsWindowsCount) {
  const TZOrderWindow clock{true, true, true};
  const TZOrderWindow hiddenClock{true, true, false};
  const TZOrderWindow own{true, false, true};
  const TZOrderWindow foreign{false, false, true};
  const TZOrderWindow hiddenForeign{false, false, false};
  const struct {
    const char* Name;
    std::vector<TZOrderWindow> FromTop;
    bool Above;
  } cases[] = {
      {"the clock on top", {clock, foreign}, false},
      {"the tooltip above its clock", {own, clock, foreign}, false},
      {"the tooltip and a menu above two clocks", {own, own, clock, clock, foreign}, false},
      {"another program on top", {foreign, clock}, true},
      {"another program between tooltip and clock", {own, foreign, clock}, true},
      {"another program above the second clock", {clock, foreign, clock}, true},
      {"a hidden window above", {hiddenForeign, own, clock}, false},
      {"above a hidden clock only", {foreign, hiddenClock}, false},
      {"no clock", {foreign, own}, false},
      {"nothing", {}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(ForeignWindowAboveClock(c.FromTop), c.Above) << c.Name;
}

TEST(DragPlacement, PerCentOfTheMonitorInTenThousandths) {
  const struct {
    TRect Monitor;
    TPoint Requested;
    float X, Y;
    TPoint Position;
  } cases[] = {
      {{0, 0, 1920, 1080}, {960, 540}, 50.0f, 50.0f, {960, 540}},
      {{0, 0, 1920, 1080}, {0, 0}, 0.0f, 0.0f, {0, 0}},
      {{1920, 0, 3200, 1024}, {1920 + 640, 100}, 50.0f, 100.0f / 1024 * 100, {2560, 100}},  // a second monitor
      {{0, 0, 1920, 1080}, {-100, 1200}, -100.0f / 1920 * 100, 1200.0f / 1080 * 100, {-100, 1200}},  // off its monitor
      {{0, 0, 30000, 100}, {12347, 0}, 12347.0f / 300, 0.0f, {12348, 0}},  // a step of 3 pixels: rounded to it
  };
  for (const auto& c : cases) {
    const TDragPlacement p = DragPlacement(c.Monitor, c.Requested);
    EXPECT_FLOAT_EQ(p.X, c.X) << c.Requested.X;
    EXPECT_FLOAT_EQ(p.Y, c.Y) << c.Requested.Y;
    EXPECT_EQ(p.Position, c.Position) << c.Requested.X << "," << c.Requested.Y;
  }
}

TEST(TooltipPosition, BelowTheDrawnMiddleOrAboveAtTheMonitorsBottom) {
  const TRect window{100, 200, 500, 260};
  const TRect visible{30, 0, 330, 0};  // only Left and Right count
  const TRect border{10, 5, 20, 5};
  // x = 100 + 30 - 10 + (330 + 20 + 20 - 30) / 2
  EXPECT_EQ(TooltipPosition(window, visible, border, 1080), (TPoint{290, 260}));
  EXPECT_EQ(TooltipPosition(window, visible, border, 260), (TPoint{290, 200}));
}

}  // namespace
}  // namespace tdialix
