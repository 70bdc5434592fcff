#include "base/file_io_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tdialix {
namespace {

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    Path = std::wstring(base) + L"tdialix-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(Path.c_str(), nullptr);
  }
  ~TempFolder() {
    for (const std::wstring& name : Files()) {
      const std::wstring file = Path + L"\\" + name;
      ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(file.c_str());
    }
    ::RemoveDirectoryW(Path.c_str());
  }
  std::vector<std::wstring> Files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((Path + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
  }
  std::wstring Path;
};

TEST(FileIo, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::wstring target = folder.Path + L"\\TDialix.ini";
  ASSERT_TRUE(ReplaceFileContents(target, std::string("first version, quite long\r\n", 27)));
  EXPECT_EQ(ReadFileBytes(target), "first version, quite long\r\n");
  ASSERT_TRUE(ReplaceFileContents(target, "second"));
  EXPECT_EQ(ReadFileBytes(target), "second");
  ASSERT_TRUE(ReplaceFileContents(target, std::string("\xFF\xFE\0\0", 4)));
  EXPECT_EQ(ReadFileBytes(target), std::string("\xFF\xFE\0\0", 4));
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"TDialix.ini"});
}

TEST(FileIo, AFailedReplaceKeepsTheOldFile) {
  TempFolder folder;
  const std::wstring target = folder.Path + L"\\Default.dlx";
  ASSERT_TRUE(ReplaceFileContents(target, "old"));
  ASSERT_TRUE(::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(ReplaceFileContents(target, "new"));
  EXPECT_NE(::GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(ReadFileBytes(target), "old");
  EXPECT_EQ(folder.Files(), std::vector<std::wstring>{L"Default.dlx"});
}

TEST(FileIo, FailuresReportTheirReason) {
  TempFolder folder;
  EXPECT_FALSE(ReplaceFileContents(folder.Path + L"\\missing\\TDialix.ini", "x"));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY)) << "GetTempFileName reports a missing folder so";

  EXPECT_FALSE(ReadFileBytes(folder.Path + L"\\none.ini"));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  const std::wstring big = folder.Path + L"\\big.ini";
  ASSERT_TRUE(ReplaceFileContents(big, std::string(4096, 'x')));
  EXPECT_FALSE(ReadFileBytes(big, 4095));
  EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
  EXPECT_EQ(ReadFileBytes(big, 4096)->size(), 4096u);
}

}  // namespace
}  // namespace tdialix
