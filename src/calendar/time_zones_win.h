// The system's time zones, read from the registry.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "calendar/world_clock.h"

namespace tdialix {

// Every zone of the system's list, sorted by name, with its rules and its
// dynamic daylight-time rules; without any, the one entry "なし" with the
// local bias.
std::vector<TTimeZone> SystemTimeZones(int localBias);

// The zone of that standard name, read from the registry; nothing when the
// system has none of that name (or the name is empty).
std::optional<TTimeZone> SystemTimeZone(std::wstring_view name);

// The local zone's standard bias in minutes (UTC = local standard time + bias).
int LocalStandardBias();

// The standard name of the local zone.
std::wstring LocalStandardName();

}  // namespace tdialix
