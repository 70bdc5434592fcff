// The settings folder on a full disk and on a read-only one: closing the
// program tells the user that the style and the settings could not be saved,
// with the system's reason, and leaves the files as they were. The full disk
// is the file writer's own simulation (TDIALIX_TEST_DISK_FREE); the read-only
// folder is really read-only, by its permissions on the Linux side.
#include "program_fixture_win.h"

#include "base/system_locale_win.h"
#include "../support/host_program_win.h"

#include <string>
#include <vector>

namespace tdialix {
namespace {

// Runs a shell command line of the Linux host; it is given the argument as
// $0. Under Wine the wait for a host program may end before it has: callers
// wait for what it does.
void RunHostShell(const std::wstring& script, const std::wstring& argument) {
  RunHostProgram(L"Z:\\bin\\sh -c \"" + script + L"\" \"" + argument + L"\"");
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

// Whether a new file can be made in the folder (the probe is removed again).
bool AcceptsNewFiles(const std::wstring& folder) {
  const std::wstring probe = folder + L"\\probe.tmp";
  const HANDLE file =
      ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  ::DeleteFileW(probe.c_str());
  return true;
}

// Waits up to 10 s until the folder does or does not accept new files.
bool WaitUntilAccepting(const std::wstring& folder, bool accepting) {
  for (int i = 0; i < 200; ++i) {
    if (AcceptsNewFiles(folder) == accepting) return true;
    ::Sleep(50);
  }
  return false;
}

// The folder made read-only on the Linux side while this lives: its write
// permissions taken away and, because the superuser writes into such a folder
// all the same, made immutable too where the system lets the user do that.
class TReadOnlyFolder {
 public:
  explicit TReadOnlyFolder(const std::wstring& folder) : Folder(folder), HostFolder(UnixPath(folder)) {
    if (HostFolder.empty()) return;
    RunHostShell(L"chmod 0555 \\\"$0\\\"; chattr +i \\\"$0\\\" 2>/dev/null", HostFolder);
    WaitUntilAccepting(Folder, false);
  }
  ~TReadOnlyFolder() {
    if (HostFolder.empty()) return;
    RunHostShell(L"chattr -i \\\"$0\\\" 2>/dev/null; chmod 0755 \\\"$0\\\"", HostFolder);
    WaitUntilAccepting(Folder, true);
  }
  bool ReadOnly() const { return !HostFolder.empty() && !AcceptsNewFiles(Folder); }

 private:
  std::wstring Folder;
  std::wstring HostFolder;
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
    // A copy kept by an earlier start that could not read the settings.
    WriteText(SettingsPath() + L".bak", L"[General]\r\nKept=1\r\n");
    Settings = ReadBytes(SettingsPath());
    Style = ReadBytes(StylePath());
    Kept = ReadBytes(SettingsPath() + L".bak");
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

  // The files as the user left them, and no temporary file beside them.
  void ExpectFilesAsTheyWere() {
    EXPECT_EQ(ReadBytes(SettingsPath()), Settings);
    EXPECT_EQ(ReadBytes(StylePath()), Style);
    EXPECT_EQ(ReadBytes(SettingsPath() + L".bak"), Kept);
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((SettingsFolder() + L"\\*.tmp").c_str(), &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a temporary file was left: " << WideToUtf8(data.cFileName);
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
  }

  // The two messages closing gives when nothing can be written: the style's
  // and the settings', each with the system's text for the reason.
  void ExpectSaveMessages(const std::vector<std::wstring>& texts, DWORD reason) {
    const std::wstring because = SystemErrorText(reason);
    const std::wstring style = L"スタイル ファイルを '" + StylePath() + L"' に保存できませんでした。\r\n" + because;
    const std::wstring settings = L"設定ファイルを '" + SettingsPath() + L"' に保存できませんでした。\r\n" + because;
    std::string all;
    for (const std::wstring& text : texts) all += WideToUtf8(text) + "\n";
    EXPECT_NE(std::find(texts.begin(), texts.end(), style), texts.end()) << all;
    EXPECT_NE(std::find(texts.begin(), texts.end(), settings), texts.end()) << all;
  }

  std::string Settings;
  std::string Style;
  std::string Kept;
};

TEST_F(DiskTest, AFullDiskLeavesTheOldFilesWholeAndSaysSo) {
  WriteUsersFiles();
  // Room for a few bytes: each file gets under way before the disk is full.
  ::SetEnvironmentVariableW(L"TDIALIX_TEST_DISK_FREE", L"16");
  const std::vector<std::wstring> texts = RunAndClose();
  ::SetEnvironmentVariableW(L"TDIALIX_TEST_DISK_FREE", nullptr);
  ExpectSaveMessages(texts, ERROR_DISK_FULL);
  ExpectFilesAsTheyWere();
}

TEST_F(DiskTest, AReadOnlyFolderLeavesTheOldFilesWholeAndSaysSo) {
  WriteUsersFiles();
  TReadOnlyFolder readOnly(SettingsFolder());
  ASSERT_TRUE(readOnly.ReadOnly()) << "the settings folder could not be made read-only";
  ExpectSaveMessages(RunAndClose(), ERROR_ACCESS_DENIED);
  ExpectFilesAsTheyWere();
}

}  // namespace
}  // namespace tdialix
