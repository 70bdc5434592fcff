#include "calendar/style_change.h"

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

void ClearChanged(std::vector<TChangeTime>& list) {
  for (TChangeTime& entry : list) entry.Changed = false;
}

}  // namespace tdialix
