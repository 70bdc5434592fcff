#include "dialogs/shell_association.h"

#include "base/text.h"

namespace tdialix {

namespace {

bool IsOwnMarked(TClassesStore& classes) {
  const auto marker = classes.ReadValue(kStyleExtensionKey, kOwnMarkerName);
  const auto text = marker ? ValueText(*marker) : std::nullopt;
  return text && *text == kOwnMarker;
}

bool NamesStyleClass(const std::optional<TRegistryValue>& value) {
  const auto text = value ? ValueText(*value) : std::nullopt;
  return text && SameText(*text, kStyleClassKey);
}

TAssociationResult Associate(TClassesStore& classes, std::wstring_view programPath, TAssociationPrompt& prompt) {
  // Another program's ".dlx" is only taken over when the user agrees; its
  // default class is kept the first time, before it is overwritten.
  if (classes.KeyExists(kStyleExtensionKey) && !IsOwnMarked(classes)) {
    if (!prompt.Confirm(TMsg::AssociateOverForeignQuestion)) return TAssociationResult::arDeclined;
    const auto previous = classes.ReadValue(kStyleExtensionKey, L"");
    if (previous && !NamesStyleClass(previous) &&
        !classes.WriteValue(kStyleExtensionKey, kPreviousDefaultName, *previous)) {
      prompt.ShowError(TMsg::AssociateFailed);
      return TAssociationResult::arFailed;
    }
  }
  bool changed = false;
  bool failed = false;
  for (const TAssociationEntry& entry : AssociationEntries(programPath)) {
    if (classes.WriteValue(entry.Key, entry.Name, StringValue(entry.Text))) {
      changed = true;
    } else {
      failed = true;
    }
  }
  if (changed) prompt.AssociationsChanged();
  if (failed) {
    prompt.ShowError(TMsg::AssociateFailed);
    return TAssociationResult::arFailed;
  }
  return TAssociationResult::arChanged;
}

TAssociationResult Dissociate(TClassesStore& classes, TAssociationPrompt& prompt) {
  if (!classes.KeyExists(kStyleExtensionKey)) return TAssociationResult::arUnchanged;
  if (!IsOwnMarked(classes) && !prompt.Confirm(TMsg::DissociateForeignQuestion)) {
    return TAssociationResult::arDeclined;
  }
  // The default goes back to what another program had set, or away. Only when
  // that worked do the program's own values go: a failed attempt can be
  // repeated and still finds the kept default.
  bool failed = false;
  if (const auto previous = classes.ReadValue(kStyleExtensionKey, kPreviousDefaultName)) {
    failed = !classes.WriteValue(kStyleExtensionKey, L"", *previous);
  } else {
    failed = !classes.DeleteValue(kStyleExtensionKey, L"");
  }
  if (!failed) {
    failed = !classes.DeleteValue(kStyleExtensionKey, kOwnMarkerName) ||
             !classes.DeleteValue(kStyleExtensionKey, kPreviousDefaultName);
  }
  // What other programs keep under ".dlx" (their values, "OpenWithProgids")
  // keeps the key alive.
  if (!failed && classes.IsKeyEmpty(kStyleExtensionKey)) failed = !classes.DeleteEmptyKey(kStyleExtensionKey);
  // The class is the program's own; failing to delete it is not worth a message.
  if (classes.KeyExists(kStyleClassKey)) classes.DeleteKeyTree(kStyleClassKey);
  prompt.AssociationsChanged();
  if (failed) {
    prompt.ShowError(TMsg::DissociateFailed);
    return TAssociationResult::arFailed;
  }
  return TAssociationResult::arChanged;
}

}  // namespace

TRegistryValue StringValue(std::wstring_view text) {
  TRegistryValue value{kRegString, {}};
  const std::u16string units = WideToUtf16(text);
  value.Data.reserve((units.size() + 1) * 2);
  for (char16_t unit : units) {
    value.Data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    value.Data.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  value.Data.push_back(0);
  value.Data.push_back(0);
  return value;
}

std::optional<std::wstring> ValueText(const TRegistryValue& value) {
  if (value.Type != kRegString && value.Type != kRegExpandString) return std::nullopt;
  std::u16string units;
  for (size_t i = 0; i + 1 < value.Data.size(); i += 2) {
    const auto unit = static_cast<char16_t>(value.Data[i] | (value.Data[i + 1] << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return Utf16ToWide(units);
}

std::wstring OpenCommandText(std::wstring_view programPath) {
  return L"\"" + std::wstring(programPath) + L"\" \"%1\"";
}

std::wstring DefaultIconText(std::wstring_view programPath) { return L"\"" + std::wstring(programPath) + L"\",1"; }

std::vector<TAssociationEntry> AssociationEntries(std::wstring_view programPath) {
  const std::wstring extension(kStyleExtensionKey);
  const std::wstring type(kStyleClassKey);
  return {
      {extension, L"", type},
      {extension, std::wstring(kOwnMarkerName), std::wstring(kOwnMarker)},
      {type, L"", std::wstring(MessageText(TMsg::StyleFileTypeName))},
      {type + L"\\Shell\\Open", L"", std::wstring(MessageText(TMsg::ApplyStyleVerb))},
      {type + L"\\Shell\\Open\\Command", L"", OpenCommandText(programPath)},
      {type + L"\\DefaultIcon", L"", DefaultIconText(programPath)},
  };
}

TAssociationResult ChangeStyleFileAssociation(TClassesStore& classes, bool associate, std::wstring_view programPath,
                                              TAssociationPrompt& prompt) {
  return associate ? Associate(classes, programPath, prompt) : Dissociate(classes, prompt);
}

bool IsStyleFileClass(const std::optional<TRegistryValue>& userDefault,
                      const std::optional<TRegistryValue>& machineDefault) {
  return NamesStyleClass(userDefault ? userDefault : machineDefault);
}

std::wstring AssociateParameters(bool associate, std::uint32_t ownerHandle) {
  return FormatText(L"/associate:%d,%.8d", {std::int64_t{associate ? 1 : 0}, std::int64_t{ownerHandle}});
}

}  // namespace tdialix
