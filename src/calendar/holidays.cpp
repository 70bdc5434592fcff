#include "calendar/holidays.h"

#include <cmath>
#include <tuple>

#include "base/comma_text.h"
#include "base/messages.h"
#include "base/number_text.h"

namespace tdialix {

namespace {

// How far back a substitute holiday looks for its Sunday.
constexpr int kSubstituteReach = 31;

bool Matches(const THoliday& rule, const TDateParts& date, int weekday) {
  if (rule.Month != date.Month) return false;
  switch (rule.Specification) {
    case hsDate:
      return rule.Day == date.Day;
    case hsDayOfWeek:
      return rule.Day == weekday && (date.Day - 1) / 7 + 1 == rule.NthDayOfWeek;
    case hsEquinox:
      return EquinoxDay(date.Year, date.Month) == date.Day;
  }
  return false;
}

const THoliday* RuleOf(const std::vector<THoliday>& list, TDateTime date) {
  const int index = FindHoliday(list, date);
  return index < 0 ? nullptr : &list[static_cast<std::size_t>(index)];
}

bool IsSunday(TDateTime date) { return DayOfWeek(date) == 1; }

bool IsSubstituteHoliday(const std::vector<THoliday>& list, TDateTime date) {
  TDateTime day = date;
  for (int step = 0; step < kSubstituteReach; ++step) {
    day -= 1;
    const THoliday* rule = RuleOf(list, day);
    if (!rule) return false;
    if (IsSunday(day)) return rule->Transfer;
  }
  return false;
}

bool IsPublicHoliday(const std::vector<THoliday>& list, TDateTime date) {
  const THoliday* rule = RuleOf(list, date);
  return rule && rule->HolidayType == htPublic;
}

}  // namespace

std::optional<THoliday> ParseHoliday(std::wstring_view text) {
  const std::vector<std::wstring> items = SplitCommaText(text);
  if (items.size() < 7) return std::nullopt;
  const auto number = [&items](std::size_t k, int fallback) { return ParseInt(items[k]).value_or(fallback); };
  THoliday holiday;
  holiday.HolidayType = number(0, htPublic) == htPrivate ? htPrivate : htPublic;
  const int spec = number(1, hsDate);
  if (spec != hsDate && spec != hsDayOfWeek && spec != hsEquinox) return std::nullopt;
  holiday.Specification = static_cast<THolidaySpec>(spec);
  holiday.Month = number(2, 1);
  holiday.NthDayOfWeek = number(3, 1);
  holiday.Day = number(4, 1);
  holiday.Transfer = ParseBool(items[5]).value_or(false);
  holiday.Name = items[6];
  if (holiday.Specification == hsEquinox && holiday.Month != 3 && holiday.Month != 9) return std::nullopt;
  return holiday;
}

std::wstring FormatHoliday(const THoliday& h) {
  const auto number = [](long long value) { return std::to_wstring(value); };
  return number(h.HolidayType) + L',' + number(h.Specification) + L',' + number(h.Month) + L',' +
         number(h.NthDayOfWeek) + L',' + number(h.Day) + L',' + (h.Transfer ? L"1" : L"0") + L',' +
         QuoteText(h.Name);
}

std::vector<THoliday> DefaultHolidays() {
  std::vector<THoliday> list;
  const std::wstring_view table = MessageText(TMsg::DefaultHolidays);
  std::size_t pos = 0;
  while (pos <= table.size()) {
    std::size_t end = table.find(L"\r\n", pos);
    if (end == std::wstring_view::npos) end = table.size();
    if (auto holiday = ParseHoliday(table.substr(pos, end - pos))) list.push_back(std::move(*holiday));
    pos = end + 2;
  }
  return list;
}

std::optional<int> EquinoxDay(int year, int month) {
  if (year < 1980 || year > 2099) return std::nullopt;
  double base = 0;
  if (month == 3) {
    base = 20.8431;
  } else if (month == 9) {
    base = 23.2488;
  } else {
    return std::nullopt;
  }
  const int years = year - 1980;
  return static_cast<int>(std::floor(base + 0.242194 * years - years / 4));
}

int FindHoliday(const std::vector<THoliday>& list, TDateTime date) {
  const TDateParts parts = DecodeDate(date);
  const int weekday = DayOfWeek(date) - 1;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (Matches(list[i], parts, weekday)) return static_cast<int>(i);
  }
  return -1;
}

bool IsHolidayDate(const std::vector<THoliday>& list, TDateTime date) {
  const TDateTime day = DateOf(date);
  if (FindHoliday(list, day) >= 0) return true;
  if (IsSubstituteHoliday(list, day)) return true;
  return IsPublicHoliday(list, day - 1) && IsPublicHoliday(list, day + 1);
}

std::wstring HolidayDateCaption(const THoliday& holiday, const std::array<std::wstring, 7>& longDayNames) {
  switch (holiday.Specification) {
    case hsDayOfWeek: {
      const bool known = holiday.Day >= 0 && holiday.Day < 7;
      return FormatText(MessageText(TMsg::HolidayDayOfWeekCaption),
                        {holiday.Month, holiday.NthDayOfWeek,
                         known ? longDayNames[static_cast<std::size_t>(holiday.Day)] : std::wstring()});
    }
    case hsEquinox:
      return std::wstring(MessageText(holiday.Month == 3 ? TMsg::SpringEquinoxCaption : TMsg::AutumnEquinoxCaption));
    case hsDate:
      break;
  }
  return FormatText(MessageText(TMsg::HolidayDateCaption), {holiday.Month, holiday.Day});
}

std::wstring HolidayTransferCaption(const THoliday& holiday) {
  return std::wstring(MessageText(holiday.Transfer ? TMsg::TransferYes : TMsg::TransferNo));
}

bool HolidayListsBefore(const THoliday& a, const THoliday& b) {
  return std::tie(a.HolidayType, a.Month, a.NthDayOfWeek, a.Day) <
         std::tie(b.HolidayType, b.Month, b.NthDayOfWeek, b.Day);
}

}  // namespace tdialix
