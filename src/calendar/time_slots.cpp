#include "calendar/time_slots.h"

namespace tdialix {

TDayType DayTypeOf(TDateTime date, bool holiday) {
  if (holiday) return dtHoliday;
  switch (DayOfWeek(date)) {
    case 7: return dtSaturday;
    case 1: return dtSunday;
    default: return dtWeekDay;
  }
}

bool InVisibleTimeSlot(const std::vector<TVisibleTimeSlot>& slots, TDateTime now, TDayType dayType) {
  if (slots.empty()) return true;
  const auto ms = [](TDateTime time) { return SplitDateTime(TimeOf(time)).MilliSeconds; };
  const int at = ms(now);
  for (const TVisibleTimeSlot& slot : slots) {
    if (slot.DayType == dayType && ms(slot.StartTime) <= at && at < ms(slot.EndTime)) return true;
  }
  return false;
}

}  // namespace tdialix
