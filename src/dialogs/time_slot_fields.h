// The time-slot dialog "時間帯の設定" without its window: the rows the style
// editor lists, the rule for its OK, and its layout.
#pragma once

#include <string>
#include <vector>

#include "base/date_format.h"
#include "base/geometry.h"
#include "components/form_layout.h"
#include "style/style.h"

namespace tdialix {

// One row of the style editor's list of time slots, grouped by day type.
struct TTimeSlotRow {
  TVisibleTimeSlot Slot;
  std::wstring StartText;  // "開始時間", the locale's time format
  std::wstring EndText;    // "終了時間"
  bool operator==(const TTimeSlotRow&) const = default;
};
TTimeSlotRow TimeSlotRow(const TVisibleTimeSlot& slot, const TFormatSettings& formats);
// The rows in display order: by day type, then start, then end (to the
// second); equal rows keep their order.
std::vector<TTimeSlotRow> TimeSlotRows(const std::vector<TVisibleTimeSlot>& slots, const TFormatSettings& formats);

// "OK" needs an end later than the start (times of day, to the second).
bool CanConfirmTimeSlot(TDateTime start, TDateTime end);

// The form's size and each control's place, in pixels at 96 dpi, in tab order.
struct TTimeSlotLayout {
  TSize ClientSize;
  TControlSpec DayTypeLabel, DayTypeCombo;
  TControlSpec StartLabel, StartPicker;
  TControlSpec EndLabel, EndPicker;
  TControlSpec OKButton, CancelButton;
};
TTimeSlotLayout TimeSlotLayout();

}  // namespace tdialix
