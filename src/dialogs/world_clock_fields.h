// The world-clock dialog "世界時計" without its window: its layout, the values
// its controls start with, which controls each mode shows, and the record its
// controls make.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "calendar/world_clock.h"
#include "components/form_layout.h"

namespace tdialix {

// What the controls hold.
struct TWorldClockFields {
  int Mode = 0;         // "指定方法:": 地域を指定 (a zone), 時間を指定 (a shift)
  int Zone = -1;        // the zone list's index; -1: none
  TDateTime Time = 0;   // the picker's time of day, the shift's magnitude
  bool Delay = false;   // "遅らせる" rather than "進める"
  bool operator==(const TWorldClockFields&) const = default;
};

// The zone selected when the dialog opens: the record's zone, else the
// local zone (by its standard name), else the first; -1 without any.
int InitialZone(const std::vector<TTimeZone>& zones, std::wstring_view recordName, std::wstring_view localName);

// The controls' values for a record.
TWorldClockFields WorldClockFields(const TWorldClock& record, const std::vector<TTimeZone>& zones,
                                   std::wstring_view localName);

// The record the controls make, at every change: a zone gives its standard
// offset, a shift the picker's time forward or back; the selected zone's name
// is kept in either mode.
TWorldClock WorldClockFromFields(const TWorldClockFields& fields, const std::vector<TTimeZone>& zones);

// The zone's standard offset as the record keeps it: the fraction of a day of
// its bias, negative (back) for zones west of UTC.
TDateTime ZoneOffset(int bias);

// Which controls a mode shows: the zone, its label and its display name, or
// the time and the two directions.
struct TWorldClockModeControls {
  bool Zone = false;
  bool Time = false;
  bool operator==(const TWorldClockModeControls&) const = default;
};
TWorldClockModeControls WorldClockModeControls(int mode);

// The form's size and each control's place, in pixels at 96 dpi, in tab order.
struct TWorldClockLayout {
  TSize ClientSize;
  TControlSpec ModeLabel, ModeCombo;
  TControlSpec ZoneLabel, ZoneCombo, ZoneDisplayLabel;
  TControlSpec TimeLabel, TimePicker, ForwardRadio, BackRadio;
  TControlSpec OKButton, CancelButton;
};
TWorldClockLayout WorldClockLayout();

}  // namespace tdialix
