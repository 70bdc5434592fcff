#include "dialogs/setting_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tdialix {
namespace {

TEST(SettingFields, EveryControlReadsItsSettingAndWritesItBack) {
  TSettings s;
  s.TransParent = 70;
  s.ZOrderMode = zmBottom;
  s.ShowToolTip = true;
  s.ToolTipFormat = L"yyyy/m/d";
  s.EnableOtherwiseShowWindow = false;
  s.ShowTaskTrayIcon = false;
  s.TaskTrayFormat = L"gge'年'm'月'd'日'";
  s.HideTrayClock = true;
  s.HideOnFullScreen = false;
  s.Locked = true;
  s.HideType = htHole;
  s.HideSensitive = 33;
  s.HideAlpha = 40;
  s.HideSpeed = 12;
  s.HoleSize = 250;
  s.HoleAlpha = 65;
  s.HoleSoft = 7;
  s.ClickHide = true;
  s.TimerInterval = 64;
  s.PowerSavingMode = false;

  const TSettingFields f = SettingFields(s, kBelowNormalPriorityClass);
  EXPECT_EQ(f.TransParentPosition, 30);       // inverted
  EXPECT_EQ(f.HideTransparentPosition, 60);   // inverted
  EXPECT_EQ(f.HoleTransparent, 65);           // as it is
  EXPECT_EQ(f.ZOrder, zmBottom);
  EXPECT_EQ(f.HideType, htHole);
  EXPECT_EQ(f.HideSensitive, 33);
  EXPECT_EQ(f.HideSpeed, 12);
  EXPECT_EQ(f.HoleSize, 250);
  EXPECT_EQ(f.HoleSoft, 7);
  EXPECT_EQ(f.TimerInterval, 64);
  EXPECT_EQ(f.Priority, 1);
  EXPECT_EQ(f.ToolTipFormat, s.ToolTipFormat);
  EXPECT_EQ(f.TaskTrayFormat, s.TaskTrayFormat);

  TSettings back;
  StoreViewAndOperation(f, back);
  StoreAdvanced(f, back);
  EXPECT_EQ(back, s);
}

TEST(SettingFields, ValuesOutsideAControlsRangeStartAtItsNearestEnd) {
  TSettings s;
  s.TransParent = 200;
  s.HideSensitive = 90;
  s.HoleSize = 1000;
  s.TimerInterval = 1;
  const TSettingFields f = SettingFields(s, kNormalPriorityClass);
  EXPECT_EQ(f.TransParentPosition, 0);
  EXPECT_EQ(f.HideSensitive, 50);
  EXPECT_EQ(f.HoleSize, 400);
  EXPECT_EQ(f.TimerInterval, 8);
}

TEST(SettingFields, PriorityEntriesAndClasses) {
  struct TCase {
    int Class;
    int Index;
  };
  for (const TCase c : {TCase{kIdlePriorityClass, 2}, TCase{kBelowNormalPriorityClass, 1},
                        TCase{kNormalPriorityClass, 0}, TCase{0x8000, 0}, TCase{0x80, 0}}) {
    EXPECT_EQ(PriorityIndexOfClass(c.Class), c.Index) << c.Class;
  }
  EXPECT_EQ(PriorityClassOfIndex(0), kNormalPriorityClass);
  EXPECT_EQ(PriorityClassOfIndex(1), kBelowNormalPriorityClass);
  EXPECT_EQ(PriorityClassOfIndex(2), kIdlePriorityClass);
  EXPECT_EQ(PriorityClassOfIndex(-1), kIdlePriorityClass);
}

TEST(SettingFields, TheDialogOpensOnTheAskedPageOrTheLastClosedOne) {
  EXPECT_EQ(SettingOpeningPage(3, 1), 3);
  EXPECT_EQ(SettingOpeningPage(0, 5), 0);
  EXPECT_EQ(SettingOpeningPage(5, 0), 5);
  EXPECT_EQ(SettingOpeningPage(6, 2), 2);
  EXPECT_EQ(SettingOpeningPage(-1, 4), 4);
  EXPECT_EQ(SettingOpeningPage(-1, 9), 0);
}

TEST(SettingFields, SixteenPresetFormats) {
  const auto& presets = DateFormatPresets();
  ASSERT_EQ(presets.size(), 16u);
  EXPECT_EQ(presets.front(), L"yyyy/mm/dd");
  EXPECT_EQ(presets[10], L"gge'年'mm'月'dd'日'");
  EXPECT_EQ(presets.back(), L"yyyy'年'm'月'd'日'(dddd)");
}

TEST(SettingFields, HideTypeShowsItsSlidersAndTranslucentOnesNeedMoreThan15Bits) {
  using S = THideControls::TState;
  const S off{}, on{true, true}, grey{true, false};
  struct TCase {
    int Type;
    unsigned Bits;
    S Sensitive, Transparent, Speed, HoleSize, HoleTransparent, HoleSoft, ClickHide;
  };
  const TCase cases[] = {
      {htNone, 32, off, off, off, off, off, off, off},
      {htHide, 32, on, on, on, off, off, off, on},
      {htHide, 16, on, on, on, off, off, off, on},  // 16 bits a pixel still draws translucent clocks
      {htHide, 15, on, grey, grey, off, off, off, on},
      {htHole, 32, off, off, off, on, on, on, on},
      {htHole, 8, off, off, off, on, grey, grey, on},
      {htTransparent, 32, off, off, off, off, off, off, on},
      {htTransparent, 8, off, off, off, off, off, off, on},
  };
  for (const TCase& c : cases) {
    const THideControls h = HideControls(c.Type, c.Bits);
    EXPECT_EQ(h, (THideControls{c.Sensitive, c.Transparent, c.Speed, c.HoleSize, c.HoleTransparent, c.HoleSoft,
                                c.ClickHide}))
        << "type " << c.Type << " at " << c.Bits << " bits";
  }
  EXPECT_TRUE(TranslucencyAvailable(24));
  EXPECT_FALSE(TranslucencyAvailable(15));
  EXPECT_TRUE(TranslucencyAvailable(16));
}

TEST(SettingFields, HolidayRowsTheirGroupsAndOrder) {
  const std::array<std::wstring, 7> days{L"日曜日", L"月曜日", L"火曜日", L"水曜日", L"木曜日", L"金曜日", L"土曜日"};
  EXPECT_EQ(HolidayRow({htPublic, hsDate, 11, 0, 3, L"文化の日", true}, days),
            (THolidayRow{0, L"11 月 3 日", L"あり", L"文化の日"}));
  EXPECT_EQ(HolidayRow({htPrivate, hsDayOfWeek, 1, 2, 1, L"成人の日", false}, days),
            (THolidayRow{1, L"1 月第 2 月曜日", L"なし", L"成人の日"}));

  std::vector<THoliday> list{{htPrivate, hsDate, 1, 1, 5, L"p", false},
                             {htPublic, hsDate, 5, 0, 5, L"c", false},
                             {htPublic, hsDayOfWeek, 1, 2, 1, L"b", false},
                             {htPublic, hsDate, 1, 0, 1, L"a", false},
                             {htPublic, hsDate, 5, 0, 3, L"d", false}};
  SortHolidays(list);
  std::wstring order;
  for (const THoliday& h : list) order += h.Name;
  EXPECT_EQ(order, L"abdcp");  // public first; month, week, day
}

TEST(SettingFields, PluginNamesDuplicatesAndTheListApplyKeeps) {
  EXPECT_EQ(PluginRowName(L"Sample", L"C:\\p\\a.dll", false), L"Sample");
  EXPECT_EQ(PluginRowName(L"", L"C:\\p\\a.dll", false), L"a.dll");
  EXPECT_EQ(PluginRowName(L"", L"C:\\p\\a.dll", true), L"C:\\p\\a");
  EXPECT_EQ(PluginRowName(L"", L"C:\\p.d\\a", true), L"C:\\p.d\\a");

  std::vector<TPluginRow> rows{{L"C:\\one\\Clock.dll", L"zeta", L"B", L"1", L""},
                               {L"C:\\one\\b.dll", L"Alpha", L"A", L"2", L""},
                               {L"D:\\b.dll", L"beta", L"B", L"1", L""}};
  EXPECT_TRUE(PluginFileListed(rows, L"E:\\other\\CLOCK.DLL"));
  EXPECT_FALSE(PluginFileListed(rows, L"C:\\one\\Clock2.dll"));
  SortPluginRows(rows);
  EXPECT_EQ(rows[0].PluginName, L"Alpha");
  EXPECT_EQ(rows[1].PluginName, L"beta");
  EXPECT_EQ(rows[2].PluginName, L"zeta");
  EXPECT_EQ(PluginAuthors(rows), (std::vector<std::wstring>{L"A", L"B"}));

  // Files that were missing when the dialog opened stay in the list, after the rows.
  EXPECT_EQ(PluginListAfterChange(rows, {L"F:\\usb\\x.dll", L"c:\\ONE\\b.dll"}),
            (std::vector<std::wstring>{L"C:\\one\\b.dll", L"D:\\b.dll", L"C:\\one\\Clock.dll", L"F:\\usb\\x.dll"}));
}

// Apply against a master and a dialog that write down what they are asked.
class TApplyRecorder : public TSettingApplyHost, public TSettingApplyDialog {
 public:
  TSettings Record;
  std::vector<std::string> Calls;
  bool PriorityWorks = true;
  bool RestartAnswer = false;
  bool RestartWorks = true;

  TSettings& SettingsRecord() override { return Record; }
  void SettingTimer(bool on) override { Calls.push_back(on ? "timer-on" : "timer-off"); }
  void SetTrayIconVisible(bool visible) override { Calls.push_back(visible ? "icon-on" : "icon-off"); }
  bool SetPriorityClass(int priorityClass) override {
    Calls.push_back("priority " + std::to_string(priorityClass));
    return PriorityWorks;
  }
  void ActivateToolTip(bool active) override { Calls.push_back(active ? "tooltip-on" : "tooltip-off"); }
  void ResetTickCache() override { Calls.push_back("reset-tick"); }
  void ApplyToClocks(bool clickThrough, bool topMost) override {
    Calls.push_back(std::string("clocks") + (clickThrough ? " through" : "") + (topMost ? " topmost" : ""));
  }
  bool RestartProgram() override {
    Calls.push_back("restart");
    return RestartWorks;
  }
  void UpdateTrayClock() override { Calls.push_back("tray-clock"); }
  void SetStartupShortcut(bool create) override { Calls.push_back(create ? "shortcut-on" : "shortcut-off"); }
  void StartAssociationChange(bool associate) override {
    Calls.push_back(associate ? "associate-on" : "associate-off");
  }
  void PriorityFailed() override { Calls.push_back("priority-failed"); }
  bool AskRestart() override {
    Calls.push_back("ask-restart");
    return RestartAnswer;
  }
  void RestartFailed() override { Calls.push_back("restart-failed"); }
};

TSettingApplyInput ChangedInput() {
  TSettingApplyInput input;
  input.Fields.ZOrder = zmTopMost;
  input.Fields.HideType = htHide;
  input.Fields.ShowToolTip = true;
  input.Fields.ShowTaskTrayIcon = false;
  input.Fields.TimerInterval = 96;
  input.Fields.Priority = 0;
  input.Holidays = {{htPublic, hsDate, 1, 0, 1, L"元日", true}};
  input.StartupClicked = true;
  input.StartupChecked = true;
  input.AssociateClicked = true;
  input.AssociateChecked = false;
  input.PluginsChanged = true;
  input.Plugins = {L"C:\\p\\a.dll"};
  return input;
}

TEST(SettingApply, EverythingInOrderThenTheRestartQuestion) {
  TApplyRecorder master;
  TSettingApplyInput input = ChangedInput();
  master.RestartAnswer = true;
  ASSERT_TRUE(ApplySettings(input, master, master));
  EXPECT_EQ(master.Calls, (std::vector<std::string>{"timer-off", "icon-off", "shortcut-on", "associate-off",
                                                    "priority 32", "tooltip-on", "reset-tick", "clocks through topmost",
                                                    "ask-restart", "restart", "timer-on", "tray-clock"}));
  EXPECT_EQ(master.Record.ZOrderMode, zmTopMost);
  EXPECT_EQ(master.Record.TimerInterval, 96u);
  EXPECT_EQ(master.Record.HolidayList, input.Holidays);
  EXPECT_EQ(master.Record.PluginList, input.Plugins);
  EXPECT_FALSE(input.StartupClicked || input.AssociateClicked || input.PluginsChanged);
  EXPECT_TRUE(input.RestartStarted);

  // Nothing clicked, nothing changed: no shortcut, no association, no question.
  master.Calls.clear();
  input.Fields.HideType = htNone;
  input.Fields.ZOrder = zmBottom;
  ASSERT_TRUE(ApplySettings(input, master, master));
  EXPECT_EQ(master.Calls, (std::vector<std::string>{"timer-off", "icon-off", "priority 32", "tooltip-on",
                                                    "reset-tick", "clocks", "timer-on", "tray-clock"}));
}

TEST(SettingApply, ARestartThatFailsIsShownAndNoIsNoRestart) {
  TApplyRecorder master;
  TSettingApplyInput input = ChangedInput();
  master.RestartAnswer = true;
  master.RestartWorks = false;
  ASSERT_TRUE(ApplySettings(input, master, master));
  EXPECT_NE(std::find(master.Calls.begin(), master.Calls.end(), "restart-failed"), master.Calls.end());
  EXPECT_FALSE(input.RestartStarted);

  master.Calls.clear();
  input.PluginsChanged = true;
  master.RestartAnswer = false;
  ASSERT_TRUE(ApplySettings(input, master, master));
  EXPECT_NE(std::find(master.Calls.begin(), master.Calls.end(), "ask-restart"), master.Calls.end());
  EXPECT_EQ(std::find(master.Calls.begin(), master.Calls.end(), "restart"), master.Calls.end());
  EXPECT_FALSE(input.RestartStarted);
}

TEST(SettingApply, APriorityFailureStopsBeforeTheClocksAndKeepsTheRestForLater) {
  TApplyRecorder master;
  master.PriorityWorks = false;
  TSettingApplyInput input = ChangedInput();
  EXPECT_FALSE(ApplySettings(input, master, master));
  EXPECT_EQ(master.Calls, (std::vector<std::string>{"timer-off", "icon-off", "shortcut-on", "associate-off",
                                                    "priority 32", "priority-failed", "timer-on"}));
  // What came before the priority is stored; the advanced page is not.
  EXPECT_EQ(master.Record.ZOrderMode, zmTopMost);
  EXPECT_EQ(master.Record.PluginList, input.Plugins);
  EXPECT_EQ(master.Record.TimerInterval, 32u);
  // The plug-in question is still to come on the next Apply.
  EXPECT_TRUE(input.PluginsChanged);
  master.PriorityWorks = true;
  master.Calls.clear();
  EXPECT_TRUE(ApplySettings(input, master, master));
  EXPECT_NE(std::find(master.Calls.begin(), master.Calls.end(), "ask-restart"), master.Calls.end());
  EXPECT_EQ(master.Record.TimerInterval, 96u);
}

}  // namespace
}  // namespace tdialix
