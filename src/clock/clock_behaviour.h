// How a clock window answers the user and other programs: its cursor, which
// show, hide and z-order requests it lets through, where a drag puts it, and
// where its tooltip stands.
#pragma once

#include <vector>

#include "base/geometry.h"
#include "base/types.h"

namespace tdialix {

enum class TClockCursor { ccHandPoint, ccSizeAll, ccArrow, ccNo };

// Hand when it can be dragged, size-all while the button drags it; with the
// clock locked an arrow, and "no" while the button is down.
TClockCursor ClockCursor(bool locked, bool buttonDown);

// The show and hide flags of a position request, as the platform numbers them.
inline constexpr unsigned kShowWindowFlag = 0x0040;
inline constexpr unsigned kHideWindowFlag = 0x0080;

// A request's flags with other programs' show or hide taken out, unless they
// may show and hide the clock or the program itself asked.
unsigned FilterShowHide(unsigned flags, bool ownRequest, bool enableOtherwiseShowWindow);

enum class TClockZOrder { czKeep, czTopMost, czBottom };

// Where a z-order change puts the clock: on top of everything for the two
// top modes, at the bottom for the bottom mode, as asked otherwise.
TClockZOrder ClockZOrder(TZOrderMode mode);

// A top-level window as a walk down the z-order from the top finds it.
struct TZOrderWindow {
  bool Own = false;      // a window of this program: a clock, the tooltip, a menu, a dialog
  bool Clock = false;    // one of the clock windows
  bool Visible = false;
};

// Whether "always on top" has to put the clocks back on top: a visible window
// of another program stands above a visible clock. The program's own windows
// never count, so the date tooltip stays above its clock.
bool ForeignWindowAboveClock(const std::vector<TZOrderWindow>& fromTop);

// A dragged clock's position: the requested one as per cent of the monitor,
// and the position that per-cent value stands for (steps of one ten-thousandth).
struct TDragPlacement {
  TPoint Position;
  float X = 0;
  float Y = 0;
};
TDragPlacement DragPlacement(const TRect& monitor, TPoint requested);

// The tooltip's anchor: below the middle of the drawn clock, or above it when
// the clock reaches the monitor's bottom.
TPoint TooltipPosition(const TRect& window, const TRect& visible, const TRect& border, int monitorBottom);

}  // namespace tdialix
