// TDialix.exe as a user and other programs meet it: started, started again,
// restarted and closed, watched through its windows and its trace file.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/text.h"
#include "base/text_codec.h"
#include "style/style_file.h"
#include "base/unique_handle_win.h"

namespace tdialix {
namespace {

constexpr UINT kWmDialixClose = 0x8003;

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)
#define TDIALIX_EXE_W TDIALIX_WIDEN(TDIALIX_EXE)

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return condition();
}

struct TopWindow {
  HWND Window;
  std::wstring ClassName;
  DWORD ProcessId;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  reinterpret_cast<std::vector<TopWindow>*>(list)->push_back({window, name, processId});
  return TRUE;
}

std::vector<TopWindow> TopWindows(DWORD processId = 0) {
  std::vector<TopWindow> all;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
  std::vector<TopWindow> windows;
  for (const TopWindow& w : all) {
    if (processId == 0 || w.ProcessId == processId) windows.push_back(w);
  }
  return windows;
}

std::vector<HWND> WindowsOfClass(const std::wstring& className, DWORD processId = 0) {
  std::vector<HWND> windows;
  for (const TopWindow& w : TopWindows(processId)) {
    if (w.ClassName == className) windows.push_back(w.Window);
  }
  return windows;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The first visible message box of a process.
HWND MessageBoxOf(DWORD processId) {
  HWND found = nullptr;
  for (const TopWindow& w : TopWindows(processId)) {
    CollectDialog(w.Window, reinterpret_cast<LPARAM>(&found));
    if (found) break;
  }
  return found;
}

// The text of a message box.
std::wstring MessageBoxText(HWND box) {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}

std::wstring SettingsFolder() {
  wchar_t appData[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  return std::wstring(appData) + L"\\Team Orvane\\TDialix";
}

void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW((folder + L"\\" + data.cFileName).c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(folder.c_str());
}

class Program {
 public:
  explicit Program(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + std::wstring(TDIALIX_EXE_W) + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      Process.Reset(info.hProcess);
      ::CloseHandle(info.hThread);
      Id = info.dwProcessId;
    }
  }
  ~Program() {
    if (Running()) ::TerminateProcess(Process.Get(), 99);
  }
  bool Running() const { return Process && ::WaitForSingleObject(Process.Get(), 0) == WAIT_TIMEOUT; }
  // The exit code, or nothing when the process is still running after the wait.
  std::optional<DWORD> WaitForExit(DWORD milliseconds = 20000) const {
    if (::WaitForSingleObject(Process.Get(), milliseconds) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    ::GetExitCodeProcess(Process.Get(), &code);
    return code;
  }
  HWND Master() const {
    const auto masters = WindowsOfClass(L"TDialixMaster", Id);
    return masters.empty() ? nullptr : masters.front();
  }

  TUniqueKernelHandle Process;
  DWORD Id = 0;
};

class ProgramTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ::SetEnvironmentVariableW(L"TDIALIX_TRACE", TracePath().c_str());
  }
  void SetUp() override { ::DeleteFileW(TracePath().c_str()); }

  static const std::wstring& TracePath() {
    static const std::wstring path = TempPath(L"tdialix-e2e-trace.txt");
    return path;
  }
  static std::vector<std::wstring> TraceLines() {
    std::ifstream in(TracePath().c_str(), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::vector<std::wstring> lines;
    std::wstringstream text(Utf8ToWide(bytes.str()));
    for (std::wstring line; std::getline(text, line);) lines.push_back(line);
    return lines;
  }
  static std::string TraceText() {
    std::string text;
    for (const std::wstring& line : TraceLines()) text += WideToUtf8(line) + "\n";
    return text;
  }
  static bool Traced(const std::wstring& line) {
    for (const std::wstring& l : TraceLines()) {
      if (l == line) return true;
    }
    return false;
  }
  static bool TracedPrefix(const std::wstring& prefix) {
    for (const std::wstring& l : TraceLines()) {
      if (l.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }

  // Starts the running instance and waits until its deferred initialisation ran.
  std::unique_ptr<Program> StartInstance(const std::wstring& arguments = L"") {
    auto program = std::make_unique<Program>(arguments);
    EXPECT_TRUE(WaitUntil([&] { return TracedPrefix(L"initialized "); })) << "the instance did not initialise";
    return program;
  }
  static void CloseInstance(const Program& program) {
    if (const HWND master = program.Master()) ::PostMessageW(master, kWmDialixClose, 0, 0);
    EXPECT_EQ(program.WaitForExit(), DWORD{0});
  }
};

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

TEST_F(ProgramTest, AssociationRequestWithAStaleOwnerUsesTheDesktopAndStartsNoInstance) {
  Program associate(L"/associate:1,00000001");
  EXPECT_EQ(associate.WaitForExit(), DWORD{0});
  EXPECT_TRUE(Traced(L"associate 1 " + std::to_wstring(reinterpret_cast<std::uintptr_t>(::GetDesktopWindow()))));
  EXPECT_TRUE(WindowsOfClass(L"TDialixMaster").empty());
  // The association process never created the instance mutex.
  EXPECT_FALSE(TUniqueKernelHandle(::OpenMutexW(SYNCHRONIZE, FALSE, L"TeamOrvaneTDialix2Mutex")));
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
    EXPECT_EQ(program.WaitForExit(), DWORD{0});
  }
  ::DeleteFileW(path.c_str());
}

TStyle ReadStyleFile(const std::wstring& path, std::vector<TPlacement>* params = nullptr, TIniDocument* document = nullptr) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const TIniDocument doc = TIniDocument::FromBytes(bytes.str());
  TStyle style;
  ReadStyle(doc, style, TFormatSettings{}, [](const std::wstring&) { return true; });
  if (params) ReadPositions(doc, *params, 1);
  if (document) *document = doc;
  return style;
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

// The screen's pixels in a window's rectangle, as 0x00RRGGBB.
std::vector<std::uint32_t> ScreenPixels(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<std::uint32_t> pixels;
  if (w <= 0 || h <= 0) return pixels;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  pixels.assign(static_cast<std::uint32_t*>(bits), static_cast<std::uint32_t*>(bits) + w * h);
  ::SelectObject(memory, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  for (auto& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

int BrightPixels(const std::vector<std::uint32_t>& pixels) {
  int count = 0;
  for (std::uint32_t p : pixels) count += ((p & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && ((p >> 16) & 0xFF) > 200) ? 1 : 0;
  return count;
}

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
    {
      const std::string bytes = EncodeUtf16LeWithBom(
          std::wstring(L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\nShowHour=2\r\n") + extra);
      std::ofstream out((SettingsFolder() + L"\\Default.dlx").c_str(), std::ios::binary);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    auto program = StartInstance();
    HWND clock = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      const auto clocks = WindowsOfClass(L"TDialix", program->Id);
      clock = clocks.empty() ? nullptr : clocks.front();
      return clock && ::IsWindowVisible(clock);
    })) << "the clock was not shown";
    std::vector<std::uint32_t> first;
    ASSERT_TRUE(WaitUntil([&] { return BrightPixels(first = ScreenPixels(clock)) > 100; })) << "no lit digit pixels";
    // The seconds move on.
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(clock) != first; }, 3000)) << "the digits did not change";
    CloseInstance(*program);
  }
  RemoveFolder(SettingsFolder());
}

// Runs a program of the Linux host (Wine starts such files as they are).
bool RunHostProgram(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  ::WaitForSingleObject(info.hProcess, 10000);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

void PumpMessages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
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
    moved = RunHostProgram(L"Z:\\usr\\bin\\xdotool mousemove 200 200") &&
            RunHostProgram(L"Z:\\usr\\bin\\xdotool mousemove 260 230");
    return moved && Traced(L"hookmouse " + std::to_wstring(WM_MOUSEMOVE));
  }, 20000)) << (moved ? "no mouse message reached the master" : "xdotool could not be started");
  ::DestroyWindow(target);
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
