#include "dialogs/holiday_fields.h"

#include <algorithm>

#include "base/messages.h"

namespace tdialix {

namespace {

constexpr int kEquinoxMonths[] = {3, 9};

}  // namespace

THoliday NewHolidayRule() {
  THoliday rule;
  rule.NthDayOfWeek = 0;
  return rule;
}

THolidayFields HolidayFields(const THoliday& rule) {
  THolidayFields f;
  f.Type = rule.HolidayType == htPrivate ? 1 : 0;
  f.Kind = std::clamp(static_cast<int>(rule.Specification), 0, 2);
  f.Month = std::clamp(rule.Month, 1, 12);
  f.Transfer = rule.Transfer;
  f.Name = rule.Name;
  switch (rule.Specification) {
    case hsDate:
      f.Day = std::clamp(rule.Day, 1, 31);
      break;
    case hsDayOfWeek:
      f.Nth = std::clamp(rule.NthDayOfWeek, 1, 5);
      f.Weekday = std::clamp(rule.Day, 0, 6);
      break;
    case hsEquinox:
      f.Equinox = rule.Month == 9 ? 1 : 0;
      break;
  }
  return f;
}

THoliday HolidayFromFields(const THoliday& before, const THolidayFields& f) {
  THoliday rule = before;
  rule.HolidayType = f.Type == 1 ? htPrivate : htPublic;
  rule.Specification = f.Kind == 1 ? hsDayOfWeek : f.Kind == 2 ? hsEquinox : hsDate;
  switch (rule.Specification) {
    case hsDate:
      rule.Month = f.Month;
      rule.Day = f.Day;
      break;
    case hsDayOfWeek:
      rule.Month = f.Month;
      rule.NthDayOfWeek = f.Nth;
      rule.Day = f.Weekday;
      break;
    case hsEquinox:
      rule.Month = kEquinoxMonths[std::clamp(f.Equinox, 0, 1)];
      break;
  }
  rule.Transfer = f.Transfer;
  rule.Name = f.Name;
  return rule;
}

THolidayKindControls HolidayKindControls(int kind) {
  switch (kind) {
    case 1:
      return {true, false, true, false};
    case 2:
      return {false, false, false, true};
    default:
      return {true, true, false, false};
  }
}

THolidayLayout HolidayLayout() {
  THolidayLayout l;
  l.ClientSize = {312, 196};
  l.TypeLabel = {12, 14, 60, 15, MessageString(TMsg::HolidayTypeLabel)};
  l.TypeCombo = {80, 10, 120, 23};
  l.KindLabel = {12, 44, 60, 15, MessageString(TMsg::HolidayKindLabel)};
  l.KindCombo = {80, 40, 120, 23};
  l.DateLabel = {12, 74, 60, 15, MessageString(TMsg::HolidayDateLabel)};
  l.MonthSpin = {80, 70, 50, 23};
  l.MonthLabel = {134, 74, 18, 15, MessageString(TMsg::HolidayMonthUnit)};
  l.DaySpin = {156, 70, 50, 23};
  l.DayLabel = {210, 74, 18, 15, MessageString(TMsg::HolidayDayUnit)};
  l.NthLabel = {156, 74, 16, 15, MessageString(TMsg::HolidayNthPrefix)};
  l.NthSpin = {174, 70, 44, 23};
  l.WeekdayCombo = {222, 70, 78, 23};
  l.EquinoxCombo = {80, 70, 120, 23};
  l.TransferCheck = {80, 102, 150, 19, MessageString(TMsg::HolidayTransfer)};
  l.NameLabel = {12, 134, 60, 15, MessageString(TMsg::HolidayNameLabel)};
  l.NameEdit = {80, 130, 220, 23};
  l.OKButton = {144, 162, 75, 25, L"OK"};
  l.CancelButton = {225, 162, 75, 25, MessageString(TMsg::CancelButton)};
  return l;
}

}  // namespace tdialix
