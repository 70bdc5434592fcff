// Where the program finds libraries. A library that another program or a
// download placed in the current folder (a style file's folder, a download
// folder) must never be loaded in place of a system library or the program's
// own: the search is cut down to the system folder and the program's folder
// at start, and the program's own libraries load by full path only.
#pragma once

#include <windows.h>

#include <string>

namespace tdialix {

// Restricts the process's library search to the system folder and the
// program's folder, where the system offers it (Windows 8, and Windows 7
// with update KB2533623), and takes the current folder out of the search
// everywhere. Call first thing at start, before any library loads. True
// when the restricted search is in force.
bool RestrictLibrarySearch();

// Whether RestrictLibrarySearch found the restricted search.
bool LibrarySearchRestricted();

// A library of the program's own or a plug-in, by its full path only: a
// relative or drive-relative path is refused with ERROR_INVALID_PARAMETER.
// The libraries it needs come from its own folder, the program's folder and
// the system folder.
HMODULE LoadLibraryByFullPath(const std::wstring& path);

// A library of the system, from the system folder only.
HMODULE LoadSystemLibrary(const wchar_t* name);

}  // namespace tdialix
