#include "calendar/style_change.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TDateTime Time(int h, int m, int s = 0) { return *TryEncodeTime(h, m, s, 0); }

TEST(ChooseChangeTime, TheLatestEntryNotLaterThanNow) {
  const std::vector<TChangeTime> list = {
      {dtWeekDay, L"morning.dlx", Time(7, 0)},
      {dtWeekDay, L"evening.dlx", Time(19, 0)},
      {dtSaturday, L"saturday.dlx", Time(6, 0)},
      {dtWeekDay, L"also-evening.dlx", Time(19, 0)},  // same time, later in the list: loses
      {dtHoliday, L"holiday.dlx", Time(0, 0)},
  };
  const struct {
    TDateTime Now;
    TDayType Day;
    std::optional<std::size_t> Entry;
  } cases[] = {
      {Time(6, 59, 59), dtWeekDay, std::nullopt},  // before the first entry
      {Time(7, 0), dtWeekDay, 0},                   // at the entry's time
      {Time(12, 0), dtWeekDay, 0},                  // started at noon: the morning's
      {Time(19, 0), dtWeekDay, 1},
      {Time(23, 59, 59), dtWeekDay, 1},
      {Time(12, 0), dtSaturday, 2},
      {Time(12, 0), dtSunday, std::nullopt},
      {Time(0, 0), dtHoliday, 4},  // a holiday Saturday is a holiday
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseChangeTime(list, c.Now, c.Day), c.Entry) << c.Now << " " << c.Day;
  }
  EXPECT_EQ(ChooseChangeTime({}, Time(12, 0), dtWeekDay), std::nullopt);
}

TEST(ChooseChangeTime, OnlyTheTimeOfDayCounts) {
  // An entry read with a date part still applies at its time of day.
  const std::vector<TChangeTime> list = {{dtWeekDay, L"a.dlx", 45000.0 + Time(7, 0)}};
  EXPECT_EQ(ChooseChangeTime(list, 46000.0 + Time(8, 0), dtWeekDay), 0u);
  EXPECT_EQ(ChooseChangeTime(list, 46000.0 + Time(6, 0), dtWeekDay), std::nullopt);
}

}  // namespace
}  // namespace tdialix
