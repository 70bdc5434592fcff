#include "dialogs/world_clock_fields.h"

#include <cmath>

#include "base/messages.h"

namespace tdialix {

namespace {

int IndexOf(const std::vector<TTimeZone>& zones, std::wstring_view name) {
  if (name.empty()) return -1;
  const TTimeZone* zone = FindTimeZone(zones, name);
  return zone ? static_cast<int>(zone - zones.data()) : -1;
}

}  // namespace

int InitialZone(const std::vector<TTimeZone>& zones, std::wstring_view recordName, std::wstring_view localName) {
  if (const int saved = IndexOf(zones, recordName); saved >= 0) return saved;
  if (const int local = IndexOf(zones, localName); local >= 0) return local;
  return zones.empty() ? -1 : 0;
}

TWorldClockFields WorldClockFields(const TWorldClock& record, const std::vector<TTimeZone>& zones,
                                   std::wstring_view localName) {
  TWorldClockFields fields;
  fields.Mode = record.Specification == wcManual ? 1 : 0;
  fields.Zone = InitialZone(zones, record.Name, localName);
  const double magnitude = std::isfinite(record.Time) ? std::fabs(record.Time) : 0.0;
  fields.Time = magnitude - std::floor(magnitude);
  fields.Delay = record.Direction == wcDec;
  return fields;
}

TDateTime ZoneOffset(int bias) {
  const double days = std::fabs(static_cast<double>(bias)) / (24.0 * 60.0);
  const double fraction = days - std::floor(days);
  return bias > 0 ? -fraction : fraction;
}

TWorldClock WorldClockFromFields(const TWorldClockFields& f, const std::vector<TTimeZone>& zones) {
  TWorldClock record;
  record.Specification = f.Mode == 1 ? wcManual : wcTimeZone;
  const bool zoneSelected = f.Zone >= 0 && static_cast<std::size_t>(f.Zone) < zones.size();
  if (record.Specification == wcManual || !zoneSelected) {
    record.Direction = f.Delay ? wcDec : wcInc;
    record.Time = f.Delay ? -f.Time : f.Time;
  } else {
    const int bias = zones[static_cast<std::size_t>(f.Zone)].Bias;
    record.Direction = bias > 0 ? wcDec : wcInc;
    record.Time = ZoneOffset(bias);
  }
  if (zoneSelected) record.Name = zones[static_cast<std::size_t>(f.Zone)].Name;
  return record;
}

TWorldClockModeControls WorldClockModeControls(int mode) {
  return mode == 1 ? TWorldClockModeControls{false, true} : TWorldClockModeControls{true, false};
}

TWorldClockLayout WorldClockLayout() {
  TWorldClockLayout l;
  l.ClientSize = {330, 148};
  l.ModeLabel = {12, 14, 72, 15, MessageString(TMsg::WorldModeLabel)};
  l.ModeCombo = {90, 10, 150, 23};
  l.ZoneLabel = {12, 48, 72, 15, MessageString(TMsg::WorldZoneLabel)};
  l.ZoneCombo = {90, 44, 228, 23};
  l.ZoneDisplayLabel = {90, 72, 228, 30, L""};
  l.TimeLabel = {12, 48, 72, 15, MessageString(TMsg::WorldTimeLabel)};
  l.TimePicker = {90, 44, 150, 23};
  l.ForwardRadio = {90, 76, 90, 19, MessageString(TMsg::WorldForward)};
  l.BackRadio = {184, 76, 100, 19, MessageString(TMsg::WorldBack)};
  l.OKButton = {162, 113, 75, 25, L"OK"};
  l.CancelButton = {243, 113, 75, 25, MessageString(TMsg::CancelButton)};
  return l;
}

}  // namespace tdialix
