// The link label: the pointer over and beside its link, its colours and its click.
#include "components/extended_controls_win.h"

#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "components/form_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

class TLinkForm : public TWRForm {
 public:
  TLinkForm() : TWRForm(L"TLinkForm") {
    Caption = L"リンク";
    ClientSize = {260, 60};
    Link.FontColor = 0x00FF00;
    Layout({{Link, {8, 8, 240, 20, L"案内は <a href=\"https://example.org/\">こちら</a> です"}}});
  }
  TWRLinkLabel Link;
};

class LinkLabelTest : public testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TLinkForm>();
    Form->Show();
    PumpDialog(Form->Handle());
    // A point on the link and one on the plain text beside it, on the text's line.
    const SIZE client = ClientSize(Form->Link.Handle());
    for (int x = 1; x < client.cx && (!OnLink || !OffLink); ++x) {
      const POINT at{x, 8};
      (Form->Link.LinkAt(at) ? OnLink : OffLink) = at;
    }
    ASSERT_TRUE(OnLink && OffLink);
  }

  POINT OnScreen(POINT client) const {
    ::ClientToScreen(Form->Link.Handle(), &client);
    return client;
  }

  std::unique_ptr<TLinkForm> Form;
  std::optional<POINT> OnLink;
  std::optional<POINT> OffLink;
};

TEST_F(LinkLabelTest, ThePointerIsTheHandOverTheLinkAndTheArrowBesideIt) {
  const HWND link = Form->Link.Handle();
  for (const auto& [at, cursor] : {std::pair{*OnLink, IDC_HAND}, std::pair{*OffLink, IDC_ARROW}}) {
    const POINT screen = OnScreen(at);
    ::SetCursorPos(screen.x, screen.y);
    // Beside the link the label is still client area: the pointer does not fall through it.
    EXPECT_EQ(::SendMessageW(link, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)), HTCLIENT);
    ::SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, cursor));
  }
}

TEST_F(LinkLabelTest, ItsTextIsTheFontColourWhileEnabledAndGreyWhileDisabled) {
  const HWND link = Form->Link.Handle();
  const HDC dc = ::GetDC(link);
  ::SendMessageW(Form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(::GetTextColor(dc), COLORREF{0x00FF00});
  Form->Link.SetEnabled(false);
  ::SendMessageW(Form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link));
  EXPECT_EQ(::GetTextColor(dc), ::GetSysColor(COLOR_GRAYTEXT));
  ::ReleaseDC(link, dc);
}

TEST_F(LinkLabelTest, TakesTheTabStopButNoComposedInput) {
  const HWND link = Form->Link.Handle();
  EXPECT_EQ(WindowClass(link), L"SysLink");
  EXPECT_TRUE(::GetWindowLongPtrW(link, GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(::GetWindowLongPtrW(link, GWL_STYLE) & LWS_TRANSPARENT);
  const HIMC context = ::ImmGetContext(link);
  EXPECT_EQ(context, nullptr);
  if (context) ::ImmReleaseContext(link, context);
}

TEST_F(LinkLabelTest, AClickOnTheLinkRaisesItsEvent) {
  std::vector<std::wstring> clicked;
  Form->Link.OnLinkClick = [&](const std::wstring& address) { clicked.push_back(address); };
  const HWND link = Form->Link.Handle();
  ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(OnLink->x, OnLink->y));
  ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(OnLink->x, OnLink->y));
  ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(OffLink->x, OffLink->y));
  ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(OffLink->x, OffLink->y));
  EXPECT_EQ(clicked, (std::vector<std::wstring>{L"https://example.org/"}));
}

}  // namespace
}  // namespace tdialix
