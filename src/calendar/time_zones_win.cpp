#include "calendar/time_zones_win.h"

#include <windows.h>

#include <string>

#include "base/text.h"
#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

constexpr const wchar_t* kZoneKeys[] = {
    L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Time Zones",
};

TUniqueRegistryKey OpenKey(HKEY parent, const wchar_t* name) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(parent, name, 0, KEY_READ, &key) != ERROR_SUCCESS) return TUniqueRegistryKey();
  return TUniqueRegistryKey(key);
}

// The list's key: the NT one, else the older one.
TUniqueRegistryKey OpenZoneList() {
  for (const wchar_t* name : kZoneKeys) {
    if (TUniqueRegistryKey key = OpenKey(HKEY_LOCAL_MACHINE, name)) return key;
  }
  return TUniqueRegistryKey();
}

// Up to 44 bytes of a binary value; empty when it does not read.
std::string ReadTzi(HKEY key, const wchar_t* name) {
  BYTE bytes[44] = {};
  DWORD size = sizeof bytes, type = 0;
  const LSTATUS status = ::RegQueryValueExW(key, name, nullptr, &type, bytes, &size);
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return {};
  if (status == ERROR_MORE_DATA) size = sizeof bytes;  // longer than a TZI: its first 44 bytes
  return std::string(reinterpret_cast<const char*>(bytes), size);
}

std::wstring ReadString(HKEY key, const wchar_t* name) {
  DWORD size = 0, type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  text.resize(size / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name) {
  DWORD value = 0, size = sizeof value, type = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

TZoneValues ReadZoneValues(HKEY zone) {
  TZoneValues values;
  values.Tzi = ReadTzi(zone, L"TZI");
  values.Std = ReadString(zone, L"Std");
  values.Display = ReadString(zone, L"Display");
  if (const TUniqueRegistryKey dynamic = OpenKey(zone, L"Dynamic DST")) {
    const auto first = ReadDword(dynamic.Get(), L"FirstEntry");
    const auto last = ReadDword(dynamic.Get(), L"LastEntry");
    // A year of its own for every year from the first to the last (a few
    // dozen at most; a broken key is not followed further).
    if (first && last && *first <= *last && *last - *first < 200) {
      for (DWORD year = *first; year <= *last; ++year) {
        std::string tzi = ReadTzi(dynamic.Get(), std::to_wstring(year).c_str());
        if (!tzi.empty()) values.YearTzi.emplace(static_cast<int>(year), std::move(tzi));
      }
    }
  }
  return values;
}

// Calls visit(zoneKey) for every zone of the list until it returns false; a
// subkey that does not open is left out.
template <typename TVisit>
void ForEachZoneKey(TVisit visit) {
  const TUniqueRegistryKey list = OpenZoneList();
  if (!list) return;
  wchar_t name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(std::size(name));
    const LSTATUS status = ::RegEnumKeyExW(list.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status != ERROR_SUCCESS) continue;
    if (const TUniqueRegistryKey zone = OpenKey(list.Get(), name); zone && !visit(zone.Get())) break;
  }
}

std::vector<TTimeZone> ReadZones() {
  std::vector<TTimeZone> zones;
  ForEachZoneKey([&](HKEY zone) {
    zones.push_back(DecodeTimeZone(ReadZoneValues(zone)));
    return true;
  });
  return zones;
}

}  // namespace

std::vector<TTimeZone> SystemTimeZones(int localBias) { return SortedTimeZones(ReadZones(), localBias); }

std::optional<TTimeZone> SystemTimeZone(std::wstring_view name) {
  if (name.empty()) return std::nullopt;
  // Only the zone asked for is read in full.
  std::optional<TTimeZone> found;
  ForEachZoneKey([&](HKEY zone) {
    if (!SameText(ReadString(zone, L"Std"), name)) return true;
    found = DecodeTimeZone(ReadZoneValues(zone));
    return false;
  });
  return found;
}

int LocalStandardBias() {
  TIME_ZONE_INFORMATION zone{};
  ::GetTimeZoneInformation(&zone);
  return static_cast<int>(zone.Bias + zone.StandardBias);
}

std::wstring LocalStandardName() {
  TIME_ZONE_INFORMATION zone{};
  ::GetTimeZoneInformation(&zone);
  return zone.StandardName;
}

}  // namespace tdialix
