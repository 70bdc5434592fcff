#include "app/recent_styles.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"

namespace tdialix {

void AddRecentStyle(std::vector<std::wstring>& items, const std::wstring& path, const std::wstring& defaultStyleFile) {
  const auto same = [&path](const std::wstring& item) { return SameText(item, path); };
  if (const auto found = std::find_if(items.begin(), items.end(), same); found != items.end()) {
    std::rotate(items.begin(), found, found + 1);
    return;
  }
  if (path.empty() || SameText(path, defaultStyleFile)) return;
  if (items.size() >= kMaxRecentStyles) items.resize(kMaxRecentStyles - 1);
  items.insert(items.begin(), path);
}

void RemoveRecentStyle(std::vector<std::wstring>& items, const std::wstring& path) {
  std::erase_if(items, [&path](const std::wstring& item) { return SameText(item, path); });
}

std::wstring RecentStyleCaption(const std::wstring& path) {
  const std::wstring fileName = FileNameOf(path);
  std::wstring caption = ChangeExtension(fileName, L"");
  if (caption.empty()) caption = fileName;
  std::wstring doubled;
  doubled.reserve(caption.size() + 4);
  for (const wchar_t c : caption) {
    doubled += c;
    if (c == L'&') doubled += L'&';
  }
  return doubled;
}

}  // namespace tdialix
