// Clock windows made in this process, drawn with chosen hide settings while
// xdotool moves and clicks the X pointer over them.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "clock/clock_window_win.h"
#include "../support/host_program_win.h"

namespace tdialix {
namespace {

// Moves the X pointer and waits until this process sees it there (Wine
// learns of pointer motion over click-through windows only when it asks).
bool MovePointer(POINT to) {
  if (!Xdotool(L"mousemove " + std::to_wstring(to.x) + L" " + std::to_wstring(to.y))) return false;
  for (int i = 0; i < 150; ++i) {
    PumpMessages();
    POINT at{};
    ::GetCursorPos(&at);
    if (at.x == to.x && at.y == to.y) return true;
    ::Sleep(20);
  }
  return false;
}

// Holds Ctrl down (or lets it go) as this thread's keyboard state sees it.
void HoldCtrl(bool down) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

class ClockWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    // An opaque background, so that every pixel of the window takes clicks.
    Style.BackGrndType = btFill;
    Style.BackGrndAlpha = 0;
    Style.BackGrndColor = 0x404040;
    Clock = std::make_unique<TDialix>(nullptr, 0, L"TDialix - test");
    Clock->InitializeBitmap(Style, 600, 32);
    ::SetWindowPos(Clock->Handle(), HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    Input.Style = &Style;
    Input.NowText = L"10:06   ";
    Input.PrevText = L"10:06   ";
    Clock->ResetAnimation(Input.PrevText);
    Clock->DrawClock(true, Input);
    Clock->ShowByProgram(true);
    PumpMessages();
    MovePointer(kAway);
  }
  void TearDown() override {
    HoldCtrl(false);
    Clock.reset();
  }

  static constexpr POINT kAway{5, 5};
  // The middle of the clock on the screen.
  POINT Centre() const {
    RECT r{};
    ::GetWindowRect(Clock->Handle(), &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  bool ClickThrough() const {
    return (::GetWindowLongPtrW(Clock->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
  }
  // Draws as the tick does until the condition holds (at most about 5 s).
  bool DrawUntil(const std::function<bool()>& condition, int rounds = 250) {
    for (int i = 0; i < rounds; ++i) {
      PumpMessages();
      Clock->DrawClock(false, Input);
      if (condition()) return true;
      ::Sleep(20);
    }
    return false;
  }

  TStyle Style;
  TClockFrameInput Input;
  std::unique_ptr<TDialix> Clock;
};

TEST_F(ClockWindowTest, HideModeFadesWhileThePointerRestsOnTheClock) {
  Input.Shape.HideType = htHide;  // HideAlpha 25: down to 64, never to 0
  ASSERT_TRUE(DrawUntil([&] { return Clock->PushedAlpha == 255; }));
  ASSERT_TRUE(MovePointer(Centre()));
  int lowest = 255;
  EXPECT_TRUE(DrawUntil([&] {
    lowest = std::min(lowest, Clock->PushedAlpha);
    return Clock->PushedAlpha == 64;
  })) << "lowest alpha " << lowest;
  ASSERT_TRUE(MovePointer(kAway));
  EXPECT_TRUE(DrawUntil([&] { return Clock->PushedAlpha == 255; })) << "the clock did not come back";
}

TEST_F(ClockWindowTest, PassThroughModeLetsClicksThroughUnlessCtrlIsHeld) {
  Input.Shape.HideType = htTransparent;
  EXPECT_TRUE(DrawUntil([&] { return ClickThrough(); }));
  HoldCtrl(true);
  EXPECT_TRUE(DrawUntil([&] { return !ClickThrough(); })) << "Ctrl did not make the clock clickable";
  HoldCtrl(false);
  EXPECT_TRUE(DrawUntil([&] { return ClickThrough(); }));
}

TEST_F(ClockWindowTest, ClickToHideKeepsTheClockClickableUntilItIsClicked) {
  Input.Shape.HideType = htHide;
  Input.Shape.ClickHide = true;
  ASSERT_TRUE(MovePointer(Centre()));
  for (int i = 0; i < 20; ++i) DrawUntil([] { return true; });
  EXPECT_FALSE(ClickThrough());
  EXPECT_EQ(Clock->PushedAlpha, 255);
  // A click on a freshly mapped window may reach Wine before the window does;
  // clicking again changes nothing once the first one arrived.
  bool hiding = false;
  for (int attempt = 0; attempt < 5 && !hiding; ++attempt) {
    ASSERT_TRUE(Xdotool(L"click 1"));
    hiding = DrawUntil([&] { return ClickThrough(); }, 50);
  }
  EXPECT_TRUE(hiding) << "the click did not start the hiding";
  EXPECT_TRUE(DrawUntil([&] { return Clock->PushedAlpha == 64; }));
  ASSERT_TRUE(MovePointer(kAway));
  EXPECT_TRUE(DrawUntil([&] { return !ClickThrough() && Clock->PushedAlpha == 255; }))
      << "leaving did not end the hiding";
}

}  // namespace
}  // namespace tdialix
