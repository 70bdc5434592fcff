#include "dialogs/settings_folder_win.h"

#include <shellapi.h>

#include "base/system_locale_win.h"

namespace tdialix {

namespace {

// The system error behind one of the shell's small result codes, for a shell
// that did not set the thread's last error.
DWORD ShellResultError(INT_PTR result) {
  switch (result) {
    case 0:
      return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_SHARE:
      return ERROR_SHARING_VIOLATION;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC:
      return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY:
      return ERROR_DDE_FAIL;
    case SE_ERR_DLLNOTFOUND:
      return ERROR_DLL_NOT_FOUND;
    default:  // file or path not found, access denied, out of memory: the same numbers
      return static_cast<DWORD>(result);
  }
}

}  // namespace

TSettingsFolderBox ReadSettingsFolderBox(const std::wstring& settingsPath) {
  const std::wstring folder = SettingsFolderOf(settingsPath);
  const DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(folder.c_str());
  return SettingsFolderBox(settingsPath,
                           attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

bool OpenSettingsFolder(HWND dialog, const std::wstring& folder) {
  return OpenSettingsFolder(SystemShellContext(), dialog, folder);
}

bool OpenSettingsFolder(const TShellContext& context, HWND dialog, const std::wstring& folder) {
  const TWaitCursor wait;
  ::SetLastError(ERROR_SUCCESS);
  const auto result =
      reinterpret_cast<INT_PTR>(::ShellExecuteW(dialog, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  DWORD error = ::GetLastError();
  if (error == ERROR_SUCCESS) error = ShellResultError(result);
  ShowShellError(context, dialog, FormatText(MessageText(TMsg::FolderOpenFailed), {SystemErrorText(error)}));
  return false;
}

}  // namespace tdialix
