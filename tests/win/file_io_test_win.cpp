#include "base/file_io_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/temp_folder_win.h"

namespace tdialix {
namespace {

TEST(FileIo, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  TempFolder folder(L"tdialix-file-io");
  const std::wstring target = folder.Path + L"TDialix.ini";
  ASSERT_TRUE(ReplaceFileContents(target, std::string("first version, quite long\r\n", 27)));
  EXPECT_EQ(ReadFileBytes(target), "first version, quite long\r\n");
  ASSERT_TRUE(ReplaceFileContents(target, "second"));
  EXPECT_EQ(ReadFileBytes(target), "second");
  ASSERT_TRUE(ReplaceFileContents(target, std::string("\xFF\xFE\0\0", 4)));
  EXPECT_EQ(ReadFileBytes(target), std::string("\xFF\xFE\0\0", 4));
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"TDialix.ini"});
}

TEST(FileIo, AFailedReplaceKeepsTheOldFile) {
  TempFolder folder(L"tdialix-file-io");
  const std::wstring target = folder.Path + L"Default.dlx";
  ASSERT_TRUE(ReplaceFileContents(target, "old"));
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(ReplaceFileContents(target, "new"));
  EXPECT_NE(::GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"Default.dlx"});
}

TEST(FileIo, FailuresReportTheirReason) {
  TempFolder folder(L"tdialix-file-io");
  EXPECT_FALSE(ReplaceFileContents(folder.Path + L"missing\\TDialix.ini", "x"));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY)) << "GetTempFileName reports a missing folder so";

  EXPECT_FALSE(ReadFileBytes(folder.Path + L"none.ini"));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  const std::wstring big = folder.Path + L"big.ini";
  ASSERT_TRUE(ReplaceFileContents(big, std::string(4096, 'x')));
  EXPECT_FALSE(ReadFileBytes(big, 4095));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
  EXPECT_EQ(ReadFileBytes(big, 4096)->size(), 4096u);
}

}  // namespace
}  // namespace tdialix
