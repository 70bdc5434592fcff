// The settings file: the settings record's text form in an INI document, and
// the text forms of the records its lists hold.
//
// Reading and writing here never touch the file system or the process: the
// Win32 shell reads the document (or finds there is none), calls LoadSettings,
// and carries out what the result asks for; on closing it fills a document with
// SaveSettings and writes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "base/date_format.h"
#include "base/ini_document.h"

namespace tdialix {

// ---- World clock

// The record that shows local time with the local zone's standard bias (minutes,
// UTC = local + bias): a time-zone clock shifted by the bias back again.
TWorldClock LocalWorldClock(int timeZoneBias);

// "0,5:00:00,1,"Eastern Standard Time"": kind (time zone or manual), the shift's magnitude as
// a time of day in the locale's long time format, direction and name. With
// fewer than four fields the record shows local time (LocalWorldClock); a
// field that does not read takes the value local time would have. Time is
// negative when the direction is wcDec.
TWorldClock ParseWorldClock(std::wstring_view text, int timeZoneBias, const TFormatSettings& formats);
std::wstring FormatWorldClock(const TWorldClock& worldClock, const TFormatSettings& formats);

// ---- The whole file

// High, real-time and above-normal priority would let a clock slow down the
// programs the user works with: they become normal. Other classes stay.
int AllowedPriorityClass(int priorityClass);

// What the text forms need to know about the running program.
struct TSettingsEnvironment {
  std::wstring DefaultStyleFile;  // the settings folder's "Default.dlx": never a recent style
  TFormatSettings Formats;        // the user's locale, for times of day
  int TimeZoneBias = 0;           // local standard bias in minutes, UTC = local + bias
  bool PluginsLoaded = false;     // plug-ins load once per run: a later load keeps PluginList
};

// What the shell does with a freshly loaded record.
struct TSettingsLoadResult {
  int PriorityClass = 64;      // apply to the own process at once
  bool ClocksTopMost = false;  // every clock window at HWND_TOPMOST, else HWND_NOTOPMOST
};

// Fills every member from the document; nullptr means there is no settings file.
// A missing key or one whose value does not read gives the member's default;
// values out of the dialogs' ranges are kept (only the priority is corrected,
// and a "HideType" outside its enumeration reads as the default).
// A number too large for its member is held at the nearest value the member can
// take. Without a file the holiday list is the built-in table and the plug-in
// list is empty (the shell fills it from the "Plugins" folder).
TSettingsLoadResult LoadSettings(const TIniDocument* document, TSettings& settings,
                                 const TSettingsEnvironment& environment);

// The list sections a save writes; a section left out stays as the document has it.
enum TSettingsLists : unsigned { slHolidays = 1, slChangeTimes = 2, slPlugins = 4, slAllLists = 7 };

// Writes every key and list into the document (entries the program does not own
// stay). The priority written is the class the process has now.
void SaveSettings(TIniDocument& document, const TSettings& settings, int priorityClass,
                  const TSettingsEnvironment& environment, unsigned lists = slAllLists);

}  // namespace tdialix
