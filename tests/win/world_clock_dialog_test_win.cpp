// The world-clock dialog "世界時計" in the test's own process.
#include "dialogs/world_clock_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)

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
          zone(-540, L"Tokyo Standard Time", L"(UTC+09:00) Osaka, Sapporo, Tokyo")};
}

std::wstring Text(const TWorldClock& record) { return FormatWorldClock(record, TFormatSettings{}); }

TEST(WorldClockDialog, OpensOnTheSavedZoneWithItsDisplayName) {
  TDialixWorld dialog(nullptr, {wcTimeZone, -5.0 / 24, wcDec, L"Eastern Standard Time"}, Zones(),
                      L"Tokyo Standard Time", nullptr);
  dialog.CreateForm();
  EXPECT_EQ(WindowClass(dialog.Handle()), L"TDialixWorld");
  EXPECT_EQ(WindowText(dialog.Handle()), L"世界時計");
  EXPECT_EQ(ItemTexts(dialog.ModeCombo.Handle()), (std::vector<std::wstring>{L"地域を指定", L"時間を指定"}));
  EXPECT_EQ(SelectedItem(dialog.ModeCombo.Handle()), 0);
  EXPECT_EQ(ItemTexts(dialog.ZoneCombo.Handle()).size(), 3u);
  EXPECT_EQ(SelectedItem(dialog.ZoneCombo.Handle()), 1);
  EXPECT_EQ(WindowText(dialog.ZoneDisplayLabel.Handle()), L"(UTC-05:00) Eastern Time (US & Canada)");
  EXPECT_TRUE(Visible(dialog.ZoneCombo) && Visible(dialog.ZoneDisplayLabel));
  EXPECT_FALSE(Visible(dialog.TimePicker) || Visible(dialog.ForwardRadio) || Visible(dialog.BackRadio));
  EXPECT_TRUE(IsChecked(dialog.BackRadio.Handle()));

  SelectItem(dialog.ModeCombo.Handle(), 1);
  EXPECT_TRUE(Visible(dialog.TimePicker) && Visible(dialog.ForwardRadio) && Visible(dialog.BackRadio));
  EXPECT_FALSE(Visible(dialog.ZoneCombo) || Visible(dialog.ZoneDisplayLabel) || Visible(dialog.ZoneLabel));
  // Choosing another zone shows its display name.
  SelectItem(dialog.ModeCombo.Handle(), 0);
  SelectItem(dialog.ZoneCombo.Handle(), 2);
  EXPECT_EQ(WindowText(dialog.ZoneDisplayLabel.Handle()), L"(UTC+09:00) Osaka, Sapporo, Tokyo");
}

TEST(WorldClockDialog, EveryChangeAppliesAtOnceAndCancelPutsTheRecordBack) {
  const TWorldClock before = LocalWorldClock(-540);
  std::vector<std::wstring> applied;
  const auto apply = [&](const TWorldClock& record, const TTimeZone*) { applied.push_back(Text(record)); };
  const TWorldClock kept = [&] {
    TWorldClock result;
    RunModal(
        [&] {
          result = EditWorldClock(nullptr, before, Zones(), L"Tokyo Standard Time", apply);
          return 0;
        },
        [&](HWND dialog) {
          EXPECT_EQ(applied, std::vector<std::wstring>{L"0,9:00:00,0,\"Tokyo Standard Time\""}) << "shown as it is";
          SelectItem(FindControlByClass(dialog, L"ComboBox", 0), 1);  // 時間を指定
          SetPickerTime(FindControlByClass(dialog, DATETIMEPICK_CLASSW), 1, 30, 0);
          Click(FindControlByText(dialog, L"遅らせる"));
          EXPECT_EQ(applied.back(), L"1,1:30:00,1,\"Tokyo Standard Time\"");
          Click(FindControlByText(dialog, L"キャンセル"));
        });
    return result;
  }();
  EXPECT_EQ(kept, before);
  EXPECT_EQ(applied.back(), Text(before)) << "cancel gives the clocks the old record";

  // OK keeps the last one.
  applied.clear();
  TWorldClock result;
  RunModal(
      [&] {
        result = EditWorldClock(nullptr, before, Zones(), L"Tokyo Standard Time", apply);
        return 0;
      },
      [&](HWND dialog) {
        SelectItem(FindControlByClass(dialog, L"ComboBox", 1), 1);  // Eastern Standard Time
        Click(FindControlByText(dialog, L"OK"));
      });
  EXPECT_EQ(Text(result), L"0,5:00:00,1,\"Eastern Standard Time\"");
  EXPECT_EQ(applied.back(), Text(result));
}

TEST(WorldClockDialog, EveryTextFitsInBothModes) {
  for (const TWorldClock& record : {TWorldClock{wcTimeZone, -5.0 / 24, wcDec, L"AUS Eastern Standard Time"},
                                    TWorldClock{wcManual, -1.5 / 24, wcDec, L""}}) {
    TDialixWorld dialog(nullptr, record, Zones(), L"Tokyo Standard Time", nullptr);
    RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
      PumpDialogFor(window, 300);
      EXPECT_TRUE(TextsThatDoNotFit(window).empty()) << Describe(TextsThatDoNotFit(window));
      const std::wstring name = record.Specification == wcManual ? L"time" : L"zone";
      EXPECT_TRUE(
          SaveScreenshot(window, std::wstring(TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)) + L"\\tdialix-world-" + name + L".png"));
      Click(dialog.CancelButton.Handle());
    });
  }
}

}  // namespace
}  // namespace tdialix
