// Today's day type as the running program decides it from the holiday rules
// of its settings file.
#include "program_fixture_win.h"

#include "base/date_time.h"
#include "base/messages.h"
#include "calendar/time_slots.h"

namespace tdialix {
namespace {

class HolidayTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  // The date and day type of the first decision the program traced.
  static std::optional<std::pair<TDateTime, int>> FirstDecision() {
    for (const std::wstring& line : TraceLines()) {
      int year = 0, month = 0, day = 0, type = -1;
      if (std::swscanf(line.c_str(), L"daytype %d-%d-%d %d", &year, &month, &day, &type) == 4) {
        if (const auto date = TryEncodeDate(year, month, day)) return std::pair{*date, type};
      }
    }
    return std::nullopt;
  }

  static TDateTime Today() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return *TryEncodeDate(now.wYear, now.wMonth, now.wDay);
  }
};

TEST_F(HolidayTest, ARuleForTodayMakesItAHoliday) {
  // Today and tomorrow, so that a start across midnight finds a rule too.
  std::wstring rules = L"[Holidays]\r\n";
  int key = 1;
  for (const TDateTime date : {Today(), Today() + 1}) {
    const TDateParts day = DecodeDate(date);
    rules += FormatText(L"Holiday%d=1,0,%d,0,%d,0,\"test\"\r\n", {key++, day.Month, day.Day});
  }
  WriteText(SettingsFolder() + L"\\TDialix.ini", rules);

  auto program = StartInstance();
  ASSERT_TRUE(WaitUntil([] { return FirstDecision().has_value(); })) << TraceText();
  EXPECT_EQ(FirstDecision()->second, dtHoliday) << TraceText();
  CloseInstance(*program);
}

TEST_F(HolidayTest, WithoutRulesTodayHasItsPlainType) {
  WriteText(SettingsFolder() + L"\\TDialix.ini", L"[Holidays]\r\n");

  auto program = StartInstance();
  ASSERT_TRUE(WaitUntil([] { return FirstDecision().has_value(); })) << TraceText();
  const auto [date, type] = *FirstDecision();
  EXPECT_LE(std::abs(date - Today()), 1.0);
  EXPECT_EQ(type, DayTypeOf(date, false)) << TraceText();
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
