// Whole-file reading and replacing for the settings and style files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tdialix {

// Larger files are not settings or styles: reading them fails with
// ERROR_FILE_TOO_LARGE instead of filling the memory.
inline constexpr size_t kMaxTextFileBytes = 16u << 20;

// The file's bytes; nothing on failure, with the reason in GetLastError.
std::optional<std::string> ReadFileBytes(const std::wstring& path, size_t maxBytes = kMaxTextFileBytes);

// Writes the bytes to a new file in the target's folder, flushes it and
// renames it over the target, so that a crash or a full disk leaves either the
// old file or the new one, never half of one. False on failure, with the reason
// in GetLastError; the temporary file is removed then. A read-only target is
// refused with ERROR_ACCESS_DENIED.
bool ReplaceFileContents(const std::wstring& path, std::string_view bytes);

// Whether a file (not a folder) of that name is there; false for an empty name.
bool FileExists(const std::wstring& path);

// Creates the folder a file goes into, with every missing parent. False on
// failure, with the reason in GetLastError.
bool CreateFolderOf(const std::wstring& path);

}  // namespace tdialix
