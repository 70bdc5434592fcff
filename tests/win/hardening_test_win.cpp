// What the program survives: a kill in the middle of saving, libraries
// planted in the current folder, picture files that lie about themselves and
// files far too large to be settings or styles.
//
// The test program is its own helper: started with "--save-loop <folder>" it
// saves the settings and a style over and over until it is killed; with
// "--load <name>" or "--load-restricted <name>" it loads a library by its bare
// name, as a careless program would, and exits 1 when that library loaded.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/settings_files_win.h"
#include "app/settings_store.h"
#include "base/file_io_win.h"
#include "base/ini_document.h"
#include "base/library_loading_win.h"
#include "base/unique_handle_win.h"
#include "clock/glyph_source_win.h"
#include "style/style_file.h"
#include "../support/temp_folder_win.h"

namespace tdialix {
namespace {

// ---- Helpers

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

// Starts this program with the arguments in the folder; the process handle.
// With eventFor, the helper starts only once the event named for its process
// id exists, and the call returns when the helper has set it.
TUniqueKernelHandle StartHelper(const std::wstring& arguments, const std::wstring& folder,
                                const std::function<std::wstring(DWORD)>& eventFor = nullptr) {
  std::wstring line = L"\"" + OwnPath() + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, eventFor ? CREATE_SUSPENDED : 0, nullptr,
                        folder.c_str(), &startup, &info)) {
    return TUniqueKernelHandle();
  }
  TUniqueKernelHandle process(info.hProcess);
  TUniqueKernelHandle event;
  if (eventFor) event.Reset(::CreateEventW(nullptr, TRUE, FALSE, eventFor(info.dwProcessId).c_str()));
  ::ResumeThread(info.hThread);
  ::CloseHandle(info.hThread);
  if (event) {
    const HANDLE both[] = {event.Get(), process.Get()};
    ::WaitForMultipleObjects(2, both, FALSE, 60000);
  }
  return process;
}

DWORD ExitCodeOf(const TUniqueKernelHandle& process) {
  if (::WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = 0;
  ::GetExitCodeProcess(process.Get(), &code);
  return code;
}

// ---- Saving, killed at random moments

// What one generation of the saved files holds: the generation, a list long
// enough that writing it takes a while, and a last line that says the file
// was written to its end.
constexpr int kListEntries = 3000;

void FillGeneration(TIniDocument& document, long long generation) {
  const std::wstring text = std::to_wstring(generation);
  document.Write(L"Check", L"Generation", text);
  document.EraseSection(L"Padding");
  for (int i = 1; i <= kListEntries; ++i) {
    document.Write(L"Padding", L"Line" + std::to_wstring(i), text + L"," + std::to_wstring(i * 7919 % 10007));
  }
  document.EraseSection(L"End");
  document.Write(L"End", L"Generation", text);
}

// The generation a file holds when it is whole; nothing when it is torn,
// empty or mixed from two generations.
std::optional<long long> WholeGeneration(const std::string& bytes) {
  const TIniDocument document = TIniDocument::FromBytes(bytes);
  const auto first = document.Read(L"Check", L"Generation");
  const auto last = document.Read(L"End", L"Generation");
  if (!first || !last || *first != *last) return std::nullopt;
  const std::vector<std::wstring> lines = document.ReadValues(L"Padding");
  if (lines.size() != kListEntries) return std::nullopt;
  for (int i = 1; i <= kListEntries; ++i) {
    if (lines[i - 1] != *first + L"," + std::to_wstring(i * 7919 % 10007)) return std::nullopt;
  }
  return std::stoll(*first);
}

long long GenerationOnDisk(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  const auto generation = bytes ? WholeGeneration(*bytes) : std::nullopt;
  return generation ? *generation : 0;
}

// The event a save-loop helper sets once it saves.
std::wstring SaveLoopEventName(DWORD helperProcessId) {
  return L"Local\\tdialix-save-loop-" + std::to_wstring(helperProcessId);
}

// The helper: saves the settings as the program does (through the settings
// store and its file layer) and the style as the program does (written into
// its document, then the folder made and the file replaced), one generation
// after the other, until it is killed.
int SaveLoop(const std::wstring& folder) {
  const std::wstring settingsPath = folder + L"\\TDialix.ini";
  const std::wstring stylePath = folder + L"\\Default.dlx";
  TWinSettingsFiles files;
  TSettingsStore store(files, settingsPath);
  store.TestOpen();
  TIniDocument unused;
  store.Read(unused);
  long long generation = std::max(GenerationOnDisk(settingsPath), GenerationOnDisk(stylePath));
  const TStyle style;
  const std::vector<TPlacement> params(1);
  // Told once the loop runs, so that the kill lands among the saves.
  const TUniqueKernelHandle running(::OpenEventW(EVENT_MODIFY_STATE, FALSE, SaveLoopEventName(::GetCurrentProcessId()).c_str()));
  for (;;) {
    ++generation;
    if (running) ::SetEvent(running.Get());
    if (store.Save([&](TIniDocument& document) { FillGeneration(document, generation); }) !=
        TSettingsSave::ssWritten) {
      return 2;
    }
    TIniDocument styleDocument;
    WriteStyle(styleDocument, style, params, TFormatSettings{});
    FillGeneration(styleDocument, generation);
    if (!CreateFolderOf(stylePath) || !ReplaceFileContents(stylePath, styleDocument.ToBytes())) return 3;
  }
}

TEST(CrashSafeSaving, TwoHundredKillsWhileSavingLeaveTheOldFilesOrTheNewNeverATornOne) {
  TempFolder folder(L"tdialix-kill");
  const std::wstring settingsPath = folder.Path + L"TDialix.ini";
  const std::wstring stylePath = folder.Path + L"Default.dlx";
  // A copy kept from an earlier start that could not read the settings: it
  // is never replaced.
  const std::string kept = "[General]\r\nKept=the user's settings\r\n";
  ASSERT_TRUE(ReplaceFileContents(settingsPath + L".bak", kept));

  std::mt19937 random(20261211);
  // A save of both files takes some tens of milliseconds: kills land before,
  // inside and between the writes.
  std::uniform_int_distribution<int> moment(0, 60);
  long long settingsBefore = 0;
  long long styleBefore = 0;
  int torn = 0;
  int leftovers = 0;
  for (int run = 0; run < 200; ++run) {
    // The folder without its last backslash: before the closing quote it
    // would escape the quote.
    const std::wstring folderArgument = folder.Path.substr(0, folder.Path.size() - 1);
    const TUniqueKernelHandle helper = StartHelper(L"--save-loop \"" + folderArgument + L"\"", folder.Path,
                                                   [](DWORD id) { return SaveLoopEventName(id); });
    ASSERT_TRUE(helper);
    // The first run saves whole once before it is killed, so that later runs
    // always find files to keep whole.
    if (run == 0) {
      for (int i = 0; i < 600 && (GenerationOnDisk(settingsPath) == 0 || GenerationOnDisk(stylePath) == 0); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(moment(random)));
    ASSERT_TRUE(::TerminateProcess(helper.Get(), 9));
    ASSERT_EQ(ExitCodeOf(helper), 9u) << "the helper ended by itself in run " << run;

    for (auto [path, before] : {std::pair{settingsPath, &settingsBefore}, std::pair{stylePath, &styleBefore}}) {
      const auto bytes = ReadFileBytes(path);
      ASSERT_TRUE(bytes && !bytes->empty()) << "run " << run;
      const auto generation = WholeGeneration(*bytes);
      if (!generation) ++torn;
      ASSERT_TRUE(generation) << "run " << run << ": a torn file";
      EXPECT_GE(*generation, *before) << "run " << run << ": an older file came back";
      *before = *generation;
    }
    EXPECT_EQ(ReadFileBytes(settingsPath + L".bak"), kept) << "run " << run;
    // A kill in the middle of writing leaves the temporary file behind; the
    // files themselves stay whole.
    leftovers = static_cast<int>(folder.Files(L"tdx*.tmp").size());
  }
  EXPECT_EQ(torn, 0);
  std::printf("200 kills: settings generation %lld, style generation %lld, %d kills during a write\n", settingsBefore,
              styleBefore, leftovers);
}

// ---- Libraries planted in the current folder

// Copies the planted library into the folder under the name; its marker
// file (the library's path with ".loaded") appears when anything loads it.
std::wstring Plant(const TempFolder& folder, const wchar_t* name) {
  const std::wstring path = folder.Path + name;
  EXPECT_TRUE(::CopyFileW(L"" TDIALIX_PLANTED_DLL, path.c_str(), FALSE));
  return path;
}

bool Loaded(const std::wstring& plantedPath) {
  return ::GetFileAttributesW((plantedPath + L".loaded").c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The process works in the folder while this lives, then where it was.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::wstring& folder) {
    ::GetCurrentDirectoryW(MAX_PATH, Previous);
    ::SetCurrentDirectoryW(folder.c_str());
  }
  ~CurrentFolder() { ::SetCurrentDirectoryW(Previous); }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  wchar_t Previous[MAX_PATH] = {};
};

TEST(LibrarySearch, ALibraryInTheCurrentFolderLoadsByNameOnlyWithoutTheRestriction) {
  TempFolder folder(L"tdialix-planted");
  const std::wstring planted = Plant(folder, L"tdxplanted.dll");
  // Without the restriction the planted library is found: the check below means something.
  EXPECT_EQ(ExitCodeOf(StartHelper(L"--load tdxplanted.dll", folder.Path)), 1u);
  ASSERT_TRUE(Loaded(planted));
  ::DeleteFileW((planted + L".loaded").c_str());

  EXPECT_EQ(ExitCodeOf(StartHelper(L"--load-restricted tdxplanted.dll", folder.Path)), 0u);
  EXPECT_FALSE(Loaded(planted));
}

TEST(LibrarySearch, TheProgramsOwnLibrariesLoadByFullPathOnly) {
  TempFolder folder(L"tdialix-fullpath");
  const std::wstring planted = Plant(folder, L"tdxplanted.dll");
  {
    const CurrentFolder inside(folder.Path);
    for (const wchar_t* path : {L"tdxplanted.dll", L".\\tdxplanted.dll", L"\\tdxplanted.dll", L"C:tdxplanted.dll", L""}) {
      ::SetLastError(ERROR_SUCCESS);
      EXPECT_EQ(LoadLibraryByFullPath(path), nullptr) << testing::PrintToString(std::wstring(path));
      EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    EXPECT_FALSE(Loaded(planted));
  }

  const TUniqueModule module(LoadLibraryByFullPath(planted));
  EXPECT_TRUE(module);
  EXPECT_TRUE(Loaded(planted));
}

TEST(LibrarySearch, SystemLibrariesComeFromTheSystemFolder) {
  TempFolder folder(L"tdialix-system");
  const std::wstring planted = Plant(folder, L"dwmapi.dll");
  const TUniqueModule module = [&] {
    const CurrentFolder inside(folder.Path);
    return TUniqueModule(LoadSystemLibrary(L"dwmapi.dll"));
  }();
  EXPECT_TRUE(module);
  EXPECT_FALSE(Loaded(planted));
  wchar_t loadedFrom[MAX_PATH] = {};
  ::GetModuleFileNameW(module.Get(), loadedFrom, MAX_PATH);
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(_wcsnicmp(loadedFrom, system, wcslen(system)), 0) << testing::PrintToString(std::wstring(loadedFrom));
}

// ---- Files that lie

void Put16(std::string& s, std::size_t at, unsigned v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
}
void Put32(std::string& s, std::size_t at, unsigned v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

// A 24-bit picture of 3 × 2 pixels, every pixel the colour (B, G, R).
std::string Picture24(unsigned char b, unsigned char g, unsigned char r) {
  std::string s(54 + 2 * 12, '\0');
  s[0] = 'B';
  s[1] = 'M';
  Put32(s, 2, static_cast<unsigned>(s.size()));
  Put32(s, 10, 54);
  Put32(s, 14, 40);
  Put32(s, 18, 3);
  Put32(s, 22, 2);
  Put16(s, 26, 1);
  Put16(s, 28, 24);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      s[54 + y * 12 + x * 3] = static_cast<char>(b);
      s[54 + y * 12 + x * 3 + 1] = static_cast<char>(g);
      s[54 + y * 12 + x * 3 + 2] = static_cast<char>(r);
    }
  }
  return s;
}

TEST(HostileFiles, PicturesThatLieOrAreCutShortGiveNoPicture) {
  TempFolder folder(L"tdialix-pictures");
  const std::string good = Picture24(10, 20, 200);
  std::string wide = good;
  Put32(wide, 18, 30000);
  std::string tall = good;
  Put32(tall, 22, 0xFFFF0000u);  // rows from the top, 65536 of them
  std::string offset = good;
  Put32(offset, 10, 0x7FFFFFF0u);
  std::string rle = good;  // claims to be run-length coded at 24 bits
  Put32(rle, 30, 1);
  const struct {
    const wchar_t* Name;
    std::string Bytes;
  } cases[] = {
      {L"wide.bmp", wide},   {L"tall.bmp", tall},         {L"offset.bmp", offset},
      {L"rle.bmp", rle},     {L"cut.bmp", good.substr(0, 60)}, {L"text.bmp", "not a picture at all"},
      {L"empty.bmp", ""},
  };
  TGdiPictureSource pictures;
  for (const auto& c : cases) {
    const std::wstring path = folder.Path + c.Name;
    ASSERT_TRUE(ReplaceFileContents(path, c.Bytes));
    EXPECT_FALSE(pictures.LoadPicture(path)) << testing::PrintToString(std::wstring(c.Name));
    EXPECT_EQ(ReadFileBytes(path), c.Bytes) << "the file stays as it was";
  }

  const std::wstring path = folder.Path + L"good.bmp";
  ASSERT_TRUE(ReplaceFileContents(path, good));
  const auto picture = pictures.LoadPicture(path);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width(), 3);
  EXPECT_EQ(picture->Height(), 2);
  EXPECT_EQ(picture->ColorAt(2, 1), MakeRgb(200, 20, 10));
}

TEST(HostileFiles, AFileOfSixtyMegabytesIsNoSettingsOrStyleAndIsNotRead) {
  TempFolder folder(L"tdialix-large");
  const std::wstring path = folder.Path + L"Huge.dlx";
  {
    TUniqueKernelHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    LARGE_INTEGER size{};
    size.QuadPart = 60ll << 20;
    ASSERT_TRUE(::SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file.Get()));
  }
  EXPECT_FALSE(ReadFileBytes(path));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
}

}  // namespace
}  // namespace tdialix

int main(int argc, char** argv) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments && count >= 3) {
    const std::wstring mode = arguments[1];
    if (mode == L"--save-loop") return tdialix::SaveLoop(arguments[2]);
    if (mode == L"--load" || mode == L"--load-restricted") {
      if (mode == L"--load-restricted") tdialix::RestrictLibrarySearch();
      return ::LoadLibraryW(arguments[2]) ? 1 : 0;
    }
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
