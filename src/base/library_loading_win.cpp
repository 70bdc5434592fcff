#include "base/library_loading_win.h"

namespace tdialix {

namespace {

// Not in older headers' view of Windows 7, and only present with KB2533623.
constexpr DWORD kSearchDllLoadDir = 0x00000100;      // LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
constexpr DWORD kSearchApplicationDir = 0x00000200;  // LOAD_LIBRARY_SEARCH_APPLICATION_DIR
constexpr DWORD kSearchSystem32 = 0x00000800;        // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kSearchDefaultDirs = 0x00001000;     // LOAD_LIBRARY_SEARCH_DEFAULT_DIRS

bool Restricted = false;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:\..." or "\\server\...": nothing in it depends on the current drive or folder.
bool IsFullPath(const std::wstring& path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]) &&
                     ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
  const bool share = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
  return drive || share;
}

template <typename TFunction>
TFunction KernelFunction(const char* name) {
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  return kernel ? reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(kernel, name))) : nullptr;
}

}  // namespace

bool RestrictLibrarySearch() {
  // Looked up at run time: Windows 7 without KB2533623 lacks the function,
  // and a program importing it would not start there.
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  using TSetDllDirectory = BOOL(WINAPI*)(LPCWSTR);
  if (const auto setDefault = KernelFunction<TSetDefaultDllDirectories>("SetDefaultDllDirectories")) {
    Restricted = setDefault(kSearchApplicationDir | kSearchSystem32) != FALSE;
  }
  // An empty library folder takes the current folder out of the classic search.
  if (const auto setDirectory = KernelFunction<TSetDllDirectory>("SetDllDirectoryW")) setDirectory(L"");
  return Restricted;
}

bool LibrarySearchRestricted() { return Restricted; }

HMODULE LoadLibraryByFullPath(const std::wstring& path) {
  if (!IsFullPath(path)) {
    ::SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const DWORD flags = Restricted ? kSearchDllLoadDir | kSearchDefaultDirs : LOAD_WITH_ALTERED_SEARCH_PATH;
  return ::LoadLibraryExW(path.c_str(), nullptr, flags);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (Restricted) return ::LoadLibraryExW(name, nullptr, kSearchSystem32);
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::wstring path(folder, length);
  if (!IsSeparator(path.back())) path += L'\\';
  path += name;
  return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace tdialix
