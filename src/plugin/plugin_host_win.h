// The plug-in host: loads the listed plug-in libraries once per run, calls
// their PluginProc for every event, keeps the menu items they supply, and
// unloads them when the master window goes. Every call is guarded: a plug-in
// that faults is reported to the owner, and from then on no plug-in is
// called again (its state and the heap cannot be trusted).
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/unique_handle_win.h"
#include "plugin/plugin_abi.h"
#include "plugin/plugin_guard_win.h"
#include "plugin/plugin_list.h"
#include "plugin/plugin_menu.h"

namespace tdialix {

// One loaded plug-in.
struct TPlugin {
  std::wstring FileName;  // as the list has it; the hint of its menu items
  TUniqueModule Module;
  TPluginProc Proc = nullptr;
};

// A fault that left a plug-in call.
struct TPluginFault {
  std::wstring FileName;
  std::int32_t Call = 0;
  TPluginCallFault Fault;
};

// What the settings dialog shows of a plug-in.
struct TPluginDescription {
  std::wstring FileName;
  std::wstring PluginName;  // empty when the plug-in gives none
  std::wstring Author;
  std::wstring Version;
  std::wstring Description;
};

class TPluginHost {
 public:
  TPluginHost() = default;
  ~TPluginHost();
  TPluginHost(const TPluginHost&) = delete;
  TPluginHost& operator=(const TPluginHost&) = delete;

  // Where listed libraries without a full path are looked for.
  std::wstring ProgramFolder;
  // Told of a fault; the owner ends the program.
  std::function<void(const TPluginFault&)> OnFault;
  // Set when the master window's destruction begins: from then on only
  // PLUGIN_TICK and PLUGIN_FINAL go out.
  bool Terminating = false;

  // Loads the listed libraries that exist and export "PluginProc", in list
  // order. Only the first call of a run loads; a skipped load (the user
  // chose to start without plug-ins) counts as that call.
  void Load(const std::vector<std::wstring>& fileList);
  void SkipLoading() { LoadDone = true; }
  bool LoadingDone() const { return LoadDone; }
  bool Empty() const { return Plugins.empty(); }
  std::vector<std::wstring> LoadedFiles() const;
  // A fault was reported: nothing is called any more.
  bool Failed() const { return HasFailed; }

  // PLUGIN_INIT and the three menus of each plug-in in order, then
  // PLUGIN_SETTINGSLOADED to all. window: the master window, passed on every call.
  void Initialize(HWND window, std::wstring_view settingsReadPath);
  // The items below the main, style and tools placeholders (PLUGIN_MENU_...).
  const std::vector<TPluginMenuItem>& MenuItems(int kind) const { return Menus.at(static_cast<size_t>(kind)); }

  // Calls every plug-in in list order; true when any answered nonzero.
  bool Broadcast(std::int32_t call, const void* param = nullptr);
  // The same with a path or text in a buffer of PLUGIN_TEXT_SIZE units.
  bool BroadcastText(std::int32_t call, std::wstring_view text);
  // PLUGIN_COMMAND with the id, to the first plug-in loaded from the file.
  void Command(std::wstring_view fileName, std::uint32_t id);
  // PLUGIN_FINAL to each plug-in, then its library goes.
  void Unload();

  // For the settings dialog: the library loaded on its own, asked and freed
  // again. Nothing when it does not load or is no plug-in.
  std::optional<TPluginDescription> Describe(const std::wstring& fileName, HWND window);
  // PLUGIN_CONFIGURE with the dialog as the window: true when the plug-in's
  // settings changed, nothing when it does not load or is no plug-in.
  std::optional<bool> Configure(const std::wstring& fileName, HWND dialog);

 private:
  bool Call(const TPlugin& plugin, std::int32_t call, const void* param, std::int32_t& result);
  bool Call(const TPlugin& plugin, std::int32_t call, const void* param);
  std::unique_ptr<TPlugin> LoadOne(const std::wstring& fileName, const std::wstring& loadPath);

  std::vector<std::unique_ptr<TPlugin>> Plugins;
  // Records of plug-ins unloaded while one of their calls was still running:
  // kept, with their libraries, until the host goes.
  std::vector<std::unique_ptr<TPlugin>> Retired;
  std::array<std::vector<TPluginMenuItem>, 3> Menus;
  HWND Window = nullptr;
  bool LoadDone = false;
  bool HasFailed = false;
  int CallDepth = 0;
};

// A text as plug-ins receive it: at most PLUGIN_TEXT_SIZE units, the terminator included.
std::array<wchar_t, PLUGIN_TEXT_SIZE> PluginText(std::wstring_view text);

}  // namespace tdialix
