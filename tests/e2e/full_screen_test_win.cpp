// The clock steps aside for full-screen programs: a borderless window that
// covers the whole screen, brought to the front, takes the clock away within
// a second, and closing it brings the clock back within a second.
#include "program_fixture_win.h"

#include <algorithm>

namespace tdialix {
namespace {

std::wstring SettingsFile() { return SettingsFolder() + L"\\TDialix.ini"; }
std::wstring DefaultStyle() { return SettingsFolder() + L"\\Default.dlx"; }

// A window of this test process that covers the whole virtual screen, as a
// full-screen video or game does.
class FullScreenWindow {
 public:
  FullScreenWindow() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = L"TDialixTestFullScreen";
    ::RegisterClassW(&windowClass);
    Window = ::CreateWindowExW(0, windowClass.lpszClassName, L"full screen", WS_POPUP,
                               ::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                               ::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN),
                               nullptr, nullptr, windowClass.hInstance, nullptr);
    ::ShowWindow(Window, SW_SHOW);
    ::SetForegroundWindow(Window);
    ::SetWindowPos(Window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpMessages();
  }
  ~FullScreenWindow() { Close(); }
  void Close() {
    if (Window) ::DestroyWindow(Window);
    Window = nullptr;
    PumpMessages();
  }
  HWND Window = nullptr;
};

// Waits while this thread's windows get their messages.
bool WaitPumping(const std::function<bool()>& condition, int milliseconds) {
  return WaitUntil([&] {
    PumpMessages();
    return condition();
  }, milliseconds);
}

class FullScreenTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  // The alpha values the clock of the first monitor was pushed with, in order.
  static std::vector<int> PushedAlphas() {
    std::vector<int> alphas;
    for (const std::wstring& line : TraceLines()) {
      if (line.rfind(L"alpha 0 ", 0) == 0) alphas.push_back(std::stoi(line.substr(8)));
    }
    return alphas;
  }
};

TEST_F(FullScreenTest, AFullScreenWindowTakesTheClockAwayAndItComesBackWhenTheWindowCloses) {
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock) << TraceText();
  EXPECT_TRUE(Traced(L"fullscreen-watch 1"));

  FullScreenWindow window;
  ASSERT_EQ(::GetForegroundWindow(), window.Window);
  EXPECT_TRUE(WaitPumping([&] { return !::IsWindowVisible(clock); }, 1000)) << TraceText();
  EXPECT_TRUE(Traced(L"fullscreen 1"));

  window.Close();
  EXPECT_TRUE(WaitPumping([&] { return ::IsWindowVisible(clock) != FALSE; }, 1000)) << TraceText();
  EXPECT_TRUE(Traced(L"fullscreen 0"));
  CloseInstance(*program);
}

TEST_F(FullScreenTest, AStyleThatFadesFadesTheClockOutAndIn) {
  WriteText(DefaultStyle(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFadeSwitching=1\r\n");
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock) << TraceText();
  ASSERT_TRUE(WaitUntil([] { return Traced(L"alpha 0 255"); })) << TraceText();

  FullScreenWindow window;
  EXPECT_TRUE(WaitPumping([&] { return !::IsWindowVisible(clock); }, 1000)) << TraceText();
  std::vector<int> alphas = PushedAlphas();
  // Down from the full opacity through values in between, not in one jump.
  const auto top = std::find(alphas.rbegin(), alphas.rend(), 255);
  ASSERT_NE(top, alphas.rend());
  EXPECT_TRUE(std::any_of(alphas.rbegin(), top, [](int alpha) { return alpha > 0 && alpha < 255; })) << TraceText();

  window.Close();
  const size_t hidden = PushedAlphas().size();
  EXPECT_TRUE(WaitPumping([&] { return ::IsWindowVisible(clock) != FALSE; }, 1000)) << TraceText();
  // Back up to the full opacity through values in between.
  EXPECT_TRUE(WaitUntil([] { return PushedAlphas().back() == 255; })) << TraceText();
  alphas = PushedAlphas();
  EXPECT_TRUE(std::any_of(alphas.begin() + static_cast<std::ptrdiff_t>(hidden), alphas.end(),
                          [](int alpha) { return alpha > 0 && alpha < 255; }))
      << TraceText();
  CloseInstance(*program);
}

TEST_F(FullScreenTest, WithTheOptionOffTheClockStays) {
  WriteText(SettingsFile(), L"[View]\r\nHideOnFullScreen=0\r\n");
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock) << TraceText();
  EXPECT_FALSE(TracedPrefix(L"fullscreen-watch"));

  FullScreenWindow window;
  ASSERT_EQ(::GetForegroundWindow(), window.Window);
  // As long as the other test gives the clock to go away, and more.
  WaitPumping([] { return false; }, 1500);
  EXPECT_TRUE(::IsWindowVisible(clock));
  EXPECT_FALSE(TracedPrefix(L"fullscreen "));
  window.Close();

  // The option is kept when the program saves its settings.
  CloseInstance(*program);
  EXPECT_NE(ReadBytes(SettingsFile()).find(EncodeUtf16LeWithBom(L"HideOnFullScreen=0").substr(2)), std::string::npos);
}

}  // namespace
}  // namespace tdialix
