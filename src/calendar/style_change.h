// The automatic style change: styles that load by themselves at set times on
// days of a given type.
#pragma once

#include <optional>
#include <string>
#include <vector>

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

// Every entry may apply again (a new day, or the list was confirmed).
void ClearChanged(std::vector<TChangeTime>& list);

}  // namespace tdialix
