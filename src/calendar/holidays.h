// Holiday rules and the calendar they make: which dates are holidays, with
// substitute holidays after a Sunday holiday, the equinoxes computed for the
// year and the citizens' holiday between two public holidays; the rules' text
// form in the settings file and the built-in table; and the captions and
// order in which the settings dialog lists them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace tdialix {

// Public ("公休") and private ("私休") holidays only group the list: both count.
enum THolidayType : int { htPublic = 0, htPrivate = 1 };
// By date, by the n-th weekday of a month, or the spring (Month 3) or autumn
// (Month 9) equinox computed for each year.
enum THolidaySpec : int { hsDate = 0, hsDayOfWeek = 1, hsEquinox = 2 };

// One holiday rule. The numbers are kept as the file gives them: a rule the
// calendar cannot match (month 13) simply never matches, and saving writes it
// back unchanged.
struct THoliday {
  THolidayType HolidayType = htPublic;
  THolidaySpec Specification = hsDate;
  int Month = 1;
  int NthDayOfWeek = 1;  // with hsDayOfWeek: which occurrence of the weekday
  int Day = 1;           // hsDate: day of month; hsDayOfWeek: weekday, 0 = Sunday
  std::wstring Name;
  bool Transfer = false;  // a substitute holiday follows when it falls on a Sunday
  bool operator==(const THoliday&) const = default;
};

// ---- Text form

// A rule as the "Holidays" section and the built-in table write it: seven
// comma-separated fields HolidayType, Specification, Month, NthDayOfWeek, Day,
// Transfer, Name. Numbers that are missing or do not read give 0 (type and
// kind of rule; a type out of range too), 1 (month, occurrence, day) and false
// (transfer, which takes 0/non-zero or True/False). Nothing for a line with
// fewer than seven fields, a kind of rule this program does not know, or an
// equinox in a month other than March or September: such lines are skipped.
std::optional<THoliday> ParseHoliday(std::wstring_view text);

// "0,1,1,2,1,1,"成人の日"": the name in double quotes, a quote in it doubled so
// that any name reads back as it was.
std::wstring FormatHoliday(const THoliday& holiday);

// The built-in table: Japan's national holidays as the law has them today. It
// fills the list when there is no settings file, and the settings dialog's
// restore link.
std::vector<THoliday> DefaultHolidays();

// ---- The calendar

// The day of March (month 3) or September (9) on which the equinox falls in
// the year, by the approximation that holds from 1980 to 2099; nothing for
// other months or years.
std::optional<int> EquinoxDay(int year, int month);

// The index of the first rule that matches the date, or -1.
int FindHoliday(const std::vector<THoliday>& list, TDateTime date);

// Whether the date is a holiday: a rule matches it; or it is a substitute
// holiday (walking back from the day before over days that match a rule, the
// first Sunday reached decides by its rule's Transfer; a day without a rule or
// 31 days end the walk with nothing); or it lies between two days that match
// public rules (the citizens' holiday).
bool IsHolidayDate(const std::vector<THoliday>& list, TDateTime date);

// ---- How the settings dialog lists the rules

// "1 月第 2 月曜日", "11 月 3 日", "春分の日 (毎年計算)". The locale's long
// weekday names, Sunday first, are passed in.
std::wstring HolidayDateCaption(const THoliday& holiday, const std::array<std::wstring, 7>& longDayNames);
// "あり" or "なし".
std::wstring HolidayTransferCaption(const THoliday& holiday);
// The list's order: grouped by HolidayType, within a group by Month, then
// NthDayOfWeek, then Day.
bool HolidayListsBefore(const THoliday& a, const THoliday& b);

}  // namespace tdialix
