// TDialixTimeSlot: the dialog "時間帯の設定" that edits one visible time slot
// of a style, opened by the style editor's add and change buttons.
#pragma once

#include <windows.h>

#include "components/common_controls_win.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/time_slot_fields.h"
#include "style/style.h"

namespace tdialix {

// A time of day as the time pickers hold it (on an arbitrary date), and back.
SYSTEMTIME PickerTime(TDateTime timeOfDay);
TDateTime PickerTimeOfDay(const SYSTEMTIME& time);

class TDialixTimeSlot : public TWRForm {
 public:
  // The dialog starts with the slot's values.
  TDialixTimeSlot(HWND owner, const TVisibleTimeSlot& slot);

  // The slot the controls make now.
  TVisibleTimeSlot Slot() const;
  // The slot as OK confirmed it (the controls are gone once the dialog closed).
  const TVisibleTimeSlot& Confirmed() const noexcept { return FConfirmed; }

  TWRLabel DayTypeLabel;
  TWRComboBox DayTypeCombo;
  TWRLabel StartLabel;
  TWRDateTimePicker StartPicker;
  TWRLabel EndLabel;
  TWRDateTimePicker EndPicker;
  TWRButton OKButton;
  TWRButton CancelButton;

 protected:
  void FormCreate() override;

 private:
  void UpdateOK();

  TVisibleTimeSlot Before;
  TVisibleTimeSlot FConfirmed;
};

// The style editor's way in: edits a slot in the dialog, owned by the window.
// When adding, it starts from a weekday slot 0:00:00 to 0:00:00, which OK
// cannot confirm until the end is later than the start. On OK the slot takes
// the dialog's values and the result is true; Cancel leaves it as it was.
bool EditTimeSlot(HWND owner, TVisibleTimeSlot& slot, bool adding);

}  // namespace tdialix
