#include "dialogs/holiday_fields.h"

#include <gtest/gtest.h>

#include <vector>

namespace tdialix {
namespace {

TEST(HolidayDialog, ControlsStartWithTheRulesValues) {
  const struct {
    THoliday Rule;
    THolidayFields Fields;
  } cases[] = {
      {{htPublic, hsDate, 11, 0, 3, L"文化の日", true}, {0, 0, 11, 3, 1, 0, 0, true, L"文化の日"}},
      {{htPrivate, hsDayOfWeek, 1, 2, 1, L"成人の日", false}, {1, 1, 1, 1, 2, 1, 0, false, L"成人の日"}},
      {{htPublic, hsEquinox, 9, 0, 0, L"秋分の日", true}, {0, 2, 9, 1, 1, 0, 1, true, L"秋分の日"}},
      {{htPublic, hsEquinox, 3, 0, 0, L"", false}, {0, 2, 3, 1, 1, 0, 0, false, L""}},
      // Numbers outside a control's range start at its nearest end.
      {{htPublic, hsDate, 13, 0, 0, L"", false}, {0, 0, 12, 1, 1, 0, 0, false, L""}},
      {{htPublic, hsDayOfWeek, 0, 9, 7, L"", false}, {0, 1, 1, 1, 5, 6, 0, false, L""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HolidayFields(c.Rule), c.Fields) << FormatHoliday(c.Rule);
  }
}

TEST(HolidayDialog, OkTakesTheChosenKindsFields) {
  const THolidayFields f{1, 0, 5, 20, 3, 4, 1, true, L"名"};
  const struct {
    int Kind;
    THoliday Before;
    THoliday After;
  } cases[] = {
      // Date mode keeps the occurrence the rule had: 0 for a new rule.
      {0, NewHolidayRule(), {htPrivate, hsDate, 5, 0, 20, L"名", true}},
      {0, {htPublic, hsDayOfWeek, 1, 2, 1, L"x", false}, {htPrivate, hsDate, 5, 2, 20, L"名", true}},
      // Weekday mode: occurrence from its spin, Day from the weekday.
      {1, NewHolidayRule(), {htPrivate, hsDayOfWeek, 5, 3, 4, L"名", true}},
      // Equinox: the month of the chosen equinox; occurrence and day kept.
      {2, {htPublic, hsDate, 1, 0, 7, L"x", false}, {htPrivate, hsEquinox, 9, 0, 7, L"名", true}},
  };
  for (const auto& c : cases) {
    THolidayFields fields = f;
    fields.Kind = c.Kind;
    EXPECT_EQ(HolidayFromFields(c.Before, fields), c.After) << c.Kind;
  }
  THolidayFields spring = f;
  spring.Kind = 2;
  spring.Equinox = 0;
  EXPECT_EQ(HolidayFromFields(NewHolidayRule(), spring).Month, 3);
  // An empty name is allowed.
  spring.Name.clear();
  EXPECT_EQ(HolidayFromFields(NewHolidayRule(), spring).Name, L"");
  // A rule read back into the controls and confirmed unchanged stays the same.
  for (const THoliday& rule : DefaultHolidays()) {
    EXPECT_EQ(HolidayFromFields(rule, HolidayFields(rule)), rule) << FormatHoliday(rule);
  }
}

TEST(HolidayDialog, EachKindShowsItsOwnDayControls) {
  EXPECT_EQ(HolidayKindControls(0), (THolidayKindControls{true, true, false, false}));
  EXPECT_EQ(HolidayKindControls(1), (THolidayKindControls{true, false, true, false}));
  EXPECT_EQ(HolidayKindControls(2), (THolidayKindControls{false, false, false, true}));
}

// The controls shown together never overlap, and all lie inside the form.
TEST(HolidayDialog, ControlsShownTogetherDoNotOverlap) {
  const THolidayLayout l = HolidayLayout();
  const auto inside = [&l](const TControlSpec& c) {
    return c.Left >= 0 && c.Top >= 0 && c.Left + c.Width <= l.ClientSize.cx && c.Top + c.Height <= l.ClientSize.cy;
  };
  const auto overlap = [](const TControlSpec& a, const TControlSpec& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height && b.Top < a.Top + a.Height;
  };
  for (int kind = 0; kind < 3; ++kind) {
    const THolidayKindControls shown = HolidayKindControls(kind);
    std::vector<TControlSpec> controls = {l.TypeLabel,     l.TypeCombo, l.KindLabel, l.KindCombo,   l.DateLabel,
                                          l.TransferCheck, l.NameLabel, l.NameEdit,  l.OKButton,    l.CancelButton};
    if (shown.Month) controls.insert(controls.end(), {l.MonthSpin, l.MonthLabel});
    if (shown.Date) controls.insert(controls.end(), {l.DaySpin, l.DayLabel});
    if (shown.Weekday) controls.insert(controls.end(), {l.NthLabel, l.NthSpin, l.WeekdayCombo});
    if (shown.Equinox) controls.push_back(l.EquinoxCombo);
    for (std::size_t i = 0; i < controls.size(); ++i) {
      EXPECT_TRUE(inside(controls[i])) << "kind " << kind << ", control " << i;
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        EXPECT_FALSE(overlap(controls[i], controls[j])) << "kind " << kind << ", controls " << i << " and " << j;
      }
    }
  }
}

}  // namespace
}  // namespace tdialix
