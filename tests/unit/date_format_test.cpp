#include "base/date_format.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  return *TryEncodeDateTime({year, month, day}, {hour, minute, second, ms});
}

struct PatternCase {
  const wchar_t* Pattern;
  const wchar_t* Expected;
};

TEST(DateFormat, EveryPresetOfTheFormatBoxes) {
  const TFormatSettings japanese;
  const double thursday = At(2026, 3, 5, 21, 4, 7);
  const PatternCase presets[] = {
      {L"yyyy/mm/dd", L"2026/03/05"},
      {L"yyyy/m/d", L"2026/3/5"},
      {L"yy/mm/dd", L"26/03/05"},
      {L"yy/m/d", L"26/3/5"},
      {L"yyyy/mm/dd' ('ddd')'", L"2026/03/05 (木)"},
      {L"yyyy/m/d' ('ddd')'", L"2026/3/5 (木)"},
      {L"yy/mm/dd' ('ddd')'", L"26/03/05 (木)"},
      {L"yy/m/d' ('ddd')'", L"26/3/5 (木)"},
      {L"yyyy'年'mm'月'dd'日'", L"2026年03月05日"},
      {L"yyyy'年'm'月'd'日'", L"2026年3月5日"},
      {L"gge'年'mm'月'dd'日'", L"令和8年03月05日"},
      {L"gge'年'm'月'd'日'", L"令和8年3月5日"},
      {L"yyyy'年'mm'月'dd'日('ddd')'", L"2026年03月05日(木)"},
      {L"yyyy'年'm'月'd'日('ddd')'", L"2026年3月5日(木)"},
      {L"yyyy'年'mm'月'dd'日'(dddd)", L"2026年03月05日(木曜日)"},
      {L"yyyy'年'm'月'd'日'(dddd)", L"2026年3月5日(木曜日)"},
  };
  for (const PatternCase& c : presets) EXPECT_EQ(FormatDateTime(c.Pattern, thursday, japanese), c.Expected) << c.Pattern;
  EXPECT_EQ(FormatDateTime(L"gge'年'm'月'd'日'", At(2026, 12, 9), japanese), L"令和8年12月9日");
}

TEST(DateFormat, EraNamesChangeOnTheirFirstDay) {
  const TFormatSettings japanese;
  const struct {
    double Date;
    const wchar_t* Expected;
  } cases[] = {
      {At(2019, 4, 30), L"平成31 平"}, {At(2019, 5, 1), L"令和1 令"}, {At(1989, 1, 7), L"昭和64 昭"},
      {At(1989, 1, 8), L"平成1 平"},   {At(1926, 12, 25), L"昭和1 昭"}, {At(1912, 7, 30), L"大正1 大"},
      {At(1868, 1, 1), L"明治1 明"},   {At(1867, 12, 31), L"1867 "},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(L"gge g", c.Date, japanese), c.Expected);
  EXPECT_EQ(FormatDateTime(L"ggee", At(2020, 1, 1), japanese), L"令和02");
}

TEST(DateFormat, TimeLettersAndLiterals) {
  const TFormatSettings japanese;
  const double evening = At(2026, 3, 5, 21, 4, 7, 9);
  const PatternCase cases[] = {
      {L"hh:nn:ss", L"21:04:07"},
      {L"h:m:s", L"21:4:7"},
      {L"hh:mm", L"21:04"},              // m right after an hour is a minute
      {L"h mm", L"21 04"},
      {L"hh:nn am/pm", L"09:04 pm"},
      {L"h:nn A/P", L"9:04 P"},
      {L"h:nn ampm", L"9:04 午後"},
      {L"zzz z", L"009 9"},
      {L"t", L"21:04"},
      {L"tt", L"21:04:07"},
      {L"c", L"2026/03/05 21:04:07"},
      {L"ddddd", L"2026/03/05"},
      {L"dddddd", L"2026年3月5日"},
      {L"mmm mmmm", L"3 3月"},
      {L"\"yyyy\" 'mm' yyyy", L"yyyy mm 2026"},
      {L"YYYY/MM/DD", L"2026/03/05"},     // letters in any case
      {L"[yyyy]", L"[2026]"},
      {L"'unclosed", L"unclosed"},
  };
  for (const PatternCase& c : cases) EXPECT_EQ(FormatDateTime(c.Pattern, evening, japanese), c.Expected) << c.Pattern;
  EXPECT_EQ(FormatDateTime(L"c", At(2026, 3, 5), japanese), L"2026/03/05");
}

TEST(DateFormat, EmptyPatternGivesTheLocaleLongDate) {
  TFormatSettings japanese;
  EXPECT_EQ(FormatDateTime(L"", At(2026, 12, 9), japanese), L"2026年12月9日");
  japanese.LongDateFormat = L"dddd, MMMM d, yyyy";
  japanese.LongMonthNames[11] = L"December";
  japanese.LongDayNames[3] = L"Wednesday";
  EXPECT_EQ(FormatDateTime(L"", At(2026, 12, 9), japanese), L"Wednesday, December 9, 2026");
}

TEST(DateFormat, LocaleTimePatterns) {
  TFormatSettings settings;
  EXPECT_EQ(FormatTimeText(At(2026, 3, 5, 9, 5, 7), settings), L"9:05:07");
  EXPECT_EQ(FormatTimeText(*TryEncodeTime(23, 59, 59, 0), settings), L"23:59:59");
  settings.LongTimeFormat = L"tt h:mm:ss";
  EXPECT_EQ(FormatTimeText(*TryEncodeTime(0, 5, 0, 0), settings), L"午前 12:05:00");
  settings.LongTimeFormat = L"hh:mm:ss t";
  settings.TimePMString = L"PM";
  EXPECT_EQ(FormatTimeText(*TryEncodeTime(13, 5, 0, 0), settings), L"01:05:00 P");
  EXPECT_EQ(FormatLocalePattern(L"HH'h'mm", *TryEncodeTime(7, 5, 0, 0), settings), L"07h05");
  EXPECT_EQ(FormatLocalePattern(L"'It''s' d", At(2026, 3, 5), settings), L"It's 5");
  EXPECT_EQ(FormatLocalePattern(L"ggy'年'", At(2026, 3, 5), settings), L"令和8年");
}

TEST(DateFormat, TimeTextReadsBack) {
  const TFormatSettings japanese;
  const struct {
    const wchar_t* Text;
    int Hour, Minute, Second, MilliSecond;
  } good[] = {
      {L"9:05:07", 9, 5, 7, 0},     {L"23:59:59", 23, 59, 59, 0}, {L"0:00", 0, 0, 0, 0},
      {L" 7:30 ", 7, 30, 0, 0},     {L"午後9:05", 21, 5, 0, 0},  {L"午前 12:00:00", 0, 0, 0, 0},
      {L"9:05 PM", 21, 5, 0, 0},    {L"12:15 pm", 12, 15, 0, 0}, {L"7:00:00.25", 7, 0, 0, 250},
      {L"9 PM", 21, 0, 0, 0},
  };
  for (const auto& c : good) {
    const auto time = ParseTimeText(c.Text, japanese);
    ASSERT_TRUE(time) << c.Text;
    EXPECT_EQ(DecodeTime(*time), (TTimeParts{c.Hour, c.Minute, c.Second, c.MilliSecond})) << c.Text;
  }
  for (const wchar_t* bad : {L"", L"9", L"24:00:00", L"9:60", L"9:05:60", L"13:00 PM", L"9::05", L"a9:05",
                             L"9:05:07:01", L"9:05 XM", L"午前9:05 PM", L"-1:00", L"99999:00"}) {
    EXPECT_EQ(ParseTimeText(bad, japanese), std::nullopt) << bad;
  }
  // Whatever the locale's format writes, it reads back.
  TFormatSettings english;  // a 12-hour locale
  english.LongTimeFormat = L"h:mm:ss tt";
  english.TimeAMString = L"AM";
  english.TimePMString = L"PM";
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    const double t = *TryEncodeTime(minute / 60, minute % 60, minute % 60, 0);
    for (const TFormatSettings* s : {&japanese, static_cast<const TFormatSettings*>(&english)}) {
      const auto back = ParseTimeText(FormatTimeText(t, *s), *s);
      ASSERT_TRUE(back) << minute;
      EXPECT_EQ(DecodeTime(*back), DecodeTime(t));
    }
  }
}

}  // namespace
}  // namespace tdialix
