// The automatic style change: styles that load by themselves at set times on
// days of a given type.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_format.h"
#include "base/date_time.h"
#include "base/types.h"

namespace tdialix {

struct TChangeTime {
  TDayType DayType = dtWeekDay;
  std::wstring Style;        // full path of the style file
  TDateTime ChangeTime = 0;  // time of day
  bool Changed = false;      // already applied today (not saved)
  bool operator==(const TChangeTime&) const = default;
};

// The entry that applies at this time of day on a day of this type: the
// latest one not later than now, the first in the list among equal times.
std::optional<std::size_t> ChooseChangeTime(const std::vector<TChangeTime>& list, TDateTime now, TDayType dayType);

// The automatic change check: the entry that applies now when it has not
// applied today, marked as applied (whether its style then loads or not);
// nothing otherwise. Each entry so applies once a day, and a style chosen by
// hand stays until the next entry's time.
std::optional<std::size_t> TakeDueChangeTime(std::vector<TChangeTime>& list, TDateTime now, TDayType dayType);

// Every entry may apply again (a new day, or the list was confirmed).
void ClearChanged(std::vector<TChangeTime>& list);

// The entry as the settings file keeps it: day type, the style path in double
// quotes (a quote in it doubled, so that it reads back whole), and the time of
// day in the locale's long time format: 0,"C:\a.dlx",7:00:00.
// A time text with blanks ("午後 7:00:00") is quoted too, so that it reads back
// as one field.
std::wstring FormatChangeTime(const TChangeTime& entry, const TFormatSettings& formats);

// Nothing for text with fewer than three fields. A day type that is not a
// number or not a day type gives weekdays; a time that does not read gives
// midnight. The entry has not applied yet.
std::optional<TChangeTime> ParseChangeTime(std::wstring_view text, const TFormatSettings& formats);

}  // namespace tdialix
