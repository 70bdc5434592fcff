#include "dialogs/holiday_win.h"

#include <string>
#include <vector>

#include "base/messages.h"

namespace tdialix {

namespace {

constexpr int kHolidayHelpContext = 48;

}  // namespace

TDialixHoliday::TDialixHoliday(HWND owner, const THoliday& rule)
    : TWRForm(L"TDialixHoliday"), Before(rule), FConfirmed(rule) {
  const THolidayLayout layout = HolidayLayout();
  Owner = owner;
  Caption = MessageString(TMsg::HolidayCaption);
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poOwnerFormCenter;
  HelpContext = kHolidayHelpContext;

  TypeCombo.Items = {MessageString(TMsg::HolidayPublic), MessageString(TMsg::HolidayPrivate)};
  KindCombo.Items = {MessageString(TMsg::HolidayByDate), MessageString(TMsg::HolidayByWeekday),
                     MessageString(TMsg::HolidayByEquinox)};
  KindCombo.OnChange = [this] { KindComboChange(); };
  MonthSpin.SetMin(1);
  MonthSpin.SetMax(12);
  DaySpin.SetMin(1);
  DaySpin.SetMax(31);
  NthSpin.SetMin(1);
  NthSpin.SetMax(5);
  WeekdayCombo.Items = {MessageString(TMsg::Sunday),    MessageString(TMsg::Monday),   MessageString(TMsg::Tuesday),
                        MessageString(TMsg::Wednesday), MessageString(TMsg::Thursday), MessageString(TMsg::Friday),
                        MessageString(TMsg::Saturday)};
  WeekdayCombo.DropDownCount = 7;
  EquinoxCombo.Items = {MessageString(TMsg::HolidaySpringEquinox), MessageString(TMsg::HolidayAutumnEquinox)};
  OKButton.Default = true;
  OKButton.ModalResult = mrOk;
  OKButton.OnClick = [this] { FConfirmed = Rule(); };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;

  Layout({{TypeLabel, layout.TypeLabel},
          {TypeCombo, layout.TypeCombo},
          {KindLabel, layout.KindLabel},
          {KindCombo, layout.KindCombo},
          {DateLabel, layout.DateLabel},
          {MonthSpin, layout.MonthSpin},
          {MonthLabel, layout.MonthLabel},
          {DaySpin, layout.DaySpin},
          {DayLabel, layout.DayLabel},
          {NthLabel, layout.NthLabel},
          {NthSpin, layout.NthSpin},
          {WeekdayCombo, layout.WeekdayCombo},
          {EquinoxCombo, layout.EquinoxCombo},
          {TransferCheck, layout.TransferCheck},
          {NameLabel, layout.NameLabel},
          {NameEdit, layout.NameEdit},
          {OKButton, layout.OKButton, nullptr, IDOK},
          {CancelButton, layout.CancelButton, nullptr, IDCANCEL}});
}

void TDialixHoliday::FormCreate() {
  const THolidayFields f = HolidayFields(Before);
  TypeCombo.SetItemIndex(f.Type);
  KindCombo.SetItemIndex(f.Kind);
  MonthSpin.SetPosition(f.Month);
  DaySpin.SetPosition(f.Day);
  NthSpin.SetPosition(f.Nth);
  WeekdayCombo.SetItemIndex(f.Weekday);
  EquinoxCombo.SetItemIndex(f.Equinox);
  TransferCheck.SetChecked(f.Transfer);
  NameEdit.SetText(f.Name);
  KindComboChange();
}

THolidayFields TDialixHoliday::Fields() const {
  THolidayFields f;
  f.Type = TypeCombo.ItemIndex();
  f.Kind = KindCombo.ItemIndex();
  f.Month = MonthSpin.Position();
  f.Day = DaySpin.Position();
  f.Nth = NthSpin.Position();
  f.Weekday = WeekdayCombo.ItemIndex();
  f.Equinox = EquinoxCombo.ItemIndex();
  f.Transfer = TransferCheck.Checked();
  f.Name = NameEdit.Text();
  return f;
}

void TDialixHoliday::KindComboChange() {
  const THolidayKindControls shown = HolidayKindControls(KindCombo.ItemIndex());
  const auto show = [](bool on, std::initializer_list<TWRControl*> controls) {
    for (TWRControl* control : controls) {
      control->SetVisible(on);
      control->SetEnabled(on);
    }
  };
  show(shown.Month, {&MonthSpin, &MonthLabel});
  show(shown.Date, {&DaySpin, &DayLabel});
  show(shown.Weekday, {&NthLabel, &NthSpin, &WeekdayCombo});
  show(shown.Equinox, {&EquinoxCombo});
}

bool EditHoliday(HWND owner, THoliday& rule, bool adding) {
  TDialixHoliday dialog(owner, adding ? NewHolidayRule() : rule);
  if (dialog.ShowModal() != mrOk) return false;
  rule = dialog.Confirmed();
  return true;
}

}  // namespace tdialix
