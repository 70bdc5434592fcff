#include "dialogs/settings_folder.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace tdialix {
namespace {

TEST(SettingsFolder, BoxTextAndButtonState) {
  const std::wstring unknown = L"(不明)";
  const std::wstring notCreated = L"(フォルダーはまだ作成されていません)";
  struct Case {
    const wchar_t* SettingsPath;
    bool FolderExists;
    TSettingsFolderBox Box;
  };
  const Case cases[] = {
      {L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\TDialix.ini", true,
       {L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix", true}},
      {L"C:\\Users\\u\\AppData\\Roaming\\Team Orvane\\TDialix\\TDialix.ini", false, {notCreated, false}},
      {L"C:\\ユーザー\\設定\\TDialix.ini", true, {L"C:\\ユーザー\\設定", true}},
      {L"C:\\TDialix.ini", true, {L"C:\\", true}},  // a drive's root keeps its separator
      {L"\\\\server\\share\\TDialix.ini", true, {L"\\\\server\\share", true}},
      {L"TDialix.ini", true, {unknown, false}},  // no folder part
      {L"TDialix.ini", false, {unknown, false}},
      {L"", false, {unknown, false}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SettingsFolderBox(c.SettingsPath, c.FolderExists), c.Box) << WideToUtf8(c.SettingsPath);
  }
}

}  // namespace
}  // namespace tdialix
