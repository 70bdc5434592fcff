// TDialixHoliday: the dialog "休日の設定" that edits one holiday rule, opened
// by the settings dialog's add and change buttons.
#pragma once

#include <windows.h>

#include "calendar/holidays.h"
#include "components/form_win.h"
#include "components/spin_edit_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/holiday_fields.h"

namespace tdialix {

class TDialixHoliday : public TWRForm {
 public:
  // The dialog starts with the rule's values.
  TDialixHoliday(HWND owner, const THoliday& rule);

  // What the controls hold now, and the rule OK gives from them.
  THolidayFields Fields() const;
  THoliday Rule() const { return HolidayFromFields(Before, Fields()); }
  // The rule as OK confirmed it (the controls are gone once the dialog closed).
  const THoliday& Confirmed() const noexcept { return FConfirmed; }

  TWRLabel TypeLabel;
  TWRComboBox TypeCombo;
  TWRLabel KindLabel;
  TWRComboBox KindCombo;
  TWRLabel DateLabel;
  TWRSpinEdit MonthSpin;
  TWRLabel MonthLabel;
  TWRSpinEdit DaySpin;
  TWRLabel DayLabel;
  TWRLabel NthLabel;
  TWRSpinEdit NthSpin;
  TWRComboBox WeekdayCombo;
  TWRComboBox EquinoxCombo;
  TWRCheckBox TransferCheck;
  TWRLabel NameLabel;
  TWREdit NameEdit;
  TWRButton OKButton;
  TWRButton CancelButton;

 protected:
  void FormCreate() override;

 private:
  // Shows and enables the day controls of the chosen kind only.
  void KindComboChange();

  THoliday Before;
  THoliday FConfirmed;
};

// Edits a rule in the dialog, owned by the window: when adding, it starts
// from a new rule. On OK the rule takes the dialog's values and the result is
// true; Cancel leaves the rule as it was.
bool EditHoliday(HWND owner, THoliday& rule, bool adding);

}  // namespace tdialix
