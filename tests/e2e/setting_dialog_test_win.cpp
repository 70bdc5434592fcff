// The common settings dialog as the running program opens it: from a second
// start and from the menu, one at a time; what OK stores reaches the clocks
// at once and the settings file when the program closes.
#include "program_fixture_win.h"

#include <commctrl.h>

#include "app/master_window_win.h"
#include "app/messages_win.h"
#include "app/popup_menu.h"
#include "app/settings_file.h"
#include "base/system_locale_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class SettingDialogTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  static void Command(const Program& program, int command) {
    ::PostMessageW(program.Master(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  }
  static HWND WaitForDialog(const Program& program) {
    return WaitForTopWindow(program.Id, L"TDialixSetting", L"共通設定");
  }
  static size_t DialogCount(const Program& program) { return VisibleWindowCount(L"TDialixSetting", program.Id); }
  static HWND Button(HWND dialog, std::wstring_view text) { return FindControlByText(dialog, text); }
  static TSettings SettingsIn(const std::wstring& path) {
    const TIniDocument document = TIniDocument::FromBytes(ReadBytes(path));
    TSettingsEnvironment environment;
    environment.Formats = SystemFormatSettings();
    environment.TimeZoneBias = CurrentTimeZoneBias();
    TSettings settings;
    LoadSettings(&document, settings, environment);
    return settings;
  }
};

TEST_F(SettingDialogTest, ASecondStartAndTheMenuEachOpenOneDialog) {
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  Program second(L"");
  EXPECT_EQ(second.WaitForExit(), DWORD{0});
  HWND dialog = WaitForDialog(*program);
  ASSERT_TRUE(dialog) << TraceText();
  EXPECT_TRUE(Traced(L"settings 0"));
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-open TDialixSetting"); }));

  // A request while it is open only brings it forward.
  Program third(L"");
  EXPECT_EQ(third.WaitForExit(), DWORD{0});
  Command(*program, kCmdSettings);
  EXPECT_TRUE(WaitUntil([] { return TracedCount(L"dialog-forward") == 2; })) << TraceText();
  EXPECT_EQ(DialogCount(*program), 1u);
  Click(Button(dialog, L"キャンセル"));
  ExpectWindowGoes(dialog);

  Command(*program, kCmdSettings);
  dialog = WaitForDialog(*program);
  ASSERT_TRUE(dialog) << TraceText();
  EXPECT_TRUE(WaitUntil([] { return Traced(L"command " + std::to_wstring(kCmdSettings)); }));
  EXPECT_FALSE(Traced(L"dialog-missing " + std::to_wstring(kCmdSettings)));
  EXPECT_EQ(DialogCount(*program), 1u);
  PostKey(dialog, VK_ESCAPE);
  ExpectWindowGoes(dialog);
  CloseInstance(*program);
}

TEST_F(SettingDialogTest, ValuesSetWithOkReachTheClocksAndTheSettingsFile) {
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  EXPECT_TRUE(::GetWindowLongPtrW(clock, GWL_EXSTYLE) & WS_EX_TOPMOST) << "前面に配置 by default";
  Command(*program, kCmdSettings);
  const HWND dialog = WaitForDialog(*program);
  ASSERT_TRUE(dialog) << TraceText();
  const HWND apply = Button(dialog, L"適用(&A)");
  ASSERT_TRUE(apply);
  EXPECT_FALSE(::IsWindowEnabled(apply));

  // 表示: 後面に配置; 操作: 時計の位置を固定; 高度な設定: 64 ミリ秒.
  const HWND zOrder = FindControlByClass(dialog, L"ComboBox", 0);
  ASSERT_EQ(ItemTexts(zOrder).size(), 4u);
  SelectItem(zOrder, 3);
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(apply) != FALSE; }));
  Click(Button(dialog, L"時計の位置を固定"));
  HWND interval = nullptr;
  for (HWND window : ChildWindows(dialog)) {
    if (WindowClass(window) == L"Edit" && WindowText(window) == L"32") interval = window;
  }
  ASSERT_TRUE(interval);
  SetText(interval, L"64");
  Click(apply);
  // The z-order reaches the clock before the dialog closes.
  EXPECT_TRUE(WaitUntil([&] { return (::GetWindowLongPtrW(clock, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }))
      << TraceText();
  EXPECT_TRUE(WaitUntil([] { return Traced(L"settings-applied"); }));
  EXPECT_TRUE(::IsWindow(dialog));
  Click(Button(dialog, L"OK"));
  ExpectWindowGoes(dialog);
  CloseInstance(*program);

  const TSettings saved = SettingsIn(SettingsFolder() + L"\\TDialix.ini");
  EXPECT_EQ(saved.ZOrderMode, zmBottom);
  EXPECT_TRUE(saved.Locked);
  EXPECT_EQ(saved.TimerInterval, 64u);
}

// A close request (an uninstaller, a restart) while the dialog is open: the
// dialog ends as Cancel first, then the program closes and saves as always.
TEST_F(SettingDialogTest, ACloseRequestEndsTheOpenDialogAsCancelThenClosesAndSaves) {
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ::PostMessageW(program->Master(), WM_DIALIX_SETTINGS, 1, 0);  // the operation page
  const HWND dialog = WaitForDialog(*program);
  ASSERT_TRUE(dialog) << TraceText();
  Click(Button(dialog, L"時計の位置を固定"));  // changed, never applied
  CloseInstance(*program);
  const std::vector<std::wstring> lines = TraceLines();
  const auto deferred = std::find(lines.begin(), lines.end(), L"close-deferred");
  const auto dialogClosed = std::find(lines.begin(), lines.end(), L"dialog-close TDialixSetting " + std::to_wstring(mrCancel));
  const auto closed = std::find(lines.begin(), lines.end(), L"close");
  EXPECT_TRUE(deferred < dialogClosed && dialogClosed < closed && closed != lines.end()) << TraceText();
  const TSettings saved = SettingsIn(SettingsFolder() + L"\\TDialix.ini");
  EXPECT_FALSE(saved.Locked) << "Cancel stored nothing";
  EXPECT_EQ(saved.SettingTab, 1) << "the page it was on is saved";
}

TEST_F(SettingDialogTest, RemovingAPlugInAsksToRestartAndNoKeepsTheProgramRunning) {
  const std::wstring plugin = SettingsFolder() + L"\\Sample.dll";
  ::SHCreateDirectoryExW(nullptr, SettingsFolder().c_str(), nullptr);
  ASSERT_TRUE(::CopyFileW(TDIALIX_WIDEN(TDIALIX_SAMPLE_DLL), plugin.c_str(), FALSE));
  WriteText(SettingsFolder() + L"\\TDialix.ini", L"[Plugins]\r\n1=" + plugin + L"\r\n");
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ::PostMessageW(program->Master(), WM_DIALIX_SETTINGS, 3, 0);  // on the plug-in page
  const HWND dialog = WaitForDialog(*program);
  ASSERT_TRUE(dialog) << TraceText();
  HWND list = FindControlByClass(dialog, WC_LISTVIEWW, 1);
  ASSERT_TRUE(list);
  ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
  SendKey(list, VK_HOME);
  SendKey(list, VK_DELETE);
  EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  Click(Button(dialog, L"適用(&A)"));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(program->Id)) != nullptr; })) << TraceText();
  EXPECT_EQ(MessageBoxText(box),
            L"プラグインの変更を反映するには、TDialix の再起動が必要です。\r\n今すぐ TDialix を再起動しますか?");
  ::PostMessageW(box, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"settings-applied"); })) << TraceText();
  EXPECT_FALSE(TracedPrefix(L"restart "));
  Click(Button(dialog, L"OK"));
  ExpectWindowGoes(dialog);
  EXPECT_TRUE(program->Running());
  CloseInstance(*program);
  const TSettings saved = SettingsIn(SettingsFolder() + L"\\TDialix.ini");
  EXPECT_TRUE(saved.PluginList.empty());
  EXPECT_EQ(saved.SettingTab, 3) << "the page the dialog closed on";
}

}  // namespace
}  // namespace tdialix
