// Every kind of failure, provoked in TDialixFaultTest.exe (the program with
// one test-only source file): the report or its stand-in with the right
// details, one report only, the end with exit code 1, and what the settings
// folder holds afterwards.
#include "program_fixture_win.h"

#include <algorithm>
#include <regex>

#include "app/popup_menu.h"
#include "app/settings_file.h"
#include "base/messages.h"
#include "components/error_report.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_FAULT_EXE_W TDIALIX_WIDEN(TDIALIX_FAULT_EXE)
#define TDIALIX_SCREENSHOTS_W TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)

constexpr UINT kWmDialixHookMouse = 0x8064;

enum TFault : WPARAM { ftException = 1, ftAccessViolation = 2, ftReportFails = 3, ftStackOverflow = 4, ftTerminate = 5 };

// The fault-test program keeps its settings under its own file name.
std::wstring SettingsFile() { return SettingsFolder() + L"\\TDialixFaultTest.ini"; }
std::wstring DefaultStyle() { return SettingsFolder() + L"\\Default.dlx"; }

// Addresses are as wide as the program's pointers (the tests have the program's bitness).
const std::wstring kHex = L"[0-9A-F]{" + std::to_wstring(sizeof(void*) * 2) + L"}";

bool Contains(const std::string& bytes, const std::string& part) { return bytes.find(part) != std::string::npos; }

class FailureTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }

  std::unique_ptr<Program> Start() {
    auto program = StartInstanceOf(TDIALIX_FAULT_EXE_W);
    EXPECT_TRUE(ShownClock(program->Id)) << TraceText();
    return program;
  }
  static void Provoke(const Program& program, TFault fault) {
    ::PostMessageW(program.Master(), ::RegisterWindowMessageW(L"TDialixFaultTest"), fault, 0);
  }
  // Moves the clocks to the bottom right corner: a change that only closing saves.
  static void MoveClocks(const Program& program) {
    ::PostMessageW(program.Master(), WM_COMMAND, kCmdMoveFirst + 8, 0);
  }
  static HWND Report(const Program& program) {
    const HWND report = WaitForTopWindow(program.Id, L"TErrorDlg", L"TDialix");
    EXPECT_TRUE(report) << TraceText();
    return report;
  }
  static std::wstring Details(HWND report) { return WindowText(FindControlByClass(report, L"Edit")); }
  // The details' first line: the exception text.
  static std::wstring ExceptionText(HWND report) {
    const std::wstring details = Details(report);
    return details.substr(0, details.find(L"\r\n"));
  }
  static void ClickDetailsLink(HWND report) {
    const HWND link = FindControlByClass(report, L"SysLink");
    const SIZE size = ClientSize(link);
    const LPARAM at = MAKELPARAM(4, size.cy / 2);  // the link's text starts at its left edge
    ::PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(link, WM_LBUTTONUP, 0, at);
  }
  // The trace's lines after the first that starts with the prefix.
  static std::vector<std::wstring> TraceLinesAfter(const std::wstring& prefix) {
    std::vector<std::wstring> lines = TraceLines();
    auto first = std::find_if(lines.begin(), lines.end(), [&](const std::wstring& l) { return l.rfind(prefix, 0) == 0; });
    if (first == lines.end()) return {};
    return {first + 1, lines.end()};
  }
  static void ExpectEndsWithExitCodeOne(const Program& program) {
    EXPECT_EQ(program.WaitForExit(), DWORD{1}) << TraceText();
    EXPECT_TRUE(Traced(L"failure-end")) << TraceText();
    EXPECT_TRUE(WindowsOfClass(L"TDialix", program.Id).empty());
  }
};

TEST_F(FailureTest, ACxxExceptionShowsTheReportOnceAndTheEndSavesWhatClosingSaves) {
  const std::wstring other = TempPath(L"tdialix-failure-other.dlx");
  WriteText(other, L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontSize=12.5\r\n");
  auto program = Start();
  // A style loaded and a clock moved since the last save.
  Program handOver(TDIALIX_FAULT_EXE_W, L"\"" + other + L"\"");
  EXPECT_EQ(handOver.WaitForExit(), DWORD{0});
  ASSERT_TRUE(WaitUntil([&] { return Traced(L"loadstyle " + other); })) << TraceText();
  MoveClocks(*program);
  Provoke(*program, ftException);

  const HWND report = Report(*program);
  ASSERT_TRUE(report);
  EXPECT_EQ(ExceptionText(report), L"TDialixFaultTest: a C++ exception with a second line");
  EXPECT_EQ(Details(report), L"TDialixFaultTest: a C++ exception with a second line\r\n\r\n" +
                                 std::wstring(MessageText(TMsg::ErrorReportRequest)));
  EXPECT_TRUE(Traced(L"failure-report TDialixFaultTest: a C++ exception with a second line")) << TraceText();

  // While it is open nothing runs on: another failure is traced and ignored,
  // hook input is not looked at.
  Provoke(*program, ftException);
  ::PostMessageW(program->Master(), kWmDialixHookMouse, WM_MOUSEMOVE, 0);
  EXPECT_TRUE(WaitUntil([] { return Traced(L"failure-ignored TDialixFaultTest: a C++ exception with a second line"); }))
      << TraceText();
  for (const std::wstring& line : TraceLinesAfter(L"failure-report ")) {
    EXPECT_NE(line.rfind(L"hookmouse ", 0), 0u) << TraceText();
  }
  EXPECT_EQ(WindowsOfClass(L"TErrorDlg", program->Id).size(), 1u);

  // What a user sees, for the documentation: the report, then its details.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(SaveScreenshot(report, std::wstring(TDIALIX_SCREENSHOTS_W) + L"\\tdialix-failure.png"));
  ClickDetailsLink(report);
  ASSERT_TRUE(WaitUntil([&] { return ClientSize(report).cy == kErrorDlgExpandedHeight; })) << ClientSize(report).cy;
  EXPECT_EQ(WindowText(FindControlByClass(report, L"SysLink")), L"<A>詳細情報を隠す</A>");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(SaveScreenshot(report, std::wstring(TDIALIX_SCREENSHOTS_W) + L"\\tdialix-failure-details.png"));

  Click(FindControlById(report, IDOK));
  ExpectEndsWithExitCodeOne(*program);
  // The system has its input back.
  EXPECT_TRUE(Traced(L"hooks-stopped")) << TraceText();

  // Saved as closing saves: the loaded style with the moved clock, and the
  // recent list that now names it.
  std::vector<TPlacement> placements;
  const TStyle saved = ReadStyleFile(DefaultStyle(), &placements);
  EXPECT_EQ(saved.FontSize, 12.5);
  ASSERT_FALSE(placements.empty());
  EXPECT_NE(placements[0], TPlacement{}) << "the moved clock's place was not saved";
  const TIniDocument settings = TIniDocument::FromBytes(ReadBytes(SettingsFile()));
  EXPECT_EQ(settings.ReadString(L"RecentStyles", L"Style1", L""), other);
  ::DeleteFileW(other.c_str());
}

TEST_F(FailureTest, AnAccessViolationShowsItsCodeAndPlaceAndTheFilesStayAsLastSaved) {
  WriteText(DefaultStyle(), L"[General]\r\nVersion=TeamOrvaneTDialix2\r\n[Design]\r\nFontSize=20\r\n");
  WriteText(SettingsFile(), L"[View]\r\nTransParent=80\r\n");
  const std::string style = ReadBytes(DefaultStyle());
  const std::string settings = ReadBytes(SettingsFile());
  auto program = Start();
  MoveClocks(*program);
  Provoke(*program, ftAccessViolation);

  const HWND report = Report(*program);
  ASSERT_TRUE(report);
  const std::wstring text = ExceptionText(report);
  EXPECT_TRUE(std::regex_match(text, std::wregex(L"アクセス違反: アドレス 0{" + std::to_wstring(sizeof(void*) * 2) +
                                                 L"} への書き込み \\(例外コード C0000005、発生場所 "
                                                 L"TDialixFaultTest\\.exe\\+" + kHex + L"\\)")))
      << WideToUtf8(text);
  // The faulting thread, which served the hooks, waits: they stop before the
  // report shows, so that the desktop's input does not wait for it.
  EXPECT_TRUE(WaitUntil([] { return TracedPrefix(L"failure-report "); })) << TraceText();
  const std::vector<std::wstring> lines = TraceLines();
  const auto stopped = std::find(lines.begin(), lines.end(), L"hooks-stopped");
  const auto shown = std::find_if(lines.begin(), lines.end(),
                                  [](const std::wstring& l) { return l.rfind(L"failure-report ", 0) == 0; });
  EXPECT_TRUE(stopped < shown) << TraceText();

  PostKey(FindControlById(report, IDOK), VK_ESCAPE);
  ExpectEndsWithExitCodeOne(*program);
  // Memory may be damaged: nothing was written.
  EXPECT_EQ(ReadBytes(DefaultStyle()), style);
  EXPECT_EQ(ReadBytes(SettingsFile()), settings);
  EXPECT_FALSE(Traced(L"settings-saved"));
}

TEST_F(FailureTest, AReportThatCannotBeBuiltLeavesOneMessageBoxThatSaysItAll) {
  auto program = Start();
  MoveClocks(*program);
  Provoke(*program, ftReportFails);

  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(program->Id)) != nullptr; })) << TraceText();
  EXPECT_EQ(WindowText(box), L"TDialix");
  EXPECT_EQ(MessageBoxText(box),
            ErrorFallbackText(L"TDialix", L"TDialixFaultTest: the report fails and its stand-in shows"));
  EXPECT_TRUE(WindowsOfClass(L"TErrorDlg", program->Id).empty());

  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  ExpectEndsWithExitCodeOne(*program);
  // A C++ exception: saved as closing saves.
  std::vector<TPlacement> placements;
  ReadStyleFile(DefaultStyle(), &placements);
  ASSERT_FALSE(placements.empty()) << "no default style written";
  EXPECT_NE(placements[0], TPlacement{});
  EXPECT_EQ(ReadBytes(SettingsFile()).rfind("\xFF\xFE", 0), 0u) << "no settings written";
}

TEST_F(FailureTest, AStackOverflowShowsTheReportFromAThreadWithStackToSpare) {
  auto program = Start();
  Provoke(*program, ftStackOverflow);
  const HWND report = Report(*program);
  ASSERT_TRUE(report);
  const std::wstring text = ExceptionText(report);
  EXPECT_TRUE(std::regex_match(
      text, std::wregex(L"スタック オーバーフロー \\(例外コード C00000FD、発生場所 TDialixFaultTest\\.exe\\+" + kHex + L"\\)")))
      << WideToUtf8(text);
  ::PostMessageW(report, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectEndsWithExitCodeOne(*program);
  EXPECT_EQ(::GetFileAttributesW(DefaultStyle().c_str()), INVALID_FILE_ATTRIBUTES) << "a file was written";
}

TEST_F(FailureTest, AnExceptionThroughANoexceptFunctionReachesTheReportThroughTerminate) {
  auto program = Start();
  Provoke(*program, ftTerminate);
  const HWND report = Report(*program);
  ASSERT_TRUE(report);
  EXPECT_EQ(ExceptionText(report), L"TDialixFaultTest: an exception through a noexcept function");
  Click(FindControlById(report, IDOK));
  ExpectEndsWithExitCodeOne(*program);
}

TEST(FaultTestProgram, TheShippedProgramHoldsNoTraceOfIt) {
  const std::string name = "TDialixFaultTest";
  std::string wide;
  for (const char c : name) wide += std::string{c, '\0'};
  const std::string program = ReadBytes(TDIALIX_EXE_W);
  ASSERT_FALSE(program.empty());
  EXPECT_FALSE(Contains(program, name));
  EXPECT_FALSE(Contains(program, wide));
  // The way the test finds it is right: the fault-test program has it.
  EXPECT_TRUE(Contains(ReadBytes(TDIALIX_FAULT_EXE_W), wide));
}

}  // namespace
}  // namespace tdialix
