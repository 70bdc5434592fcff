// The master window in this process: the parts of its behaviour that Wine
// shows only to the process that changes something, such as the user's
// regional formats (each process keeps the ones it has read).
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/application_win.h"
#include "app/master_window_win.h"
#include "base/date_format.h"
#include "base/system_locale_win.h"
#include "clock/display_string.h"
#include "dialog_driver_win.h"
#include "../support/host_program_win.h"

namespace tdialix {
namespace {

// Pumps this thread's messages until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& condition, int milliseconds = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < end) {
    PumpMessages();
    if (condition()) return true;
    ::Sleep(10);
  }
  return condition();
}

class MasterWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    Application = std::make_unique<TApplication>();
    Master = std::make_unique<TDialixMaster>(*Application, std::vector<std::wstring>{});
    ASSERT_TRUE(PumpUntil([this] { return Application->Initialized; })) << "no deferred initialisation";
  }
  void TearDown() override {
    Master.reset();
    Application.reset();
    PumpMessages();
  }
  std::unique_ptr<TApplication> Application;
  std::unique_ptr<TDialixMaster> Master;
};

// A new long date format in the regional settings reaches the icon's hint at
// once, without a restart.
TEST_F(MasterWindowTest, RegionalFormatChangesReachTheIconHint) {
  wchar_t before[128] = {};
  ASSERT_GT(::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, before, 128), 0);
  struct TRestore {
    const wchar_t* Format;
    ~TRestore() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, Format); }
  } restore{before};
  ASSERT_TRUE(PumpUntil([this] { return !Master->TrayHint.empty(); }));
  EXPECT_EQ(Master->TrayHint.find(L'-'), std::wstring::npos) << "the format is dashed already";

  ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, L"yyyy'-'MM'-'dd"));
  ::SendMessageW(Master->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t today[32] = {};
  std::swprintf(today, 32, L"%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
  EXPECT_EQ(Master->TrayHint, today);
  // And the ticks after it keep to it.
  PumpUntil([] { return false; }, 1200);
  EXPECT_EQ(Master->TrayHint, today);
}

// The world-clock dialog from the menu: each change shows on the clocks at
// once, Cancel takes it back, OK keeps it for the settings file.
TEST_F(MasterWindowTest, TheWorldClockDialogChangesTheClocksAtOnce) {
  // Whatever an earlier run left in the settings file: the clocks show local time.
  Master->Settings.WorldClock = LocalWorldClock(Master->TimeZoneBias);
  Master->WorldClockChanged();
  const TWorldClock before = Master->Settings.WorldClock;
  // The display string of the time the clocks show, at this moment.
  const auto shownText = [this] {
    for (;;) {
      const TDateTime shown = Master->DisplayedNow();
      const std::wstring text = BuildDisplayString(shown, Master->Style, true, Master->SaveDisplayColor);
      if (Master->DisplayedNow() - shown < 0.5 / 86400) return text;
    }
  };
  const auto openAndDrive = [this](const std::function<void(HWND)>& drive) {
    RunModal(
        [this] {
          Master->ExecuteCommand(kCmdWorldClock);
          return 0;
        },
        drive);
  };

  openAndDrive([&](HWND dialog) {
    SelectItem(FindControlByClass(dialog, L"ComboBox", 0), 1);  // 時間を指定
    SetPickerTime(FindControlByClass(dialog, DATETIMEPICK_CLASSW), 1, 30, 0);
    Click(FindControlByText(dialog, L"遅らせる"));
    EXPECT_NEAR(Master->DisplayedNow(), LocalNow() - 1.5 / 24, 2.0 / 86400);
    EXPECT_EQ(Master->NowText, shownText()) << "the clocks' display string changed at once";
    Click(FindControlByText(dialog, L"キャンセル"));
  });
  EXPECT_EQ(Master->Settings.WorldClock, before);
  EXPECT_NEAR(Master->DisplayedNow(), LocalNow(), 2.0 / 86400);
  EXPECT_EQ(Master->NowText, shownText());

  openAndDrive([&](HWND dialog) {
    SelectItem(FindControlByClass(dialog, L"ComboBox", 0), 1);
    SetPickerTime(FindControlByClass(dialog, DATETIMEPICK_CLASSW), 1, 30, 0);
    Click(FindControlByText(dialog, L"遅らせる"));
    Click(FindControlByText(dialog, L"OK"));
  });
  EXPECT_EQ(Master->Settings.WorldClock.Specification, wcManual);
  EXPECT_NEAR(Master->Settings.WorldClock.Time, -1.5 / 24, 1e-9);
  EXPECT_NEAR(Master->DisplayedNow(), LocalNow() - 1.5 / 24, 2.0 / 86400);
  ASSERT_TRUE(Master->SaveSettings());
  TIniDocument saved;
  ASSERT_EQ(Master->SettingsStore->Read(saved), TSettingsRead::srRead);
  EXPECT_EQ(saved.Read(L"General", L"WorldClock").value_or(L"").substr(0, 10), L"1,1:30:00,");

  Master->Settings.WorldClock = before;
  Master->SaveSettings();
}

}  // namespace
}  // namespace tdialix
