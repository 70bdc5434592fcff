// The program file and the texts of its version resource.
#pragma once

#include <string>

namespace tdialix {

// The path of the program file that started the process.
std::wstring ProgramFilePath();

// One text of a file's version resource ("ProductName", "FileDescription",
// "ProductVersion" ...) in the language and code page its translation list
// names first; empty when the file has no such text.
std::wstring VersionResourceText(const std::wstring& file, const wchar_t* name);

}  // namespace tdialix
