#include "app/full_screen_watcher_win.h"

#include <shellapi.h>

#include <cwchar>

#include "base/failure_win.h"

namespace tdialix {

namespace {

// The one watcher of the process: window events carry no context of their own.
TFullScreenWatcher* Current = nullptr;

constexpr DWORD kHookFlags = WINEVENT_OUTOFCONTEXT;

bool IsShellWindow(HWND window) {
  if (window == ::GetShellWindow() || window == ::GetDesktopWindow()) return true;
  wchar_t name[64] = {};
  if (!::GetClassNameW(window, name, 64)) return false;
  for (const wchar_t* shell : {L"Progman", L"WorkerW", L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd"}) {
    if (std::wcscmp(name, shell) == 0) return true;
  }
  return false;
}

}  // namespace

TFullScreenWatcher::TFullScreenWatcher(std::function<void()> changed) : Changed(std::move(changed)) {
  Current = this;
  ForegroundHook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &WinEvent, 0, 0,
                                     kHookFlags);
  MinimizeHook = ::SetWinEventHook(EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND, nullptr, &WinEvent, 0, 0,
                                   kHookFlags | WINEVENT_SKIPOWNPROCESS);
  WatchForegroundProcess();
}

TFullScreenWatcher::~TFullScreenWatcher() {
  for (HWINEVENTHOOK* hook : {&ForegroundHook, &MinimizeHook, &EndHook, &LocationHook}) Unhook(*hook);
  if (Current == this) Current = nullptr;
}

void TFullScreenWatcher::Unhook(HWINEVENTHOOK& hook) {
  if (hook) ::UnhookWinEvent(hook);
  hook = nullptr;
}

void TFullScreenWatcher::WatchForegroundProcess() {
  DWORD process = 0;
  if (const HWND foreground = ::GetForegroundWindow()) ::GetWindowThreadProcessId(foreground, &process);
  if (process == ::GetCurrentProcessId()) process = 0;
  if (process == WatchedProcess && (process == 0 || LocationHook)) return;
  Unhook(EndHook);
  Unhook(LocationHook);
  WatchedProcess = process;
  if (process == 0) return;
  // Only the foreground program's events: the rest of the desktop may move
  // and flicker as it likes without waking the clock.
  EndHook = ::SetWinEventHook(EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE, nullptr, &WinEvent, process, 0, kHookFlags);
  LocationHook = ::SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr, &WinEvent,
                                   process, 0, kHookFlags);
}

void CALLBACK TFullScreenWatcher::WinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                                           DWORD) {
  CallbackBoundary(0, [&] {
    if (Current) Current->Event(event, window, object, child);
    return 0;
  });
}

void TFullScreenWatcher::CheckWithoutEvents() {
  if (EventsArrive) return;
  const HWND foreground = ::GetForegroundWindow();
  RECT bounds{};
  if (foreground && !::IsIconic(foreground)) ::GetWindowRect(foreground, &bounds);
  if (foreground == LastForeground && ::EqualRect(&bounds, &LastBounds)) return;
  LastForeground = foreground;
  LastBounds = bounds;
  if (Changed) Changed();
}

void TFullScreenWatcher::Event(DWORD event, HWND window, LONG object, LONG child) {
  EventsArrive = true;
  // Windows only, not their parts (carets, scroll bars, the pointer).
  if (object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (event == EVENT_SYSTEM_FOREGROUND) {
    WatchForegroundProcess();
  } else if (event == EVENT_OBJECT_LOCATIONCHANGE || event == EVENT_OBJECT_SHOW) {
    // A move matters when it is the foreground window's.
    if (window != ::GetForegroundWindow()) return;
  } else if (event == EVENT_OBJECT_HIDE || event == EVENT_OBJECT_DESTROY) {
    // A top-level window of the foreground program went: the foreground may
    // now be nobody, which the system does not always report.
    if (!window || ::GetAncestor(window, GA_ROOT) != window) return;
    WatchForegroundProcess();
  }
  if (Changed) Changed();
}

std::optional<TForegroundWindow> TFullScreenWatcher::ForegroundWindow() {
  const HWND window = ::GetForegroundWindow();
  if (!window) return std::nullopt;
  TForegroundWindow foreground;
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  foreground.Bounds = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process == ::GetCurrentProcessId()) {
    foreground.Kind = TForegroundKind::fkOwn;
  } else if (IsShellWindow(window)) {
    foreground.Kind = TForegroundKind::fkShell;
  }
  foreground.Visible = ::IsWindowVisible(window) != FALSE;
  foreground.Minimized = ::IsIconic(window) != FALSE;
  const auto style = ::GetWindowLongPtrW(window, GWL_STYLE);
  foreground.MaximizedWithCaption = ::IsZoomed(window) && (style & WS_CAPTION) == WS_CAPTION;
  return foreground;
}

TNotificationState TFullScreenWatcher::NotificationState() {
  using TQuery = HRESULT(WINAPI*)(int*);
  static const auto query = reinterpret_cast<TQuery>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"shell32.dll"), "SHQueryUserNotificationState")));
  int state = 0;
  if (!query || FAILED(query(&state))) return TNotificationState::nsOther;
  constexpr int kRunningD3DFullScreen = 3, kPresentationMode = 4;  // QUERY_USER_NOTIFICATION_STATE
  if (state == kRunningD3DFullScreen) return TNotificationState::nsD3DFullScreen;
  if (state == kPresentationMode) return TNotificationState::nsPresentation;
  return TNotificationState::nsOther;
}

std::vector<bool> TFullScreenWatcher::Covered(const std::vector<TRect>& monitors) {
  return CoveredMonitors(ForegroundWindow(), monitors, NotificationState());
}

}  // namespace tdialix
