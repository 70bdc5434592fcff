// The end of the user's session: Windows ends the program without closing it,
// after asking every window whether the session may end. Wine's own
// "wineboot --end-session" does the same: it sends the two messages to every
// window of every process and ends each process afterwards.
//
// This program runs alone, and never creates a window of its own: the session
// end would end it too. It is registered so that it passes only when it
// reports its tests passed, so an ending forced on it shows as a failure.
#include "program_fixture_win.h"

#include "app/popup_menu.h"
#include "app/settings_file.h"

namespace tdialix {
namespace {

std::wstring DefaultStyle() { return SettingsFolder() + L"\\Default.dlx"; }
std::wstring SettingsFile() { return SettingsFolder() + L"\\TDialix.ini"; }

class SessionTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  // Ends the session as Windows does at shut-down or log-off, and waits for it.
  static void EndSession() {
    ASSERT_TRUE(TopWindows(::GetCurrentProcessId()).empty()) << "the test has windows: the session end would end it";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"wineboot.exe --end-session";
    ASSERT_TRUE(::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &info));
    TUniqueKernelHandle process(info.hProcess);
    ::CloseHandle(info.hThread);
    EXPECT_EQ(::WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0) << "wineboot did not end";
  }
};

TEST_F(SessionTest, TheSessionEndingAfterAMoveSavesStyleAndSettings) {
  WriteText(DefaultStyle(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Position]\r\nMonitor1=40,50,1\r\n");
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ::PostMessageW(program->Master(), WM_COMMAND, kCmdMoveFirst + 8, 0);  // "移動" → "右下"
  ASSERT_TRUE(WaitUntil([] { return Traced(L"command " + std::to_wstring(kCmdMoveFirst + 8)); }));

  EndSession();
  EXPECT_TRUE(program->WaitForExit().has_value()) << "the program outlived the session";
  EXPECT_EQ(TracedCount(L"endsession"), 1) << TraceText();
  EXPECT_EQ(TracedCount(L"close"), 0) << "nobody closed the program: the session ended it";
  EXPECT_EQ(TracedCount(L"settings-saved"), 1) << "saved once, as closing does";

  // The clock's new place in the style, and the settings written.
  std::vector<TPlacement> placements;
  ReadStyleFile(DefaultStyle(), &placements);
  ASSERT_FALSE(placements.empty());
  EXPECT_GT(placements[0].X, 50) << "the move to the bottom right was lost";
  EXPECT_GT(placements[0].Y, 50) << "the move to the bottom right was lost";
  EXPECT_EQ(ReadBytes(SettingsFile()).rfind("\xFF\xFE", 0), 0u) << "no settings file";
}

}  // namespace
}  // namespace tdialix
