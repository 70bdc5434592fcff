// Date and time as text: the locale's formats, the date format patterns of the
// tooltip and the notification-area icon, and time text read back from files.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/date_time.h"

namespace tdialix {

// The user's locale formats. Patterns here use the platform's locale syntax
// (d, dd, ddd, dddd, M, MM, MMM, MMMM, y, yy, yyyy, g, gg, h, hh, H, HH, m, mm,
// s, ss, t, tt and 'quoted' text). Natively the defaults are those of a
// Japanese system; on Windows the system's own values are read.
struct TFormatSettings {
  std::wstring LongTimeFormat = L"H:mm:ss";
  std::wstring ShortTimeFormat = L"H:mm";
  std::wstring LongDateFormat = L"yyyy'年'M'月'd'日'";
  std::wstring ShortDateFormat = L"yyyy/MM/dd";
  std::wstring DateSeparator = L"/";
  std::wstring TimeSeparator = L":";
  std::wstring TimeAMString = L"午前";
  std::wstring TimePMString = L"午後";
  std::array<std::wstring, 7> ShortDayNames{L"日", L"月", L"火", L"水", L"木", L"金", L"土"};  // Sunday first
  std::array<std::wstring, 7> LongDayNames{L"日曜日", L"月曜日", L"火曜日", L"水曜日",
                                           L"木曜日", L"金曜日", L"土曜日"};
  std::array<std::wstring, 12> ShortMonthNames{L"1", L"2", L"3", L"4", L"5", L"6",
                                               L"7", L"8", L"9", L"10", L"11", L"12"};
  std::array<std::wstring, 12> LongMonthNames{L"1月", L"2月", L"3月", L"4月",  L"5月",  L"6月",
                                              L"7月", L"8月", L"9月", L"10月", L"11月", L"12月"};
};

// Japanese era of a date: name ("令和"), short name ("令") and year in the era.
// Dates before the first era give empty names and the Gregorian year.
struct TEraYear {
  std::wstring_view Name;
  std::wstring_view ShortName;
  int Year = 0;
};
TEraYear JapaneseEra(TDateTime value);

// A date format pattern as the tooltip and icon formats use it (letters in any
// case): y/yy two-digit year, yyyy; m, mm, mmm, mmmm month (minutes right after
// h or hh); d, dd; ddd, dddd day names; ddddd, dddddd short and long date; e, ee
// era year; g, gg era name; h, hh; n, nn; s, ss; z, zzz; t, tt short and long
// time; am/pm, a/p, ampm; c; "/" and ":" the locale's separators; text in
// single or double quotes as it stands; anything else as it stands.
// An empty pattern gives the locale's long date.
std::wstring FormatDateTime(std::wstring_view pattern, TDateTime value, const TFormatSettings& settings);

// A pattern in the platform's locale syntax (see TFormatSettings).
std::wstring FormatLocalePattern(std::wstring_view pattern, TDateTime value, const TFormatSettings& settings);

// A time of day in the locale's long time format ("H:mm:ss" on a Japanese system).
std::wstring FormatTimeText(TDateTime value, const TFormatSettings& settings);

// A time of day typed or stored as text: hours and minutes, optionally seconds
// and milliseconds ("9:05", "21:30:15", "7:00:00.250"), separated by ":" or the
// locale's separator, with the locale's or the English AM/PM marker before or
// after. Nothing for text that is not a valid time.
std::optional<TDateTime> ParseTimeText(std::wstring_view text, const TFormatSettings& settings);

}  // namespace tdialix
