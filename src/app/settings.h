// The program-wide options the master window holds, with their defaults (the
// values used when the settings file or a key is missing).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "base/types.h"
#include "calendar/holidays.h"
#include "calendar/style_change.h"
#include "calendar/world_clock.h"

namespace tdialix {

struct TSettings {
  // General
  int SettingTab = 0;  // page the common settings dialog opens on
  int StyleTab = 0;    // page the style editor opens on
  // Loading always sets it: from the file, or to the local zone's offset so
  // that the clock shows local time.
  TWorldClock WorldClock;
  // View
  std::uint8_t TransParent = 100;  // whole-window opacity in per cent
  TZOrderMode ZOrderMode = zmTop;
  bool ShowToolTip = false;
  std::wstring ToolTipFormat;  // empty: the system's long date format
  bool ShowTaskTrayIcon = true;
  std::wstring TaskTrayFormat;  // empty: the system's long date format
  bool HideTrayClock = false;
  bool EnableOtherwiseShowWindow = true;
  bool AutoStyleChange = false;
  // A monitor that a full-screen program covers shows no clock.
  bool HideOnFullScreen = true;
  // Operation
  int HideSensitive = 10;
  std::uint8_t HideAlpha = 25;
  int HideSpeed = 80;
  unsigned HoleSize = 100;
  std::uint8_t HoleAlpha = 90;
  unsigned HoleSoft = 0;
  bool Locked = false;
  THideType HideType = htNone;
  bool ClickHide = false;
  // Advanced
  unsigned TimerInterval = 32;  // milliseconds
  bool PowerSavingMode = true;
  int Priority = 64;  // process priority class: 32 normal, 16384 below normal, 64 idle

  // The lists, each in the order of the file.
  std::vector<THoliday> HolidayList;
  std::vector<TChangeTime> ChangeTimeList;  // the automatic style changes
  std::vector<std::wstring> PluginList;     // full paths of the plug-in libraries, no duplicates
  std::vector<std::wstring> RecentStyles;   // style files, most recent first, at most five

  bool operator==(const TSettings&) const = default;
};

}  // namespace tdialix
