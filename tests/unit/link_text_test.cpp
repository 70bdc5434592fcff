#include "components/link_text.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(LinkText, TheLinksMarksAreLeftOut) {
  EXPECT_EQ(LinkDisplayText(L"<a>https://example.org/</a>"), L"https://example.org/");
  EXPECT_EQ(LinkDisplayText(L"案内は <a href=\"https://example.org/\">こちら</a> です"), L"案内は こちら です");
  EXPECT_EQ(LinkDisplayText(L"<A ID=\"x\">A</A>"), L"A");
  // Other angle brackets are text.
  EXPECT_EQ(LinkDisplayText(L"1 < 2 <b>bold</b> <abbr>"), L"1 < 2 <b>bold</b> <abbr>");
  EXPECT_EQ(LinkDisplayText(L"<a"), L"<a");
}

}  // namespace
}  // namespace tdialix
