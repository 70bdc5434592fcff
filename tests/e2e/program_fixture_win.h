// What the whole-program tests share: starting TDialix.exe under Wine, its
// windows, its trace file, its settings folder, the screen and the host's
// programs (xdotool).
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
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
#include "../support/host_program_win.h"

namespace tdialix {

inline constexpr UINT kWmDialixClose = 0x8003;

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)
#define TDIALIX_EXE_W TDIALIX_WIDEN(TDIALIX_EXE)

inline std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000) {
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

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  reinterpret_cast<std::vector<TopWindow>*>(list)->push_back({window, name, processId});
  return TRUE;
}

inline std::vector<TopWindow> TopWindows(DWORD processId = 0) {
  std::vector<TopWindow> all;
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&all));
  std::vector<TopWindow> windows;
  for (const TopWindow& w : all) {
    if (processId == 0 || w.ProcessId == processId) windows.push_back(w);
  }
  return windows;
}

inline std::vector<HWND> WindowsOfClass(const std::wstring& className, DWORD processId = 0) {
  std::vector<HWND> windows;
  for (const TopWindow& w : TopWindows(processId)) {
    if (w.ClassName == className) windows.push_back(w.Window);
  }
  return windows;
}

// How many windows of the class the process shows.
inline size_t VisibleWindowCount(const std::wstring& className, DWORD processId) {
  const std::vector<HWND> windows = WindowsOfClass(className, processId);
  return static_cast<size_t>(std::count_if(windows.begin(), windows.end(), [](HWND w) { return ::IsWindowVisible(w); }));
}

// Waits until the window is gone.
inline void ExpectWindowGoes(HWND window) {
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(window); }));
}

inline BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  if (std::wstring_view(name) == L"#32770" && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The first visible message box of a process.
inline HWND MessageBoxOf(DWORD processId) {
  HWND found = nullptr;
  for (const TopWindow& w : TopWindows(processId)) {
    CollectDialog(w.Window, reinterpret_cast<LPARAM>(&found));
    if (found) break;
  }
  return found;
}

// The text of a message box.
inline std::wstring MessageBoxText(HWND box) {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}

inline std::wstring SettingsFolder() {
  wchar_t appData[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData);
  return std::wstring(appData) + L"\\Team Orvane\\TDialix";
}

inline void RemoveFolder(const std::wstring& folder) {
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
  explicit Program(const std::wstring& arguments) : Program(TDIALIX_EXE_W, arguments) {}
  // A copy of the program under another name.
  Program(const std::wstring& programFile, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + programFile + L"\" " + arguments;
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
  static int TracedCount(const std::wstring& line) {
    const std::vector<std::wstring> lines = TraceLines();
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
  }
  static bool TracedPrefix(const std::wstring& prefix) {
    for (const std::wstring& l : TraceLines()) {
      if (l.rfind(prefix, 0) == 0) return true;
    }
    return false;
  }

  // Starts the running instance and waits until its deferred initialisation ran.
  std::unique_ptr<Program> StartInstance(const std::wstring& arguments = L"") {
    return StartInstanceOf(TDIALIX_EXE_W, arguments);
  }
  std::unique_ptr<Program> StartInstanceOf(const std::wstring& programFile, const std::wstring& arguments = L"") {
    auto program = std::make_unique<Program>(programFile, arguments);
    EXPECT_TRUE(WaitUntil([&] { return TracedPrefix(L"initialized "); })) << "the instance did not initialise";
    return program;
  }
  static void CloseInstance(const Program& program) {
    if (const HWND master = program.Master()) ::PostMessageW(master, kWmDialixClose, 0, 0);
    EXPECT_EQ(program.WaitForExit(), DWORD{0});
  }
};

inline TStyle ReadStyleFile(const std::wstring& path, std::vector<TPlacement>* params = nullptr, TIniDocument* document = nullptr) {
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

inline std::vector<std::uint32_t> ScreenPixels(HWND window) {
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

inline int BrightPixels(const std::vector<std::uint32_t>& pixels) {
  int count = 0;
  for (std::uint32_t p : pixels) count += ((p & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && ((p >> 16) & 0xFF) > 200) ? 1 : 0;
  return count;
}

// The file's bytes as they are (empty when it cannot be read).
inline std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Writes text as the program writes its files (UTF-16 with a byte order
// mark), creating the folder.
inline void WriteText(const std::wstring& path, const std::wstring& text) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash != std::wstring::npos) ::SHCreateDirectoryExW(nullptr, path.substr(0, slash).c_str(), nullptr);
  const std::string bytes = EncodeUtf16LeWithBom(text);
  std::ofstream out(path.c_str(), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The program's first clock window once it shows (nullptr when it does not).
inline HWND ShownClock(DWORD processId) {
  HWND clock = nullptr;
  WaitUntil([&] {
    const auto clocks = WindowsOfClass(L"TDialix", processId);
    clock = clocks.empty() ? nullptr : clocks.front();
    return clock && ::IsWindowVisible(clock);
  });
  return clock && ::IsWindowVisible(clock) ? clock : nullptr;
}

}  // namespace tdialix
