// The settings folder on a full disk and on a read-only one: closing the
// program tells the user that the style and the settings could not be saved,
// with the system's reason, and leaves the files as they were. The folder is
// really full or really read-only: a small memory file system, or a
// read-only view of the folder, mounted over it on the Linux side. Where the
// machine does not let the test mount, the tests are skipped and say why.
#include "program_fixture_win.h"

#include <string>
#include <vector>

namespace tdialix {
namespace {

// Runs a program of the Linux host and waits for it; its exit code (-1 when
// it could not be started or did not end).
int RunHost(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return -1;
  ::CloseHandle(info.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (::WaitForSingleObject(info.hProcess, 20000) == WAIT_OBJECT_0) ::GetExitCodeProcess(info.hProcess, &code);
  ::CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

// The Linux path of a Windows path, as Wine maps it.
std::wstring UnixPath(const std::wstring& path) {
  using TGetUnixFileName = char*(CDECL*)(LPCWSTR);
  const auto get = reinterpret_cast<TGetUnixFileName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!get) return std::wstring();
  char* unix = get(path.c_str());
  if (!unix) return std::wstring();
  const std::wstring result = Utf8ToWide(unix);
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return result;
}

// Something mounted over the settings folder while it lives.
class TMountedFolder {
 public:
  // mountArguments: what goes after "mount", with {} for the folder.
  TMountedFolder(const std::wstring& folder, std::wstring mountArguments) : Folder(UnixPath(folder)) {
    if (Folder.empty()) return;
    for (size_t at; (at = mountArguments.find(L"{}")) != std::wstring::npos;) {
      mountArguments.replace(at, 2, L"\"" + Folder + L"\"");
    }
    Mounted = RunHost(L"Z:\\bin\\mount " + mountArguments) == 0;
  }
  ~TMountedFolder() {
    if (Mounted) RunHost(L"Z:\\bin\\umount -l \"" + Folder + L"\"");
  }
  std::wstring Folder;
  bool Mounted = false;
};

class DiskTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
    ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  static std::wstring SettingsPath() { return SettingsFolder() + L"\\TDialix.ini"; }
  static std::wstring StylePath() { return SettingsFolder() + L"\\Default.dlx"; }

  // The user's files as they were before the program ran.
  void WriteUsersFiles() {
    WriteText(SettingsPath(), L"[View]\r\nTransParent=77\r\n");
    WriteText(StylePath(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontSize=33\r\n");
    Settings = ReadBytes(SettingsPath());
    Style = ReadBytes(StylePath());
  }

  // Starts the program, closes it (which saves the style and the settings)
  // and answers every message box it shows; their texts.
  std::vector<std::wstring> RunAndClose() {
    auto program = StartInstance();
    std::vector<std::wstring> texts;
    if (const HWND master = program->Master()) ::PostMessageW(master, kWmDialixClose, 0, 0);
    for (;;) {
      HWND box = nullptr;
      const bool shown = WaitUntil([&] { return (box = MessageBoxOf(program->Id)) != nullptr || !program->Running(); });
      if (!shown || !box) break;
      texts.push_back(MessageBoxText(box));
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      WaitUntil([&] { return !::IsWindow(box); });
    }
    EXPECT_EQ(program->WaitForExit(), DWORD{0});
    return texts;
  }

  // Both files as the user left them, and no temporary file beside them.
  void ExpectFilesAsTheyWere() {
    EXPECT_EQ(ReadBytes(SettingsPath()), Settings);
    EXPECT_EQ(ReadBytes(StylePath()), Style);
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((SettingsFolder() + L"\\*.tmp").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a temporary file was left: " << WideToUtf8(data.cFileName);
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  }

  // The two messages closing gives when nothing can be written: the style's
  // and the settings', each with the system's reason after the line break.
  void ExpectSaveMessages(const std::vector<std::wstring>& texts) {
    const std::wstring style = L"スタイル ファイルを '" + StylePath() + L"' に保存できませんでした。\r\n";
    const std::wstring settings = L"設定ファイルを '" + SettingsPath() + L"' に保存できませんでした。\r\n";
    bool styleShown = false, settingsShown = false;
    for (const std::wstring& text : texts) {
      for (auto [prefix, shown] : {std::pair{&style, &styleShown}, std::pair{&settings, &settingsShown}}) {
        if (text.rfind(*prefix, 0) == 0) {
          *shown = true;
          EXPECT_GT(text.size(), prefix->size()) << "the system's reason is missing";
        }
      }
    }
    std::string all;
    for (const std::wstring& text : texts) all += WideToUtf8(text) + "\n";
    EXPECT_TRUE(styleShown) << all;
    EXPECT_TRUE(settingsShown) << all;
  }

  std::string Settings;
  std::string Style;
};

TEST_F(DiskTest, AFullDiskLeavesTheOldFilesWholeAndSaysSo) {
  TMountedFolder disk(SettingsFolder(), L"-t tmpfs -o size=64k tmpfs {}");
  if (!disk.Mounted) GTEST_SKIP() << "this machine does not let the test mount a small file system";
  WriteUsersFiles();
  // The rest of the disk taken up.
  {
    TUniqueKernelHandle filler(::CreateFileW((SettingsFolder() + L"\\filler.bin").c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(filler);
    const std::string block(4096, 'x');
    DWORD written = 0;
    while (::WriteFile(filler.Get(), block.data(), static_cast<DWORD>(block.size()), &written, nullptr) &&
           written == block.size()) {
    }
    const DWORD error = ::GetLastError();
    EXPECT_TRUE(error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) << error;
  }
  ExpectSaveMessages(RunAndClose());
  ExpectFilesAsTheyWere();
  ::DeleteFileW((SettingsFolder() + L"\\filler.bin").c_str());
}

TEST_F(DiskTest, AReadOnlyFolderLeavesTheOldFilesWholeAndSaysSo) {
  WriteUsersFiles();
  TMountedFolder view(SettingsFolder(), L"--bind -o ro {} {}");
  if (!view.Mounted) GTEST_SKIP() << "this machine does not let the test mount a read-only view";
  // Some kernels make a bind mount read-only only when it is mounted again.
  RunHost(L"Z:\\bin\\mount -o remount,ro,bind \"" + view.Folder + L"\"");
  ExpectSaveMessages(RunAndClose());
  ExpectFilesAsTheyWere();
}

}  // namespace
}  // namespace tdialix
