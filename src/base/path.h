// File path pieces. Both "\" and "/" separate folders.
#pragma once

#include <string>
#include <string_view>

namespace tdialix {

// The folder with its trailing separator ("C:\a\b.dlx" gives "C:\a\"); empty without a folder.
std::wstring FolderOf(std::wstring_view path);
// The last part of the path ("C:\a\b.dlx" gives "b.dlx").
std::wstring FileNameOf(std::wstring_view path);
// The path with its file name's extension replaced (or added): ChangeExtension(p, L".ini").
std::wstring ChangeExtension(std::wstring_view path, std::wstring_view extension);
// A path that names no drive, no share and does not start at a root ("a.bmp",
// "pics\\a.bmp", "..\\a.bmp"); the empty path is none.
bool IsRelativePath(std::wstring_view path);
// A relative path taken from the folder (which ends in a separator); any
// other path as it is.
std::wstring ResolvePath(std::wstring_view folder, std::wstring_view path);

}  // namespace tdialix
