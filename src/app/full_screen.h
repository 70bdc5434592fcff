// Whether a full-screen program covers a monitor, and how a covered
// monitor's clock fades out of its way and back.
#pragma once

#include <optional>
#include <vector>

#include "base/date_time.h"
#include "base/geometry.h"

namespace tdialix {

// What the foreground window is to the rule.
enum class TForegroundKind {
  fkOrdinary,  // another program's window
  fkShell,     // the shell's desktop or its taskbar: never full screen
  fkOwn,       // one of this program's windows
};

// The foreground window as the system reports it.
struct TForegroundWindow {
  TRect Bounds;  // its window rectangle on the screen
  TForegroundKind Kind = TForegroundKind::fkOrdinary;
  bool Visible = true;
  bool Minimized = false;
  // Maximised with a title bar: a window that only fills the work area. With
  // a taskbar that hides itself its borders reach past the monitor's edges,
  // yet it is no full-screen program.
  bool MaximizedWithCaption = false;
};

// What the shell says about the user's state.
enum class TNotificationState {
  nsOther,            // nothing that matters here
  nsD3DFullScreen,    // a full-screen Direct3D program runs
  nsPresentation,     // presentation settings are on
};

// One flag per monitor: true where a full-screen program covers it. A
// monitor is covered when the foreground window's rectangle holds the whole
// of it; a full-screen Direct3D program covers the monitor that holds most of
// its window, and presentation settings cover every monitor.
std::vector<bool> CoveredMonitors(const std::optional<TForegroundWindow>& foreground,
                                  const std::vector<TRect>& monitors, TNotificationState state);

// The fade of one monitor's clock in and out of a full-screen program's way.
// It takes the same ease-in, ease-out ramp of 250 ms as the fade between
// visible and hidden, or jumps at once when the style does not fade.
struct TCoverFade {
  bool Covered = false;
  int Alpha = 255;                   // 0 ... 255: 0 is out of the way
  TDateTime Since = MinDateTime;     // start of the running ramp
};

struct TCoverStep {
  int Alpha = 255;
  bool Moving = false;  // the opacity changed or is changing: the clock is drawn again
  bool Gone = false;    // fully out of the way: the window is hidden
  bool operator==(const TCoverStep&) const = default;
};

// The fade's opacity at this time. A change of Covered during a ramp turns
// it around from the opacity reached, without a jump.
TCoverStep CoverFadeStep(TCoverFade& fade, bool covered, TDateTime now, bool fadeSwitching);

}  // namespace tdialix
