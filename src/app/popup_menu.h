// The popup menu of the master window, shared by every clock window and the
// notification icon: its items as a plain tree, the command behind each item,
// and the rules the commands follow. The Win32 side turns the tree into menus,
// gathers the inputs (monitors, clock frames, registry values) and carries the
// decisions out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/monitor_list.h"
#include "base/geometry.h"
#include "style/placement.h"

namespace tdialix {

// ---- Command ids: what the platform's menu hands back for a chosen item (0 is
// nothing). Dynamic items take ids from ranges of their own, so one id always
// tells which item was chosen.
inline constexpr int kCmdNone = 0;
inline constexpr int kCmdSettings = 1;
inline constexpr int kCmdEditStyle = 2;
inline constexpr int kCmdLoadStyle = 3;
inline constexpr int kCmdSaveStyle = 4;
inline constexpr int kCmdAutoStyle = 5;
inline constexpr int kCmdWorldClock = 6;
inline constexpr int kCmdScreenSaver = 7;
inline constexpr int kCmdMonitorOff = 8;
inline constexpr int kCmdHelp = 9;
inline constexpr int kCmdAbout = 10;
inline constexpr int kCmdExit = 11;
inline constexpr int kCmdMoveFirst = 0x0100;     // + position number 0 to 8
inline constexpr int kCmdRecentFirst = 0x0200;   // + index of the recent item, 0 first
inline constexpr int kCmdMonitorFirst = 0x0300;  // + monitor index
inline constexpr int kCmdMonitorLast = 0x0FFF;
inline constexpr int kCmdPluginFirst = 0x1000;  // plug-in items, numbered in menu order
inline constexpr int kCmdPluginLast = 0xFFFF;   // menu ids are 16 bits

// The position number of a move command (0 top left ... 8 bottom right, row by
// row), the index of a recent item, the monitor index of a monitor item; -1
// for any other command.
int MovePositionOf(int command);
int RecentIndexOf(int command);
int MonitorIndexOf(int command);
bool IsPluginCommand(int command);

// ---- The menu tree.
struct TMenuItem {
  std::wstring Caption;  // shown as it is: the menu adds no access keys of its own
  int Command = kCmdNone;
  bool Separator = false;
  bool BreakColumn = false;  // the item starts a new column
  bool Default = false;      // shown bold
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;
  std::wstring Name;  // set on the placeholders and submenus that are looked up
  std::wstring Hint;  // recent items: the style file; plug-in items: the plug-in's file
  std::uint32_t Tag = 0;  // plug-in items: the plug-in's own command id
  std::vector<TMenuItem> Items;  // not empty for a submenu

  bool operator==(const TMenuItem&) const = default;
};

// Names of the placeholders (invisible, disabled items that dynamic items
// follow) and of the monitors submenu.
inline constexpr std::wstring_view kPluginStyleMenu = L"PluginStyleMenu";
inline constexpr std::wstring_view kRecentPlaceholder = L"Recent1";
inline constexpr std::wstring_view kMonitorSubmenu = L"Show1";
inline constexpr std::wstring_view kMonitorPlaceholder = L"Monitor1";
inline constexpr std::wstring_view kPluginMainMenu = L"PluginMainMenu";
inline constexpr std::wstring_view kPluginToolMenu = L"PluginToolMenu";

// What fills the menu besides its fixed items.
struct TPopupMenuContent {
  std::vector<TMonitorMenuItem> Monitors;  // MonitorMenuItems
  std::vector<std::wstring> RecentStyles;  // paths, most recent first
  // Plug-in items as the plug-ins supplied them (caption or separator, Tag,
  // Hint, submenus), in the order they stand below their placeholder: main
  // menu (kind 0), style submenu (kind 1), tools submenu (kind 2).
  std::vector<TMenuItem> PluginMainItems;
  std::vector<TMenuItem> PluginStyleItems;
  std::vector<TMenuItem> PluginToolItems;
};

// The whole menu: the root's Items are the top level. Plug-in items that can
// be chosen get command ids from kCmdPluginFirst on, in menu order.
TMenuItem BuildPopupMenu(const TPopupMenuContent& content);

// The menu as it is shown: invisible items left out, and separators that
// would stand first, last or next to another one dropped, so that empty
// placeholders leave no doubled lines behind.
TMenuItem ShownMenu(const TMenuItem& menu);

// The item with a command id or a name anywhere in the tree, or nullptr.
const TMenuItem* FindCommand(const TMenuItem& menu, int command);
const TMenuItem* FindItem(const TMenuItem& menu, std::wstring_view name);

// ---- The dialog-open mark: the master's tag is 1 while one of its modal
// dialogs or commands runs, so that no second dialog opens behind it.
enum class TCommandStart {
  csRun,                 // carry the command out
  csBringDialogForward,  // only bring the open dialog (the window below the master) to the foreground
  csNothing,             // do nothing at all
};
TCommandStart StartCommand(int command, bool dialogOpen);
// The command sets the mark while it runs (its dialog, the load it starts).
bool HoldsDialogMark(int command);

// ---- Move: place a clock at one of nine positions on its monitor.

// What the move needs of a clock window: its visible rectangle (only Left and
// Right count), its margins in pixels and its window height.
struct TClockFrame {
  TRect VisiblityRect;
  TRect TempBorderWidth;
  int WindowHeight = 0;
};

struct TMovedClock {
  TPlacement Placement;  // the new record for the clock's monitor
  TPoint Origin;         // the window's new top-left corner
  bool operator==(const TMovedClock&) const = default;
};

// The clock's new per-cent position and window origin for position 0 to 8:
// 1 % from the left edge, centred or 1 % from the right edge; 3 % from the
// top, centred or 3 % from the bottom. The shown mark is kept. Any other
// position leaves the record as it is.
TMovedClock MoveClock(const TRect& monitor, const TClockFrame& clock, int position, const TPlacement& placement);

// ---- Notification icon and timers of the master window.
inline constexpr unsigned kTempVisibleTimerId = 101;
inline constexpr unsigned kMonitorOffTimerId = 102;
inline constexpr unsigned kTempVisibleInterval = 2000;  // milliseconds the clocks show after an icon click
inline constexpr unsigned kDefaultHintPause = 500;     // the application's hint pause, the monitor-off delay
inline constexpr int kMonitorPowerOff = 2;             // LParam of SC_MONITORPOWER
inline constexpr int kMasterHelpContext = 8;

// An icon click forces the clocks visible for two seconds (timer 101 restarted,
// one tick run) when they are hidden now, or already forced visible so that a
// second click restarts the two seconds.
bool IconClickForcesVisible(bool visible, bool tempVisible);
// The monitor-off command starts timer 102 only when none is pending, so that
// choosing it twice quickly still powers the monitor off once.
bool MonitorOffStartsTimer(bool timerPending);

// ---- Style file dialogs.

// The file name the save dialog offers: the last loaded style's, never the
// default style file's.
std::wstring SaveDialogFileName(const std::wstring& lastStyleFile, const std::wstring& defaultStyleFile);

// ---- Screen saver.
inline constexpr std::wstring_view kScreenSaverKey = L"Control Panel\\Desktop";  // under the current user
inline constexpr std::wstring_view kScreenSaverValue = L"SCRNSAVE.EXE";
inline constexpr std::wstring_view kSystemIniFile = L"System.ini";  // in the Windows folder
inline constexpr std::wstring_view kSystemIniSection = L"Boot";

// The screen saver to start: the user's desktop setting, or when that is empty
// or absent the one System.ini names; empty when none is set.
std::wstring ScreenSaverFile(const std::wstring& desktopSetting, const std::wstring& systemIniSetting);

}  // namespace tdialix
