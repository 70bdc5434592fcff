#include "dialogs/world_clock_win.h"

#include <cmath>

#include "base/messages.h"

namespace tdialix {

namespace {

constexpr int kWorldClockHelpContext = 10;

SYSTEMTIME TimeOfDay(TDateTime time) {
  const TTimeParts parts = DecodeTime(time);
  SYSTEMTIME t{};
  // The picker shows times of a date: any will do, the first day of 2000.
  t.wYear = 2000;
  t.wMonth = 1;
  t.wDay = 1;
  t.wDayOfWeek = 6;
  t.wHour = static_cast<WORD>(parts.Hour % 24);
  t.wMinute = static_cast<WORD>(parts.Minute);
  t.wSecond = static_cast<WORD>(parts.Second);
  return t;
}

TDateTime TimeOfDay(const SYSTEMTIME& t) { return (t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond) / 86400.0; }

}  // namespace

TDialixWorld::TDialixWorld(HWND owner, const TWorldClock& record, std::vector<TTimeZone> zones, std::wstring localName,
                           std::function<void(const TWorldClock&, const TTimeZone*)> apply)
    : TWRForm(L"TDialixWorld"),
      Kept(record),
      FZones(std::move(zones)),
      LocalName(std::move(localName)),
      Apply(std::move(apply)),
      FResult(record) {
  const TWorldClockLayout layout = WorldClockLayout();
  Owner = owner;
  Caption = MessageString(TMsg::WorldCaption);
  ClientSize = layout.ClientSize;
  Position = TFormPosition::poScreenCenter;
  HelpContext = kWorldClockHelpContext;

  ModeCombo.Items = {MessageString(TMsg::WorldByZone), MessageString(TMsg::WorldByTime)};
  ModeCombo.OnChange = [this] {
    ModeChange();
    ApplyChange();
  };
  for (const TTimeZone& zone : FZones) ZoneCombo.Items.push_back(zone.Name);
  ZoneCombo.DropDownCount = 16;
  ZoneCombo.OnChange = [this] {
    ShowZoneName();
    ApplyChange();
  };
  ZoneDisplayLabel.WordWrap = true;
  ZoneDisplayLabel.ShowAccelChar = false;  // "(UTC-05:00) Eastern Time (US & Canada)"
  TimePicker.Kind = TWRDateTimePicker::TDateTimeKind::dtkTime;
  TimePicker.Format = MessageString(TMsg::WorldTimeFormat);
  TimePicker.OnChange = [this] { ApplyChange(); };
  ForwardRadio.GroupStart = true;
  ForwardRadio.OnClick = [this] { ApplyChange(); };
  BackRadio.OnClick = [this] { ApplyChange(); };
  OKButton.Default = true;
  OKButton.ModalResult = mrOk;
  OKButton.OnClick = [this] { FResult = WorldClockFromFields(Fields(), FZones); };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;

  Layout({{ModeLabel, layout.ModeLabel},
          {ModeCombo, layout.ModeCombo},
          {ZoneLabel, layout.ZoneLabel},
          {ZoneCombo, layout.ZoneCombo},
          {ZoneDisplayLabel, layout.ZoneDisplayLabel},
          {TimeLabel, layout.TimeLabel},
          {TimePicker, layout.TimePicker},
          {ForwardRadio, layout.ForwardRadio},
          {BackRadio, layout.BackRadio},
          {OKButton, layout.OKButton, nullptr, IDOK},
          {CancelButton, layout.CancelButton, nullptr, IDCANCEL}});
}

void TDialixWorld::FormCreate() {
  const TWorldClockFields f = WorldClockFields(Kept, FZones, LocalName);
  Filling = true;
  ModeCombo.SetItemIndex(f.Mode);
  ZoneCombo.SetItemIndex(f.Zone);
  TimePicker.SetDateTime(TimeOfDay(f.Time));
  ForwardRadio.SetChecked(!f.Delay);
  BackRadio.SetChecked(f.Delay);
  Filling = false;
  ModeChange();
  ShowZoneName();
}

void TDialixWorld::FormShow() {
  // What the controls show is what the clocks show from the start.
  ApplyChange();
}

TWorldClockFields TDialixWorld::Fields() const {
  TWorldClockFields f;
  f.Mode = ModeCombo.ItemIndex();
  f.Zone = ZoneCombo.ItemIndex();
  f.Time = TimeOfDay(TimePicker.DateTime());
  f.Delay = BackRadio.Checked();
  return f;
}

void TDialixWorld::ModeChange() {
  const TWorldClockModeControls shown = WorldClockModeControls(ModeCombo.ItemIndex());
  for (TWRControl* control : std::initializer_list<TWRControl*>{&ZoneLabel, &ZoneCombo, &ZoneDisplayLabel}) {
    control->SetVisible(shown.Zone);
  }
  for (TWRControl* control : std::initializer_list<TWRControl*>{&TimeLabel, &TimePicker, &ForwardRadio, &BackRadio}) {
    control->SetVisible(shown.Time);
  }
}

void TDialixWorld::ShowZoneName() {
  const int zone = ZoneCombo.ItemIndex();
  ZoneDisplayLabel.SetText(zone >= 0 && static_cast<std::size_t>(zone) < FZones.size()
                               ? FZones[static_cast<std::size_t>(zone)].DisplayName
                               : std::wstring());
}

void TDialixWorld::ApplyChange() {
  if (Filling || !Apply) return;
  const TWorldClockFields f = Fields();
  const TWorldClock record = WorldClockFromFields(f, FZones);
  const bool zoneSelected = f.Zone >= 0 && static_cast<std::size_t>(f.Zone) < FZones.size();
  Apply(record, zoneSelected ? &FZones[static_cast<std::size_t>(f.Zone)] : nullptr);
}

TWorldClock EditWorldClock(HWND owner, TWorldClock record, std::vector<TTimeZone> zones,
                           std::wstring localName,
                           const std::function<void(const TWorldClock&, const TTimeZone*)>& apply) {
  TDialixWorld dialog(owner, record, std::move(zones), std::move(localName), apply);
  if (dialog.ShowModal() == mrOk) return dialog.Result();
  // However the dialog ended but by OK, the clocks go back to the record it opened with.
  if (apply) apply(record, FindTimeZone(dialog.Zones(), record.Name));
  return record;
}

}  // namespace tdialix
