// The world clock as the running program shows it: the icon's hint carries
// the displayed date and time.
#include "program_fixture_win.h"

#include "base/system_locale_win.h"

namespace tdialix {
namespace {

class WorldClockTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  static void PrepareSettings(const std::wstring& worldClock) {
    WriteText(SettingsFolder() + L"\\TDialix.ini",
              L"[General]\r\nWorldClock=" + worldClock + L"\r\n[View]\r\nTaskTrayFormat=yyyy-MM-dd HH:mm:ss\r\n");
  }

  // The time the icon's hint showed last.
  static std::optional<TDateTime> HintTime() {
    std::optional<TDateTime> shown;
    for (const std::wstring& line : TraceLines()) {
      int year, month, day, hour, minute, second;
      if (std::swscanf(line.c_str(), L"trayhint %d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second) == 6) {
        shown = TryEncodeDateTime({year, month, day}, {hour, minute, second, 0});
      }
    }
    return shown;
  }

  // Waits for a hint and compares it with the expected time of that moment.
  static void ExpectHintNear(const std::function<TDateTime()>& expected) {
    ::DeleteFileW(TracePath().c_str());
    ASSERT_TRUE(WaitUntil([] { return HintTime().has_value(); })) << TraceText();
    const TDateTime now = expected();
    EXPECT_LE(std::abs(*HintTime() - now), 3.0 / 86400) << TraceText();
  }
};

TEST_F(WorldClockTest, AFixedShiftMovesTheHintsTime) {
  PrepareSettings(L"1,1:30:00,1,\"\"");  // "時間を指定" 1:30:00 遅らせる
  auto program = StartInstance();
  EXPECT_TRUE(Traced(L"worldclock 1,1:30:00,1,\"\"")) << TraceText();
  ExpectHintNear([] { return LocalNow() - 1.5 / 24; });
  CloseInstance(*program);
}

TEST_F(WorldClockTest, ANamedZoneShowsItsLocalTimeAsTheSystemComputesIt) {
  PrepareSettings(L"0,5:00:00,1,\"Eastern Standard Time\"");
  // The zone's rules, as the system keeps them.
  HKEY opened = nullptr;
  ASSERT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\Eastern Standard Time", 0,
                            KEY_READ, &opened),
            ERROR_SUCCESS);
  const TUniqueRegistryKey key(opened);
  struct {
    LONG Bias, StandardBias, DaylightBias;
    SYSTEMTIME StandardDate, DaylightDate;
  } tzi{};
  DWORD size = sizeof tzi;
  ASSERT_EQ(::RegQueryValueExW(key.Get(), L"TZI", nullptr, nullptr, reinterpret_cast<BYTE*>(&tzi), &size),
            ERROR_SUCCESS);
  TIME_ZONE_INFORMATION zone{};
  zone.Bias = tzi.Bias;
  zone.StandardBias = tzi.StandardBias;
  zone.DaylightBias = tzi.DaylightBias;
  zone.StandardDate = tzi.StandardDate;
  zone.DaylightDate = tzi.DaylightDate;

  auto program = StartInstance();
  ExpectHintNear([&] {
    SYSTEMTIME utc{}, there{};
    ::GetSystemTime(&utc);
    ::SystemTimeToTzSpecificLocalTime(&zone, &utc, &there);
    return DateTimeOf(there);
  });
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
