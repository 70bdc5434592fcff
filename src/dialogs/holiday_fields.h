// The holiday rule dialog "休日の設定" without its window: its layout, the
// values its controls start with, which controls each kind of rule shows, and
// the rule its OK gives.
#pragma once

#include <string>

#include "base/geometry.h"
#include "calendar/holidays.h"
#include "components/form_layout.h"

namespace tdialix {

// What the controls hold. Indices are those of the combo boxes.
struct THolidayFields {
  int Type = 0;       // "種類:": 公休, 私休
  int Kind = 0;       // "指定:": 日付で指定, 曜日で指定, 春分・秋分
  int Month = 1;      // 1 ... 12
  int Day = 1;        // date mode: 1 ... 31
  int Nth = 1;        // weekday mode: 1 ... 5
  int Weekday = 0;    // weekday mode: 日曜日 ... 土曜日
  int Equinox = 0;    // equinox mode: 春分の日 (March), 秋分の日 (September)
  bool Transfer = false;
  std::wstring Name;
  bool operator==(const THolidayFields&) const = default;
};

// The rule a new holiday starts from: a date rule whose occurrence is 0.
THoliday NewHolidayRule();

// The controls' values for a rule; numbers outside a control's range start at
// its nearest end, the controls of the other kinds at their first values.
THolidayFields HolidayFields(const THoliday& rule);

// The rule OK gives: type, kind and the kind's own fields from the controls;
// a date rule keeps the occurrence it had, an equinox its occurrence and day.
THoliday HolidayFromFields(const THoliday& before, const THolidayFields& fields);

// Which of the day controls a kind shows (the others are hidden and disabled).
struct THolidayKindControls {
  bool Month = false;    // the month spin and "月"
  bool Date = false;     // the day spin and "日"
  bool Weekday = false;  // "第", the occurrence spin and the weekday combo
  bool Equinox = false;  // the equinox combo
  bool operator==(const THolidayKindControls&) const = default;
};
THolidayKindControls HolidayKindControls(int kind);

// The form's size and each control's place, in pixels at 96 dpi, in tab order.
struct THolidayLayout {
  TSize ClientSize;
  TControlSpec TypeLabel, TypeCombo;
  TControlSpec KindLabel, KindCombo;
  TControlSpec DateLabel, MonthSpin, MonthLabel;
  TControlSpec DaySpin, DayLabel;
  TControlSpec NthLabel, NthSpin, WeekdayCombo;
  TControlSpec EquinoxCombo;
  TControlSpec TransferCheck;
  TControlSpec NameLabel, NameEdit;
  TControlSpec OKButton, CancelButton;
};
THolidayLayout HolidayLayout();

}  // namespace tdialix
