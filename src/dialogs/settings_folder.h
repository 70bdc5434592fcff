// The settings folder box of the settings dialog: the folder that holds the
// settings file, and whether "フォルダーを表示" can open it.
#pragma once

#include <string>
#include <string_view>

namespace tdialix {

// The folder part of the settings file's path without its trailing separator
// (a drive's root keeps it: "C:\"); empty when the path has none.
std::wstring SettingsFolderOf(std::wstring_view settingsPath);

struct TSettingsFolderBox {
  std::wstring Text;
  bool CanOpen = false;  // the button's state
  bool operator==(const TSettingsFolderBox&) const = default;
};

// "(不明)" without a folder part, "(フォルダーはまだ作成されていません)" while the
// folder does not exist, else the folder, which the button opens.
TSettingsFolderBox SettingsFolderBox(std::wstring_view settingsPath, bool folderExists);

}  // namespace tdialix
