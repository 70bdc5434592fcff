// The start-up shortcut, the style-file association and the settings folder
// over the real registry, shell links and shell, in scratch places: a
// registry key of the tests' own as the classes roots, a temporary folder as
// the Startup folder, and message boxes that the tests answer.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../support/registry_snapshot_win.h"
#include "base/com_win.h"
#include "base/text.h"
#include "dialogs/settings_folder_win.h"
#include "dialogs/shell_association_win.h"
#include "dialogs/startup_shortcut_win.h"

namespace tdialix {
namespace {

constexpr UINT kQuestion = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;
constexpr UINT kError = MB_OK | MB_ICONERROR;

const std::wstring kScratch = L"Software\\TDialix Tests";
const std::wstring kUserClasses = kScratch + L"\\User Classes";
const std::wstring kMachineClasses = kScratch + L"\\Machine Classes";

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring TempFolder(const std::wstring& name) {
  wchar_t folder[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name + L"\\";
}

std::string FileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct ShownMessage {
  HWND Owner;
  std::wstring Text;
  UINT Type;
};

// Scratch places and a user who answers from a list.
class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str());
    StartupFolder = TempFolder(L"tdialix-startup-" + std::to_wstring(::GetCurrentProcessId()));
    ::SHCreateDirectoryExW(nullptr, StartupFolder.c_str(), nullptr);
    Context.ProgramPath = OwnPath();
    Context.StartupFolder = StartupFolder;
    Context.UserClasses = {HKEY_CURRENT_USER, kUserClasses};
    Context.MachineClasses = {HKEY_CURRENT_USER, kMachineClasses};
    Context.ShowMessage = [this](HWND owner, const std::wstring& text, UINT type) {
      Shown.push_back({owner, text, type});
      if (Answers.empty()) return type == kQuestion ? IDNO : IDOK;
      const int answer = Answers.front();
      Answers.pop_front();
      return answer;
    };
    Context.AssociationsChanged = [this] { ++Notices; };
  }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kScratch.c_str());
    const std::wstring shortcut = ShortcutPath();
    ::SetFileAttributesW(shortcut.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(shortcut.c_str());
    ::RemoveDirectoryW(StartupFolder.c_str());
  }

  std::wstring ShortcutPath() const { return StartupFolder + L"TDialix.lnk"; }
  TRegistrySnapshot UserSnapshot() const { return SnapshotOf(HKEY_CURRENT_USER, kUserClasses); }
  std::pair<DWORD, std::wstring> UserValue(const std::wstring& key, const std::wstring& name) const {
    return RegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\" + key, name);
  }

  TShellContext Context;
  std::wstring StartupFolder;
  std::deque<int> Answers;
  std::vector<ShownMessage> Shown;
  int Notices = 0;
  const HWND Owner = ::GetDesktopWindow();
};

// ---- The association -------------------------------------------------------

// What another program left for ".dlx": its default class (of the expanding
// type), a value and a subkey beside it, and an unrelated type.
void PrepareForeign() {
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\.dlx", L"", L"OtherDlx.File", REG_EXPAND_SZ));
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\.dlx", L"Content Type", L"text/plain"));
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\.dlx\\OpenWithProgids", L"OtherDlx.File", L""));
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\OtherDlx.File\\shell\\open\\command", L"",
                              L"other.exe \"%1\""));
}

TEST_F(ShellTest, AssociatingWritesEveryValueAndRemovingLeavesTheClassesAsBefore) {
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\txtfile\\shell\\open\\command", L"",
                              L"notepad.exe \"%1\""));
  const TRegistrySnapshot before = UserSnapshot();

  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, true), TAssociationResult::arChanged);
  const std::wstring program = Context.ProgramPath;
  const std::pair<DWORD, std::wstring> expected[][2] = {
      {{0, L".dlx"}, {REG_SZ, L"DLXFile"}},
      {{1, L".dlx"}, {REG_SZ, L"TeamOrvaneTDialix2"}},
      {{0, L"DLXFile"}, {REG_SZ, L"TDialix スタイル ファイル"}},
      {{0, L"DLXFile\\Shell\\Open"}, {REG_SZ, L"スタイルの適用(&A)"}},
      {{0, L"DLXFile\\Shell\\Open\\Command"}, {REG_SZ, L"\"" + program + L"\" \"%1\""}},
      {{0, L"DLXFile\\DefaultIcon"}, {REG_SZ, L"\"" + program + L"\",1"}},
  };
  for (const auto& entry : expected) {
    const std::wstring& key = entry[0].second;
    const std::wstring name = entry[0].first == 1 ? L"Associated" : L"";
    EXPECT_EQ(UserValue(key, name), entry[1]) << WideToUtf8(key + L" " + name);
  }
  EXPECT_TRUE(Shown.empty());
  EXPECT_EQ(Notices, 1);
  EXPECT_TRUE(IsStyleFileAssociated(Context));

  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, false), TAssociationResult::arChanged);
  EXPECT_TRUE(Shown.empty());
  EXPECT_EQ(Notices, 2);
  EXPECT_TRUE(UserSnapshot() == before);
  EXPECT_FALSE(IsStyleFileAssociated(Context));
}

TEST_F(ShellTest, AForeignAssociationIsAskedAboutAndGivenBackExactly) {
  PrepareForeign();
  const TRegistrySnapshot prepared = UserSnapshot();
  const std::wstring question =
      L"既に別のプログラムによって、拡張子 'dlx' のファイルが関連付けられているようです。\r\n\r\n"
      L"拡張子 'dlx' のファイルの関連付けに上書きしますか?";

  // No changes nothing, for associating and for removing.
  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, true), TAssociationResult::arDeclined);
  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, false), TAssociationResult::arDeclined);
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Owner, Owner);
  EXPECT_EQ(Shown[0].Text, question);
  EXPECT_EQ(Shown[0].Type, kQuestion);
  EXPECT_EQ(Shown[1].Text,
            L"既に別のプログラムによって、拡張子 'dlx' のファイルが関連付けられているようです。\r\n\r\n"
            L"拡張子 'dlx' のファイルの関連付けを解除しますか?");
  EXPECT_EQ(Shown[1].Type, kQuestion);
  EXPECT_EQ(Notices, 0);
  EXPECT_TRUE(UserSnapshot() == prepared);

  // Yes takes it over and keeps the other program's default with its type.
  Shown.clear();
  Answers = {IDYES};
  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, true), TAssociationResult::arChanged);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Text, question);
  EXPECT_EQ(UserValue(L".dlx", L""), (std::pair<DWORD, std::wstring>{REG_SZ, L"DLXFile"}));
  EXPECT_EQ(UserValue(L".dlx", L"PreviousDefault"), (std::pair<DWORD, std::wstring>{REG_EXPAND_SZ, L"OtherDlx.File"}));
  EXPECT_TRUE(IsStyleFileAssociated(Context));

  // Now it is the program's own: removing asks nothing and gives it all back.
  Shown.clear();
  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, false), TAssociationResult::arChanged);
  EXPECT_TRUE(Shown.empty());
  EXPECT_TRUE(UserSnapshot() == prepared);
}

TEST_F(ShellTest, AKeyThatCannotBeWrittenIsReportedAndWhatWasWrittenStays) {
  // Below a volatile key only volatile keys can be made: "Open" cannot.
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, kUserClasses + L"\\DLXFile", L"", L""));
  HKEY shell = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (kUserClasses + L"\\DLXFile\\Shell").c_str(), 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &shell, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(shell);

  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, true), TAssociationResult::arFailed);
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Text,
            L"スタイル ファイルを TDialix へ関連付けられませんでした。\r\n"
            L"コントロール パネルを使って、拡張子 'dlx' のファイルを手動で関連付けてください。");
  EXPECT_EQ(Shown[0].Type, kError);
  EXPECT_EQ(UserValue(L".dlx", L"").second, L"DLXFile");
  EXPECT_EQ(UserValue(L"DLXFile\\DefaultIcon", L"").second, L"\"" + Context.ProgramPath + L"\",1");
  EXPECT_EQ(UserValue(L"DLXFile\\Shell\\Open\\Command", L"").first, 0u);
  EXPECT_EQ(Notices, 1);
}

TEST_F(ShellTest, RemovingWithoutAnAssociationDoesNothingSilently) {
  EXPECT_EQ(SetStyleFileAssociation(Context, Owner, false), TAssociationResult::arUnchanged);
  EXPECT_TRUE(Shown.empty());
  EXPECT_EQ(Notices, 0);
  EXPECT_TRUE(UserSnapshot().Keys.empty());
}

TEST_F(ShellTest, TheShellsClassIsThePerUserOneWhenSetElseTheMachineWideOne) {
  const std::wstring user = kUserClasses + L"\\.dlx";
  const std::wstring machine = kMachineClasses + L"\\.dlx";
  EXPECT_FALSE(IsStyleFileAssociated(Context));
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, machine, L"", L"dlxfile"));
  EXPECT_TRUE(IsStyleFileAssociated(Context));  // made machine-wide by another tool
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, user, L"Content Type", L"text/plain"));
  EXPECT_TRUE(IsStyleFileAssociated(Context));  // the user's key has no default
  ASSERT_TRUE(SetRegistryText(HKEY_CURRENT_USER, user, L"", L"OtherDlx.File"));
  EXPECT_FALSE(IsStyleFileAssociated(Context));
}

TEST_F(ShellTest, AnAssociationProcessThatCannotStartShowsNothing) {
  Context.ProgramPath = TempFolder(L"tdialix-missing") + L"TDialix.exe";
  EXPECT_FALSE(StartAssociationChange(Context, Owner, true));
  EXPECT_TRUE(Shown.empty());
}

// ---- The start-up shortcut --------------------------------------------------

struct ShortcutFields {
  std::wstring Target, IconPath, Description, Arguments, WorkingFolder;
  int IconIndex = -1;
};

ShortcutFields ReadShortcut(const std::wstring& path) {
  ShortcutFields fields;
  TComPtr<IShellLinkW> link;
  TComPtr<IPersistFile> file;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) || FAILED(file->Load(path.c_str(), STGM_READ))) {
    ADD_FAILURE() << "cannot load the shortcut";
    return fields;
  }
  wchar_t text[1024] = {};
  link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
  fields.Target = text;
  text[0] = 0;
  link->GetIconLocation(text, 1024, &fields.IconIndex);
  fields.IconPath = text;
  text[0] = 0;
  link->GetDescription(text, 1024);
  fields.Description = text;
  text[0] = 0;
  link->GetArguments(text, 1024);
  fields.Arguments = text;
  text[0] = 0;
  link->GetWorkingDirectory(text, 1024);
  fields.WorkingFolder = text;
  return fields;
}

void WriteForeignShortcut(const std::wstring& path, const std::wstring& target) {
  TComPtr<IShellLinkW> link;
  TComPtr<IPersistFile> file;
  ASSERT_TRUE(SUCCEEDED(
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.Receive())));
  ASSERT_TRUE(SUCCEEDED(link->SetPath(target.c_str())));
  ASSERT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.Receive())));
  ASSERT_TRUE(SUCCEEDED(file->Save(path.c_str(), TRUE)));
}

std::wstring NotepadPath() {
  wchar_t folder[MAX_PATH] = {};
  ::GetWindowsDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\notepad.exe";
}

class ShortcutTest : public ShellTest {
 protected:
  const TComInitialization Com;
};

TEST_F(ShortcutTest, CreatedShortcutStartsTheProgramAndAnOwnOneIsLeftAlone) {
  EXPECT_FALSE(StartupShortcutExists(Context));
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, true));
  EXPECT_TRUE(Shown.empty());
  ASSERT_TRUE(StartupShortcutExists(Context));
  const ShortcutFields fields = ReadShortcut(ShortcutPath());
  EXPECT_TRUE(SameText(fields.Target, Context.ProgramPath)) << WideToUtf8(fields.Target);
  EXPECT_TRUE(SameText(fields.IconPath, Context.ProgramPath)) << WideToUtf8(fields.IconPath);
  EXPECT_EQ(fields.IconIndex, 0);
  EXPECT_EQ(fields.Description, L"TDialix を起動します。");
  EXPECT_EQ(fields.Arguments, L"");
  EXPECT_EQ(fields.WorkingFolder, L"");
  EXPECT_EQ(ReadShortcutTarget(ShortcutPath(), Owner), fields.Target);

  // Checking the box again writes nothing; the own one goes without a question.
  const std::string bytes = FileBytes(ShortcutPath());
  ASSERT_TRUE(::SetFileAttributesW(ShortcutPath().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, true));
  ASSERT_TRUE(::SetFileAttributesW(ShortcutPath().c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(FileBytes(ShortcutPath()), bytes);
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, false));
  EXPECT_TRUE(Shown.empty());
  EXPECT_FALSE(StartupShortcutExists(Context));
  // Removing what is not there does nothing.
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, false));
  EXPECT_TRUE(Shown.empty());
}

TEST_F(ShortcutTest, AForeignShortcutIsOnlyOverwrittenOrDeletedWhenTheUserAgrees) {
  const std::wstring notepad = NotepadPath();
  WriteForeignShortcut(ShortcutPath(), notepad);
  const std::wstring target = ReadShortcut(ShortcutPath()).Target;
  const std::wstring overwrite = L"同じ名前のショートカットがスタートアップに存在します。リンク先は\r\n'" + target +
                                 L"' です。\r\n\r\nこのショートカットに上書きしますか?";
  const std::wstring remove = L"同じ名前のショートカットがスタートアップに存在します。リンク先は\r\n'" + target +
                              L"' です。\r\n\r\nこのショートカットを削除しますか?";

  EXPECT_FALSE(SetStartupShortcut(Context, Owner, true));
  EXPECT_FALSE(SetStartupShortcut(Context, Owner, false));
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_EQ(Shown[0].Text, overwrite);
  EXPECT_EQ(Shown[0].Type, kQuestion);
  EXPECT_EQ(Shown[0].Owner, Owner);
  EXPECT_EQ(Shown[1].Text, remove);
  EXPECT_EQ(Shown[1].Type, kQuestion);
  EXPECT_TRUE(SameText(ReadShortcut(ShortcutPath()).Target, notepad));

  Answers = {IDYES};
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, true));
  EXPECT_TRUE(SameText(ReadShortcut(ShortcutPath()).Target, Context.ProgramPath));

  WriteForeignShortcut(ShortcutPath(), notepad);
  Shown.clear();
  Answers = {IDYES};
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, false));
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Text, remove);
  EXPECT_FALSE(Exists(ShortcutPath()));
}

TEST_F(ShortcutTest, AFileThatIsNoShortcutCountsAsOwnAndIsWrittenAnew) {
  std::ofstream(ShortcutPath().c_str(), std::ios::binary) << "not a shortcut";
  EXPECT_EQ(ReadShortcutTarget(ShortcutPath(), Owner), std::nullopt);
  EXPECT_TRUE(SetStartupShortcut(Context, Owner, true));
  EXPECT_TRUE(Shown.empty());
  EXPECT_TRUE(SameText(ReadShortcut(ShortcutPath()).Target, Context.ProgramPath));
}

TEST_F(ShortcutTest, FailuresAreShownWithTheSystemsReason) {
  const std::wstring createFailed = L"スタートアップのショートカットを作成できませんでした。\r\n";
  const std::wstring deleteFailed = L"スタートアップのショートカットを削除できませんでした。\r\n";
  auto expectFailure = [&](const std::wstring& start) {
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Type, kError);
    EXPECT_EQ(Shown[0].Text.rfind(start, 0), 0u) << WideToUtf8(Shown[0].Text);
    EXPECT_GT(Shown[0].Text.size(), start.size()) << "no reason given";
    Shown.clear();
  };

  // A Startup folder that is not there.
  const std::wstring folder = StartupFolder;
  Context.StartupFolder = folder + L"missing\\";
  EXPECT_FALSE(SetStartupShortcut(Context, Owner, true));
  expectFailure(createFailed);
  // None that the system could name.
  Context.StartupFolder.clear();
  Context.StartupFolderError = E_INVALIDARG;
  EXPECT_FALSE(SetStartupShortcut(Context, Owner, true));
  expectFailure(createFailed);
  EXPECT_FALSE(SetStartupShortcut(Context, Owner, false));
  expectFailure(deleteFailed);

  // An own shortcut held open without sharing cannot be deleted.
  Context.StartupFolder = folder;
  ASSERT_TRUE(SetStartupShortcut(Context, Owner, true));
  {
    const HANDLE held = ::CreateFileW(ShortcutPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SetStartupShortcut(Context, Owner, false));
    ::CloseHandle(held);
  }
  expectFailure(deleteFailed);
  EXPECT_TRUE(StartupShortcutExists(Context));
}

// The user's own Startup folder, through the entry points the settings dialog uses.
TEST(StartupShortcutOfTheUser, IsCreatedAndRemovedInTheStartupFolder) {
  const TShellContext system = SystemShellContext();
  ASSERT_FALSE(system.StartupFolder.empty());
  const std::wstring path = system.StartupFolder + L"TDialix.lnk";
  ::DeleteFileW(path.c_str());  // left by a run that was stopped
  EXPECT_FALSE(StartupShortcutExists());
  // Neither asks: there is none, and then it is the program's own.
  EXPECT_TRUE(SetStartupShortcut(nullptr, true));
  EXPECT_TRUE(StartupShortcutExists());
  {
    const TComInitialization com;
    EXPECT_TRUE(SameText(ReadShortcutTarget(path, nullptr).value_or(L""), OwnPath()));
  }
  EXPECT_TRUE(SetStartupShortcut(nullptr, false));
  EXPECT_FALSE(StartupShortcutExists());
}

// ---- The settings folder ----------------------------------------------------

TEST_F(ShellTest, TheSettingsFolderBoxFollowsTheFolder) {
  const std::wstring folder = StartupFolder.substr(0, StartupFolder.size() - 1);
  EXPECT_EQ(ReadSettingsFolderBox(folder + L"\\TDialix.ini"), (TSettingsFolderBox{folder, true}));
  EXPECT_EQ(ReadSettingsFolderBox(folder + L"\\missing\\TDialix.ini"),
            (TSettingsFolderBox{L"(フォルダーはまだ作成されていません)", false}));
  EXPECT_EQ(ReadSettingsFolderBox(L"TDialix.ini"), (TSettingsFolderBox{L"(不明)", false}));
}

TEST_F(ShellTest, AFolderThatCannotBeOpenedIsReported) {
  EXPECT_FALSE(OpenSettingsFolder(Context, Owner, StartupFolder + L"missing"));
  ASSERT_EQ(Shown.size(), 1u);
  const std::wstring start = L"フォルダーを開けませんでした。\r\n";
  EXPECT_EQ(Shown[0].Text.rfind(start, 0), 0u) << WideToUtf8(Shown[0].Text);
  EXPECT_GT(Shown[0].Text.size(), start.size());
  EXPECT_EQ(Shown[0].Type, kError);
}

// ---- The program file's icons -----------------------------------------------

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
  auto& names = *reinterpret_cast<std::vector<std::wstring>*>(list);
  names.push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<std::uintptr_t>(name)) : name);
  return TRUE;
}

TEST(ProgramIcons, TheStyleFileIconIsTheSecondGroup) {
  // The shell counts icon indexes in the order of the resource directory,
  // where named groups sort by name before numbered ones: a group added
  // later must not sort before "MAINICONDLX".
  std::vector<std::wstring> names;
  ::EnumResourceNamesW(::GetModuleHandleW(nullptr), RT_GROUP_ICON, &CollectName, reinterpret_cast<LONG_PTR>(&names));
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], L"MAINICON");
  EXPECT_EQ(names[1], L"MAINICONDLX");
  EXPECT_EQ(::ExtractIconExW(OwnPath().c_str(), -1, nullptr, nullptr, 0), names.size());
}

}  // namespace
}  // namespace tdialix
