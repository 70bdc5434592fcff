#include "components/version_info_win.h"

#include <windows.h>

#include <vector>

namespace tdialix {

std::wstring ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring VersionResourceText(const std::wstring& file, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return {};
  struct TTranslation {
    WORD Language;
    WORD CodePage;
  };
  TTranslation* translation = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof(TTranslation)) {
    return {};
  }
  // Language and code page as four hexadecimal digits each.
  wchar_t path[64] = {};
  ::wsprintfW(path, L"\\StringFileInfo\\%04x%04x\\%s", translation->Language, translation->CodePage, name);
  wchar_t* text = nullptr;
  if (!::VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&text), &length) || !text || length == 0) return {};
  return std::wstring(text);
}

}  // namespace tdialix
