// TDialixMaster: the program's hidden main window. It owns everything that
// lives as long as the program: settings, style, monitors and their clock
// windows, the hook library, the tooltip window and the timers.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/application_win.h"
#include "app/full_screen.h"
#include "app/full_screen_watcher_win.h"
#include "app/monitor_list.h"
#include "app/popup_menu.h"
#include "app/settings.h"
#include "app/settings_file.h"
#include "app/settings_files_win.h"
#include "app/settings_store.h"
#include "app/tick.h"
#include "calendar/style_change.h"
#include "app/style_host_win.h"
#include "base/date_time.h"
#include "base/failure.h"
#include "base/unique_handle_win.h"
#include "base/window_win.h"
#include "calendar/world_clock.h"
#include "clock/clock_window_win.h"
#include "clock/glyph_build_queue.h"
#include "clock/glyph_builder_win.h"
#include "components/tray_icon_win.h"
#include "dialogs/setting_win.h"
#include "dialogs/style_edit_win.h"
#include "plugin/plugin_exports_win.h"
#include "plugin/plugin_host_win.h"
#include "style/style.h"
#include "style/style_loader.h"

namespace tdialix {

class TDialixMaster : public TWindow,
                      private TClockHost,
                      private TPluginExportTarget,
                      private TSettingHost,
                      private TStyleEditHost {
 public:
  static constexpr const wchar_t* kClassName = L"TDialixMaster";
  static constexpr UINT_PTR kMainTimerId = 10;
  static constexpr UINT_PTR kToolTipTimerId = 100;

  // Creates the window (and everything it owns) and posts WM_DIALIX_INIT.
  TDialixMaster(TApplication& application, std::vector<std::wstring> parameters);
  ~TDialixMaster() override;

  TSettings Settings;

  // The hook library and its shared block.
  TUniqueModule HookDllHandle;
  TUniqueKernelHandle HookFileHandle;
  using TStartHook = BOOL(WINAPI*)();
  using TEndHook = void(WINAPI*)();
  TStartHook StartHook = nullptr;
  TEndHook EndHook = nullptr;
  bool HookDllFlag = false;

  UINT_PTR MainTimerHandle = 0;
  UINT_PTR TempVisibleTimerHandle = 0;
  UINT_PTR MonitorOffTimerHandle = 0;
  std::uint32_t HoleWaitCount = 0;
  bool ACPowerMode = true;
  bool MonitorPowerOn = true;
  bool DisplayChangingFlag = false;
  HPOWERNOTIFY PSN = nullptr;
  std::wstring AdditionalNotifyMessage;
  int TimeZoneBias = 0;  // minutes: UTC = local standard time + bias
  // The rules of the world clock's zone, when it names one of the system's.
  std::optional<TZoneClock> WorldZone;
  bool TempVisible = false;
  bool PluginVisible = true;
  bool HolidayFlag = false;
  TPluginHost PluginHost;  // the loaded plug-ins (Plugins) and their menu items
  std::vector<std::unique_ptr<TDialix>> Dialixs;  // one per monitor, in the order of Monitors
  std::vector<TMonitorRecord> Monitors;
  std::vector<TPlacement> ClockParams;  // per monitor index; kept when monitors go
  std::vector<TMonitorMenuItem> MonitorMenu;  // the monitor submenu's items
  std::wstring Exception;  // message of the last exception handed over without a sender
  HWND ToolTipHandle = nullptr;
  TTTOOLINFOW ToolInfo{};
  UINT_PTR ToolTipTimerHandle = 0;  // a tooltip waits for the hint pause
  const TDialix* ToolTipClock = nullptr;  // the clock the tooltip was last placed for
  std::unique_ptr<TWRTaskTrayIcon> TrayIcon;  // the notification-area icon
  TUniqueModule HelpViewer;  // the HTML Help library, loaded on the first help request
  bool TrayClockEnabled = false;
  unsigned SaveDisplayColor = 32;
  std::wstring NowText = L"        ";
  std::wstring PrevText;
  TTickCalendar TickCalendar;  // SaveAdjustedD, SaveAdjustedS: the date and second last worked for
  std::wstring TrayHint;       // the notification icon's hint for the current second
  int Tag = 0;  // 1 while a dialog or command of the master runs
  // The dialog-open mark went: a close that waited for it comes now.
  void DialogMarkReleased();

  // Visible, Hiding, SaveSwitchingTime, SaveSwitchingAlphaBlend, SaveDisplayS.
  TVisibilityState Visibility;

  // Full-screen programs: the watcher while the setting is on, and per
  // monitor whether one covers it and how far its clock has faded away.
  std::unique_ptr<TFullScreenWatcher> FullScreenWatcher;
  std::vector<bool> Covered;
  std::vector<TCoverFade> CoverFades;

  std::wstring SettingsPath;  // where the settings are written
  TWinSettingsFiles SettingsFiles;
  // Reads and writes the settings file; keeps a file that could not be read at start.
  std::optional<TSettingsStore> SettingsStore;

  // The current style, the recent style files, and the loader that keeps the
  // default and last style paths and the loading mark.
  TStyle Style;
  TMasterStyleHost StyleHost{*this};
  TStyleLoader StyleLoader{Style, ClockParams, StyleHost};

  // Reads the settings file (or the defaults when there is none) and applies
  // the priority, the tooltip and the clocks' z-order; false when it could not be read.
  bool LoadSettings();
  // Writes the settings file; true also before the deferred initialisation,
  // when nothing is written. False when nothing was written: a failure (which
  // is shown), or a file that could not be read at start whose copy from an
  // earlier start is kept (which is left as it is).
  bool SaveSettings();
  bool LoadStyle(const std::wstring& styleFile, bool loadDefault, bool showMessage, bool addRecent);
  bool SaveStyle(const std::wstring& styleFile) { return StyleLoader.SaveStyle(styleFile); }
  // The current style into the default style file, unless that file could
  // not be read and the style in use only stands in for it.
  bool SaveDefaultStyle();
  // What closing and the end of the session save: the style and the
  // settings, once.
  void SaveAtEnd();
  // Rebuilds the monitor menu, runs an initialising tick and rebuilds, places
  // and redraws every clock window for the current style.
  void ApplyStyleToClocks();
  // Rebuilds every clock's glyphs (system colours or display changed) and redraws.
  void RebuildClocks();
  const std::wstring& ProgramPath() const { return Application.ExeName; }

  // Starts (true) or stops (false) the tick timer.
  void SettingTimer(bool setting);
  // One tick of the clock.
  void TimerEvent(bool initialize);
  // The time the clocks show now: the world clock's, or the local time.
  TDateTime DisplayedNow() const;
  // The world-clock record changed: its zone's rules are taken from the zone
  // given, or looked up again.
  void WorldClockChanged(const TTimeZone* zone = nullptr);
  // The world-clock dialog: every change shows on the clocks at once.
  void ShowWorldClock();
  // "スタイルの自動切り替え": OK replaces the switch and the list.
  void ShowAutoStyle();
  // Draws one clock with the current display string, style and opacity.
  void DrawClock(TDialix& clock, bool redraw);
  // Shows or hides the taskbar's own clock; visible tells whether a clock of ours shows.
  void TrayClockChange(bool visible);
  void TrayClockUpdate(bool enabled);
  // The program-wide exception handler, the one way every failure takes: a
  // failure handed over without a sender only leaves its message in
  // Exception; any other stops the program, shows the failure report and ends
  // the program after it. A plain message is a C++ exception's, made by what
  // the innermost TFailureScope names.
  void ApplicationException(const TFailure& failure, bool hasSender);
  void ApplicationException(const std::wstring& message, bool hasSender);
  // Closes the window, which ends the program.
  void Close();

  // The common settings dialog on a page (an index outside the pages: the one
  // last closed); a request while a dialog is open brings that one forward.
  void ShowSettings(int page);
  // WM_DIALIX_SETTINGS: the dialog on the page, or the open dialog forward.
  void SettingsRequest(int page);
  // The style editor on a page (an index outside the pages: the one last closed).
  void ShowStyleEditor(int page);
  // WM_DIALIX_EDITSTYLE: the editor on the page, or the open dialog forward.
  void StyleEditRequest(int page);
  // The page the style editor was last closed on.
  int StylePage = 0;
  // The style the clocks draw now: the applied one, or while the editor
  // previews, its values; with the images the clocks have while newer ones
  // are being built.
  const TStyle& ShownStyle();

  // The popup menu at a point on the screen, and the command of one of its items.
  void ShowPopupMenu(TPoint screen);
  void ExecuteCommand(int command);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // What the clock windows ask of the master.
  TBehaviour ClockBehaviour() override;
  std::optional<TRect> MonitorBounds(int monitorIndex) override;
  void StorePosition(int monitorIndex, float x, float y) override;
  bool DialogOpen() override { return Tag != 0 || Failing; }
  void BringDialogForward() override;
  void EditStyle() override;
  void PopupMenu(TDialix& clock, TPoint screen) override;
  void RedrawClock(TDialix& clock) override { DrawClock(clock, true); }
  void ClockShownOrHidden(TDialix& clock, bool shown) override;
  void ClockPressed(TDialix& clock) override;
  void CloseProgram() override { Close(); }
  void HideToolTip() override;
  void ShowToolTipLater(TDialix& clock) override;
  bool IsToolTipWindow(HWND window) override { return window && window == ToolTipHandle; }
  void ClockResized(TDialix& clock) override;

  // What the style editor asks of the master.
  const TStyle& StyleRecord() override { return Style; }
  std::wstring OwnFontName() override { return TStyle{}.FontName; }
  TFormatSettings TimeFormats() override { return StyleHost.Formats(); }
  void PreviewStyle(const TStyle& values) override;
  void ApplyStyle(const TStyle& style, bool rebuildImages) override;
  void ShowHolidaySettingsLater() override;
  // The editor closed: the clocks show the applied style again.
  void EndPreview();
  // The clocks' images for the style, built off the UI thread.
  void RequestImages(const TStyle& style);
  void StartGlyphBuild(const TGlyphBuildQueue::TJob& job);
  // A build ended: its strips go to the clocks when they are still wanted.
  void GlyphsBuilt();
  // The images were built here and now for the style: no build is wanted any more.
  void ImagesBuilt(const TStyle& style);
  // Keeps a copy of the clocks' images of the applied style, which Cancel puts back.
  void SaveAppliedStrips();
  void InstallStrips(std::vector<TGlyphStrip> strips);

  // What plug-ins reach through the program's exports.
  std::int32_t PluginVisibleClock(bool visible) override;
  std::int32_t PluginShowNotify(const TPluginNotifyBlock& notify) override;
  void PluginExportFailed(const std::wstring& message) override { ApplicationException(message, true); }

  // What the settings dialog reads and Apply changes.
  TSettings& SettingsRecord() override { return Settings; }
  void SetTrayIconVisible(bool visible) override;
  bool SetPriorityClass(int priorityClass) override;
  void ActivateToolTip(bool active) override;
  void ResetTickCache() override;
  void ApplyToClocks(bool clickThrough, bool topMost) override;
  bool RestartProgram() override;
  void UpdateTrayClock() override { TrayClockChange(Visibility.Visible); }
  unsigned DisplayBits() override { return SaveDisplayColor; }
  std::wstring SettingsFilePath() override { return SettingsPath; }
  std::wstring ProgramFolder() override { return PluginHost.ProgramFolder; }
  int ProcessPriorityClass() override;
  std::optional<TPluginDescription> DescribePlugin(const std::wstring& fileName) override;
  std::optional<bool> ConfigurePlugin(const std::wstring& fileName, HWND dialog) override;
  bool StartupShortcutExists() override;
  bool StyleFileAssociated() override;
  bool SetStartupShortcut(HWND dialog, bool create) override;
  bool StartAssociationChange(HWND dialog, bool associate) override;

  // Plug-ins: loading once per run, the click of one of their menu items,
  // and the failure path when one of them faults.
  void LoadPlugins(bool settingsFileRead);
  void PluginMainMenuClick(int command);
  void PluginFault(const TPluginFault& fault);
  void WritePluginFaultMark(const std::wstring& text);
  TPopupMenuContent PopupMenuContent() const;
  // False when there is no notification icon to show it with.
  bool ShowNotifyBalloon(const TPluginNotifyBlock& notify);

  // The menu's commands.
  void LoadStyleAction();
  void SaveStyleAction();
  void LoadRecentStyle(size_t index);
  void ToggleMonitorCommand(size_t monitorIndex);
  void MoveClocks(int position);
  void StartScreenSaver();
  void MonitorOff();
  // The help file at a topic; without the file there is no help to show.
  void ShowHelp(int context = kMasterHelpContext);
  void ShowAbout();
  // The notification icon's events.
  void CreateTrayIcon();
  void TrayClick();
  void TrayBalloonClick();
  void ShowAdditionalNotifyMessage();
  bool AnyClockVisible() const;

  void LoadHookLibrary();
  void InitSettingsPath();
  void CreateToolTip();
  // "TDialix - <monitor name>".
  std::wstring ClockCaption(size_t monitorIndex) const;
  void CreateClockWindow(size_t monitorIndex);
  void DeferredInitialization();
  void DisplayChange(WPARAM bitsPerPixel);
  void HookMouse(UINT mouseMessage);
  void HookKey(WPARAM virtualKey, LPARAM keyFlags);
  void HandOverStyle(ATOM atom);
  void PowerBroadcast(WPARAM event, LPARAM data);
  void FormDestroy();
  // What the program borrowed from the system and gives back as it ends.
  void RestoreTaskbarClock();
  void StopHooks();
  // Before the failure report shows: nothing of the program runs on.
  void StopForReport(const TFailure& failure);
  // After it closes: what closing would save, when that is safe, and what the system gets back.
  void EndAfterReport(const TFailure& failure);
  // The window procedure while the failure report is open.
  LRESULT FailingWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void UpdateToolTipText(TDateTime now);
  void UpdateTrayHint(TDateTime now);
  // The automatic style change due now; true when it loaded a style.
  bool AutoStyleChange(TDateTime now, TDayType dayType);
  // Whether the displayed date is a holiday.
  bool IsHoliday(TDateTime date) const;
  // The plug-ins' tick with the displayed time.
  void TickPlugins(const SYSTEMTIME& displayed, TDayType dayType, bool initialize);
  void UpdateVisibility(TDateTime digitTime, TDayType dayType);
  // Starts or stops watching for full-screen programs as the setting says.
  void WatchFullScreen();
  // The foreground window changed or moved: which monitors are covered now.
  void FullScreenChanged();
  // The opacity the cover fade leaves a monitor's clock, 0 ... 255.
  int CoverAlpha(int monitorIndex) const;
  void EnforceTopMost();
  // The locale's date and time forms changed: texts and clocks follow at once.
  void LocaleChanged();
  bool ClocksActive() const;
  void RedrawAll();

  TApplication& Application;
  std::vector<std::wstring> Parameters;
  bool Destroyed = false;
  bool CloseRequested = false;  // a close that waits for a style load (and its message boxes) to end
  std::wstring ToolTipText;     // what the tooltip tool shows
  bool SavedAtEnd = false;      // the style and the settings were saved as the program ends
  bool SavingSettings = false;  // the settings file is being written
  bool Failing = false;         // the failure report is open, and the program ends after it
  bool PluginsStarting = false;  // the fault mark stands while the plug-ins load and initialise
  bool NotifyBroadcasting = false;  // the plug-ins are being asked whether they show a notification
  TDialixStyle* OpenStyleEditor = nullptr;  // the style editor while it is open
  bool HolidaySettingsAfterEditor = false;  // its "休日" link asked for the settings' holiday page
  std::optional<TStyle> Preview;            // the editor's values the clocks show
  TStyle ShownStyleCache;
  TGlyphBuildQueue GlyphQueue;
  std::unique_ptr<TGlyphBuilder> GlyphBuilder;
  std::vector<TGlyphStrip> AppliedStrips;   // the clocks' images of AppliedStripsStyle
  TStyle AppliedStripsStyle;
  TSettingsEnvironment SettingsEnvironment();
};

// A program made for the tests handles messages of its own in the master
// window before the master does; the program itself has none.
using TMasterMessageHook = std::optional<LRESULT> (*)(TDialixMaster& master, UINT message, WPARAM wParam,
                                                      LPARAM lParam);
extern TMasterMessageHook MasterMessageHook;

// The system's current offset of local time from UTC, in minutes (UTC = local + bias).
int CurrentTimeZoneBias();
// The screen's colour depth in bits per pixel.
unsigned DisplayBitsPerPixel();
// The display monitors in the system's order, with their names.
std::vector<TMonitorRecord> EnumerateMonitors();

}  // namespace tdialix
