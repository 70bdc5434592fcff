// A clock window whose glyph strip takes long to build answers its messages
// all the while, and keeps drawing from the strip it has until the new one comes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "clock/clock_window_win.h"

namespace tdialix {
namespace {

// The heaviest the style editor allows: 50 per cent digits with every
// decoration at 10 per cent and softness 10, on a 2160-line monitor.
TStyle Heavy() {
  TStyle style;
  style.OuterFrame = style.InnerFrame = style.Shadow = 10;
  style.OuterFrameSoft = style.InnerFrameSoft = style.ShadowSoft = 10;
  style.FontSize = 50;
  return style;
}

// What a message found when it was handled.
struct TSeen {
  bool Building = false;
  unsigned Generation = 0;
};

// Milliseconds on one steady clock, shared by the thread that posts and the
// window that answers.
using TSteady = std::chrono::steady_clock;
const TSteady::time_point Epoch = TSteady::now();
unsigned SinceEpoch() {
  return static_cast<unsigned>(std::chrono::duration_cast<std::chrono::milliseconds>(TSteady::now() - Epoch).count());
}

constexpr UINT kStampedMessage = WM_APP + 1;  // wParam: when it was posted

struct TProbe {
  TDialix* Clock = nullptr;
  std::vector<TSeen> Seen;
  std::vector<unsigned> Waits;  // milliseconds from posting to answering, of each stamped message
  unsigned WaitsWhileBuilding = 0;
};
TProbe* Probe = nullptr;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && Probe) {
    Probe->Seen.push_back({Probe->Clock->BuildingGlyphs(), Probe->Clock->Strip.Generation});
    return 0;
  }
  if (message == kStampedMessage && Probe) {
    Probe->Waits.push_back(SinceEpoch() - static_cast<unsigned>(wParam));
    if (Probe->Clock && Probe->Clock->BuildingGlyphs()) ++Probe->WaitsWhileBuilding;
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// A message-only window answering with ProbeProc.
HWND ProbeWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &ProbeProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TDialixBuildProbe";
  ::RegisterClassW(&windowClass);  // the second test finds it registered
  return ::CreateWindowExW(0, L"TDialixBuildProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

TEST(GlyphBuilder, MessagesAreAnsweredWhileALargeStripIsBuiltAndItsStripComesAfter) {
  TStyle style;
  TDialix clock(nullptr, 0, L"TDialix - test");
  clock.InitializeBitmap(style, 600, 32);  // an ordinary style: ready at once
  EXPECT_FALSE(clock.BuildingGlyphs());
  const unsigned before = clock.Strip.Generation;
  const int heightBefore = clock.Strip.MaxDrawSize.cy;
  ASSERT_GT(heightBefore, 0);

  const HWND probe = ProbeWindow();
  ASSERT_TRUE(probe);
  TProbe seen;
  seen.Clock = &clock;
  Probe = &seen;

  const TStyle heavy = Heavy();
  clock.InitializeBitmap(heavy, 2160, 32);
  ASSERT_TRUE(clock.BuildingGlyphs()) << "the heavy strip was ready at once";
  EXPECT_EQ(clock.Strip.Generation, before) << "the clock no longer has the strip it draws from";
  // Messages sent now are answered one by one while the strip is built.
  constexpr int kMessages = 5;
  for (int i = 0; i < kMessages; ++i) ::PostMessageW(probe, WM_APP, 0, 0);
  MSG message;
  while (clock.Strip.Generation == before && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  ASSERT_EQ(seen.Seen.size(), static_cast<std::size_t>(kMessages));
  for (const TSeen& at : seen.Seen) {
    EXPECT_TRUE(at.Building) << "a message waited for the build";
    EXPECT_EQ(at.Generation, before);
  }
  // The new strip came by its own message, and is the heavy style's.
  EXPECT_FALSE(clock.BuildingGlyphs());
  EXPECT_EQ(clock.Strip.Generation, before + 1);
  EXPECT_GT(clock.Strip.MaxDrawSize.cy, 4 * heightBefore);
  Probe = nullptr;
  ::DestroyWindow(probe);
}

// The bound a user feels as an answer: while the heaviest strip builds, no
// message waits longer than a quarter of a second, also when a second heavy
// build replaces the first midway, or when the clock is closed midway. A
// thread posts a message stamped with its time every 10 ms from before the
// build starts until its strip has come (or the closed clock is gone).
enum class TMidway { Nothing, AnotherHeavyBuild, CloseTheClock };

TEST(GlyphBuilder, NoMessageWaitsLongerThanAQuarterSecondWhileALargeStripBuilds) {
  const struct {
    TMidway Midway;
    const char* Name;
  } cases[] = {
      {TMidway::Nothing, "one build"},
      {TMidway::AnotherHeavyBuild, "a heavy build replaced by another"},
      {TMidway::CloseTheClock, "the clock closed during the build"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto clock = std::make_unique<TDialix>(nullptr, 0, L"TDialix - test");
    TStyle style;
    clock->InitializeBitmap(style, 600, 32);
    const unsigned before = clock->Strip.Generation;
    const HWND probe = ProbeWindow();
    ASSERT_TRUE(probe);
    TProbe seen;
    seen.Clock = clock.get();
    Probe = &seen;

    std::atomic<bool> stop{false};
    std::thread poster([&] {
      while (!stop) {
        ::PostMessageW(probe, kStampedMessage, SinceEpoch(), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
    const auto pump = [](std::chrono::milliseconds span, const auto& done) {
      const auto end = TSteady::now() + span;
      MSG message;
      while (!done() && TSteady::now() < end) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
          ::TranslateMessage(&message);
          ::DispatchMessageW(&message);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      }
    };
    const auto never = [] { return false; };
    pump(std::chrono::milliseconds(100), never);  // the poster is under way
    clock->InitializeBitmap(Heavy(), 2160, 32);
    const unsigned expected = before + 1;
    const auto arrived = [&] { return clock && clock->Strip.Generation == expected; };
    if (c.Midway != TMidway::Nothing) {
      pump(std::chrono::milliseconds(400), arrived);  // well into the pixel work
      ASSERT_TRUE(clock->BuildingGlyphs()) << "the heavy strip came within 0.4 s";
    }
    if (c.Midway == TMidway::AnotherHeavyBuild) {
      TStyle other = Heavy();
      other.FontSize = 45;
      clock->InitializeBitmap(other, 2160, 32);
    }
    if (c.Midway == TMidway::CloseTheClock) {
      seen.Clock = nullptr;
      clock.reset();
      pump(std::chrono::milliseconds(500), never);
    } else {
      pump(std::chrono::seconds(60), arrived);
      pump(std::chrono::milliseconds(100), never);
    }
    stop = true;
    poster.join();
    pump(std::chrono::milliseconds(50), never);

    if (clock) {
      EXPECT_FALSE(clock->BuildingGlyphs()) << "the strip did not come within a minute";
      EXPECT_EQ(clock->Strip.Generation, expected) << "a replaced build's strip came, or none";
      EXPECT_GT(seen.WaitsWhileBuilding, 10u) << "the build was over before the messages could show anything";
    }
    ASSERT_FALSE(seen.Waits.empty());
    const unsigned longest = *std::max_element(seen.Waits.begin(), seen.Waits.end());
    EXPECT_LE(longest, 250u) << "a message waited " << longest << " ms";
    Probe = nullptr;
    ::DestroyWindow(probe);
  }
}

// A build that a newer one replaces never arrives: the newer one's strip does.
TEST(GlyphBuilder, ANewerBuildCancelsTheOneRunning) {
  TDialix clock(nullptr, 0, L"TDialix - test");
  TStyle style;
  clock.InitializeBitmap(style, 600, 32);
  const unsigned before = clock.Strip.Generation;
  clock.InitializeBitmap(Heavy(), 2160, 32);
  ASSERT_TRUE(clock.BuildingGlyphs());
  clock.InitializeBitmap(style, 1200, 32);  // small: built at once, the heavy one dropped
  EXPECT_FALSE(clock.BuildingGlyphs());
  EXPECT_EQ(clock.Strip.Generation, before + 1);
  const TSize size = clock.Strip.MaxDrawSize;
  // Nothing of the cancelled build comes later.
  MSG message;
  for (int i = 0; i < 20; ++i) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    ::Sleep(10);
  }
  EXPECT_EQ(clock.Strip.Generation, before + 1);
  EXPECT_EQ(clock.Strip.MaxDrawSize.cy, size.cy);
}

}  // namespace
}  // namespace tdialix
