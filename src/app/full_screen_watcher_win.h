// Watches the foreground window for full-screen programs. It is driven by
// the system's window events (the foreground changes, a window of the
// foreground program moves, is minimised, hidden or destroyed), so an idle
// desktop costs nothing; between events it keeps no timer.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "app/full_screen.h"
#include "base/geometry.h"

namespace tdialix {

class TFullScreenWatcher {
 public:
  // changed runs on this thread whenever the foreground window or its place
  // may have changed; it asks Covered what that means.
  explicit TFullScreenWatcher(std::function<void()> changed);
  ~TFullScreenWatcher();
  TFullScreenWatcher(const TFullScreenWatcher&) = delete;
  TFullScreenWatcher& operator=(const TFullScreenWatcher&) = delete;

  // Whether the system's window events reach the watcher.
  bool Watching() const { return ForegroundHook != nullptr; }

  // For a system that accepts the hooks but sends no window events to other
  // programs (Wine 8 sends none): until the first event arrives, the tick
  // asks here whether the foreground window or its place changed. A window
  // handle and its rectangle, compared; nothing more.
  void CheckWithoutEvents();

  // The monitors a full-screen program covers now.
  static std::vector<bool> Covered(const std::vector<TRect>& monitors);
  // The foreground window as the rule sees it; none when there is none.
  static std::optional<TForegroundWindow> ForegroundWindow();
  // What the shell says of the user's state (Windows Vista on).
  static TNotificationState NotificationState();

 private:
  static void CALLBACK WinEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                                DWORD time);
  void Event(DWORD event, HWND window, LONG object, LONG child);
  // Follows the foreground program: its windows' moves, hiding and ends.
  void WatchForegroundProcess();
  void Unhook(HWINEVENTHOOK& hook);

  std::function<void()> Changed;
  HWINEVENTHOOK ForegroundHook = nullptr;
  HWINEVENTHOOK MinimizeHook = nullptr;
  HWINEVENTHOOK EndHook = nullptr;       // hidden or destroyed windows of the foreground program
  HWINEVENTHOOK LocationHook = nullptr;  // moved windows of the foreground program
  DWORD WatchedProcess = 0;
  bool EventsArrive = false;
  HWND LastForeground = nullptr;
  RECT LastBounds{};
};

}  // namespace tdialix
