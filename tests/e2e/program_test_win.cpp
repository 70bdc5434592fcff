// TDialix.exe as a user and other programs meet it: started, started again,
// restarted and closed, watched through its windows and its trace file.
#include "program_fixture_win.h"

namespace tdialix {
namespace {

TEST_F(ProgramTest, FirstStartMakesAHiddenMasterAndOneClockPerMonitorWithoutTaskbarButton) {
  auto program = StartInstance();
  const auto masters = WindowsOfClass(L"TDialixMaster", program->Id);
  ASSERT_EQ(masters.size(), 1u);
  EXPECT_FALSE(::IsWindowVisible(masters[0]));
  EXPECT_EQ(::GetWindowLongPtrW(masters[0], GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

  const auto clocks = WindowsOfClass(L"TDialix", program->Id);
  EXPECT_EQ(clocks.size(), static_cast<size_t>(::GetSystemMetrics(SM_CMONITORS)));
  for (HWND clock : clocks) {
    wchar_t caption[256] = {};
    ::GetWindowTextW(clock, caption, 256);
    EXPECT_EQ(std::wstring(caption).rfind(L"TDialix - (1) ", 0), 0u) << WideToUtf8(caption);
    EXPECT_NE(::GetWindowLongPtrW(clock, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(::GetWindow(clock, GW_OWNER), masters[0]);
  }

  // The application's own window stays hidden even when someone shows it.
  const auto application = WindowsOfClass(L"TDialixApplication", program->Id);
  ASSERT_EQ(application.size(), 1u);
  ::ShowWindow(application[0], SW_SHOWNORMAL);
  EXPECT_FALSE(::IsWindowVisible(application[0]));

  // No window of the program could get a taskbar button.
  for (const TopWindow& w : TopWindows(program->Id)) {
    const LONG_PTR exStyle = ::GetWindowLongPtrW(w.Window, GWL_EXSTYLE);
    const bool button = ::IsWindowVisible(w.Window) && ((exStyle & WS_EX_APPWINDOW) ||
                                                        (!(exStyle & WS_EX_TOOLWINDOW) && !::GetWindow(w.Window, GW_OWNER)));
    EXPECT_FALSE(button) << WideToUtf8(w.ClassName);
  }
  CloseInstance(*program);
}

TEST_F(ProgramTest, SecondStartWithoutParametersAsksTheFirstForItsSettings) {
  auto first = StartInstance();
  Program second(L"");
  EXPECT_EQ(second.WaitForExit(), DWORD{0});
  EXPECT_TRUE(WaitUntil([] { return Traced(L"settings 0"); }));
  EXPECT_EQ(WindowsOfClass(L"TDialixMaster").size(), 1u);
  // The settings dialog opened; closing the program closes it too.
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-open TDialixSetting"); })) << TraceText();
  CloseInstance(*first);
}

TEST_F(ProgramTest, SecondStartHandsTheStyleFileOverAndTheAtomIsGone) {
  auto first = StartInstance();
  const std::wstring style = L"C:\\スタイル\\夜空.dlx";
  Program second(L"/noplugin \"" + style + L"\"");
  EXPECT_EQ(second.WaitForExit(), DWORD{0});
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"loadstyle " + style); })) << TraceText();
  EXPECT_EQ(::GlobalFindAtomW(style.c_str()), 0) << "the running instance deletes the atom";
  // The file does not exist, and the running instance says so.
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(first->Id)) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"'" + style + L"'\r\nこのスタイル ファイルが見つかりませんでした。");
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  CloseInstance(*first);
}

TEST_F(ProgramTest, CloseMessageEndsTheProgramWithExitCodeZero) {
  auto program = StartInstance();
  const HWND master = program->Master();
  ASSERT_TRUE(master);
  ASSERT_TRUE(::PostMessageW(master, kWmDialixClose, 0, 0));
  EXPECT_EQ(program->WaitForExit(), DWORD{0});
  EXPECT_TRUE(WindowsOfClass(L"TDialix", program->Id).empty());
}

TEST_F(ProgramTest, RebootWithTheMastersHandleStartsANewInstanceAgainAndAgain) {
  auto first = StartInstance();
  HWND master = first->Master();
  ASSERT_TRUE(master);
  DWORD oldId = first->Id;
  // Twice: the instance a restart started must be restartable as well.
  for (int round = 0; round < 2; ++round) {
    TUniqueKernelHandle old(::OpenProcess(SYNCHRONIZE, FALSE, oldId));
    ::DeleteFileW(TracePath().c_str());
    Program restarter(L"/reboot:" + std::to_wstring(reinterpret_cast<std::uintptr_t>(master)));
    EXPECT_EQ(restarter.WaitForExit(70000), DWORD{0}) << "round " << round;
    EXPECT_EQ(::WaitForSingleObject(old.Get(), 20000), WAIT_OBJECT_0) << "round " << round;
    EXPECT_FALSE(MessageBoxOf(restarter.Id)) << "round " << round;

    // The new instance was started by the restarter, not by us.
    HWND newMaster = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
      const auto masters = WindowsOfClass(L"TDialixMaster");
      newMaster = masters.empty() ? nullptr : masters.front();
      return newMaster != nullptr && TracedPrefix(L"initialized ");
    })) << "round " << round;
    ASSERT_TRUE(newMaster);
    DWORD newId = 0;
    ::GetWindowThreadProcessId(newMaster, &newId);
    EXPECT_NE(newId, oldId);
    master = newMaster;
    oldId = newId;
  }
  TUniqueKernelHandle last(::OpenProcess(SYNCHRONIZE, FALSE, oldId));
  ::PostMessageW(master, kWmDialixClose, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(last.Get(), 20000), WAIT_OBJECT_0);
}

TEST_F(ProgramTest, RebootWithAHandleThatIsNoWindowIsANormalStart) {
  auto first = StartInstance();
  Program second(L"/reboot:1");
  EXPECT_EQ(second.WaitForExit(), DWORD{0});
  // A normal start finds the running instance and hands over (no style: an
  // empty name, which no atom can hold, so nothing is posted).
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(Traced(L"handed-over"));
  CloseInstance(*first);
}

TEST_F(ProgramTest, UnreadableSettingsFileIsReportedAndTheProgramStartsWithDefaults) {
  const std::wstring folder = SettingsFolder();
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\TDialix.ini";
  {
    // Held open without sharing, as another program might do.
    TUniqueKernelHandle locked(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked);
    Program program(L"");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(program.Id)) != nullptr; })) << "no warning shown";
    wchar_t caption[64] = {};
    ::GetWindowTextW(box, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"TDialix");
    EXPECT_TRUE(Traced(L"settings-open-failed"));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([] { return TracedPrefix(L"initialized "); }));
    if (const HWND master = program.Master()) ::PostMessageW(master, kWmDialixClose, 0, 0);
    // Still locked at close: the settings cannot be written, and the user is told where.
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(program.Id)) != nullptr; })) << "no save error shown";
    EXPECT_EQ(MessageBoxText(box).rfind(L"設定ファイルを '" + path + L"' に保存できませんでした。\r\n", 0), 0u)
        << WideToUtf8(MessageBoxText(box));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), DWORD{0});
  }
  ::DeleteFileW(path.c_str());
}


TEST_F(ProgramTest, AFirstRunWritesTheDefaultStyleAtClose) {
  RemoveFolder(SettingsFolder());
  auto program = StartInstance();
  CloseInstance(*program);
  const std::wstring path = SettingsFolder() + L"\\Default.dlx";
  std::ifstream in(path.c_str(), std::ios::binary);
  ASSERT_TRUE(in.good()) << "no Default.dlx";
  char bom[2] = {};
  in.read(bom, 2);
  EXPECT_EQ(std::string(bom, 2), "\xFF\xFE");
  std::vector<TPlacement> params;
  TIniDocument doc;
  EXPECT_EQ(ReadStyleFile(path, &params, &doc), TStyle{});
  EXPECT_EQ(params, std::vector<TPlacement>{TPlacement{}});
  EXPECT_EQ(doc.Read(L"General", L"Version"), L"TeamOrvaneTDialix2");
  EXPECT_EQ(doc.Read(L"Design", L"FontName"), L"MS UI Gothic");
  EXPECT_EQ(doc.Read(L"Position", L"Monitor1"), L"1,3,1");
}

const wchar_t kPreparedStyle[] =
    L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n"
    L"[Design]\r\nFontSize=12.5\r\nFontColor=255\r\nShowHour=2\r\nShowSecond=1\r\nAnimationType=3\r\n"
    L"FontSpacing=5,-3\r\nBackgroundAlign=4\r\n"
    L"[VisibleTimeSlot]\r\nSlot1=0,8:00:00,18:30:00\r\n"
    L"[Position]\r\nMonitor1=40,50,1\r\n"
    L"[Mine]\r\nNote=keep me\r\n";

void PrepareDefaultStyle() {
  RemoveFolder(SettingsFolder());
  ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
  const std::string bytes = EncodeUtf16LeWithBom(kPreparedStyle);
  std::ofstream out((SettingsFolder() + L"\\Default.dlx").c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ExpectPreparedStyle() {
  std::vector<TPlacement> params;
  TIniDocument doc;
  const TStyle style = ReadStyleFile(SettingsFolder() + L"\\Default.dlx", &params, &doc);
  TStyle expected;
  ReadStyle(TIniDocument::Parse(kPreparedStyle), expected, TFormatSettings{}, [](const std::wstring&) { return true; });
  EXPECT_EQ(style, expected);
  EXPECT_EQ(style.FontSize, 12.5);
  EXPECT_EQ(style.VisibleTimeSlotList.size(), 1u);
  EXPECT_EQ(params, std::vector<TPlacement>{(TPlacement{40, 50, true})});
  EXPECT_EQ(doc.Read(L"Mine", L"Note"), L"keep me");
}

TEST_F(ProgramTest, APreparedDefaultStyleSurvivesStartAndClose) {
  PrepareDefaultStyle();
  auto program = StartInstance();
  // The clock stands where the style says: 40 % and 50 % of the monitor.
  const auto clocks = WindowsOfClass(L"TDialix", program->Id);
  ASSERT_EQ(clocks.size(), 1u);
  RECT window{};
  ::GetWindowRect(clocks[0], &window);
  EXPECT_EQ(window.left, ::GetSystemMetrics(SM_CXSCREEN) * 40 / 100);
  EXPECT_EQ(window.top, ::GetSystemMetrics(SM_CYSCREEN) * 50 / 100);
  CloseInstance(*program);
  ExpectPreparedStyle();
}

TEST_F(ProgramTest, AForeignFileIsRefusedAndTheStyleStays) {
  PrepareDefaultStyle();
  auto first = StartInstance();
  const std::wstring foreign = TempPath(L"foreign.dlx");
  {
    std::ofstream out(foreign.c_str(), std::ios::binary);
    out << "[General]\r\nVersion=SomethingElse\r\n[Design]\r\nFontSize=40\r\n";
  }
  Program second(L"\"" + foreign + L"\"");
  EXPECT_EQ(second.WaitForExit(), DWORD{0});
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(first->Id)) != nullptr; }));
  EXPECT_EQ(MessageBoxText(box), L"'" + foreign + L"'\r\nこれはスタイル ファイルではないか、以前のバージョンのスタイル ファイルです。");
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  CloseInstance(*first);
  ExpectPreparedStyle();
  ::DeleteFileW(foreign.c_str());
}

// A style handed over as most editors save it today: UTF-8 without a byte
// order mark. Its Japanese font name and picture path reach the default style
// file unharmed.
TEST_F(ProgramTest, AUtf8StyleWithoutAMarkKeepsItsJapaneseThroughHandOverAndClose) {
  RemoveFolder(SettingsFolder());
  const std::wstring style = TempPath(L"utf8-no-mark.dlx");
  {
    const std::string bytes = WideToUtf8(
        L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontName=ＭＳ ゴシック\r\n"
        L"BackGround=C:\\写真\\空.bmp\r\n");
    std::ofstream out(style.c_str(), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  auto first = StartInstance();
  Program second(L"\"" + style + L"\"");
  EXPECT_EQ(second.WaitForExit(), DWORD{0});
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"loadstyle " + style); })) << TraceText();
  CloseInstance(*first);
  TIniDocument saved;
  ReadStyleFile(SettingsFolder() + L"\\Default.dlx", nullptr, &saved);
  EXPECT_EQ(saved.Read(L"Design", L"FontName"), L"ＭＳ ゴシック");
  EXPECT_EQ(saved.Read(L"Design", L"BackGround"), L"C:\\写真\\空.bmp");
  ::DeleteFileW(style.c_str());
  RemoveFolder(SettingsFolder());
}

// A style whose records hide the clock on the only monitor there is (a laptop
// undocked after its own screen's clock was switched off) still shows a clock
// there: otherwise nothing would lead back to it.
TEST_F(ProgramTest, AStyleThatHidesTheOnlyMonitorsClockStillShowsIt) {
  RemoveFolder(SettingsFolder());
  ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
  WriteText(SettingsFolder() + L"\\Default.dlx",
            L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Position]\r\nMonitor1=30,40,0\r\nMonitor2=60,10,1\r\n");
  auto program = StartInstance();
  EXPECT_TRUE(ShownClock(program->Id)) << "no clock on any monitor";
  CloseInstance(*program);
  std::vector<TPlacement> placements;
  ReadStyleFile(SettingsFolder() + L"\\Default.dlx", &placements);
  ASSERT_FALSE(placements.empty());
  EXPECT_EQ(placements[0], (TPlacement{30, 40, true}));
  RemoveFolder(SettingsFolder());
}

// The screen's pixels in a window's rectangle, as 0x00RRGGBB.


// The default style with seconds, and then each digit animation in turn
// (with a flashing colon and the fade between visible and hidden).
TEST_F(ProgramTest, TheClockShowsTheRunningTime) {
  const wchar_t* styles[] = {
      L"",
      L"AnimationType=1\r\n",
      L"AnimationType=2\r\nAnimationInertia=1\r\n",
      L"AnimationType=3\r\nFlashColonType=2\r\n",
      L"AnimationType=4\r\nFlashColonType=1\r\nFlashColonSmooth=1\r\n",
      L"AnimationType=5\r\nFadeSwitching=1\r\n",
      L"AnimationType=6\r\nAnimationSpeed=95\r\n",
      L"AnimationType=7\r\nFlashColonType=3\r\nFlashColonToggle=1\r\n",
  };
  for (const wchar_t* extra : styles) {
    SCOPED_TRACE(testing::Message() << "style: " << WideToUtf8(extra));
    RemoveFolder(SettingsFolder());
    ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
    WriteText(SettingsFolder() + L"\\Default.dlx",
              std::wstring(L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\nShowHour=2\r\n") + extra);
    auto program = StartInstance();
    const HWND clock = ShownClock(program->Id);
    ASSERT_TRUE(clock) << "the clock was not shown";
    std::vector<std::uint32_t> first;
    ASSERT_TRUE(WaitUntil([&] { return BrightPixels(first = ScreenPixels(clock)) > 100; })) << "no lit digit pixels";
    // The seconds move on.
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(clock) != first; }, 3000)) << "the digits did not change";
    CloseInstance(*program);
  }
  RemoveFolder(SettingsFolder());
}



// The default style with seconds sleeps between its seconds: by the trace's
// ticks (each with the display string it drew), about one tick a second where
// a tick every 32 ms would give thirty, and still every second on the clock.
TEST_F(ProgramTest, TheClockWakesAboutOnceASecondAndItsDigitsStillChangeEverySecond) {
  RemoveFolder(SettingsFolder());
  ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
  WriteText(SettingsFolder() + L"\\Default.dlx",
            L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\nShowHour=2\r\n");
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id)) << "the clock was not shown";
  std::vector<std::wstring> shown;  // the display string of every tick, in order
  const auto ticks = [&] {
    shown.clear();
    for (const std::wstring& line : TraceLines()) {
      if (line.rfind(L"tick ", 0) == 0) shown.push_back(line.substr(5));
    }
    std::vector<std::wstring> seconds;
    for (const std::wstring& text : shown) {
      if (seconds.empty() || seconds.back() != text) seconds.push_back(text);
    }
    return seconds;
  };
  std::vector<std::wstring> seconds;
  ASSERT_TRUE(WaitUntil([&] { return (seconds = ticks()).size() >= 8; }, 30000)) << TraceText();
  CloseInstance(*program);
  // The first and the last second may be cut: the ones between count.
  EXPECT_LE(shown.size(), 2 * seconds.size() + 2) << TraceText();
  // "hh:mm:ss": each string one second after the one before.
  const auto secondOf = [](const std::wstring& text) {
    return std::stoi(text.substr(0, 2)) * 3600 + std::stoi(text.substr(3, 2)) * 60 + std::stoi(text.substr(6, 2));
  };
  int steps = 0;
  for (size_t i = 1; i < seconds.size(); ++i) {
    const int step = (secondOf(seconds[i]) - secondOf(seconds[i - 1]) + 86400) % 86400;
    EXPECT_GE(step, 1);
    steps += step == 1 ? 1 : 0;
  }
  // A loaded machine may hold a tick back past one second, rarely.
  EXPECT_GE(steps, static_cast<int>(seconds.size()) - 2) << TraceText();
  RemoveFolder(SettingsFolder());
}

TEST_F(ProgramTest, HookLibraryReportsThePointerMovingOverAWindow) {
  auto program = StartInstance();
  // A window for the pointer to move over: the desktop's input reaches the
  // hooks only over windows of the Wine session.
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &::DefWindowProcW;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TDialixE2ETarget";
  ::RegisterClassW(&windowClass);
  const HWND target = ::CreateWindowExW(WS_EX_TOPMOST, L"TDialixE2ETarget", L"target", WS_POPUP | WS_VISIBLE, 100,
                                        100, 400, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(target);
  PumpMessages();
  bool moved = false;
  EXPECT_TRUE(WaitUntil([&] {
    PumpMessages();
    moved = Xdotool(L"mousemove 200 200") &&
            Xdotool(L"mousemove 260 230");
    return moved && Traced(L"hookmouse " + std::to_wstring(WM_MOUSEMOVE));
  }, 20000)) << (moved ? "no mouse message reached the master" : "xdotool could not be started");
  ::DestroyWindow(target);
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
