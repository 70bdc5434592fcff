#include "plugin/plugin_host_win.h"

#include <algorithm>

#include "base/failure.h"
#include "base/library_loading_win.h"
#include "base/path.h"
#include "base/trace_win.h"
#include "plugin/plugin_calls.h"

namespace tdialix {

namespace {

// A plug-in's menu as the platform holds it.
class TPlatformMenuSource : public TPluginMenuSource {
 public:
  bool IsMenu(std::uintptr_t menu) const override { return ::IsMenu(Menu(menu)) != FALSE; }
  int ItemCount(std::uintptr_t menu) const override { return std::max(::GetMenuItemCount(Menu(menu)), 0); }
  TPluginMenuEntry Item(std::uintptr_t menu, int position) const override {
    TPluginMenuEntry entry;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(Menu(menu), static_cast<UINT>(position), TRUE, &info)) return entry;
    entry.Separator = (info.fType & MFT_SEPARATOR) != 0;
    entry.Id = info.wID;
    entry.Submenu = reinterpret_cast<std::uintptr_t>(info.hSubMenu);
    wchar_t text[kPluginMenuTextLength + 1] = {};
    const int length = ::GetMenuStringW(Menu(menu), static_cast<UINT>(position), text,
                                        static_cast<int>(std::size(text)), MF_BYPOSITION);
    entry.Text.assign(text, static_cast<size_t>(std::max(length, 0)));
    return entry;
  }

 private:
  static HMENU Menu(std::uintptr_t menu) { return reinterpret_cast<HMENU>(menu); }
};

TPluginProc FindPluginProc(HMODULE module) {
  return reinterpret_cast<TPluginProc>(reinterpret_cast<void*>(::GetProcAddress(module, "PluginProc")));
}

}  // namespace

std::array<wchar_t, PLUGIN_TEXT_SIZE> PluginText(std::wstring_view text) {
  std::array<wchar_t, PLUGIN_TEXT_SIZE> buffer{};
  const size_t length = std::min(text.size(), buffer.size() - 1);
  std::copy_n(text.begin(), length, buffer.begin());
  return buffer;
}

TPluginHost::~TPluginHost() { Unload(); }

std::unique_ptr<TPlugin> TPluginHost::LoadOne(const std::wstring& fileName, const std::wstring& loadPath) {
  const DWORD attributes = ::GetFileAttributesW(loadPath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
  // A library that needs a missing disk or file fails quietly; its
  // dependencies come from its own folder first.
  DWORD oldMode = 0;
  const bool modeSet = ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode) != FALSE;
  TUniqueModule module(LoadLibraryByFullPath(loadPath));
  if (modeSet) ::SetThreadErrorMode(oldMode, nullptr);
  if (!module) return nullptr;
  const TPluginProc proc = FindPluginProc(module.Get());
  if (!proc) return nullptr;
  auto plugin = std::make_unique<TPlugin>();
  plugin->FileName = fileName;
  plugin->Module = std::move(module);
  plugin->Proc = proc;
  return plugin;
}

void TPluginHost::Load(const std::vector<std::wstring>& fileList) {
  if (LoadDone) return;
  LoadDone = true;
  for (const TPluginCandidate& candidate : PluginCandidates(fileList, ProgramFolder)) {
    std::unique_ptr<TPlugin> plugin = LoadOne(candidate.FileName, candidate.LoadPath);
    // The same library under another name is loaded once.
    const bool again = plugin && std::any_of(Plugins.begin(), Plugins.end(), [&](const auto& loaded) {
                         return loaded->Module.Get() == plugin->Module.Get();
                       });
    if (!plugin || again) {
      Trace(L"plugin-skipped " + candidate.FileName);
      continue;
    }
    Trace(L"plugin-loaded " + candidate.FileName);
    Plugins.push_back(std::move(plugin));
  }
  if (!Plugins.empty()) CatchPluginAborts();
}

std::vector<std::wstring> TPluginHost::LoadedFiles() const {
  std::vector<std::wstring> files;
  for (const auto& plugin : Plugins) files.push_back(plugin->FileName);
  return files;
}

bool TPluginHost::Call(const TPlugin& plugin, std::int32_t call, const void* param, std::int32_t& result) {
  if (HasFailed || !plugin.Proc) return false;
  TPluginCallFault fault;
  ++CallDepth;
  const bool returned = CallPluginGuarded(plugin.Proc, Window, call, reinterpret_cast<INT_PTR>(param), result, fault);
  --CallDepth;
  if (returned) return true;
  if (!HasFailed) {
    HasFailed = true;
    const TPluginFault report{plugin.FileName, call, fault};
    Trace(L"plugin-fault " + report.FileName + L" " + PluginCallName(call) + L" " + L"0x" + HexDigits(fault.Code, 8));
    if (OnFault) OnFault(report);
  }
  return false;
}

bool TPluginHost::Call(const TPlugin& plugin, std::int32_t call, const void* param) {
  std::int32_t result = 0;
  return Call(plugin, call, param, result);
}

void TPluginHost::Initialize(HWND window, std::wstring_view settingsReadPath) {
  Window = window;
  const TPlatformMenuSource source;
  // A plug-in may unload the others through a failure: the list is looked at anew each time.
  for (size_t i = 0; i < Plugins.size(); ++i) {
    const TPlugin& plugin = *Plugins[i];
    if (!Call(plugin, PLUGIN_INIT, nullptr) || Terminating) return;
    for (std::int32_t kind : {PLUGIN_MENU_MAIN, PLUGIN_MENU_STYLE, PLUGIN_MENU_TOOL}) {
      TPluginMenuBlock block{kind, nullptr};
      if (!Call(plugin, PLUGIN_GETMENU, &block) || Terminating) return;
      InsertPluginItems(Menus[static_cast<size_t>(kind)],
                        ReadPluginMenu(source, reinterpret_cast<std::uintptr_t>(block.Menu), plugin.FileName));
    }
  }
  BroadcastText(PLUGIN_SETTINGSLOADED, settingsReadPath);
}

bool TPluginHost::Broadcast(std::int32_t call, const void* param) {
  if (Terminating && call != PLUGIN_TICK && call != PLUGIN_FINAL) return false;
  bool answered = false;
  for (size_t i = 0; i < Plugins.size() && !HasFailed; ++i) {
    std::int32_t result = 0;
    if (Call(*Plugins[i], call, param, result) && result != 0) answered = true;
  }
  return answered;
}

bool TPluginHost::BroadcastText(std::int32_t call, std::wstring_view text) {
  if (Plugins.empty()) return false;
  const std::array<wchar_t, PLUGIN_TEXT_SIZE> buffer = PluginText(text);
  return Broadcast(call, buffer.data());
}

void TPluginHost::Command(std::wstring_view fileName, std::uint32_t id) {
  const auto found = std::find_if(Plugins.begin(), Plugins.end(),
                                  [fileName](const auto& plugin) { return plugin->FileName == fileName; });
  if (found == Plugins.end()) return;
  const std::int32_t command = static_cast<std::int32_t>(id);
  Call(**found, PLUGIN_COMMAND, &command);
}

void TPluginHost::Unload() {
  Terminating = true;
  // One at a time: a plug-in finalised later still finds the earlier ones gone.
  while (!Plugins.empty()) {
    std::unique_ptr<TPlugin> plugin = std::move(Plugins.front());
    Plugins.erase(Plugins.begin());
    Call(*plugin, PLUGIN_FINAL, nullptr);
    // A library whose code may still run (a call is under way, or a plug-in
    // faulted and its state is unknown) stays in memory.
    if (CallDepth > 0 || HasFailed) {
      (void)plugin->Module.Release();
      Retired.push_back(std::move(plugin));
    }
  }
  for (auto& menu : Menus) menu.clear();
}

std::optional<TPluginDescription> TPluginHost::Describe(const std::wstring& fileName, HWND window) {
  std::unique_ptr<TPlugin> plugin = LoadOne(fileName, PluginLoadPath(fileName, ProgramFolder));
  if (!plugin) return std::nullopt;
  const HWND oldWindow = std::exchange(Window, window);
  TPluginDescription description;
  description.FileName = fileName;
  std::wstring* const texts[] = {&description.PluginName, &description.Author, &description.Version,
                                 &description.Description};
  for (std::int32_t kind = PLUGIN_INFO_NAME; kind <= PLUGIN_INFO_DESCRIPTION; ++kind) {
    // Cleared before every call: a plug-in that writes nothing gives an empty text.
    std::array<wchar_t, PLUGIN_TEXT_SIZE> buffer{};
    TPluginInfoBlock block{kind, buffer.data(), PLUGIN_TEXT_SIZE};
    if (!Call(*plugin, PLUGIN_GETINFO, &block)) break;
    buffer.back() = L'\0';
    *texts[kind] = buffer.data();
  }
  Window = oldWindow;
  if (HasFailed) {
    (void)plugin->Module.Release();
    return std::nullopt;
  }
  return description;
}

std::optional<bool> TPluginHost::Configure(const std::wstring& fileName, HWND dialog) {
  std::unique_ptr<TPlugin> plugin = LoadOne(fileName, PluginLoadPath(fileName, ProgramFolder));
  if (!plugin) return std::nullopt;
  const HWND oldWindow = std::exchange(Window, dialog);
  std::int32_t result = 0;
  const bool returned = Call(*plugin, PLUGIN_CONFIGURE, nullptr, result);
  Window = oldWindow;
  if (!returned) {
    if (HasFailed) (void)plugin->Module.Release();
    return std::nullopt;
  }
  return result != 0;
}

}  // namespace tdialix
