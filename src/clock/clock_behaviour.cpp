#include "clock/clock_behaviour.h"

#include "base/scale.h"

namespace tdialix {

TClockCursor ClockCursor(bool locked, bool buttonDown) {
  if (locked) return buttonDown ? TClockCursor::ccNo : TClockCursor::ccArrow;
  return buttonDown ? TClockCursor::ccSizeAll : TClockCursor::ccHandPoint;
}

unsigned FilterShowHide(unsigned flags, bool ownRequest, bool enableOtherwiseShowWindow) {
  if (enableOtherwiseShowWindow || ownRequest) return flags;
  if (flags & kShowWindowFlag) return flags & ~kShowWindowFlag;
  return flags & ~kHideWindowFlag;
}

TClockZOrder ClockZOrder(TZOrderMode mode) {
  switch (mode) {
    case zmTop:
    case zmTopMost:
      return TClockZOrder::czTopMost;
    case zmBottom:
      return TClockZOrder::czBottom;
    default:
      return TClockZOrder::czKeep;
  }
}

bool ForeignWindowAboveClock(const std::vector<TZOrderWindow>& fromTop) {
  bool foreignAbove = false;
  for (const TZOrderWindow& window : fromTop) {
    if (!window.Visible) continue;
    if (!window.Own) foreignAbove = true;
    else if (window.Clock && foreignAbove) return true;
  }
  return false;
}

TDragPlacement DragPlacement(const TRect& monitor, TPoint requested) {
  TDragPlacement placement;
  const int width = monitor.Width();
  const int height = monitor.Height();
  const double px = width != 0 ? static_cast<double>(requested.X - monitor.Left) / width * 100 : 0;
  const double py = height != 0 ? static_cast<double>(requested.Y - monitor.Top) / height * 100 : 0;
  placement.X = static_cast<float>(px);
  placement.Y = static_cast<float>(py);
  placement.Position = {monitor.Left + ScaleRound(px, 100, width), monitor.Top + ScaleRound(py, 100, height)};
  return placement;
}

TPoint TooltipPosition(const TRect& window, const TRect& visible, const TRect& border, int monitorBottom) {
  const int x = window.Left + visible.Left - border.Left +
                (visible.Right + 2 * border.Left + border.Right - visible.Left) / 2;
  const int y = window.Bottom < monitorBottom ? window.Bottom : window.Top;
  return {x, y};
}

}  // namespace tdialix
