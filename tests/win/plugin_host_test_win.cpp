// The plug-in host with the sample plug-in loaded into this test program,
// which exports VisibleClock and ShowPluginNotify as TDialix.exe does. The
// sample writes every call it gets, with its block, to a log; the tests read
// that log back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/failure.h"
#include "base/text.h"
#include "plugin/plugin_calls.h"
#include "plugin/plugin_exports_win.h"
#include "plugin/plugin_host_win.h"
#include "../support/host_program_win.h"

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)

namespace tdialix {
namespace {

const wchar_t* const kSampleDll = TDIALIX_WIDEN(TDIALIX_SAMPLE_DLL);
const wchar_t* const kOtherBitnessDll = TDIALIX_WIDEN(TDIALIX_OTHER_SAMPLE_DLL);
const wchar_t* const kHookDll = TDIALIX_WIDEN(TDIALIX_HOOK_DLL);
constexpr wchar_t kWindowClass[] = L"TDialixPluginTestMaster";

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + L"tdialix-plugin-host-test\\";
}

std::vector<std::wstring> ReadLines(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::vector<std::wstring> lines;
  std::wstringstream text(Utf8ToWide(bytes.str()));
  for (std::wstring line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

std::string Printed(const std::vector<std::wstring>& lines) {
  std::string text;
  for (const std::wstring& line : lines) text += WideToUtf8(line) + "\n";
  return text;
}

// The master window of these tests: it runs exports sent from other threads.
LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PluginExportMessage()) return HandlePluginExportMessage(wParam, lParam);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

// Records what the exports bring and answers with fixed results.
class TRecordingTarget : public TPluginExportTarget {
 public:
  std::int32_t PluginVisibleClock(bool visible) override {
    Visible.push_back(visible);
    Threads.push_back(::GetCurrentThreadId());
    return 7;
  }
  std::int32_t PluginShowNotify(const TPluginNotifyBlock& notify) override {
    Notified.push_back(std::wstring(notify.Title) + L"|" + notify.Text + L"|" + notify.AdditionalMessage + L"|" +
                       std::to_wstring(notify.Flags) + (notify.Icon ? L"|icon" : L"|none"));
    return -1;
  }
  void PluginExportFailed(const std::wstring&) override {}

  std::vector<bool> Visible;
  std::vector<DWORD> Threads;
  std::vector<std::wstring> Notified;
};

class PluginHostTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::SetEnvironmentVariableW(L"TDIALIX_TRACE", TracePath().c_str());
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TestWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExW(&windowClass);
  }

  void SetUp() override {
    ::CreateDirectoryW(Folder().c_str(), nullptr);
    for (const wchar_t* stem : {L"a", L"b"}) {
      // A copy that an earlier test's faulted plug-in keeps loaded stays as it is.
      const std::wstring copy = Folder() + stem + L".dll";
      ASSERT_TRUE(::CopyFileW(kSampleDll, copy.c_str(), FALSE) ||
                  ::GetFileAttributesW(copy.c_str()) != INVALID_FILE_ATTRIBUTES)
          << "the sample plug-in is built";
    }
    ::DeleteFileW(LogPath().c_str());
    ::DeleteFileW(TracePath().c_str());
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_LOG", LogPath().c_str());
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_CONTROL", Folder().c_str());
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_NOTIFY", nullptr);
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", nullptr);
    Window = ::CreateWindowExW(0, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(Window);
    Host.ProgramFolder = Folder();
    Host.OnFault = [this](const TPluginFault& fault) { Faults.push_back(fault); };
  }

  void TearDown() override {
    Host.Unload();
    SetPluginExportTarget(nullptr, nullptr);
    ::DestroyWindow(Window);
  }

  static const std::wstring& Folder() {
    static const std::wstring folder = TempFolder();
    return folder;
  }
  static std::wstring LogPath() { return Folder() + L"calls.log"; }
  static const std::wstring& TracePath() {
    static const std::wstring path = TempFolder() + L"trace.txt";
    return path;
  }
  static std::vector<std::wstring> Log() { return ReadLines(LogPath()); }
  static std::vector<std::wstring> TraceLines() { return ReadLines(TracePath()); }
  // The log lines written since the last call.
  std::vector<std::wstring> NewLines() {
    std::vector<std::wstring> lines = Log();
    std::vector<std::wstring> fresh(lines.begin() + static_cast<std::ptrdiff_t>(std::min(Seen, lines.size())), lines.end());
    Seen = lines.size();
    return fresh;
  }
  static void Control(const wchar_t* stem, const std::string& lines) {
    std::ofstream out((Folder() + stem + L".txt").c_str(), std::ios::binary);
    out << lines;
  }
  static TPluginTickBlock Tick() {
    TPluginTickBlock block{};
    block.Time.wYear = 2024;
    block.Time.wMonth = 2;
    block.Time.wDay = 29;
    block.Time.wHour = 23;
    block.Time.wMinute = 59;
    block.Time.wSecond = 58;
    block.DayType = PLUGIN_DAY_HOLIDAY;
    block.Initialize = -1;
    return block;
  }

  HWND Window = nullptr;
  TPluginHost Host;
  std::vector<TPluginFault> Faults;
  size_t Seen = 0;
};

TEST_F(PluginHostTest, TheSampleGetsEveryCallWithItsBlockAndGivesItsMenus) {
  Host.Load({Folder() + L"a.dll"});
  ASSERT_EQ(Host.LoadedFiles(), std::vector<std::wstring>{Folder() + L"a.dll"});
  Host.Initialize(Window, L"C:\\設定\\TDialix.ini");
  EXPECT_EQ(NewLines(), (std::vector<std::wstring>{L"a INIT TDialixPluginTestMaster", L"a GETMENU 0 empty",
                                                   L"a GETMENU 1 empty", L"a GETMENU 2 empty",
                                                   L"a SETTINGSLOADED C:\\設定\\TDialix.ini"}));

  // The menus, with the plug-in's file on every item.
  const std::vector<TPluginMenuItem>& main = Host.MenuItems(PLUGIN_MENU_MAIN);
  ASSERT_EQ(main.size(), 3u);
  EXPECT_EQ(main[0].Caption, L"a のコマンド(&A)");
  EXPECT_EQ(main[0].Id, 1u);
  EXPECT_TRUE(main[1].Separator);
  EXPECT_EQ(main[2].Caption, L"a のサブメニュー");
  ASSERT_EQ(main[2].Items.size(), 1u);
  EXPECT_EQ(main[2].Items[0].Caption, L"a の項目");
  EXPECT_EQ(main[2].Items[0].Id, 2u);
  EXPECT_EQ(main[2].Items[0].PluginFile, Folder() + L"a.dll");
  ASSERT_EQ(Host.MenuItems(PLUGIN_MENU_STYLE).size(), 1u);
  EXPECT_EQ(Host.MenuItems(PLUGIN_MENU_STYLE)[0].Caption, L"a のスタイル");
  ASSERT_EQ(Host.MenuItems(PLUGIN_MENU_TOOL).size(), 1u);
  EXPECT_EQ(Host.MenuItems(PLUGIN_MENU_TOOL)[0].Id, 4u);

  const TPluginKeyBlock key{VK_CONTROL, static_cast<std::int32_t>(0xC01D0001u)};
  const TPluginMouseBlock mouse{WM_LBUTTONDOWN, -5, 70000};
  const TPluginClockBlock shown{1, -1};
  const TPluginTickBlock tick = Tick();
  const TPluginNotifyBlock notify{L"題", L"本文", nullptr, PLUGIN_NOTIFY_WARNING, nullptr};
  const struct {
    std::int32_t Call;
    const void* Param;
    const wchar_t* Line;
  } calls[] = {
      {PLUGIN_KEY, &key, L"a KEY 17 C01D0001"},
      {PLUGIN_MOUSE, &mouse, L"a MOUSE 513 -5 70000"},
      {PLUGIN_CLOCKCLICK, nullptr, L"a CLOCKCLICK"},
      {PLUGIN_TRAYCLICK, nullptr, L"a TRAYCLICK"},
      {PLUGIN_BALLOONCLICK, nullptr, L"a BALLOONCLICK"},
      {PLUGIN_CLOCKSHOWN, &shown, L"a CLOCKSHOWN 1 -1"},
      {PLUGIN_TICK, &tick, L"a TICK 2024-02-29 23:59:58 1 -1"},
      {PLUGIN_NOTIFY, &notify, L"a NOTIFY 題|本文|(null)|48|none"},
  };
  for (const auto& c : calls) {
    EXPECT_FALSE(Host.Broadcast(c.Call, c.Param)) << "the sample answers 0";
    EXPECT_EQ(NewLines(), std::vector<std::wstring>{c.Line});
  }

  // Paths go in a buffer of 261 units: a longer one is cut, never overrun.
  const std::wstring longPath = L"C:\\" + std::wstring(300, L'長') + L".dlx";
  Host.BroadcastText(PLUGIN_STYLELOADED, longPath);
  Host.BroadcastText(PLUGIN_SETTINGSSAVED, L"C:\\TDialix.ini");
  EXPECT_EQ(NewLines(), (std::vector<std::wstring>{L"a STYLELOADED " + longPath.substr(0, PLUGIN_TEXT_SIZE - 1),
                                                   L"a SETTINGSSAVED C:\\TDialix.ini"}));

  // A chosen item goes to the plug-in it came from, with its own id.
  Host.Command(main[2].Items[0].PluginFile, main[2].Items[0].Id);
  Host.Command(L"C:\\other.dll", 1);
  EXPECT_EQ(NewLines(), std::vector<std::wstring>{L"a COMMAND 2"});

  // From the master window's destruction on, only the tick and the final call go out.
  Host.Terminating = true;
  Host.Broadcast(PLUGIN_KEY, &key);
  Host.Broadcast(PLUGIN_TICK, &tick);
  EXPECT_EQ(NewLines(), std::vector<std::wstring>{L"a TICK 2024-02-29 23:59:58 1 -1"});
  Host.Unload();
  EXPECT_EQ(NewLines(), std::vector<std::wstring>{L"a FINAL"});
  EXPECT_TRUE(Host.Empty());
  EXPECT_TRUE(Host.MenuItems(PLUGIN_MENU_MAIN).empty());
}

TEST_F(PluginHostTest, AnyPluginTakingANotificationOverIsEnoughAndEveryOneIsAsked) {
  ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_NOTIFY", L"a");
  Host.Load({Folder() + L"a.dll", Folder() + L"b.dll"});
  Host.Initialize(Window, L"");
  NewLines();
  const TPluginNotifyBlock notify{L"t", L"x", L"more", 0, nullptr};
  EXPECT_TRUE(Host.Broadcast(PLUGIN_NOTIFY, &notify));
  EXPECT_EQ(NewLines(), (std::vector<std::wstring>{L"a NOTIFY t|x|more|0|none", L"b NOTIFY t|x|more|0|none"}));
}

TEST_F(PluginHostTest, TheSettingsDialogReadsTextsAndOpensSettingsOfALibraryOnItsOwn) {
  const std::optional<TPluginDescription> description = Host.Describe(Folder() + L"a.dll", Window);
  ASSERT_TRUE(description);
  EXPECT_EQ(description->PluginName, L"サンプル プラグイン");
  EXPECT_EQ(description->Author, L"Team Orvane");
  EXPECT_EQ(description->Version, L"1.0.0");
  EXPECT_EQ(description->Description.rfind(L"TDialix のプラグインの書き方", 0), 0u);
  // Each text is asked for with a cleared buffer of 261 units.
  EXPECT_EQ(NewLines(), (std::vector<std::wstring>{L"a GETINFO 0 261 cleared", L"a GETINFO 1 261 cleared",
                                                   L"a GETINFO 2 261 cleared", L"a GETINFO 3 261 cleared"}));
  EXPECT_EQ(Host.Configure(Folder() + L"a.dll", Window), std::optional<bool>(true));
  EXPECT_EQ(NewLines(), std::vector<std::wstring>{L"a CONFIGURE TDialixPluginTestMaster"});
  EXPECT_FALSE(Host.Describe(kHookDll, Window)) << "no PluginProc";
  EXPECT_FALSE(Host.Configure(Folder() + L"missing.dll", Window));
  EXPECT_TRUE(Host.Empty()) << "the dialog's libraries are not the host's";
}

TEST_F(PluginHostTest, LoadingSkipsWhatIsNoPluginOfThisProgramAndLoadsEachLibraryOnce) {
  const std::wstring text = Folder() + L"text.dll";
  std::ofstream(text.c_str()) << "no library";
  // A library beside the test program's current folder is not found by its bare name.
  const std::wstring current = Folder() + L"current\\";
  ::CreateDirectoryW(current.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileW(kSampleDll, (current + L"c.dll").c_str(), FALSE));
  ::SetCurrentDirectoryW(current.c_str());
  const bool otherBitness = ::GetFileAttributesW(kOtherBitnessDll) != INVALID_FILE_ATTRIBUTES;

  Host.Load({Folder() + L"missing.dll", text, kHookDll, kOtherBitnessDll, L"c.dll", L"a.dll", Folder() + L"A.DLL",
             Folder() + L"b.dll", Folder() + L"current\\..\\b.dll"});
  ::SetCurrentDirectoryW(Folder().c_str());
  EXPECT_EQ(Host.LoadedFiles(), (std::vector<std::wstring>{L"a.dll", Folder() + L"b.dll"}));
  const std::vector<std::wstring> trace = TraceLines();
  for (const std::wstring& skipped : {Folder() + L"missing.dll", text, std::wstring(kHookDll), std::wstring(L"c.dll"),
                                      Folder() + L"current\\..\\b.dll"}) {
    EXPECT_NE(std::find(trace.begin(), trace.end(), L"plugin-skipped " + skipped), trace.end())
        << WideToUtf8(skipped) << "\n" << Printed(trace);
  }
  if (otherBitness) {
    EXPECT_NE(std::find(trace.begin(), trace.end(), L"plugin-skipped " + std::wstring(kOtherBitnessDll)), trace.end());
  }
  EXPECT_NE(std::find(trace.begin(), trace.end(), L"plugin-loaded a.dll"), trace.end()) << Printed(trace);

  // Loading happens once per host.
  Host.Load({Folder() + L"b.dll", L"c.dll"});
  EXPECT_EQ(Host.LoadedFiles().size(), 2u);
}

TEST_F(PluginHostTest, ExportsReachTheTargetOnItsWindowsThreadAndAnswerZeroWithoutOne) {
  TRecordingTarget target;
  SetPluginExportTarget(&target, Window);
  Host.Load({Folder() + L"a.dll"});
  Host.Initialize(Window, L"");
  NewLines();
  const TPluginTickBlock tick = Tick();

  Control(L"a", "visible 0\r\nnotify 題|本文|詳しく|64\r\n");
  Host.Broadcast(PLUGIN_TICK, &tick);
  const std::vector<std::wstring> lines = NewLines();
  EXPECT_EQ(std::vector<std::wstring>(lines.begin() + 1, lines.end()),
            (std::vector<std::wstring>{L"a VISIBLE 0 -> 7", L"a SHOWNOTIFY -> -1"}));
  EXPECT_EQ(target.Visible, std::vector<bool>{false});
  EXPECT_EQ(target.Notified, std::vector<std::wstring>{L"題|本文|詳しく|64|icon"});

  // From a thread of the plug-in's own, the export runs on the window's thread.
  Control(L"a", "thread-visible 1\r\n");
  Host.Broadcast(PLUGIN_TICK, &tick);
  bool answered = false;
  for (int i = 0; i < 500 && !answered; ++i) {
    PumpMessages();
    for (const std::wstring& line : Log()) answered = answered || line == L"a THREAD-VISIBLE 1 -> 7";
    ::Sleep(10);
  }
  EXPECT_TRUE(answered) << Printed(Log());
  EXPECT_EQ(target.Visible, (std::vector<bool>{false, true}));
  EXPECT_EQ(target.Threads, (std::vector<DWORD>{::GetCurrentThreadId(), ::GetCurrentThreadId()}));

  // The message is registered: what another program sends with it is no request.
  EXPECT_EQ(::SendMessageW(Window, PluginExportMessage(), 0, 0x1234), 0);
  EXPECT_EQ(target.Visible.size(), 2u);

  // Without a master window.
  SetPluginExportTarget(nullptr, nullptr);
  NewLines();
  Control(L"a", "visible 1\r\nnotify t|x||0\r\n");
  Host.Broadcast(PLUGIN_TICK, &tick);
  const std::vector<std::wstring> alone = NewLines();
  EXPECT_EQ(std::vector<std::wstring>(alone.begin() + 1, alone.end()),
            (std::vector<std::wstring>{L"a VISIBLE 1 -> 0", L"a SHOWNOTIFY -> 0"}));
}

TEST_F(PluginHostTest, AFaultLeavingAPluginIsReportedWithThePluginAndCallAndNothingIsCalledAgain) {
  const struct {
    const wchar_t* Kind;
    std::uint32_t Code;
  } cases[] = {
      {L"access", 0xC0000005u},  // an access violation
      {L"raise", 0xE0534D50u},   // an exception the plug-in raised and did not handle
      {L"abort", kPluginAbortCode},  // abort() in its C runtime
  };
  for (const auto& c : cases) {
    TPluginHost host;
    std::vector<TPluginFault> faults;
    host.ProgramFolder = Folder();
    host.OnFault = [&](const TPluginFault& fault) { faults.push_back(fault); };
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_FAULT", (std::wstring(L"b:100:") + c.Kind).c_str());
    host.Load({Folder() + L"a.dll", Folder() + L"b.dll"});
    host.Initialize(Window, L"");
    NewLines();

    const TPluginTickBlock tick = Tick();
    host.Broadcast(PLUGIN_TICK, &tick);
    ASSERT_EQ(faults.size(), 1u) << WideToUtf8(c.Kind);
    EXPECT_EQ(faults[0].FileName, Folder() + L"b.dll");
    EXPECT_EQ(faults[0].Call, PLUGIN_TICK);
    EXPECT_EQ(faults[0].Fault.Code, c.Code);
    EXPECT_TRUE(host.Failed());

    // After the fault no plug-in hears anything, not even the final call.
    const TPluginKeyBlock key{65, 0};
    host.Broadcast(PLUGIN_KEY, &key);
    host.Unload();
    EXPECT_EQ(NewLines(), (std::vector<std::wstring>{L"a TICK 2024-02-29 23:59:58 1 -1",
                                                     L"b TICK 2024-02-29 23:59:58 1 -1",
                                                     std::wstring(L"b FAULT ") + c.Kind}));
    const std::vector<std::wstring> trace = TraceLines();
    EXPECT_NE(std::find(trace.begin(), trace.end(),
                        L"plugin-fault " + Folder() + L"b.dll PLUGIN_TICK " + L"0x" + HexDigits(c.Code, 8)),
              trace.end())
        << Printed(trace);
  }
}

}  // namespace
}  // namespace tdialix
