// Everything under a registry key, to compare before and after: every subkey
// by its path, every value with its type and bytes.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tdialix {

struct TRegistrySnapshot {
  using TValue = std::pair<DWORD, std::vector<BYTE>>;
  // Keys by their path below the snapshot's key ("" for the key itself),
  // values by their name ("" for the default value).
  std::map<std::wstring, std::map<std::wstring, TValue>> Keys;
  bool operator==(const TRegistrySnapshot&) const = default;
};

inline void AddToSnapshot(HKEY key, const std::wstring& path, TRegistrySnapshot& snapshot) {
  auto& values = snapshot.Keys[path];
  for (DWORD index = 0;; ++index) {
    wchar_t name[16384];
    DWORD nameLength = 16384;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
    std::vector<BYTE> data(size);
    nameLength = 16384;
    ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size);
    data.resize(size);
    values[std::wstring(name, nameLength)] = {type, data};
  }
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (::RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY subkey = nullptr;
    if (::RegOpenKeyExW(key, name, 0, KEY_READ, &subkey) == ERROR_SUCCESS) {
      AddToSnapshot(subkey, path.empty() ? std::wstring(name) : path + L"\\" + name, snapshot);
      ::RegCloseKey(subkey);
    }
  }
}

// An empty snapshot when the key does not exist.
inline TRegistrySnapshot SnapshotOf(HKEY hive, const std::wstring& path) {
  TRegistrySnapshot snapshot;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
    AddToSnapshot(key, L"", snapshot);
    ::RegCloseKey(key);
  }
  return snapshot;
}

// What one snapshot has that the other has not, or holds otherwise: one line
// per key or value, for a test's failure message.
inline std::string SnapshotDifference(const TRegistrySnapshot& a, const TRegistrySnapshot& b) {
  std::string lines;
  const auto narrow = [](const std::wstring& text) { return std::string(text.begin(), text.end()); };
  const auto oneWay = [&](const TRegistrySnapshot& from, const TRegistrySnapshot& to, const char* sign) {
    for (const auto& [path, values] : from.Keys) {
      const auto other = to.Keys.find(path);
      if (other == to.Keys.end()) {
        lines += std::string(sign) + " key [" + narrow(path) + "]\n";
        continue;
      }
      for (const auto& [name, value] : values) {
        const auto same = other->second.find(name);
        if (same == other->second.end() || same->second != value) {
          lines += std::string(sign) + " value [" + narrow(path) + "] \"" + narrow(name) + "\"\n";
        }
      }
    }
  };
  oneWay(a, b, "-");
  oneWay(b, a, "+");
  return lines;
}

// A string value for preparing keys.
inline bool SetRegistryText(HKEY hive, const std::wstring& key, const std::wstring& name, const std::wstring& text,
                            DWORD type = REG_SZ) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(hive, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status = ::RegSetValueExW(opened, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
  return status == ERROR_SUCCESS;
}

// A string value's type and text; type 0 when there is none.
inline std::pair<DWORD, std::wstring> RegistryText(HKEY hive, const std::wstring& key, const std::wstring& name) {
  wchar_t text[2048] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegGetValueW(hive, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, text, &size) != ERROR_SUCCESS) {
    return {0, L""};
  }
  return {type, text};
}

}  // namespace tdialix
