#include "calendar/style_change.h"

#include "base/comma_text.h"
#include "base/number_text.h"

namespace tdialix {

std::optional<std::size_t> ChooseChangeTime(const std::vector<TChangeTime>& list, TDateTime now, TDayType dayType) {
  // Times of day compared to the millisecond, as the clock shows them.
  const auto ms = [](TDateTime t) { return SplitDateTime(TimeOf(t)).MilliSeconds; };
  const int nowMs = ms(now);
  std::optional<std::size_t> chosen;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TChangeTime& entry = list[i];
    if (entry.DayType != dayType || ms(entry.ChangeTime) > nowMs) continue;
    if (!chosen || ms(entry.ChangeTime) > ms(list[*chosen].ChangeTime)) chosen = i;
  }
  return chosen;
}

std::optional<std::size_t> TakeDueChangeTime(std::vector<TChangeTime>& list, TDateTime now, TDayType dayType) {
  const std::optional<std::size_t> due = ChooseChangeTime(list, now, dayType);
  if (!due || list[*due].Changed) return std::nullopt;
  list[*due].Changed = true;
  return due;
}

void ClearChanged(std::vector<TChangeTime>& list) {
  for (TChangeTime& entry : list) entry.Changed = false;
}

std::wstring FormatChangeTime(const TChangeTime& entry, const TFormatSettings& formats) {
  return std::to_wstring(entry.DayType) + L',' + QuoteText(entry.Style) + L',' +
         JoinCommaText({FormatTimeText(entry.ChangeTime, formats)});
}

std::optional<TChangeTime> ParseChangeTime(std::wstring_view text, const TFormatSettings& formats) {
  const std::vector<std::wstring> items = SplitCommaText(text);
  if (items.size() < 3) return std::nullopt;
  const int dayType = ParseInt(items[0]).value_or(dtWeekDay);
  TChangeTime entry;
  entry.DayType = dayType >= dtWeekDay && dayType <= dtSunday ? static_cast<TDayType>(dayType) : dtWeekDay;
  entry.Style = items[1];
  entry.ChangeTime = ParseTimeText(items[2], formats).value_or(0);
  return entry;
}

}  // namespace tdialix
