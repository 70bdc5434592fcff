// The common settings dialog "共通設定" in the test's own process, over a
// master that only records what Apply asks of it, with the sample plug-in of
// this build as the plug-in to list, add and configure.
#include "dialogs/setting_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/text.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)

const wchar_t* const kSampleDll = TDIALIX_WIDEN(TDIALIX_SAMPLE_DLL);
const wchar_t* const kNoPluginDll = TDIALIX_WIDEN(TDIALIX_HOOK_DLL);

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tdialix-setting-test\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

std::vector<std::wstring> ReadLines(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  std::vector<std::wstring> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(Utf8ToWide(line));
  }
  return lines;
}

// A master that keeps a settings record and writes down what it is asked.
class TFakeMaster : public TSettingHost {
 public:
  TSettings Record;
  std::vector<std::string> Calls;
  unsigned Bits = 32;
  bool PriorityWorks = true;
  TPluginHost Plugins;
  HWND Window = nullptr;

  TSettings& SettingsRecord() override { return Record; }
  void SettingTimer(bool on) override { Calls.push_back(on ? "timer-on" : "timer-off"); }
  void SetTrayIconVisible(bool) override {}
  bool SetPriorityClass(int) override {
    Calls.push_back("priority");
    if (!PriorityWorks) ::SetLastError(ERROR_ACCESS_DENIED);
    return PriorityWorks;
  }
  void ActivateToolTip(bool) override {}
  void ResetTickCache() override {}
  void ApplyToClocks(bool, bool topMost) override { Calls.push_back(topMost ? "clocks topmost" : "clocks"); }
  bool RestartProgram() override {
    Calls.push_back("restart");
    return true;
  }
  void UpdateTrayClock() override {}
  unsigned DisplayBits() override { return Bits; }
  std::wstring SettingsFilePath() override { return TempFolder() + L"TDialix.ini"; }
  std::wstring ProgramFolder() override { return TempFolder(); }
  int ProcessPriorityClass() override { return 0x40; }
  std::optional<TPluginDescription> DescribePlugin(const std::wstring& fileName) override {
    return Plugins.Describe(fileName, Window);
  }
  std::optional<bool> ConfigurePlugin(const std::wstring& fileName, HWND dialog) override {
    return Plugins.Configure(fileName, dialog);
  }
  bool StartupShortcutExists() override { return false; }
  bool StyleFileAssociated() override { return true; }
  bool SetStartupShortcut(HWND, bool create) override {
    Calls.push_back(create ? "shortcut-on" : "shortcut-off");
    return true;
  }
  bool StartAssociationChange(HWND, bool) override { return true; }
};

// Answers the open dialog with the files, as the user picking them would.
std::function<BOOL(OPENFILENAMEW&)> Choose(std::vector<std::wstring> files) {
  return [files](OPENFILENAMEW& info) {
    std::wstring text;
    if (files.size() == 1) {
      text = files[0];
      text += L'\0';
    } else {
      // The folder, then the names.
      const std::wstring folder = files[0].substr(0, files[0].find_last_of(L'\\'));
      text = folder + L'\0';
      for (const std::wstring& file : files) text += file.substr(file.find_last_of(L'\\') + 1) + L'\0';
    }
    text += L'\0';
    if (text.size() > info.nMaxFile) return FALSE;
    std::copy(text.begin(), text.end(), info.lpstrFile);
    return TRUE;
  };
}

class SettingDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    ::SetEnvironmentVariableW(L"TDIALIX_SAMPLE_LOG", LogPath().c_str());
    ::DeleteFileW(LogPath().c_str());
    Master.Plugins.ProgramFolder = TempFolder();
    Master.Record.HolidayList = {{htPublic, hsDate, 11, 0, 3, L"文化の日", true},
                                 {htPublic, hsDate, 1, 0, 1, L"元日", true},
                                 {htPrivate, hsDate, 6, 0, 1, L"創立記念日", false}};
  }
  static std::wstring LogPath() { return TempFolder() + L"calls.log"; }
  // A copy of the sample plug-in in a folder of the test's.
  static std::wstring SampleCopy(const std::wstring& folder, const std::wstring& name) {
    const std::wstring dir = TempFolder() + folder;
    ::CreateDirectoryW(dir.c_str(), nullptr);
    const std::wstring path = dir + L"\\" + name;
    ::CopyFileW(kSampleDll, path.c_str(), FALSE);
    return path;
  }

  TFakeMaster Master;
};

TEST_F(SettingDialogTest, OpensWithItsPagesButtonsAndTheMastersValues) {
  Master.Record.TransParent = 80;
  Master.Record.ZOrderMode = zmTopMost;
  Master.Record.HideType = htHide;
  Master.Record.HideAlpha = 30;
  Master.Record.TimerInterval = 48;
  Master.Record.ToolTipFormat = L"yy/m/d";
  Master.Record.SettingTab = 4;
  TDialixSetting dialog(nullptr, Master, -1);
  dialog.CreateForm();
  EXPECT_EQ(WindowClass(dialog.Handle()), L"TDialixSetting");
  EXPECT_EQ(WindowText(dialog.Handle()), L"共通設定");
  EXPECT_EQ(TabTexts(dialog.PageControl.Handle()),
            (std::vector<std::wstring>{L"表示", L"操作", L"休日", L"プラグイン", L"起動", L"高度な設定"}));
  EXPECT_EQ(dialog.PageIndex(), 4) << "the page last closed";
  EXPECT_EQ(WindowText(dialog.ApplyButton.Handle()), L"適用(&A)");
  EXPECT_FALSE(Enabled(dialog.ApplyButton));
  EXPECT_EQ(dialog.TransParentTrackBar.Position(), 20);
  EXPECT_EQ(dialog.HideTransparentTrackBar.Position(), 70);
  EXPECT_EQ(SelectedItem(dialog.ZOrderComboBox.Handle()), 2);
  EXPECT_EQ(ItemTexts(dialog.ToolTipFormatComboBox.Handle()).size(), 16u);
  EXPECT_EQ(ItemTexts(dialog.TaskTrayFormatComboBox.Handle()), ItemTexts(dialog.ToolTipFormatComboBox.Handle()));
  EXPECT_EQ(WindowText(dialog.ToolTipFormatComboBox.Handle()), L"yy/m/d");
  EXPECT_EQ(WindowText(dialog.TimerIntervalEdit.Handle()), L"48");
  EXPECT_EQ(SelectedItem(dialog.PriorityComboBox.Handle()), 2) << "idle is 最低";
  EXPECT_FALSE(IsChecked(dialog.ShortCutCheckBox.Handle()));
  EXPECT_TRUE(IsChecked(dialog.AssociateCheckBox.Handle()));
  // The tool-tip format follows its check box.
  EXPECT_FALSE(Enabled(dialog.ToolTipFormatComboBox));
  EXPECT_FALSE(Enabled(dialog.ToolTipFormatLabel));
  // Holidays sorted, public first, in two groups.
  ASSERT_EQ(dialog.HolidayListView.ItemCount(), 3);
  EXPECT_EQ(dialog.HolidayListView.ItemText(0, 2), L"元日");
  EXPECT_EQ(dialog.HolidayListView.ItemText(1, 0), L"11 月 3 日");
  EXPECT_EQ(dialog.HolidayListView.ItemText(1, 1), L"あり");
  EXPECT_EQ(dialog.HolidayListView.ItemText(2, 2), L"創立記念日");
  // Every caption label stands right before its control in tab order.
  for (const auto& [label, control] : {std::pair<TWRControl*, TWRControl*>{&dialog.TransParentLabel, &dialog.TransParentTrackBar},
                                       {&dialog.ZOrderLabel, &dialog.ZOrderComboBox},
                                       {&dialog.ToolTipFormatLabel, &dialog.ToolTipFormatComboBox},
                                       {&dialog.HideTypeLabel, &dialog.HideTypeComboBox},
                                       {&dialog.HoleSizeLabel, &dialog.HoleSizeTrackBar},
                                       {&dialog.TimerIntervalLabel, &dialog.TimerIntervalEdit},
                                       {&dialog.PriorityLabel, &dialog.PriorityComboBox}}) {
    EXPECT_EQ(::GetWindow(label->Handle(), GW_HWNDNEXT), control->Handle()) << WindowText(label->Handle());
  }
}

TEST_F(SettingDialogTest, AChangeWhileLoadingEnablesNothingAndOneAfterShowingEnablesApply) {
  TDialixSetting dialog(nullptr, Master, 0);
  dialog.CreateForm();
  SelectItem(dialog.ZOrderComboBox.Handle(), 3);
  Click(dialog.LockedCheckBox.Handle());
  EXPECT_FALSE(Enabled(dialog.ApplyButton)) << "not shown yet";
  dialog.Release();

  const int result = RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
    EXPECT_FALSE(Enabled(dialog.ApplyButton));
    EXPECT_EQ(::GetFocus(), dialog.TransParentTrackBar.Handle()) << "the page's first control";
    dialog.ZOrderComboBox.SetFocus();
    SelectItem(dialog.ZOrderComboBox.Handle(), 3);
    EXPECT_TRUE(Enabled(dialog.ApplyButton));
    // Pressed as a click does: the button takes the focus first.
    dialog.ApplyButton.SetFocus();
    Click(dialog.ApplyButton.Handle());
    EXPECT_FALSE(Enabled(dialog.ApplyButton));
    EXPECT_EQ(::GetFocus(), dialog.ZOrderComboBox.Handle()) << "the focus goes back where it was";
    EXPECT_EQ(Master.Record.ZOrderMode, zmBottom);
    EXPECT_EQ(Master.Calls.back(), "timer-on");
    Master.Calls.clear();
    // Cancel keeps what Apply stored.
    Click(dialog.ShowToolTipCheckBox.Handle());
    PostKey(window, VK_ESCAPE);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Master.Record.ZOrderMode, zmBottom);
  EXPECT_FALSE(Master.Record.ShowToolTip);
  EXPECT_TRUE(Master.Calls.empty());
}

TEST_F(SettingDialogTest, TheHideTypeShowsItsSlidersAndAPaletteDisplayGreysTheTranslucentOnes) {
  TDialixSetting dialog(nullptr, Master, 1);
  dialog.CreateForm();
  SelectItem(dialog.HideTypeComboBox.Handle(), 3);  // 素通り
  EXPECT_TRUE(Visible(dialog.ClickHideCheckBox));
  for (const TWRControl* slider : {&dialog.HideSensitiveTrackBar, &dialog.HideTransparentTrackBar,
                                   &dialog.HideSpeedTrackBar, &dialog.HoleSizeTrackBar, &dialog.HoleTransparentTrackBar,
                                   &dialog.HoleSoftTrackBar}) {
    EXPECT_FALSE(Visible(*slider));
  }
  SelectItem(dialog.HideTypeComboBox.Handle(), 0);  // なし
  EXPECT_FALSE(Visible(dialog.ClickHideCheckBox));
  EXPECT_FALSE(Visible(dialog.HideSensitiveLabel));

  // The display goes to 256 colours while the dialog is open: the clock can
  // no longer be translucent (it still is at 16 bits a pixel).
  ::SendMessageW(dialog.Handle(), WM_DISPLAYCHANGE, 8, MAKELPARAM(800, 600));
  SelectItem(dialog.HideTypeComboBox.Handle(), 1);  // 隠す
  EXPECT_TRUE(Visible(dialog.HideSensitiveTrackBar) && Enabled(dialog.HideSensitiveTrackBar));
  EXPECT_TRUE(Visible(dialog.HideTransparentTrackBar) && !Enabled(dialog.HideTransparentTrackBar));
  EXPECT_TRUE(Visible(dialog.HideSpeedTrackBar) && !Enabled(dialog.HideSpeedTrackBar));
  EXPECT_FALSE(Visible(dialog.HoleSizeTrackBar));
  SelectItem(dialog.HideTypeComboBox.Handle(), 2);  // 穴を開ける
  EXPECT_TRUE(Visible(dialog.HoleSizeTrackBar) && Enabled(dialog.HoleSizeTrackBar));
  EXPECT_TRUE(Visible(dialog.HoleTransparentTrackBar) && !Enabled(dialog.HoleTransparentTrackBar));
  EXPECT_TRUE(Visible(dialog.HoleSoftTrackBar) && !Enabled(dialog.HoleSoftTrackBar));
  EXPECT_FALSE(Enabled(dialog.TransParentTrackBar));
  EXPECT_FALSE(Visible(dialog.HideSensitiveTrackBar));
  // At 16 bits a pixel, as in full colour, everything shown is enabled.
  ::SendMessageW(dialog.Handle(), WM_DISPLAYCHANGE, 16, MAKELPARAM(800, 600));
  EXPECT_TRUE(Enabled(dialog.TransParentTrackBar));
  EXPECT_TRUE(Enabled(dialog.HoleSoftTrackBar));
}

TEST_F(SettingDialogTest, OnAPaletteDisplayTheViewPageFocusesItsFirstEnabledControl) {
  Master.Bits = 8;
  TDialixSetting dialog(nullptr, Master, 0);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_FALSE(Enabled(dialog.TransParentTrackBar));
    const HWND focus = ::GetFocus();
    EXPECT_TRUE(focus && ::IsWindowEnabled(focus) && ::IsChild(dialog.Handle(), focus));
    Click(dialog.CancelButton.Handle());
  });
}

TEST_F(SettingDialogTest, HolidaysAreAddedChangedAndDeletedThroughTheirDialog) {
  TDialixSetting dialog(nullptr, Master, 2);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
    // Added: 5 月 1 日, which sorts between 元日 and 文化の日.
    RunModal([&] { Click(dialog.HolidayAddButton.Handle()); return 0; }, [&](HWND holiday) {
      EXPECT_EQ(WindowClass(holiday), L"TDialixHoliday");
      const HWND month = FindControlByClass(holiday, L"Edit", 0);
      SetText(month, L"5");
      SetText(FindControlByClass(holiday, L"Edit", 3), L"メーデー");
      Click(FindControlById(holiday, IDOK));
    });
    ASSERT_EQ(dialog.HolidayListView.ItemCount(), 4);
    EXPECT_EQ(dialog.HolidayListView.ItemText(1, 2), L"メーデー");
    EXPECT_EQ(dialog.HolidayListView.SelectedItems(), std::vector<int>{1});
    EXPECT_EQ(::GetFocus(), dialog.HolidayListView.Handle());
    EXPECT_TRUE(Enabled(dialog.ApplyButton));

    // Changed: 元日 becomes a private holiday and moves into that group, before 6 月 1 日.
    SelectRows(dialog.HolidayListView.Handle(), {0});
    EXPECT_TRUE(Enabled(dialog.HolidayModifyButton));
    RunModal([&] { Click(dialog.HolidayModifyButton.Handle()); return 0; }, [&](HWND holiday) {
      SelectItem(FindControlByClass(holiday, L"ComboBox", 0), 1);
      Click(FindControlById(holiday, IDOK));
    });
    EXPECT_EQ(dialog.HolidayListView.ItemText(2, 2), L"元日");
    EXPECT_EQ(dialog.HolidayListView.SelectedItems(), std::vector<int>{2});

    // Two rows: delete only.
    SelectRows(dialog.HolidayListView.Handle(), {0, 1});
    EXPECT_FALSE(Enabled(dialog.HolidayModifyButton));
    EXPECT_TRUE(Enabled(dialog.HolidayDeleteButton));
    Click(dialog.HolidayDeleteButton.Handle());
    ASSERT_EQ(dialog.HolidayListView.ItemCount(), 2);
    EXPECT_EQ(dialog.HolidayListView.SelectedItems(), std::vector<int>{0}) << "the row at the first deleted index";
    // The last row by the Delete key: the new last row is selected.
    SelectRows(dialog.HolidayListView.Handle(), {1});
    SendKey(dialog.HolidayListView.Handle(), VK_DELETE);
    ASSERT_EQ(dialog.HolidayListView.ItemCount(), 1);
    EXPECT_EQ(dialog.HolidayListView.SelectedItems(), std::vector<int>{0});
    Click(dialog.OKButton.Handle());
    (void)window;
  });
  ASSERT_EQ(Master.Record.HolidayList.size(), 1u);
  EXPECT_EQ(Master.Record.HolidayList[0].Name, L"元日");
  EXPECT_EQ(Master.Record.HolidayList[0].HolidayType, htPrivate);
}

TEST_F(SettingDialogTest, TheDefaultLinkPutsTheBuiltInTableBack) {
  TDialixSetting dialog(nullptr, Master, 2);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    NMLINK link{};
    link.hdr.hwndFrom = dialog.DefaultHolidayButton.Handle();
    link.hdr.idFrom = static_cast<UINT_PTR>(dialog.DefaultHolidayButton.Id());
    link.hdr.code = NM_CLICK;
    ::SendMessageW(::GetParent(dialog.DefaultHolidayButton.Handle()), WM_NOTIFY, link.hdr.idFrom,
                   reinterpret_cast<LPARAM>(&link));
    EXPECT_EQ(dialog.HolidayListView.ItemCount(), static_cast<int>(DefaultHolidays().size()));
    EXPECT_TRUE(Enabled(dialog.ApplyButton));
    Click(dialog.CancelButton.Handle());
  });
  EXPECT_EQ(Master.Record.HolidayList.size(), 3u) << "Cancel stored nothing";
}

TEST_F(SettingDialogTest, PluginsAreAddedRefusedConfiguredAndRemoved) {
  const std::wstring sample = SampleCopy(L"one", L"Sample.dll");
  const std::wstring sameName = SampleCopy(L"two", L"sample.DLL");
  const std::wstring missing = TempFolder() + L"gone\\Missing.dll";
  Master.Record.PluginList = {missing};
  TDialixSetting dialog(nullptr, Master, 3);
  const int result = RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_EQ(dialog.PluginListView.ItemCount(), 0) << "a missing file shows no row";
    EXPECT_FALSE(Enabled(dialog.SettingPluginButton));
    EXPECT_FALSE(Enabled(dialog.DeletePluginButton));

    dialog.OpenDialogRunner = Choose({sample});
    Click(dialog.AddPluginButton.Handle());
    ASSERT_EQ(dialog.PluginListView.ItemCount(), 1);
    EXPECT_EQ(dialog.PluginListView.ItemText(0, 0), L"サンプル プラグイン");
    EXPECT_EQ(dialog.PluginListView.ItemText(0, 1), L"1.0.0");
    EXPECT_EQ(dialog.PluginListView.SelectedItems(), std::vector<int>{0});
    EXPECT_EQ(WindowText(dialog.PluginDescriptionLabel.Handle()).rfind(L"TDialix のプラグインの書き方", 0), 0u);
    EXPECT_TRUE(Enabled(dialog.ApplyButton));

    // The same file name from another folder, and a library without PluginProc.
    dialog.OpenDialogRunner = Choose({sameName});
    RunModal([&] { Click(dialog.AddPluginButton.Handle()); return 0; }, [&](HWND box) {
      EXPECT_NE(WindowText(FindControlById(box, 0xFFFF)).find(L"プラグイン 'sample.DLL' は既に追加されています。"),
                std::wstring::npos);
      PostKey(box, VK_RETURN);
    });
    dialog.OpenDialogRunner = Choose({kNoPluginDll});
    RunModal([&] { Click(dialog.AddPluginButton.Handle()); return 0; }, [&](HWND box) {
      EXPECT_NE(WindowText(FindControlById(box, 0xFFFF)).find(L"これは TDialix 用のプラグインではないか"),
                std::wstring::npos);
      PostKey(box, VK_RETURN);
    });
    EXPECT_EQ(dialog.PluginListView.ItemCount(), 1);

    // "設定..." reaches the plug-in with the dialog as its window.
    Click(dialog.SettingPluginButton.Handle());
    const std::vector<std::wstring> log = ReadLines(LogPath());
    std::string lines;
    for (const std::wstring& line : log) lines += WideToUtf8(line) + "\n";
    EXPECT_NE(std::find(log.begin(), log.end(), L"Sample CONFIGURE TDialixSetting"), log.end()) << lines;

    // Apply asks to restart; No.
    RunModal([&] { Click(dialog.ApplyButton.Handle()); return 0; }, [&](HWND box) {
      EXPECT_NE(WindowText(FindControlById(box, 0xFFFF)).find(L"再起動が必要です"), std::wstring::npos);
      Click(FindControlById(box, IDNO));
    });
    EXPECT_EQ(std::find(Master.Calls.begin(), Master.Calls.end(), "restart"), Master.Calls.end());
    EXPECT_EQ(Master.Record.PluginList, (std::vector<std::wstring>{sample, missing})) << "the missing file stays";

    SelectRows(dialog.PluginListView.Handle(), {0});
    SendKey(dialog.PluginListView.Handle(), VK_DELETE);
    EXPECT_EQ(dialog.PluginListView.ItemCount(), 0);
    EXPECT_TRUE(dialog.PluginsChanged());

    // Apply asks again; Yes: the program starts anew, and the dialog closes
    // before the program does.
    RunModal([&] { Click(dialog.ApplyButton.Handle()); return 0; },
             [&](HWND box) { Click(FindControlById(box, IDYES)); });
    EXPECT_NE(std::find(Master.Calls.begin(), Master.Calls.end(), "restart"), Master.Calls.end());
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(Master.Record.PluginList, (std::vector<std::wstring>{missing}));
}

TEST_F(SettingDialogTest, AFailedPriorityKeepsTheDialogOpenOnThePriorityBox) {
  Master.PriorityWorks = false;
  TDialixSetting dialog(nullptr, Master, 0);
  const int result = RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
    Click(dialog.HideTrayClockCheckBox.Handle());
    RunModal([&] { Click(dialog.OKButton.Handle()); return 0; }, [&](HWND box) {
      EXPECT_NE(WindowText(FindControlById(box, 0xFFFF)).find(L"優先度を変更できませんでした。"), std::wstring::npos);
      PostKey(box, VK_RETURN);
    });
    EXPECT_TRUE(::IsWindowVisible(window)) << "OK closes only after a complete Apply";
    EXPECT_TRUE(Enabled(dialog.ApplyButton));
    EXPECT_EQ(::GetFocus(), dialog.PriorityComboBox.Handle());
    EXPECT_EQ(dialog.PageIndex(), spAdvanced);
    EXPECT_EQ(Master.Calls, (std::vector<std::string>{"timer-off", "priority", "timer-on"}));
    Master.PriorityWorks = true;
    Click(dialog.OKButton.Handle());
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Master.Record.HideTrayClock);
}

TEST_F(SettingDialogTest, EveryPageFitsItsTexts) {
  const std::wstring sample = SampleCopy(L"one", L"Sample.dll");
  Master.Record.PluginList = {sample};
  Master.Record.HideType = htHole;
  const char* const names[] = {"view", "operation", "holiday", "plugin", "startup", "advanced"};
  for (int page = 0; page < kSettingPageCount; ++page) {
    TDialixSetting dialog(nullptr, Master, page);
    RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
      PumpDialogFor(window, 300);
      EXPECT_TRUE(TextsThatDoNotFit(window).empty()) << names[page] << ": " << Describe(TextsThatDoNotFit(window));
      EXPECT_TRUE(SaveScreenshot(window, std::wstring(TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)) + L"\\tdialix-setting-" +
                                             Utf8ToWide(names[page]) + L".png"));
      Click(dialog.CancelButton.Handle());
    });
  }
}

}  // namespace
}  // namespace tdialix
