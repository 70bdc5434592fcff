#include "base/date_time.h"

#include <cmath>

namespace tdialix {

namespace {

// Days between 1970-01-01 and 1899-12-30.
constexpr std::int64_t kUnixEpochDay = 25569;

// Proleptic Gregorian calendar, day 0 = 1970-01-01.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

TDateParts CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
    return std::nullopt;
  }
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int milliSecond) {
  if (hour == 24 && minute == 0 && second == 0 && milliSecond == 0) return 1.0;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || milliSecond < 0 ||
      milliSecond > 999) {
    return std::nullopt;
  }
  const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + milliSecond;
  return static_cast<double>(ms) / static_cast<double>(MSecsPerDay);
}

std::optional<TDateTime> TryEncodeDateTime(const TDateParts& date, const TTimeParts& time) {
  const auto day = TryEncodeDate(date.Year, date.Month, date.Day);
  const auto fraction = TryEncodeTime(time.Hour, time.Minute, time.Second, time.MilliSecond);
  if (!day || !fraction) return std::nullopt;
  return *day < 0 ? *day - *fraction : *day + *fraction;
}

TDayAndTime SplitDateTime(TDateTime value) {
  if (!std::isfinite(value)) return {};
  std::int64_t day = static_cast<std::int64_t>(std::trunc(value));
  std::int64_t ms = std::llround(std::fabs(value - static_cast<double>(day)) * static_cast<double>(MSecsPerDay));
  if (ms >= MSecsPerDay) {
    ms -= MSecsPerDay;
    ++day;
  }
  // Between -1 and 0 the whole part is 0 and the value still means 1899-12-30.
  return {day, static_cast<std::int32_t>(ms)};
}

TDateTime ComposeDateTime(std::int64_t day, std::int64_t milliSeconds) {
  day += milliSeconds / MSecsPerDay;
  milliSeconds %= MSecsPerDay;
  if (milliSeconds < 0) {
    milliSeconds += MSecsPerDay;
    --day;
  }
  const double fraction = static_cast<double>(milliSeconds) / static_cast<double>(MSecsPerDay);
  return day < 0 ? static_cast<double>(day) - fraction : static_cast<double>(day) + fraction;
}

TDateParts DecodeDate(TDateTime value) { return CivilFromDays(SplitDateTime(value).Day - kUnixEpochDay); }

TTimeParts DecodeTime(TDateTime value) {
  std::int32_t ms = SplitDateTime(value).MilliSeconds;
  TTimeParts parts;
  parts.MilliSecond = ms % 1000;
  ms /= 1000;
  parts.Second = ms % 60;
  ms /= 60;
  parts.Minute = ms % 60;
  parts.Hour = ms / 60;
  return parts;
}

int DayOfWeek(TDateTime value) {
  // 1899-12-30, day 0, was a Saturday.
  const std::int64_t day = SplitDateTime(value).Day;
  return static_cast<int>(((day + 6) % 7 + 7) % 7) + 1;
}

TDateTime DateOf(TDateTime value) { return static_cast<double>(SplitDateTime(value).Day); }

TDateTime TimeOf(TDateTime value) {
  return static_cast<double>(SplitDateTime(value).MilliSeconds) / static_cast<double>(MSecsPerDay);
}

TDateTime IncMilliSecond(TDateTime value, std::int64_t milliSeconds) {
  const TDayAndTime parts = SplitDateTime(value);
  return ComposeDateTime(parts.Day, parts.MilliSeconds + milliSeconds);
}

}  // namespace tdialix
