// The failure report and the start-up check in the test's own process, with
// the program's resources, their endings put in by the tests.
#include "components/error_dialog_win.h"

#include <windows.h>
#include <commctrl.h>
#include <imm.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/messages.h"
#include "base/text.h"
#include "components/startup_check_win.h"
#include "components/tray_icon_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

TFailure CxxFailure(const wchar_t* message) {
  TFailure failure;
  failure.Message = message;
  return failure;
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  BITMAP mask{};
  ::GetObjectW(info.hbmMask, sizeof mask, &mask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return mask.bmWidth;
}

HICON ShownIcon(HWND image) { return reinterpret_cast<HICON>(::SendMessageW(image, STM_GETICON, 0, 0)); }

// Clicks a link control where it has its link.
void ClickLink(HWND link) {
  const SIZE client = ClientSize(link);
  for (int y = 1; y < client.cy; ++y) {
    for (int x = 1; x < client.cx; ++x) {
      LHITTESTINFO hit{};
      hit.pt = {x, y};
      if (!::SendMessageW(link, LM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) continue;
      ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
      return;
    }
  }
  ADD_FAILURE() << "the link has no point of its own";
}
void ClickLink(const TWRLinkLabel& link) { ClickLink(link.Handle()); }

// A report whose ending the test counts instead of ending the process.
struct TCountedEnding {
  int Endings = 0;
  TFailureReportContext Context() {
    TFailureReportContext context;
    context.Ending = [this] { ++Endings; };
    return context;
  }
};

// The message box of this thread's that shows while drive runs.
struct TShownBox {
  std::wstring Caption;
  std::wstring Text;
  HICON Icon = nullptr;
  HWND Owner = nullptr;
};
TShownBox ReadBox(HWND box) {
  TShownBox shown;
  shown.Caption = WindowText(box);
  shown.Text = WindowText(::GetDlgItem(box, 0xFFFF));
  shown.Owner = ::GetWindow(box, GW_OWNER);
  for (HWND child : ChildWindows(box)) {
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) shown.Icon = ShownIcon(child);
  }
  return shown;
}

TEST(ErrorDialog, ShowsTheProgramTitleTheTextsAndTheExceptionOnOneLine) {
  TCountedEnding ending;
  const TFailure failure = CxxFailure(L"bad value\nin line 3\r\nand\rmore");
  RunModal(
      [&] {
        ShowFailureReport(&failure, ending.Context());
        return 0;
      },
      [&](HWND box) {
        EXPECT_EQ(WindowClass(box), L"TErrorDlg");
        // The program's title comes from its version resource.
        EXPECT_EQ(WindowText(box), L"TDialix");
        EXPECT_TRUE(FindControlByText(box, L"TDialix は動作を停止しました。"));
        EXPECT_TRUE(FindControlByText(box, MessageText(TMsg::ErrorExplanation)));
        const HWND button = FindControlById(box, IDOK);
        EXPECT_EQ(WindowText(button), L"プログラムの終了(&C)");
        EXPECT_EQ(WindowText(FindControlByClass(box, L"SysLink")), L"<A>詳細情報の表示</A>");
        const HWND memo = FindControlByClass(box, L"Edit");
        EXPECT_EQ(WindowText(memo), L"bad value in line 3 and more\r\n\r\n" +
                                        std::wstring(MessageText(TMsg::ErrorReportRequest)));
        EXPECT_NE(::GetWindowLongPtrW(memo, GWL_STYLE) & ES_READONLY, 0);
        EXPECT_FALSE(::IsWindowEnabled(memo)) << "disabled while the details are hidden";
        EXPECT_EQ(::GetFocus(), button);
        EXPECT_TRUE(TextsThatDoNotFit(box).empty()) << Describe(TextsThatDoNotFit(box));
        Click(button);
      });
  EXPECT_EQ(ending.Endings, 1);
}

TEST(ErrorDialog, StandsAsLaidOutInBothStates) {
  TErrorDlg dialog(L"TDialix", L"bad value");
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND box) {
    ASSERT_EQ(dialog.Dpi(), 96);
    for (const bool expanded : {false, true}) {
      SCOPED_TRACE(expanded ? "expanded" : "collapsed");
      EXPECT_EQ(dialog.Tag, expanded ? 1 : 0);
      const TErrorDlgLayout layout = ErrorDlgLayout(L"TDialix", L"bad value", expanded, ::GetSystemMetrics(SM_CXICON));
      EXPECT_EQ(ClientSize(box).cx, layout.ClientSize.cx);
      EXPECT_EQ(ClientSize(box).cy, layout.ClientSize.cy);
      const std::pair<const TWRControl*, TControlSpec> placed[] = {
          {&dialog.TopBand, layout.TopBand},           {&dialog.TopSeparator, layout.TopSeparator},
          {&dialog.DetailsSeparator, layout.DetailsSeparator}, {&dialog.Image, layout.Image},
          {&dialog.HeadlineLabel, layout.HeadlineLabel}, {&dialog.MessageLabel, layout.MessageLabel},
          {&dialog.Button, layout.Button},             {&dialog.Memo, layout.Memo},
      };
      for (const auto& [control, spec] : placed) {
        const RECT r = WindowRectIn(control->Handle(), box);
        EXPECT_EQ(r.left, spec.Left) << spec.Top;
        EXPECT_EQ(r.top, spec.Top) << spec.Left;
        EXPECT_EQ(r.right - r.left, spec.Width) << spec.Top;
        EXPECT_EQ(r.bottom - r.top, spec.Height) << spec.Top;
      }
      const RECT link = WindowRectIn(dialog.LinkLabel.Handle(), box);
      EXPECT_EQ(link.left, 10);
      EXPECT_EQ(link.top, 135);
      EXPECT_EQ(WindowText(dialog.LinkLabel.Handle()), layout.LinkLabel.Text);
      EXPECT_TRUE(TextsThatDoNotFit(box).empty()) << Describe(TextsThatDoNotFit(box));
      // The band and the bevels take no input.
      EXPECT_FALSE(::IsWindowEnabled(dialog.TopBand.Handle()));
      EXPECT_FALSE(::IsWindowEnabled(dialog.TopSeparator.Handle()));
      EXPECT_FALSE(::IsWindowEnabled(dialog.DetailsSeparator.Handle()));
      if (!expanded) ClickLink(dialog.LinkLabel);
    }
    Click(dialog.Button.Handle());
  });
}

TEST(ErrorDialog, TheDetailsLinkShowsAndHidesTheDetailsAgainAndAgain) {
  TErrorDlg dialog(L"TDialix", L"bad value");
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND box) {
    for (int round = 0; round < 2; ++round) {
      SCOPED_TRACE(round);
      ClickLink(dialog.LinkLabel);
      EXPECT_EQ(dialog.Tag, 1);
      EXPECT_EQ(ClientSize(box).cy, 280);
      EXPECT_EQ(WindowText(dialog.LinkLabel.Handle()), L"<A>詳細情報を隠す</A>");
      EXPECT_TRUE(::IsWindowEnabled(dialog.Memo.Handle()));
      EXPECT_TRUE(dialog.Memo.Focused());

      ClickLink(dialog.LinkLabel);
      EXPECT_EQ(dialog.Tag, 0);
      EXPECT_EQ(ClientSize(box).cy, 160);
      EXPECT_EQ(WindowText(dialog.LinkLabel.Handle()), L"<A>詳細情報の表示</A>");
      EXPECT_FALSE(::IsWindowEnabled(dialog.Memo.Handle()));
      EXPECT_TRUE(dialog.Button.Focused());
    }
    // The details take no composed input.
    const HIMC context = ::ImmGetContext(dialog.Memo.Handle());
    EXPECT_EQ(context, nullptr);
    if (context) ::ImmReleaseContext(dialog.Memo.Handle(), context);
    Click(dialog.Button.Handle());
  });
}

TEST(ErrorDialog, TheButtonEscapeAndTheCloseBoxAllEndTheProgram) {
  enum TClose { byButton, byEscape, byCloseBox, byEscapeInTheDetails };
  for (const TClose close : {byButton, byEscape, byCloseBox, byEscapeInTheDetails}) {
    SCOPED_TRACE(static_cast<int>(close));
    TCountedEnding ending;
    const TFailure failure = CxxFailure(L"bad value");
    HWND shown = nullptr;
    RunModal(
        [&] {
          ShowFailureReport(&failure, ending.Context());
          return 0;
        },
        [&](HWND box) {
          shown = box;
          EXPECT_EQ(ending.Endings, 0) << "nothing ends while the report is open";
          switch (close) {
            case byButton: Click(FindControlById(box, IDOK)); break;
            case byEscape: PostKey(nullptr, VK_ESCAPE); break;
            case byCloseBox: ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); break;
            case byEscapeInTheDetails:
              ClickLink(FindControlByClass(box, L"SysLink"));
              EXPECT_EQ(::GetFocus(), FindControlByClass(box, L"Edit"));
              PostKey(nullptr, VK_ESCAPE);
              break;
          }
        });
    EXPECT_EQ(ending.Endings, 1);
    EXPECT_FALSE(::IsWindow(shown));
  }
}

TEST(ErrorDialog, TheProgramsIconShowsAtTheLargeIconSizeElseTheStandardApplicationIcon) {
  {
    TErrorDlg dialog(L"TDialix", L"");
    dialog.CreateForm();
    const HICON icon = ShownIcon(dialog.Image.Handle());
    ASSERT_TRUE(icon);
    EXPECT_NE(icon, ::LoadIconW(nullptr, IDI_APPLICATION));
    EXPECT_EQ(IconWidth(icon), ::GetSystemMetrics(SM_CXICON));
    // The window's own icon is the application's.
    EXPECT_TRUE(::SendMessageW(dialog.Handle(), WM_GETICON, ICON_BIG, 0));
  }
  {
    TErrorDlg dialog(L"TDialix", L"");
    dialog.IconResource = L"NOSUCHICON";
    dialog.CreateForm();
    EXPECT_EQ(ShownIcon(dialog.Image.Handle()), ::LoadIconW(nullptr, IDI_APPLICATION));
  }
}

TEST(ErrorDialog, TheDialogFontEverywhereAndTheHeadlineInTheThemesMainInstructionOrBold) {
  TErrorDlg dialog(L"TDialix", L"bad value");
  dialog.CreateForm();
  LOGFONTW gui{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  for (const TWRControl* control : std::vector<const TWRControl*>{&dialog.MessageLabel, &dialog.Button, &dialog.Memo}) {
    const std::optional<LOGFONTW> font = ControlFont(control->Handle());
    ASSERT_TRUE(font);
    EXPECT_STREQ(font->lfFaceName, L"Meiryo UI");
    EXPECT_EQ(font->lfHeight, gui.lfHeight);
    EXPECT_EQ(font->lfWeight, gui.lfWeight);
  }

  // What the theme's main instruction is on this system, if it has one.
  std::optional<LOGFONTW> themed;
  if (HeadlineStyle(CurrentWindowsVersion(), VisualStylesActive()) == THeadlineStyle::hsMainInstruction) {
    if (const HTHEME theme = ::OpenThemeData(dialog.Handle(), L"TEXTSTYLE")) {
      const TWindowDC dc(dialog.Handle());
      LOGFONTW font{};
      if (SUCCEEDED(::GetThemeFont(theme, dc.Get(), TEXT_MAININSTRUCTION, 0, TMT_FONT, &font))) themed = font;
      ::CloseThemeData(theme);
    }
  }
  const std::optional<LOGFONTW> headline = ControlFont(dialog.HeadlineLabel.Handle());
  ASSERT_TRUE(headline);
  if (themed) {
    EXPECT_STREQ(headline->lfFaceName, themed->lfFaceName);
    EXPECT_EQ(headline->lfHeight, themed->lfHeight);
    EXPECT_EQ(headline->lfWeight, themed->lfWeight);
  } else {
    EXPECT_STREQ(headline->lfFaceName, L"Meiryo UI");
    EXPECT_EQ(headline->lfHeight, gui.lfHeight);
    EXPECT_EQ(headline->lfWeight, FW_BOLD);
  }
  EXPECT_TRUE(TextsThatDoNotFit(dialog.Handle()).empty()) << Describe(TextsThatDoNotFit(dialog.Handle()));
}

// A visible window of the test's own that takes the activation.
class TScratchWindow {
 public:
  explicit TScratchWindow(HWND owner = nullptr) {
    Window = ::CreateWindowExW(0, L"STATIC", L"scratch", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, owner, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  }
  ~TScratchWindow() { ::DestroyWindow(Window); }
  HWND Window;
};

TEST(ErrorDialog, WhenTheReportCannotBeBuiltOneMessageBoxSaysItAll) {
  FailureReportBuildCheck = [] { throw std::runtime_error("no report"); };
  struct TRestore {
    ~TRestore() { FailureReportBuildCheck = nullptr; }
  } restore;
  const TFailure failure = CxxFailure(L"bad value\nline two");

  // Owned by the active window; the application's other windows are disabled.
  {
    TScratchWindow active, other;
    ::SetActiveWindow(active.Window);
    ASSERT_EQ(::GetActiveWindow(), active.Window);
    TCountedEnding ending;
    TShownBox shown;
    bool otherEnabled = true;
    RunModal(
        [&] {
          ShowFailureReport(&failure, ending.Context());
          return 0;
        },
        [&](HWND box) {
          shown = ReadBox(box);
          otherEnabled = ::IsWindowEnabled(other.Window) != FALSE;
          Click(FindControlById(box, IDOK));
        });
    EXPECT_EQ(ending.Endings, 1);
    EXPECT_EQ(shown.Caption, L"TDialix");
    EXPECT_EQ(shown.Text, ErrorFallbackText(L"TDialix", L"bad value line two"));
    EXPECT_EQ(shown.Icon, ::LoadIconW(nullptr, IDI_ERROR));
    EXPECT_EQ(shown.Owner, active.Window);
    EXPECT_FALSE(otherEnabled);
  }

  // The active window belongs to the application's window: that one owns the box.
  {
    TScratchWindow application;
    TScratchWindow active(application.Window);
    ::SetActiveWindow(active.Window);
    TCountedEnding ending;
    TFailureReportContext context = ending.Context();
    context.ApplicationWindow = application.Window;
    TShownBox shown;
    RunModal(
        [&] {
          ShowFailureReport(&failure, context);
          return 0;
        },
        [&](HWND box) {
          shown = ReadBox(box);
          Click(FindControlById(box, IDOK));
        });
    EXPECT_EQ(ending.Endings, 1);
    EXPECT_EQ(shown.Owner, application.Window);
  }

  // No visible window is active: the desktop's box, owned by none of ours.
  {
    TScratchWindow hidden;
    ::SetActiveWindow(hidden.Window);
    ::ShowWindow(hidden.Window, SW_HIDE);
    TCountedEnding ending;
    TShownBox shown;
    RunModal(
        [&] {
          ShowFailureReport(&failure, ending.Context());
          return 0;
        },
        [&](HWND box) {
          shown = ReadBox(box);
          Click(FindControlById(box, IDOK));
        });
    EXPECT_EQ(ending.Endings, 1);
    EXPECT_TRUE(shown.Owner == nullptr || shown.Owner == ::GetDesktopWindow());
  }
}

TEST(StartupCheck, AnOldSystemIsToldSoOnTheDesktopAndTheProcessEnds) {
  int endings = 0;
  TStartupCheckHooks hooks;
  hooks.Version = [] { return TSystemVersion{5, 0, true, 3}; };  // Windows 2000 with Service Pack 3
  hooks.End = [&] { ++endings; };
  TShownBox shown;
  bool result = true;
  RunModal(
      [&] {
        result = CheckStartupSystem(hooks);
        return 0;
      },
      [&](HWND box) {
        shown = ReadBox(box);
        EXPECT_EQ(endings, 0);
        Click(FindControlById(box, IDOK));
      });
  EXPECT_FALSE(result);
  EXPECT_EQ(endings, 1);
  EXPECT_EQ(shown.Caption, L"TDialix");
  EXPECT_EQ(shown.Text, L"このプログラムを実行するには、Windows 7 Service Pack 1 以降が必要です。");
  EXPECT_EQ(shown.Icon, ::LoadIconW(nullptr, IDI_ERROR));
  EXPECT_TRUE(shown.Owner == nullptr || shown.Owner == ::GetDesktopWindow());
}

TEST(StartupCheck, ASupportedSystemPassesWithoutAWord) {
  int endings = 0;
  TStartupCheckHooks hooks;
  hooks.Version = [] { return TSystemVersion{6, 1, true, 1}; };
  hooks.End = [&] { ++endings; };
  EXPECT_TRUE(CheckStartupSystem(hooks));
  EXPECT_EQ(endings, 0);
  // And this system is one.
  EXPECT_TRUE(SupportedSystem(SystemVersion()));
}

}  // namespace
}  // namespace tdialix
