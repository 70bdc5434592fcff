// The automatic style change in the running program: an entry due at start
// loads its style once, and the menu opens the dialog that sets them up.
#include "program_fixture_win.h"

#include "app/popup_menu.h"
#include "base/date_time.h"
#include "calendar/time_slots.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class AutoStyleTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override {
    RemoveFolder(SettingsFolder());
    ::DeleteFileW(StylePath().c_str());
  }

  static const std::wstring& StylePath() {
    static const std::wstring path = TempPath(L"tdialix-e2e-seconds.dlx");
    return path;
  }

  // Settings without holidays, with one entry at 0:00:00 for today's day type.
  static void PrepareSettings(bool autoStyleChange, bool withStyle = true) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const TDateTime today = *TryEncodeDate(now.wYear, now.wMonth, now.wDay);
    const int dayType = DayTypeOf(today, false);
    WriteText(SettingsFolder() + L"\\TDialix.ini",
              L"[View]\r\nAutoStyleChange=" + std::wstring(autoStyleChange ? L"1" : L"0") +
                  L"\r\n[Holidays]\r\n[StyleChangeTime]\r\nTime1=" + std::to_wstring(dayType) + L",\"" + StylePath() +
                  L"\",0:00:00\r\n");
    ::DeleteFileW(StylePath().c_str());
    if (withStyle) WriteText(StylePath(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\n");
  }

  static int ClockWidth(const Program& program) {
    const HWND clock = ShownClock(program.Id);
    if (!clock) return 0;
    RECT r{};
    ::GetWindowRect(clock, &r);
    return r.right - r.left;
  }

  static int AutoStyleLines() {
    int count = 0;
    for (const std::wstring& line : TraceLines()) count += line == L"autostyle " + StylePath() ? 1 : 0;
    return count;
  }

  static void Command(const Program& program, int command) {
    ::PostMessageW(program.Master(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  }
};

TEST_F(AutoStyleTest, AnEntryDueAtStartLoadsItsStyleOnce) {
  // Switched off, the entry does nothing: the clock shows hours and minutes.
  PrepareSettings(false);
  int plainWidth = 0;
  {
    auto program = StartInstance();
    plainWidth = ClockWidth(*program);
    ASSERT_GT(plainWidth, 0);
    EXPECT_EQ(AutoStyleLines(), 0) << TraceText();
    CloseInstance(*program);
  }
  RemoveFolder(SettingsFolder());
  ::DeleteFileW(TracePath().c_str());

  // Switched on: the style with seconds loads at the start, once.
  PrepareSettings(true);
  auto program = StartInstance();
  EXPECT_TRUE(WaitUntil([&] { return ClockWidth(*program) > plainWidth; })) << TraceText();
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(AutoStyleLines(), 1) << TraceText();
  CloseInstance(*program);
}

TEST_F(AutoStyleTest, AMissingStyleFileFailsSilentlyAndCountsAsApplied) {
  PrepareSettings(true, false);
  auto program = StartInstance();
  const int width = ClockWidth(*program);
  EXPECT_GT(width, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  EXPECT_EQ(AutoStyleLines(), 1) << TraceText();
  EXPECT_EQ(MessageBoxOf(program->Id), nullptr) << "no message for an automatic change";
  EXPECT_EQ(ClockWidth(*program), width) << "the style in use stays";
  CloseInstance(*program);
}

TEST_F(AutoStyleTest, TheMenuCommandOpensTheDialogCancelKeepsAndOkSwitchesOn) {
  PrepareSettings(false);
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  Command(*program, kCmdAutoStyle);
  const HWND dialog = WaitForTopWindow(program->Id, L"TDialixAutoStyle", L"スタイルの自動切り替え");
  ASSERT_TRUE(dialog) << TraceText();
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-open TDialixAutoStyle"); })) << TraceText();
  EXPECT_FALSE(TracedPrefix(L"dialog-missing")) << TraceText();
  EXPECT_FALSE(IsChecked(FindControlByText(dialog, L"スタイルを自動的に切り替える")));

  // While it is open, the command only brings it forward.
  Command(*program, kCmdAutoStyle);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-forward"); })) << TraceText();
  EXPECT_EQ(WindowsOfClass(L"TDialixAutoStyle", program->Id).size(), 1u);

  // F1 asks for help, which does without a help file.
  const HWND cancel = FindControlByText(dialog, L"キャンセル");
  ASSERT_TRUE(cancel);
  PostKey(cancel, VK_F1);
  EXPECT_TRUE(WaitUntil([] { return TracedPrefix(L"help-missing"); })) << TraceText();
  EXPECT_TRUE(::IsWindowVisible(dialog));

  Click(cancel);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-close TDialixAutoStyle 2"); })) << TraceText();
  EXPECT_TRUE(program->Running());
  EXPECT_EQ(AutoStyleLines(), 0) << TraceText();

  // Switched on and confirmed: the entry due since midnight applies at the next check.
  const int plainWidth = ClockWidth(*program);
  Command(*program, kCmdAutoStyle);
  const HWND again = WaitForTopWindow(program->Id, L"TDialixAutoStyle", L"スタイルの自動切り替え");
  ASSERT_TRUE(again) << TraceText();
  Click(FindControlByText(again, L"スタイルを自動的に切り替える"));
  Click(FindControlByText(again, L"OK"));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(again); }));
  EXPECT_TRUE(WaitUntil([] { return AutoStyleLines() == 1; })) << TraceText();
  EXPECT_TRUE(WaitUntil([&] { return ClockWidth(*program) > plainWidth; })) << TraceText();
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
