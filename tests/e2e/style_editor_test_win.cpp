// The style editor as the running program opens it: by another program's
// request, by the menu and by a double click on the notification icon, one at
// a time, on the page it was last closed on; what OK applies reaches
// Default.dlx when the program closes, what Cancel leaves does not.
#include "program_fixture_win.h"

#include "app/popup_menu.h"
#include "base/date_time.h"
#include "calendar/time_slots.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

constexpr UINT kWmDialixEditStyle = 0x800B;

class StyleEditorTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  static std::wstring DefaultStyle() { return SettingsFolder() + L"\\Default.dlx"; }
  // A default style of 12 per cent with seconds.
  static void PrepareDefaultStyle() {
    WriteText(DefaultStyle(),
              L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontSize=12\r\nShowSecond=1\r\n");
  }
  static HWND WaitForEditor(const Program& program) {
    return WaitForTopWindow(program.Id, L"TDialixStyle", L"スタイルの編集");
  }
  static size_t EditorCount(const Program& program) { return VisibleWindowCount(L"TDialixStyle", program.Id); }
  // The control right after a caption (a label, or a group box's first control).
  static HWND After(HWND dialog, std::wstring_view caption) {
    const HWND label = FindControlByText(dialog, caption);
    return label ? ::GetWindow(label, GW_HWNDNEXT) : nullptr;
  }
  // Whether the page "書式" is the one showing (its group "秒" is visible).
  static bool FormatPageShown(HWND dialog) {
    const HWND group = FindControlByText(dialog, L"秒");
    return group && ::IsWindowVisible(group);
  }
  // A double click on the notification icon, as the taskbar reports it.
  static void DoubleClickTrayIcon(const Program& program) {
    const std::vector<HWND> icons = WindowsOfClass(L"TWRTaskTrayIcon", program.Id);
    ASSERT_FALSE(icons.empty());
    const UINT callback = ::RegisterWindowMessageW(L"TWRTaskTrayIcon");
    for (const LPARAM mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      ::PostMessageW(icons.front(), callback, 0, mouse);
    }
  }
};

TEST_F(StyleEditorTest, TheRequestTheMenuAndTheIconEachOpenOneEditorOnTheRememberedPage) {
  PrepareDefaultStyle();
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ::PostMessageW(program->Master(), kWmDialixEditStyle, 3, 0);
  HWND editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  EXPECT_TRUE(WaitUntil([] { return Traced(L"styleeditor-open 3"); })) << TraceText();
  EXPECT_TRUE(FormatPageShown(editor));
  EXPECT_EQ(SelectedItem(After(editor, L"秒")), 1) << "the prepared style shows seconds";
  // Requests while it is open only bring it forward.
  ::PostMessageW(program->Master(), kWmDialixEditStyle, 0, 0);
  ::PostMessageW(program->Master(), WM_COMMAND, kCmdEditStyle, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_EQ(EditorCount(*program), 1u);
  PostKey(editor, VK_ESCAPE);
  ExpectWindowGoes(editor);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"styleeditor-closed cancel"); })) << TraceText();

  // The menu opens it on the page it was closed on.
  ::PostMessageW(program->Master(), WM_COMMAND, kCmdEditStyle, 0);
  editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  EXPECT_TRUE(FormatPageShown(editor));
  EXPECT_FALSE(TracedPrefix(L"dialog-missing")) << TraceText();
  Click(FindControlByText(editor, L"キャンセル"));
  ExpectWindowGoes(editor);

  // A page that does not exist keeps the remembered one, too.
  DoubleClickTrayIcon(*program);
  editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  EXPECT_TRUE(FormatPageShown(editor));
  PostKey(editor, VK_ESCAPE);
  ExpectWindowGoes(editor);
  CloseInstance(*program);
  EXPECT_EQ(ReadStyleFile(DefaultStyle()).FontSize, 12);
}

TEST_F(StyleEditorTest, OkKeepsItsChangesInDefaultDlxAndCancelTakesItsOwnBack) {
  PrepareDefaultStyle();
  auto program = StartInstance();
  const HWND clock = ShownClock(program->Id);
  ASSERT_TRUE(clock);
  RECT before{};
  ::GetWindowRect(clock, &before);

  // 書式: no seconds, applied with OK; the clock narrows at once.
  ::PostMessageW(program->Master(), kWmDialixEditStyle, 3, 0);
  HWND editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  SelectItem(After(editor, L"秒"), 0);
  EXPECT_TRUE(WaitUntil([&] {
    RECT now{};
    ::GetWindowRect(clock, &now);
    return now.right - now.left < before.right - before.left;
  })) << "the preview shows on the clock";
  Click(FindControlByText(editor, L"OK"));
  ExpectWindowGoes(editor);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"styleeditor-apply redrawn"); })) << TraceText();
  EXPECT_TRUE(Traced(L"styleeditor-closed ok"));

  // 書体: a bigger size, previewed, then cancelled.
  ::PostMessageW(program->Master(), kWmDialixEditStyle, 0, 0);
  editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  const HWND size = After(editor, L"サイズ:");
  ASSERT_EQ(WindowText(size), L"12");
  SetText(size, L"20");
  EXPECT_TRUE(WaitUntil([] { return TracedPrefix(L"glyphbuild-end "); })) << TraceText();
  PostKey(editor, VK_ESCAPE);
  ExpectWindowGoes(editor);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"styleeditor-closed cancel"); })) << TraceText();
  CloseInstance(*program);

  const TStyle saved = ReadStyleFile(DefaultStyle());
  EXPECT_FALSE(saved.ShowSecond);
  EXPECT_EQ(saved.FontSize, 12) << "Cancel took the size back";
}

TEST_F(StyleEditorTest, ACloseRequestEndsTheEditorAsCancelThenClosesWithTheAppliedStyle) {
  PrepareDefaultStyle();
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ::PostMessageW(program->Master(), kWmDialixEditStyle, 0, 0);
  const HWND editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  SetText(After(editor, L"サイズ:"), L"30");
  CloseInstance(*program);
  const std::vector<std::wstring> lines = TraceLines();
  const auto cancelled = std::find(lines.begin(), lines.end(), L"styleeditor-closed cancel");
  const auto closed = std::find(lines.begin(), lines.end(), L"close");
  EXPECT_TRUE(cancelled != lines.end() && closed != lines.end() && cancelled < closed) << TraceText();
  EXPECT_EQ(ReadStyleFile(DefaultStyle()).FontSize, 12);
}

TEST_F(StyleEditorTest, AnAutomaticChangeDueWhileTheEditorIsOpenWaitsUntilItCloses) {
  // An entry a little later today, for today's day type.
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const int due = now.wHour * 3600 + now.wMinute * 60 + now.wSecond + 20;
  if (due >= 86400 - 5) GTEST_SKIP() << "too close to midnight";
  const TDateTime today = *TryEncodeDate(now.wYear, now.wMonth, now.wDay);
  const std::wstring style = TempPath(L"tdialix-e2e-editor-auto.dlx");
  WriteText(style, L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nShowSecond=1\r\n");
  const std::wstring time = std::to_wstring(due / 3600) + L":" + (due / 60 % 60 < 10 ? L"0" : L"") +
                            std::to_wstring(due / 60 % 60) + L":" + (due % 60 < 10 ? L"0" : L"") +
                            std::to_wstring(due % 60);
  WriteText(SettingsFolder() + L"\\TDialix.ini",
            L"[View]\r\nAutoStyleChange=1\r\n[Holidays]\r\n[StyleChangeTime]\r\nTime1=" +
                std::to_wstring(DayTypeOf(today, false)) + L",\"" + style + L"\"," + time + L"\r\n");
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  ::PostMessageW(program->Master(), kWmDialixEditStyle, 0, 0);
  const HWND editor = WaitForEditor(*program);
  ASSERT_TRUE(editor) << TraceText();
  SYSTEMTIME opened{};
  ::GetLocalTime(&opened);
  if (opened.wHour * 3600 + opened.wMinute * 60 + opened.wSecond >= due) {
    CloseInstance(*program);
    ::DeleteFileW(style.c_str());
    GTEST_SKIP() << "the program took too long to start";
  }
  // Past the entry's time the editor is still open: nothing was loaded.
  EXPECT_TRUE(WaitUntil(
      [&] {
        SYSTEMTIME t{};
        ::GetLocalTime(&t);
        return t.wHour * 3600 + t.wMinute * 60 + t.wSecond >= due + 2;
      },
      40000));
  EXPECT_FALSE(TracedPrefix(L"autostyle ")) << TraceText();
  PostKey(editor, VK_ESCAPE);
  ExpectWindowGoes(editor);
  EXPECT_TRUE(WaitUntil([&] { return Traced(L"autostyle " + style); })) << "the entry stayed pending\n" << TraceText();
  CloseInstance(*program);
  ::DeleteFileW(style.c_str());
}

}  // namespace
}  // namespace tdialix
