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

int SlotEndMilliSeconds(TDateTime end) {
  const int ms = SplitDateTime(TimeOf(end)).MilliSeconds;
  // The time pickers end at 23:59:59: such an end means the end of the day,
  // or the clock would vanish for the last second of every day.
  return ms >= kLastSecondOfDay ? static_cast<int>(MSecsPerDay) : ms;
}

bool InVisibleTimeSlot(const std::vector<TVisibleTimeSlot>& slots, TDateTime now, TDayType dayType) {
  if (slots.empty()) return true;
  const int at = SplitDateTime(TimeOf(now)).MilliSeconds;
  for (const TVisibleTimeSlot& slot : slots) {
    if (slot.DayType == dayType && SplitDateTime(TimeOf(slot.StartTime)).MilliSeconds <= at &&
        at < SlotEndMilliSeconds(slot.EndTime)) {
      return true;
    }
  }
  return false;
}

}  // namespace tdialix
