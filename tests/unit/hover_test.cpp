#include "clock/hover.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

// A 400 x 100 clock at (1000, 500) whose cells cover x 20..380 with 10-pixel borders.
THoverGeometry Clock() {
  THoverGeometry g;
  g.Window = {1000, 500, 1400, 600};
  g.VisibleLeft = 20;
  g.VisibleRight = 380;
  g.BorderLeft = 10;
  g.BorderRight = 10;
  g.DrawnHeight = 80;
  return g;
}

TEST(HoverRect, HideModeFollowsTheSensitivity) {
  const struct {
    int Sensitivity;
    TRect Expected;
  } cases[] = {
      {0, {1010 + 40, 500 + 40, 1390 - 40, 600 - 40}},  // shrinks by 40 % of the height
      {4, {1010, 500, 1390, 600}},
      {10, {1010 - 60, 500 - 60, 1390 + 60, 600 + 60}},  // grows by 60 %
      {50, {1010 - 460, 500 - 460, 1390 + 460, 600 + 460}},
  };
  for (const auto& c : cases) {
    THoverSettings s;
    s.HideType = htHide;
    s.HideSensitive = c.Sensitivity;
    EXPECT_EQ(HoverRect(Clock(), s), c.Expected) << c.Sensitivity;
  }
}

TEST(HoverRect, HoleModeGrowsByHalfTheHoleAndItsSoftEdge) {
  const struct {
    unsigned HoleSize, HoleSoft, DisplayBits;
    int Grow;
  } cases[] = {
      {100, 0, 32, 40},        // d = 80 / 2
      {100, 50, 32, 40 + 20},  // and half of d again for the soft edge
      {100, 50, 8, 40},        // no soft edge below 16 bits per pixel
      {25, 100, 16, 10 + 10},
      {0, 100, 32, 0},
      {401, 0, 32, 160},       // 320.8 rounds to 321, halved to 160
  };
  for (const auto& c : cases) {
    THoverSettings s;
    s.HideType = htHole;
    s.HoleSize = c.HoleSize;
    s.HoleSoft = c.HoleSoft;
    s.DisplayBits = c.DisplayBits;
    EXPECT_EQ(HoverRect(Clock(), s), Clock().Window.Inflated(c.Grow)) << c.HoleSize << "/" << c.HoleSoft;
  }
  THoverSettings none;
  EXPECT_EQ(HoverRect(Clock(), none), Clock().Window);
}

TEST(HoleThrottle, PassesOneMessageInIntervalTenthsPlusOne) {
  const struct {
    unsigned Interval;
    int PassesInThirty;
  } cases[] = {{32, 7}, {8, 30}, {9, 30}, {10, 15}, {99, 3}, {100, 0}, {128, 0}};
  for (const auto& c : cases) {
    std::uint32_t wait = 0;
    int passes = 0;
    for (int i = 0; i < 30; ++i) passes += PassHoleThrottle(wait, c.Interval) ? 1 : 0;
    EXPECT_EQ(passes, c.PassesInThirty) << c.Interval;
  }
}

TEST(CtrlKey, PressAndReleaseRedrawButAutoRepeatDoesNot) {
  constexpr unsigned kControl = 0x11;
  const struct {
    unsigned Key;
    std::uint32_t Flags;
    bool Redraw;
  } cases[] = {
      {kControl, 0x001D0001u, true},    // first press: was up, going down
      {kControl, 0x401D0001u, false},   // auto-repeat: was down, still down
      {kControl, 0xC01D0001u, true},    // release
      {kControl, 0x801D0001u, true},    // release without a recorded press
      {0x10, 0x002A0001u, false},       // Shift
      {0xA2, 0x001D0001u, false},       // the left Ctrl code is not the Ctrl key code
  };
  for (const auto& c : cases) EXPECT_EQ(IsCtrlPressOrRelease(c.Key, c.Flags), c.Redraw) << std::hex << c.Flags;
}

TEST(HookMouseStep, HideModeRedrawsOnChangesOnly) {
  THoverState state;
  THookMouseInput input;
  input.HideType = htHide;
  input.Inside = true;
  EXPECT_TRUE(HookMouseStep(state, input));   // came over the clock
  EXPECT_TRUE(state.HookHoverFlag);
  EXPECT_FALSE(HookMouseStep(state, input));  // still over it
  input.Inside = false;
  EXPECT_TRUE(HookMouseStep(state, input));   // left it
  EXPECT_FALSE(state.HookHoverFlag);
  EXPECT_FALSE(HookMouseStep(state, input));
}

TEST(HookMouseStep, HoleModeRedrawsOnEveryMoveOverTheClock) {
  THoverState state;
  THookMouseInput input;
  input.HideType = htHole;
  input.Inside = true;
  EXPECT_TRUE(HookMouseStep(state, input));
  EXPECT_TRUE(HookMouseStep(state, input));  // the hole follows the mouse
}

TEST(HookMouseStep, CtrlOrDraggingKeepsTheClock) {
  for (bool ctrl : {true, false}) {
    THoverState state;
    THookMouseInput input;
    input.HideType = htHide;
    input.Inside = true;
    input.CtrlHeld = ctrl;
    input.SizeMoving = !ctrl;
    EXPECT_FALSE(HookMouseStep(state, input));
    EXPECT_TRUE(state.HoverFlag);
    EXPECT_FALSE(state.HookHoverFlag);
  }
}

TEST(HookMouseStep, ClickToHideWaitsForAClickAndForgetsItOnLeaving) {
  THoverState state;
  THookMouseInput input;
  input.HideType = htHide;
  input.ClickHide = true;
  input.Inside = true;
  EXPECT_FALSE(HookMouseStep(state, input));  // hovering alone does not hide
  EXPECT_FALSE(state.HoverFlag);
  input.LeftButtonDown = true;
  EXPECT_TRUE(HookMouseStep(state, input));   // a click over the clock does
  EXPECT_TRUE(state.ClickHideFlag);
  input.LeftButtonDown = false;
  EXPECT_FALSE(HookMouseStep(state, input));  // and it stays hidden while the mouse stays
  EXPECT_TRUE(state.HoverFlag);
  input.Inside = false;
  EXPECT_TRUE(HookMouseStep(state, input));   // leaving brings it back ...
  EXPECT_FALSE(state.ClickHideFlag);
  input.Inside = true;
  EXPECT_FALSE(HookMouseStep(state, input));  // ... and coming back needs a new click
  input.Inside = false;
  input.LeftButtonDown = true;
  EXPECT_FALSE(HookMouseStep(state, input));  // a click elsewhere does not count
  EXPECT_FALSE(state.ClickHideFlag);
}

}  // namespace
}  // namespace tdialix
