// The hook library TDialix.dll, loaded the way the program loads it. Input is
// injected with SendInput; the test's own low-level hooks, installed before the
// library's and so called after them, post a marker for every event that was
// passed on. The markers tell when an event has gone through the whole chain,
// so that a missing notification can be told apart from a late one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "base/unique_handle_win.h"

namespace tdialix {
namespace {

constexpr wchar_t BlockName[] = L"TeamOrvaneTDialix2Hook";
constexpr UINT KeyMessage = 0x8065;
constexpr UINT MouseMessage = 0x8064;
// Posted by the test's hooks; WParam is the event's message (WM_KEYDOWN, WM_MOUSEMOVE, ...).
constexpr UINT PassedOn = WM_APP + 0x100;

constexpr WORD ScanCtrl = 0x1D, ScanAlt = 0x38, ScanA = 0x1E, ScanB = 0x30;

namespace handle_traits {
struct Hook {
  using THandle = HHOOK;
  static THandle Invalid() noexcept { return nullptr; }
  static bool IsValid(THandle h) noexcept { return h != nullptr; }
  static void Close(THandle h) noexcept { ::UnhookWindowsHookEx(h); }
};
struct View {
  using THandle = void*;
  static THandle Invalid() noexcept { return nullptr; }
  static bool IsValid(THandle h) noexcept { return h != nullptr; }
  static void Close(THandle h) noexcept { ::UnmapViewOfFile(h); }
};
}  // namespace handle_traits
using TUniqueHook = TUniqueHandle<handle_traits::Hook>;
using TUniqueView = TUniqueHandle<handle_traits::View>;

// A message posted to the test window.
struct TPosted {
  UINT Message;
  WPARAM WParam;
  LPARAM LParam;
  bool operator==(const TPosted&) const = default;
};

void PrintTo(const TPosted& posted, std::ostream* out) {
  *out << std::hex << "{0x" << posted.Message << ", 0x" << posted.WParam << ", 0x"
       << static_cast<std::uint32_t>(posted.LParam) << "}" << std::dec;
}

TPosted Key(WPARAM vk, std::uint32_t flags) { return {KeyMessage, vk, static_cast<LPARAM>(flags)}; }
TPosted Mouse(WPARAM message) { return {MouseMessage, message, 0}; }
TPosted Passed(WPARAM message) { return {PassedOn, message, 0}; }

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}
INPUT Press(WORD vk, WORD scan, DWORD flags = 0) { return KeyInput(vk, scan, flags); }
INPUT Release(WORD vk, WORD scan, DWORD flags = 0) { return KeyInput(vk, scan, flags | KEYEVENTF_KEYUP); }

INPUT MouseInput(DWORD flags, LONG x = 0, LONG y = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x;
  input.mi.dy = y;
  input.mi.dwFlags = flags;
  return input;
}
// Absolute coordinates run from 0 to 65535 across the screen.
INPUT MoveTo(LONG x, LONG y) { return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y); }

HWND TestWindow = nullptr;

LRESULT CALLBACK PassOnProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) ::PostMessageW(TestWindow, PassedOn, wParam, 0);
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The shared block as the program publishes it.
class TSharedBlock {
 public:
  TSharedBlock()
      : Mapping(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 12, BlockName)),
        View(Mapping ? ::MapViewOfFile(Mapping.Get(), FILE_MAP_WRITE, 0, 0, 12) : nullptr) {}
  explicit operator bool() const { return static_cast<bool>(View); }
  void Fill(HWND window) {
    auto* values = static_cast<std::uint32_t*>(View.Get());
    values[1] = KeyMessage;
    values[2] = MouseMessage;
    values[0] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
  }

 private:
  TUniqueKernelHandle Mapping;
  TUniqueView View;
};

bool BlockExists() {
  TUniqueKernelHandle mapping(::OpenFileMappingW(FILE_MAP_READ, FALSE, BlockName));
  return static_cast<bool>(mapping);
}

class HookLibrary : public ::testing::Test {
 protected:
  using TStartHook = BOOL(WINAPI*)();
  using TEndHook = void(WINAPI*)();

  void SetUp() override {
    Window.Reset(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(Window);
    TestWindow = Window.Get();
    const HINSTANCE self = ::GetModuleHandleW(nullptr);
    MouseMarker.Reset(::SetWindowsHookExW(WH_MOUSE_LL, PassOnProc, self, 0));
    KeyboardMarker.Reset(::SetWindowsHookExW(WH_KEYBOARD_LL, PassOnProc, self, 0));
    ASSERT_TRUE(MouseMarker && KeyboardMarker);

    // The tests run under Wine, where drive Z: is the Unix root.
    Library.Reset(::LoadLibraryW(L"" TDIALIX_HOOK_DLL));
    ASSERT_TRUE(Library) << "cannot load " << TDIALIX_HOOK_DLL << ", error " << ::GetLastError();
    StartHook = reinterpret_cast<TStartHook>(reinterpret_cast<void*>(::GetProcAddress(Library.Get(), "StartHook")));
    EndHook = reinterpret_cast<TEndHook>(reinterpret_cast<void*>(::GetProcAddress(Library.Get(), "EndHook")));
    ASSERT_NE(StartHook, nullptr) << "StartHook is not exported under its plain name";
    ASSERT_NE(EndHook, nullptr) << "EndHook is not exported under its plain name";
  }

  void TearDown() override {
    if (Library && EndHook) EndHook();
  }

  // Injects the input and returns what was posted to the test window until
  // every event has come through the test's own hooks (a few seconds at most).
  std::vector<TPosted> Deliver(const std::vector<INPUT>& inputs) {
    std::vector<TPosted> posted;
    for (INPUT input : inputs) EXPECT_EQ(::SendInput(1, &input, sizeof input), 1u);
    std::size_t passedOn = 0;
    const ULONGLONG deadline = ::GetTickCount64() + 5000;
    for (;;) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.hwnd == Window.Get() &&
            (msg.message == PassedOn || msg.message == KeyMessage || msg.message == MouseMessage)) {
          posted.push_back({msg.message, msg.wParam, msg.lParam});
          if (msg.message == PassedOn) ++passedOn;
        } else {
          ::TranslateMessage(&msg);
          ::DispatchMessageW(&msg);
        }
      }
      const ULONGLONG now = ::GetTickCount64();
      if (passedOn >= inputs.size() || now >= deadline) break;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
    EXPECT_EQ(passedOn, inputs.size()) << "not every event came through the hook chain";
    return posted;
  }

  TUniqueWindow Window;
  TUniqueHook MouseMarker;
  TUniqueHook KeyboardMarker;
  TUniqueModule Library;
  TStartHook StartHook = nullptr;
  TEndHook EndHook = nullptr;
};

// Key flags as in WM_KEYDOWN: repeat count 1, scan code, extended, Alt held, previous state, transition.
constexpr std::uint32_t Flags(WORD scan, bool extended, bool alt, bool wasDown, bool up) {
  return 1u | std::uint32_t{scan} << 16 | (extended ? 1u << 24 : 0u) | (alt ? 1u << 29 : 0u) |
         (wasDown ? 1u << 30 : 0u) | (up ? 1u << 31 : 0u);
}

struct TKeyCase {
  const char* Name;
  std::vector<INPUT> Inputs;
  std::vector<TPosted> Expected;
};

TEST_F(HookLibrary, NotifiesEveryKeyWithItsFlagsLaidOutAsInWmKeyDown) {
  ASSERT_TRUE(StartHook());
  TSharedBlock block;
  ASSERT_TRUE(block);
  block.Fill(Window.Get());

  const TKeyCase cases[] = {
      {"Ctrl pressed, repeated, released, pressed afresh",
       {Press(VK_CONTROL, ScanCtrl), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl),
        Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)},
       {Key(VK_CONTROL, Flags(ScanCtrl, false, false, false, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, true)), Passed(WM_KEYUP),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, false, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, true)), Passed(WM_KEYUP)}},
      {"each key has its own previous state",
       {Press(VK_CONTROL, ScanCtrl), Press('A', ScanA), Press(VK_CONTROL, ScanCtrl), Release('A', ScanA),
        Release(VK_CONTROL, ScanCtrl)},
       {Key(VK_CONTROL, Flags(ScanCtrl, false, false, false, false)), Passed(WM_KEYDOWN),
        Key('A', Flags(ScanA, false, false, false, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, false)), Passed(WM_KEYDOWN),
        Key('A', Flags(ScanA, false, false, true, true)), Passed(WM_KEYUP),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, true)), Passed(WM_KEYUP)}},
      {"a release never seen pressed still has the previous state set",
       {Release('B', ScanB)},
       {Key('B', Flags(ScanB, false, false, true, true)), Passed(WM_KEYUP)}},
      {"right Ctrl is an extended key",
       {Press(VK_CONTROL, ScanCtrl, KEYEVENTF_EXTENDEDKEY), Release(VK_CONTROL, ScanCtrl, KEYEVENTF_EXTENDEDKEY)},
       {Key(VK_CONTROL, Flags(ScanCtrl, true, false, false, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, true, false, true, true)), Passed(WM_KEYUP)}},
      {"left and right keys are reported as the key itself, as WM_KEYDOWN does",
       {Press(VK_RCONTROL, ScanCtrl), Press(VK_RCONTROL, ScanCtrl), Release(VK_RCONTROL, ScanCtrl)},
       {Key(VK_CONTROL, Flags(ScanCtrl, false, false, false, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, false)), Passed(WM_KEYDOWN),
        Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, true)), Passed(WM_KEYUP)}},
      {"keys pressed while Alt is held have the context bit",
       {Press(VK_MENU, ScanAlt), Press('A', ScanA), Release('A', ScanA), Release(VK_MENU, ScanAlt)},
       {Key(VK_MENU, Flags(ScanAlt, false, true, false, false)), Passed(WM_SYSKEYDOWN),
        Key('A', Flags(ScanA, false, true, false, false)), Passed(WM_SYSKEYDOWN),
        Key('A', Flags(ScanA, false, true, true, true)), Passed(WM_SYSKEYUP),
        Key(VK_MENU, Flags(ScanAlt, false, false, true, true)), Passed(WM_KEYUP)}},
  };
  for (const TKeyCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(Deliver(c.Inputs), c.Expected);
  }
}

TEST_F(HookLibrary, NotifiesEveryMouseEventWithItsMessage) {
  ASSERT_TRUE(StartHook());
  TSharedBlock block;
  ASSERT_TRUE(block);
  block.Fill(Window.Get());

  EXPECT_EQ(Deliver({MoveTo(20000, 20000), MoveTo(20400, 20000)}),
            (std::vector<TPosted>{Mouse(WM_MOUSEMOVE), Passed(WM_MOUSEMOVE), Mouse(WM_MOUSEMOVE),
                                  Passed(WM_MOUSEMOVE)}));
  EXPECT_EQ(Deliver({MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)}),
            (std::vector<TPosted>{Mouse(WM_RBUTTONDOWN), Passed(WM_RBUTTONDOWN), Mouse(WM_RBUTTONUP),
                                  Passed(WM_RBUTTONUP)}));
}

// The program creates the block only after StartHook has returned, and may
// fill it in after creating it.
TEST_F(HookLibrary, PassesEventsOnUntilTheBlockNamesAWindowAndThenFindsIt) {
  ASSERT_FALSE(BlockExists());
  ASSERT_TRUE(StartHook());

  EXPECT_EQ(Deliver({MoveTo(30000, 30000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
            (std::vector<TPosted>{Passed(WM_MOUSEMOVE), Passed(WM_KEYDOWN), Passed(WM_KEYUP)}))
      << "no block yet";

  TSharedBlock block;
  ASSERT_TRUE(block);
  EXPECT_EQ(Deliver({MoveTo(30400, 30000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
            (std::vector<TPosted>{Passed(WM_MOUSEMOVE), Passed(WM_KEYDOWN), Passed(WM_KEYUP)}))
      << "the block names no window yet";

  block.Fill(Window.Get());
  EXPECT_EQ(Deliver({MoveTo(30000, 30000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
            (std::vector<TPosted>{Mouse(WM_MOUSEMOVE), Passed(WM_MOUSEMOVE),
                                  Key(VK_CONTROL, Flags(ScanCtrl, false, false, false, false)), Passed(WM_KEYDOWN),
                                  Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, true)), Passed(WM_KEYUP)}))
      << "the block is filled in";
}

TEST_F(HookLibrary, EndHookStopsTheNotificationsAndLetsGoOfTheBlock) {
  ASSERT_TRUE(StartHook());
  {
    TSharedBlock block;
    ASSERT_TRUE(block);
    block.Fill(Window.Get());
    EXPECT_EQ(Deliver({MoveTo(10000, 10000)}), (std::vector<TPosted>{Mouse(WM_MOUSEMOVE), Passed(WM_MOUSEMOVE)}));

    EndHook();
    EXPECT_EQ(Deliver({MoveTo(10400, 10000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
              (std::vector<TPosted>{Passed(WM_MOUSEMOVE), Passed(WM_KEYDOWN), Passed(WM_KEYUP)}));
    EndHook();  // a second call does nothing
  }
  EXPECT_FALSE(BlockExists()) << "the library still holds the block";

  // Started again, it finds the program's next block.
  ASSERT_TRUE(StartHook());
  TSharedBlock block;
  ASSERT_TRUE(block);
  block.Fill(Window.Get());
  EXPECT_EQ(Deliver({MoveTo(10000, 10000)}), (std::vector<TPosted>{Mouse(WM_MOUSEMOVE), Passed(WM_MOUSEMOVE)}));
}

TEST_F(HookLibrary, StartingTwiceInstallsTheHooksOnce) {
  ASSERT_TRUE(StartHook());
  ASSERT_TRUE(StartHook());
  TSharedBlock block;
  ASSERT_TRUE(block);
  block.Fill(Window.Get());
  EXPECT_EQ(Deliver({MoveTo(40000, 40000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
            (std::vector<TPosted>{Mouse(WM_MOUSEMOVE), Passed(WM_MOUSEMOVE),
                                  Key(VK_CONTROL, Flags(ScanCtrl, false, false, false, false)), Passed(WM_KEYDOWN),
                                  Key(VK_CONTROL, Flags(ScanCtrl, false, false, true, true)), Passed(WM_KEYUP)}));

  EndHook();
  EXPECT_EQ(Deliver({MoveTo(40400, 40000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
            (std::vector<TPosted>{Passed(WM_MOUSEMOVE), Passed(WM_KEYDOWN), Passed(WM_KEYUP)}));
}

TEST_F(HookLibrary, UnloadingWithoutEndHookLeavesNoHookBehind) {
  {
    TSharedBlock block;
    ASSERT_TRUE(block);
    block.Fill(Window.Get());
    ASSERT_TRUE(StartHook());
    EXPECT_EQ(Deliver({MoveTo(50000, 50000)}), (std::vector<TPosted>{Mouse(WM_MOUSEMOVE), Passed(WM_MOUSEMOVE)}));

    Library.Reset();
    EXPECT_EQ(Deliver({MoveTo(50400, 50000), Press(VK_CONTROL, ScanCtrl), Release(VK_CONTROL, ScanCtrl)}),
              (std::vector<TPosted>{Passed(WM_MOUSEMOVE), Passed(WM_KEYDOWN), Passed(WM_KEYUP)}));
  }
  EXPECT_FALSE(BlockExists()) << "the library still holds the block";
}

}  // namespace
}  // namespace tdialix
