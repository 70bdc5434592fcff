#include "calendar/world_clock.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"

namespace tdialix {
namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  return *TryEncodeDateTime({year, month, day}, {hour, minute, second, 0});
}
constexpr TDateTime kSecond = 1.0 / 86400;
constexpr TDateTime kHour = 1.0 / 24;

// Zones as the registry describes them (recurring dates: Day-th DayOfWeek).
TZoneRules UsEastern() {
  TZoneRules r;
  r.Bias = 300;
  r.DaylightBias = -60;
  r.StandardDate = {0, 11, 0, 1, 2, 0, 0, 0};  // first Sunday of November, 2:00
  r.DaylightDate = {0, 3, 0, 2, 2, 0, 0, 0};   // second Sunday of March, 2:00
  return r;
}
TZoneRules Sydney() {
  TZoneRules r;
  r.Bias = -600;
  r.DaylightBias = -60;
  r.StandardDate = {0, 4, 0, 1, 3, 0, 0, 0};   // first Sunday of April, 3:00
  r.DaylightDate = {0, 10, 0, 1, 2, 0, 0, 0};  // first Sunday of October, 2:00
  return r;
}
TZoneRules CentralEurope() {
  TZoneRules r;
  r.Bias = -60;
  r.DaylightBias = -60;
  r.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};  // last Sunday of October, 3:00
  r.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};   // last Sunday of March, 2:00
  return r;
}
TZoneRules Tokyo() {
  TZoneRules r;
  r.Bias = -540;
  return r;
}

TTimeZone Zone(const wchar_t* name, const TZoneRules& rules) {
  TTimeZone zone;
  zone.Bias = rules.Bias;
  zone.Name = name;
  zone.Rules = rules;
  return zone;
}

std::string TziBytes(const TZoneRules& r) {
  std::string bytes;
  const auto put32 = [&bytes](std::int32_t v) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  };
  const auto put16 = [&bytes](int v) {
    bytes += static_cast<char>(v & 0xFF);
    bytes += static_cast<char>((v >> 8) & 0xFF);
  };
  const auto putDate = [&put16](const TZoneDate& d) {
    for (int v : {d.Year, d.Month, d.DayOfWeek, d.Day, d.Hour, d.Minute, d.Second, d.MilliSecond}) put16(v);
  };
  put32(r.Bias);
  put32(r.StandardBias);
  put32(r.DaylightBias);
  putDate(r.StandardDate);
  putDate(r.DaylightDate);
  return bytes;
}

TFormatSettings Japan() { return TFormatSettings{}; }

// ---- The displayed time

TEST(DisplayedTime, AZoneOfTheListShowsItsOwnLocalTime) {
  // Local UTC+9 (bias -540); the Eastern zone, bias 300, chosen in the dialog.
  const TZoneClock eastern(Zone(L"Eastern Standard Time", UsEastern()));
  const TWorldClock record{wcTimeZone, -5.0 / 24, wcDec, L"Eastern Standard Time"};
  EXPECT_EQ(FormatWorldClock(record, Japan()), L"0,5:00:00,1,\"Eastern Standard Time\"");
  EXPECT_EQ(ParseWorldClock(L"0,5:00:00,1,\"Eastern Standard Time\"", -540, Japan()), record);

  const struct {
    TDateTime Local;
    TDateTime Shown;
  } cases[] = {
      {At(2026, 1, 15, 12, 0), At(2026, 1, 14, 22, 0)},  // standard time: local - 14 h
      {At(2026, 7, 15, 12, 0), At(2026, 7, 14, 23, 0)},  // daylight time: local - 13 h
  };
  for (const auto& c : cases) {
    const TDateTime utc = c.Local - 9 * kHour;
    EXPECT_NEAR(DisplayedTime(c.Local, utc, record, -540, &eastern), c.Shown, kSecond / 10);
    // A name no zone has: standard biases only, as the record says.
    EXPECT_NEAR(DisplayedTime(c.Local, utc, record, -540, nullptr), c.Local - 14 * kHour, kSecond / 10);
  }
}

TEST(DisplayedTime, ShiftsByTheRecordAcrossMidnightAndLocalTimeWithoutOne) {
  const TDateTime local = At(2026, 12, 10, 23, 30);
  const TDateTime utc = local - 9 * kHour;
  const struct {
    TWorldClock Record;
    int TimeZoneBias;
    TDateTime Local, Shown;
  } cases[] = {
      // "時間を指定" 1:30:00 遅らせる.
      {{wcManual, -1.5 / 24, wcDec, L""}, -540, local, local - 1.5 * kHour},
      // Forward over midnight: the next day.
      {{wcManual, 1.0 / 24, wcInc, L""}, -540, local, At(2026, 12, 11, 0, 30)},
      // Back over midnight: the day before.
      {{wcManual, -1.0 / 24, wcDec, L""}, -540, At(2026, 12, 11, 0, 30), local},
      // No "WorldClock" entry: the record of local time.
      {LocalWorldClock(-540), -540, local, local},
  };
  for (const auto& c : cases) {
    const TDateTime shown = DisplayedTime(c.Local, c.Local - 9 * kHour, c.Record, c.TimeZoneBias, nullptr);
    EXPECT_NEAR(shown, c.Shown, kSecond / 10) << FormatWorldClock(c.Record, Japan());
  }
  EXPECT_EQ(DecodeDate(DisplayedTime(local, utc, {wcManual, 1.0 / 24, wcInc, L""}, -540, nullptr)).Day, 11);
}

TEST(DisplayedTime, TheRecordOfLocalTimeHoldsWhileTheLocalZoneIsInDaylightTime) {
  // Local New York: its standard bias is 300; in July local = UTC - 4 h.
  const TDateTime local = At(2026, 7, 1, 12, 0);
  const TDateTime utc = At(2026, 7, 1, 16, 0);
  EXPECT_NEAR(DisplayedTime(local, utc, LocalWorldClock(300), 300, nullptr), local, kSecond / 10);
  // And in January.
  EXPECT_NEAR(DisplayedTime(At(2026, 1, 1, 12, 0), At(2026, 1, 1, 17, 0), LocalWorldClock(300), 300, nullptr),
              At(2026, 1, 1, 12, 0), kSecond / 10);
}

// ---- Daylight time of a zone

TEST(ZoneClock, DaylightTimeAroundEachTransition) {
  const struct {
    const wchar_t* Name;
    TZoneRules Rules;
    TDateTime TransitionUtc;
    bool DaylightAfter;
  } cases[] = {
      // New York 2026: from 8 March 2:00 EST (7:00 UTC) to 1 November 2:00 EDT (6:00 UTC).
      {L"north start", UsEastern(), At(2026, 3, 8, 7, 0), true},
      {L"north end", UsEastern(), At(2026, 11, 1, 6, 0), false},
      // Sydney 2026: ends 5 April 3:00 AEDT (4 April 16:00 UTC), starts 4 October 2:00 AEST (3 October 16:00 UTC).
      {L"south end", Sydney(), At(2026, 4, 4, 16, 0), false},
      {L"south start", Sydney(), At(2026, 10, 3, 16, 0), true},
      // Berlin 2026, the last Sundays: 29 March 2:00 CET (1:00 UTC), 25 October 3:00 CEST (1:00 UTC).
      {L"last Sunday start", CentralEurope(), At(2026, 3, 29, 1, 0), true},
      {L"last Sunday end", CentralEurope(), At(2026, 10, 25, 1, 0), false},
  };
  for (const auto& c : cases) {
    const TZoneClock clock(Zone(c.Name, c.Rules));
    EXPECT_EQ(clock.InDaylightTime(c.TransitionUtc - kSecond), !c.DaylightAfter) << c.Name;
    EXPECT_EQ(clock.InDaylightTime(c.TransitionUtc + kSecond), c.DaylightAfter) << c.Name;
    EXPECT_EQ(clock.ShiftMinutes(c.TransitionUtc + kSecond), c.DaylightAfter ? 60 : 0) << c.Name;
  }
  // Summer in the south is the turn of the year.
  const TZoneClock sydney(Zone(L"AUS Eastern Standard Time", Sydney()));
  EXPECT_TRUE(sydney.InDaylightTime(At(2026, 1, 1, 0, 0)));
  EXPECT_TRUE(sydney.InDaylightTime(At(2026, 12, 31, 23, 0)));
  EXPECT_FALSE(sydney.InDaylightTime(At(2026, 7, 1, 0, 0)));
}

TEST(ZoneClock, ZonesWithoutDaylightTimeOrWithRulesThatCannotBeDates) {
  const TZoneClock tokyo(Zone(L"Tokyo Standard Time", Tokyo()));
  for (const TDateTime utc : {At(2026, 1, 1, 0, 0), At(2026, 7, 1, 0, 0)}) {
    EXPECT_FALSE(tokyo.InDaylightTime(utc));
    EXPECT_EQ(tokyo.ShiftMinutes(utc), 0);
  }
  TZoneRules broken = UsEastern();
  broken.DaylightDate.DayOfWeek = 9;
  EXPECT_FALSE(TZoneClock(Zone(L"x", broken)).InDaylightTime(At(2026, 7, 1, 0, 0)));
  TTimeZone noRules;
  noRules.Name = L"y";
  EXPECT_EQ(TZoneClock(noRules).ShiftMinutes(At(2026, 7, 1, 0, 0)), 0);
}

TEST(ZoneClock, RulesOfTheYearFromDynamicDaylightTime) {
  // Until 2006 the first Sunday of April to the last Sunday of October.
  TZoneRules until2006 = UsEastern();
  until2006.DaylightDate = {0, 4, 0, 1, 2, 0, 0, 0};
  until2006.StandardDate = {0, 10, 0, 5, 2, 0, 0, 0};
  TTimeZone zone = Zone(L"Eastern Standard Time", UsEastern());
  zone.YearRules = {{2006, until2006}, {2007, UsEastern()}};
  EXPECT_EQ(*RulesForYear(zone, 1990), until2006);  // before the first year: the first
  EXPECT_EQ(*RulesForYear(zone, 2006), until2006);
  EXPECT_EQ(*RulesForYear(zone, 2030), UsEastern());  // after the last: the last

  const TZoneClock clock(zone);
  EXPECT_FALSE(clock.InDaylightTime(At(2006, 3, 20, 12, 0)));
  EXPECT_TRUE(clock.InDaylightTime(At(2007, 3, 20, 12, 0)));
  EXPECT_TRUE(clock.InDaylightTime(At(2006, 10, 28, 12, 0)));
  EXPECT_FALSE(clock.InDaylightTime(At(2007, 11, 5, 12, 0)));
}

// ---- The zone list from registry values

TEST(TimeZoneList, DecodedFromTheirRegistryValues) {
  const std::string tzi = TziBytes(UsEastern());
  ASSERT_EQ(tzi.size(), 44u);
  EXPECT_EQ(DecodeZoneRules(tzi), UsEastern());
  EXPECT_EQ(DecodeZoneRules(tzi.substr(0, 43)), std::nullopt);

  TZoneValues values;
  values.Tzi = tzi;
  values.Std = L"Eastern Standard Time";
  values.Display = L"(UTC-05:00) Eastern Time (US & Canada)";
  values.YearTzi = {{2007, tzi}, {2008, "short"}};
  const TTimeZone zone = DecodeTimeZone(values);
  EXPECT_EQ(zone.Bias, 300);
  EXPECT_EQ(zone.Name, values.Std);
  EXPECT_EQ(zone.DisplayName, values.Display);
  EXPECT_EQ(zone.Rules, UsEastern());
  EXPECT_EQ(zone.YearRules.size(), 1u);  // the year that did not read whole is left out

  // A short "TZI" still gives the bias when it holds one; none gives 0.
  values.Tzi = tzi.substr(0, 4);
  EXPECT_EQ(DecodeTimeZone(values).Bias, 300);
  EXPECT_EQ(DecodeTimeZone(values).Rules, std::nullopt);
  values.Tzi = "ab";
  EXPECT_EQ(DecodeTimeZone(values).Bias, 0);
}

TEST(TimeZoneList, SortedByNameWithoutCaseAndNeverEmpty) {
  std::vector<TTimeZone> zones = {Zone(L"tokyo Standard Time", Tokyo()), Zone(L"AUS Eastern", Sydney()),
                                  Zone(L"Eastern Standard Time", UsEastern())};
  const std::vector<TTimeZone> sorted = SortedTimeZones(zones, -540);
  ASSERT_EQ(sorted.size(), 3u);
  EXPECT_EQ(sorted[0].Name, L"AUS Eastern");
  EXPECT_EQ(sorted[1].Name, L"Eastern Standard Time");
  EXPECT_EQ(sorted[2].Name, L"tokyo Standard Time");
  EXPECT_EQ(FindTimeZone(sorted, L"TOKYO standard time"), &sorted[2]);
  EXPECT_EQ(FindTimeZone(sorted, L"Mars"), nullptr);

  const std::vector<TTimeZone> none = SortedTimeZones({}, -540);
  ASSERT_EQ(none.size(), 1u);
  EXPECT_EQ(none[0].Name, L"なし");
  EXPECT_EQ(none[0].DisplayName, L"(既定値)");
  EXPECT_EQ(none[0].Bias, -540);
}

}  // namespace
}  // namespace tdialix
