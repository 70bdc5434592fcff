#include "dialogs/time_slot_fields.h"

#include <algorithm>

#include "base/date_time.h"
#include "base/messages.h"

namespace tdialix {

TTimeSlotRow TimeSlotRow(const TVisibleTimeSlot& slot, const TFormatSettings& formats) {
  return {slot, FormatTimeText(TimeOf(slot.StartTime), formats), FormatTimeText(TimeOf(slot.EndTime), formats)};
}

std::vector<TTimeSlotRow> TimeSlotRows(const std::vector<TVisibleTimeSlot>& slots, const TFormatSettings& formats) {
  std::vector<TTimeSlotRow> rows;
  rows.reserve(slots.size());
  for (const TVisibleTimeSlot& slot : slots) rows.push_back(TimeSlotRow(slot, formats));
  std::stable_sort(rows.begin(), rows.end(), [](const TTimeSlotRow& a, const TTimeSlotRow& b) {
    if (a.Slot.DayType != b.Slot.DayType) return a.Slot.DayType < b.Slot.DayType;
    if (SecondOfDay(a.Slot.StartTime) != SecondOfDay(b.Slot.StartTime)) {
      return SecondOfDay(a.Slot.StartTime) < SecondOfDay(b.Slot.StartTime);
    }
    return SecondOfDay(a.Slot.EndTime) < SecondOfDay(b.Slot.EndTime);
  });
  return rows;
}

bool CanConfirmTimeSlot(TDateTime start, TDateTime end) { return SecondOfDay(end) > SecondOfDay(start); }

TTimeSlotLayout TimeSlotLayout() {
  TTimeSlotLayout l;
  l.ClientSize = {252, 148};
  l.DayTypeLabel = {12, 16, 76, 15, MessageString(TMsg::DayTypeLabel)};
  l.DayTypeCombo = {92, 12, 120, 23};
  l.StartLabel = {12, 48, 76, 15, MessageString(TMsg::TimeSlotStartLabel)};
  l.StartPicker = {92, 44, 100, 23};
  l.EndLabel = {12, 80, 76, 15, MessageString(TMsg::TimeSlotEndLabel)};
  l.EndPicker = {92, 76, 100, 23};
  l.OKButton = {84, 112, 75, 25, L"OK"};
  l.CancelButton = {165, 112, 75, 25, MessageString(TMsg::CancelButton)};
  return l;
}

}  // namespace tdialix
