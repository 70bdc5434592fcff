#include "components/error_report.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

const std::wstring kRequest =
    L"上記の内容及びエラーの発生状況を作者に報告していただくと、このプログラムの品質向上に役立てることができます。\r\n"
    L"なお、報告の際はパソコンの詳しい情報をできるだけ添えてください。";

TEST(ErrorReport, CollapsedTheReportShowsTheBandTheTextsTheButtonAndTheLink) {
  const TErrorDlgLayout layout = ErrorDlgLayout(L"TDialix", L"bad value", false, 32);
  EXPECT_EQ(layout.ClientSize, (TSize{490, 160}));
  // Aligned to the top: the band, then the two bevels under it.
  EXPECT_EQ(layout.TopBand, (TControlSpec{0, 0, 490, 117}));
  EXPECT_EQ(layout.TopSeparator, (TControlSpec{0, 117, 490, 45}));
  EXPECT_EQ(layout.DetailsSeparator, (TControlSpec{0, 162, 490, 45}));
  EXPECT_EQ(layout.Image, (TControlSpec{10, 10, 32, 32}));
  EXPECT_EQ(layout.HeadlineLabel, (TControlSpec{60, 15, 410, 22, L"TDialix は動作を停止しました。"}));
  EXPECT_EQ(layout.MessageLabel,
            (TControlSpec{60, 45, 410, 70,
                          L"問題が発生したため、このプログラムは正常に動作しなくなりました。\r\n"
                          L"ご迷惑をお掛けして申し訳ありません。\r\n\r\n"
                          L"保存していない情報がある場合、作業中の情報は失われた可能性があります。"}));
  EXPECT_EQ(layout.Button, (TControlSpec{355, 130, 128, 21, L"プログラムの終了(&C)"}));
  EXPECT_EQ(layout.LinkLabel, (TControlSpec{10, 135, 0, 0, L"<A>詳細情報の表示</A>"}));
  // The details wait below the collapsed client area.
  EXPECT_EQ(layout.Memo, (TControlSpec{10, 175, 470, 100, L"bad value\r\n\r\n" + kRequest}));
  EXPECT_GE(layout.Memo.Top, layout.ClientSize.cy);
}

TEST(ErrorReport, ExpandedTheReportIsTallerAndItsLinkHidesTheDetails) {
  const TErrorDlgLayout collapsed = ErrorDlgLayout(L"TDialix", L"bad value", false, 48);
  const TErrorDlgLayout expanded = ErrorDlgLayout(L"TDialix", L"bad value", true, 48);
  EXPECT_EQ(expanded.ClientSize, (TSize{490, 280}));
  EXPECT_EQ(expanded.LinkLabel.Text, L"<A>詳細情報を隠す</A>");
  // The memo fits the expanded client area; nothing else moves.
  EXPECT_LE(expanded.Memo.Top + expanded.Memo.Height, expanded.ClientSize.cy);
  EXPECT_EQ(expanded.Image, (TControlSpec{10, 10, 48, 48}));
  for (const auto member : {&TErrorDlgLayout::TopBand, &TErrorDlgLayout::TopSeparator,
                            &TErrorDlgLayout::DetailsSeparator, &TErrorDlgLayout::Image,
                            &TErrorDlgLayout::HeadlineLabel, &TErrorDlgLayout::MessageLabel,
                            &TErrorDlgLayout::Button, &TErrorDlgLayout::Memo}) {
    EXPECT_EQ(expanded.*member, collapsed.*member);
  }
  EXPECT_EQ((TControlSpec{collapsed.LinkLabel.Left, collapsed.LinkLabel.Top, 0, 0, L"<A>詳細情報を隠す</A>"}),
            expanded.LinkLabel);
}

TEST(ErrorReport, TheDetailsAreTheExceptionTextThenTheRequestToReportIt) {
  EXPECT_EQ(ErrorMemoText(L"access violation"), L"access violation\r\n\r\n" + kRequest);
  // Without an exception the details hold the request alone.
  EXPECT_EQ(ErrorMemoText(L""), L"\r\n\r\n" + kRequest);
}

TEST(ErrorReport, TheTitleIsTheProductNameElseTheDescriptionElseTheApplicationTitleElseTheFileName) {
  const struct {
    const wchar_t* ProductName;
    const wchar_t* FileDescription;
    const wchar_t* ApplicationTitle;
    const wchar_t* Title;
  } cases[] = {
      {L"TDialix", L"TDialix 時計", L"App", L"TDialix"},
      {L"", L"TDialix 時計", L"App", L"TDialix 時計"},
      {L"", L"", L"App", L"App"},
      {L"", L"", L"", L"Clock.v2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ProgramTitle(c.ProductName, c.FileDescription, c.ApplicationTitle, L"C:\\Tools\\Clock.v2.exe"), c.Title);
  }
}

TEST(ErrorReport, TheStandInSaysAllOfTheReportInOneText) {
  EXPECT_EQ(ErrorFallbackText(L"TDialix", L"bad value"),
            L"TDialix は動作を停止しました。\r\n\r\n"
            L"問題が発生したため、このプログラムは正常に動作しなくなりました。\r\n"
            L"ご迷惑をお掛けして申し訳ありません。\r\n\r\n"
            L"保存していない情報がある場合、作業中の情報は失われた可能性があります。\r\n\r\n"
            L"bad value\r\n\r\n" +
                kRequest);
  // Texts with "%" stay as they are.
  EXPECT_NE(ErrorFallbackText(L"100%s", L"50%d").find(L"100%s は動作を停止しました。"), std::wstring::npos);
  EXPECT_NE(ErrorFallbackText(L"100%s", L"50%d").find(L"\r\n50%d\r\n"), std::wstring::npos);
}

TEST(ErrorReport, TheStandInBelongsToTheActiveWindowTheApplicationOrTheDesktop) {
  EXPECT_EQ(FallbackOwner(true, false), TFallbackOwner::foActiveWindow);
  EXPECT_EQ(FallbackOwner(true, true), TFallbackOwner::foApplicationWindow);
  EXPECT_EQ(FallbackOwner(false, false), TFallbackOwner::foDesktop);  // none active, or not visible
  EXPECT_EQ(FallbackOwner(false, true), TFallbackOwner::foDesktop);
}

TEST(ErrorReport, TheHeadlineTakesTheThemesMainInstructionFromVistaWithAVisualStyle) {
  EXPECT_EQ(HeadlineStyle({6, 0}, true), THeadlineStyle::hsMainInstruction);
  EXPECT_EQ(HeadlineStyle({10, 0}, true), THeadlineStyle::hsMainInstruction);
  EXPECT_EQ(HeadlineStyle({6, 1}, false), THeadlineStyle::hsBold);
  EXPECT_EQ(HeadlineStyle({5, 1}, true), THeadlineStyle::hsBold);
}

}  // namespace
}  // namespace tdialix
