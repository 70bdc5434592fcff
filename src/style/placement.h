// Where the clock stands on the monitor with the same index.
#pragma once

namespace tdialix {

// The clock window's left and top edge as per cent of the monitor's width and
// height, and whether a clock is shown there at all. Records outlive their
// monitors, so that a monitor that comes back gets its old place. They are
// stored with the style.
struct TPlacement {
  float X = 1.0f;
  float Y = 3.0f;
  bool Shown = true;
  bool operator==(const TPlacement&) const = default;
};

}  // namespace tdialix
