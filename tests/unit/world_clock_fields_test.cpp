#include "dialogs/world_clock_fields.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/settings_file.h"

namespace tdialix {
namespace {

std::vector<TTimeZone> Zones() {
  const auto zone = [](int bias, const wchar_t* name, const wchar_t* display) {
    TTimeZone z;
    z.Bias = bias;
    z.Name = name;
    z.DisplayName = display;
    return z;
  };
  return {zone(-600, L"AUS Eastern Standard Time", L"(UTC+10:00) Canberra, Melbourne, Sydney"),
          zone(300, L"Eastern Standard Time", L"(UTC-05:00) Eastern Time (US & Canada)"),
          zone(-780, L"Tonga Standard Time", L"(UTC+13:00) Nuku'alofa"),
          zone(-540, L"Tokyo Standard Time", L"(UTC+09:00) Osaka, Sapporo, Tokyo"),
          zone(-330, L"India Standard Time", L"(UTC+05:30) Chennai, Kolkata, Mumbai, New Delhi")};
}

TEST(WorldClockDialog, TheZoneSelectedAtTheStart) {
  const std::vector<TTimeZone> zones = Zones();
  EXPECT_EQ(InitialZone(zones, L"eastern standard time", L"Tokyo Standard Time"), 1);
  EXPECT_EQ(InitialZone(zones, L"", L"Tokyo Standard Time"), 3);
  EXPECT_EQ(InitialZone(zones, L"Mars", L"Tokyo Standard Time"), 3);
  EXPECT_EQ(InitialZone(zones, L"Mars", L"Venus"), 0);
  EXPECT_EQ(InitialZone({}, L"Eastern Standard Time", L"Tokyo Standard Time"), -1);
}

TEST(WorldClockDialog, ControlsStartWithTheRecordsValues) {
  const std::vector<TTimeZone> zones = Zones();
  const struct {
    TWorldClock Record;
    TWorldClockFields Fields;
  } cases[] = {
      {{wcTimeZone, -5.0 / 24, wcDec, L"Eastern Standard Time"}, {0, 1, 5.0 / 24, true}},
      {{wcManual, -1.5 / 24, wcDec, L""}, {1, 3, 1.5 / 24, true}},
      {{wcManual, 2.25 / 24, wcInc, L"India Standard Time"}, {1, 4, 2.25 / 24, false}},
      {LocalWorldClock(-540), {0, 3, 9.0 / 24, false}},
  };
  for (const auto& c : cases) {
    const TWorldClockFields f = WorldClockFields(c.Record, zones, L"Tokyo Standard Time");
    EXPECT_EQ(f.Mode, c.Fields.Mode);
    EXPECT_EQ(f.Zone, c.Fields.Zone);
    EXPECT_NEAR(f.Time, c.Fields.Time, 1e-9);
    EXPECT_EQ(f.Delay, c.Fields.Delay);
  }
}

TEST(WorldClockDialog, TheRecordTheControlsMake) {
  const std::vector<TTimeZone> zones = Zones();
  const TFormatSettings formats;
  const struct {
    TWorldClockFields Fields;
    const wchar_t* Text;  // the record in the settings file
  } cases[] = {
      // A zone of bias 300: back 5 hours, saved with its name.
      {{0, 1, 0.3, false}, L"0,5:00:00,1,\"Eastern Standard Time\""},
      {{0, 0, 0.0, true}, L"0,10:00:00,0,\"AUS Eastern Standard Time\""},
      {{0, 2, 0.0, false}, L"0,13:00:00,0,\"Tonga Standard Time\""},
      {{0, 4, 0.0, false}, L"0,5:30:00,0,\"India Standard Time\""},
      // "時間を指定" 1:30:00 遅らせる: the selected zone's name is kept.
      {{1, 3, 1.5 / 24, true}, L"1,1:30:00,1,\"Tokyo Standard Time\""},
      {{1, -1, 1.5 / 24, false}, L"1,1:30:00,0,\"\""},
      // A zone mode without a zone takes the picker's shift.
      {{0, -1, 0.75 / 24, true}, L"0,0:45:00,1,\"\""},
  };
  for (const auto& c : cases) {
    const TWorldClock record = WorldClockFromFields(c.Fields, zones);
    EXPECT_EQ(FormatWorldClock(record, formats), c.Text);
  }
  const TWorldClock eastern = WorldClockFromFields({0, 1, 0, false}, zones);
  EXPECT_NEAR(eastern.Time, -5.0 / 24, 1e-12);
  EXPECT_EQ(eastern.Direction, wcDec);
  const TWorldClock delayed = WorldClockFromFields({1, -1, 1.5 / 24, true}, zones);
  EXPECT_NEAR(delayed.Time, -1.5 / 24, 1e-12);
  // A record read into the controls and made again is the same.
  for (const TWorldClock& record : {TWorldClock{wcTimeZone, -5.0 / 24, wcDec, L"Eastern Standard Time"},
                                    TWorldClock{wcManual, 2.25 / 24, wcInc, L"India Standard Time"}}) {
    const TWorldClock again = WorldClockFromFields(WorldClockFields(record, zones, L""), zones);
    EXPECT_EQ(FormatWorldClock(again, formats), FormatWorldClock(record, formats));
  }
}

TEST(WorldClockDialog, EachModeShowsItsControlsWithoutOverlap) {
  EXPECT_EQ(WorldClockModeControls(0), (TWorldClockModeControls{true, false}));
  EXPECT_EQ(WorldClockModeControls(1), (TWorldClockModeControls{false, true}));
  const TWorldClockLayout l = WorldClockLayout();
  const auto overlap = [](const TControlSpec& a, const TControlSpec& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height && b.Top < a.Top + a.Height;
  };
  for (int mode = 0; mode < 2; ++mode) {
    std::vector<TControlSpec> controls = {l.ModeLabel, l.ModeCombo, l.OKButton, l.CancelButton};
    if (mode == 0) controls.insert(controls.end(), {l.ZoneLabel, l.ZoneCombo, l.ZoneDisplayLabel});
    if (mode == 1) controls.insert(controls.end(), {l.TimeLabel, l.TimePicker, l.ForwardRadio, l.BackRadio});
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const TControlSpec& c = controls[i];
      EXPECT_TRUE(c.Left >= 0 && c.Top >= 0 && c.Left + c.Width <= l.ClientSize.cx && c.Top + c.Height <= l.ClientSize.cy)
          << "mode " << mode << ", control " << i;
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(overlap(c, controls[j])) << "mode " << mode << ", controls " << i << " and " << j;
      }
    }
  }
}

}  // namespace
}  // namespace tdialix
