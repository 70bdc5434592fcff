// A clock window whose glyph strip takes long to build answers its messages
// all the while, and keeps drawing from the strip it has until the new one comes.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
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

struct TProbe {
  TDialix* Clock = nullptr;
  std::vector<TSeen> Seen;
};
TProbe* Probe = nullptr;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP && Probe) {
    Probe->Seen.push_back({Probe->Clock->BuildingGlyphs(), Probe->Clock->Strip.Generation});
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(GlyphBuilder, MessagesAreAnsweredWhileALargeStripIsBuiltAndItsStripComesAfter) {
  TStyle style;
  TDialix clock(nullptr, 0, L"TDialix - test");
  clock.InitializeBitmap(style, 600, 32);  // an ordinary style: ready at once
  EXPECT_FALSE(clock.BuildingGlyphs());
  const unsigned before = clock.Strip.Generation;
  const int heightBefore = clock.Strip.MaxDrawSize.cy;
  ASSERT_GT(heightBefore, 0);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &ProbeProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TDialixBuildProbe";
  ::RegisterClassW(&windowClass);
  const HWND probe = ::CreateWindowExW(0, L"TDialixBuildProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr);
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
