// Date-time values as the program keeps them: days since 1899-12-30 as a
// double, the time of day being the fraction. A negative value's fraction is
// the time of day on the date its whole part names (-1.25 is 1899-12-29 06:00).
#pragma once

#include <cstdint>
#include <optional>

namespace tdialix {

using TDateTime = double;

// 0100-01-01 00:00, the smallest date-time; used as "never".
inline constexpr TDateTime MinDateTime = -657434.0;
inline constexpr std::int64_t MSecsPerDay = 86'400'000;

struct TDateParts {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  bool operator==(const TDateParts&) const = default;
};

struct TTimeParts {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int MilliSecond = 0;
  bool operator==(const TTimeParts&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Years 1 to 9999; nothing for dates that do not exist.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
// Hours 0 to 23 (24:00:00.000 too, the end of a day), minutes and seconds 0 to 59.
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int milliSecond);
// The date and the time of day combined; invalid parts give nothing.
std::optional<TDateTime> TryEncodeDateTime(const TDateParts& date, const TTimeParts& time);

// The date-time as a day number and milliseconds into that day, rounded to the
// nearest millisecond (23:59:59.9996 becomes midnight of the next day).
struct TDayAndTime {
  std::int64_t Day = 0;
  std::int32_t MilliSeconds = 0;
};
TDayAndTime SplitDateTime(TDateTime value);
TDateTime ComposeDateTime(std::int64_t day, std::int64_t milliSeconds);

TDateParts DecodeDate(TDateTime value);
TTimeParts DecodeTime(TDateTime value);

// 1 for Sunday to 7 for Saturday.
int DayOfWeek(TDateTime value);

// The date alone (midnight) and the time of day alone (0 <= t < 1).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

TDateTime IncMilliSecond(TDateTime value, std::int64_t milliSeconds);

// The time of day in whole seconds since midnight, as the lists show it.
inline int SecondOfDay(TDateTime value) { return SplitDateTime(TimeOf(value)).MilliSeconds / 1000; }

}  // namespace tdialix
