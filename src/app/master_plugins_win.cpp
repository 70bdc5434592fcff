// The master window's side of the plug-ins: loading them with the settings,
// their menu items, the two functions they call back, and the program's end
// when one of them faults.
#include <windows.h>

#include <shlobj.h>

#include <vector>

#include "app/command_line.h"
#include "app/failure_win.h"
#include "app/master_window_win.h"
#include "base/file_io_win.h"
#include "base/messages.h"
#include "base/path.h"
#include "base/trace_win.h"
#include "base/unique_handle_win.h"
#include "plugin/plugin_calls.h"
#include "plugin/plugin_list.h"

namespace tdialix {

namespace {

// The libraries in the "Plugins" folder beside the program, as full paths,
// in the order the file system lists them.
std::vector<std::wstring> PluginFolderLibraries(const std::wstring& programFolder) {
  std::vector<std::wstring> paths;
  const std::wstring folder = programFolder + L"Plugins\\";
  WIN32_FIND_DATAW data{};
  const HANDLE find = ::FindFirstFileW((folder + L"*.dll").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) paths.push_back(folder + data.cFileName);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return paths;
}

std::vector<TMenuItem> MenuItemsOf(const std::vector<TPluginMenuItem>& items) {
  std::vector<TMenuItem> menu;
  menu.reserve(items.size());
  for (const TPluginMenuItem& source : items) {
    TMenuItem item;
    item.Caption = source.Caption;
    item.Separator = source.Separator;
    item.Enabled = source.Enabled;
    item.Hint = source.PluginFile;
    item.Tag = source.Id;
    item.Items = MenuItemsOf(source.Items);
    menu.push_back(std::move(item));
  }
  return menu;
}

TBalloonFlags BalloonFlagsOf(std::int32_t flags) {
  switch (NotifyIconKind(flags)) {
    case TNotifyIconKind::nkError: return TBalloonFlags::bfError;
    case TNotifyIconKind::nkWarning: return TBalloonFlags::bfWarning;
    case TNotifyIconKind::nkInformation: return TBalloonFlags::bfInfo;
    case TNotifyIconKind::nkNone: break;
  }
  return TBalloonFlags::bfNone;
}

std::wstring_view TextOrEmpty(const wchar_t* text) { return text ? std::wstring_view(text) : std::wstring_view(); }

}  // namespace

void TDialixMaster::LoadPlugins(bool settingsFileRead) {
  if (PluginHost.LoadingDone()) return;
  // A first start takes the plug-ins that came with the program.
  if (!settingsFileRead) AddPluginPaths(Settings.PluginList, PluginFolderLibraries(FolderOf(ProgramPath())));

  // The "noplugin" switch, or a plug-in's fault in an earlier run, asks
  // first. Either way the list stays as it is and is saved again: only the
  // loading is left out.
  const std::wstring mark = PluginFaultMarkPath(SettingsPath);
  const bool marked = FileExists(mark);
  bool withoutPlugins = false;
  if (AskToStartWithoutPlugins(HasNoPluginSwitch(Parameters), marked, !Settings.PluginList.empty())) {
    ::DeleteFileW(mark.c_str());
    Trace(L"plugins-question");
    withoutPlugins = ::MessageBoxW(Handle(), MessageText(TMsg::StartWithoutPlugins).data(), kAppTitle.data(),
                                   MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
  } else if (marked) {
    ::DeleteFileW(mark.c_str());
  }
  if (withoutPlugins) {
    Trace(L"plugins-disabled");
    PluginHost.SkipLoading();
    return;
  }
  // Until the plug-ins have started, the mark stands: a plug-in that takes
  // the whole process down while it loads or starts, past any guard, still
  // makes the next start ask.
  if (!Settings.PluginList.empty()) {
    WritePluginFaultMark(L"");
    PluginsStarting = true;
  }
  PluginHost.Load(Settings.PluginList);
}

void TDialixMaster::WritePluginFaultMark(const std::wstring& text) {
  const std::wstring mark = PluginFaultMarkPath(SettingsPath);
  const std::wstring folder = FolderOf(mark);
  if (!folder.empty()) ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  const TUniqueKernelHandle file(::CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::wstring content = L"\xFEFF" + text;
  DWORD written = 0;
  ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size() * sizeof(wchar_t)), &written, nullptr);
}

void TDialixMaster::PluginFault(const TPluginFault& fault) {
  // The next start asks whether to go without plug-ins.
  const std::wstring call = PluginCallName(fault.Call);
  WritePluginFaultMark(fault.FileName + L"\r\n" + call + L"\r\n");
  // A fault in a plug-in ends the program as any structured exception does:
  // the report names the plug-in and its call, nothing is saved (the plug-in
  // may have damaged the program's memory) and no plug-in runs again.
  TFailure failure;
  failure.Kind = TFailureKind::fkStructured;
  failure.Where = FormatText(MessageText(TMsg::PluginFault), {fault.FileName, call});
  failure.Fault = StructuredFaultAt(fault.Fault.Code, fault.Fault.Address);
  ApplicationException(failure, true);
}

TPopupMenuContent TDialixMaster::PopupMenuContent() const {
  TPopupMenuContent content;
  content.Monitors = MonitorMenu;
  content.RecentStyles = Settings.RecentStyles;
  content.PluginMainItems = MenuItemsOf(PluginHost.MenuItems(PLUGIN_MENU_MAIN));
  content.PluginStyleItems = MenuItemsOf(PluginHost.MenuItems(PLUGIN_MENU_STYLE));
  content.PluginToolItems = MenuItemsOf(PluginHost.MenuItems(PLUGIN_MENU_TOOL));
  return content;
}

void TDialixMaster::PluginMainMenuClick(int command) {
  // The plug-in items do not change after the start, so the menu built now
  // has the ids the shown one had.
  const TMenuItem menu = BuildPopupMenu(PopupMenuContent());
  const TMenuItem* item = FindCommand(menu, command);
  if (!item || item->Hint.empty()) return;
  PluginHost.Command(item->Hint, item->Tag);
}

std::int32_t TDialixMaster::PluginVisibleClock(bool visible) {
  PluginVisible = visible;
  Trace(std::wstring(L"visibleclock ") + (visible ? L"1" : L"0"));
  if (!Visibility.Visible) return 0;
  std::vector<TVisibleClockState> states;
  for (size_t i = 0; i < Dialixs.size(); ++i) {
    states.push_back({::IsWindowVisible(Dialixs[i]->Handle()) != FALSE, i >= ClockParams.size() || ClockParams[i].Shown});
  }
  const std::vector<TVisibleClockAction> actions = VisibleClockActions(visible, states);
  std::int32_t result = 0;
  for (size_t i = 0; i < actions.size() && i < Dialixs.size(); ++i) {
    if (actions[i] != TVisibleClockAction::vaNone) {
      result = Dialixs[i]->ShowByProgram(actions[i] == TVisibleClockAction::vaShow);
    }
  }
  return result;
}

std::int32_t TDialixMaster::PluginShowNotify(const TPluginNotifyBlock& notify) {
  // A plug-in that passes the notification on from its own PLUGIN_NOTIFY
  // gets the balloon, instead of being asked again without end.
  if (!NotifyBroadcasting) {
    NotifyBroadcasting = true;
    struct TClear {
      bool& Flag;
      ~TClear() { Flag = false; }
    } clear{NotifyBroadcasting};
    if (PluginHost.Broadcast(PLUGIN_NOTIFY, &notify)) {
      Trace(L"plugin-notify 0");
      return 0;
    }
  }
  // Once the notification icon has gone (the program is ending) nothing can be shown.
  if (!ShowNotifyBalloon(notify)) return 0;
  Trace(L"plugin-notify -1");
  return -1;
}

bool TDialixMaster::ShowNotifyBalloon(const TPluginNotifyBlock& notify) {
  if (!TrayIcon) return false;
  TrayIcon->SetBalloonHint(TextOrEmpty(notify.Text));
  TrayIcon->SetBalloonTitle(TextOrEmpty(notify.Title));
  TrayIcon->SetBalloonFlags(BalloonFlagsOf(notify.Flags));
  TrayIcon->SetBalloonIcon(notify.Icon);
  AdditionalNotifyMessage = TextOrEmpty(notify.AdditionalMessage);
  Trace(L"balloon " + std::wstring(TextOrEmpty(notify.Title)));
  // Without the notification area's toolbar (or before Windows XP) there is
  // no balloon to click: what its click does happens at once.
  if (!CurrentWindowsVersion().AtLeast(5, 1) || !TWRTaskTrayIcon::NotifyToolBarHandle()) {
    TrayBalloonClick();
    return true;
  }
  TrayIcon->ShowBalloonHint();
  return true;
}

}  // namespace tdialix
