// Plug-ins in the running program: two copies of the sample plug-in ("a" and
// "b") are listed in the settings; each writes the calls it gets to one log.
#include "program_fixture_win.h"

#include <algorithm>

#include "app/settings_file.h"
#include "base/path.h"
#include "plugin/plugin_abi.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

const wchar_t* const kSampleDll = TDIALIX_WIDEN(TDIALIX_SAMPLE_DLL);

class PluginTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
    RemoveFolder(PluginFolder());
    ::SHCreateDirectoryExW(nullptr, PluginFolder().c_str(), nullptr);
    for (const wchar_t* stem : {L"a", L"b"}) {
      ASSERT_TRUE(::CopyFileW(kSampleDll, Plugin(stem).c_str(), FALSE)) << "the sample plug-in is built";
    }
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_LOG", LogPath().c_str());
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_CONTROL", PluginFolder().c_str());
    WriteText(SettingsFolder() + L"\\TDialix.ini",
              L"[Plugins]\r\nPlugin1=" + Plugin(L"a") + L"\r\nPlugin2=" + Plugin(L"b") + L"\r\n");
  }
  void TearDown() override {
    RemoveFolder(ProgramPluginFolder());
    for (const wchar_t* name : {L"TDIALIX_SAMPLE_LOG", L"TDIALIX_SAMPLE_CONTROL", L"TDIALIX_SAMPLE_NOTIFY",
                                L"TDIALIX_SAMPLE_FAULT"}) {
      ::SetEnvironmentVariableW(name, nullptr);
    }
    RemoveFolder(SettingsFolder());
    RemoveFolder(PluginFolder());
  }

  static std::wstring PluginFolder() { return TempPath(L"tdialix-e2e-plugins"); }
  // The "Plugins" folder beside the program, as the program names it.
  static std::wstring ProgramPluginFolder() {
    std::wstring folder = FolderOf(TDIALIX_EXE_W) + L"Plugins";
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    return folder;
  }
  static std::wstring Plugin(const wchar_t* stem) { return PluginFolder() + L"\\" + stem + L".dll"; }
  static std::wstring LogPath() { return PluginFolder() + L"\\calls.log"; }
  static std::wstring SettingsPath() { return SettingsFolder() + L"\\TDialix.ini"; }
  static std::wstring MarkPath() { return SettingsFolder() + L"\\TDialix.pluginfault"; }

  static std::vector<std::wstring> Log() {
    std::vector<std::wstring> lines;
    std::wstringstream text(Utf8ToWide(ReadBytes(LogPath())));
    for (std::wstring line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }
  static std::string LogText() {
    std::string text;
    for (const std::wstring& line : Log()) text += WideToUtf8(line) + "\n";
    return text;
  }
  static bool Logged(const std::wstring& line) {
    const std::vector<std::wstring> lines = Log();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }
  static size_t CountPrefix(const std::wstring& prefix) {
    const std::vector<std::wstring> lines = Log();
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::wstring& line) {
      return line.rfind(prefix, 0) == 0;
    }));
  }
  // Tells one copy to do something in its next tick (see the sample's README).
  static void Control(const wchar_t* stem, const std::string& actions) {
    std::ofstream out((PluginFolder() + L"\\" + stem + L".txt").c_str(), std::ios::binary);
    out << actions;
  }
  static std::vector<std::wstring> SavedPlugins() {
    const TIniDocument document = TIniDocument::FromBytes(ReadBytes(SettingsPath()));
    TSettings settings;
    LoadSettings(&document, settings, TSettingsEnvironment{});
    return settings.PluginList;
  }
  // The first message box of the process, once it shows.
  static HWND WaitForBox(const Program& program) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = MessageBoxOf(program.Id)) != nullptr; }, 20000);
    return box;
  }
  static void PressKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
  }
};

// Every call from start to exit, leaving out the ones that repeat while the
// clock runs (ticks, input, clocks shown), which are looked at on their own.
TEST_F(PluginTest, TheCallsFromStartToExitComeInTheirOrder) {
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"b TICK ") >= 3; })) << LogText();
  CloseInstance(*program);

  const std::wstring defaultStyle = SettingsFolder() + L"\\Default.dlx";
  std::vector<std::wstring> calls;
  std::vector<std::wstring> ticks;
  for (const std::wstring& line : Log()) {
    const std::wstring what = line.substr(2);
    if (what.rfind(L"TICK ", 0) == 0) {
      ticks.push_back(line);
      // The initialising tick of the style load counts; the running ones not.
      if (line.size() > 3 && line.compare(line.size() - 3, 3, L" -1") == 0) calls.push_back(line.substr(0, 7) + L"-1");
      continue;
    }
    if (what.rfind(L"MOUSE ", 0) == 0 || what.rfind(L"KEY ", 0) == 0 || what.rfind(L"CLOCKSHOWN ", 0) == 0) continue;
    calls.push_back(line);
  }
  EXPECT_EQ(calls, (std::vector<std::wstring>{
                       L"a INIT TDialixMaster", L"a GETMENU 0 empty", L"a GETMENU 1 empty", L"a GETMENU 2 empty",
                       L"b INIT TDialixMaster", L"b GETMENU 0 empty", L"b GETMENU 1 empty", L"b GETMENU 2 empty",
                       L"a SETTINGSLOADED " + SettingsPath(), L"b SETTINGSLOADED " + SettingsPath(),
                       L"a TICK -1", L"b TICK -1",
                       L"a STYLELOADED " + defaultStyle, L"b STYLELOADED " + defaultStyle,
                       L"a STYLESAVED " + defaultStyle, L"b STYLESAVED " + defaultStyle,
                       L"a SETTINGSSAVED " + SettingsPath(), L"b SETTINGSSAVED " + SettingsPath(),
                       L"a FINAL", L"b FINAL"}))
      << LogText();

  // Ticks go to a, then b, once a second, with today's date, a day type and
  // the Initialize flag.
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t date[16] = {};
  ::swprintf(date, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
  ASSERT_GE(ticks.size(), 6u);
  for (size_t i = 0; i + 1 < ticks.size(); i += 2) {
    EXPECT_EQ(ticks[i].substr(0, 7), L"a TICK ");
    EXPECT_EQ(ticks[i].substr(1), ticks[i + 1].substr(1)) << "both get the same block";
  }
  EXPECT_NE(ticks.back().find(date), std::wstring::npos) << WideToUtf8(ticks.back());
  // The clock showed once on the first monitor.
  EXPECT_TRUE(Logged(L"a CLOCKSHOWN 0 -1")) << LogText();
  EXPECT_TRUE(Traced(L"plugin-loaded " + Plugin(L"a")));
  EXPECT_TRUE(Traced(L"plugin-loaded " + Plugin(L"b")));
}

TEST_F(PluginTest, AnItemChosenInThePopupMenuReachesItsPlugin) {
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  // A right click on a lit pixel: the clock takes the pointer only where it is drawn.
  RECT r{};
  ::GetWindowRect(clock, &r);
  std::vector<std::uint32_t> pixels;
  ASSERT_TRUE(WaitUntil([&] { return BrightPixels(pixels = ScreenPixels(clock)) > 100; })) << "no lit digit pixels";
  const int width = r.right - r.left;
  const auto lit = std::find_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return BrightPixels({p}) == 1; });
  const int index = static_cast<int>(lit - pixels.begin());
  const std::wstring at = std::to_wstring(r.left + index % width) + L" " + std::to_wstring(r.top + index / width);
  ASSERT_TRUE(WaitUntil([&] {
    Xdotool(L"mousemove " + at + L" click 3");
    return TracedPrefix(L"popupmenu ");
  })) << "no popup menu";
  // "b のコマンド(&B)": the access key of the later plug-in's item.
  EXPECT_TRUE(WaitUntil([&] {
    PressKey('B');
    ::Sleep(200);
    return Logged(L"b COMMAND 1");
  }, 10000)) << LogText() << TraceText();
  EXPECT_FALSE(Logged(L"a COMMAND 1"));
  CloseInstance(*program);
}

TEST_F(PluginTest, VisibleClockKeepsTheClocksHiddenUntilItAllowsThemAgain) {
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  Control(L"a", "visible 0\n");
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a VISIBLE 0 -> ") == 1; })) << LogText();
  EXPECT_FALSE(Logged(L"a VISIBLE 0 -> 0")) << "the hide's result: the clock was visible";
  EXPECT_FALSE(::IsWindowVisible(clock));
  // The ticks that follow keep it hidden.
  const size_t ticks = CountPrefix(L"a TICK ");
  ASSERT_TRUE(WaitUntil([&] { return CountPrefix(L"a TICK ") >= ticks + 2; })) << LogText();
  EXPECT_FALSE(::IsWindowVisible(clock));

  Control(L"a", "visible 1\n");
  ASSERT_TRUE(WaitUntil([] { return Logged(L"a VISIBLE 1 -> 0"); })) << LogText();
  EXPECT_TRUE(::IsWindowVisible(clock));

  // Called on a thread of the plug-in's own, it works on the program's thread all the same.
  Control(L"b", "thread-visible 0\n");
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"b THREAD-VISIBLE 0 -> ") == 1; })) << LogText();
  EXPECT_FALSE(::IsWindowVisible(clock));
  Control(L"b", "thread-visible 1\n");
  ASSERT_TRUE(WaitUntil([] { return Logged(L"b THREAD-VISIBLE 1 -> 0"); })) << LogText();
  EXPECT_TRUE(::IsWindowVisible(clock));
  CloseInstance(*program);
}

// Which clocks VisibleClock shows follows the monitors' marks (tested natively
// with several monitors). With one monitor its clock is always marked shown:
// a style that hides it is overruled at load, and VisibleClock brings it back.
TEST_F(PluginTest, VisibleClockShowsTheOnlyMonitorsClockEvenWhenItsStyleHidItThere) {
  WriteText(SettingsFolder() + L"\\Default.dlx",
            L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Position]\r\nMonitor1=1.00,3.00,0\r\n");
  auto program = StartInstance();
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a TICK ") >= 2; })) << LogText();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock) << "one clock always shows";
  Control(L"a", "visible 0\n");
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a VISIBLE 0 -> ") == 1; })) << LogText();
  EXPECT_FALSE(::IsWindowVisible(clock));
  Control(L"a", "visible 1\n");
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a VISIBLE 1 -> ") == 1; })) << LogText();
  EXPECT_TRUE(::IsWindowVisible(clock));
  CloseInstance(*program);
}

TEST_F(PluginTest, ShowPluginNotifyShowsNothingWhenAPluginTakesItOver) {
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_NOTIFY", L"b");
  auto program = StartInstance();
  Control(L"a", "notify 題|本文||64\n");
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a SHOWNOTIFY -> ") == 1; })) << LogText();
  EXPECT_TRUE(Logged(L"a SHOWNOTIFY -> 0")) << LogText();
  EXPECT_TRUE(Logged(L"a NOTIFY 題|本文||64|icon"));
  EXPECT_TRUE(Logged(L"b NOTIFY 題|本文||64|icon"));
  EXPECT_FALSE(TracedPrefix(L"balloon")) << TraceText();
  EXPECT_EQ(CountPrefix(L"a BALLOONCLICK"), 0u);
  CloseInstance(*program);
}

TEST_F(PluginTest, ShowPluginNotifyShowsTheBalloonWhenNoPluginTakesIt) {
  auto program = StartInstance();
  Control(L"a", "notify 題|本文|詳しい説明|16\n");
  // Where the notification area has no toolbar to show a balloon in, its
  // click happens at once: the additional message shows, then the plug-ins hear of it.
  bool boxShown = false;
  ASSERT_TRUE(WaitUntil([&] {
    if (const HWND box = MessageBoxOf(program->Id)) {
      // A task dialog closes with its Close button, the message box it falls back to with OK.
      ::PostMessageW(box, WM_COMMAND, boxShown ? IDOK : IDCLOSE, 0);
      boxShown = true;
      ::Sleep(200);
    }
    return CountPrefix(L"a SHOWNOTIFY -> ") == 1;
  }, 20000)) << LogText() << TraceText();
  EXPECT_TRUE(Logged(L"a SHOWNOTIFY -> -1")) << LogText();
  EXPECT_TRUE(Traced(L"balloon 題")) << TraceText();
  // Clicked or still up: the additional message shows exactly with the click.
  EXPECT_EQ(Traced(L"balloonclick"), boxShown) << TraceText();
  if (boxShown) {
    EXPECT_TRUE(Logged(L"a BALLOONCLICK"));
    EXPECT_TRUE(Logged(L"b BALLOONCLICK"));
  }
  CloseInstance(*program);
}

// A plug-in that takes a notification over may still show it the program's
// way, from within its PLUGIN_NOTIFY: it is shown, and nobody is asked again.
TEST_F(PluginTest, ShowPluginNotifyFromWithinANotificationShowsItWithoutAskingAgain) {
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_PASS_ON", L"b");
  auto program = StartInstance();
  Control(L"a", "notify 題|本文||0\n");
  ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a SHOWNOTIFY -> ") == 1; })) << LogText();
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_PASS_ON", nullptr);
  EXPECT_TRUE(Logged(L"b PASS-ON -> -1")) << LogText();
  EXPECT_TRUE(Logged(L"a SHOWNOTIFY -> 0")) << "b took it over" << LogText();
  EXPECT_EQ(CountPrefix(L"a NOTIFY "), 1u) << LogText();
  EXPECT_EQ(CountPrefix(L"b NOTIFY "), 1u) << LogText();
  EXPECT_TRUE(Traced(L"balloon 題")) << TraceText();
  CloseInstance(*program);
}

TEST_F(PluginTest, APluginFaultingInATickEndsTheProgramNamingItAndTheNextStartAsks) {
  const std::wstring defaultStyle = SettingsFolder() + L"\\Default.dlx";
  WriteText(defaultStyle, L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontSize=33\r\n");
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", L"b:100:access");
  {
    Program program(L"");
    // The failure report names the plug-in, its call and the fault.
    const HWND report = WaitForTopWindow(program.Id, L"TErrorDlg", L"TDialix", 20000);
    ASSERT_TRUE(report) << TraceText();
    const std::wstring details = WindowText(FindControlByClass(report, L"Edit"));
    EXPECT_EQ(details.rfind(L"プラグイン '" + Plugin(L"b") + L"' の PLUGIN_TICK: アクセス違反 (例外コード C0000005、発生場所 b.dll+", 0), 0u)
        << WideToUtf8(details);
    Click(FindControlById(report, IDOK));
    EXPECT_EQ(program.WaitForExit(), DWORD{1});
    EXPECT_TRUE(Logged(L"b FAULT access"));
    EXPECT_FALSE(Logged(L"a FINAL")) << "no plug-in is called after a fault";
    EXPECT_TRUE(Traced(L"plugin-fault " + Plugin(L"b") + L" PLUGIN_TICK 0xC0000005")) << TraceText();
    EXPECT_NE(::GetFileAttributesW(MarkPath().c_str()), INVALID_FILE_ATTRIBUTES);
    // The settings and the style on disk are whole: the user's, or what the end wrote of them.
    EXPECT_EQ(SavedPlugins(), (std::vector<std::wstring>{Plugin(L"a"), Plugin(L"b")}));
    std::vector<TPlacement> params;
    TIniDocument styleDocument;
    EXPECT_EQ(ReadStyleFile(defaultStyle, &params, &styleDocument).FontSize, 33);
    EXPECT_TRUE(HasStyleVersion(styleDocument));
  }
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", nullptr);
  ::DeleteFileW(LogPath().c_str());
  {
    // The next start asks by itself; going without plug-ins keeps their list.
    Program program(L"");
    const HWND box = WaitForBox(program);
    ASSERT_TRUE(box) << TraceText();
    EXPECT_EQ(MessageBoxText(box), L"プラグインを無効にして TDialix を起動しますか?");
    ::PostMessageW(box, WM_COMMAND, IDYES, 0);
    ASSERT_TRUE(WaitUntil([] { return TracedPrefix(L"initialized "); }));
    EXPECT_TRUE(Traced(L"plugins-disabled"));
    EXPECT_EQ(::GetFileAttributesW(MarkPath().c_str()), INVALID_FILE_ATTRIBUTES) << "asked once";
    CloseInstance(program);
    EXPECT_TRUE(Log().empty()) << LogText();
    EXPECT_EQ(SavedPlugins(), (std::vector<std::wstring>{Plugin(L"a"), Plugin(L"b")}));
  }
  ::DeleteFileW(TracePath().c_str());
  {
    // And then no more.
    auto program = StartInstance();
    EXPECT_FALSE(Traced(L"plugins-question"));
    EXPECT_TRUE(Logged(L"b INIT TDialixMaster")) << LogText();
    CloseInstance(*program);
  }
}

// A plug-in that takes the whole process down while it starts, past any
// guard, still makes the next start ask.
TEST_F(PluginTest, APluginEndingTheProcessWhileItStartsMakesTheNextStartAsk) {
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", L"a:1:exit");
  {
    Program program(L"");
    EXPECT_EQ(program.WaitForExit(), DWORD{99});
  }
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", nullptr);
  EXPECT_NE(::GetFileAttributesW(MarkPath().c_str()), INVALID_FILE_ATTRIBUTES);
  Program program(L"");
  const HWND box = WaitForBox(program);
  ASSERT_TRUE(box) << TraceText();
  EXPECT_EQ(MessageBoxText(box), L"プラグインを無効にして TDialix を起動しますか?");
  // No: the plug-ins load again, and once they have started the mark is gone.
  ::PostMessageW(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitUntil([] { return TracedPrefix(L"initialized "); }));
  EXPECT_TRUE(Logged(L"b INIT TDialixMaster")) << LogText();
  EXPECT_EQ(::GetFileAttributesW(MarkPath().c_str()), INVALID_FILE_ATTRIBUTES);
  CloseInstance(program);
}

TEST_F(PluginTest, TheNoPluginSwitchAsksWithNoAsTheDefaultAndKeepsTheList) {
  Program program(L"/NoPlugin");
  const HWND box = WaitForBox(program);
  ASSERT_TRUE(box) << TraceText();
  EXPECT_EQ(MessageBoxText(box), L"プラグインを無効にして TDialix を起動しますか?");
  EXPECT_EQ(::GetWindowLongPtrW(::GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  ::PostMessageW(box, WM_COMMAND, IDYES, 0);
  ASSERT_TRUE(WaitUntil([] { return TracedPrefix(L"initialized "); }));
  CloseInstance(program);
  EXPECT_TRUE(Log().empty()) << LogText();
  EXPECT_EQ(SavedPlugins(), (std::vector<std::wstring>{Plugin(L"a"), Plugin(L"b")}));
}

// Mouse input reaches the plug-ins with the pointer's position, except what
// the hole mode's throttle drops: with a tick of 100 ms or more, everything.
TEST_F(PluginTest, MouseInputReachesThePluginsUnlessTheHoleModeDropsIt) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &::DefWindowProcW;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TDialixE2EPluginTarget";
  ::RegisterClassW(&windowClass);
  // The desktop's input reaches the hooks only over windows of the Wine session.
  const TUniqueWindow target(::CreateWindowExW(WS_EX_TOPMOST, L"TDialixE2EPluginTarget", L"target",
                                               WS_POPUP | WS_VISIBLE, 100, 400, 500, 300, nullptr, nullptr,
                                               ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(target);
  const std::wstring moved = L"a MOUSE " + std::to_wstring(WM_MOUSEMOVE) + L" 321 543";
  {
    auto program = StartInstance();
    EXPECT_TRUE(WaitUntil([&] {
      PumpMessages();
      Xdotool(L"mousemove 300 500");
      Xdotool(L"mousemove 321 543");
      return Logged(moved);
    }, 20000)) << LogText();
    CloseInstance(*program);
  }
  ::DeleteFileW(LogPath().c_str());
  ::DeleteFileW(TracePath().c_str());
  WriteText(SettingsPath(), L"[Operation]\r\nHideType=2\r\n[Advanced]\r\nTimerInterval=100\r\n[Plugins]\r\nPlugin1=" +
                                Plugin(L"a") + L"\r\n");
  {
    auto program = StartInstance();
    // The program runs and hears the pointer (the clicks' hook messages
    // come through the same way), but passes none of it on.
    ASSERT_TRUE(WaitUntil([] { return CountPrefix(L"a TICK ") >= 1; })) << LogText();
    for (int i = 0; i < 5; ++i) {
      PumpMessages();
      Xdotool(L"mousemove 300 500");
      Xdotool(L"mousemove 321 543");
    }
    const size_t ticks = CountPrefix(L"a TICK ");
    ASSERT_TRUE(WaitUntil([&] { return CountPrefix(L"a TICK ") >= ticks + 2; })) << LogText();
    EXPECT_EQ(CountPrefix(L"a MOUSE "), 0u) << LogText();
    CloseInstance(*program);
  }
}

// Without a settings file the program takes the libraries in the "Plugins"
// folder beside it; one that is no plug-in is not loaded but stays listed.
TEST_F(PluginTest, AFirstStartTakesTheLibrariesBesideTheProgram) {
  RemoveFolder(SettingsFolder());
  const std::wstring folder = ProgramPluginFolder();
  ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  const std::wstring sample = folder + L"\\sample.dll";
  const std::wstring hook = folder + L"\\hook.dll";
  ASSERT_TRUE(::CopyFileW(kSampleDll, sample.c_str(), FALSE));
  ASSERT_TRUE(::CopyFileW((FolderOf(folder) + L"TDialix.dll").c_str(), hook.c_str(), FALSE));
  auto program = StartInstance();
  EXPECT_TRUE(Logged(L"sample INIT TDialixMaster")) << LogText();
  CloseInstance(*program);
  std::vector<std::wstring> saved = SavedPlugins();
  std::sort(saved.begin(), saved.end());
  EXPECT_EQ(saved, (std::vector<std::wstring>{hook, sample}));
  EXPECT_TRUE(Traced(L"plugin-skipped " + hook));
}

}  // namespace
}  // namespace tdialix
