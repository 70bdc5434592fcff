// The common settings dialog "共通設定" without its window: what each control
// holds for the settings record and back, which hide-type sliders show, the
// page it opens on, the holiday and plug-in rows, and Apply as the order of
// the things it asks of the master.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "calendar/holidays.h"

namespace tdialix {

// ---- Pages

// The pages in tab order; the index is what "SettingTab" stores.
enum TSettingPage : int { spView = 0, spOperation = 1, spHoliday = 2, spPlugin = 3, spStartup = 4, spAdvanced = 5 };
inline constexpr int kSettingPageCount = 6;
// The help topic of each page, and of the form itself.
inline constexpr std::array<int, kSettingPageCount> kSettingPageHelp{42, 44, 46, 50, 52, 54};
inline constexpr int kSettingHelpContext = 40;

// The page the dialog opens on: the one asked for when it is a page, else the
// one last closed (itself kept inside the pages).
int SettingOpeningPage(int requested, int lastClosed);

// ---- The controls' values

// The 16 date formats both tool-tip format boxes offer.
const std::vector<std::wstring>& DateFormatPresets();

// The process priority entries "普通", "低", "最低" and their classes.
inline constexpr int kNormalPriorityClass = 0x20;
inline constexpr int kBelowNormalPriorityClass = 0x4000;
inline constexpr int kIdlePriorityClass = 0x40;
// The entry for the process's class: idle "最低", below normal "低", anything else "普通".
int PriorityIndexOfClass(int priorityClass);
// The class of an entry ("最低" for anything out of range).
int PriorityClassOfIndex(int index);

// What the controls of the view, operation and advanced pages hold.
struct TSettingFields {
  // 表示
  int TransParentPosition = 0;  // 100 minus the opacity
  int ZOrder = zmTop;
  bool ShowToolTip = false;
  std::wstring ToolTipFormat;
  bool EnableOtherwiseShowWindow = true;
  bool HideOnFullScreen = true;
  bool ShowTaskTrayIcon = true;
  std::wstring TaskTrayFormat;
  bool HideTrayClock = false;
  // 操作
  bool Locked = false;
  int HideType = htNone;
  int HideSensitive = 10;
  int HideTransparentPosition = 75;  // 100 minus HideAlpha
  int HideSpeed = 80;
  int HoleSize = 20;
  int HoleTransparent = 90;  // HoleAlpha itself
  int HoleSoft = 0;
  bool ClickHide = false;
  // 高度な設定
  int TimerInterval = 32;
  bool PowerSavingMode = true;
  int Priority = 2;  // entry of the priority box
  bool operator==(const TSettingFields&) const = default;
};

// The controls' values for the settings and the process's priority class.
// Values outside a control's range start at its nearest end.
TSettingFields SettingFields(const TSettings& settings, int priorityClass);
// Apply's step for the view and operation pages: the controls' values into the settings.
void StoreViewAndOperation(const TSettingFields& fields, TSettings& settings);
// Apply's step for the advanced page (the priority goes to the process).
void StoreAdvanced(const TSettingFields& fields, TSettings& settings);

// ---- Enabling

// Which hide sliders (each with its labels) show for a hide type, and which
// of them are enabled: the translucent ones only above 15 bits per pixel.
struct THideControls {
  struct TState {
    bool Visible = false;
    bool Enabled = false;
    bool operator==(const TState&) const = default;
  };
  TState Sensitive, Transparent, Speed;   // "隠す"
  TState HoleSize, HoleTransparent, HoleSoft;  // "穴を開ける"
  TState ClickHide;
  bool operator==(const THideControls&) const = default;
};
THideControls HideControls(int hideType, unsigned bitsPerPixel);
// The clock's transparency slider needs translucency.
constexpr bool TranslucencyAvailable(unsigned bitsPerPixel) { return bitsPerPixel > 15; }

// ---- Holiday rows

struct THolidayRow {
  int Group = 0;  // 0 "公休", 1 "私休"
  std::wstring Date, Transfer, Name;
  bool operator==(const THolidayRow&) const = default;
};
THolidayRow HolidayRow(const THoliday& holiday, const std::array<std::wstring, 7>& longDayNames);
// The rules in the list's order.
void SortHolidays(std::vector<THoliday>& holidays);

// ---- Plug-in rows

struct TPluginRow {
  std::wstring FileName;  // full path of the library
  std::wstring PluginName;
  std::wstring Author;
  std::wstring Version;
  std::wstring Description;
  bool operator==(const TPluginRow&) const = default;
};
// The name a row shows: the plug-in's own, or when it gives none the file
// name (loading the list) or the path without its extension (adding).
std::wstring PluginRowName(std::wstring_view pluginName, std::wstring_view fileName, bool adding);
// Whether a row holds a library of that file name (folders aside, case ignored).
bool PluginFileListed(const std::vector<TPluginRow>& rows, std::wstring_view path);
// The rows sorted by name, case ignored.
void SortPluginRows(std::vector<TPluginRow>& rows);
// The groups in the order their authors first appear in the rows.
std::vector<std::wstring> PluginAuthors(const std::vector<TPluginRow>& rows);
// The list Apply stores: the rows' files in their order, then the listed files
// that were missing when the dialog opened (a removable or network drive), so
// that they are not dropped unseen.
std::vector<std::wstring> PluginListAfterChange(const std::vector<TPluginRow>& rows,
                                                const std::vector<std::wstring>& missing);

// ---- Apply

// What Apply asks of the master, in this order.
class TSettingApplyHost {
 public:
  virtual ~TSettingApplyHost() = default;
  virtual TSettings& SettingsRecord() = 0;
  virtual void SettingTimer(bool on) = 0;
  virtual void SetTrayIconVisible(bool visible) = 0;
  // False when the process's priority could not be changed.
  virtual bool SetPriorityClass(int priorityClass) = 0;
  virtual void ActivateToolTip(bool active) = 0;
  // The tick recomputes the day, the second and the time slots next time.
  virtual void ResetTickCache() = 0;
  // Click-through and z-order of every clock, animation reset, redraw.
  virtual void ApplyToClocks(bool clickThrough, bool topMost) = 0;
  // Starts the program again to restart this one; false when it could not.
  virtual bool RestartProgram() = 0;
  virtual void UpdateTrayClock() = 0;
};

// What Apply asks of the dialog.
class TSettingApplyDialog {
 public:
  virtual ~TSettingApplyDialog() = default;
  virtual void SetStartupShortcut(bool create) = 0;
  virtual void StartAssociationChange(bool associate) = 0;
  // The failure box, then the focus on the priority box.
  virtual void PriorityFailed() = 0;
  virtual bool AskRestart() = 0;
  virtual void RestartFailed() = 0;
};

// What the dialog hands Apply; Apply clears the change flags it acts on.
struct TSettingApplyInput {
  TSettingFields Fields;
  std::vector<THoliday> Holidays;
  bool StartupClicked = false;
  bool StartupChecked = false;
  bool AssociateClicked = false;
  bool AssociateChecked = false;
  bool PluginsChanged = false;
  std::vector<std::wstring> Plugins;
  // Set by Apply when the program is being started again: the dialog closes,
  // as the program is about to.
  bool RestartStarted = false;
};

// Runs Apply; true when it went through, false when the priority could not be
// set (the settings stored before that stay, the rest waits for the next Apply).
bool ApplySettings(TSettingApplyInput& input, TSettingApplyHost& host, TSettingApplyDialog& dialog);

}  // namespace tdialix
