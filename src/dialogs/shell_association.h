// The style-file association: the per-user registry entries that make the
// shell open ".dlx" files with the program, how they are written and removed
// without losing what other programs keep there, and the command line of the
// process that does it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/messages.h"

namespace tdialix {

// A registry value as the system stores it: its type and its bytes.
struct TRegistryValue {
  std::uint32_t Type = 0;
  std::vector<std::uint8_t> Data;
  bool operator==(const TRegistryValue&) const = default;
};

// The registry's string types (REG_SZ, REG_EXPAND_SZ).
inline constexpr std::uint32_t kRegString = 1;
inline constexpr std::uint32_t kRegExpandString = 2;

// A string value: UTF-16 LE with its terminating zero.
TRegistryValue StringValue(std::wstring_view text);
// The text of a string value, up to its first zero (another program may have
// stored it without one, or with an odd byte count); nothing for other types.
std::optional<std::wstring> ValueText(const TRegistryValue& value);

// The names the association uses, relative to the per-user classes key.
inline constexpr std::wstring_view kStyleExtensionKey = L".dlx";
inline constexpr std::wstring_view kStyleClassKey = L"DLXFile";
inline constexpr std::wstring_view kOwnMarkerName = L"Associated";
inline constexpr std::wstring_view kOwnMarker = L"TeamOrvaneTDialix2";
// Where associating keeps the default that another program had set, so that
// removing can give it back.
inline constexpr std::wstring_view kPreviousDefaultName = L"PreviousDefault";

// One string value of the association; an empty name is the key's default value.
struct TAssociationEntry {
  std::wstring Key;
  std::wstring Name;
  std::wstring Text;
  bool operator==(const TAssociationEntry&) const = default;
};

// The six values, in the order they are written.
std::vector<TAssociationEntry> AssociationEntries(std::wstring_view programPath);
// "<program>" "%1": the shell puts the file's path for %1.
std::wstring OpenCommandText(std::wstring_view programPath);
// "<program>",1: the style-file icon, the second icon group of the program file.
std::wstring DefaultIconText(std::wstring_view programPath);

// The per-user classes key, keys named relative to it ("DLXFile\Shell\Open").
class TClassesStore {
 public:
  virtual ~TClassesStore() = default;
  virtual bool KeyExists(std::wstring_view key) = 0;
  // Nothing when the key or the value is missing or cannot be read.
  virtual std::optional<TRegistryValue> ReadValue(std::wstring_view key, std::wstring_view name) = 0;
  // Creates the key (and the keys above it) when missing.
  virtual bool WriteValue(std::wstring_view key, std::wstring_view name, const TRegistryValue& value) = 0;
  // True when the value is gone afterwards, also when it was never there.
  virtual bool DeleteValue(std::wstring_view key, std::wstring_view name) = 0;
  // No values and no subkeys.
  virtual bool IsKeyEmpty(std::wstring_view key) = 0;
  // Deletes a key without subkeys.
  virtual bool DeleteEmptyKey(std::wstring_view key) = 0;
  // Deletes a key with its subkeys.
  virtual bool DeleteKeyTree(std::wstring_view key) = 0;
};

// What the association asks of the user and of the shell.
class TAssociationPrompt {
 public:
  virtual ~TAssociationPrompt() = default;
  // A Yes/No question with No as the default; true for Yes.
  virtual bool Confirm(TMsg question) = 0;
  virtual void ShowError(TMsg message) = 0;
  // The file types changed: the shell should read them again.
  virtual void AssociationsChanged() = 0;
};

enum class TAssociationResult {
  arChanged,    // written or removed as asked
  arUnchanged,  // there was nothing to remove
  arDeclined,   // the user answered No
  arFailed,     // something could not be written or removed; the user was told
};

// Associates ".dlx" files with the program, or removes the association.
// Associating over another program's ".dlx" asks first and keeps its default
// class; removing gives that back and deletes ".dlx" only when nothing else is
// left in it, so that associating and removing leave the classes as they
// were. Whatever part could be written stays written when another fails.
TAssociationResult ChangeStyleFileAssociation(TClassesStore& classes, bool associate, std::wstring_view programPath,
                                              TAssociationPrompt& prompt);

// Whether the shell opens ".dlx" files with the program: the per-user default
// of ".dlx" when it has one, else the machine-wide one, names the class
// "DLXFile" (in any case).
bool IsStyleFileClass(const std::optional<TRegistryValue>& userDefault,
                      const std::optional<TRegistryValue>& machineDefault);

// "/associate:1,00004242": the parameters of the process that changes the
// association, with the window that owns its messages as a number of at least
// eight digits.
std::wstring AssociateParameters(bool associate, std::uint32_t ownerHandle);

}  // namespace tdialix
