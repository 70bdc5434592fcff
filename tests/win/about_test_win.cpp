// The about box in the test's own process, with the program's resources.
#include "dialogs/about_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/messages.h"
#include "base/text.h"
#include "dialog_driver_win.h"
#include "version.h"

namespace tdialix {
namespace {

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (!icon || !::GetIconInfo(icon, &info)) return 0;
  BITMAP mask{};
  ::GetObjectW(info.hbmMask, sizeof mask, &mask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return mask.bmWidth;
}

// A point on the box's link, in the link's client area.
POINT PointOnLink(const TDialixAbout& about) {
  const SIZE client = ClientSize(about.URLButton.Handle());
  for (int y = 1; y < client.cy; ++y) {
    for (int x = 1; x < client.cx; ++x) {
      if (about.URLButton.LinkAt({x, y})) return {x, y};
    }
  }
  ADD_FAILURE() << "the link has no point of its own";
  return {0, 0};
}

void ClickLink(const TDialixAbout& about) {
  const POINT at = PointOnLink(about);
  ::SendMessageW(about.URLButton.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  ::SendMessageW(about.URLButton.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

TEST(AboutBox, ShowsTheProgramsNameVersionCopyrightAndWebSite) {
  TDialixAbout about;
  about.CreateForm();
  const HWND box = about.Handle();
  EXPECT_EQ(WindowClass(box), L"TDialixAbout");
  EXPECT_EQ(WindowText(box), L"バージョン情報");
  EXPECT_EQ(about.Info().Version, L"" TDIALIX_VERSION_TEXT) << "from the version resource";
  EXPECT_EQ(about.Info().Copyright, L"" TDIALIX_COPYRIGHT);
  EXPECT_EQ(WindowText(about.TitleLabel.Handle()), L"TDialix");
  EXPECT_EQ(WindowText(about.VersionLabel.Handle()), L"バージョン " TDIALIX_VERSION_TEXT);
  EXPECT_EQ(WindowText(about.CopyrightLabel.Handle()), L"" TDIALIX_COPYRIGHT);
  EXPECT_EQ(WindowText(about.URLButton.Handle()), L"<a>" TDIALIX_WEBSITE L"</a>");
  EXPECT_EQ(WindowText(about.NoticeLabel.Handle()), L"ReadMe ファイル及びヘルプをよく読んでから使用してください。");
  EXPECT_EQ(WindowText(about.OKButton.Handle()), L"OK");
  EXPECT_EQ(::GetDlgCtrlID(about.OKButton.Handle()), IDOK);
}

TEST(AboutBox, StandsAsLaidOutAtNinetySixDpi) {
  TDialixAbout about;
  about.CreateForm();
  ASSERT_EQ(about.Dpi(), 96);
  const HWND box = about.Handle();
  EXPECT_EQ(ClientSize(box).cx, 321);
  EXPECT_EQ(ClientSize(box).cy, 179);
  const TAboutLayout layout = AboutLayout();
  const std::pair<const TWRControl*, TControlSpec> placed[] = {
      {&about.Image, layout.Image},           {&about.TitleLabel, layout.TitleLabel},
      {&about.VersionLabel, layout.VersionLabel}, {&about.CopyrightLabel, layout.CopyrightLabel},
      {&about.NoticeLabel, layout.NoticeLabel},
  };
  for (const auto& [control, spec] : placed) {
    const RECT r = WindowRectIn(control->Handle(), box);
    EXPECT_EQ(r.left, spec.Left) << WideToUtf8(spec.Text);
    EXPECT_EQ(r.top, spec.Top) << WideToUtf8(spec.Text);
    EXPECT_EQ(r.right - r.left, spec.Width) << WideToUtf8(spec.Text);
    EXPECT_EQ(r.bottom - r.top, spec.Height) << WideToUtf8(spec.Text);
  }
  const RECT link = WindowRectIn(about.URLButton.Handle(), box);
  EXPECT_EQ(link.left, 14);
  EXPECT_EQ(link.top, 90);
  const RECT ok = WindowRectIn(about.OKButton.Handle(), box);
  EXPECT_EQ(ok.left, 116);
  EXPECT_EQ(ok.top, 150);
  EXPECT_LE(ok.bottom, 179);
  // Every text fits its control in its font.
  EXPECT_TRUE(TextsThatDoNotFit(box).empty()) << Describe(TextsThatDoNotFit(box));
}

TEST(AboutBox, ShowsTheIconAtFortyEightAndTheTitleBoldAndTaller) {
  TDialixAbout about;
  about.CreateForm();
  const auto icon = reinterpret_cast<HICON>(::SendMessageW(about.Image.Handle(), STM_GETICON, 0, 0));
  EXPECT_EQ(IconWidth(icon), 48);
  EXPECT_FALSE(::IsWindowEnabled(about.Image.Handle()));
  const std::optional<LOGFONTW> title = ControlFont(about.TitleLabel.Handle());
  const std::optional<LOGFONTW> body = ControlFont(about.VersionLabel.Handle());
  ASSERT_TRUE(title && body);
  EXPECT_EQ(title->lfWeight, FW_BOLD);
  EXPECT_EQ(std::abs(title->lfHeight), std::abs(body->lfHeight) + 10);
  EXPECT_STREQ(title->lfFaceName, body->lfFaceName);
}

TEST(AboutBox, EscapeAndOkCloseIt) {
  for (const UINT key : {VK_ESCAPE, VK_RETURN}) {
    TDialixAbout about;
    const int result = RunModal([&] { return about.ShowModal(); }, [&](HWND) {
      EXPECT_TRUE(about.OKButton.Focused()) << "the focus starts on OK, not on the link";
      PostKey(nullptr, key);
    });
    EXPECT_EQ(result, mrOk);
  }
}

TEST(AboutBox, AFailedBrowserStartSaysSoAndKeepsTheBox) {
  TDialixAbout about;
  std::vector<std::pair<HWND, std::wstring>> opened;
  about.ShellOpen = [&](HWND parent, const std::wstring& address) {
    opened.push_back({parent, address});
    return INT_PTR{2};  // the file was not found
  };
  std::wstring caption, text;
  HICON icon = nullptr;
  const int result = RunModal([&] { return about.ShowModal(); }, [&](HWND box) {
    RunModal(
        [&] {
          ClickLink(about);
          return 0;
        },
        [&](HWND message) {
          caption = WindowText(message);
          text = WindowText(::GetDlgItem(message, 0xFFFF));
          for (HWND child : ChildWindows(message)) {
            if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
              icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
            }
          }
          Click(FindControlById(message, IDOK));
        });
    EXPECT_TRUE(::IsWindowVisible(box)) << "the box stays open";
    EXPECT_EQ(opened.size() == 1 ? opened[0].first : nullptr, box);
    Click(about.OKButton.Handle());
  });
  EXPECT_EQ(result, mrOk);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].second, L"" TDIALIX_WEBSITE);
  EXPECT_EQ(caption, L"TDialix");
  EXPECT_EQ(text, MessageText(TMsg::AboutBrowserFailed));
  EXPECT_EQ(icon, ::LoadIconW(nullptr, IDI_ERROR));
}

TEST(AboutBox, AStartedBrowserClosesTheBoxAsOk) {
  TDialixAbout about;
  HWND parent = nullptr, box = nullptr;
  about.ShellOpen = [&](HWND window, const std::wstring&) {
    parent = window;
    return INT_PTR{42};
  };
  const int result = RunModal([&] { return about.ShowModal(); }, [&](HWND dialog) {
    box = dialog;
    ClickLink(about);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(parent, box) << "the box is the shell's parent window";
}

}  // namespace
}  // namespace tdialix
