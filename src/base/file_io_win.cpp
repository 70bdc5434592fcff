#include "base/file_io_win.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>

#include "base/path.h"
#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

// The folder the temporary file goes to: the target's own.
std::wstring TargetFolder(const std::wstring& path) {
  const std::wstring folder = FolderOf(path);
  return folder.empty() ? L"." : folder;
}

// Keeps the failure's error code across the clean-up calls that follow it.
bool Fail(DWORD error) {
  ::SetLastError(error);
  return false;
}

// The room the tests leave on the disk to simulate a full one: with
// TDIALIX_TEST_DISK_FREE set to a number of bytes, a file written here grows
// no further and writing more fails with ERROR_DISK_FULL. Unlimited unset.
size_t SimulatedDiskFree() {
  wchar_t text[24] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"TDIALIX_TEST_DISK_FREE", text, 24);
  if (length == 0 || length >= 24) return SIZE_MAX;
  size_t free = 0;
  for (DWORD i = 0; i < length; ++i) {
    if (text[i] < L'0' || text[i] > L'9' || free > (SIZE_MAX - 9) / 10) return SIZE_MAX;
    free = free * 10 + static_cast<size_t>(text[i] - L'0');
  }
  return free;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path, size_t maxBytes) {
  // Shared for deleting too: a save that renames its new file over this one
  // meanwhile goes through instead of failing.
  TUniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;  // the file shrank while we read it
    done += read;
  }
  bytes.resize(done);
  ::SetLastError(ERROR_SUCCESS);
  return bytes;
}

bool ReplaceFileContents(const std::wstring& path, std::string_view bytes) {
  // A file the user made read-only stays as it is (a rename would replace it).
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  wchar_t temporary[MAX_PATH + 1] = {};
  if (!::GetTempFileNameW(TargetFolder(path).c_str(), L"tdx", 0, temporary)) return false;

  DWORD error = ERROR_SUCCESS;
  {
    TUniqueKernelHandle file(
        ::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) error = ::GetLastError();
    const size_t room = SimulatedDiskFree();
    size_t done = 0;
    while (error == ERROR_SUCCESS && done < bytes.size()) {
      if (done >= room) {
        error = ERROR_DISK_FULL;
        break;
      }
      DWORD written = 0;
      const DWORD chunk = static_cast<DWORD>(std::min({bytes.size() - done, room - done, size_t{1} << 20}));
      if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr)) error = ::GetLastError();
      else if (written == 0) error = ERROR_WRITE_FAULT;
      done += written;
    }
    if (error == ERROR_SUCCESS && !::FlushFileBuffers(file.Get())) error = ::GetLastError();
  }
  if (error == ERROR_SUCCESS &&
      !::MoveFileExW(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = ::GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    ::DeleteFileW(temporary);
    return Fail(error);
  }
  ::SetLastError(ERROR_SUCCESS);
  return true;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderOf(const std::wstring& path) {
  const std::wstring folder = FolderOf(path);
  if (folder.empty()) return true;
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  const int created = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  if (created == ERROR_SUCCESS || created == ERROR_ALREADY_EXISTS || created == ERROR_FILE_EXISTS) return true;
  return Fail(static_cast<DWORD>(created));
}

}  // namespace tdialix
