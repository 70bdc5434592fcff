#include "app/popup_menu.h"

#include <algorithm>
#include <iterator>

#include "app/recent_styles.h"
#include "base/messages.h"
#include "base/scale.h"
#include "base/text.h"

namespace tdialix {

namespace {

int Offset(int command, int first, int last) { return command >= first && command <= last ? command - first : -1; }

TMenuItem Command(std::wstring caption, int command) {
  TMenuItem item;
  item.Caption = std::move(caption);
  item.Command = command;
  return item;
}

TMenuItem Separator() {
  TMenuItem item;
  item.Separator = true;
  return item;
}

TMenuItem Placeholder(std::wstring_view name, std::wstring caption) {
  TMenuItem item;
  item.Caption = std::move(caption);
  item.Name = name;
  item.Visible = false;
  item.Enabled = false;
  return item;
}

TMenuItem Submenu(std::wstring caption, std::vector<TMenuItem> items) {
  TMenuItem item;
  item.Caption = std::move(caption);
  item.Items = std::move(items);
  return item;
}

// Plug-in items keep what the plug-in gave them; every item that can be
// chosen gets the next free id. Beyond the id range an item stays in the menu
// disabled, since a choice could not be told from another.
void AppendPluginItems(std::vector<TMenuItem>& target, const std::vector<TMenuItem>& items, int& nextCommand) {
  for (const TMenuItem& source : items) {
    TMenuItem item = source;
    item.Items.clear();
    if (!source.Items.empty()) {
      item.Command = kCmdNone;
      AppendPluginItems(item.Items, source.Items, nextCommand);
    } else if (source.Separator) {
      item.Command = kCmdNone;
    } else if (nextCommand <= kCmdPluginLast) {
      item.Command = nextCommand++;
    } else {
      item.Command = kCmdNone;
      item.Enabled = false;
    }
    target.push_back(std::move(item));
  }
}

// Position numbers run row by row; the menu lists them column by column.
struct TMovePosition {
  int Position;
  const wchar_t* Caption;
};
constexpr TMovePosition kMoveColumns[] = {
    {0, L"左上"}, {3, L"左"}, {6, L"左下"},    //
    {1, L"上"},   {4, L"中央"}, {7, L"下"},    //
    {2, L"右上"}, {5, L"右"}, {8, L"右下"},
};

TMenuItem MoveSubmenu() {
  std::vector<TMenuItem> items;
  for (std::size_t i = 0; i < std::size(kMoveColumns); ++i) {
    TMenuItem item = Command(kMoveColumns[i].Caption, kCmdMoveFirst + kMoveColumns[i].Position);
    item.BreakColumn = i > 0 && i % 3 == 0;
    items.push_back(std::move(item));
  }
  return Submenu(L"移動", std::move(items));
}

TMenuItem StyleSubmenu(const TPopupMenuContent& content, int& nextPlugin) {
  TMenuItem edit = Command(L"スタイルの編集...", kCmdEditStyle);
  edit.Default = true;
  std::vector<TMenuItem> items{edit, Separator(), Placeholder(kPluginStyleMenu, L"プラグイン")};
  AppendPluginItems(items, content.PluginStyleItems, nextPlugin);
  items.push_back(Separator());
  items.push_back(Command(L"読み込み...", kCmdLoadStyle));
  items.push_back(Command(L"名前を付けて保存...", kCmdSaveStyle));
  items.push_back(Command(L"自動切り替え...", kCmdAutoStyle));
  items.push_back(Separator());
  items.push_back(Placeholder(kRecentPlaceholder, L"履歴"));
  for (std::size_t i = 0; i < content.RecentStyles.size() && i < kMaxRecentStyles; ++i) {
    TMenuItem recent = Command(RecentStyleCaption(content.RecentStyles[i]), kCmdRecentFirst + static_cast<int>(i));
    recent.Hint = content.RecentStyles[i];
    items.push_back(std::move(recent));
  }
  return Submenu(L"スタイル", std::move(items));
}

TMenuItem MonitorSubmenu(const std::vector<TMonitorMenuItem>& monitors) {
  std::vector<TMenuItem> items{Placeholder(kMonitorPlaceholder, L"モニター")};
  const std::size_t count = std::min<std::size_t>(monitors.size(), kCmdMonitorLast - kCmdMonitorFirst + 1);
  for (std::size_t i = 0; i < count; ++i) {
    TMenuItem item = Command(monitors[i].Caption, kCmdMonitorFirst + static_cast<int>(i));
    item.Checked = monitors[i].Checked;
    item.Enabled = monitors[i].Enabled;
    item.Visible = monitors[i].Visible;
    items.push_back(std::move(item));
  }
  TMenuItem submenu = Submenu(L"表示するモニター", std::move(items));
  submenu.Name = kMonitorSubmenu;
  submenu.Visible = MonitorSubmenuVisible(monitors.size());
  return submenu;
}

TMenuItem ToolSubmenu(const TPopupMenuContent& content, int& nextPlugin) {
  std::vector<TMenuItem> items{Placeholder(kPluginToolMenu, L"プラグイン")};
  AppendPluginItems(items, content.PluginToolItems, nextPlugin);
  items.push_back(Separator());
  items.push_back(Command(L"スクリーン セーバー", kCmdScreenSaver));
  items.push_back(Command(L"モニター省電力", kCmdMonitorOff));
  return Submenu(L"ツール", std::move(items));
}

}  // namespace

int MovePositionOf(int command) { return Offset(command, kCmdMoveFirst, kCmdMoveFirst + 8); }

int RecentIndexOf(int command) {
  return Offset(command, kCmdRecentFirst, kCmdRecentFirst + static_cast<int>(kMaxRecentStyles) - 1);
}

int MonitorIndexOf(int command) { return Offset(command, kCmdMonitorFirst, kCmdMonitorLast); }

bool IsPluginCommand(int command) { return command >= kCmdPluginFirst && command <= kCmdPluginLast; }

TMenuItem BuildPopupMenu(const TPopupMenuContent& content) {
  // Plug-in ids follow the menu from top to bottom.
  int nextPlugin = kCmdPluginFirst;
  TMenuItem root;
  std::vector<TMenuItem>& items = root.Items;
  items.push_back(Command(L"共通設定...", kCmdSettings));
  items.push_back(StyleSubmenu(content, nextPlugin));
  items.push_back(Separator());
  items.push_back(MonitorSubmenu(content.Monitors));
  items.push_back(MoveSubmenu());
  items.push_back(Separator());
  items.push_back(Placeholder(kPluginMainMenu, L"プラグイン"));
  AppendPluginItems(items, content.PluginMainItems, nextPlugin);
  items.push_back(Separator());
  items.push_back(Command(L"世界時計...", kCmdWorldClock));
  items.push_back(ToolSubmenu(content, nextPlugin));
  items.push_back(Separator());
  items.push_back(Command(L"ヘルプ", kCmdHelp));
  items.push_back(Command(L"バージョン情報...", kCmdAbout));
  items.push_back(Separator());
  items.push_back(Command(FormatText(L"%s を終了", {std::wstring(kAppTitle)}), kCmdExit));
  return root;
}

TMenuItem ShownMenu(const TMenuItem& menu) {
  TMenuItem shown = menu;
  shown.Items.clear();
  for (const TMenuItem& item : menu.Items) {
    if (!item.Visible) continue;
    if (item.Separator && (shown.Items.empty() || shown.Items.back().Separator)) continue;
    shown.Items.push_back(item.Items.empty() ? item : ShownMenu(item));
  }
  if (!shown.Items.empty() && shown.Items.back().Separator) shown.Items.pop_back();
  return shown;
}

const TMenuItem* FindCommand(const TMenuItem& menu, int command) {
  if (command == kCmdNone) return nullptr;
  for (const TMenuItem& item : menu.Items) {
    if (item.Command == command) return &item;
    if (const TMenuItem* found = FindCommand(item, command)) return found;
  }
  return nullptr;
}

const TMenuItem* FindItem(const TMenuItem& menu, std::wstring_view name) {
  if (name.empty()) return nullptr;
  for (const TMenuItem& item : menu.Items) {
    if (item.Name == name) return &item;
    if (const TMenuItem* found = FindItem(item, name)) return found;
  }
  return nullptr;
}

TCommandStart StartCommand(int command, bool dialogOpen) {
  if (!dialogOpen) return TCommandStart::csRun;
  switch (command) {
    case kCmdSettings:
    case kCmdEditStyle:
    case kCmdAutoStyle:
    case kCmdWorldClock:
    case kCmdAbout:
    case kCmdLoadStyle:
    case kCmdSaveStyle:
      return TCommandStart::csBringDialogForward;
    case kCmdScreenSaver:
      return TCommandStart::csNothing;
    default:
      break;
  }
  if (RecentIndexOf(command) >= 0 || IsPluginCommand(command)) return TCommandStart::csNothing;
  // Help, monitor off, exit, move and monitor items do not wait for the dialog.
  return TCommandStart::csRun;
}

bool HoldsDialogMark(int command) {
  return StartCommand(command, true) == TCommandStart::csBringDialogForward || RecentIndexOf(command) >= 0 ||
         IsPluginCommand(command);
}

TMovedClock MoveClock(const TRect& monitor, const TClockFrame& clock, int position, const TPlacement& placement) {
  TMovedClock moved{placement, ClockOrigin(monitor, placement)};
  if (position < 0 || position > 8) return moved;

  const int width = clock.VisiblityRect.Left + clock.VisiblityRect.Right + clock.TempBorderWidth.Left +
                    clock.TempBorderWidth.Right;
  const int height = clock.WindowHeight + clock.TempBorderWidth.Top + clock.TempBorderWidth.Bottom;
  // The clock's size as whole per cent of the monitor's.
  const int widthPercent = ScaleRound(width, monitor.Width(), 100);
  const int heightPercent = ScaleRound(height, monitor.Height(), 100);

  switch (position % 3) {
    case 0: moved.Placement.X = 1.0f; break;
    case 1: moved.Placement.X = static_cast<float>((100 - widthPercent) / 2); break;
    default: moved.Placement.X = 100.0f - 1.0f - static_cast<float>(widthPercent); break;
  }
  switch (position / 3) {
    case 0: moved.Placement.Y = 3.0f; break;
    case 1: moved.Placement.Y = static_cast<float>((100 - heightPercent) / 2); break;
    default: moved.Placement.Y = 100.0f - 3.0f - static_cast<float>(heightPercent); break;
  }
  moved.Origin = ClockOrigin(monitor, moved.Placement);
  return moved;
}

bool IconClickForcesVisible(bool visible, bool tempVisible) { return !visible || tempVisible; }

bool MonitorOffStartsTimer(bool timerPending) { return !timerPending; }

std::wstring SaveDialogFileName(const std::wstring& lastStyleFile, const std::wstring& defaultStyleFile) {
  return SameText(lastStyleFile, defaultStyleFile) ? std::wstring() : lastStyleFile;
}

std::wstring ScreenSaverFile(const std::wstring& desktopSetting, const std::wstring& systemIniSetting) {
  return desktopSetting.empty() ? systemIniSetting : desktopSetting;
}

}  // namespace tdialix
