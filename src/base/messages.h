// The program's Japanese texts for message boxes and dialogs, in one table with
// their message numbers, and the small printf-like formatter that fills them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tdialix {

// Texts with a number of their own keep it; the others are numbered from 1000.
enum class TMsg : int {
  // Built-in default holidays, one rule a line.
  DefaultHolidays = 64849,
  RebootFailed = 64867,
  // Shell integration: the start-up shortcut, the style-file association and
  // the settings folder.
  FolderOpenFailed = 64848,
  StartupShortcutDescription = 64869,
  StartupShortcutCreateFailed = 64870,
  StartupShortcutDeleteFailed = 64871,
  StartupShortcutOverwriteQuestion = 64872,
  StartupShortcutDeleteQuestion = 64873,
  FolderUnknown = 64874,
  ApplyStyleVerb = 64884,
  StyleFileTypeName = 64891,
  AssociateFailed = 64892,
  DissociateFailed = 64893,
  AssociateOverForeignQuestion = 64894,
  DissociateForeignQuestion = 64895,
  SettingsOpenFailed = 64909,
  SettingsSaveFailed = 64910,

  PrimaryMonitorSuffix = 1000,
  MonitorName = 1001,
  StyleNotFound = 1010,
  NotAStyleFile = 1011,
  LoadDefaultStyleSuffix = 1012,
  StyleOpenFailed = 1013,
  StyleSaveFailed = 1014,
  ScreenSaverNotSet = 1020,
  ScreenSaverFailed = 1021,
  FolderNotCreated = 1030,

  // How the settings dialog lists a holiday rule.
  HolidayDayOfWeekCaption = 1100,
  HolidayDateCaption = 1101,
  SpringEquinoxCaption = 1102,
  AutumnEquinoxCaption = 1103,
  TransferYes = 1104,
  TransferNo = 1105,
};

// The caption of every message box.
inline constexpr std::wstring_view kAppTitle = L"TDialix";

std::wstring_view MessageText(TMsg id);

// One argument of FormatText: a number for %d, a text for %s.
using TFormatArg = std::variant<std::int64_t, std::wstring>;

// Fills "%s", "%d" (with an optional zero-padded width as in "%.8d" or
// "%08d") and "%%". Arguments are used in order; a directive without a
// matching argument gives nothing. Text from an argument is never read as a
// directive, so file names and system messages with "%" in them are safe.
std::wstring FormatText(std::wstring_view pattern, const std::vector<TFormatArg>& args);

}  // namespace tdialix
