#include "app/settings_files_win.h"

#include "base/file_io_win.h"
#include "base/system_locale_win.h"

namespace tdialix {

bool TWinSettingsFiles::Done(bool ok) {
  LastError = ok ? ERROR_SUCCESS : ::GetLastError();
  return ok;
}

bool TWinSettingsFiles::Exists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> TWinSettingsFiles::Read(const std::wstring& path) {
  std::optional<std::string> bytes = ReadFileBytes(path);
  Done(bytes.has_value());
  return bytes;
}

bool TWinSettingsFiles::CopyToNew(const std::wstring& from, const std::wstring& to) {
  return Done(::CopyFileW(from.c_str(), to.c_str(), TRUE) != FALSE);
}

bool TWinSettingsFiles::Write(const std::wstring& path, const std::string& bytes) {
  return Done(CreateFolderOf(path) && ReplaceFileContents(path, bytes));
}

std::wstring TWinSettingsFiles::DecodeAnsi(std::string_view bytes) { return AnsiToWide(bytes); }

}  // namespace tdialix
