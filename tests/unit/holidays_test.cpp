#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/time_slots.h"

namespace tdialix {
namespace {

TDateTime Date(int year, int month, int day) { return *TryEncodeDate(year, month, day); }

// ---- Holiday text form

TEST(HolidayText, FieldsAndTheirDefaults) {
  const struct {
    const wchar_t* Text;
    std::optional<THoliday> Holiday;
  } cases[] = {
      {L"0,0, 1,0, 1,1,元日", THoliday{htPublic, hsDate, 1, 0, 1, L"元日", true}},
      {L"1,1,7,3,1,0,\"海の日\"", THoliday{htPrivate, hsDayOfWeek, 7, 3, 1, L"海の日", false}},
      {L"x,x,x,x,x,x,名", THoliday{htPublic, hsDate, 1, 1, 1, L"名", false}},  // numbers that do not read
      {L",,,,,,", THoliday{htPublic, hsDate, 1, 1, 1, L"", false}},            // empty fields
      {L"5,0,13,6,32,True,a", THoliday{htPublic, hsDate, 13, 6, 32, L"a", true}},  // no such type
      // A kind of rule this program does not know is skipped, not misread as a date.
      {L"0,-1,1,0,1,1,a", std::nullopt},
      {L"0,3,1,0,1,1,a", std::nullopt},
      {L"0,2, 3,0, 0,1,春分の日", THoliday{htPublic, hsEquinox, 3, 0, 0, L"春分の日", true}},
      {L"1,2,9,0,0,0,秋", THoliday{htPrivate, hsEquinox, 9, 0, 0, L"秋", false}},
      {L"0,2,4,0,0,1,a", std::nullopt},  // there is no equinox in April
      {L"0,0,1,0,1,false,a", THoliday{htPublic, hsDate, 1, 0, 1, L"a", false}},
      {L"0,0,1,0,1,7,a b", THoliday{htPublic, hsDate, 1, 0, 1, L"a", true}},  // blanks separate
      {L"0,0,1,0,1,1,a,extra", THoliday{htPublic, hsDate, 1, 0, 1, L"a", true}},
      {L"0,0,1,0,1,1", std::nullopt},
      {L"", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseHoliday(c.Text), c.Holiday) << testing::PrintToString(std::wstring(c.Text));
  }
}

TEST(HolidayText, AnyRuleReadsBackAsItWas) {
  EXPECT_EQ(FormatHoliday({htPublic, hsDayOfWeek, 1, 2, 1, L"成人の日", true}), L"0,1,1,2,1,1,\"成人の日\"");
  const THoliday rules[] = {
      {htPrivate, hsDate, 12, 0, 31, L"a, b", false},
      {htPublic, hsDate, 1, 1, 1, L"say \"hi\"", true},
      {htPublic, hsDate, 1, 1, 1, L"\"", true},
      {htPublic, hsDate, 1, 1, 1, L"", true},
      {htPublic, hsDate, 1, 1, 1, L" two  blanks ", true},
      {htPrivate, hsDayOfWeek, -3, 2147483647, -2147483647 - 1, L"=", true},
      {htPublic, hsEquinox, 9, 0, 0, L"秋分の日", true},
  };
  for (const THoliday& rule : rules) {
    EXPECT_EQ(ParseHoliday(FormatHoliday(rule)), rule) << testing::PrintToString(FormatHoliday(rule));
  }
}

TEST(HolidayText, TheBuiltInTableIsTodaysLaw) {
  const std::vector<THoliday> table = DefaultHolidays();
  const std::vector<THoliday> expected = {
      {htPublic, hsDate, 1, 0, 1, L"元日", true},
      {htPublic, hsDayOfWeek, 1, 2, 1, L"成人の日", true},
      {htPublic, hsDate, 2, 0, 11, L"建国記念の日", true},
      {htPublic, hsDate, 2, 0, 23, L"天皇誕生日", true},
      {htPublic, hsEquinox, 3, 0, 0, L"春分の日", true},
      {htPublic, hsDate, 4, 0, 29, L"昭和の日", true},
      {htPublic, hsDate, 5, 0, 3, L"憲法記念日", true},
      {htPublic, hsDate, 5, 0, 4, L"みどりの日", true},
      {htPublic, hsDate, 5, 0, 5, L"こどもの日", true},
      {htPublic, hsDayOfWeek, 7, 3, 1, L"海の日", true},
      {htPublic, hsDate, 8, 0, 11, L"山の日", true},
      {htPublic, hsDayOfWeek, 9, 3, 1, L"敬老の日", true},
      {htPublic, hsEquinox, 9, 0, 0, L"秋分の日", true},
      {htPublic, hsDayOfWeek, 10, 2, 1, L"スポーツの日", true},
      {htPublic, hsDate, 11, 0, 3, L"文化の日", true},
      {htPublic, hsDate, 11, 0, 23, L"勤労感謝の日", true},
  };
  EXPECT_EQ(table, expected);
}

// ---- The calendar over the built-in table

TEST(HolidayCalendar, RealDatesAndTheirDayTypes) {
  const std::vector<THoliday> table = DefaultHolidays();
  const struct {
    int Year, Month, Day;
    bool Holiday;
    TDayType Type;
  } cases[] = {
      {2014, 1, 13, true, dtHoliday},  // 成人の日, the second Monday
      {2014, 1, 6, false, dtWeekDay},  // the first Monday
      // Mondays after a Sunday holiday.
      {2017, 1, 2, true, dtHoliday},
      {2018, 2, 12, true, dtHoliday},
      {2019, 5, 6, true, dtHoliday},
      {2020, 2, 24, true, dtHoliday},
      {2024, 8, 12, true, dtHoliday},
      {2025, 11, 24, true, dtHoliday},
      // The first day after a run of holidays that began on a Sunday.
      {2015, 5, 6, true, dtHoliday},
      {2020, 5, 6, true, dtHoliday},
      {2026, 5, 6, true, dtHoliday},
      {2020, 5, 7, false, dtWeekDay},
      // 元日 on a Saturday gives no substitute holiday.
      {2022, 1, 3, false, dtWeekDay},
      // Holidays on Saturdays and Sundays are holidays.
      {2019, 5, 4, true, dtHoliday},
      {2020, 5, 3, true, dtHoliday},
      {2020, 5, 9, false, dtSaturday},
      {2020, 5, 10, false, dtSunday},
      // The equinoxes, computed for the year.
      {2024, 3, 20, true, dtHoliday},
      {2025, 3, 20, true, dtHoliday},
      {2026, 3, 20, true, dtHoliday},
      {2027, 3, 21, true, dtHoliday},
      {2027, 3, 20, false, dtSaturday},
      {2024, 9, 22, true, dtHoliday},
      {2025, 9, 23, true, dtHoliday},
      {2026, 9, 23, true, dtHoliday},
      {2025, 9, 22, false, dtWeekDay},
      // Between two public holidays: the citizens' holiday.
      {2015, 9, 22, true, dtHoliday},
      {2026, 9, 22, true, dtHoliday},
      {2026, 9, 24, false, dtWeekDay},
      // Today's dates of the moved and new holidays.
      {2026, 2, 23, true, dtHoliday},
      {2026, 12, 23, false, dtWeekDay},
      {2026, 10, 12, true, dtHoliday},
      {2026, 8, 11, true, dtHoliday},
  };
  for (const auto& c : cases) {
    const TDateTime date = Date(c.Year, c.Month, c.Day);
    const bool holiday = IsHolidayDate(table, date);
    EXPECT_EQ(holiday, c.Holiday) << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(DayTypeOf(date, holiday), c.Type) << c.Year << "-" << c.Month << "-" << c.Day;
    // The time of day plays no part.
    EXPECT_EQ(IsHolidayDate(table, date + 0.999), c.Holiday) << c.Year << "-" << c.Month << "-" << c.Day;
  }
}

TEST(HolidayCalendar, ASundayHolidayWithoutTransferGivesNoSubstitute) {
  std::vector<THoliday> table = DefaultHolidays();
  table[0].Transfer = false;  // 元日
  EXPECT_FALSE(IsHolidayDate(table, Date(2017, 1, 2)));
  // Only that rule: 2018-02-12 still follows 建国記念の日.
  EXPECT_TRUE(IsHolidayDate(table, Date(2018, 2, 12)));
}

TEST(HolidayCalendar, PrivateAndPublicRulesCountAlikeButOnlyPublicOnesEncloseADay) {
  // 2026-06-07 is a Sunday.
  const std::vector<THoliday> privateSunday = {{htPrivate, hsDate, 6, 0, 7, L"", true}};
  EXPECT_TRUE(IsHolidayDate(privateSunday, Date(2026, 6, 7)));
  EXPECT_TRUE(IsHolidayDate(privateSunday, Date(2026, 6, 8)));  // its substitute
  EXPECT_FALSE(IsHolidayDate(privateSunday, Date(2026, 6, 9)));

  // Wednesday 2026-06-10 between two holidays: only between public ones.
  const std::vector<THoliday> publicPair = {{htPublic, hsDate, 6, 0, 9, L"", true},
                                            {htPublic, hsDate, 6, 0, 11, L"", true}};
  std::vector<THoliday> privatePair = publicPair;
  privatePair[1].HolidayType = htPrivate;
  EXPECT_TRUE(IsHolidayDate(publicPair, Date(2026, 6, 10)));
  EXPECT_FALSE(IsHolidayDate(privatePair, Date(2026, 6, 10)));
}

TEST(HolidayCalendar, TheNearestSundayOfARunDecides) {
  // Every day from Sunday 2026-03-01 to Tuesday 2026-03-10 is a rule; the
  // first Sunday holiday gives a substitute, the second (3-08) does not.
  std::vector<THoliday> run;
  for (int day = 1; day <= 10; ++day) run.push_back({htPrivate, hsDate, 3, 0, day, L"", day != 8});
  EXPECT_FALSE(IsHolidayDate(run, Date(2026, 3, 11)));
  run[7].Transfer = true;
  EXPECT_TRUE(IsHolidayDate(run, Date(2026, 3, 11)));
  // A substitute holiday is not a rule: it does not carry a run further.
  const std::vector<THoliday> sundayOnly = {{htPublic, hsDate, 3, 0, 1, L"", true}};
  EXPECT_TRUE(IsHolidayDate(sundayOnly, Date(2026, 3, 2)));
  EXPECT_FALSE(IsHolidayDate(sundayOnly, Date(2026, 3, 3)));
}

// ---- Matching single rules

TEST(HolidayLookup, FirstMatchingRuleOrNone) {
  const struct {
    std::vector<THoliday> List;
    TDateTime Date;
    int Index;
  } cases[] = {
      {{}, Date(2026, 1, 1), -1},
      {{{htPublic, hsDate, 1, 0, 2, L"", true}, {htPublic, hsDate, 1, 0, 1, L"a", true},
        {htPrivate, hsDate, 1, 0, 1, L"b", false}},
       Date(2026, 1, 1), 1},
      // 29 February only in leap years.
      {{{htPublic, hsDate, 2, 0, 29, L"", true}}, Date(2024, 2, 29), 0},
      {{{htPublic, hsDate, 2, 0, 29, L"", true}}, Date(2025, 3, 1), -1},
      {{{htPublic, hsDate, 2, 0, 29, L"", true}}, Date(2025, 2, 28), -1},
      // 31 April never comes; nor does month 13 or day 0.
      {{{htPublic, hsDate, 4, 0, 31, L"", true}}, Date(2026, 5, 1), -1},
      {{{htPublic, hsDate, 13, 0, 1, L"", true}}, Date(2027, 1, 1), -1},
      // The fifth Friday: May 2026 has one (29th), June 2026 has not.
      {{{htPublic, hsDayOfWeek, 5, 5, 5, L"", true}}, Date(2026, 5, 29), 0},
      {{{htPublic, hsDayOfWeek, 6, 5, 5, L"", true}}, Date(2026, 6, 26), -1},  // the fourth
      // Sunday is weekday 0; weekday 7 and occurrence 0 never match.
      {{{htPublic, hsDayOfWeek, 3, 1, 0, L"", true}}, Date(2026, 3, 1), 0},
      {{{htPublic, hsDayOfWeek, 3, 1, 7, L"", true}}, Date(2026, 3, 1), -1},
      {{{htPublic, hsDayOfWeek, 3, 0, 0, L"", true}}, Date(2026, 3, 1), -1},
      // The equinox of its own month and year only.
      {{{htPublic, hsEquinox, 9, 0, 0, L"", true}}, Date(2026, 9, 23), 0},
      {{{htPublic, hsEquinox, 9, 0, 0, L"", true}}, Date(2026, 3, 20), -1},
      {{{htPublic, hsEquinox, 3, 0, 0, L"", true}}, Date(2026, 3, 20), 0},
  };
  int n = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(FindHoliday(c.List, c.Date), c.Index) << "case " << n;
    ++n;
  }
}

TEST(HolidayLookup, EquinoxDaysOfTheApproximation) {
  const struct {
    int Year, Month;
    std::optional<int> Day;
  } cases[] = {
      {1980, 3, 20}, {2000, 3, 20}, {2024, 3, 20}, {2027, 3, 21}, {2099, 3, 20},
      {1980, 9, 23}, {2012, 9, 22}, {2024, 9, 22}, {2025, 9, 23}, {2099, 9, 23},
      // Outside the years the approximation holds, and in other months: none.
      {1979, 3, std::nullopt}, {2100, 9, std::nullopt}, {2026, 4, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EquinoxDay(c.Year, c.Month), c.Day) << c.Year << "-" << c.Month;
  }
}

// ---- Captions and order of the settings dialog's list

TEST(HolidayCaptions, DateTransferAndOrder) {
  const std::array<std::wstring, 7> days = {L"日曜日", L"月曜日", L"火曜日", L"水曜日",
                                            L"木曜日", L"金曜日", L"土曜日"};
  const struct {
    THoliday Rule;
    const wchar_t* Date;
    const wchar_t* Transfer;
  } cases[] = {
      {{htPublic, hsDayOfWeek, 1, 2, 1, L"成人の日", true}, L"1 月第 2 月曜日", L"あり"},
      {{htPublic, hsDate, 11, 0, 3, L"文化の日", false}, L"11 月 3 日", L"なし"},
      {{htPublic, hsEquinox, 3, 0, 0, L"", true}, L"春分の日 (毎年計算)", L"あり"},
      {{htPrivate, hsEquinox, 9, 0, 0, L"", false}, L"秋分の日 (毎年計算)", L"なし"},
      {{htPublic, hsDayOfWeek, 5, 1, 9, L"", true}, L"5 月第 1 ", L"あり"},  // no such weekday
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HolidayDateCaption(c.Rule, days), c.Date);
    EXPECT_EQ(HolidayTransferCaption(c.Rule), c.Transfer);
  }

  std::vector<THoliday> list = {
      {htPrivate, hsDate, 1, 0, 5, L"p", true},  {htPublic, hsDate, 5, 0, 3, L"c", true},
      {htPublic, hsDayOfWeek, 1, 2, 1, L"b", true}, {htPublic, hsDate, 1, 0, 1, L"a", true},
      {htPublic, hsDayOfWeek, 1, 2, 0, L"b0", true},
  };
  std::stable_sort(list.begin(), list.end(), HolidayListsBefore);
  std::vector<std::wstring> names;
  for (const THoliday& h : list) names.push_back(h.Name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"b0", L"b", L"c", L"p"}));
}

}  // namespace
}  // namespace tdialix
