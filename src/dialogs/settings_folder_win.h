// The settings folder box and its "フォルダーを表示" button.
#pragma once

#include <windows.h>

#include <string>

#include "dialogs/settings_folder.h"
#include "dialogs/shell_context_win.h"

namespace tdialix {

// The box's text and the button's state for the settings file's path, as the
// folder is now.
TSettingsFolderBox ReadSettingsFolderBox(const std::wstring& settingsPath);

// Opens the folder in the shell, shown normally, with dialog as the parent;
// a failure is shown. True when the shell took it.
bool OpenSettingsFolder(HWND dialog, const std::wstring& folder);
bool OpenSettingsFolder(const TShellContext& context, HWND dialog, const std::wstring& folder);

}  // namespace tdialix
