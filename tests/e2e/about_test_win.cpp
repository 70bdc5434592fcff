// The about box as the running program opens it from its menu.
#include "program_fixture_win.h"

#include "app/popup_menu.h"
#include "components/form_layout.h"
#include "components/tray_icon_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_SCREENSHOTS_W TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)

// The fonts the program gives the box's texts, which another process cannot
// read from their handles: the dialog font, and the title's, bold and 10
// pixels taller.
std::optional<LOGFONTW> AboutFont(HWND control) {
  LOGFONTW font{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  if (UsesDialogFontFace(CurrentWindowsVersion())) {
    lstrcpynW(font.lfFaceName, kDialogFontFace, LF_FACESIZE);
    font.lfCharSet = DEFAULT_CHARSET;
  }
  if (WindowText(control) == L"TDialix") {
    font.lfWeight = FW_BOLD;
    font.lfHeight = TallerFontHeight(font.lfHeight, 10);
  }
  return font;
}

class AboutTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    RemoveFolder(SettingsFolder());
  }
  void TearDown() override { RemoveFolder(SettingsFolder()); }
  static void Command(const Program& program, int command) {
    ::PostMessageW(program.Master(), WM_COMMAND, static_cast<WPARAM>(command), 0);
  }
};

TEST_F(AboutTest, TheAboutCommandOpensTheBoxAndOkClosesIt) {
  auto program = StartInstance();
  ASSERT_TRUE(ShownClock(program->Id));
  Command(*program, kCmdAbout);
  const HWND box = WaitForTopWindow(program->Id, L"TDialixAbout", L"バージョン情報");
  ASSERT_TRUE(box) << TraceText();
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-open TDialixAbout"); }));

  EXPECT_NE(FindControlByText(box, L"TDialix"), nullptr);
  EXPECT_NE(FindControlByText(box, L"バージョン 2.0.1"), nullptr);
  EXPECT_EQ(WindowText(FindControlByClass(box, L"SysLink")).rfind(L"<a>https://", 0), 0u);
  const HWND ok = FindControlById(box, IDOK);
  ASSERT_TRUE(ok);
  EXPECT_EQ(WindowText(ok), L"OK");
  EXPECT_TRUE(TextsThatDoNotFit(box, &AboutFont).empty()) << Describe(TextsThatDoNotFit(box, &AboutFont));

  // What a user sees, for the documentation.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_TRUE(SaveScreenshot(box, std::wstring(TDIALIX_SCREENSHOTS_W) + L"\\tdialix-about.png"));

  // While it is open, the command only brings it to the front.
  Command(*program, kCmdAbout);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(WindowsOfClass(L"TDialixAbout", program->Id).size(), 1u);

  // F1 goes to the master's help path, which does without a help file.
  PostKey(ok, VK_F1);
  EXPECT_TRUE(WaitUntil([] { return TracedPrefix(L"help-missing"); })) << TraceText();
  EXPECT_TRUE(::IsWindowVisible(box));

  Click(ok);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
  EXPECT_TRUE(WaitUntil([] { return Traced(L"dialog-close TDialixAbout 1"); })) << TraceText();

  // The program runs on: the box opens again, and Escape closes it.
  EXPECT_TRUE(program->Running());
  Command(*program, kCmdAbout);
  const HWND again = WaitForTopWindow(program->Id, L"TDialixAbout", L"バージョン情報");
  ASSERT_TRUE(again);
  ::PostMessageW(again, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(again); }));
  CloseInstance(*program);
}

}  // namespace
}  // namespace tdialix
