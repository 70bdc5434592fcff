#include "base/date_time.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

struct DateCase {
  int Year, Month, Day;
  double Serial;
  int Weekday;  // 1 Sunday .. 7 Saturday
};

const DateCase kDates[] = {
    {1899, 12, 30, 0, 7},       {1900, 1, 1, 2, 2},         {2026, 12, 9, 46365, 4},
    {2026, 12, 10, 46366, 5},   {100, 1, 1, -657434, 6},    {9999, 12, 31, 2958465, 6},
    {2019, 5, 1, 43586, 4},     {1989, 1, 7, 32515, 7},     {2000, 2, 29, 36585, 3},
};

TEST(DateTime, EncodesAndDecodesKnownDates) {
  for (const DateCase& c : kDates) {
    const auto serial = TryEncodeDate(c.Year, c.Month, c.Day);
    ASSERT_TRUE(serial) << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(*serial, c.Serial);
    EXPECT_EQ(DecodeDate(c.Serial), (TDateParts{c.Year, c.Month, c.Day}));
    EXPECT_EQ(DayOfWeek(c.Serial), c.Weekday);
    EXPECT_EQ(DayOfWeek(IncMilliSecond(c.Serial, 18 * 3'600'000)), c.Weekday);
  }
}

TEST(DateTime, MinimumIsTheFirstDayOfYear100) {
  EXPECT_EQ(*TryEncodeDate(100, 1, 1), MinDateTime);
  EXPECT_EQ(DecodeDate(MinDateTime), (TDateParts{100, 1, 1}));
}

TEST(DateTime, EveryDayRoundTrips) {
  for (double day = -693593; day <= 2958465; day += 1) {
    const TDateParts parts = DecodeDate(day);
    const auto again = TryEncodeDate(parts.Year, parts.Month, parts.Day);
    ASSERT_TRUE(again) << day;
    ASSERT_EQ(*again, day);
  }
}

TEST(DateTime, RefusesDatesThatDoNotExist) {
  const TDateParts bad[] = {{2023, 2, 29}, {2100, 2, 29}, {2026, 13, 1}, {2026, 0, 1},
                            {2026, 4, 31}, {2026, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
  for (const TDateParts& d : bad) EXPECT_FALSE(TryEncodeDate(d.Year, d.Month, d.Day)) << d.Year << "-" << d.Month;
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29));
}

TEST(DateTime, EncodesTimesOfDay) {
  EXPECT_EQ(*TryEncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(*TryEncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_EQ(*TryEncodeTime(24, 0, 0, 0), 1.0);
  EXPECT_EQ(DecodeTime(*TryEncodeTime(23, 59, 59, 999)), (TTimeParts{23, 59, 59, 999}));
  EXPECT_EQ(DecodeTime(*TryEncodeTime(7, 8, 9, 10)), (TTimeParts{7, 8, 9, 10}));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 1));
  EXPECT_FALSE(TryEncodeTime(0, 60, 0, 0));
  EXPECT_FALSE(TryEncodeTime(0, 0, 60, 0));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0));
  EXPECT_FALSE(TryEncodeTime(0, 0, 0, 1000));
}

TEST(DateTime, NegativeValuesKeepTheTimeOfDayInTheFraction) {
  // -1.25 is 1899-12-29 06:00, not 18:00.
  EXPECT_EQ(DecodeDate(-1.25), (TDateParts{1899, 12, 29}));
  EXPECT_EQ(DecodeTime(-1.25), (TTimeParts{6, 0, 0, 0}));
  EXPECT_EQ(TimeOf(-1.25), 0.25);
  EXPECT_EQ(DateOf(-1.25), -1.0);

  const auto value = TryEncodeDateTime({1850, 3, 4}, {6, 30, 0, 0});
  ASSERT_TRUE(value);
  EXPECT_EQ(DecodeDate(*value), (TDateParts{1850, 3, 4}));
  EXPECT_EQ(DecodeTime(*value), (TTimeParts{6, 30, 0, 0}));
}

TEST(DateTime, RoundsToTheMillisecondAndCarriesIntoTheNextDay) {
  const double almostMidnight = 46365.0 + (MSecsPerDay - 0.4) / static_cast<double>(MSecsPerDay);
  EXPECT_EQ(DecodeDate(almostMidnight), (TDateParts{2026, 12, 10}));
  EXPECT_EQ(DecodeTime(almostMidnight), (TTimeParts{0, 0, 0, 0}));
  EXPECT_EQ(DayOfWeek(almostMidnight), 5);
}

TEST(DateTime, AddsMillisecondsAcrossDays) {
  const double lateEvening = *TryEncodeDateTime({2026, 12, 31}, {23, 59, 59, 900});
  const double next = IncMilliSecond(lateEvening, 250);
  EXPECT_EQ(DecodeDate(next), (TDateParts{2027, 1, 1}));
  EXPECT_EQ(DecodeTime(next), (TTimeParts{0, 0, 0, 150}));

  const double back = IncMilliSecond(next, -250);
  EXPECT_EQ(DecodeDate(back), (TDateParts{2026, 12, 31}));
  EXPECT_EQ(DecodeTime(back), (TTimeParts{23, 59, 59, 900}));

  // Before 1899-12-30 too, where the values are negative.
  const double old = *TryEncodeDateTime({1899, 12, 29}, {23, 0, 0, 0});
  const double later = IncMilliSecond(old, 2 * 3'600'000);
  EXPECT_EQ(DecodeDate(later), (TDateParts{1899, 12, 30}));
  EXPECT_EQ(DecodeTime(later), (TTimeParts{1, 0, 0, 0}));
}

}  // namespace
}  // namespace tdialix
