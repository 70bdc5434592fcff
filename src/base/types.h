// Enumerations shared by several subsystems; their values are stored in the
// settings and style files and passed to plug-ins, so the numbers are fixed.
#pragma once

#include <cstdint>

namespace tdialix {

// A colour: 0x00BBGGRR for an RGB value, 0xFF000000 plus the index for a
// system colour, and the two special values of the colour box.
using TColor = std::int32_t;

// The kind of a day, for schedules and the plug-ins' tick.
enum TDayType : int { dtWeekDay = 0, dtHoliday = 1, dtSaturday = 2, dtSunday = 3 };

// What the clock does when the mouse comes near.
enum THideType : int { htNone = 0, htHide = 1, htHole = 2, htTransparent = 3 };

// Where the clock windows stand in the z-order.
enum TZOrderMode : int { zmNormal = 0, zmTop = 1, zmTopMost = 2, zmBottom = 3 };

}  // namespace tdialix
