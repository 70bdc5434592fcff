#include "dialogs/time_slot_win.h"

#include <algorithm>

#include "base/date_time.h"
#include "base/messages.h"
#include "dialogs/auto_style_fields.h"

namespace tdialix {

namespace {

constexpr int kTimeSlotHelpContext = 28;

}  // namespace

SYSTEMTIME PickerTime(TDateTime timeOfDay) {
  const int second = SplitDateTime(TimeOf(timeOfDay)).MilliSeconds / 1000;
  SYSTEMTIME t{};
  // The pickers show times of a date: any will do, the first day of 2000.
  t.wYear = 2000;
  t.wMonth = 1;
  t.wDay = 1;
  t.wDayOfWeek = 6;
  t.wHour = static_cast<WORD>(second / 3600);
  t.wMinute = static_cast<WORD>(second / 60 % 60);
  t.wSecond = static_cast<WORD>(second % 60);
  return t;
}

TDateTime PickerTimeOfDay(const SYSTEMTIME& t) {
  return (t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond) / 86400.0;
}

TDialixTimeSlot::TDialixTimeSlot(HWND owner, const TVisibleTimeSlot& slot)
    : TWRForm(L"TDialixTimeSlot"), Before(slot), FConfirmed(slot) {
  const TTimeSlotLayout layout = TimeSlotLayout();
  Owner = owner;
  Caption = MessageString(TMsg::TimeSlotCaption);
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poOwnerFormCenter;
  HelpContext = kTimeSlotHelpContext;

  DayTypeCombo.Items = DayTypeCaptions();
  StartPicker.Kind = TWRDateTimePicker::TDateTimeKind::dtkTime;
  StartPicker.OnChange = [this] { UpdateOK(); };
  EndPicker.Kind = TWRDateTimePicker::TDateTimeKind::dtkTime;
  EndPicker.OnChange = [this] { UpdateOK(); };
  OKButton.Default = true;
  OKButton.ModalResult = mrOk;
  OKButton.OnClick = [this] { FConfirmed = Slot(); };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;

  Layout({{DayTypeLabel, layout.DayTypeLabel},
          {DayTypeCombo, layout.DayTypeCombo},
          {StartLabel, layout.StartLabel},
          {StartPicker, layout.StartPicker},
          {EndLabel, layout.EndLabel},
          {EndPicker, layout.EndPicker},
          {OKButton, layout.OKButton, nullptr, IDOK},
          {CancelButton, layout.CancelButton, nullptr, IDCANCEL}});
}

void TDialixTimeSlot::FormCreate() {
  DayTypeCombo.SetItemIndex(std::clamp(static_cast<int>(Before.DayType), 0, 3));
  StartPicker.SetDateTime(PickerTime(Before.StartTime));
  EndPicker.SetDateTime(PickerTime(Before.EndTime));
  UpdateOK();
}

TVisibleTimeSlot TDialixTimeSlot::Slot() const {
  TVisibleTimeSlot slot;
  const int dayType = DayTypeCombo.ItemIndex();
  slot.DayType = dayType >= dtWeekDay && dayType <= dtSunday ? static_cast<TDayType>(dayType) : dtWeekDay;
  slot.StartTime = PickerTimeOfDay(StartPicker.DateTime());
  slot.EndTime = PickerTimeOfDay(EndPicker.DateTime());
  return slot;
}

void TDialixTimeSlot::UpdateOK() {
  const TVisibleTimeSlot slot = Slot();
  OKButton.SetEnabled(CanConfirmTimeSlot(slot.StartTime, slot.EndTime));
}

bool EditTimeSlot(HWND owner, TVisibleTimeSlot& slot, bool adding) {
  TDialixTimeSlot dialog(owner, adding ? TVisibleTimeSlot{} : slot);
  if (dialog.ShowModal() != mrOk) return false;
  slot = dialog.Confirmed();
  return true;
}

}  // namespace tdialix
