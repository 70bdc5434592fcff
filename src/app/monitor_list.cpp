#include "app/monitor_list.h"

#include "base/messages.h"
#include "base/scale.h"

namespace tdialix {

std::wstring MonitorName(int oneBasedNumber, const std::vector<TDisplayDeviceInfo>& devices, bool primary) {
  std::wstring description;
  if (!devices.empty()) description = devices.front().Description;
  for (const TDisplayDeviceInfo& device : devices) {
    if (device.Active) description = device.Description;
  }
  std::wstring name =
      FormatText(MessageText(TMsg::MonitorName), {std::int64_t{oneBasedNumber}, std::move(description)});
  if (primary) name += MessageText(TMsg::PrimaryMonitorSuffix);
  return name;
}

void EnsurePlacements(std::vector<TPlacement>& placements, std::size_t monitorCount) {
  if (placements.size() < monitorCount) placements.resize(monitorCount);
}

TPoint ClockOrigin(const TRect& monitor, const TPlacement& placement) {
  return {monitor.Left + ScaleRound(placement.X, 100, monitor.Width()),
          monitor.Top + ScaleRound(placement.Y, 100, monitor.Height())};
}

bool MonitorSubmenuVisible(std::size_t monitorCount) { return monitorCount > 1; }

std::vector<TMonitorMenuItem> MonitorMenuItems(const std::vector<TMonitorRecord>& monitors,
                                               const std::vector<TPlacement>& placements) {
  auto shown = [&](std::size_t i) { return i >= placements.size() || placements[i].Shown; };
  std::size_t shownCount = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) shownCount += shown(i) ? 1 : 0;

  std::vector<TMonitorMenuItem> items;
  items.reserve(monitors.size());
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    TMonitorMenuItem item;
    item.Caption = monitors[i].Name;
    item.Checked = shown(i);
    item.Enabled = !(item.Checked && shownCount < 2);
    item.Visible = MonitorSubmenuVisible(monitors.size());
    items.push_back(std::move(item));
  }
  return items;
}

bool ToggleMonitor(std::vector<TPlacement>& placements, std::size_t monitorCount, std::size_t k) {
  if (k >= monitorCount) return false;
  EnsurePlacements(placements, monitorCount);
  std::size_t shownCount = 0;
  for (std::size_t i = 0; i < monitorCount; ++i) shownCount += placements[i].Shown ? 1 : 0;
  if (placements[k].Shown && shownCount < 2) return false;
  placements[k].Shown = !placements[k].Shown;
  return true;
}

bool KeepOneClockShown(std::vector<TPlacement>& placements, const std::vector<TMonitorRecord>& monitors) {
  if (monitors.empty()) return false;
  EnsurePlacements(placements, monitors.size());
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (placements[i].Shown) return false;
  }
  std::size_t primary = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    if (monitors[i].Primary) {
      primary = i;
      break;
    }
  }
  placements[primary].Shown = true;
  return true;
}

}  // namespace tdialix
