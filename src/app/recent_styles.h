// The recent style files of the popup menu, most recent first.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tdialix {

inline constexpr std::size_t kMaxRecentStyles = 5;

// A style file was loaded or saved: an item with its path moves to the top;
// otherwise it becomes the new top item, the oldest making room when five are
// there. The default style file is never an item and changes nothing.
void AddRecentStyle(std::vector<std::wstring>& items, const std::wstring& path, const std::wstring& defaultStyleFile);

// A recent item whose file no longer loads leaves the menu.
void RemoveRecentStyle(std::vector<std::wstring>& items, const std::wstring& path);

// The menu caption of a recent item: the file name without its extension (the
// whole file name when that leaves nothing), with every "&" doubled so that
// the menu shows it instead of underlining the next letter.
std::wstring RecentStyleCaption(const std::wstring& path);

}  // namespace tdialix
