// TDialix.exe and the shell: the association process started with
// "/associate:", the command line it registers for style files, and the
// questions it asks, with the user's real classes in the test prefix.
#include "program_fixture_win.h"

#include "../support/registry_snapshot_win.h"
#include "dialogs/settings_folder_win.h"
#include "dialogs/shell_association_win.h"
#include "dialogs/startup_shortcut_win.h"

#include <shlobj.h>

#include "base/com_win.h"

namespace tdialix {
namespace {

const std::wstring kClasses = L"Software\\Classes";
const std::wstring kExtension = kClasses + L"\\.dlx";

std::pair<DWORD, std::wstring> ClassValue(const std::wstring& key, const std::wstring& name = L"") {
  return RegistryText(HKEY_CURRENT_USER, kClasses + L"\\" + key, name);
}

std::wstring HandleText(HWND window) { return std::to_wstring(reinterpret_cast<std::uintptr_t>(window)); }

// Runs a whole command line, as the shell runs the registered command, to
// its end; its exit code, or nothing when it could not start or did not end.
std::optional<DWORD> RunCommand(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return std::nullopt;
  }
  const TUniqueKernelHandle process(info.hProcess);
  ::CloseHandle(info.hThread);
  DWORD code = 0;
  if (::WaitForSingleObject(process.Get(), 20000) != WAIT_OBJECT_0 || !::GetExitCodeProcess(process.Get(), &code)) {
    ::TerminateProcess(process.Get(), 99);
    return std::nullopt;
  }
  return code;
}

// The user's classes are the prefix's, shared with the other runs: each test
// starts and ends without an association, and the host's home is a scratch
// folder where Wine's menu builder would leave its traces if it ran.
class ShellProgramTest : public ProgramTest {
 protected:
  static void SetUpTestSuite() {
    ProgramTest::SetUpTestSuite();
    // The menu builder writes where XDG_DATA_HOME and XDG_CONFIG_HOME say,
    // which the processes started from here take over as they are; Z: is
    // the host's root.
    const std::wstring name = L"tdialix-e2e-home-" + std::to_wstring(::GetCurrentProcessId());
    HostHome() = L"Z:\\tmp\\" + name;
    ::CreateDirectoryW(HostHome().c_str(), nullptr);
    ::SetEnvironmentVariableW(L"XDG_DATA_HOME", (L"/tmp/" + name).c_str());
    ::SetEnvironmentVariableW(L"XDG_CONFIG_HOME", (L"/tmp/" + name).c_str());
  }
  static void TearDownTestSuite() { RemoveTree(HostHome()); }
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(folder + L"\\" + name);
        } else {
          ::DeleteFileW((folder + L"\\" + name).c_str());
        }
      } while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
  }
  static std::wstring& HostHome() {
    static std::wstring home;
    return home;
  }

  void SetUp() override {
    ProgramTest::SetUp();
    Remove(L".dlx");
    Remove(L"DLXFile");
    // Every Windows has the user's classes key; a fresh test prefix has not
    // made it yet, and the first association would.
    HKEY classes = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kClasses.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &classes, nullptr) ==
        ERROR_SUCCESS) {
      ::RegCloseKey(classes);
    }
    Before = SnapshotOf(HKEY_CURRENT_USER, kClasses);
    RemoveFolder(SettingsFolder());
    Owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(Owner);
  }
  void TearDown() override {
    ::DestroyWindow(Owner);
    Remove(L".dlx");
    Remove(L"DLXFile");
    RemoveFolder(SettingsFolder());
    // Nothing of the program's reached the host's desktop menus.
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((HostHome() + L"\\*").c_str(), &data);
    std::wstring left;
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") left += L" " + name;
      } while (::FindNextFileW(find, &data));
      ::FindClose(find);
    }
    EXPECT_EQ(left, L"") << "Wine's menu builder ran";
    RemoveTree(HostHome());
    ::CreateDirectoryW(HostHome().c_str(), nullptr);
  }

  static void Remove(const std::wstring& key) { ::RegDeleteTreeW(HKEY_CURRENT_USER, (kClasses + L"\\" + key).c_str()); }

  // Runs "/associate:" with the test's window as the owner, to its end.
  void RunAssociation(bool associate) {
    Program program(L"/associate:" + std::to_wstring(associate ? 1 : 0) + L"," + HandleText(Owner));
    EXPECT_EQ(program.WaitForExit(), DWORD{0});
    EXPECT_TRUE(Traced(L"associate " + std::to_wstring(associate ? 1 : 0) + L" " + HandleText(Owner))) << TraceText();
  }

  TRegistrySnapshot Before;
  HWND Owner = nullptr;
};

TEST_F(ShellProgramTest, AssociateAndRemoveRequestsWriteAndRemoveTheUsersKeys) {
  RunAssociation(true);
  // The program's path as it reports it itself.
  std::wstring program = TDIALIX_EXE_W;
  for (wchar_t& c : program) c = c == L'/' ? L'\\' : c;
  EXPECT_EQ(ClassValue(L".dlx"), (std::pair<DWORD, std::wstring>{REG_SZ, L"DLXFile"}));
  EXPECT_EQ(ClassValue(L".dlx", L"Associated"), (std::pair<DWORD, std::wstring>{REG_SZ, L"TeamOrvaneTDialix2"}));
  EXPECT_EQ(ClassValue(L"DLXFile"), (std::pair<DWORD, std::wstring>{REG_SZ, L"TDialix スタイル ファイル"}));
  EXPECT_EQ(ClassValue(L"DLXFile\\Shell\\Open"), (std::pair<DWORD, std::wstring>{REG_SZ, L"スタイルの適用(&A)"}));
  EXPECT_EQ(ClassValue(L"DLXFile\\Shell\\Open\\Command"),
            (std::pair<DWORD, std::wstring>{REG_SZ, L"\"" + program + L"\" \"%1\""}));
  EXPECT_EQ(ClassValue(L"DLXFile\\DefaultIcon"), (std::pair<DWORD, std::wstring>{REG_SZ, L"\"" + program + L"\",1"}));
  EXPECT_TRUE(IsStyleFileAssociated());

  RunAssociation(false);
  EXPECT_TRUE(SnapshotOf(HKEY_CURRENT_USER, kClasses) == Before)
      << SnapshotDifference(Before, SnapshotOf(HKEY_CURRENT_USER, kClasses));
  EXPECT_FALSE(IsStyleFileAssociated());
}

TEST_F(ShellProgramTest, AssociationRequestWithAStaleOwnerUsesTheDesktopAndStartsNoInstance) {
  Program associate(L"/associate:1,00000001");
  EXPECT_EQ(associate.WaitForExit(), DWORD{0});
  EXPECT_TRUE(Traced(L"associate 1 " + HandleText(::GetDesktopWindow())));
  EXPECT_TRUE(WindowsOfClass(L"TDialixMaster").empty());
  // The association process never created the instance mutex.
  EXPECT_FALSE(TUniqueKernelHandle(::OpenMutexW(SYNCHRONIZE, FALSE, L"TeamOrvaneTDialix2Mutex")));
  EXPECT_TRUE(IsStyleFileAssociated());
}

// The installer's requests: the program itself makes and removes its
// start-up shortcut, says by its exit code whether it did, and starts no
// instance on the way.
TEST_F(ShellProgramTest, StartupRequestsMakeAndRemoveTheProgramsOwnShortcut) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
  const std::wstring link = std::wstring(folder) + L"\\TDialix.lnk";
  ::DeleteFileW(link.c_str());

  Program make(L"/startup:1");
  EXPECT_EQ(make.WaitForExit(), DWORD{0});
  std::wstring program = TDIALIX_EXE_W;
  for (wchar_t& c : program) c = c == L'/' ? L'\\' : c;
  {
    const TComInitialization com;
    EXPECT_EQ(ReadShortcutTarget(link, nullptr), program);
  }
  EXPECT_TRUE(WindowsOfClass(L"TDialixMaster").empty());
  EXPECT_FALSE(TUniqueKernelHandle(::OpenMutexW(SYNCHRONIZE, FALSE, L"TeamOrvaneTDialix2Mutex")));

  Program remove(L"/startup:0");
  EXPECT_EQ(remove.WaitForExit(), DWORD{0});
  EXPECT_EQ(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
  // Nothing to remove is no failure either.
  Program again(L"/startup:0");
  EXPECT_EQ(again.WaitForExit(), DWORD{0});
}

// A silent installer names no window: another program's shortcut of the same
// name is then kept without a question, and the exit code says so.
TEST_F(ShellProgramTest, AStartupRequestWithoutAWindowAsksNothingAndKeepsAnotherProgramsShortcut) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder), S_OK);
  const std::wstring link = std::wstring(folder) + L"\\TDialix.lnk";
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring notepad = std::wstring(windows) + L"\\notepad.exe";
  const TComInitialization com;
  {
    TComPtr<IShellLinkW> shortcut;
    TComPtr<IPersistFile> file;
    ASSERT_TRUE(SUCCEEDED(
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shortcut.Receive())));
    ASSERT_TRUE(SUCCEEDED(shortcut->SetPath(notepad.c_str())));
    ASSERT_TRUE(SUCCEEDED(shortcut->QueryInterface(IID_IPersistFile, file.Receive())));
    ASSERT_TRUE(SUCCEEDED(file->Save(link.c_str(), TRUE)));
  }
  const std::optional<std::wstring> before = ReadShortcutTarget(link, nullptr);
  ASSERT_TRUE(before);

  for (const wchar_t* request : {L"/startup:1,0", L"/startup:0,0"}) {
    Program program(request);
    const std::optional<DWORD> code = program.WaitForExit(10000);
    EXPECT_EQ(code, DWORD{1}) << WideToUtf8(request) << (code ? "" : ": still waiting, a question was shown");
    if (!code) ::TerminateProcess(program.Process.Get(), 2);
    EXPECT_EQ(ReadShortcutTarget(link, nullptr), before) << WideToUtf8(request);
  }
  ::DeleteFileW(link.c_str());
}

TEST_F(ShellProgramTest, TheSettingsDialogsAssociationProcessNeedsNoElevation) {
  TShellContext context = SystemShellContext();
  context.ProgramPath = TDIALIX_EXE_W;
  context.ShowMessage = [](HWND, const std::wstring& text, UINT) {
    ADD_FAILURE() << WideToUtf8(text);
    return IDOK;
  };
  ASSERT_TRUE(StartAssociationChange(context, Owner, true));
  EXPECT_TRUE(WaitUntil([] { return IsStyleFileAssociated(); }));
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"associate 1 " + HandleText(Owner)); })) << TraceText();

  ASSERT_TRUE(StartAssociationChange(context, Owner, false));
  EXPECT_TRUE(WaitUntil([&] { return SnapshotOf(HKEY_CURRENT_USER, kClasses) == Before; }));
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"associate 0 " + HandleText(Owner)); })) << TraceText();
}

TEST_F(ShellProgramTest, AStyleFileStartedWithTheRegisteredCommandReachesTheRunningClock) {
  auto instance = StartInstance();
  RunAssociation(true);
  const std::wstring style = TempPath(L"スタイル テスト\\夜空 1.dlx");
  WriteText(style, L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Position]\r\nMonitor1=40,50,1\r\n");

  // The shell puts the file's path for "%1".
  std::wstring command = ClassValue(L"DLXFile\\Shell\\Open\\Command").second;
  const size_t placeholder = command.find(L"%1");
  ASSERT_NE(placeholder, std::wstring::npos) << WideToUtf8(command);
  command.replace(placeholder, 2, style);
  EXPECT_EQ(RunCommand(command), DWORD{0});
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"loadstyle " + style); })) << TraceText();

  // The running clock moved to where the style puts it.
  const auto clocks = WindowsOfClass(L"TDialix", instance->Id);
  ASSERT_EQ(clocks.size(), 1u);
  EXPECT_TRUE(WaitUntil([&] {
    RECT window{};
    ::GetWindowRect(clocks[0], &window);
    return window.left == ::GetSystemMetrics(SM_CXSCREEN) * 40 / 100 &&
           window.top == ::GetSystemMetrics(SM_CYSCREEN) * 50 / 100;
  })) << "the clock did not take the style's position";
  CloseInstance(*instance);
  RunAssociation(false);
  ::DeleteFileW(style.c_str());
  ::RemoveDirectoryW(TempPath(L"スタイル テスト").c_str());
}

// The question box of the association process, once it shows.
HWND QuestionOf(const Program& program) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = MessageBoxOf(program.Id)) != nullptr; });
  return box;
}

TEST_F(ShellProgramTest, AnotherProgramsAssociationIsOnlyTakenOverWhenTheUserSaysYes) {
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kExtension, L"", L"OtherDlx.File"));
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kExtension + L"\\OpenWithProgids", L"OtherDlx.File", L""));
  const TRegistrySnapshot prepared = SnapshotOf(HKEY_CURRENT_USER, kClasses);

  for (const int answer : {IDNO, IDYES}) {
    Program associate(L"/associate:1,00000001");
    const HWND box = QuestionOf(associate);
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(MessageBoxText(box),
              L"既に別のプログラムによって、拡張子 'dlx' のファイルが関連付けられているようです。\r\n\r\n"
              L"拡張子 'dlx' のファイルの関連付けに上書きしますか?");
    wchar_t caption[64] = {};
    ::GetWindowTextW(box, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"TDialix");
    EXPECT_EQ(::GetWindowLongW(::GetDlgItem(box, IDNO), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetWindowLongW(::GetDlgItem(box, IDYES), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    ::PostMessageW(box, WM_COMMAND, answer, 0);
    EXPECT_EQ(associate.WaitForExit(), DWORD{0});
    if (answer == IDNO) {
      EXPECT_TRUE(SnapshotOf(HKEY_CURRENT_USER, kClasses) == prepared);
    }
  }
  EXPECT_EQ(ClassValue(L".dlx"), (std::pair<DWORD, std::wstring>{REG_SZ, L"DLXFile"}));
  EXPECT_EQ(ClassValue(L".dlx", L"PreviousDefault"), (std::pair<DWORD, std::wstring>{REG_SZ, L"OtherDlx.File"}));

  // The association is the program's own now: removing asks nothing and
  // gives the other program's back.
  RunAssociation(false);
  EXPECT_TRUE(SnapshotOf(HKEY_CURRENT_USER, kClasses) == prepared);
}

TEST_F(ShellProgramTest, TheSettingsFolderOpensInTheShell) {
  ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
  const TSettingsFolderBox box = ReadSettingsFolderBox(SettingsFolder() + L"\\TDialix.ini");
  ASSERT_TRUE(box.CanOpen);
  TShellContext context = SystemShellContext();
  context.ShowMessage = [](HWND, const std::wstring& text, UINT) {
    ADD_FAILURE() << WideToUtf8(text);
    return IDOK;
  };
  ASSERT_TRUE(OpenSettingsFolder(context, Owner, box.Text));

  // The shell's folder window, named after the folder, shown normally.
  HWND folder = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (const TopWindow& w : TopWindows()) {
      wchar_t title[256] = {};
      ::GetWindowTextW(w.Window, title, 256);
      if (std::wstring_view(title) == L"TDialix" && ::IsWindowVisible(w.Window)) folder = w.Window;
    }
    return folder != nullptr;
  })) << "no folder window";
  if (!folder) return;
  EXPECT_FALSE(::IsIconic(folder));
  EXPECT_FALSE(::IsZoomed(folder));
  // The shell's process ends with its window.
  DWORD processId = 0;
  ::GetWindowThreadProcessId(folder, &processId);
  const TUniqueKernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
  ::PostMessageW(folder, WM_CLOSE, 0, 0);
  if (process) {
    EXPECT_EQ(::WaitForSingleObject(process.Get(), 15000), WAIT_OBJECT_0);
  }
}

}  // namespace
}  // namespace tdialix
