#include "app/popup_menu.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tdialix {
namespace {

// One line per item: indentation by depth, caption ("-" for a separator),
// command id, flags (b new column, d default, h hidden, x disabled, c ticked),
// name; so a whole menu compares as one table.
std::wstring Line(int depth, const std::wstring& caption, int command, const std::wstring& flags,
                  const std::wstring& name) {
  std::wstring line(depth * 2, L' ');
  line += caption;
  if (command != kCmdNone) line += L" #" + std::to_wstring(command);
  if (!flags.empty()) line += L" [" + flags + L"]";
  if (!name.empty()) line += L" <" + name + L">";
  return line;
}

void AddLines(std::vector<std::wstring>& lines, const TMenuItem& menu, int depth) {
  for (const TMenuItem& item : menu.Items) {
    std::wstring flags;
    if (item.BreakColumn) flags += L'b';
    if (item.Default) flags += L'd';
    if (!item.Visible) flags += L'h';
    if (!item.Enabled) flags += L'x';
    if (item.Checked) flags += L'c';
    lines.push_back(Line(depth, item.Separator ? L"-" : item.Caption, item.Command, flags, item.Name));
    AddLines(lines, item, depth + 1);
  }
}

std::vector<std::wstring> Lines(const TMenuItem& menu) {
  std::vector<std::wstring> lines;
  AddLines(lines, menu, 0);
  return lines;
}

struct TExpectedLine {
  int Depth;
  const wchar_t* Caption;
  int Command = kCmdNone;
  const wchar_t* Flags = L"";
  const wchar_t* Name = L"";
};

std::vector<std::wstring> Lines(std::initializer_list<TExpectedLine> expected) {
  std::vector<std::wstring> lines;
  for (const TExpectedLine& e : expected) lines.push_back(Line(e.Depth, e.Caption, e.Command, e.Flags, e.Name));
  return lines;
}

TEST(PopupMenu, FixedItemsInOrder) {
  const TMenuItem menu = BuildPopupMenu({});
  EXPECT_EQ(Lines(menu), Lines({
                             {0, L"共通設定...", kCmdSettings},
                             {0, L"スタイル"},
                             {1, L"スタイルの編集...", kCmdEditStyle, L"d"},
                             {1, L"-"},
                             {1, L"プラグイン", kCmdNone, L"hx", L"PluginStyleMenu"},
                             {1, L"-"},
                             {1, L"読み込み...", kCmdLoadStyle},
                             {1, L"名前を付けて保存...", kCmdSaveStyle},
                             {1, L"自動切り替え...", kCmdAutoStyle},
                             {1, L"-"},
                             {1, L"履歴", kCmdNone, L"hx", L"Recent1"},
                             {0, L"-"},
                             {0, L"表示するモニター", kCmdNone, L"h", L"Show1"},
                             {1, L"モニター", kCmdNone, L"hx", L"Monitor1"},
                             {0, L"移動"},
                             // Three columns: the items go down each column in turn.
                             {1, L"左上", kCmdMoveFirst + 0},
                             {1, L"左", kCmdMoveFirst + 3},
                             {1, L"左下", kCmdMoveFirst + 6},
                             {1, L"上", kCmdMoveFirst + 1, L"b"},
                             {1, L"中央", kCmdMoveFirst + 4},
                             {1, L"下", kCmdMoveFirst + 7},
                             {1, L"右上", kCmdMoveFirst + 2, L"b"},
                             {1, L"右", kCmdMoveFirst + 5},
                             {1, L"右下", kCmdMoveFirst + 8},
                             {0, L"-"},
                             {0, L"プラグイン", kCmdNone, L"hx", L"PluginMainMenu"},
                             {0, L"-"},
                             {0, L"世界時計...", kCmdWorldClock},
                             {0, L"ツール"},
                             {1, L"プラグイン", kCmdNone, L"hx", L"PluginToolMenu"},
                             {1, L"-"},
                             {1, L"スクリーン セーバー", kCmdScreenSaver},
                             {1, L"モニター省電力", kCmdMonitorOff},
                             {0, L"-"},
                             {0, L"ヘルプ", kCmdHelp},
                             {0, L"バージョン情報...", kCmdAbout},
                             {0, L"-"},
                             {0, L"TDialix を終了", kCmdExit},
                         }));
}

TEST(PopupMenu, DynamicItemsFollowTheirPlaceholders) {
  TPopupMenuContent content;
  content.RecentStyles = {L"C:\\S\\Night & Day.dlx", L"D:\\morning.dlx"};
  content.Monitors = MonitorMenuItems(
      {{1, 0, {0, 0, 1920, 1080}, L"(1) A (主モニター)"}, {2, 1, {1920, 0, 3200, 1024}, L"(2) B"}},
      {{1.0f, 3.0f, false}, {}});
  TMenuItem pluginA;
  pluginA.Caption = L"A";
  pluginA.Tag = 7;
  pluginA.Hint = L"p1.dll";
  TMenuItem pluginSeparator;
  pluginSeparator.Separator = true;
  TMenuItem pluginB = pluginA, pluginC = pluginA, pluginSub = pluginA;
  pluginB.Caption = L"B";
  pluginB.Tag = 8;
  pluginC.Caption = L"C";
  pluginC.Tag = 9;
  pluginSub.Caption = L"Sub";
  pluginSub.Tag = 0;
  pluginSub.Items = {pluginB, pluginC};
  TMenuItem pluginS = pluginA, pluginT = pluginA;
  pluginS.Caption = L"S";
  pluginS.Hint = L"p2.dll";
  pluginT.Caption = L"T";
  content.PluginMainItems = {pluginA, pluginSeparator, pluginSub};
  content.PluginStyleItems = {pluginS};
  content.PluginToolItems = {pluginT};

  const TMenuItem menu = BuildPopupMenu(content);
  // Plug-in ids run from the top of the menu down.
  EXPECT_EQ(Lines(menu), Lines({
                             {0, L"共通設定...", kCmdSettings},
                             {0, L"スタイル"},
                             {1, L"スタイルの編集...", kCmdEditStyle, L"d"},
                             {1, L"-"},
                             {1, L"プラグイン", kCmdNone, L"hx", L"PluginStyleMenu"},
                             {1, L"S", kCmdPluginFirst},
                             {1, L"-"},
                             {1, L"読み込み...", kCmdLoadStyle},
                             {1, L"名前を付けて保存...", kCmdSaveStyle},
                             {1, L"自動切り替え...", kCmdAutoStyle},
                             {1, L"-"},
                             {1, L"履歴", kCmdNone, L"hx", L"Recent1"},
                             {1, L"Night && Day", kCmdRecentFirst},
                             {1, L"morning", kCmdRecentFirst + 1},
                             {0, L"-"},
                             {0, L"表示するモニター", kCmdNone, L"", L"Show1"},
                             {1, L"モニター", kCmdNone, L"hx", L"Monitor1"},
                             {1, L"(1) A (主モニター)", kCmdMonitorFirst},
                             {1, L"(2) B", kCmdMonitorFirst + 1, L"xc"},  // the only shown monitor
                             {0, L"移動"},
                             {1, L"左上", kCmdMoveFirst + 0},
                             {1, L"左", kCmdMoveFirst + 3},
                             {1, L"左下", kCmdMoveFirst + 6},
                             {1, L"上", kCmdMoveFirst + 1, L"b"},
                             {1, L"中央", kCmdMoveFirst + 4},
                             {1, L"下", kCmdMoveFirst + 7},
                             {1, L"右上", kCmdMoveFirst + 2, L"b"},
                             {1, L"右", kCmdMoveFirst + 5},
                             {1, L"右下", kCmdMoveFirst + 8},
                             {0, L"-"},
                             {0, L"プラグイン", kCmdNone, L"hx", L"PluginMainMenu"},
                             {0, L"A", kCmdPluginFirst + 1},
                             {0, L"-"},
                             {0, L"Sub"},
                             {1, L"B", kCmdPluginFirst + 2},
                             {1, L"C", kCmdPluginFirst + 3},
                             {0, L"-"},
                             {0, L"世界時計...", kCmdWorldClock},
                             {0, L"ツール"},
                             {1, L"プラグイン", kCmdNone, L"hx", L"PluginToolMenu"},
                             {1, L"T", kCmdPluginFirst + 4},
                             {1, L"-"},
                             {1, L"スクリーン セーバー", kCmdScreenSaver},
                             {1, L"モニター省電力", kCmdMonitorOff},
                             {0, L"-"},
                             {0, L"ヘルプ", kCmdHelp},
                             {0, L"バージョン情報...", kCmdAbout},
                             {0, L"-"},
                             {0, L"TDialix を終了", kCmdExit},
                         }));

  // A chosen id leads back to what the command needs: the file, the plug-in and its own id.
  const TMenuItem* recent = FindCommand(menu, kCmdRecentFirst);
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(recent->Hint, L"C:\\S\\Night & Day.dlx");
  const TMenuItem* plugin = FindCommand(menu, kCmdPluginFirst + 3);
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->Hint, L"p1.dll");
  EXPECT_EQ(plugin->Tag, 9u);
  EXPECT_EQ(FindCommand(menu, kCmdPluginFirst + 5), nullptr);
  EXPECT_EQ(FindCommand(menu, kCmdNone), nullptr);
  ASSERT_NE(FindItem(menu, kMonitorSubmenu), nullptr);
  EXPECT_EQ(FindItem(menu, kMonitorSubmenu)->Items.size(), 3u);
  EXPECT_EQ(FindItem(menu, L"NoSuchItem"), nullptr);
}

TEST(PopupMenu, AtMostFiveRecentItems) {
  TPopupMenuContent content;
  content.RecentStyles = {L"1.dlx", L"2.dlx", L"3.dlx", L"4.dlx", L"5.dlx", L"6.dlx"};
  const TMenuItem menu = BuildPopupMenu(content);
  EXPECT_NE(FindCommand(menu, kCmdRecentFirst + 4), nullptr);
  EXPECT_EQ(FindCommand(menu, kCmdRecentFirst + 5), nullptr);
}

TEST(PopupMenu, PluginItemsBeyondTheIdRangeStayDisabled) {
  TPopupMenuContent content;
  TMenuItem item;
  item.Caption = L"P";
  content.PluginMainItems.assign(kCmdPluginLast - kCmdPluginFirst + 2, item);
  const TMenuItem menu = BuildPopupMenu(content);
  const TMenuItem* last = FindCommand(menu, kCmdPluginLast);
  ASSERT_NE(last, nullptr);
  EXPECT_TRUE(last->Enabled);
  const auto& items = menu.Items;
  const auto placeholder = std::find_if(items.begin(), items.end(), [](const TMenuItem& i) {
    return i.Name == kPluginMainMenu;
  });
  ASSERT_NE(placeholder, items.end());
  const TMenuItem& overflow = *(placeholder + static_cast<std::ptrdiff_t>(content.PluginMainItems.size()));
  EXPECT_EQ(overflow.Caption, L"P");
  EXPECT_EQ(overflow.Command, kCmdNone);
  EXPECT_FALSE(overflow.Enabled);
}

TEST(PopupMenu, ShownMenuLeavesNoHiddenItemsOrDoubledSeparators) {
  EXPECT_EQ(Lines(ShownMenu(BuildPopupMenu({}))), Lines({
                                                      {0, L"共通設定...", kCmdSettings},
                                                      {0, L"スタイル"},
                                                      {1, L"スタイルの編集...", kCmdEditStyle, L"d"},
                                                      {1, L"-"},
                                                      {1, L"読み込み...", kCmdLoadStyle},
                                                      {1, L"名前を付けて保存...", kCmdSaveStyle},
                                                      {1, L"自動切り替え...", kCmdAutoStyle},
                                                      {0, L"-"},
                                                      {0, L"移動"},
                                                      {1, L"左上", kCmdMoveFirst + 0},
                                                      {1, L"左", kCmdMoveFirst + 3},
                                                      {1, L"左下", kCmdMoveFirst + 6},
                                                      {1, L"上", kCmdMoveFirst + 1, L"b"},
                                                      {1, L"中央", kCmdMoveFirst + 4},
                                                      {1, L"下", kCmdMoveFirst + 7},
                                                      {1, L"右上", kCmdMoveFirst + 2, L"b"},
                                                      {1, L"右", kCmdMoveFirst + 5},
                                                      {1, L"右下", kCmdMoveFirst + 8},
                                                      {0, L"-"},
                                                      {0, L"世界時計...", kCmdWorldClock},
                                                      {0, L"ツール"},
                                                      {1, L"スクリーン セーバー", kCmdScreenSaver},
                                                      {1, L"モニター省電力", kCmdMonitorOff},
                                                      {0, L"-"},
                                                      {0, L"ヘルプ", kCmdHelp},
                                                      {0, L"バージョン情報...", kCmdAbout},
                                                      {0, L"-"},
                                                      {0, L"TDialix を終了", kCmdExit},
                                                  }));

  // Filled placeholders keep the separators around them.
  TPopupMenuContent content;
  content.RecentStyles = {L"a.dlx"};
  TMenuItem plugin;
  plugin.Caption = L"P";
  content.PluginMainItems = {plugin};
  content.PluginToolItems = {plugin};
  const std::vector<std::wstring> lines = Lines(ShownMenu(BuildPopupMenu(content)));
  const std::vector<std::wstring> expectedRuns[] = {
      Lines({{1, L"自動切り替え...", kCmdAutoStyle}, {1, L"-"}, {1, L"a", kCmdRecentFirst}, {0, L"-"}}),
      Lines({{0, L"-"}, {0, L"P", kCmdPluginFirst}, {0, L"-"}, {0, L"世界時計...", kCmdWorldClock}}),
      Lines({{0, L"ツール"}, {1, L"P", kCmdPluginFirst + 1}, {1, L"-"}}),
  };
  for (const auto& run : expectedRuns) {
    EXPECT_NE(std::search(lines.begin(), lines.end(), run.begin(), run.end()), lines.end()) << run.front();
  }
}

TEST(PopupMenu, CommandIdsTellTheItem) {
  const struct {
    int Command;
    int Position, Recent, Monitor;
    bool Plugin;
  } cases[] = {
      {kCmdSettings, -1, -1, -1, false},
      {kCmdMoveFirst, 0, -1, -1, false},
      {kCmdMoveFirst + 8, 8, -1, -1, false},
      {kCmdMoveFirst + 9, -1, -1, -1, false},
      {kCmdRecentFirst, -1, 0, -1, false},
      {kCmdRecentFirst + 4, -1, 4, -1, false},
      {kCmdRecentFirst + 5, -1, -1, -1, false},
      {kCmdMonitorFirst, -1, -1, 0, false},
      {kCmdMonitorFirst + 3, -1, -1, 3, false},
      {kCmdPluginFirst - 1, -1, -1, kCmdPluginFirst - 1 - kCmdMonitorFirst, false},
      {kCmdPluginFirst, -1, -1, -1, true},
      {kCmdPluginLast, -1, -1, -1, true},
      {kCmdPluginLast + 1, -1, -1, -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Command);
    EXPECT_EQ(MovePositionOf(c.Command), c.Position);
    EXPECT_EQ(RecentIndexOf(c.Command), c.Recent);
    EXPECT_EQ(MonitorIndexOf(c.Command), c.Monitor);
    EXPECT_EQ(IsPluginCommand(c.Command), c.Plugin);
  }
}

TEST(PopupMenu, DialogOpenMark) {
  using enum TCommandStart;
  const struct {
    int Command;
    TCommandStart WhileOpen;
    bool HoldsMark;
  } cases[] = {
      // Commands that would open a second dialog bring the open one forward.
      {kCmdSettings, csBringDialogForward, true},
      {kCmdEditStyle, csBringDialogForward, true},
      {kCmdAutoStyle, csBringDialogForward, true},
      {kCmdWorldClock, csBringDialogForward, true},
      {kCmdAbout, csBringDialogForward, true},
      {kCmdLoadStyle, csBringDialogForward, true},
      {kCmdSaveStyle, csBringDialogForward, true},
      // Loads and plug-in calls wait silently.
      {kCmdScreenSaver, csNothing, false},
      {kCmdRecentFirst, csNothing, true},
      {kCmdRecentFirst + 4, csNothing, true},
      {kCmdPluginFirst, csNothing, true},
      {kCmdPluginFirst + 20, csNothing, true},
      // These never wait for a dialog.
      {kCmdHelp, csRun, false},
      {kCmdMonitorOff, csRun, false},
      {kCmdExit, csRun, false},
      {kCmdMoveFirst + 4, csRun, false},
      {kCmdMonitorFirst + 1, csRun, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Command);
    EXPECT_EQ(StartCommand(c.Command, false), csRun);
    EXPECT_EQ(StartCommand(c.Command, true), c.WhileOpen);
    EXPECT_EQ(HoldsDialogMark(c.Command), c.HoldsMark);
  }
}

TEST(MoveClock, NinePositions) {
  // A 400 × 110 window (margins 10, 5, 10, 5): 21 % of 1920 wide, 11 % of 1080 high.
  const TClockFrame clock{{10, 0, 370, 0}, {10, 5, 10, 5}, 110};
  const TRect monitor{0, 0, 1920, 1080};
  const struct {
    int Position;
    float X, Y;
    int Left, Top;
  } cases[] = {
      {0, 1.0f, 3.0f, 19, 32},   {1, 39.0f, 3.0f, 749, 32},   {2, 78.0f, 3.0f, 1498, 32},
      {3, 1.0f, 44.0f, 19, 475}, {4, 39.0f, 44.0f, 749, 475}, {5, 78.0f, 44.0f, 1498, 475},
      {6, 1.0f, 86.0f, 19, 929}, {7, 39.0f, 86.0f, 749, 929}, {8, 78.0f, 86.0f, 1498, 929},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Position);
    EXPECT_EQ(MoveClock(monitor, clock, c.Position, {}), (TMovedClock{{c.X, c.Y, true}, {c.Left, c.Top}}));
  }
}

TEST(MoveClock, MonitorsAwayFromTheOriginAndOddRemainders) {
  const TClockFrame clock{{10, 0, 370, 0}, {10, 5, 10, 5}, 110};
  const struct {
    TRect Monitor;
    int Position;
    TPlacement Before;
    TMovedClock After;
  } cases[] = {
      // 1280 × 1024 at (1920, −200): P = 31, Q = 12; (100 − 31) / 2 drops the half.
      {{1920, -200, 3200, 824}, 4, {}, {{34.0f, 44.0f, true}, {1920 + 435, -200 + 451}}},
      {{1920, -200, 3200, 824}, 8, {}, {{68.0f, 85.0f, true}, {1920 + 870, -200 + 870}}},
      // The shown mark is the monitor's own business.
      {{0, 0, 1920, 1080}, 0, {50.0f, 50.0f, false}, {{1.0f, 3.0f, false}, {19, 32}}},
      // A clock wider than its monitor is still centred on it.
      {{0, 0, 300, 1080}, 4, {}, {{-16.0f, 44.0f, true}, {-48, 475}}},
      // No such position: the clock stays where it is.
      {{0, 0, 1920, 1080}, 9, {39.0f, 0.0f, true}, {{39.0f, 0.0f, true}, {749, 0}}},
      {{0, 0, 1920, 1080}, -1, {}, {{1.0f, 3.0f, true}, {19, 32}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Position);
    EXPECT_EQ(MoveClock(c.Monitor, clock, c.Position, c.Before), c.After);
  }
}

TEST(PopupMenu, IconClickAndMonitorOffTimers) {
  const struct {
    bool Visible, TempVisible, Forces;
  } clicks[] = {
      {false, false, true},  // outside the time slots: shown for two seconds
      {true, true, true},    // clicked again meanwhile: the two seconds start again
      {true, false, false},  // showing anyway
  };
  for (const auto& c : clicks) EXPECT_EQ(IconClickForcesVisible(c.Visible, c.TempVisible), c.Forces);

  bool pending = false;
  int started = 0;
  for (int choice = 0; choice < 2; ++choice) {
    if (MonitorOffStartsTimer(pending)) {
      pending = true;
      ++started;
    }
  }
  EXPECT_EQ(started, 1);
}

TEST(PopupMenu, SaveDialogNeverOffersTheDefaultStyleFile) {
  const std::wstring defaultFile = L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\Default.dlx";
  EXPECT_EQ(SaveDialogFileName(L"D:\\styles\\blue.dlx", defaultFile), L"D:\\styles\\blue.dlx");
  EXPECT_EQ(SaveDialogFileName(defaultFile, defaultFile), L"");
  EXPECT_EQ(SaveDialogFileName(L"C:\\USERS\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\default.DLX", defaultFile),
            L"");
}

TEST(PopupMenu, ScreenSaverFromTheDesktopSettingElseSystemIni) {
  EXPECT_EQ(ScreenSaverFile(L"C:\\Windows\\system32\\a.scr", L"b.scr"), L"C:\\Windows\\system32\\a.scr");
  EXPECT_EQ(ScreenSaverFile(L"", L"b.scr"), L"b.scr");
  EXPECT_EQ(ScreenSaverFile(L"", L""), L"");
}

}  // namespace
}  // namespace tdialix
