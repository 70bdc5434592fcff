// Monitors, the clock placement kept for each monitor index, and what a change
// of the display layout does to both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "style/placement.h"

namespace tdialix {

// One display device listed for a monitor, as the system reports it.
struct TDisplayDeviceInfo {
  std::wstring Description;
  bool Active = false;
};

// "(n) description", the description being that of the last active device of
// the monitor (of the first device when none is active), with " (主モニター)"
// after the primary monitor's name.
std::wstring MonitorName(int oneBasedNumber, const std::vector<TDisplayDeviceInfo>& devices, bool primary);

struct TMonitorRecord {
  std::uintptr_t Handle = 0;
  int Number = 0;  // index in the list when it was built
  TRect Bounds;    // the whole monitor area
  std::wstring Name;
  bool Primary = false;
};

// Appends a new record (1.0, 3.0, shown) for every monitor index that has none.
void EnsurePlacements(std::vector<TPlacement>& placements, std::size_t monitorCount);

// The clock window's top-left corner for a monitor and its record.
TPoint ClockOrigin(const TRect& monitor, const TPlacement& placement);

// One item of the monitor submenu.
struct TMonitorMenuItem {
  std::wstring Caption;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = false;
  bool operator==(const TMonitorMenuItem&) const = default;
};

// The submenu shows only with more than one monitor. An item is ticked when
// its monitor shows a clock; the last ticked item cannot be unticked.
bool MonitorSubmenuVisible(std::size_t monitorCount);
std::vector<TMonitorMenuItem> MonitorMenuItems(const std::vector<TMonitorRecord>& monitors,
                                               const std::vector<TPlacement>& placements);

// The monitor item k was clicked: monitor k's clock is shown or hidden,
// unless it is the last one shown. False when nothing changed. The items'
// ticks and enabled states then follow MonitorMenuItems, so the last shown
// monitor stays ticked and disabled however many monitors there are. The next
// tick shows or hides the clock windows.
bool ToggleMonitor(std::vector<TPlacement>& placements, std::size_t monitorCount, std::size_t k);

// The toggle's rule that one clock stays shown, for records that come from a
// style or outlived other monitors: when no present monitor's record says
// shown, the primary monitor's does (the first monitor's when none is marked
// primary). True when a record changed. Records of absent monitors stay.
bool KeepOneClockShown(std::vector<TPlacement>& placements, const std::vector<TMonitorRecord>& monitors);

}  // namespace tdialix
