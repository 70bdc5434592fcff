// The start-up shortcut in the user's Startup folder, created and removed from
// the settings dialog.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "dialogs/shell_context_win.h"
#include "dialogs/startup_shortcut.h"

namespace tdialix {

// Creates (create) or removes "TDialix.lnk" in the Startup folder, asking
// before it overwrites or deletes a shortcut of that name that points
// elsewhere; owner owns the questions and messages. True when the folder
// holds what was asked for afterwards; false when the user said No or a
// failure was shown.
bool SetStartupShortcut(HWND owner, bool create);
bool SetStartupShortcut(const TShellContext& context, HWND owner, bool create);

// Whether "TDialix.lnk" is in the Startup folder, whatever it points to.
bool StartupShortcutExists();
bool StartupShortcutExists(const TShellContext& context);

// A shortcut file's target as stored, without resolving environment strings;
// nothing when it cannot be loaded, resolved or read. Without an owner the
// shell shows nothing while it resolves. The caller has COM.
std::optional<std::wstring> ReadShortcutTarget(const std::wstring& path, HWND owner);

}  // namespace tdialix
