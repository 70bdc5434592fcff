#include "dialogs/setting_fields.h"

#include <algorithm>

#include "base/messages.h"
#include "base/path.h"
#include "base/text.h"

namespace tdialix {

namespace {

int Clamp(long long value, int low, int high) {
  return static_cast<int>(std::clamp<long long>(value, low, high));
}

}  // namespace

int SettingOpeningPage(int requested, int lastClosed) {
  if (requested >= 0 && requested < kSettingPageCount) return requested;
  return lastClosed >= 0 && lastClosed < kSettingPageCount ? lastClosed : 0;
}

const std::vector<std::wstring>& DateFormatPresets() {
  static const std::vector<std::wstring> presets{
      L"yyyy/mm/dd",
      L"yyyy/m/d",
      L"yy/mm/dd",
      L"yy/m/d",
      L"yyyy/mm/dd' ('ddd')'",
      L"yyyy/m/d' ('ddd')'",
      L"yy/mm/dd' ('ddd')'",
      L"yy/m/d' ('ddd')'",
      L"yyyy'年'mm'月'dd'日'",
      L"yyyy'年'm'月'd'日'",
      L"gge'年'mm'月'dd'日'",
      L"gge'年'm'月'd'日'",
      L"yyyy'年'mm'月'dd'日('ddd')'",
      L"yyyy'年'm'月'd'日('ddd')'",
      L"yyyy'年'mm'月'dd'日'(dddd)",
      L"yyyy'年'm'月'd'日'(dddd)",
  };
  return presets;
}

int PriorityIndexOfClass(int priorityClass) {
  switch (priorityClass) {
    case kIdlePriorityClass:
      return 2;
    case kBelowNormalPriorityClass:
      return 1;
    default:
      return 0;
  }
}

int PriorityClassOfIndex(int index) {
  switch (index) {
    case 0:
      return kNormalPriorityClass;
    case 1:
      return kBelowNormalPriorityClass;
    default:
      return kIdlePriorityClass;
  }
}

TSettingFields SettingFields(const TSettings& s, int priorityClass) {
  TSettingFields f;
  f.TransParentPosition = 100 - Clamp(s.TransParent, 0, 100);
  f.ZOrder = Clamp(s.ZOrderMode, zmNormal, zmBottom);
  f.ShowToolTip = s.ShowToolTip;
  f.ToolTipFormat = s.ToolTipFormat;
  f.EnableOtherwiseShowWindow = s.EnableOtherwiseShowWindow;
  f.HideOnFullScreen = s.HideOnFullScreen;
  f.ShowTaskTrayIcon = s.ShowTaskTrayIcon;
  f.TaskTrayFormat = s.TaskTrayFormat;
  f.HideTrayClock = s.HideTrayClock;
  f.Locked = s.Locked;
  f.HideType = Clamp(s.HideType, htNone, htTransparent);
  f.HideSensitive = Clamp(s.HideSensitive, 0, 50);
  f.HideTransparentPosition = 100 - Clamp(s.HideAlpha, 0, 100);
  f.HideSpeed = Clamp(s.HideSpeed, 0, 100);
  f.HoleSize = Clamp(s.HoleSize, 0, 400);
  f.HoleTransparent = Clamp(s.HoleAlpha, 0, 100);
  f.HoleSoft = Clamp(s.HoleSoft, 0, 100);
  f.ClickHide = s.ClickHide;
  f.TimerInterval = Clamp(s.TimerInterval, 8, 128);
  f.PowerSavingMode = s.PowerSavingMode;
  f.Priority = PriorityIndexOfClass(priorityClass);
  return f;
}

void StoreViewAndOperation(const TSettingFields& f, TSettings& s) {
  s.TransParent = static_cast<std::uint8_t>(100 - Clamp(f.TransParentPosition, 0, 100));
  s.ZOrderMode = static_cast<TZOrderMode>(Clamp(f.ZOrder, zmNormal, zmBottom));
  s.ShowToolTip = f.ShowToolTip;
  s.ToolTipFormat = f.ToolTipFormat;
  s.EnableOtherwiseShowWindow = f.EnableOtherwiseShowWindow;
  s.HideOnFullScreen = f.HideOnFullScreen;
  s.ShowTaskTrayIcon = f.ShowTaskTrayIcon;
  s.TaskTrayFormat = f.TaskTrayFormat;
  s.HideTrayClock = f.HideTrayClock;
  s.Locked = f.Locked;
  s.HideType = static_cast<THideType>(Clamp(f.HideType, htNone, htTransparent));
  s.HideSensitive = Clamp(f.HideSensitive, 0, 50);
  s.HideAlpha = static_cast<std::uint8_t>(100 - Clamp(f.HideTransparentPosition, 0, 100));
  s.HideSpeed = Clamp(f.HideSpeed, 0, 100);
  s.HoleSize = static_cast<unsigned>(Clamp(f.HoleSize, 0, 400));
  s.HoleAlpha = static_cast<std::uint8_t>(Clamp(f.HoleTransparent, 0, 100));
  s.HoleSoft = static_cast<unsigned>(Clamp(f.HoleSoft, 0, 100));
  s.ClickHide = f.ClickHide;
}

void StoreAdvanced(const TSettingFields& f, TSettings& s) {
  s.TimerInterval = static_cast<unsigned>(Clamp(f.TimerInterval, 8, 128));
  s.PowerSavingMode = f.PowerSavingMode;
}

THideControls HideControls(int hideType, unsigned bitsPerPixel) {
  const bool translucent = TranslucencyAvailable(bitsPerPixel);
  THideControls c;
  switch (hideType) {
    case htHide:
      c.Sensitive = {true, true};
      c.Transparent = {true, translucent};
      c.Speed = {true, translucent};
      c.ClickHide = {true, true};
      break;
    case htHole:
      c.HoleSize = {true, true};
      c.HoleTransparent = {true, translucent};
      c.HoleSoft = {true, translucent};
      c.ClickHide = {true, true};
      break;
    case htTransparent:
      c.ClickHide = {true, true};
      break;
    default:
      break;
  }
  return c;
}

THolidayRow HolidayRow(const THoliday& holiday, const std::array<std::wstring, 7>& longDayNames) {
  return {holiday.HolidayType == htPrivate ? 1 : 0, HolidayDateCaption(holiday, longDayNames),
          HolidayTransferCaption(holiday), holiday.Name};
}

void SortHolidays(std::vector<THoliday>& holidays) {
  std::stable_sort(holidays.begin(), holidays.end(), HolidayListsBefore);
}

std::wstring PluginRowName(std::wstring_view pluginName, std::wstring_view fileName, bool adding) {
  if (!pluginName.empty()) return std::wstring(pluginName);
  if (!adding) return FileNameOf(fileName);
  return ChangeExtension(fileName, L"");  // the chosen path without its extension
}

bool PluginFileListed(const std::vector<TPluginRow>& rows, std::wstring_view path) {
  const std::wstring name = FileNameOf(path);
  return std::any_of(rows.begin(), rows.end(),
                     [&](const TPluginRow& row) { return SameText(FileNameOf(row.FileName), name); });
}

void SortPluginRows(std::vector<TPluginRow>& rows) {
  std::stable_sort(rows.begin(), rows.end(), [](const TPluginRow& a, const TPluginRow& b) {
    return CompareText(a.PluginName, b.PluginName) < 0;
  });
}

std::vector<std::wstring> PluginAuthors(const std::vector<TPluginRow>& rows) {
  std::vector<std::wstring> authors;
  for (const TPluginRow& row : rows) {
    if (std::find(authors.begin(), authors.end(), row.Author) == authors.end()) authors.push_back(row.Author);
  }
  return authors;
}

std::vector<std::wstring> PluginListAfterChange(const std::vector<TPluginRow>& rows,
                                                const std::vector<std::wstring>& missing) {
  std::vector<std::wstring> list;
  for (const TPluginRow& row : rows) list.push_back(row.FileName);
  for (const std::wstring& file : missing) {
    const bool listed = std::any_of(list.begin(), list.end(), [&](const std::wstring& f) { return SameText(f, file); });
    if (!listed) list.push_back(file);
  }
  return list;
}

bool ApplySettings(TSettingApplyInput& input, TSettingApplyHost& host, TSettingApplyDialog& dialog) {
  TSettings& s = host.SettingsRecord();
  // The clocks stand still while their settings change.
  host.SettingTimer(false);
  // The view and operation pages.
  StoreViewAndOperation(input.Fields, s);
  host.SetTrayIconVisible(s.ShowTaskTrayIcon);
  // The holidays, in the list's order.
  s.HolidayList = input.Holidays;
  // Start-up and association, when their boxes were clicked.
  if (input.StartupClicked) {
    input.StartupClicked = false;
    dialog.SetStartupShortcut(input.StartupChecked);
  }
  if (input.AssociateClicked) {
    input.AssociateClicked = false;
    dialog.StartAssociationChange(input.AssociateChecked);
  }
  // The plug-ins.
  if (input.PluginsChanged) s.PluginList = input.Plugins;
  // The priority: a failure stops here, and the clocks run on.
  if (!host.SetPriorityClass(PriorityClassOfIndex(input.Fields.Priority))) {
    dialog.PriorityFailed();
    host.SettingTimer(true);
    return false;
  }
  // The advanced page; the tick recomputes what it keeps.
  StoreAdvanced(input.Fields, s);
  host.ActivateToolTip(s.ShowToolTip);
  host.ResetTickCache();
  // The clocks.
  host.ApplyToClocks(s.HideType != htNone, s.ZOrderMode == zmTop || s.ZOrderMode == zmTopMost);
  // A changed plug-in list takes a restart.
  if (input.PluginsChanged) {
    input.PluginsChanged = false;
    if (dialog.AskRestart()) {
      input.RestartStarted = host.RestartProgram();
      if (!input.RestartStarted) dialog.RestartFailed();
    }
  }
  // The clocks run again.
  host.SettingTimer(true);
  host.UpdateTrayClock();
  return true;
}

}  // namespace tdialix
