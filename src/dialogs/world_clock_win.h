// TDialixWorld: the dialog "世界時計". Every change shows on the clocks at
// once; anything but OK puts the record it opened with back.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "calendar/world_clock.h"
#include "components/common_controls_win.h"
#include "components/form_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/world_clock_fields.h"

namespace tdialix {

class TDialixWorld : public TWRForm {
 public:
  // apply takes every record the dialog makes, and the kept one back on
  // anything but OK.
  TDialixWorld(HWND owner, const TWorldClock& record, std::vector<TTimeZone> zones, std::wstring localName,
               std::function<void(const TWorldClock&, const TTimeZone* zone)> apply);

  TWorldClockFields Fields() const;
  // The record OK confirmed (the one the dialog opened with until then).
  const TWorldClock& Result() const noexcept { return FResult; }
  const std::vector<TTimeZone>& Zones() const noexcept { return FZones; }

  TWRLabel ModeLabel;
  TWRComboBox ModeCombo;
  TWRLabel ZoneLabel;
  TWRComboBox ZoneCombo;
  TWRLabel ZoneDisplayLabel;
  TWRLabel TimeLabel;
  TWRDateTimePicker TimePicker;
  TWRRadioButton ForwardRadio;
  TWRRadioButton BackRadio;
  TWRButton OKButton;
  TWRButton CancelButton;

 protected:
  void FormCreate() override;
  void FormShow() override;

 private:
  // Shows the controls of the chosen mode.
  void ModeChange();
  // Any change: the record the controls make goes to the clocks.
  void ApplyChange();
  void ShowZoneName();

  TWorldClock Kept;
  std::vector<TTimeZone> FZones;
  std::wstring LocalName;
  std::function<void(const TWorldClock&, const TTimeZone*)> Apply;
  TWorldClock FResult;
  bool Filling = false;
};

// Shows the dialog modally. Every change goes to apply at once; anything but
// OK gives apply the record back. Returns the record to keep. The record is
// taken as a copy: apply may well change the variable it came from.
TWorldClock EditWorldClock(HWND owner, TWorldClock record, std::vector<TTimeZone> zones,
                           std::wstring localName,
                           const std::function<void(const TWorldClock&, const TTimeZone* zone)>& apply);

}  // namespace tdialix
