// The holiday rule dialog "休日の設定" in the test's own process.
#include "dialogs/holiday_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/text.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)

// Shown and enabled, or hidden and disabled, whether the dialog shows yet or not.
bool Shown(const TWRControl& control) { return Visible(control) && ::IsWindowEnabled(control.Handle()); }
bool Hidden(const TWRControl& control) { return !Visible(control) && !::IsWindowEnabled(control.Handle()); }

TEST(HolidayDialog, APrefilledRuleOfEachKindShowsItsValues) {
  {
    TDialixHoliday dialog(nullptr, {htPrivate, hsDate, 11, 0, 3, L"文化の日", true});
    dialog.CreateForm();
    EXPECT_EQ(WindowClass(dialog.Handle()), L"TDialixHoliday");
    EXPECT_EQ(WindowText(dialog.Handle()), L"休日の設定");
    EXPECT_EQ(ItemTexts(dialog.TypeCombo.Handle()), (std::vector<std::wstring>{L"公休", L"私休"}));
    EXPECT_EQ(ItemTexts(dialog.KindCombo.Handle()),
              (std::vector<std::wstring>{L"日付で指定", L"曜日で指定", L"春分・秋分"}));
    EXPECT_EQ(SelectedItem(dialog.TypeCombo.Handle()), 1);
    EXPECT_EQ(SelectedItem(dialog.KindCombo.Handle()), 0);
    EXPECT_EQ(WindowText(dialog.MonthSpin.Handle()), L"11");
    EXPECT_EQ(WindowText(dialog.DaySpin.Handle()), L"3");
    EXPECT_TRUE(IsChecked(dialog.TransferCheck.Handle()));
    EXPECT_EQ(WindowText(dialog.NameEdit.Handle()), L"文化の日");
    EXPECT_TRUE(Shown(dialog.DaySpin) && Shown(dialog.DayLabel));
    EXPECT_TRUE(Hidden(dialog.NthSpin) && Hidden(dialog.WeekdayCombo) && Hidden(dialog.NthLabel));
    EXPECT_TRUE(Hidden(dialog.EquinoxCombo));
  }
  {
    TDialixHoliday dialog(nullptr, {htPublic, hsDayOfWeek, 9, 3, 1, L"敬老の日", false});
    dialog.CreateForm();
    EXPECT_EQ(SelectedItem(dialog.KindCombo.Handle()), 1);
    EXPECT_EQ(WindowText(dialog.MonthSpin.Handle()), L"9");
    EXPECT_EQ(WindowText(dialog.NthSpin.Handle()), L"3");
    EXPECT_EQ(ItemTexts(dialog.WeekdayCombo.Handle()).size(), 7u);
    EXPECT_EQ(SelectedItem(dialog.WeekdayCombo.Handle()), 1);  // 月曜日
    EXPECT_FALSE(IsChecked(dialog.TransferCheck.Handle()));
    EXPECT_TRUE(Shown(dialog.NthSpin) && Shown(dialog.WeekdayCombo) && Shown(dialog.NthLabel));
    EXPECT_TRUE(Hidden(dialog.DaySpin) && Hidden(dialog.DayLabel));
  }
  {
    TDialixHoliday dialog(nullptr, {htPublic, hsEquinox, 9, 0, 0, L"秋分の日", true});
    dialog.CreateForm();
    EXPECT_EQ(SelectedItem(dialog.KindCombo.Handle()), 2);
    EXPECT_EQ(SelectedItem(dialog.EquinoxCombo.Handle()), 1);
    EXPECT_TRUE(Shown(dialog.EquinoxCombo));
    EXPECT_TRUE(Hidden(dialog.MonthSpin) && Hidden(dialog.MonthLabel) && Hidden(dialog.DaySpin));
  }
}

TEST(HolidayDialog, SwitchingTheKindShowsOneSetAndHidesTheOther) {
  TDialixHoliday dialog(nullptr, NewHolidayRule());
  dialog.CreateForm();
  SelectItem(dialog.KindCombo.Handle(), 1);
  EXPECT_TRUE(Shown(dialog.NthSpin) && Shown(dialog.WeekdayCombo) && Shown(dialog.MonthSpin));
  EXPECT_TRUE(Hidden(dialog.DaySpin) && Hidden(dialog.DayLabel) && Hidden(dialog.EquinoxCombo));
  SelectItem(dialog.KindCombo.Handle(), 2);
  EXPECT_TRUE(Shown(dialog.EquinoxCombo));
  EXPECT_TRUE(Hidden(dialog.NthSpin) && Hidden(dialog.MonthSpin) && Hidden(dialog.DaySpin));
  SelectItem(dialog.KindCombo.Handle(), 0);
  EXPECT_TRUE(Shown(dialog.DaySpin) && Shown(dialog.MonthSpin));
  EXPECT_TRUE(Hidden(dialog.NthSpin) && Hidden(dialog.WeekdayCombo) && Hidden(dialog.EquinoxCombo));
}

// The dialog's controls as another window sees them, in tab order.
struct TDialogControls {
  explicit TDialogControls(HWND dialog)
      : Type(FindControlByClass(dialog, L"ComboBox", 0)),
        Kind(FindControlByClass(dialog, L"ComboBox", 1)),
        Weekday(FindControlByClass(dialog, L"ComboBox", 2)),
        Month(FindControlByClass(dialog, L"Edit", 0)),
        Day(FindControlByClass(dialog, L"Edit", 1)),
        Nth(FindControlByClass(dialog, L"Edit", 2)),
        Name(FindControlByClass(dialog, L"Edit", 3)),
        Transfer(FindControlByText(dialog, L"振替休日あり")),
        OK(FindControlByText(dialog, L"OK")),
        Cancel(FindControlByText(dialog, L"キャンセル")) {}
  bool Found() const { return Type && Kind && Weekday && Month && Day && Nth && Name && Transfer && OK && Cancel; }
  HWND Type, Kind, Weekday, Month, Day, Nth, Name, Transfer, OK, Cancel;
};

// Types a number into a spin edit as a user would: what was there goes first.
void TypeNumber(HWND spin, const wchar_t* number) {
  SetText(spin, L"");
  TypeText(spin, number);
}

TEST(HolidayDialog, OkGivesTheRuleAndCancelLeavesIt) {
  // Adding: whatever the rule held, a new rule is typed in.
  THoliday rule{htPublic, hsDate, 1, 1, 1, L"old", false};
  bool confirmed = false;
  RunModal(
      [&] {
        confirmed = EditHoliday(nullptr, rule, true);
        return 0;
      },
      [&](HWND dialog) {
        const TDialogControls c(dialog);
        ASSERT_TRUE(c.Found());
        EXPECT_EQ(WindowText(c.Name), L"") << "a new rule starts empty";
        SelectItem(c.Type, 1);  // 私休
        SelectItem(c.Kind, 1);  // 曜日で指定
        TypeNumber(c.Month, L"7");
        TypeNumber(c.Nth, L"3");
        SelectItem(c.Weekday, 1);  // 月曜日
        Click(c.Transfer);
        SetText(c.Name, L"海の日");
        Click(c.OK);
      });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(rule, (THoliday{htPrivate, hsDayOfWeek, 7, 3, 1, L"海の日", true}));

  // Changing, then cancelling: the rule stays.
  const THoliday before = rule;
  RunModal(
      [&] {
        confirmed = EditHoliday(nullptr, rule, false);
        return 0;
      },
      [&](HWND dialog) {
        const TDialogControls c(dialog);
        ASSERT_TRUE(c.Found());
        SelectItem(c.Kind, 0);
        SetText(c.Name, L"changed");
        Click(c.Cancel);
      });
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(rule, before);

  // Changing a date rule keeps its occurrence.
  THoliday date{htPublic, hsDate, 2, 4, 11, L"建国記念の日", true};
  RunModal(
      [&] {
        confirmed = EditHoliday(nullptr, date, false);
        return 0;
      },
      [&](HWND dialog) {
        // Enter in the number just typed presses the default button.
        const HWND day = TDialogControls(dialog).Day;
        ::SetFocus(day);
        TypeNumber(day, L"12");
        PostKey(day, VK_RETURN);
      });
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(date, (THoliday{htPublic, hsDate, 2, 4, 12, L"建国記念の日", true}));
}

TEST(HolidayDialog, EveryTextFitsInEachKind) {
  const THoliday rules[] = {{htPrivate, hsDate, 12, 0, 31, L"大晦日", true},
                            {htPublic, hsDayOfWeek, 10, 2, 3, L"スポーツの日", true},
                            {htPublic, hsEquinox, 3, 0, 0, L"春分の日", true}};
  const wchar_t* names[] = {L"date", L"weekday", L"equinox"};
  for (int i = 0; i < 3; ++i) {
    TDialixHoliday dialog(nullptr, rules[i]);
    RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
      PumpDialogFor(window, 300);
      EXPECT_TRUE(TextsThatDoNotFit(window).empty()) << Describe(TextsThatDoNotFit(window));
      EXPECT_TRUE(SaveScreenshot(window, std::wstring(TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)) + L"\\tdialix-holiday-" +
                                             names[i] + L".png"));
      Click(dialog.CancelButton.Handle());
    });
  }
}

}  // namespace
}  // namespace tdialix
