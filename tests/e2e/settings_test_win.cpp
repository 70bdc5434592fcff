// The settings file and the clock window's behaviour as the running program
// shows them: what a close writes, what a start reads, dragging, locking,
// other programs' show and hide requests, and hiding on hover.
#include "program_fixture_win.h"

#include "app/master_window_win.h"
#include "app/monitor_list.h"
#include "app/settings_file.h"
#include "base/path.h"
#include "base/system_locale_win.h"

namespace tdialix {
namespace {

std::wstring SettingsFile() { return SettingsFolder() + L"\\TDialix.ini"; }
std::wstring DefaultStyle() { return SettingsFolder() + L"\\Default.dlx"; }

TSettingsEnvironment Environment() {
  TSettingsEnvironment environment;
  environment.DefaultStyleFile = DefaultStyle();
  environment.Formats = SystemFormatSettings();
  environment.TimeZoneBias = CurrentTimeZoneBias();
  return environment;
}

TSettings SettingsIn(const std::wstring& path) {
  const TIniDocument document = TIniDocument::FromBytes(ReadBytes(path));
  TSettings settings;
  LoadSettings(&document, settings, Environment());
  return settings;
}

// A style whose background is opaque everywhere, so that every pixel of the
// clock takes the pointer.
void PrepareOpaqueStyle() {
  WriteText(DefaultStyle(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nBackGroundType=1\r\n"
                            L"BackGroundAlpha=0\r\nBackGroundColor=4210752\r\n");
}

// Where a placement puts the clock on the (only) monitor.
TPoint ClockOriginOf(const TPlacement& placement) {
  return ClockOrigin({0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, placement);
}

class SettingsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  static RECT WindowRect(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
  }
  // Presses the left button in the clock's middle, moves by (dx, dy) in steps and lets go.
  static void Drag(HWND clock, int dx, int dy) {
    const RECT r = WindowRect(clock);
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    Xdotool(L"mousemove " + std::to_wstring(x) + L" " + std::to_wstring(y));
    ::Sleep(200);
    Xdotool(L"mousedown 1");
    for (int step = 1; step <= 5; ++step) {
      ::Sleep(50);
      Xdotool(L"mousemove " + std::to_wstring(x + dx * step / 5) + L" " + std::to_wstring(y + dy * step / 5));
    }
    ::Sleep(200);
    Xdotool(L"mouseup 1");
    ::Sleep(300);
  }
};

TEST_F(SettingsTest, TheFirstCloseWritesTheDefaultsAndTheBuiltInHolidays) {
  auto program = StartInstance();
  CloseInstance(*program);
  ASSERT_EQ(::GetFileAttributesW(SettingsFile().c_str()) != INVALID_FILE_ATTRIBUTES, true) << "no settings file";
  EXPECT_EQ(ReadBytes(SettingsFile()).rfind("\xFF\xFE", 0), 0u) << "not UTF-16 with a byte order mark";
  TSettings defaults;
  LoadSettings(nullptr, defaults, Environment());
  const TSettings written = SettingsIn(SettingsFile());
  EXPECT_FALSE(written.HolidayList.empty());
  EXPECT_EQ(written.HolidayList, DefaultHolidays());
  EXPECT_TRUE(written == defaults) << ReadBytes(SettingsFile()).size() << " bytes";
}

TEST_F(SettingsTest, PreparedSettingsSurviveStartAndClose) {
  WriteText(SettingsFile(),
            L"[View]\r\nTransParent=70\r\nZOrderMode=3\r\nShowToolTip=1\r\nToolTipFormat=yyyy|HH:nn\r\n"
            L"LockVisibleChange=1\r\n[Operation]\r\nHideSensitive=33\r\nHideType=2\r\nHoleSize=250\r\n"
            L"Locked=1\r\n[Advanced]\r\nTimerInterval=48\r\nPowerSavingMode=0\r\nPriority=16384\r\n"
            L"[Holidays]\r\nHoliday1=0,0,5,1,5,1,\"こどもの日\"\r\n"
            L"[RecentStyles]\r\nStyle1=C:\\styles\\a,b.dlx\r\n[Unknown]\r\nKept=yes\r\n");
  const TSettings before = SettingsIn(SettingsFile());
  EXPECT_EQ(before.HideType, htHole);
  EXPECT_FALSE(before.EnableOtherwiseShowWindow);
  auto program = StartInstance();
  CloseInstance(*program);
  const TSettings after = SettingsIn(SettingsFile());
  EXPECT_TRUE(after == before);
  EXPECT_EQ(after.Priority, 16384);
  EXPECT_EQ(after.RecentStyles, std::vector<std::wstring>{L"C:\\styles\\a,b.dlx"});
  const TIniDocument document = TIniDocument::FromBytes(ReadBytes(SettingsFile()));
  EXPECT_EQ(document.ReadString(L"Unknown", L"Kept", L""), L"yes");
}

// Two starts in a row find the settings file locked (by a backup, a sync or
// a virus scanner). The first keeps the user's file as a copy before it saves
// its defaults; the second leaves that copy alone.
TEST_F(SettingsTest, AFileUnreadableAtStartIsKeptBesideTheNewOne) {
  const std::wstring original = L"[View]\r\nTransParent=55\r\n";
  WriteText(SettingsFile(), original);
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(testing::Message() << "start " << start);
    ::DeleteFileW(TracePath().c_str());
    std::unique_ptr<Program> program;
    {
      // Locked while the program starts, as another program might hold it.
      TUniqueKernelHandle locked(::CreateFileW(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
      ASSERT_TRUE(locked);
      program = std::make_unique<Program>(L"");
      HWND box = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(program->Id)) != nullptr; })) << "no warning shown";
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      ASSERT_TRUE(WaitUntil([] { return TracedPrefix(L"initialized "); }));
    }
    CloseInstance(*program);
    EXPECT_EQ(ReadBytes(SettingsFile() + L".bak"), EncodeUtf16LeWithBom(original)) << "the user's file was not kept";
    EXPECT_EQ(SettingsIn(SettingsFile()).TransParent, 100);  // started with the defaults, and saved them
  }
}

// The default style file locked while the program starts: the clock runs with
// the built-in defaults, and closing does not save them over the user's look,
// time slots and positions. The next start finds the user's style again.
TEST_F(SettingsTest, ADefaultStyleLockedDuringTheStartKeepsTheUsersStyle) {
  WriteText(DefaultStyle(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontSize=12.5\r\n"
                            L"FontColor=255\r\n[Position]\r\nMonitor1=40,50,1\r\n[Mine]\r\nNote=keep me\r\n");
  const std::string users = ReadBytes(DefaultStyle());
  std::unique_ptr<Program> program;
  {
    TUniqueKernelHandle locked(::CreateFileW(DefaultStyle().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked);
    program = StartInstance();
  }
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  EXPECT_LT(WindowRect(clock).left, ::GetSystemMetrics(SM_CXSCREEN) / 10) << "not the built-in defaults";
  CloseInstance(*program);
  EXPECT_EQ(ReadBytes(DefaultStyle()), users) << "the defaults replaced the user's style";

  program = StartInstance();
  const HWND again = ShownClock(program->Id);
  ASSERT_TRUE(again);
  EXPECT_EQ(WindowRect(again).left, ClockOriginOf({40, 50, true}).X);
  CloseInstance(*program);
  EXPECT_EQ(ReadStyleFile(DefaultStyle()).FontSize, 12.5);
}

TEST_F(SettingsTest, ADragStoresThePositionInPerCentOfTheMonitor) {
  PrepareOpaqueStyle();
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  const RECT before = WindowRect(clock);
  Drag(clock, 300, 200);
  const RECT after = WindowRect(clock);
  EXPECT_GT(after.left, before.left + 100) << "the clock did not move";
  CloseInstance(*program);
  std::vector<TPlacement> placements;
  ReadStyleFile(DefaultStyle(), &placements);
  ASSERT_FALSE(placements.empty());
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  // Stored to the step a drag keeps, so that the clock comes back to the same pixel.
  EXPECT_NEAR(placements[0].X, after.left * 100.0 / width, 0.005);
  EXPECT_NEAR(placements[0].Y, after.top * 100.0 / height, 0.005);
  EXPECT_EQ(ClockOriginOf(placements[0]), (TPoint{after.left, after.top}));
}

TEST_F(SettingsTest, ALockedClockDoesNotMove) {
  PrepareOpaqueStyle();
  WriteText(SettingsFile(), L"[Operation]\r\nLocked=1\r\n");
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  const RECT before = WindowRect(clock);
  Drag(clock, 300, 200);
  const RECT after = WindowRect(clock);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  CloseInstance(*program);
}

TEST_F(SettingsTest, OtherProgramsHideTheClockOnlyWhenAllowed) {
  for (const bool allowed : {false, true}) {
    SCOPED_TRACE(allowed ? "allowed" : "locked");
    ::DeleteFileW(TracePath().c_str());
    WriteText(SettingsFile(), allowed ? L"[View]\r\nLockVisibleChange=0\r\n" : L"[View]\r\nLockVisibleChange=1\r\n");
    auto program = StartInstance();
    const HWND clock = ShownClock(program->Id);
    ASSERT_TRUE(clock);
    ::ShowWindow(clock, SW_HIDE);
    if (allowed) {
      EXPECT_TRUE(WaitUntil([] { return Traced(L"clockshown 0 0"); })) << "the clock was not hidden";
    } else {
      ::Sleep(300);
      EXPECT_TRUE(::IsWindowVisible(clock)) << "another program hid the clock";
      EXPECT_FALSE(Traced(L"clockshown 0 0"));
    }
    CloseInstance(*program);
  }
}

// Whether window a stands above window b in the z-order.
bool Above(HWND a, HWND b) {
  for (HWND window = ::GetTopWindow(nullptr); window; window = ::GetWindow(window, GW_HWNDNEXT)) {
    if (window == a) return true;
    if (window == b) return false;
  }
  return false;
}

// "Always on top" keeps the clock above other programs' windows, but not
// above the program's own: its date tooltip stays on top of it, tick after tick.
TEST_F(SettingsTest, AlwaysOnTopLeavesTheDateTooltipAboveTheClock) {
  PrepareOpaqueStyle();
  WriteText(SettingsFile(), L"[View]\r\nZOrderMode=2\r\nShowToolTip=1\r\n");
  Xdotool(L"mousemove 1200 1000");
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  const RECT r = WindowRect(clock);
  Xdotool(L"mousemove " + std::to_wstring((r.left + r.right) / 2) + L" " + std::to_wstring((r.top + r.bottom) / 2));
  HWND tip = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    for (HWND window : WindowsOfClass(L"tooltips_class32", program->Id)) {
      if (::IsWindowVisible(window)) tip = window;
    }
    return tip != nullptr;
  })) << "the tooltip did not show";
  for (int sample = 0; sample < 20; ++sample) {  // a second: about thirty ticks
    EXPECT_TRUE(Above(tip, clock)) << "sample " << sample;
    ::Sleep(50);
  }
  Xdotool(L"mousemove 1200 1000");
  CloseInstance(*program);
}

TEST_F(SettingsTest, InHideModeTheClockFadesUnderThePointer) {
  PrepareOpaqueStyle();
  WriteText(SettingsFile(), L"[Operation]\r\nHideType=1\r\nHideAlpha=25\r\n");
  Xdotool(L"mousemove 1200 1000");
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"alpha 0 255"); }));
  const RECT r = WindowRect(clock);
  Xdotool(L"mousemove " + std::to_wstring((r.left + r.right) / 2) + L" " + std::to_wstring((r.top + r.bottom) / 2));
  EXPECT_TRUE(WaitUntil([] { return Traced(L"alpha 0 64"); })) << TraceText();
  ::DeleteFileW(TracePath().c_str());
  Xdotool(L"mousemove 1200 1000");
  EXPECT_TRUE(WaitUntil([] { return Traced(L"alpha 0 255"); })) << "the clock did not come back";
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
