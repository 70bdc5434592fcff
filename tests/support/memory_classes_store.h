// A registry classes key in memory for the association's native tests and its
// fuzz target: keys and value names in any case, keys above a key existing
// with it, and keys whose changes fail.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "base/text.h"
#include "dialogs/shell_association.h"

namespace tdialix {

class TMemoryClassesStore final : public TClassesStore {
 public:
  // Values by their name in lower case; keys by their path in lower case.
  using TValues = std::map<std::wstring, TRegistryValue>;
  std::map<std::wstring, TValues> Keys;
  // Writing or deleting in these keys (or below them) fails.
  std::set<std::wstring> Failing;

  static std::wstring Fold(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = FoldCase(c);
    return folded;
  }

  // Prepares a value without any failure getting in the way.
  TMemoryClassesStore& Set(std::wstring_view key, std::wstring_view name, const TRegistryValue& value) {
    AddKey(key);
    Keys[Fold(key)][Fold(name)] = value;
    return *this;
  }
  TMemoryClassesStore& AddKey(std::wstring_view key) {
    const std::wstring folded = Fold(key);
    for (size_t at = folded.find(L'\\'); at != std::wstring::npos; at = folded.find(L'\\', at + 1)) {
      Keys[folded.substr(0, at)];
    }
    Keys[folded];
    return *this;
  }

  bool operator==(const TMemoryClassesStore& other) const { return Keys == other.Keys; }

  bool KeyExists(std::wstring_view key) override { return Keys.count(Fold(key)) > 0; }

  std::optional<TRegistryValue> ReadValue(std::wstring_view key, std::wstring_view name) override {
    const auto found = Keys.find(Fold(key));
    if (found == Keys.end()) return std::nullopt;
    const auto value = found->second.find(Fold(name));
    if (value == found->second.end()) return std::nullopt;
    return value->second;
  }

  bool WriteValue(std::wstring_view key, std::wstring_view name, const TRegistryValue& value) override {
    if (Fails(key)) return false;
    Set(key, name, value);
    return true;
  }

  bool DeleteValue(std::wstring_view key, std::wstring_view name) override {
    const auto found = Keys.find(Fold(key));
    if (found == Keys.end()) return true;
    if (Fails(key)) return false;
    found->second.erase(Fold(name));
    return true;
  }

  bool IsKeyEmpty(std::wstring_view key) override {
    const auto found = Keys.find(Fold(key));
    return found != Keys.end() && found->second.empty() && !HasSubkeys(found->first);
  }

  bool DeleteEmptyKey(std::wstring_view key) override {
    const std::wstring folded = Fold(key);
    if (Fails(key) || HasSubkeys(folded)) return false;
    Keys.erase(folded);
    return true;
  }

  bool DeleteKeyTree(std::wstring_view key) override {
    const std::wstring folded = Fold(key);
    if (Fails(key)) return false;
    for (auto it = Keys.begin(); it != Keys.end();) {
      it = it->first == folded || it->first.rfind(folded + L"\\", 0) == 0 ? Keys.erase(it) : std::next(it);
    }
    return true;
  }

 private:
  bool HasSubkeys(const std::wstring& folded) const {
    const std::wstring prefix = folded + L"\\";
    const auto next = Keys.lower_bound(prefix);
    return next != Keys.end() && next->first.rfind(prefix, 0) == 0;
  }
  bool Fails(std::wstring_view key) const {
    const std::wstring folded = Fold(key);
    for (const std::wstring& key : Failing) {
      const std::wstring failing = Fold(key);
      if (folded == failing || folded.rfind(failing + L"\\", 0) == 0) return true;
    }
    return false;
  }
};

}  // namespace tdialix
