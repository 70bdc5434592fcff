#include "dialogs/shell_association_win.h"

#include <shellapi.h>

#include <cstdint>
#include <string>

#include "base/trace_win.h"
#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

static_assert(kRegString == REG_SZ && kRegExpandString == REG_EXPAND_SZ);

TUniqueRegistryKey OpenKey(const TRegistryPlace& place, const std::wstring& path, REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(place.Hive, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
  return TUniqueRegistryKey(key);
}

bool Gone(LSTATUS status) { return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND; }

// What a prompt of the association shows, through the context.
class TAssociationMessages final : public TAssociationPrompt {
 public:
  TAssociationMessages(const TShellContext& context, HWND owner) : Context(context), Owner(owner) {}
  bool Confirm(TMsg question) override {
    return AskShellQuestion(Context, Owner, std::wstring(MessageText(question)));
  }
  void ShowError(TMsg message) override { ShowShellError(Context, Owner, std::wstring(MessageText(message))); }
  void AssociationsChanged() override {
    if (Context.AssociationsChanged) Context.AssociationsChanged();
  }

 private:
  const TShellContext& Context;
  HWND Owner;
};

std::optional<TRegistryValue> ExtensionDefault(const TRegistryPlace& classes) {
  return TRegistryClassesStore(classes).ReadValue(kStyleExtensionKey, L"");
}

}  // namespace

std::wstring TRegistryClassesStore::PathOf(std::wstring_view key) const {
  std::wstring path = Root.Path;
  if (!key.empty()) {
    if (!path.empty()) path += L'\\';
    path += key;
  }
  return path;
}

bool TRegistryClassesStore::KeyExists(std::wstring_view key) {
  return static_cast<bool>(OpenKey(Root, PathOf(key), KEY_QUERY_VALUE));
}

std::optional<TRegistryValue> TRegistryClassesStore::ReadValue(std::wstring_view key, std::wstring_view name) {
  const TUniqueRegistryKey opened = OpenKey(Root, PathOf(key), KEY_QUERY_VALUE);
  if (!opened) return std::nullopt;
  const std::wstring valueName(name);
  TRegistryValue value;
  DWORD size = 0;
  // The value may grow between asking its size and reading it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    LSTATUS status = ::RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.Data.resize(size);
    status = ::RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type, value.Data.data(), &size);
    if (status == ERROR_SUCCESS) {
      value.Type = type;
      value.Data.resize(size);
      return value;
    }
    if (status != ERROR_MORE_DATA) return std::nullopt;
  }
  return std::nullopt;
}

bool TRegistryClassesStore::WriteValue(std::wstring_view key, std::wstring_view name, const TRegistryValue& value) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(Root.Hive, PathOf(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const TUniqueRegistryKey owned(created);
  return ::RegSetValueExW(owned.Get(), std::wstring(name).c_str(), 0, value.Type, value.Data.data(),
                          static_cast<DWORD>(value.Data.size())) == ERROR_SUCCESS;
}

bool TRegistryClassesStore::DeleteValue(std::wstring_view key, std::wstring_view name) {
  HKEY opened = nullptr;
  const LSTATUS status = ::RegOpenKeyExW(Root.Hive, PathOf(key).c_str(), 0, KEY_SET_VALUE, &opened);
  if (status != ERROR_SUCCESS) return status == ERROR_FILE_NOT_FOUND;
  const TUniqueRegistryKey owned(opened);
  return Gone(::RegDeleteValueW(owned.Get(), std::wstring(name).c_str()));
}

bool TRegistryClassesStore::IsKeyEmpty(std::wstring_view key) {
  const TUniqueRegistryKey opened = OpenKey(Root, PathOf(key), KEY_QUERY_VALUE);
  DWORD subkeys = 0;
  DWORD values = 0;
  return opened &&
         ::RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                            nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

bool TRegistryClassesStore::DeleteEmptyKey(std::wstring_view key) {
  return Gone(::RegDeleteKeyW(Root.Hive, PathOf(key).c_str()));
}

bool TRegistryClassesStore::DeleteKeyTree(std::wstring_view key) {
  return Gone(::RegDeleteTreeW(Root.Hive, PathOf(key).c_str()));
}

TAssociationResult SetStyleFileAssociation(HWND owner, bool associate) {
  return SetStyleFileAssociation(SystemShellContext(), owner, associate);
}

TAssociationResult SetStyleFileAssociation(const TShellContext& context, HWND owner, bool associate) {
  Trace(L"associate " + std::to_wstring(associate ? 1 : 0) + L" " +
        std::to_wstring(reinterpret_cast<std::uintptr_t>(owner)));
  const TWaitCursor wait;
  TRegistryClassesStore classes(context.UserClasses);
  TAssociationMessages prompt(context, owner);
  return ChangeStyleFileAssociation(classes, associate, context.ProgramPath, prompt);
}

bool IsStyleFileAssociated() { return IsStyleFileAssociated(SystemShellContext()); }

bool IsStyleFileAssociated(const TShellContext& context) {
  return IsStyleFileClass(ExtensionDefault(context.UserClasses), ExtensionDefault(context.MachineClasses));
}

bool StartAssociationChange(HWND dialog, bool associate) {
  return StartAssociationChange(SystemShellContext(), dialog, associate);
}

bool StartAssociationChange(const TShellContext& context, HWND dialog, bool associate) {
  // Handles are 32-bit values in every process, also in 64-bit ones.
  const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(dialog));
  const std::wstring parameters = AssociateParameters(associate, handle);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = dialog;
  info.lpVerb = L"open";
  info.lpFile = context.ProgramPath.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_HIDE;
  if (!::ShellExecuteExW(&info)) return false;
  if (reinterpret_cast<INT_PTR>(info.hInstApp) <= 32) {
    ShowShellError(context, dialog,
                   std::wstring(MessageText(associate ? TMsg::AssociateFailed : TMsg::DissociateFailed)));
    return false;
  }
  return true;
}

}  // namespace tdialix
