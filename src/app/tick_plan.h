// When the next tick is due. The clock needs a tick every interval only while
// something on the screen moves; otherwise nothing can change before the next
// moment the picture or one of the rules changes, and the tick sleeps until then.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/date_format.h"
#include "base/date_time.h"
#include "base/types.h"
#include "calendar/style_change.h"
#include "style/style.h"

namespace tdialix {

// What moves now: each of these needs a frame, or a look at the pointer,
// every tick interval.
struct TTickMotion {
  bool CellsChanging = false;   // a digit change or a colon's fade runs in a clock
  bool SwitchFading = false;    // the clocks fade in or out as they are shown or hidden
  bool HideFading = false;      // a clock fades under or away from the pointer
  bool PointerFollowed = false; // a hole follows the pointer, or the pointer's leaving is watched
  bool TempVisible = false;     // the clocks are shown for a moment
  bool Dragging = false;        // the user drags a clock
  bool CoverFading = false;     // a clock fades out of a full-screen program's way, or back
  // The last tick was an initialising one, without the look-ahead and with
  // every colon lit: the next one may show another string at once.
  bool Initialized = false;
  bool Any() const {
    return CellsChanging || SwitchFading || HideFading || PointerFollowed || TempVisible || Dragging || CoverFading ||
           Initialized;
  }
};

// The longest the tick sleeps, whatever the display: to the next whole
// minute, so that a tooltip or icon hint with minutes changes on time even
// when the clock shows hours only.
inline constexpr std::int64_t kMaxTickSleep = 60'000;

struct TTickPlanInput {
  TDateTime Now = 0;          // the displayed time the plan is made at
  unsigned Interval = 32;     // the tick interval in milliseconds (power saving included)
  TDateTime GridOrigin = 0;   // when the timer started: it ticks at whole intervals from then
  TTickMotion Motion;
  const TStyle* Style = nullptr;
  unsigned DisplayBits = 32;
  bool EverySecond = false;   // plug-ins, or a tooltip or icon hint that shows seconds
  bool VisibilityDue = false; // the clocks show or hide at the next second of the digits
  // The visible time slots and the automatic style changes (none: not looked at).
  const std::vector<TVisibleTimeSlot>* Slots = nullptr;
  const std::vector<TChangeTime>* Changes = nullptr;
  std::int64_t MaxSleep = kMaxTickSleep;
};

struct TTickPlan {
  bool EveryInterval = false;  // something moves: a tick every interval
  TDateTime Due = 0;           // the next tick
  std::int64_t DelayMs = 0;    // from Now to Due, at least 1
};

// The next tick: the next interval while something moves, otherwise the
// first moment the display string, the colon, a visible time slot, an
// automatic style change, the day or the per-second work can change. Every
// tick is one a timer firing every interval from GridOrigin would give: the
// clock only leaves out the ticks that would have changed nothing, and shows
// each change at the very tick such a timer would.
TTickPlan PlanNextTick(const TTickPlanInput& input);

// Whether a date and time format shows the seconds: its text differs within a minute.
bool FormatShowsSeconds(std::wstring_view format, const TFormatSettings& formats);

}  // namespace tdialix
