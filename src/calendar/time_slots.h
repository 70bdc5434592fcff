// The day type of a date and the style's visible time slots.
#pragma once

#include <vector>

#include "base/date_time.h"
#include "base/types.h"
#include "style/style.h"

namespace tdialix {

// dtHoliday when today counts as a holiday, else Saturday, Sunday or weekday.
TDayType DayTypeOf(TDateTime date, bool holiday);

inline constexpr int kLastSecondOfDay = 86399000;  // 23:59:59

// A slot's end as milliseconds of the day: an end of 23:59:59 (the latest
// time the pickers give) counts to the end of the day. The style file keeps
// the end as it was written.
int SlotEndMilliSeconds(TDateTime end);

// Whether the clocks are to be shown: always without slots, else when a slot
// of the day type has start <= now < end (times of day, to the millisecond).
bool InVisibleTimeSlot(const std::vector<TVisibleTimeSlot>& slots, TDateTime now, TDayType dayType);

}  // namespace tdialix
