// The style-file association in the registry: written and removed by a second
// instance of the program that the settings dialog starts with "/associate:",
// and read by the dialog to set its check box.
#pragma once

#include <windows.h>

#include "dialogs/shell_association.h"
#include "dialogs/shell_context_win.h"

namespace tdialix {

// The per-user classes key of a context, as the association's store.
class TRegistryClassesStore final : public TClassesStore {
 public:
  explicit TRegistryClassesStore(TRegistryPlace root) : Root(std::move(root)) {}

  bool KeyExists(std::wstring_view key) override;
  std::optional<TRegistryValue> ReadValue(std::wstring_view key, std::wstring_view name) override;
  bool WriteValue(std::wstring_view key, std::wstring_view name, const TRegistryValue& value) override;
  bool DeleteValue(std::wstring_view key, std::wstring_view name) override;
  bool IsKeyEmpty(std::wstring_view key) override;
  bool DeleteEmptyKey(std::wstring_view key) override;
  bool DeleteKeyTree(std::wstring_view key) override;

 private:
  std::wstring PathOf(std::wstring_view key) const;
  TRegistryPlace Root;
};

// Registers (associate) or removes the association of ".dlx" files with the
// program, per user; owner owns every message shown.
TAssociationResult SetStyleFileAssociation(HWND owner, bool associate);
TAssociationResult SetStyleFileAssociation(const TShellContext& context, HWND owner, bool associate);

// Whether the shell opens ".dlx" files with the program: the per-user class
// when there is one, else the machine-wide one (the system's merged classes
// view; Wine's shows only the machine-wide classes).
bool IsStyleFileAssociated();
bool IsStyleFileAssociated(const TShellContext& context);

// Starts the program with "/associate:" to change the association, without
// waiting for it, with dialog as the owner of its messages. The process needs
// no administrator rights, and must not have them: elevated, it would write
// the administrator's classes instead of the user's. False when it could not
// be started (nothing is shown then, as the shell has said why).
bool StartAssociationChange(HWND dialog, bool associate);
bool StartAssociationChange(const TShellContext& context, HWND dialog, bool associate);

}  // namespace tdialix
