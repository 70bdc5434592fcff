#include "calendar/world_clock.h"

#include <algorithm>
#include <cmath>

#include "base/text.h"

namespace tdialix {

namespace {

constexpr std::int64_t kMsPerMinute = 60'000;

// Milliseconds on one straight time line, and back.
std::int64_t LinearMs(TDateTime value) {
  const TDayAndTime parts = SplitDateTime(value);
  return parts.Day * MSecsPerDay + parts.MilliSeconds;
}
TDateTime FromLinearMs(std::int64_t ms) { return ComposeDateTime(0, ms); }

std::int32_t Int32At(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return static_cast<std::int32_t>(value);
}
int UInt16At(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
}

TZoneDate ZoneDateAt(std::string_view bytes, std::size_t at) {
  return {UInt16At(bytes, at),      UInt16At(bytes, at + 2),  UInt16At(bytes, at + 4),  UInt16At(bytes, at + 6),
          UInt16At(bytes, at + 8),  UInt16At(bytes, at + 10), UInt16At(bytes, at + 12), UInt16At(bytes, at + 14)};
}

// The moment of a transition in the year, in local milliseconds; nothing when
// the date says no transition or cannot be a date.
std::optional<std::int64_t> TransitionMs(const TZoneDate& date, int year) {
  if (date.Month < 1 || date.Month > 12) return std::nullopt;
  std::optional<TDateTime> day;
  if (date.Year != 0) {
    day = TryEncodeDate(date.Year, date.Month, date.Day);
  } else {
    if (date.DayOfWeek < 0 || date.DayOfWeek > 6 || date.Day < 1 || date.Day > 5) return std::nullopt;
    const std::optional<TDateTime> first = TryEncodeDate(year, date.Month, 1);
    if (!first) return std::nullopt;
    const int firstWeekday = DayOfWeek(*first) - 1;
    int dayOfMonth = 1 + (date.DayOfWeek - firstWeekday + 7) % 7 + 7 * (date.Day - 1);
    while (dayOfMonth > DaysInMonth(year, date.Month)) dayOfMonth -= 7;  // 5: the last
    day = TryEncodeDate(year, date.Month, dayOfMonth);
  }
  if (!day || date.Hour > 23 || date.Minute > 59 || date.Second > 59 || date.MilliSecond > 999) return std::nullopt;
  const std::int64_t timeOfDay = ((date.Hour * 60LL + date.Minute) * 60 + date.Second) * 1000 + date.MilliSecond;
  return LinearMs(*day) + timeOfDay;
}

bool NameBefore(const TTimeZone& a, const TTimeZone& b) { return CompareText(a.Name, b.Name) < 0; }

}  // namespace

std::optional<TZoneRules> DecodeZoneRules(std::string_view bytes) {
  if (bytes.size() < 44) return std::nullopt;
  TZoneRules rules;
  rules.Bias = Int32At(bytes, 0);
  rules.StandardBias = Int32At(bytes, 4);
  rules.DaylightBias = Int32At(bytes, 8);
  rules.StandardDate = ZoneDateAt(bytes, 12);
  rules.DaylightDate = ZoneDateAt(bytes, 28);
  return rules;
}

TTimeZone DecodeTimeZone(const TZoneValues& values) {
  TTimeZone zone;
  if (values.Tzi.size() >= 4) zone.Bias = Int32At(values.Tzi, 0);
  zone.Name = values.Std;
  zone.DisplayName = values.Display;
  zone.Rules = DecodeZoneRules(values.Tzi);
  for (const auto& [year, bytes] : values.YearTzi) {
    if (auto rules = DecodeZoneRules(bytes)) zone.YearRules.emplace(year, *rules);
  }
  return zone;
}

std::vector<TTimeZone> SortedTimeZones(std::vector<TTimeZone> zones, int localBias) {
  std::stable_sort(zones.begin(), zones.end(), NameBefore);
  if (zones.empty()) {
    TTimeZone none;
    none.Bias = localBias;
    none.Name = L"なし";
    none.DisplayName = L"(既定値)";
    zones.push_back(std::move(none));
  }
  return zones;
}

const TTimeZone* FindTimeZone(const std::vector<TTimeZone>& zones, std::wstring_view name) {
  for (const TTimeZone& zone : zones) {
    if (SameText(zone.Name, name)) return &zone;
  }
  return nullptr;
}

const TZoneRules* RulesForYear(const TTimeZone& zone, int year) {
  if (!zone.YearRules.empty()) {
    auto after = zone.YearRules.upper_bound(year);
    if (after == zone.YearRules.begin()) return &after->second;  // before the first year: the first
    return &std::prev(after)->second;                            // the year's, or the last before it
  }
  return zone.Rules ? &*zone.Rules : nullptr;
}

TZoneClock::TZoneClock(TTimeZone zone) : FZone(std::move(zone)) {}

const TZoneClock::TYear& TZoneClock::YearOf(std::int64_t utc) const {
  // The year of the zone's standard time; the transitions of a year happen
  // well inside it, so the bias of any of its rules tells the year.
  const int year = DecodeDate(FromLinearMs(utc - FZone.Bias * kMsPerMinute)).Year;
  if (Cached && Cached->Year == year) return *Cached;
  TYear entry;
  entry.Year = year;
  if (const TZoneRules* rules = RulesForYear(FZone, year)) {
    entry.Rules = *rules;
    const auto start = TransitionMs(rules->DaylightDate, year);
    const auto end = TransitionMs(rules->StandardDate, year);
    if (start && end && *start != *end) {
      // Daylight time starts at a standard-time moment and ends at a
      // daylight-time one.
      entry.Start = *start + (std::int64_t{rules->Bias} + rules->StandardBias) * kMsPerMinute;
      entry.End = *end + (std::int64_t{rules->Bias} + rules->DaylightBias) * kMsPerMinute;
    }
  }
  Cached = entry;
  return *Cached;
}

bool TZoneClock::InDaylightTime(TDateTime utc) const {
  const std::int64_t at = LinearMs(utc);
  const TYear& year = YearOf(at);
  if (!year.Start || !year.End) return false;
  if (*year.Start < *year.End) return *year.Start <= at && at < *year.End;
  return at >= *year.Start || at < *year.End;  // southern zones: over the turn of the year
}

std::int64_t TZoneClock::ShiftMinutes(TDateTime utc) const {
  const TYear& year = YearOf(LinearMs(utc));
  if (!year.Rules) return 0;
  const std::int64_t bias =
      std::int64_t{year.Rules->Bias} + (InDaylightTime(utc) ? year.Rules->DaylightBias : year.Rules->StandardBias);
  return FZone.Bias - bias;
}

TDateTime DisplayedTime(TDateTime local, TDateTime utc, const TWorldClock& worldClock, int timeZoneBias,
                        const TZoneClock* zone) {
  const double days = std::isfinite(worldClock.Time) ? worldClock.Time : 0.0;
  const auto shift = static_cast<std::int64_t>(std::llround(days * static_cast<double>(MSecsPerDay)));
  if (worldClock.Specification == wcManual) return FromLinearMs(LinearMs(local) + shift);
  if (zone) return FromLinearMs(LinearMs(utc) + shift + zone->ShiftMinutes(utc) * kMsPerMinute);
  return FromLinearMs(LinearMs(local) + timeZoneBias * kMsPerMinute + shift);
}

}  // namespace tdialix
