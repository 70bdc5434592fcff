// The notification icon and the popup menu's commands as the running program
// carries them out.
#include "program_fixture_win.h"

#include "app/popup_menu.h"
#include "app/settings_file.h"
#include "base/date_format.h"
#include "base/path.h"
#include "base/system_locale_win.h"

namespace tdialix {
namespace {

class MenuTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  static void Command(const Program& program, int command) {
    ::PostMessageW(program.Master(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  }
  static std::vector<std::wstring> RecentStylesSaved() {
    const TIniDocument document = TIniDocument::FromBytes(ReadBytes(SettingsFolder() + L"\\TDialix.ini"));
    TSettings settings;
    TSettingsEnvironment environment;
    environment.DefaultStyleFile = SettingsFolder() + L"\\Default.dlx";
    LoadSettings(&document, settings, environment);
    return settings.RecentStyles;
  }
};

TEST_F(MenuTest, TheIconShowsTodaysDateAsItsHint) {
  auto program = StartInstance();
  EXPECT_TRUE(WaitUntil([] { return Traced(L"trayicon 1"); })) << TraceText();
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const TDateTime today = *TryEncodeDateTime({now.wYear, now.wMonth, now.wDay}, {12, 0, 0, 0});
  const std::wstring date = FormatDateTime(L"", today, SystemFormatSettings());
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"trayhint " + date); })) << WideToUtf8(date) << "\n" << TraceText();
  CloseInstance(*program);
}

// Help is the program's own path with ".chm", whatever the program is called.
TEST_F(MenuTest, HelpIsTheProgramsOwnNameWithChm) {
  const std::wstring folder = TempPath(L"tdialix-renamed");
  ::CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring program = folder + L"\\TDialixKopie.exe";
  const std::wstring help = folder + L"\\TDialixKopie.chm";
  ASSERT_TRUE(::CopyFileW(TDIALIX_EXE_W, program.c_str(), FALSE));
  WriteText(help, L"");  // no help viewer will show this; the name is what counts
  {
    auto running = StartInstanceOf(program);
    Command(*running, kCmdHelp);
    EXPECT_TRUE(WaitUntil([&] { return Traced(L"help " + help); })) << TraceText();
    CloseInstance(*running);
  }
  ::DeleteFileW(program.c_str());
  ::DeleteFileW(help.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

TEST_F(MenuTest, MoveBottomRightPlacesTheClockInTheCorner) {
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  Command(*program, kCmdMoveFirst + 8);  // "移動" → "右下"
  ASSERT_TRUE(WaitUntil([] { return Traced(L"command " + std::to_wstring(kCmdMoveFirst + 8)); }));
  RECT window{};
  ASSERT_TRUE(WaitUntil([&] {
    ::GetWindowRect(clock, &window);
    return window.left > 0 && window.left > ::GetSystemMetrics(SM_CXSCREEN) / 2;
  }));
  // The default style has no margins: the clock's size is the window's.
  const TRect monitor{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const int width = window.right - window.left, height = window.bottom - window.top;
  const TMovedClock expected = MoveClock(monitor, {{0, 0, width, 0}, {}, height}, 8, {});
  EXPECT_EQ(window.left, expected.Origin.X);
  EXPECT_EQ(window.top, expected.Origin.Y);
  EXPECT_GT(window.top, monitor.Height() / 2);
  CloseInstance(*program);
}

TEST_F(MenuTest, LoadingARecentStyleMovesItToTheTop) {
  const std::wstring a = SettingsFolder() + L"\\styles\\a&b.dlx";
  const std::wstring b = SettingsFolder() + L"\\styles\\second.dlx";
  for (const std::wstring& path : {a, b}) {
    WriteText(path, L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\n");
  }
  WriteText(SettingsFolder() + L"\\TDialix.ini", L"[RecentStyles]\r\nStyle1=" + a + L"\r\nStyle2=" + b + L"\r\n");
  auto program = StartInstance();
  Command(*program, kCmdRecentFirst + 1);  // the second recent item
  ASSERT_TRUE(WaitUntil([] { return Traced(L"command " + std::to_wstring(kCmdRecentFirst + 1)); }));
  CloseInstance(*program);
  EXPECT_EQ(RecentStylesSaved(), (std::vector<std::wstring>{b, a}));
}

TEST_F(MenuTest, ExitEndsTheProgramAfterSavingSettingsAndStyle) {
  auto program = StartInstance();
  Command(*program, kCmdExit);
  EXPECT_EQ(program->WaitForExit(), DWORD{0});
  EXPECT_TRUE(Traced(L"settings-saved"));
  EXPECT_NE(::GetFileAttributesW((SettingsFolder() + L"\\Default.dlx").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesW((SettingsFolder() + L"\\TDialix.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tdialix
