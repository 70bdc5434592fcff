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

TEST(Path, RelativePathsAreTakenFromTheFolder) {
  const struct {
    const wchar_t* Path;
    bool Relative;
    const wchar_t* Resolved;
  } cases[] = {
      {L"Digits.bmp", true, L"C:\\Styles\\Digits.bmp"},
      {L"pics\\Digits.bmp", true, L"C:\\Styles\\pics\\Digits.bmp"},
      {L"..\\Digits.bmp", true, L"C:\\Styles\\..\\Digits.bmp"},
      {L"D:\\Digits.bmp", false, L"D:\\Digits.bmp"},
      {L"D:Digits.bmp", false, L"D:Digits.bmp"},  // a drive's own folder is none of ours
      {L"\\\\server\\share\\Digits.bmp", false, L"\\\\server\\share\\Digits.bmp"},
      {L"\\Digits.bmp", false, L"\\Digits.bmp"},
      {L"/tmp/Digits.bmp", false, L"/tmp/Digits.bmp"},
      {L"", false, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsRelativePath(c.Path), c.Relative) << testing::PrintToString(std::wstring(c.Path));
    EXPECT_EQ(ResolvePath(L"C:\\Styles\\", c.Path), c.Resolved);
  }
  EXPECT_EQ(ResolvePath(L"", L"Digits.bmp"), L"Digits.bmp");
}

}  // namespace
}  // namespace tdialix
