// Which plug-in libraries a start loads: the file list as the settings keep
// it, where each listed library is loaded from, and whether the start asks to
// go without plug-ins.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tdialix {

// Adds the paths in their order, leaving out empty ones and those the list
// already holds (compared without case, as the file system does).
void AddPluginPaths(std::vector<std::wstring>& list, const std::vector<std::wstring>& paths);

// A full path: a drive letter with its root ("C:\") or a network share ("\\server").
bool IsFullPath(std::wstring_view path);

// Where a listed library is loaded from: a full path as it stands, anything
// else below the program's folder, so that the current folder (which any
// program starting this one can choose) never supplies a plug-in.
std::wstring PluginLoadPath(std::wstring_view listed, std::wstring_view programFolder);

// One library to load: the list's path (the plug-in's name towards the user
// and its menu items) and the path it is loaded from.
struct TPluginCandidate {
  std::wstring FileName;
  std::wstring LoadPath;
  bool operator==(const TPluginCandidate&) const = default;
};

// The listed libraries in list order, each load path once.
std::vector<TPluginCandidate> PluginCandidates(const std::vector<std::wstring>& list, std::wstring_view programFolder);

// The start asks "start without plug-ins?" when the "noplugin" switch says
// so, and by itself when an earlier run ended in a plug-in's fault and there
// is a plug-in to load.
bool AskToStartWithoutPlugins(bool noPluginSwitch, bool faultMarked, bool anyListed);

// The mark an earlier run left when a plug-in failed: a file beside the
// settings file ("TDialix.ini" → "TDialix.pluginfault").
std::wstring PluginFaultMarkPath(std::wstring_view settingsPath);

}  // namespace tdialix
