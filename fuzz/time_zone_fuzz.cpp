// Time-zone values come from the registry, and "Dynamic DST" keys from
// whoever wrote them: whatever their bytes, decoding gives rules or none, and
// asking a zone for its daylight time at any moment gives an answer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "calendar/world_clock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tdialix::TZoneValues values;
  values.Std = L"Fuzz Standard Time";
  values.Tzi = std::string(bytes.substr(0, 44));
  // The rest: further years' rules, 44 bytes each, the last one short.
  int year = 1990 + static_cast<int>(size % 50);
  for (std::size_t at = 44; at < size; at += 44) values.YearTzi.emplace(year++, bytes.substr(at, 44));
  const tdialix::TTimeZone zone = tdialix::DecodeTimeZone(values);
  if (zone.Rules.has_value() != (size >= 44)) std::abort();

  const tdialix::TZoneClock clock(zone);
  const tdialix::TWorldClock record{tdialix::wcTimeZone, -5.0 / 24, tdialix::wcDec, values.Std};
  for (const double utc : {-1.5, 0.0, 29221.0, 46000.25, 46203.999, 73050.5, 2958465.0}) {
    const bool daylight = clock.InDaylightTime(utc);
    const std::int64_t shift = clock.ShiftMinutes(utc);
    if (!zone.Rules && zone.YearRules.empty() && (daylight || shift != 0)) std::abort();
    tdialix::DisplayedTime(utc + 0.375, utc, record, -540, &clock);
  }
  return 0;
}
