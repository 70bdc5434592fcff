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

}  // namespace tdialix
