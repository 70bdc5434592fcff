// The automatic style change and time-slot dialogs' rules, and the schedules
// fed with the day types of real dates.
#include "dialogs/auto_style_fields.h"

#include <gtest/gtest.h>

#include "base/text_codec.h"
#include "calendar/holidays.h"
#include "calendar/time_slots.h"
#include "dialogs/time_slot_fields.h"

namespace tdialix {
namespace {

TDateTime Time(int h, int m, int s = 0) { return *TryEncodeTime(h, m, s, 0); }

std::vector<std::wstring> Shown(const std::vector<TAutoStyleRow>& rows) {
  std::vector<std::wstring> texts;
  for (const TAutoStyleRow& row : rows) {
    texts.push_back(std::to_wstring(row.Entry.DayType) + L" " + row.TimeText + L" " + row.StyleText);
  }
  return texts;
}

TEST(AutoStyleRows, TimeInTheLocalesFormatAndTheStylesBareName) {
  struct TCase {
    const wchar_t* Path;
    const wchar_t* Shown;
  };
  const TCase cases[] = {
      {L"C:\\Styles\\朝.dlx", L"朝"},
      {L"C:/Styles/Night.DLX", L"Night"},
      {L"D:\\a.b\\evening.old.dlx", L"evening.old"},  // only the last extension goes
      {L"D:\\a.b\\noextension", L"noextension"},     // a dot in the folder is not the name's
      {L"plain.dlx", L"plain"},
      {L"", L""},
  };
  for (const TCase& c : cases) EXPECT_EQ(StyleDisplayName(c.Path), c.Shown) << c.Path;

  TFormatSettings formats;
  EXPECT_EQ(AutoStyleRow({dtWeekDay, L"C:\\朝.dlx", Time(7, 5, 9)}, formats).TimeText, L"7:05:09");
  formats.LongTimeFormat = L"tt h:mm:ss";
  EXPECT_EQ(AutoStyleRow({dtWeekDay, L"C:\\夜.dlx", Time(19, 0)}, formats).TimeText, L"午後 7:00:00");
  // An entry read with a date part shows only its time of day.
  EXPECT_EQ(AutoStyleRow({dtWeekDay, L"a.dlx", 45000 + Time(7, 0)}, TFormatSettings{}).TimeText, L"7:00:00");
}

TEST(AutoStyleRows, SortedByDayTypeThenTimeThenNameWithoutCase) {
  const std::vector<TChangeTime> list = {
      {dtSunday, L"C:\\s\\sunday.dlx", Time(9, 0)},
      {dtWeekDay, L"C:\\s\\夜.dlx", Time(19, 0)},
      {dtHoliday, L"C:\\s\\休日.dlx", Time(9, 0)},
      {dtWeekDay, L"C:\\s\\beta.dlx", Time(7, 0)},
      {dtWeekDay, L"C:\\s\\Alpha.dlx", Time(7, 0)},  // equal times: by name, whatever the case
      {dtSaturday, L"C:\\s\\b.dlx", Time(8, 0)},
      {dtWeekDay, L"C:\\t\\ALPHA.dlx", Time(7, 0)},  // differs only in case: keeps its place after Alpha
      {dtWeekDay, L"C:\\s\\early.dlx", Time(6, 59, 59)},
  };
  EXPECT_EQ(Shown(AutoStyleRows(list, TFormatSettings{})),
            (std::vector<std::wstring>{L"0 6:59:59 early", L"0 7:00:00 Alpha", L"0 7:00:00 ALPHA", L"0 7:00:00 beta",
                                       L"0 19:00:00 夜", L"1 9:00:00 休日", L"2 8:00:00 b", L"3 9:00:00 sunday"}));
  // Times compare as the list shows them, to the second: a fraction of a
  // second does not put "b" before "a".
  const std::vector<TChangeTime> close = {{dtWeekDay, L"b.dlx", Time(7, 0) + 0.2 / 86400},
                                          {dtWeekDay, L"a.dlx", Time(7, 0) + 0.7 / 86400}};
  EXPECT_EQ(Shown(AutoStyleRows(close, TFormatSettings{})),
            (std::vector<std::wstring>{L"0 7:00:00 a", L"0 7:00:00 b"}));
  EXPECT_TRUE(AutoStyleRows({}, TFormatSettings{}).empty());
}

TEST(AutoStyleRows, GroupCaptionsInDayTypeOrder) {
  EXPECT_EQ(DayTypeCaptions(), (std::vector<std::wstring>{L"平日", L"休日", L"土曜日", L"日曜日"}));
  EXPECT_EQ(DayTypeCaption(dtSaturday), L"土曜日");
  const TAutoStyleRow row = AutoStyleRow({dtHoliday, L"C:\\休日.dlx", Time(9, 0)}, TFormatSettings{});
  EXPECT_EQ(AutoStyleTimeCell(row, true), L"9:00:00");
  EXPECT_EQ(AutoStyleTimeCell(row, false), L"休日 9:00:00");  // a list without groups
}

TEST(AutoStyleResult, TheRowsInDisplayOrderNoneApplied) {
  std::vector<TChangeTime> list = {{dtWeekDay, L"C:\\b.dlx", Time(19, 0), true},
                                   {dtWeekDay, L"C:\\a.dlx", Time(7, 0), true},
                                   {dtHoliday, L"C:\\h.dlx", Time(9, 0), false}};
  EXPECT_EQ(AutoStyleResult(AutoStyleRows(list, TFormatSettings{})),
            (std::vector<TChangeTime>{{dtWeekDay, L"C:\\a.dlx", Time(7, 0), false},
                                      {dtWeekDay, L"C:\\b.dlx", Time(19, 0), false},
                                      {dtHoliday, L"C:\\h.dlx", Time(9, 0), false}}));
  EXPECT_TRUE(AutoStyleResult({}).empty());
  EXPECT_FALSE(CanConfirmAutoStyle(L""));
  EXPECT_TRUE(CanConfirmAutoStyle(L"a"));
}

TEST(StyleFileIdentity, TheLoadersCheckInEitherEncoding) {
  const std::wstring style = L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontName=x\r\n";
  const auto ansi = [](std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); };
  EXPECT_TRUE(IsStyleFileContent(EncodeUtf16LeWithBom(style), ansi));
  EXPECT_TRUE(IsStyleFileContent("[general]\r\nversion = TeamOrvaneTDialix2\r\n", ansi));  // any case of the names
  EXPECT_FALSE(IsStyleFileContent("[General]\r\nVersion=TeamOrvaneTDialix\r\n", ansi));   // an earlier version
  EXPECT_FALSE(IsStyleFileContent("[General]\r\nVersion=teamorvanetdialix2\r\n", ansi));  // the value exactly
  EXPECT_FALSE(IsStyleFileContent("[Design]\r\nVersion=TeamOrvaneTDialix2\r\n", ansi));   // another section
  EXPECT_FALSE(IsStyleFileContent(EncodeUtf16LeWithBom(L"[Settings]\r\nTimer=32\r\n"), ansi));
  EXPECT_FALSE(IsStyleFileContent("", ansi));
  EXPECT_FALSE(IsStyleFileContent(std::string("\x00\xff\x10", 3), ansi));
}

TEST(TimeSlotRows, StartAndEndTextsSortedByDayTypeStartEnd) {
  const std::vector<TVisibleTimeSlot> slots = {{dtSaturday, Time(9, 0), Time(12, 0)},
                                               {dtWeekDay, Time(13, 0), Time(17, 0)},
                                               {dtWeekDay, Time(9, 0), Time(18, 0)},
                                               {dtWeekDay, Time(9, 0), Time(12, 0)},
                                               {dtHoliday, Time(0, 0), Time(23, 59, 59)}};
  std::vector<std::wstring> shown;
  for (const TTimeSlotRow& row : TimeSlotRows(slots, TFormatSettings{})) {
    shown.push_back(std::to_wstring(row.Slot.DayType) + L" " + row.StartText + L"-" + row.EndText);
  }
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"0 9:00:00-12:00:00", L"0 9:00:00-18:00:00", L"0 13:00:00-17:00:00",
                                              L"1 0:00:00-23:59:59", L"2 9:00:00-12:00:00"}));
}

TEST(TimeSlotDialog, OkNeedsAnEndLaterThanTheStart) {
  struct TCase {
    TDateTime Start, End;
    bool Ok;
  };
  const TCase cases[] = {
      {Time(0, 0), Time(0, 0), false},  // a new slot: equal times
      {Time(9, 0), Time(17, 0), true},
      {Time(17, 0), Time(9, 0), false},  // no slot spans midnight
      {Time(9, 0), Time(9, 0, 1), true},
      {Time(0, 0), Time(23, 59, 59), true},
      {Time(9, 0) + 0.3 / 86400, Time(9, 0) + 0.6 / 86400, false},  // the same second as the pickers show it
  };
  for (const TCase& c : cases) EXPECT_EQ(CanConfirmTimeSlot(c.Start, c.End), c.Ok) << c.Start << " " << c.End;
}

TEST(TimeSlots, AnEndAtTheLastSecondCountsToTheEndOfTheDay) {
  const TDateTime monday = *TryEncodeDate(2026, 12, 14);
  const std::vector<TVisibleTimeSlot> wholeDay = {{dtWeekDay, Time(0, 0), Time(23, 59, 59)}};
  const std::vector<TVisibleTimeSlot> meeting = {{dtWeekDay, Time(0, 0), Time(6, 0)},
                                                 {dtWeekDay, Time(18, 0), Time(23, 59, 59)}};
  const std::vector<TVisibleTimeSlot> evening = {{dtWeekDay, Time(18, 0), Time(23, 0)}};
  struct TCase {
    const std::vector<TVisibleTimeSlot>* Slots;
    TDateTime At;
    bool Visible;
  };
  const TCase cases[] = {
      {&wholeDay, Time(0, 0), true},
      {&wholeDay, Time(23, 59, 58), true},
      {&wholeDay, Time(23, 59, 59), true},                       // the last second is shown too
      {&wholeDay, Time(23, 59, 59) + 0.999 / 86400, true},
      {&meeting, Time(23, 59, 59), true},                        // two slots that meet at midnight
      {&meeting, monday + 1 + Time(0, 0), true},
      {&meeting, Time(12, 0), false},
      {&evening, Time(22, 59, 59), true},                        // other ends stay as they are
      {&evening, Time(23, 0), false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(InVisibleTimeSlot(*c.Slots, monday + c.At, dtWeekDay), c.Visible) << c.At;
  }
  EXPECT_EQ(SlotEndMilliSeconds(Time(23, 59, 59)), MSecsPerDay);
  EXPECT_EQ(SlotEndMilliSeconds(Time(23, 59, 58)), 86398000);
}

// Controls that lie side by side never overlap, and all lie inside their area.
void ExpectApart(TSize area, const std::vector<TControlSpec>& controls, const char* form) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const TControlSpec& c = controls[i];
    EXPECT_TRUE(c.Left >= 0 && c.Top >= 0 && c.Left + c.Width <= area.cx && c.Top + c.Height <= area.cy)
        << form << ", control " << i;
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      const TControlSpec& d = controls[j];
      EXPECT_FALSE(c.Left < d.Left + d.Width && d.Left < c.Left + c.Width && c.Top < d.Top + d.Height &&
                   d.Top < c.Top + c.Height)
          << form << ", controls " << i << " and " << j;
    }
  }
}

TEST(AutoStyleLayouts, ControlsDoNotOverlap) {
  const TAutoStyleLayout a = AutoStyleLayout();
  ExpectApart(a.ClientSize, {a.EnableCheck, a.Group, a.OKButton, a.CancelButton}, "list");
  ExpectApart({a.Group.Width, a.Group.Height}, {a.List, a.AddButton, a.ChangeButton, a.DeleteButton}, "group");
  EXPECT_LE(a.TimeColumnWidth + a.StyleColumnWidth, a.List.Width - 20) << "both columns fit beside a scroll bar";
  const TAddAutoStyleLayout e = AddAutoStyleLayout();
  ExpectApart(e.ClientSize, {e.DayTypeLabel, e.DayTypeCombo, e.StyleLabel, e.StyleEdit, e.BrowseButton, e.TimeLabel,
                             e.TimePicker, e.OKButton, e.CancelButton}, "entry");
  const TTimeSlotLayout t = TimeSlotLayout();
  ExpectApart(t.ClientSize, {t.DayTypeLabel, t.DayTypeCombo, t.StartLabel, t.StartPicker, t.EndLabel, t.EndPicker,
                             t.OKButton, t.CancelButton}, "slot");
}

// The day type the master gives a date: the holiday decision of the built-in rules.
TDayType DayTypeOfDate(int year, int month, int day) {
  const TDateTime date = *TryEncodeDate(year, month, day);
  return DayTypeOf(date, IsHolidayDate(DefaultHolidays(), date));
}

TEST(Schedules, FollowTheHolidayDecisionOnRealDates) {
  const std::vector<TChangeTime> changes = {{dtWeekDay, L"朝.dlx", Time(7, 0)},
                                            {dtWeekDay, L"夜.dlx", Time(19, 0)},
                                            {dtHoliday, L"休日.dlx", Time(9, 0)},
                                            {dtSaturday, L"土曜.dlx", Time(8, 0)}};
  const std::vector<TVisibleTimeSlot> slots = {{dtWeekDay, Time(9, 0), Time(17, 0)},
                                               {dtHoliday, Time(10, 0), Time(12, 0)}};
  struct TCase {
    int Year, Month, Day;
    TDayType Type;
    std::optional<std::size_t> AtNoon;  // the entry that applies at 12:00
    bool ShownAt11;
  };
  const TCase cases[] = {
      {2025, 2, 24, dtHoliday, 2, true},    // Monday, substitute for 天皇誕生日 on Sunday
      {2025, 2, 25, dtWeekDay, 0, true},    // the Tuesday after
      {2025, 2, 22, dtSaturday, 3, false},  // a plain Saturday
      {2026, 1, 12, dtHoliday, 2, true},    // 成人の日, the second Monday of January
      {2025, 11, 3, dtHoliday, 2, true},    // 文化の日 on a Monday
      {2026, 5, 2, dtSaturday, 3, false},   // the Saturday before the holidays of May
      {2025, 5, 3, dtHoliday, 2, true},     // 憲法記念日 on a Saturday: a holiday, not a Saturday
      {2025, 2, 23, dtHoliday, 2, true},    // 天皇誕生日 itself, a Sunday
      {2025, 3, 2, dtSunday, std::nullopt, false},
  };
  for (const TCase& c : cases) {
    const TDayType type = DayTypeOfDate(c.Year, c.Month, c.Day);
    EXPECT_EQ(type, c.Type) << c.Year << "-" << c.Month << "-" << c.Day;
    const TDateTime date = *TryEncodeDate(c.Year, c.Month, c.Day);
    EXPECT_EQ(ChooseChangeTime(changes, date + Time(12, 0), type), c.AtNoon) << c.Year << "-" << c.Month << "-" << c.Day;
    EXPECT_EQ(InVisibleTimeSlot(slots, date + Time(11, 0), type), c.ShownAt11) << c.Year << "-" << c.Month << "-" << c.Day;
  }
}

TEST(Schedules, AnEntryAppliesOnceADay) {
  std::vector<TChangeTime> changes = {{dtWeekDay, L"朝.dlx", Time(7, 0)}, {dtWeekDay, L"夜.dlx", Time(19, 0)}};
  const TDateTime tuesday = *TryEncodeDate(2025, 2, 25);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(6, 59, 59), dtWeekDay), std::nullopt);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(7, 0), dtWeekDay), 0u);
  // A style chosen by hand at 8:00 stays: nothing applies again until 19:00.
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(7, 0, 1), dtWeekDay), std::nullopt);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(8, 0), dtWeekDay), std::nullopt);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(18, 59, 59), dtWeekDay), std::nullopt);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(19, 0), dtWeekDay), 1u);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + Time(23, 0), dtWeekDay), std::nullopt);
  // The next day (or a confirmed dialog) lets them apply again.
  ClearChanged(changes);
  EXPECT_EQ(TakeDueChangeTime(changes, tuesday + 1 + Time(7, 30), dtWeekDay), 0u);

  // Started at noon: the 7:00 entry loads at once.
  std::vector<TChangeTime> started = {{dtWeekDay, L"朝.dlx", Time(7, 0)}, {dtWeekDay, L"夜.dlx", Time(19, 0)}};
  EXPECT_EQ(TakeDueChangeTime(started, tuesday + Time(12, 0), dtWeekDay), 0u);

  // A Saturday entry never applies on a holiday Saturday, nor on a weekday.
  std::vector<TChangeTime> saturday = {{dtSaturday, L"土曜.dlx", Time(0, 0)}};
  const TDateTime constitutionDay = *TryEncodeDate(2025, 5, 3);
  EXPECT_EQ(TakeDueChangeTime(saturday, constitutionDay + Time(12, 0), DayTypeOfDate(2025, 5, 3)), std::nullopt);
  EXPECT_EQ(TakeDueChangeTime(saturday, tuesday + Time(12, 0), dtWeekDay), std::nullopt);
  EXPECT_EQ(TakeDueChangeTime(saturday, *TryEncodeDate(2025, 5, 10) + Time(12, 0), DayTypeOfDate(2025, 5, 10)), 0u);
}

}  // namespace
}  // namespace tdialix
