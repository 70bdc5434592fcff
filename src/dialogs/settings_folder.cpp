#include "dialogs/settings_folder.h"

#include "base/messages.h"
#include "base/path.h"

namespace tdialix {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring SettingsFolderOf(std::wstring_view settingsPath) {
  std::wstring folder = FolderOf(settingsPath);
  // "C:\x\" becomes "C:\x"; "C:\" and "\\" stay, or they would name another place.
  if (folder.size() >= 2 && IsSeparator(folder.back()) && folder[folder.size() - 2] != L':' &&
      !IsSeparator(folder[folder.size() - 2])) {
    folder.pop_back();
  }
  return folder;
}

TSettingsFolderBox SettingsFolderBox(std::wstring_view settingsPath, bool folderExists) {
  const std::wstring folder = SettingsFolderOf(settingsPath);
  if (folder.empty()) return {std::wstring(MessageText(TMsg::FolderUnknown)), false};
  if (!folderExists) return {std::wstring(MessageText(TMsg::FolderNotCreated)), false};
  return {folder, true};
}

}  // namespace tdialix
