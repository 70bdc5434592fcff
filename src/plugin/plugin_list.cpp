#include "plugin/plugin_list.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"

namespace tdialix {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool Contains(const std::vector<std::wstring>& list, std::wstring_view path) {
  return std::any_of(list.begin(), list.end(), [path](const std::wstring& item) { return SameText(item, path); });
}

}  // namespace

void AddPluginPaths(std::vector<std::wstring>& list, const std::vector<std::wstring>& paths) {
  for (const std::wstring& path : paths) {
    if (!path.empty() && !Contains(list, path)) list.push_back(path);
  }
}

bool IsFullPath(std::wstring_view path) {
  const bool drive = path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                     path[1] == L':' && IsSeparator(path[2]);
  const bool share = path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]);
  return drive || share;
}

std::wstring PluginLoadPath(std::wstring_view listed, std::wstring_view programFolder) {
  if (IsFullPath(listed)) return std::wstring(listed);
  // "\x.dll" and "C:x.dll" lean on the current drive or folder as well.
  std::wstring_view rest = listed;
  if (rest.size() >= 2 && rest[1] == L':') rest.remove_prefix(2);
  while (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
  std::wstring folder(programFolder);
  if (!folder.empty() && !IsSeparator(folder.back())) folder += L'\\';
  return folder + std::wstring(rest);
}

std::vector<TPluginCandidate> PluginCandidates(const std::vector<std::wstring>& list, std::wstring_view programFolder) {
  std::vector<TPluginCandidate> candidates;
  std::vector<std::wstring> loadPaths;
  for (const std::wstring& listed : list) {
    if (listed.empty()) continue;
    std::wstring loadPath = PluginLoadPath(listed, programFolder);
    if (Contains(loadPaths, loadPath)) continue;
    loadPaths.push_back(loadPath);
    candidates.push_back({listed, std::move(loadPath)});
  }
  return candidates;
}

bool AskToStartWithoutPlugins(bool noPluginSwitch, bool faultMarked, bool anyListed) {
  return noPluginSwitch || (faultMarked && anyListed);
}

std::wstring PluginFaultMarkPath(std::wstring_view settingsPath) { return ChangeExtension(settingsPath, L".pluginfault"); }

}  // namespace tdialix
