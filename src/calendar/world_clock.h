// The world clock: the time the clocks show, from the local time, the UTC time
// of the same instant, the world-clock record and the chosen zone's rules; and
// the system's time zones as their registry values describe them, daylight
// saving time included.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time.h"

namespace tdialix {

// The record: with wcTimeZone, the local time is moved to UTC first, then
// shifted by Time; with wcManual it is only shifted.
enum TWorldClockSpec : int { wcTimeZone = 0, wcManual = 1 };
enum TWorldClockDirection : int { wcInc = 0, wcDec = 1 };

struct TWorldClock {
  TWorldClockSpec Specification = wcTimeZone;
  TDateTime Time = 0;  // signed fraction of a day: negative when moving back
  TWorldClockDirection Direction = wcInc;
  std::wstring Name;  // standard name of the chosen time zone, empty when none
  bool operator==(const TWorldClock&) const = default;
};

// ---- Time zones

// A transition date as the registry keeps it (a SYSTEMTIME). With Year 0 it
// recurs: the Day-th DayOfWeek (0 = Sunday; Day 5 = the last) of Month. With a
// year it is that date only. The time of day is the local time the clocks
// change at. Month 0 means no transition.
struct TZoneDate {
  int Year = 0;
  int Month = 0;
  int DayOfWeek = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int MilliSecond = 0;
  bool operator==(const TZoneDate&) const = default;
};

// A zone's rules ("TZI"), biases in minutes: UTC = local time + Bias +
// StandardBias in standard time, + Bias + DaylightBias in daylight time.
// DaylightDate starts daylight time (given in standard time), StandardDate
// ends it (given in daylight time).
struct TZoneRules {
  int Bias = 0;
  int StandardBias = 0;
  int DaylightBias = 0;
  TZoneDate StandardDate;
  TZoneDate DaylightDate;
  bool operator==(const TZoneRules&) const = default;
};

// The 44 bytes of a "TZI" value (three 32-bit biases, then the standard and
// the daylight date as 16-byte SYSTEMTIMEs, little-endian); nothing when
// fewer bytes are given.
std::optional<TZoneRules> DecodeZoneRules(std::string_view bytes);

// A zone of the system's list.
struct TTimeZone {
  int Bias = 0;  // minutes, UTC = local + bias; 0 when "TZI" was unreadable
  std::wstring Name;         // the standard name ("Std")
  std::wstring DisplayName;  // ("Display")
  std::optional<TZoneRules> Rules;       // the whole "TZI", when it read
  std::map<int, TZoneRules> YearRules;   // "Dynamic DST": the rules by year
  bool operator==(const TTimeZone&) const = default;
};

// The values of one zone's registry key as read, before decoding.
struct TZoneValues {
  std::string Tzi;  // the bytes of "TZI" (up to 44; empty when unreadable)
  std::wstring Std;
  std::wstring Display;
  // "Dynamic DST": the "TZI" bytes of each year from FirstEntry to LastEntry.
  std::map<int, std::string> YearTzi;
};

TTimeZone DecodeTimeZone(const TZoneValues& values);

// The zone list as the world-clock dialog shows it: sorted by Name without
// regard to case; without any zone, one entry "なし" with the local bias.
std::vector<TTimeZone> SortedTimeZones(std::vector<TTimeZone> zones, int localBias);

// The zone whose standard name is the name (case ignored), if any.
const TTimeZone* FindTimeZone(const std::vector<TTimeZone>& zones, std::wstring_view name);

// A zone's rules in force in a year: its dynamic rules for the year (the first
// or last year's for years before or after them), else its "TZI".
const TZoneRules* RulesForYear(const TTimeZone& zone, int year);

// A zone's local time from UTC, with its daylight time. The transitions of
// the last year asked for are kept, so a tick computes nothing again.
class TZoneClock {
 public:
  explicit TZoneClock(TTimeZone zone);

  const TTimeZone& Zone() const noexcept { return FZone; }
  bool InDaylightTime(TDateTime utc) const;
  // How many minutes the zone's local time at that instant is ahead of its
  // standard time by the zone's Bias: its daylight saving, and a bias of the
  // year's own rules that differs.
  std::int64_t ShiftMinutes(TDateTime utc) const;

 private:
  struct TYear {
    int Year = 0;
    std::optional<TZoneRules> Rules;
    // Daylight time runs from Start to End (milliseconds of UTC); southern
    // zones have End before Start.
    std::optional<std::int64_t> Start, End;
  };
  const TYear& YearOf(std::int64_t utc) const;

  TTimeZone FZone;
  mutable std::optional<TYear> Cached;
};

// ---- The displayed time

// What the clocks show. wcManual: local + Time. wcTimeZone with a zone of the
// system's list: that zone's own local time shifted by the record, that is
// UTC + Time + the zone's shift in force. wcTimeZone without such a
// zone: local + timeZoneBias (the local standard bias) + Time, so that the
// record made for local time shows local time all year.
TDateTime DisplayedTime(TDateTime local, TDateTime utc, const TWorldClock& worldClock, int timeZoneBias,
                        const TZoneClock* zone);

}  // namespace tdialix
