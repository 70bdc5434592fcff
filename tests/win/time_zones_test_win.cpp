// The system's time zones as the program reads them, and their daylight time
// against the system's own conversion.
#include "calendar/time_zones_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/system_locale_win.h"
#include "base/text.h"

namespace tdialix {
namespace {

TEST(SystemTimeZones, FoundWithTheirNamesDisplayNamesAndRules) {
  const std::vector<TTimeZone> zones = SystemTimeZones(-540);
  ASSERT_GT(zones.size(), 50u);
  for (std::size_t i = 1; i < zones.size(); ++i) {
    std::wstring a = zones[i - 1].Name, b = zones[i].Name;
    for (auto* text : {&a, &b}) std::transform(text->begin(), text->end(), text->begin(), FoldCase);
    EXPECT_LE(a, b) << "not sorted";
  }
  const TTimeZone* tokyo = FindTimeZone(zones, L"Tokyo Standard Time");
  ASSERT_NE(tokyo, nullptr);
  EXPECT_EQ(tokyo->Bias, -540);
  EXPECT_NE(tokyo->DisplayName.find(L"Tokyo"), std::wstring::npos) << WideToUtf8(tokyo->DisplayName);

  const TTimeZone* eastern = FindTimeZone(zones, L"Eastern Standard Time");
  ASSERT_NE(eastern, nullptr);
  EXPECT_EQ(eastern->Bias, 300);
  ASSERT_TRUE(eastern->Rules);
  EXPECT_EQ(eastern->Rules->DaylightDate.Month, 3);
  // Its dynamic rules: April to October before 2007.
  ASSERT_NE(RulesForYear(*eastern, 2006), nullptr);
  EXPECT_EQ(RulesForYear(*eastern, 2006)->DaylightDate.Month, 4);

  EXPECT_EQ(SystemTimeZone(L"eastern standard time"), *eastern);
  EXPECT_EQ(SystemTimeZone(L"No Such Zone"), std::nullopt);
  EXPECT_EQ(SystemTimeZone(L""), std::nullopt);
}

// Every hour of this year, a zone's local time as the program computes it
// equals the system's conversion with the same rules.
TEST(SystemTimeZones, DaylightTimeAgreesWithTheSystem) {
  for (const wchar_t* name : {L"Eastern Standard Time", L"AUS Eastern Standard Time", L"W. Europe Standard Time",
                              L"Tokyo Standard Time", L"Pacific SA Standard Time"}) {
    const std::optional<TTimeZone> zone = SystemTimeZone(name);
    ASSERT_TRUE(zone && zone->Rules) << WideToUtf8(name);
    TIME_ZONE_INFORMATION info{};
    info.Bias = zone->Rules->Bias;
    info.StandardBias = zone->Rules->StandardBias;
    info.DaylightBias = zone->Rules->DaylightBias;
    const auto systemDate = [](const TZoneDate& d) {
      SYSTEMTIME t{};
      t.wYear = static_cast<WORD>(d.Year), t.wMonth = static_cast<WORD>(d.Month);
      t.wDayOfWeek = static_cast<WORD>(d.DayOfWeek), t.wDay = static_cast<WORD>(d.Day);
      t.wHour = static_cast<WORD>(d.Hour), t.wMinute = static_cast<WORD>(d.Minute);
      t.wSecond = static_cast<WORD>(d.Second), t.wMilliseconds = static_cast<WORD>(d.MilliSecond);
      return t;
    };
    info.StandardDate = systemDate(zone->Rules->StandardDate);
    info.DaylightDate = systemDate(zone->Rules->DaylightDate);
    // Without dynamic rules, both sides use the same ones.
    TTimeZone plain = *zone;
    plain.YearRules.clear();
    const TZoneClock clock(plain);

    SYSTEMTIME now{};
    ::GetSystemTime(&now);
    const TDateTime start = *TryEncodeDate(now.wYear, 1, 1);
    int differences = 0;
    for (int hour = 0; hour < 366 * 24 && differences < 5; ++hour) {
      const TDateTime utc = start + hour / 24.0 + 30.0 / 86400;  // half a minute past each hour
      SYSTEMTIME utcTime = SystemTimeOf(utc), local{};
      ASSERT_TRUE(::SystemTimeToTzSpecificLocalTime(&info, &utcTime, &local));
      const TDateTime ours = DisplayedTime(0, utc, {wcTimeZone, -zone->Bias / 1440.0, wcInc, plain.Name}, 0, &clock);
      if (std::abs(ours - DateTimeOf(local)) > 1.0 / 86400) {
        ++differences;
        ADD_FAILURE() << WideToUtf8(name) << " at UTC " << WideToUtf8(std::to_wstring(utc));
      }
    }
  }
}

}  // namespace
}  // namespace tdialix
