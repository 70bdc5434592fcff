// Rules of the plug-in calls and of the two functions the program exports to
// plug-ins, apart from the platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tdialix {

// "PLUGIN_TICK" for 100; "PLUGIN_CALL 7" for a number that names no call.
std::wstring PluginCallName(std::int32_t call);

// What VisibleClock does to one clock window.
enum class TVisibleClockAction { vaNone, vaShow, vaHide };

struct TVisibleClockState {
  bool WindowVisible = false;
  bool ShownOnMonitor = true;  // the clock's monitor is marked shown
};

// Showing shows each hidden clock whose monitor is marked shown; hiding
// hides each visible clock.
std::vector<TVisibleClockAction> VisibleClockActions(bool show, const std::vector<TVisibleClockState>& clocks);

// The balloon's standard icon by ShowPluginNotify's Flags (the message box
// icon values): 16 error, 48 warning, 64 information, anything else none.
enum class TNotifyIconKind { nkNone, nkInformation, nkWarning, nkError };
TNotifyIconKind NotifyIconKind(std::int32_t flags);

}  // namespace tdialix
