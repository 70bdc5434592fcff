// The master window's commands: the popup menu and what its items do, and
// the notification icon's events.
#include <windows.h>

#include <shlobj.h>

#include <cstdint>

#include "app/command_line.h"
#include "app/master_window_win.h"
#include "app/popup_menu_win.h"
#include "app/recent_styles.h"
#include "app/style_dialogs_win.h"
#include "base/library_loading_win.h"
#include "base/messages.h"
#include "base/path.h"
#include "base/system_locale_win.h"
#include "base/trace_win.h"
#include "components/taskbar_win.h"
#include "calendar/time_zones_win.h"
#include "dialogs/about_win.h"
#include "dialogs/auto_style_win.h"
#include "dialogs/setting_win.h"
#include "dialogs/shell_association_win.h"
#include "dialogs/startup_shortcut_win.h"
#include "dialogs/world_clock_win.h"

namespace tdialix {

namespace {

// The master's tag while a command that holds the dialog-open mark runs.
class TDialogMark {
 public:
  TDialogMark(TDialixMaster& master, bool hold) : Master(master), Old(master.Tag) {
    if (hold) Master.Tag = 1;
  }
  ~TDialogMark() {
    Master.Tag = Old;
    Master.DialogMarkReleased();
  }
  TDialogMark(const TDialogMark&) = delete;
  TDialogMark& operator=(const TDialogMark&) = delete;

 private:
  TDialixMaster& Master;
  int Old;
};

std::wstring RegistryText(HKEY root, const wchar_t* key, const wchar_t* value) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return {};
  const TUniqueRegistryKey owned(opened);
  wchar_t text[MAX_PATH + 1] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  DWORD type = 0;
  const LSTATUS status = ::RegQueryValueExW(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return text;
}

}  // namespace

void TDialixMaster::ShowPopupMenu(TPoint screen) {
  if (Failing) return;  // the failure report is open: the program ends after it
  const TUniqueMenu menu = CreatePopupMenuOf(ShownMenu(BuildPopupMenu(PopupMenuContent())));
  if (!menu) return;
  Trace(L"popupmenu " + std::to_wstring(screen.X) + L" " + std::to_wstring(screen.Y));
  // The menu closes when the user clicks elsewhere only while the program is
  // in the foreground; the empty message lets it close at once afterwards.
  ::SetForegroundWindow(Handle());
  ::TrackPopupMenuEx(menu.Get(), TPM_RIGHTBUTTON, screen.X, screen.Y, Handle(), nullptr);
  ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

void TDialixMaster::ExecuteCommand(int command) {
  if (Failing) return;
  switch (StartCommand(command, Tag != 0)) {
    case TCommandStart::csNothing:
      return;
    case TCommandStart::csBringDialogForward:
      BringDialogForward();
      return;
    case TCommandStart::csRun:
      break;
  }
  Trace(L"command " + std::to_wstring(command));
  const TDialogMark mark(*this, HoldsDialogMark(command));
  if (const int position = MovePositionOf(command); position >= 0) return MoveClocks(position);
  if (const int index = RecentIndexOf(command); index >= 0) return LoadRecentStyle(static_cast<size_t>(index));
  if (const int monitor = MonitorIndexOf(command); monitor >= 0) return ToggleMonitorCommand(static_cast<size_t>(monitor));
  if (IsPluginCommand(command)) return PluginMainMenuClick(command);
  switch (command) {
    case kCmdLoadStyle: return LoadStyleAction();
    case kCmdSaveStyle: return SaveStyleAction();
    case kCmdScreenSaver: return StartScreenSaver();
    case kCmdMonitorOff: return MonitorOff();
    case kCmdHelp: return ShowHelp();
    case kCmdExit: return Close();
    case kCmdAbout: return ShowAbout();
    case kCmdWorldClock: return ShowWorldClock();
    case kCmdAutoStyle: return ShowAutoStyle();
    case kCmdSettings:
      return ShowSettings(-1);
    case kCmdEditStyle:
      return ShowStyleEditor(-1);
    default:
      return;
  }
}

void TDialixMaster::LoadStyleAction() {
  SaveDefaultStyle();
  const std::optional<std::wstring> file =
      ShowOpenStyleDialog(Handle(), StyleLoader.OpenDialogFolder, FileNameOf(StyleLoader.LastStyleFile));
  if (file && !StyleLoader.LoadingDesign) LoadStyle(*file, false, true, true);
}

void TDialixMaster::SaveStyleAction() {
  const std::wstring name = SaveDialogFileName(StyleLoader.LastStyleFile, StyleLoader.DefaultStyleFile);
  if (const std::optional<std::wstring> file = ShowSaveStyleDialog(Handle(), StyleLoader.OpenDialogFolder, FileNameOf(name))) {
    SaveStyle(*file);
  }
}

void TDialixMaster::LoadRecentStyle(size_t index) {
  if (index >= Settings.RecentStyles.size()) return;
  const std::wstring path = Settings.RecentStyles[index];
  // A style file that no longer loads leaves the list (the loader has said why).
  if (!LoadStyle(path, false, true, true)) RemoveRecentStyle(Settings.RecentStyles, path);
}

void TDialixMaster::ToggleMonitorCommand(size_t monitorIndex) {
  ToggleMonitor(ClockParams, Monitors.size(), monitorIndex);
  MonitorMenu = MonitorMenuItems(Monitors, ClockParams);
  // The next tick shows or hides the clocks by their marks.
}

void TDialixMaster::MoveClocks(int position) {
  for (size_t i = 0; i < Dialixs.size() && i < Monitors.size(); ++i) {
    TDialix& clock = *Dialixs[i];
    RECT window{};
    ::GetWindowRect(clock.Handle(), &window);
    const TClockFrame frame{clock.Composer.VisiblityRect, clock.Composer.TempBorderWidth, window.bottom - window.top};
    if (ClockParams.size() <= i) ClockParams.resize(i + 1);
    const TMovedClock moved = MoveClock(Monitors[i].Bounds, frame, position, ClockParams[i]);
    ClockParams[i] = moved.Placement;
    ::SetWindowPos(clock.Handle(), nullptr, moved.Origin.X, moved.Origin.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TDialixMaster::StartScreenSaver() {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  wchar_t boot[MAX_PATH] = {};
  const std::wstring systemIni = std::wstring(windows) + L"\\" + std::wstring(kSystemIniFile);
  ::GetPrivateProfileStringW(std::wstring(kSystemIniSection).c_str(), std::wstring(kScreenSaverValue).c_str(), L"", boot,
                             MAX_PATH, systemIni.c_str());
  const std::wstring file = ScreenSaverFile(
      RegistryText(HKEY_CURRENT_USER, std::wstring(kScreenSaverKey).c_str(), std::wstring(kScreenSaverValue).c_str()), boot);
  if (file.empty()) {
    ::MessageBoxW(::GetDesktopWindow(), std::wstring(MessageText(TMsg::ScreenSaverNotSet)).c_str(), kAppTitle.data(),
                  MB_OK | MB_ICONWARNING);
    return;
  }
  const TUniqueKernelHandle test(::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!test) {
    const std::wstring text = FormatText(MessageText(TMsg::ScreenSaverFailed), {SystemErrorText(::GetLastError())});
    ::MessageBoxW(::GetDesktopWindow(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONERROR);
    return;
  }
  ::PostMessageW(Handle(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

void TDialixMaster::MonitorOff() {
  if (!MonitorOffStartsTimer(MonitorOffTimerHandle != 0)) return;
  MonitorOffTimerHandle = ::SetTimer(Handle(), kMonitorOffTimerId, kDefaultHintPause, nullptr);
}

void TDialixMaster::ShowAbout() {
  TDialixAbout about(Handle());
  about.ShowModal();
}

void TDialixMaster::ShowWorldClock() {
  const auto apply = [this](const TWorldClock& record, const TTimeZone* zone) {
    Settings.WorldClock = record;
    WorldClockChanged(zone);
    TimerEvent(true);
    for (const auto& clock : Dialixs) {
      clock->ResetAnimation(PrevText);
      DrawClock(*clock, true);
    }
  };
  Settings.WorldClock =
      EditWorldClock(Handle(), Settings.WorldClock, SystemTimeZones(TimeZoneBias), LocalStandardName(), apply);
}

void TDialixMaster::ShowAutoStyle() {
  bool autoStyleChange = Settings.AutoStyleChange;
  std::vector<TChangeTime> list = Settings.ChangeTimeList;
  if (!EditAutoStyle(Handle(), autoStyleChange, list, StyleHost.Formats())) return;
  // Every entry is pending again: the one due now applies at the next check.
  Settings.AutoStyleChange = autoStyleChange;
  Settings.ChangeTimeList = std::move(list);
  ScheduleTick();  // the next change's time may come before the tick now set
}

void TDialixMaster::ShowSettings(int page) {
  const TDialogMark mark(*this, true);
  ShowSettingDialog(Handle(), *this, page);
}

void TDialixMaster::SettingsRequest(int page) {
  if (Tag != 0) {
    BringDialogForward();
    return;
  }
  ShowSettings(page);
}

void TDialixMaster::SetTrayIconVisible(bool visible) {
  if (TrayIcon) TrayIcon->SetVisible(visible);
}

bool TDialixMaster::SetPriorityClass(int priorityClass) {
  return ::SetPriorityClass(::GetCurrentProcess(), static_cast<DWORD>(priorityClass)) != FALSE;
}

int TDialixMaster::ProcessPriorityClass() { return static_cast<int>(::GetPriorityClass(::GetCurrentProcess())); }

void TDialixMaster::ActivateToolTip(bool active) {
  if (ToolTipHandle) ::SendMessageW(ToolTipHandle, TTM_ACTIVATE, active, 0);
}

void TDialixMaster::ResetTickCache() {
  // The next tick works out the day, the second's texts and the time slots afresh.
  TickCalendar = {};
  Visibility.SaveDisplayS = TVisibilityState{}.SaveDisplayS;
}

void TDialixMaster::ApplyToClocks(bool clickThrough, bool topMost) {
  for (const auto& clock : Dialixs) {
    clock->SetClickThrough(clickThrough);
    ::SetWindowPos(clock->Handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    clock->ResetAnimation(PrevText);
    DrawClock(*clock, true);
  }
  WatchFullScreen();
  Trace(std::wstring(L"clocks-applied ") + (topMost ? L"topmost" : L"notopmost"));
}

bool TDialixMaster::RestartProgram() {
  const std::wstring parameter = RebootParameter(reinterpret_cast<std::uintptr_t>(Handle()));
  Trace(L"restart " + parameter);
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", ProgramPath().c_str(), parameter.c_str(), nullptr, SW_SHOWNORMAL));
  return result > 32;
}

std::optional<TPluginDescription> TDialixMaster::DescribePlugin(const std::wstring& fileName) {
  return PluginHost.Describe(fileName, Handle());
}

std::optional<bool> TDialixMaster::ConfigurePlugin(const std::wstring& fileName, HWND dialog) {
  return PluginHost.Configure(fileName, dialog);
}

bool TDialixMaster::StartupShortcutExists() { return tdialix::StartupShortcutExists(); }

bool TDialixMaster::StyleFileAssociated() { return tdialix::IsStyleFileAssociated(); }

bool TDialixMaster::SetStartupShortcut(HWND dialog, bool create) { return tdialix::SetStartupShortcut(dialog, create); }

bool TDialixMaster::StartAssociationChange(HWND dialog, bool associate) {
  return tdialix::StartAssociationChange(dialog, associate);
}

void TDialixMaster::ShowHelp(int context) {
  // The program's own path with ".chm": a renamed program finds its help beside it.
  const std::wstring& help = Application.HelpFile;
  // Without its help file the program simply has no help to show.
  if (::GetFileAttributesW(help.c_str()) == INVALID_FILE_ATTRIBUTES) {
    Trace(L"help-missing " + help);
    return;
  }
  Trace(L"help " + help);
  // The viewer stays loaded while its window may be open, until the program ends.
  if (!HelpViewer) HelpViewer.Reset(LoadSystemLibrary(L"hhctrl.ocx"));
  if (!HelpViewer) return;
  using THtmlHelp = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  if (const auto htmlHelp =
          reinterpret_cast<THtmlHelp>(reinterpret_cast<void*>(::GetProcAddress(HelpViewer.Get(), "HtmlHelpW")))) {
    constexpr UINT kHelpContext = 0x000F;  // HH_HELP_CONTEXT
    htmlHelp(Handle(), help.c_str(), kHelpContext, static_cast<DWORD_PTR>(context));
  }
}

bool TDialixMaster::AnyClockVisible() const {
  for (const auto& clock : Dialixs) {
    if (clock && ::IsWindowVisible(clock->Handle())) return true;
  }
  return false;
}

void TDialixMaster::CreateTrayIcon() {
  TrayIcon = std::make_unique<TWRTaskTrayIcon>(Handle());
  TrayIcon->OnClick = [this] { TrayClick(); };
  TrayIcon->OnDblClick = [this] {
    BringDialogForward();
    ExecuteCommand(kCmdEditStyle);
  };
  TrayIcon->OnContextPopup = [this](POINT cursor, bool& handled) {
    handled = true;  // the master shows its own menu
    if (Tag != 0) {
      BringDialogForward();
      return;
    }
    ShowPopupMenu({cursor.x, cursor.y});
  };
  TrayIcon->OnRecreate = [this] {
    const HWND trayClock = TaskbarClockWindow();
    TrayClockEnabled = trayClock && ::IsWindowVisible(trayClock);
    TrayClockChange(AnyClockVisible());
  };
  TrayIcon->OnBalloonClick = [this] { TrayBalloonClick(); };
}

void TDialixMaster::TrayClick() {
  if (Failing) return;
  if (IconClickForcesVisible(Visibility.Visible, TempVisible)) {
    TempVisible = true;
    TempVisibleTimerHandle = ::SetTimer(Handle(), kTempVisibleTimerId, kTempVisibleInterval, nullptr);
    TimerEvent(false);
  }
  BringDialogForward();
  Trace(L"trayclick");
  PluginHost.Broadcast(PLUGIN_TRAYCLICK);
}

void TDialixMaster::TrayBalloonClick() {
  if (Failing) return;
  if (!AdditionalNotifyMessage.empty()) ShowAdditionalNotifyMessage();
  Trace(L"balloonclick");
  PluginHost.Broadcast(PLUGIN_BALLOONCLICK);
}

void TDialixMaster::ShowAdditionalNotifyMessage() {
  const TDialogMark mark(*this, true);
  BringDialogForward();
  const std::wstring title = TrayIcon ? TrayIcon->BalloonTitle() : std::wstring();
  const std::wstring text = (TrayIcon ? TrayIcon->BalloonHint() : std::wstring()) + L"\r\n\r\n" + AdditionalNotifyMessage;
  bool shown = false;
  if (const HMODULE controls = ::GetModuleHandleW(L"comctl32.dll")) {
    using TTaskDialog = HRESULT(WINAPI*)(HWND, HINSTANCE, PCWSTR, PCWSTR, PCWSTR, int, PCWSTR, int*);
    if (const auto taskDialog = reinterpret_cast<TTaskDialog>(reinterpret_cast<void*>(::GetProcAddress(controls, "TaskDialog")))) {
      constexpr int kCloseButton = 0x0020;  // TDCBF_CLOSE_BUTTON
      shown = SUCCEEDED(taskDialog(Handle(), ::GetModuleHandleW(nullptr), kAppTitle.data(), title.c_str(), text.c_str(),
                                   kCloseButton, L"MAINICON", nullptr));
    }
  }
  if (!shown) {
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = Handle();
    box.hInstance = ::GetModuleHandleW(nullptr);
    const std::wstring all = title.empty() ? text : title + L"\r\n" + text;
    box.lpszText = all.c_str();
    box.lpszCaption = kAppTitle.data();
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = L"MAINICON";
    ::MessageBoxIndirectW(&box);
  }
  AdditionalNotifyMessage.clear();
}

}  // namespace tdialix
