#include "app/master_window_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "app/command_line.h"
#include "app/failure_win.h"
#include "base/library_loading_win.h"
#include "calendar/holidays.h"
#include "calendar/style_change.h"
#include "calendar/time_slots.h"
#include "calendar/time_zones_win.h"
#include "clock/clock_behaviour.h"
#include "clock/display_string.h"
#include "app/messages_win.h"
#include "app/tick.h"
#include "app/tray_clock.h"
#include "base/hook_block.h"
#include "base/messages.h"
#include "base/path.h"
#include "base/scale.h"
#include "base/system_locale_win.h"
#include "base/text.h"
#include "base/trace_win.h"
#include "components/form_win.h"
#include "components/taskbar_win.h"

namespace tdialix {

namespace {

bool OnAcPower() {
  SYSTEM_POWER_STATUS status{};
  return !::GetSystemPowerStatus(&status) || status.ACLineStatus != 0;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  return CallbackBoundary(FALSE, [&] {
    auto& monitors = *reinterpret_cast<std::vector<TMonitorRecord>*>(data);
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(monitor, &info)) return TRUE;
    std::vector<TDisplayDeviceInfo> devices;
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    for (DWORD i = 0; ::EnumDisplayDevicesW(info.szDevice, i, &device, 0); ++i) {
      devices.push_back({device.DeviceString, (device.StateFlags & DISPLAY_DEVICE_ACTIVE) != 0});
      device = {};
      device.cb = sizeof device;
    }
    TMonitorRecord record;
    record.Handle = reinterpret_cast<std::uintptr_t>(monitor);
    record.Number = static_cast<int>(monitors.size());
    record.Bounds = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    record.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    record.Name = MonitorName(record.Number + 1, devices, record.Primary);
    monitors.push_back(std::move(record));
    return TRUE;
  });
}

}  // namespace

TMasterMessageHook MasterMessageHook = nullptr;

int CurrentTimeZoneBias() {
  // The standard bias whatever the season: the record that shows local time
  // is made from it, and daylight time comes in through the local time itself.
  return LocalStandardBias();
}

unsigned DisplayBitsPerPixel() {
  const TUniqueMemoryDC info(::CreateICW(L"DISPLAY", nullptr, nullptr, nullptr));
  if (!info) return 32;
  return static_cast<unsigned>(::GetDeviceCaps(info.Get(), BITSPIXEL) * ::GetDeviceCaps(info.Get(), PLANES));
}

std::vector<TMonitorRecord> EnumerateMonitors() {
  std::vector<TMonitorRecord> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

TDialixMaster::TDialixMaster(TApplication& application, std::vector<std::wstring> parameters)
    : Application(application), Parameters(std::move(parameters)) {
  // Failures that reach a callback boundary end up here.
  SetApplicationExceptionHandler([this](const TFailure& failure) { ApplicationException(failure, true); });
  // The dialogs' help requests (F1, Help buttons) open the help file through the master.
  TWRApplication::Instance().OnHelp = [this](int context) { ShowHelp(context != 0 ? context : kMasterHelpContext); };
  try {
    RegisterClass(kClassName);
    // The master is never shown: no border, not an application window, but a system menu.
    if (!Create(kClassName, Application.Title.c_str(), WS_POPUP | WS_SYSMENU, 0, 0, 0, 0, 0, Application.Handle())) {
      throw std::runtime_error("The master window could not be created.");
    }

    LoadHookLibrary();
    InitSettingsPath();
    ACPowerMode = OnAcPower();
    MonitorPowerOn = true;
    CreateToolTip();
    CreateTrayIcon();
    PrevText = NowText;
    SaveDisplayColor = DisplayBitsPerPixel();

    // One clock window per monitor.
    Monitors = EnumerateMonitors();
    EnsurePlacements(ClockParams, Monitors.size());
    for (size_t i = 0; i < Monitors.size(); ++i) CreateClockWindow(i);
    MonitorMenu = MonitorMenuItems(Monitors, ClockParams);
  } catch (...) {
    // No destructor runs for a master that was never made: nothing may call it back.
    TWRApplication::Instance().OnHelp = nullptr;
    SetApplicationExceptionHandler(nullptr);
    FormDestroy();
    throw;
  }

  // The plug-ins reach the master through the program's exports.
  PluginVisible = true;
  PluginHost.ProgramFolder = FolderOf(Application.ExeName);
  PluginHost.OnFault = [this](const TPluginFault& fault) { PluginFault(fault); };
  SetPluginExportTarget(this, Handle());
  Visibility.SaveSwitchingAlphaBlend = 0;
  Visibility.Hiding = true;
  TimeZoneBias = CurrentTimeZoneBias();
  Visibility.SaveSwitchingTime = MinDateTime;
  ::PostMessageW(Handle(), WM_DIALIX_INIT, 0, 0);
}

TDialixMaster::~TDialixMaster() {
  FormDestroy();
  TWRApplication::Instance().OnHelp = nullptr;
  SetApplicationExceptionHandler(nullptr);
}

void TDialixMaster::LoadHookLibrary() {
  const std::wstring path = FolderOf(Application.ExeName) + L"TDialix.dll";
  HookDllHandle.Reset(LoadLibraryByFullPath(path));
  if (!HookDllHandle) return;
  StartHook = reinterpret_cast<TStartHook>(reinterpret_cast<void*>(::GetProcAddress(HookDllHandle.Get(), "StartHook")));
  EndHook = reinterpret_cast<TEndHook>(reinterpret_cast<void*>(::GetProcAddress(HookDllHandle.Get(), "EndHook")));
  HookDllFlag = StartHook && EndHook && StartHook();
  if (!HookDllFlag) return;

  // The library looks the block up when input arrives, so it may come after StartHook.
  HookFileHandle.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(THookBlock),
                                            HookBlockName));
  if (!HookFileHandle) return;
  if (void* view = ::MapViewOfFile(HookFileHandle.Get(), FILE_MAP_WRITE, 0, 0, sizeof(THookBlock))) {
    const THookBlock block{HookBlockWindow(reinterpret_cast<std::uintptr_t>(Handle())), WM_DIALIX_HOOKKEY,
                           WM_DIALIX_HOOKMOUSE};
    std::memcpy(view, &block, sizeof block);
    ::UnmapViewOfFile(view);
  }
}

void TDialixMaster::InitSettingsPath() {
  const std::wstring fileName = ChangeExtension(FileNameOf(Application.ExeName), L".ini");
  wchar_t appData[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData))) {
    SettingsPath = std::wstring(appData) + L"\\Team Orvane\\TDialix\\" + fileName;
  } else {
    SettingsPath = fileName;
  }
  SettingsStore.emplace(SettingsFiles, SettingsPath);

  // A file that exists but cannot be opened is reported once; the program
  // then starts with the defaults.
  if (!SettingsStore->TestOpen()) {
    const std::wstring text =
        FormatText(MessageText(TMsg::SettingsOpenFailed), {SystemErrorText(SettingsFiles.LastError)});
    Trace(L"settings-open-failed");
    ::MessageBoxW(::GetDesktopWindow(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONWARNING);
  }
}

void TDialixMaster::CreateToolTip() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  ToolTipHandle = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0, 0, Handle(),
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!ToolTipHandle) return;
  ::SendMessageW(ToolTipHandle, TTM_ACTIVATE, Settings.ShowToolTip, 0);
  ToolInfo = {};
  ToolInfo.cbSize = TTTOOLINFOW_V2_SIZE;
  ToolInfo.uFlags = TTF_CENTERTIP | TTF_TRACK | TTF_TRANSPARENT;
  ToolInfo.hwnd = Handle();
  ::SendMessageW(ToolTipHandle, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ToolInfo));
}

std::wstring TDialixMaster::ClockCaption(size_t monitorIndex) const {
  return FormatText(L"%s - %s", {std::wstring(kAppTitle), Monitors[monitorIndex].Name});
}

void TDialixMaster::CreateClockWindow(size_t monitorIndex) {
  Dialixs.push_back(
      std::make_unique<TDialix>(Handle(), static_cast<int>(monitorIndex), ClockCaption(monitorIndex),
                                static_cast<TClockHost*>(this)));
}

TSettingsEnvironment TDialixMaster::SettingsEnvironment() {
  TSettingsEnvironment environment;
  environment.DefaultStyleFile = StyleLoader.DefaultStyleFile;
  environment.Formats = StyleHost.Formats();
  environment.TimeZoneBias = TimeZoneBias;
  environment.PluginsLoaded = PluginHost.LoadingDone();  // plug-ins load once per run
  return environment;
}

bool TDialixMaster::LoadSettings() {
  // A settings file that could not be read at start is read as if there were
  // none, and is kept when the settings are saved.
  TIniDocument document;
  const TSettingsRead read = SettingsStore->Read(document);
  std::wstring failure;
  if (read == TSettingsRead::srFailed) {
    failure = SettingsFiles.LastError != ERROR_SUCCESS ? SystemErrorText(SettingsFiles.LastError) : Exception;
  }
  const TSettingsLoadResult result =
      tdialix::LoadSettings(read == TSettingsRead::srRead ? &document : nullptr, Settings, SettingsEnvironment());
  LoadPlugins(read == TSettingsRead::srRead);
  ::SetPriorityClass(::GetCurrentProcess(), static_cast<DWORD>(result.PriorityClass));
  if (ToolTipHandle) ::SendMessageW(ToolTipHandle, TTM_ACTIVATE, Settings.ShowToolTip, 0);
  for (const auto& clock : Dialixs) {
    ::SetWindowPos(clock->Handle(), result.ClocksTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
  }
  Trace(L"settings-loaded " + std::to_wstring(read == TSettingsRead::srRead));
  WorldClockChanged();
  if (failure.empty()) return true;
  const std::wstring text = FormatText(MessageText(TMsg::SettingsOpenFailed), {failure});
  ::MessageBoxW(Handle(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONWARNING);
  return false;
}

bool TDialixMaster::SaveSettings() {
  // An instance that has not read the settings never overwrites them.
  if (!Application.Initialized) return true;
  struct TSaving {
    bool& Flag;
    ~TSaving() { Flag = false; }
  } saving{SavingSettings};
  SavingSettings = true;
  const int priorityClass = static_cast<int>(::GetPriorityClass(::GetCurrentProcess()));
  const bool keptBefore = SettingsStore->Kept();
  const TSettingsSave saved = SettingsStore->Save([&](TIniDocument& document) {
    tdialix::SaveSettings(document, Settings, priorityClass, SettingsEnvironment());
  });
  if (SettingsStore->Kept() && !keptBefore) Trace(L"settings-kept");
  switch (saved) {
    case TSettingsSave::ssWritten:
      Trace(L"settings-saved");
      PluginHost.BroadcastText(PLUGIN_SETTINGSSAVED, SettingsPath);
      return true;
    case TSettingsSave::ssKept:
      // The file could not be read at this start, and a copy kept at an
      // earlier one is there: both stay as they are.
      Trace(L"settings-left");
      return false;
    case TSettingsSave::ssFailed:
      break;
  }
  const std::wstring text =
      FormatText(MessageText(TMsg::SettingsSaveFailed), {SettingsPath, SystemErrorText(SettingsFiles.LastError)});
  ::MessageBoxW(Handle(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONERROR);
  return false;
}

bool TDialixMaster::SaveDefaultStyle() {
  const bool standIn = StyleLoader.DefaultStyleUnread;
  const bool saved = StyleLoader.SaveDefaultStyle();
  // Still standing in: the user's unread file was left alone.
  if (standIn && StyleLoader.DefaultStyleUnread) Trace(L"style-left");
  return saved;
}

void TDialixMaster::SaveAtEnd() {
  if (SavedAtEnd) return;
  SavedAtEnd = true;
  // While a style loads (a message of the loader is open), its fields may be
  // half read: the default style file stays as last saved.
  if (!StyleLoader.LoadingDesign) SaveDefaultStyle();
  SaveSettings();
}

void TDialixMaster::DeferredInitialization() {
  // The default style lives beside the settings.
  StyleLoader.DefaultStyleFile = FolderOf(SettingsPath) + L"Default.dlx";
  StyleLoader.LastStyleFile = StyleLoader.DefaultStyleFile;

  LoadSettings();

  // Whether the taskbar's clock is ours to hide and show.
  const HWND trayClock = TaskbarClockWindow();
  TrayClockEnabled = trayClock && ::IsWindowVisible(trayClock);
  if (TrayIcon) {
    TrayIcon->SetVisible(Settings.ShowTaskTrayIcon);
    Trace(L"trayicon " + std::to_wstring(TrayIcon->Visible()));
  }

  // The monitor's power state, where the system reports it.
  using TRegister = HPOWERNOTIFY(WINAPI*)(HANDLE, LPCGUID, DWORD);
  if (auto registerNotification = reinterpret_cast<TRegister>(reinterpret_cast<void*>(
          ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "RegisterPowerSettingNotification")))) {
    PSN = registerNotification(Handle(), &GUID_MONITOR_POWER_ON, DEVICE_NOTIFY_WINDOW_HANDLE);
  }

  // The plug-ins start and add their menu items; then the clocks go to
  // the top of the z-order. Once they have started, the mark that would make
  // the next start ask about them goes.
  if (!PluginHost.Terminating) PluginHost.Initialize(Handle(), SettingsStore->ReadPath());
  if (PluginsStarting && !PluginHost.Failed()) {
    ::DeleteFileW(PluginFaultMarkPath(SettingsPath).c_str());
    PluginsStarting = false;
  }
  for (const auto& clock : Dialixs) {
    ::SetWindowPos(clock->Handle(), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  }

  // The style named on the command line, or the default style file.
  LoadStyle(FirstStyleParameter(Parameters).value_or(StyleLoader.DefaultStyleFile), true, true, true);

  SettingTimer(true);
  WatchFullScreen();
  Application.Initialized = true;
  StyleLoader.Initialized = true;
  Trace(L"initialized " + std::to_wstring(Dialixs.size()));
}

void TDialixMaster::SettingTimer(bool setting) {
  if (!setting) {
    if (MainTimerHandle) ::KillTimer(Handle(), kMainTimerId);
    MainTimerHandle = 0;
    MainTimerPeriod = 0;
    return;
  }
  if (MainTimerHandle) return;
  const unsigned interval = CurrentTickInterval();
  MainTimerOrigin = DisplayedNow();
  MainTimerHandle = ::SetTimer(Handle(), kMainTimerId, interval, nullptr);
  MainTimerPeriod = interval;
  TimerEvent(false);
}

unsigned TDialixMaster::CurrentTickInterval() const {
  return TickInterval(Settings.TimerInterval, ACPowerMode, Settings.PowerSavingMode, MonitorPowerOn);
}

TTickMotion TDialixMaster::Motion() const {
  TTickMotion motion;
  motion.Initialized = LastTickInitialized;
  motion.TempVisible = TempVisible;
  motion.SwitchFading = SwitchFadeRunning(Visibility, Style.FadeSwitching);
  // Without the hook library's messages (or, in hole mode, with a tick too
  // slow for them) only the tick sees the pointer come and go.
  const bool hookFollows = HookDllFlag && !(Settings.HideType == htHole && Settings.TimerInterval > 99);
  motion.PointerFollowed = Settings.HideType != htNone && !hookFollows;
  for (size_t i = 0; i < Dialixs.size(); ++i) {
    // A clock on its way out of a full-screen program's way, or back.
    const bool covered = Settings.HideOnFullScreen && i < Covered.size() && Covered[i];
    const TCoverFade fade = i < CoverFades.size() ? CoverFades[i] : TCoverFade{};
    motion.CoverFading = motion.CoverFading || covered != fade.Covered || fade.Alpha != (fade.Covered ? 0 : 255);
  }
  for (const auto& clock : Dialixs) {
    motion.Dragging = motion.Dragging || clock->SizeMovingFlag;
    motion.HideFading = motion.HideFading || clock->Hover.AlphaHiding;
    motion.PointerFollowed =
        motion.PointerFollowed || PointerEngaged(clock->Hover, Settings.HideType, Settings.ClickHide);
    // A clock that is not drawn (hidden, or its monitor switched off) animates nothing.
    if (MonitorPowerOn && ::IsWindowVisible(clock->Handle())) {
      motion.CellsChanging = motion.CellsChanging || clock->Composer.Animating();
    }
  }
  return motion;
}

bool TDialixMaster::AutoStyleChangeDue(TDateTime now) const {
  if (!Settings.AutoStyleChange || Settings.ChangeTimeList.empty()) return false;
  // An entry made pending again (the list was confirmed) whose time has come
  // applies at the next second's check, as the tick makes it.
  std::vector<TChangeTime> list = Settings.ChangeTimeList;
  return TakeDueChangeTime(list, now, DayTypeOf(now, HolidayFlag)).has_value();
}

bool TDialixMaster::EverySecondWork() {
  if (PluginsLoaded()) return true;
  const TFormatSettings& formats = StyleHost.Formats();
  if (Settings.ShowToolTip && ToolTipHandle && FormatShowsSeconds(Settings.ToolTipFormat, formats)) return true;
  return Settings.ShowTaskTrayIcon && TrayIcon && TrayIcon->Visible() &&
         FormatShowsSeconds(Settings.TaskTrayFormat, formats);
}

void TDialixMaster::ScheduleTick(bool afterTick) {
  if (!MainTimerHandle) return;
  const unsigned interval = CurrentTickInterval();
  const TDateTime now = DisplayedNow();
  TTickPlanInput input;
  input.Now = now;
  input.Interval = interval;
  input.GridOrigin = MainTimerOrigin;
  input.Motion = Motion();
  // The editor's previewed values decide what the clocks show, and so when they change.
  const TStyle& shown = ShownStyle();
  input.Style = &shown;
  input.DisplayBits = SaveDisplayColor;
  input.EverySecond = EverySecondWork() || AutoStyleChangeDue(now);
  const TDateTime digitTime = DigitTime(now, shown, false);
  input.VisibilityDue =
      Visibility.Visible != InVisibleTimeSlot(Style.VisibleTimeSlotList, digitTime, DayTypeOf(now, HolidayFlag));
  input.Slots = &Style.VisibleTimeSlotList;
  if (Settings.AutoStyleChange) input.Changes = &Settings.ChangeTimeList;
  // "Always on top" looks at the windows above the clocks at least four times a second.
  if (Settings.ZOrderMode == zmTopMost && Visibility.Visible) input.MaxSleep = 250;
  // Where no window event ever arrives (Wine), the tick looks for a
  // full-screen program twice a second, so that the clock is out of its way
  // within a second.
  if (FullScreenWatcher && FullScreenWatcher->Polling()) input.MaxSleep = std::min<std::int64_t>(input.MaxSleep, 500);
  const TTickPlan plan = PlanNextTick(input);
  // While something moves the timer repeats every interval; it is set anew
  // only to reach the first of those ticks and when the interval changes.
  if (plan.EveryInterval && MainTimerPeriod == interval) return;
  // Between ticks (input, a redraw) a plan for the tick already set changes nothing.
  if (!afterTick && !plan.EveryInterval && MainTimerPeriod == 0 &&
      std::llround((plan.Due - MainTimerDue) * static_cast<double>(MSecsPerDay)) == 0) {
    return;
  }
  const auto delay = static_cast<UINT>(std::clamp<std::int64_t>(plan.DelayMs, 1, kMaxTickSleep));
  ::SetTimer(Handle(), kMainTimerId, delay, nullptr);
  MainTimerPeriod = plan.EveryInterval && delay == interval ? interval : 0;
  MainTimerDue = plan.Due;
}

void TDialixMaster::DrawClock(TDialix& clock, bool redraw) {
  TClockFrameInput input;
  input.Style = &ShownStyle();
  input.NowText = NowText;
  input.PrevText = PrevText;
  input.DisplayBits = SaveDisplayColor;
  input.MonitorPowerOn = MonitorPowerOn;
  input.Shape.HideType = Settings.HideType;
  input.Shape.ClickHide = Settings.ClickHide;
  input.Shape.HideSensitive = Settings.HideSensitive;
  input.Shape.HideAlpha = Settings.HideAlpha;
  input.Shape.HideSpeed = Settings.HideSpeed;
  input.Shape.HoleSize = Settings.HoleSize;
  input.Shape.HoleAlpha = Settings.HoleAlpha;
  input.Shape.HoleSoft = Settings.HoleSoft;
  input.Shape.TransParent = Settings.TransParent;
  input.SwitchingAlpha = ScaleRound(Visibility.SaveSwitchingAlphaBlend, 255, CoverAlpha(clock.MonitorIndex));
  clock.DrawClock(redraw, input);
}

void TDialixMaster::UpdateToolTipText(TDateTime now) {
  if (!ToolTipHandle) return;
  const std::wstring text = FormatDateTime(Settings.ToolTipFormat, now, StyleHost.Formats());
  const size_t bar = text.find(L'|');
  const std::wstring title = bar == std::wstring::npos ? std::wstring() : text.substr(0, std::min<size_t>(bar, 256));
  ToolTipText = bar == std::wstring::npos ? text : text.substr(bar + 1);
  if (!title.empty() && title != ToolTipText) {
    ::SendMessageW(ToolTipHandle, TTM_SETTITLEW, TTI_NONE, reinterpret_cast<LPARAM>(title.c_str()));
  } else {
    ::SendMessageW(ToolTipHandle, TTM_SETTITLEW, TTI_NONE, reinterpret_cast<LPARAM>(L""));
  }
  ToolInfo.lpszText = ToolTipText.data();
  ::SendMessageW(ToolTipHandle, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ToolInfo));
}

void TDialixMaster::UpdateTrayHint(TDateTime now) {
  // The first "|" of the format breaks the hint into two lines.
  std::wstring format = Settings.TaskTrayFormat;
  if (const size_t bar = format.find(L'|'); bar != std::wstring::npos) format.replace(bar, 1, L"\r\n");
  TrayHint = FormatDateTime(format, now, StyleHost.Formats());
  if (TrayIcon && TrayIcon->Visible() && TrayIcon->Hint() != TrayHint) {
    TrayIcon->SetHint(TrayHint);
    if (TraceEnabled()) Trace(L"trayhint " + TrayIcon->Hint());
  }
}

bool TDialixMaster::AutoStyleChange(TDateTime now, TDayType dayType) {
  if (!Settings.AutoStyleChange || Settings.ChangeTimeList.empty()) return false;
  // A style loaded under the open editor would be overwritten by its next
  // Apply: the entry stays pending until the editor has closed.
  if (OpenStyleEditor) return false;
  const std::optional<size_t> due = TakeDueChangeTime(Settings.ChangeTimeList, now, dayType);
  if (!due) return false;
  // Silently, without falling back to the default style and without a place
  // in the recent list; the entry counts as applied even when it failed.
  const std::wstring path = Settings.ChangeTimeList[*due].Style;
  if (TraceEnabled()) Trace(L"autostyle " + path);
  return LoadStyle(path, false, false, false);
}

bool TDialixMaster::IsHoliday(TDateTime date) const {
  const bool holiday = IsHolidayDate(Settings.HolidayList, date);
  if (TraceEnabled()) {
    const TDateParts day = DecodeDate(date);
    Trace(FormatText(L"daytype %.4d-%.2d-%.2d %d",
                     {day.Year, day.Month, day.Day, static_cast<int>(DayTypeOf(date, holiday))}));
  }
  return holiday;
}

void TDialixMaster::TickPlugins(const SYSTEMTIME& displayed, TDayType dayType, bool initialize) {
  if (PluginHost.Empty()) return;
  const TPluginTickBlock block{displayed, static_cast<std::int32_t>(dayType), initialize ? -1 : 0};
  PluginHost.Broadcast(PLUGIN_TICK, &block);
}

void TDialixMaster::WorldClockChanged(const TTimeZone* zone) {
  const TWorldClock& record = Settings.WorldClock;
  // The zone's rules are read once here, never in a tick.
  if (record.Specification == wcManual || record.Name.empty()) {
    WorldZone.reset();
  } else if (zone && SameText(zone->Name, record.Name)) {
    WorldZone.emplace(*zone);
  } else if (!WorldZone || !SameText(WorldZone->Zone().Name, record.Name)) {
    WorldZone.reset();
    if (std::optional<TTimeZone> found = SystemTimeZone(record.Name)) WorldZone.emplace(std::move(*found));
  }
  if (TraceEnabled()) Trace(L"worldclock " + FormatWorldClock(record, StyleHost.Formats()));
}

TDateTime TDialixMaster::DisplayedNow() const {
  // The local time and UTC of one instant.
  SYSTEMTIME utc{}, local{};
  ::GetSystemTime(&utc);
  if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) ::GetLocalTime(&local);
  return DisplayedTime(DateTimeOf(local), DateTimeOf(utc), Settings.WorldClock, TimeZoneBias,
                       WorldZone ? &*WorldZone : nullptr);
}

void TDialixMaster::TimerEvent(bool initialize) {
  Tick(initialize);
  LastTickInitialized = initialize;
  ScheduleTick(true);
}

void TDialixMaster::Tick(bool initialize) {
  if (DisplayChangingFlag) return;
  // The displayed time comes first: the world clock's, or the local time.
  const TDateTime now = DisplayedNow();
  const TTickWork work = PlanTick(TickCalendar, now, initialize);
  // A new date: the holiday state is decided anew, and today's automatic
  // style changes may apply again.
  if (work.NewDay) {
    if (work.ClearChanged) ClearChanged(Settings.ChangeTimeList);
    HolidayFlag = IsHoliday(now);
  }
  const TDayType dayType = DayTypeOf(now, HolidayFlag);
  // A new second: the texts that show the date, the automatic style change
  // (a style it loads ends this tick) and the plug-ins.
  if (work.NewSecond) {
    if (Settings.ShowToolTip) UpdateToolTipText(now);
    if (Settings.ShowTaskTrayIcon) UpdateTrayHint(now);
    if (AutoStyleChange(now, dayType)) return;
    TickPlugins(SystemTimeOf(now), dayType, initialize);
  }
  NowText = BuildDisplayString(now, ShownStyle(), initialize, SaveDisplayColor);
  // Visibility and drawing; an initialising tick only resets the fade.
  if (initialize) {
    if (!Style.FadeSwitching) Visibility.SaveSwitchingAlphaBlend = 255;
  } else {
    if (FullScreenWatcher) FullScreenWatcher->CheckWithoutEvents();
    UpdateVisibility(DigitTime(now, ShownStyle(), false), dayType);
  }
  PrevText = NowText;
}

void TDialixMaster::EnforceTopMost() {
  // The program's windows are rooted at the application window, not at the
  // master: they are told by their process. While the user works in one of
  // them (a menu, a dialog), the order stays as it is.
  const DWORD self = ::GetCurrentProcessId();
  const HWND foreground = ::GetForegroundWindow();
  DWORD foregroundProcess = 0;
  if (foreground) ::GetWindowThreadProcessId(foreground, &foregroundProcess);
  if (foregroundProcess == self) return;

  // Down the z-order from the top until every shown clock has been passed.
  size_t clocksLeft = 0;
  for (const auto& clock : Dialixs) clocksLeft += ::IsWindowVisible(clock->Handle()) ? 1 : 0;
  std::vector<TZOrderWindow> fromTop;
  for (HWND window = ::GetTopWindow(nullptr); window && clocksLeft > 0; window = ::GetWindow(window, GW_HWNDNEXT)) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    const bool clock = std::any_of(Dialixs.begin(), Dialixs.end(),
                                   [window](const auto& dialix) { return dialix->Handle() == window; });
    const bool visible = ::IsWindowVisible(window) != FALSE;
    fromTop.push_back({process == self, clock, visible});
    if (clock && visible) --clocksLeft;
  }
  if (!ForeignWindowAboveClock(fromTop)) return;

  for (const auto& clock : Dialixs) {
    const bool topMost = (::GetWindowLongPtrW(clock->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::SetWindowPos(clock->Handle(), topMost ? HWND_TOP : HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  }
  // The date tooltip stays above the clock it belongs to.
  if (ToolTipHandle && ::IsWindowVisible(ToolTipHandle)) {
    ::SetWindowPos(ToolTipHandle, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  }
  Trace(L"topmost");
}

void TDialixMaster::LocaleChanged() {
  StyleHost.RefreshFormats();
  SYSTEMTIME local{};
  ::GetLocalTime(&local);
  const TDateTime now = DateTimeOf(local);
  if (Settings.ShowToolTip) UpdateToolTipText(now);
  if (Settings.ShowTaskTrayIcon) UpdateTrayHint(now);
  RedrawAll();
  ScheduleTick();
  Trace(L"locale-changed");
}

void TDialixMaster::UpdateVisibility(TDateTime digitTime, TDayType dayType) {
  TVisibilityInput input;
  input.DigitTime = digitTime;
  input.InTimeSlot = InVisibleTimeSlot(Style.VisibleTimeSlotList, digitTime, dayType);
  input.TempVisible = TempVisible;
  input.PluginVisible = PluginVisible;
  input.FadeSwitching = Style.FadeSwitching;
  // A clock that a full-screen program has faded away counts as not placed
  // on its monitor until the program leaves; the fade itself is the clock's own.
  CoverFades.resize(Dialixs.size());
  const TDateTime now = LocalNow();
  std::vector<TCoverStep> cover(Dialixs.size());
  for (size_t i = 0; i < Dialixs.size(); ++i) {
    const bool covered = Settings.HideOnFullScreen && i < Covered.size() && Covered[i];
    cover[i] = CoverFadeStep(CoverFades[i], covered, now, Style.FadeSwitching);
  }
  std::vector<TClockState> clocks;
  for (size_t i = 0; i < Dialixs.size(); ++i) {
    const HWND window = Dialixs[i]->Handle();
    const bool placed = (i < ClockParams.size() ? ClockParams[i].Shown : true) && !cover[i].Gone;
    clocks.push_back({::IsWindowVisible(window) != FALSE, ::IsWindowEnabled(window) != FALSE, ::IsIconic(window) != FALSE,
                      Dialixs[i]->SizeMovingFlag, placed});
  }
  const std::vector<TClockAction> actions = VisibilityStep(Visibility, input, clocks);
  if (Visibility.Visible && Settings.ZOrderMode == zmTopMost) EnforceTopMost();
  for (size_t i = 0; i < actions.size(); ++i) {
    TDialix& clock = *Dialixs[i];
    if (actions[i].Reset) clock.ResetAnimation(PrevText);
    if (actions[i].Draw) DrawClock(clock, actions[i].Force || cover[i].Moving);
    if (actions[i].Show) clock.ShowByProgram(true);
    if (actions[i].Hide) clock.ShowByProgram(false);
  }
}

void TDialixMaster::WatchFullScreen() {
  if (Settings.HideOnFullScreen && !FullScreenWatcher) {
    FullScreenWatcher = std::make_unique<TFullScreenWatcher>([this] { FullScreenChanged(); });
    Trace(std::wstring(L"fullscreen-watch ") + (FullScreenWatcher->Watching() ? L"1" : L"0"));
    FullScreenChanged();
  } else if (!Settings.HideOnFullScreen && FullScreenWatcher) {
    FullScreenWatcher.reset();
    Covered.assign(Covered.size(), false);
    Trace(L"fullscreen-watch 0");
    ScheduleTick();  // covered clocks come back
  }
}

void TDialixMaster::FullScreenChanged() {
  if (!FullScreenWatcher) return;
  std::vector<TRect> bounds;
  for (const TMonitorRecord& monitor : Monitors) bounds.push_back(monitor.Bounds);
  std::vector<bool> covered = TFullScreenWatcher::Covered(bounds);
  if (covered == Covered) return;
  Covered = std::move(covered);
  if (TraceEnabled()) {
    std::wstring line = L"fullscreen";
    for (const bool monitor : Covered) line += monitor ? L" 1" : L" 0";
    Trace(line);
  }
  ScheduleTick();  // the cover fade starts at once
}

int TDialixMaster::CoverAlpha(int monitorIndex) const {
  if (monitorIndex < 0 || static_cast<size_t>(monitorIndex) >= CoverFades.size()) return 255;
  return CoverFades[monitorIndex].Alpha;
}

void TDialixMaster::TrayClockChange(bool visible) {
  const HWND trayClock = TaskbarClockWindow();
  if (!trayClock) return;
  switch (DecideTrayClock(Settings.HideTrayClock, TrayClockEnabled, ::IsWindowVisible(trayClock), visible)) {
    case TTrayClockAction::tcHide:
      ::ShowWindow(trayClock, SW_HIDE);
      break;
    case TTrayClockAction::tcShow:
      ::ShowWindow(trayClock, SW_SHOWNA);
      break;
    case TTrayClockAction::tcNone:
      return;
  }
  TrayClockUpdate(true);
}

void TDialixMaster::TrayClockUpdate(bool enabled) {
  // Adding and removing an icon makes the taskbar lay out its notification
  // area again after its clock came or went. With the program's own icon
  // showing, hiding and showing that icon does the same.
  const HWND trayClock = TaskbarClockWindow();
  if (trayClock && ::IsWindowVisible(trayClock) && TrayIcon && TrayIcon->Visible()) {
    if (enabled) {
      TrayIcon->SetVisible(false);
      TrayIcon->SetVisible(true);
    }
    return;
  }
  NOTIFYICONDATAW data{};
  static_assert(sizeof(NOTIFYICONDATAW) == notify::RecordLayout.Size, "the full record of the shell");
  data.cbSize = sizeof data;
  data.uID = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(Handle()));
  data.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON");
  if (::Shell_NotifyIconW(NIM_ADD, &data)) ::Shell_NotifyIconW(NIM_DELETE, &data);
}

bool TDialixMaster::ClocksActive() const {
  return ::IsWindowEnabled(Handle()) && Visibility.Visible && !::IsIconic(Handle());
}

void TDialixMaster::RedrawAll() {
  for (const auto& clock : Dialixs) DrawClock(*clock, true);
}

void TDialixMaster::HookMouse(UINT mouseMessage) {
  const bool hoverHiding = Settings.HideType == htHide || Settings.HideType == htHole;
  if (!(!ACPowerMode && Settings.PowerSavingMode) && MonitorPowerOn && ClocksActive() && hoverHiding) {
    // In hole mode the hook's messages are thinned; dropped ones reach nobody.
    if (Settings.HideType == htHole && !PassHoleThrottle(HoleWaitCount, Settings.TimerInterval)) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const THoverSettings hover{Settings.HideType, Settings.HideSensitive, Settings.HoleSize, Settings.HoleSoft,
                               SaveDisplayColor};
    for (const auto& clock : Dialixs) {
      THookMouseInput input;
      input.Inside = HoverRect(clock->HoverGeometry(), hover).Contains({cursor.x, cursor.y});
      input.LeftButtonDown = mouseMessage == WM_LBUTTONDOWN;
      input.ClickHide = Settings.ClickHide;
      input.HideType = Settings.HideType;
      input.CtrlHeld = ::GetAsyncKeyState(VK_CONTROL) < 0;
      input.SizeMoving = clock->SizeMovingFlag;
      if (HookMouseStep(clock->Hover, input)) DrawClock(*clock, true);
    }
    ScheduleTick();  // a fade, a hole or a hovered clock wants the tick every interval
  }
  if (!PluginHost.Empty()) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const TPluginMouseBlock block{static_cast<std::int32_t>(mouseMessage), cursor.x, cursor.y};
    PluginHost.Broadcast(PLUGIN_MOUSE, &block);
  }
  if (TraceEnabled()) Trace(L"hookmouse " + std::to_wstring(mouseMessage));
}

void TDialixMaster::HookKey(WPARAM virtualKey, LPARAM keyFlags) {
  if (ClocksActive() && IsCtrlPressOrRelease(static_cast<unsigned>(virtualKey), static_cast<std::uint32_t>(keyFlags))) {
    RedrawAll();
    ScheduleTick();
  }
  const TPluginKeyBlock block{static_cast<std::int32_t>(virtualKey), static_cast<std::int32_t>(keyFlags)};
  PluginHost.Broadcast(PLUGIN_KEY, &block);
  if (TraceEnabled()) Trace(L"hookkey " + std::to_wstring(virtualKey));
}

TClockHost::TBehaviour TDialixMaster::ClockBehaviour() {
  TBehaviour behaviour;
  behaviour.Locked = Settings.Locked;
  behaviour.ZOrderMode = Settings.ZOrderMode;
  behaviour.EnableOtherwiseShowWindow = Settings.EnableOtherwiseShowWindow;
  behaviour.ShowToolTip = Settings.ShowToolTip;
  return behaviour;
}

std::optional<TRect> TDialixMaster::MonitorBounds(int monitorIndex) {
  if (monitorIndex < 0 || static_cast<size_t>(monitorIndex) >= Monitors.size()) return std::nullopt;
  return Monitors[monitorIndex].Bounds;
}

void TDialixMaster::StorePosition(int monitorIndex, float x, float y) {
  if (monitorIndex < 0) return;
  if (ClockParams.size() <= static_cast<size_t>(monitorIndex)) ClockParams.resize(monitorIndex + 1);
  ClockParams[monitorIndex].X = x;
  ClockParams[monitorIndex].Y = y;
}

void TDialixMaster::EditStyle() { ExecuteCommand(kCmdEditStyle); }

void TDialixMaster::PopupMenu(TDialix&, TPoint screen) { ShowPopupMenu(screen); }

void TDialixMaster::ClockShownOrHidden(TDialix& clock, bool shown) {
  // The taskbar's own clock follows the first clock to show and the last to hide.
  bool otherVisible = false;
  for (const auto& other : Dialixs) {
    if (other.get() != &clock && other && ::IsWindowVisible(other->Handle())) otherVisible = true;
  }
  if (!otherVisible) TrayClockChange(shown);
  Trace(std::wstring(L"clockshown ") + (shown ? L"1 " : L"0 ") + std::to_wstring(clock.MonitorIndex));
  const TPluginClockBlock block{clock.MonitorIndex, shown ? -1 : 0};
  PluginHost.Broadcast(PLUGIN_CLOCKSHOWN, &block);
}

void TDialixMaster::ClockPressed(TDialix&) { PluginHost.Broadcast(PLUGIN_CLOCKCLICK); }

void TDialixMaster::HideToolTip() {
  if (ToolTipHandle) ::SendMessageW(ToolTipHandle, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ToolInfo));
  ToolTipTimerHandle = 0;
  ::KillTimer(Handle(), kToolTipTimerId);
}

void TDialixMaster::ShowToolTipLater(TDialix& clock) {
  if (!ToolTipHandle || !Settings.ShowToolTip || ToolTipTimerHandle) return;
  const TPoint at = clock.ToolTipPosition();
  ::SendMessageW(ToolTipHandle, TTM_TRACKPOSITION, 0, MAKELPARAM(at.X, at.Y));
  ToolTipClock = &clock;
  constexpr UINT kHintPause = 500;  // milliseconds, the usual pause before a hint shows
  ToolTipTimerHandle = ::SetTimer(Handle(), kToolTipTimerId, kHintPause, nullptr);
}

void TDialixMaster::ClockResized(TDialix& clock) {
  if (!ToolTipHandle || ToolTipClock != &clock) return;
  const TPoint at = clock.ToolTipPosition();
  ::SendMessageW(ToolTipHandle, TTM_TRACKPOSITION, 0, MAKELPARAM(at.X, at.Y));
}

void TDialixMaster::DialogMarkReleased() {
  // A close asked for while a dialog was open comes now.
  if (Tag == 0 && CloseRequested && !StyleLoader.LoadingDesign) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TDialixMaster::BringDialogForward() {
  const HWND popup = ::GetLastActivePopup(Handle());
  if (popup && popup != Handle()) ::SetForegroundWindow(popup);
  Trace(L"dialog-forward");
}

void TDialixMaster::HandOverStyle(ATOM atom) {
  // The atom is deleted whatever happens to the request, and before the load,
  // whose messages may stay open for a while.
  TUniqueGlobalAtom owned(atom);
  if (Tag != 0) {
    BringDialogForward();
    Trace(L"loadstyle-refused");
    return;
  }
  SaveDefaultStyle();
  wchar_t name[262] = {};
  ::GlobalGetAtomNameW(atom, name, 261);
  owned.Reset();
  Trace(std::wstring(L"loadstyle ") + name);
  if (!StyleLoader.LoadingDesign) LoadStyle(name, false, true, true);
}

bool TDialixMaster::LoadStyle(const std::wstring& styleFile, bool loadDefault, bool showMessage, bool addRecent) {
  const bool result = StyleLoader.LoadStyle(styleFile, loadDefault, showMessage, addRecent);
  if (CloseRequested && !StyleLoader.LoadingDesign) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
  return result;
}

void TDialixMaster::ApplyStyleToClocks() {
  // A style that hides the clock on every present monitor would leave no way back.
  if (KeepOneClockShown(ClockParams, Monitors)) Trace(L"clock-kept-shown");
  MonitorMenu = MonitorMenuItems(Monitors, ClockParams);
  TimerEvent(true);
  for (size_t i = 0; i < Dialixs.size() && i < Monitors.size(); ++i) {
    TDialix& clock = *Dialixs[i];
    clock.InitializeBitmap(Style, Monitors[i].Bounds.Height(), SaveDisplayColor);
    const TPoint origin = ClockOrigin(Monitors[i].Bounds, ClockParams[i]);
    ::SetWindowPos(clock.Handle(), nullptr, origin.X, origin.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    clock.ResetAnimation(PrevText);
    DrawClock(clock, true);
  }
  ImagesBuilt(Style);
}

void TDialixMaster::RebuildClocks() {
  for (size_t i = 0; i < Dialixs.size() && i < Monitors.size(); ++i) {
    Dialixs[i]->InitializeBitmap(Style, Monitors[i].Bounds.Height(), SaveDisplayColor);
  }
  ImagesBuilt(Style);
  for (size_t i = 0; i < Dialixs.size() && i < Monitors.size(); ++i) DrawClock(*Dialixs[i], true);
}

void TDialixMaster::PowerBroadcast(WPARAM event, LPARAM data) {
  const bool wasAcPower = ACPowerMode;
  const bool wasMonitorOn = MonitorPowerOn;
  if (event == PBT_APMRESUMESUSPEND || event == PBT_APMPOWERSTATUSCHANGE) {
    ACPowerMode = OnAcPower();
  } else if (event == PBT_POWERSETTINGCHANGE && data) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    if (IsEqualGUID(setting->PowerSetting, GUID_MONITOR_POWER_ON) && setting->DataLength >= 1) {
      MonitorPowerOn = setting->Data[0] != 0;
    }
  }
  if ((wasAcPower != ACPowerMode || wasMonitorOn != MonitorPowerOn) && MainTimerHandle) {
    SettingTimer(false);
    SettingTimer(true);
  }
}

void TDialixMaster::DisplayChange(WPARAM bitsPerPixel) {
  if (DisplayChangingFlag) return;
  DisplayChangingFlag = true;
  struct TClear {
    bool& Flag;
    ~TClear() { Flag = false; }
  } clear{DisplayChangingFlag};

  SaveDisplayColor = static_cast<unsigned>(bitsPerPixel);
  Monitors = EnumerateMonitors();
  if (Dialixs.size() < Monitors.size()) {
    for (size_t i = Dialixs.size(); i < Monitors.size(); ++i) CreateClockWindow(i);
  } else {
    ToolTipClock = nullptr;
    // A clock whose monitor went is gone for the plug-ins, not hidden.
    for (size_t i = Monitors.size(); i < Dialixs.size(); ++i) {
      Dialixs[i]->MarkedForRelease = true;
      const TPluginClockBlock block{Dialixs[i]->MonitorIndex, 0};
      PluginHost.Broadcast(PLUGIN_CLOCKSHOWN, &block);
    }
    Dialixs.resize(Monitors.size());
  }
  EnsurePlacements(ClockParams, Monitors.size());
  // The monitors that remain may all be marked hidden (a laptop undocked
  // after its own screen's clock was switched off).
  if (Application.Initialized && KeepOneClockShown(ClockParams, Monitors)) Trace(L"clock-kept-shown");
  MonitorMenu = MonitorMenuItems(Monitors, ClockParams);
  // The monitors' places changed: what a full-screen window covers, too.
  FullScreenChanged();

  if (!Application.Initialized) return;
  for (size_t i = 0; i < Dialixs.size(); ++i) {
    TDialix& clock = *Dialixs[i];
    ::SetWindowTextW(clock.Handle(), ClockCaption(i).c_str());
    clock.MonitorIndex = static_cast<int>(i);
    const TPoint origin = ClockOrigin(Monitors[i].Bounds, ClockParams[i]);
    ::SetWindowPos(clock.Handle(), nullptr, origin.X, origin.Y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool topMost = Settings.ZOrderMode == zmTop || Settings.ZOrderMode == zmTopMost;
    ::SetWindowPos(clock.Handle(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    clock.InitializeBitmap(Style, Monitors[i].Bounds.Height(), SaveDisplayColor);
  }
  ImagesBuilt(Style);
  for (const auto& clock : Dialixs) DrawClock(*clock, true);
  Trace(L"displaychange " + std::to_wstring(Dialixs.size()));
}

void TDialixMaster::ApplicationException(const std::wstring& message, bool hasSender) {
  TFailure failure;
  failure.Message = message;
  failure.Where = TFailureScope::Current();
  ApplicationException(failure, hasSender);
}

void TDialixMaster::ApplicationException(const TFailure& failure, bool hasSender) {
  if (!hasSender) {
    // Only the text is wanted (the settings loader reports it in its own words).
    Exception = failure.Message;
    return;
  }
  TFailureSteps steps;
  steps.ApplicationTitle = Application.Title;
  steps.ApplicationWindow = Application.Handle();
  steps.BeforeReport = [this](const TFailure& reported) { StopForReport(reported); };
  steps.AfterReport = [this](const TFailure& reported) { EndAfterReport(reported); };
  ReportFailureAndEnd(failure, steps);
}

void TDialixMaster::StopForReport(const TFailure& failure) {
  Failing = true;
  SettingTimer(false);
  for (const UINT_PTR timer : {kToolTipTimerId, UINT_PTR{kTempVisibleTimerId}, UINT_PTR{kMonitorOffTimerId}}) {
    ::KillTimer(Handle(), timer);
  }
  ToolTipTimerHandle = TempVisibleTimerHandle = MonitorOffTimerHandle = 0;
  // The thread that serves the hooks waits for the report now: every input
  // event of the desktop would wait for it too.
  if (failure.Kind == TFailureKind::fkStructured) StopHooks();
}

void TDialixMaster::EndAfterReport(const TFailure& failure) {
  if (failure.Kind == TFailureKind::fkStructured) {
    // Memory may be damaged: nothing is written, and only what the system
    // lent is given back. The clock windows go with the process.
    RestoreTaskbarClock();
    TrayIcon.reset();
    StopHooks();
    return;
  }
  // What closing saves, unless a style or the settings were half read or
  // half written when the exception came.
  if (SavesAfterFailure(failure.Kind, StyleLoader.LoadingDesign || StyleLoader.SavingDesign, SavingSettings)) {
    SaveAtEnd();
  } else {
    Trace(L"failure-nothing-saved");
  }
  FormDestroy();
}

void TDialixMaster::Close() { ::SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TDialixMaster::RestoreTaskbarClock() {
  if (!TrayClockEnabled) return;
  TrayClockEnabled = false;
  if (const HWND trayClock = TaskbarClockWindow()) ::ShowWindow(trayClock, SW_SHOWNA);
  TrayClockUpdate(false);
}

void TDialixMaster::StopHooks() {
  if (!HookDllFlag) return;
  if (EndHook) EndHook();
  HookDllFlag = false;
  Trace(L"hooks-stopped");
}

void TDialixMaster::FormDestroy() {
  if (Destroyed) return;
  Destroyed = true;
  PluginHost.Terminating = true;  // from here on only ticks and the final call reach plug-ins
  SettingTimer(false);
  FullScreenWatcher.reset();
  GlyphBuilder.reset();  // a build still running stops, and is waited for
  RestoreTaskbarClock();
  TrayIcon.reset();  // the icon leaves the notification area
  PluginHost.Unload();
  SetPluginExportTarget(nullptr, nullptr);
  StopHooks();
  HookFileHandle.Reset();
  HookDllHandle.Reset();
  if (ToolTipHandle) ::DestroyWindow(ToolTipHandle);
  ToolTipHandle = nullptr;
  if (PSN) {
    using TUnregister = BOOL(WINAPI*)(HPOWERNOTIFY);
    if (auto unregisterNotification = reinterpret_cast<TUnregister>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "UnregisterPowerSettingNotification")))) {
      unregisterNotification(PSN);
    }
    PSN = nullptr;
  }
  ClockParams.clear();
  ToolTipClock = nullptr;
  Dialixs.clear();
  Monitors.clear();
}

LRESULT TDialixMaster::FailingWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DIALIX_LOADSTYLE:
      // The style is not loaded, but its atom is freed all the same.
      if (LOWORD(wParam) != 0) ::GlobalDeleteAtom(LOWORD(wParam));
      return 0;
    case WM_DIALIX_INIT:
    case WM_DIALIX_SETTINGS:
    case WM_DIALIX_EDITSTYLE:
    case WM_DIALIX_CLOSE:
    case WM_DIALIX_HOOKMOUSE:
    case WM_DIALIX_HOOKKEY:
    case WM_TIMER:
    case WM_COMMAND:
    case WM_CLOSE:  // the report ends the program
    case WM_ENDSESSION:
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      return TWindow::WindowProc(message, wParam, lParam);
  }
}

LRESULT TDialixMaster::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (MasterMessageHook) {
    if (const std::optional<LRESULT> result = MasterMessageHook(*this, message, wParam, lParam)) return *result;
  }
  // While the failure report is open, nothing of the program runs.
  if (Failing) return FailingWindowProc(message, wParam, lParam);
  // An export a plug-in called on a thread of its own.
  if (message == PluginExportMessage()) return HandlePluginExportMessage(wParam, lParam);
  switch (message) {
    case WM_DIALIX_INIT:
      DeferredInitialization();
      return 0;
    case WM_DIALIX_SETTINGS:
      Trace(L"settings " + std::to_wstring(wParam));
      // A page index outside the pages (a large WPARAM too) keeps the page last closed.
      SettingsRequest(wParam < static_cast<WPARAM>(kSettingPageCount) ? static_cast<int>(wParam) : -1);
      return 0;
    case WM_DIALIX_EDITSTYLE:
      Trace(L"editstyle " + std::to_wstring(wParam));
      // A page index outside the pages (a large WPARAM too) keeps the page last closed.
      StyleEditRequest(wParam < static_cast<WPARAM>(kStyleEditPageCount) ? static_cast<int>(wParam) : -1);
      return 0;
    case WM_DIALIX_GLYPHSBUILT:
      GlyphsBuilt();
      return 0;
    case WM_DIALIX_CLOSE:
      Close();
      return 0;
    case WM_DIALIX_LOADSTYLE:
      if (LOWORD(wParam) != 0) HandOverStyle(LOWORD(wParam));
      return 0;
    case WM_DIALIX_HOOKMOUSE:
      HookMouse(static_cast<UINT>(wParam));
      return 0;
    case WM_DIALIX_HOOKKEY:
      HookKey(wParam, lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kMainTimerId && MainTimerHandle) {
        TimerEvent(false);
        if (TraceEnabled()) Trace(L"tick " + NowText);
      }
      if (wParam == kTempVisibleTimerId) {
        ::KillTimer(Handle(), kTempVisibleTimerId);
        TempVisibleTimerHandle = 0;
        TempVisible = false;
        ScheduleTick();  // the clocks hide at the next second when their time slots say so
      }
      if (wParam == kMonitorOffTimerId) {
        ::KillTimer(Handle(), kMonitorOffTimerId);
        MonitorOffTimerHandle = 0;
        ::PostMessageW(Handle(), WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorPowerOff);
      }
      if (wParam == kToolTipTimerId) {
        ::KillTimer(Handle(), kToolTipTimerId);
        if (ToolTipHandle && ToolTipTimerHandle) {
          ::SendMessageW(ToolTipHandle, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ToolInfo));
        }
      }
      return 0;
    case WM_DISPLAYCHANGE:
      TWindow::WindowProc(message, wParam, lParam);
      DisplayChange(wParam);
      ScheduleTick();
      return 0;
    case WM_SYSCOLORCHANGE:
      TWindow::WindowProc(message, wParam, lParam);
      RebuildClocks();
      return 0;
    case WM_SETTINGCHANGE: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      const auto* area = reinterpret_cast<const wchar_t*>(lParam);
      if (area && std::wstring_view(area) == L"TraySettings") {
        const HWND trayClock = TaskbarClockWindow();
        TrayClockEnabled = trayClock && ::IsWindowVisible(trayClock);
        TrayClockChange(Visibility.Visible);
      }
      if (area && SameText(area, L"intl")) LocaleChanged();
      return result;
    }
    case WM_TIMECHANGE:
      TWindow::WindowProc(message, wParam, lParam);
      TimeZoneBias = CurrentTimeZoneBias();
      WorldZone.reset();  // the zone's rules may have changed with the system's
      WorldClockChanged();
      // The clocks show the new time at once, and the next tick is planned from it.
      if (MainTimerHandle) TimerEvent(false);
      return 0;
    case WM_POWERBROADCAST: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      PowerBroadcast(wParam, lParam);
      return result;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU && LOWORD(lParam) == L' ') {
        // Alt+Space opens the popup menu at the window's client origin.
        if (Tag == 0) {
          POINT origin{0, 0};
          ::ClientToScreen(Handle(), &origin);
          ShowPopupMenu({origin.x, origin.y});
        }
        return 1;
      }
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && lParam == 0) {  // a menu item
        ExecuteCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_CLOSE:
      // Closing is never refused; the style and the settings are saved first.
      if (StyleLoader.LoadingDesign) {
        // A message box of the loader is open: the clocks go when the load has ended.
        CloseRequested = true;
        return 0;
      }
      if (OpenStyleEditor) {
        // The modal editor runs on the master: it ends as Cancel first, and
        // the close comes again once it has gone.
        CloseRequested = true;
        OpenStyleEditor->Close();
        return 0;
      }
      if (Tag != 0) {
        // Another dialog's modal loop runs on the master: it is closed as
        // Cancel first, and the close comes again once the dialog has gone.
        // (A message box without Cancel waits for its answer.)
        CloseRequested = true;
        const HWND popup = ::GetLastActivePopup(Handle());
        if (popup && popup != Handle()) ::PostMessageW(popup, WM_CLOSE, 0, 0);
        Trace(L"close-deferred");
        return 0;
      }
      Trace(L"close");
      SaveAtEnd();
      ::DestroyWindow(Handle());
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // the program never holds up a shutdown or a log-off
    case WM_ENDSESSION:
      // The system ends the program without closing it: what closing saves is
      // saved now, before this message returns.
      if (wParam) {
        Trace(L"endsession");
        SaveAtEnd();
      }
      return 0;
    case WM_DESTROY:
      FormDestroy();
      ::PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return TWindow::WindowProc(message, wParam, lParam);
}

}  // namespace tdialix
