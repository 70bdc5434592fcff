#include "base/path.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(Path, Pieces) {
  const struct {
    const wchar_t* Path;
    const wchar_t* Folder;
    const wchar_t* Name;
    const wchar_t* Ini;
  } cases[] = {
      {L"C:\\Program Files\\TDialix\\TDialix.exe", L"C:\\Program Files\\TDialix\\", L"TDialix.exe",
       L"C:\\Program Files\\TDialix\\TDialix.ini"},
      {L"Z:/tmp/build/TDialix.exe", L"Z:/tmp/build/", L"TDialix.exe", L"Z:/tmp/build/TDialix.ini"},
      {L"TDialix.exe", L"", L"TDialix.exe", L"TDialix.ini"},
      {L"C:\\my.styles\\clock", L"C:\\my.styles\\", L"clock", L"C:\\my.styles\\clock.ini"},  // a dot in a folder
      {L"C:\\a\\", L"C:\\a\\", L"", L"C:\\a\\.ini"},
      {L"", L"", L"", L".ini"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FolderOf(c.Path), c.Folder) << testing::PrintToString(std::wstring(c.Path));
    EXPECT_EQ(FileNameOf(c.Path), c.Name);
    EXPECT_EQ(ChangeExtension(c.Path, L".ini"), c.Ini);
  }
}

}  // namespace
}  // namespace tdialix
