// A fresh folder under the temporary folder for one test, emptied when it is
// made and removed with its files when it goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tdialix {

class TempFolder {
 public:
  explicit TempFolder(const wchar_t* name) {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    Path = std::wstring(base) + name + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    Clear();
    ::CreateDirectoryW(Path.c_str(), nullptr);
  }
  ~TempFolder() {
    Clear();
    ::RemoveDirectoryW(Path.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The names of the files in it that match the pattern.
  std::vector<std::wstring> Files(const wchar_t* pattern = L"*") const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((Path + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
  }

  std::wstring Path;  // ends with a backslash

 private:
  void Clear() const {
    for (const std::wstring& name : Files()) {
      const std::wstring file = Path + name;
      ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(file.c_str());
    }
  }
};

}  // namespace tdialix
