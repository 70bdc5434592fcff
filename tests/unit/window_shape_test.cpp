#include "clock/window_shape.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TDateTime Ms(int ms) { return IncMilliSecond(*TryEncodeDateTime({2026, 12, 10}, {12, 0, 0, 0}), ms); }

TEST(WindowAlpha, CombinesHideFloorOpacityAndSwitching) {
  const struct {
    int Hiding, Floor, TransParent, Switching, Alpha;
  } cases[] = {
      {255, 255, 100, 255, 255},  // no hide type, fully opaque: 255
      {255, 255, 0, 255, 0},      // opacity 0: invisible
      {255, 255, 50, 255, 128},
      {0, 64, 100, 255, 64},      // hidden: the floor is left
      {255, 64, 100, 255, 255},
      {128, 64, 100, 255, 160},   // half way between the floor and 255
      {255, 255, 100, 0, 0},      // switched off
      {255, 255, 100, 128, 128},
      {0, 64, 50, 128, 16},       // everything multiplies
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WindowAlpha(c.Hiding, c.Floor, c.TransParent, c.Switching), c.Alpha)
        << c.Hiding << " " << c.Floor << " " << c.TransParent << " " << c.Switching;
  }
}

TEST(HideFade, EasesInAndOutOverTwiceTheHalfTime) {
  // Speed 80: a half time of 200 ms; a span of 191 (255 less the floor 64).
  const struct {
    long long Ms;
    int Step;
  } cases[] = {{0, 0}, {100, 24}, {200, 96}, {300, 167}, {400, 191}, {1000, 191},
               {-5, 191}};  // begun "after" now: the clock went back, the fade is over
  for (const auto& c : cases) EXPECT_EQ(HideFadeStep(c.Ms, 80, 191), c.Step) << c.Ms;
  // Speed 100: the half time is 1 ms, not 0.
  EXPECT_EQ(HideFadeStep(0, 100, 255), 0);
  EXPECT_EQ(HideFadeStep(1, 100, 255), 128);
  EXPECT_EQ(HideFadeStep(2, 100, 255), 255);
  // Speed 0: a half time of 5 s.
  EXPECT_EQ(HideFadeStep(5000, 0, 255), 128);
  EXPECT_EQ(HideFadeStep(10000, 0, 255), 255);
}

struct TClock {
  TShapeSettings Settings;
  TShapeState State;
  TShapeInput Input;
  TShapeDecision Update(int ms, bool inside, bool update = false) {
    Input.Now = Ms(ms);
    Input.Inside = inside;
    Input.Update = update;
    return WindowShapeStep(State, Settings, Input);
  }
};

TEST(WindowShape, HideFadesToTheFloorAndBack) {
  TClock clock;
  clock.Settings.HideType = htHide;  // HideAlpha 25: a floor of 64
  TShapeDecision d = clock.Update(0, false, true);
  EXPECT_TRUE(d.Push);
  EXPECT_EQ(d.Alpha, 255);
  EXPECT_TRUE(d.ClickThrough);  // a hiding clock lets clicks through unless Ctrl is held
  int last = 255;
  for (int ms = 32; ms <= 1024; ms += 32) {  // the pointer rests on it
    d = clock.Update(ms, true);
    EXPECT_TRUE(d.Push || !clock.State.AlphaHiding);
    EXPECT_LE(d.Alpha, last);
    EXPECT_GE(d.Alpha, 64);
    last = d.Alpha;
  }
  EXPECT_EQ(last, 64);  // the floor, never 0
  EXPECT_FALSE(clock.State.AlphaHiding);
  EXPECT_FALSE(clock.Update(1056, true).Push);  // the fade is over: nothing to push
  for (int ms = 1088; ms <= 2080; ms += 32) d = clock.Update(ms, false);
  EXPECT_EQ(d.Alpha, 255);
}

// A hide fade that is running when the system clock goes back ends at once,
// both ways, instead of stopping half-way for as long as the jump.
TEST(WindowShape, AHideFadeEndsAtOnceWhenTheClockGoesBack) {
  for (const int jump : {1000, 3600 * 1000}) {
    TClock clock;
    clock.Settings.HideType = htHide;  // a floor of 64
    clock.Update(0, false, true);
    clock.Update(100, true);  // the fade starts
    const int halfWay = clock.Update(250, true).Alpha;
    EXPECT_GT(halfWay, 64);
    EXPECT_LT(halfWay, 255);
    EXPECT_EQ(clock.Update(250 - jump, true).Alpha, 64) << "back " << jump << " ms";
    EXPECT_FALSE(clock.State.AlphaHiding);

    clock.Update(300 - jump, false);  // the pointer leaves: back to 255
    clock.Update(450 - jump, false);
    EXPECT_EQ(clock.Update(450 - 2 * jump, false).Alpha, 255) << "back " << jump << " ms";
    EXPECT_FALSE(clock.State.AlphaHiding);
  }
}

TEST(WindowShape, FastestHideTakesNoMoreThanTheUpdatesThatFollow) {
  TClock clock;
  clock.Settings.HideType = htHide;
  clock.Settings.HideSpeed = 100;  // a half time of 1 ms: every later update takes a full step
  clock.Update(0, false, true);
  EXPECT_EQ(clock.Update(10, true).Alpha, 255);  // the fade starts here
  EXPECT_EQ(clock.Update(12, true).Alpha, 112);
  EXPECT_EQ(clock.Update(14, true).Alpha, 64);
  EXPECT_FALSE(clock.State.AlphaHiding);
}

TEST(WindowShape, CtrlShowsAHiddenClockAtOnceAndMakesItClickable) {
  TClock clock;
  clock.Settings.HideType = htHide;
  clock.Update(0, false, true);
  for (int ms = 32; ms <= 1024; ms += 32) clock.Update(ms, true);
  clock.Input.Free = false;  // Ctrl goes down
  const TShapeDecision d = clock.Update(1056, true);
  EXPECT_TRUE(d.Push);
  EXPECT_EQ(d.Alpha, 255);
  EXPECT_FALSE(d.ClickThrough);
  clock.Input.Free = true;  // released while still over it: a new fade out
  EXPECT_TRUE(clock.Update(1088, true).Push);
  EXPECT_TRUE(clock.State.AlphaHiding);
  EXPECT_FALSE(clock.State.AlphaDirection);
}

TEST(WindowShape, ClickThroughByTypeCtrlAndClick) {
  const struct {
    THideType Type;
    bool Free, ClickHide, Clicked;
    bool ClickThrough;
  } cases[] = {
      {htNone, true, false, false, false},
      {htHide, true, false, false, true},
      {htHole, true, false, false, true},
      {htTransparent, true, false, false, true},
      {htTransparent, false, false, false, false},  // Ctrl held
      {htTransparent, true, true, false, false},    // click-to-hide, not clicked yet
      {htTransparent, true, true, true, true},
      {htHide, false, true, true, false},
  };
  for (const auto& c : cases) {
    TClock clock;
    clock.Settings.HideType = c.Type;
    clock.Settings.ClickHide = c.ClickHide;
    clock.Input.Free = c.Free;
    clock.Input.LeftButtonDown = c.Clicked;
    const TShapeDecision d = clock.Update(0, true, true);
    EXPECT_EQ(d.ClickThrough, c.ClickThrough) << c.Type << c.Free << c.ClickHide << c.Clicked;
  }
}

TEST(WindowShape, ClickToHideStartsWithAClickAndEndsAfterLeaving) {
  TClock clock;
  clock.Settings.HideType = htHide;
  clock.Settings.ClickHide = true;
  EXPECT_FALSE(clock.Update(0, true, true).ClickThrough);  // over it, not clicked: clickable, shown
  EXPECT_FALSE(clock.State.HoverFlag);
  clock.Input.LeftButtonDown = true;
  TShapeDecision d = clock.Update(32, true);
  clock.Input.LeftButtonDown = false;
  EXPECT_TRUE(d.ClickThrough);
  EXPECT_TRUE(clock.State.HoverFlag);
  EXPECT_TRUE(clock.State.AlphaHiding);
  d = clock.Update(64, false);  // leaving: still hovered in this update
  EXPECT_TRUE(clock.State.HoverFlag);
  EXPECT_FALSE(clock.State.ClickHideFlag);
  d = clock.Update(96, false);  // released now
  EXPECT_FALSE(clock.State.HoverFlag);
  EXPECT_FALSE(d.ClickThrough);
  EXPECT_TRUE(clock.State.AlphaDirection);  // fading back in
}

TEST(WindowShape, HoleFollowsThePointerWhileFree) {
  TClock clock;
  clock.Settings.HideType = htHole;
  clock.Input.Cursor = {10, 10};
  TShapeDecision d = clock.Update(0, true, true);
  EXPECT_TRUE(d.PunchHole);
  EXPECT_EQ(d.Alpha, 255);  // no fade in hole mode
  clock.Input.Cursor = {12, 10};  // moving over it: the composer redraws, the hole follows
  EXPECT_TRUE(clock.Update(32, true, true).PunchHole);
  clock.Input.Cursor = {500, 10};  // moving away: one more push, without a hole
  d = clock.Update(64, false);
  EXPECT_TRUE(d.Push);
  EXPECT_FALSE(d.PunchHole);
  EXPECT_FALSE(clock.Update(96, false).Push);
  clock.Input.Free = false;  // Ctrl: no hole
  clock.Input.Cursor = {10, 10};
  EXPECT_FALSE(clock.Update(128, true, true).PunchHole);
}

TEST(WindowShape, LowColourHasNoFloor) {
  TClock clock;
  clock.Settings.HideType = htHide;
  clock.Input.Deep = false;
  clock.Update(0, false, true);
  TShapeDecision d = clock.Update(32, true);
  EXPECT_TRUE(d.Push);
  // Without per-pixel alpha the hover change is pushed once; the frame itself is blanked by the composer.
  EXPECT_FALSE(clock.Update(64, true).Push);
}

TBitmap Opaque(int size) {
  TBitmap frame(size, size, 32);
  for (auto& byte : frame.Data()) byte = 255;
  return frame;
}

TEST(PunchHole, HardFullStrengthHoleClearsADisc) {
  TBitmap frame = Opaque(40);
  TShapeSettings s;
  s.HoleSize = 50;  // of a glyph 40 high: 20 pixels across
  s.HoleAlpha = 100;
  PunchHole(frame, {19, 19}, 40, s, true, 0);
  // Box 10 ... 29 on both axes, centre 20.
  EXPECT_EQ(frame.Pixel(20, 20)[3], 0);
  EXPECT_EQ(frame.Pixel(11, 20)[3], 0);
  EXPECT_EQ(frame.Pixel(28, 20)[0], 0);
  EXPECT_EQ(frame.Pixel(9, 20)[3], 255);   // outside the box
  EXPECT_EQ(frame.Pixel(10, 10)[3], 255);  // the box's corner is outside the disc
  EXPECT_EQ(frame.Pixel(29, 29)[3], 255);
  int cleared = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) cleared += frame.Pixel(x, y)[3] == 0;
  EXPECT_NEAR(cleared, 314, 20);  // about pi r squared
}

TEST(PunchHole, StrengthLeavesAShareOfEachPixelAndTheEdgeFades) {
  TBitmap frame = Opaque(60);
  TShapeSettings s;
  s.HoleSize = 100;  // 40 across on a glyph 40 high
  s.HoleAlpha = 90;
  s.HoleSoft = 25;   // a soft edge 10 wide
  PunchHole(frame, {29, 29}, 40, s, true, 0);
  // Inside the inner radius (15) each byte keeps 255 - 230 = 25, a tenth.
  for (int k = 0; k < 4; ++k) EXPECT_EQ(frame.Pixel(30, 30)[k], 25);
  EXPECT_EQ(frame.Pixel(30 + 12, 30)[3], 25);
  // Across the edge the pixels come back, steadily.
  int previous = 25;
  for (int x = 30 + 15; x < 30 + 26; ++x) {
    const int a = frame.Pixel(x, 30)[3];
    EXPECT_GE(a, previous) << x;
    previous = a;
  }
  EXPECT_EQ(frame.Pixel(30 + 26, 30)[3], 255);
  EXPECT_EQ(frame.Pixel(0, 0)[3], 255);
  // Premultiplied pixels stay premultiplied.
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_LE(frame.Pixel(x, y)[2], frame.Pixel(x, y)[3]);
}

TEST(PunchHole, LowColourIsAHardEllipseOfTheBrush) {
  TBitmap frame = Opaque(40);
  TShapeSettings s;
  s.HoleSize = 50;
  s.HoleAlpha = 50;
  s.HoleSoft = 50;
  const TRgb key = MakeRgb(255, 0, 255);
  PunchHole(frame, {19, 19}, 40, s, false, key);
  EXPECT_EQ(frame.ColorAt(20, 20), key);
  EXPECT_EQ(frame.Pixel(20, 20)[3], 0);
  EXPECT_EQ(frame.ColorAt(5, 5), MakeRgb(255, 255, 255));
}

TEST(PunchHole, HoleAtTheFrameEdgeStaysInside) {
  TBitmap frame = Opaque(10);
  TShapeSettings s;
  s.HoleSize = 400;
  s.HoleAlpha = 80;
  s.HoleSoft = 100;
  PunchHole(frame, {0, 9}, 40, s, true, 0);  // much larger than the frame, centred on a corner
  PunchHole(frame, {-500, -500}, 40, s, true, 0);
  EXPECT_LT(frame.Pixel(0, 9)[3], 255);
}

}  // namespace
}  // namespace tdialix
