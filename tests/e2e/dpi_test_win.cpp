// The program at 100 % and 150 %, in a Wine session of its own whose DPI the
// test sets in the prefix before each start (Wine reads it as a process
// starts): the clock keeps its share of the monitor in real pixels, the
// settings dialog grows by half and its texts still fit.
#include "program_fixture_win.h"

#include "base/dpi.h"
#include "base/dpi_win.h"
#include "base/system_locale_win.h"
#include "components/form_layout.h"
#include "components/tray_icon_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_SCREENSHOTS_W TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)

void SetPrefixDpi(DWORD dpi) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
}

// The settings dialog's font, which another process cannot read from its
// handles: the dialog font as the program makes it at the system's DPI.
std::optional<LOGFONTW> DialogFont(HWND) {
  LOGFONTW font{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  if (UsesDialogFontFace(CurrentWindowsVersion())) {
    lstrcpynW(font.lfFaceName, kDialogFontFace, LF_FACESIZE);
    font.lfCharSet = DEFAULT_CHARSET;
  }
  return font;
}

SIZE SizeOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

struct TMeasured {
  SIZE Clock{};
  SIZE Dialog{};
};

class DpiTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override {
    SetPrefixDpi(96);
    RemoveFolder(SettingsFolder());
  }

  // Starts the program at a DPI, measures its clock and its settings
  // dialog, checks that the dialog's texts fit, and keeps a screenshot.
  TMeasured Measure(DWORD dpi) {
    SetPrefixDpi(dpi);
    TMeasured measured;
    auto program = StartInstance();
    const HWND clock = ShownClock(program->Id);
    EXPECT_TRUE(clock) << TraceText();
    if (!clock) return measured;
    measured.Clock = SizeOf(clock);
    Program second(L"");  // a second start opens the settings dialog
    EXPECT_EQ(second.WaitForExit(), DWORD{0});
    const HWND dialog = WaitForTopWindow(program->Id, L"TDialixSetting", L"共通設定");
    EXPECT_TRUE(dialog) << TraceText();
    if (dialog) {
      WaitUntil([] { return false; }, 500);  // the pages draw themselves
      measured.Dialog = SizeOf(dialog);
      EXPECT_TRUE(TextsThatDoNotFit(dialog, &DialogFont).empty())
          << dpi << " dpi: " << Describe(TextsThatDoNotFit(dialog, &DialogFont));
      EXPECT_TRUE(SaveScreenshot(dialog, std::wstring(TDIALIX_SCREENSHOTS_W) + L"\\tdialix-setting-view-" +
                                             std::to_wstring(dpi) + L".png"));
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
    }
    CloseInstance(*program);
    return measured;
  }
};

TEST_F(DpiTest, AtOneHundredFiftyPerCentTheClockKeepsItsPixelsAndTheDialogGrowsByHalf) {
  const TMeasured at96 = Measure(96);
  const TMeasured at144 = Measure(144);
  // The clock is a share of its monitor in the monitor's own pixels: the same
  // window at both scales, where a program without DPI awareness would draw
  // it from a monitor two thirds as high and leave the system to stretch it.
  EXPECT_GT(at96.Clock.cy, 0);
  EXPECT_EQ(at144.Clock.cx, at96.Clock.cx);
  EXPECT_EQ(at144.Clock.cy, at96.Clock.cy);
  // The dialog is designed at 96 dpi: one and a half times as large, give or
  // take the rounding of each control and of the frame.
  EXPECT_NEAR(at144.Dialog.cx, at96.Dialog.cx * 3 / 2, 6);
  EXPECT_NEAR(at144.Dialog.cy, at96.Dialog.cy * 3 / 2, 6);
}

TEST_F(DpiTest, TheSystemReportsTheScaleThroughTheFunctionsTheProgramLooksUp) {
  // This process started at the session's 96 dpi; what Wine says of the
  // functions that newer Windows have and the program resolves at run time.
  EXPECT_EQ(SystemDpi(), 96);
  EXPECT_EQ(DpiForMonitor(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)), 96);
  EXPECT_EQ(SmallIconSizeForDpi(96), 16);
  EXPECT_EQ(SmallIconSizeForDpi(144), SmallIconSize(144));
  RECT frame{0, 0, 300, 200};
  AdjustWindowRectForDpi(frame, WS_CAPTION | WS_SYSMENU, 0, 96);
  EXPECT_GT(frame.bottom - frame.top, 200);
}

}  // namespace
}  // namespace tdialix
