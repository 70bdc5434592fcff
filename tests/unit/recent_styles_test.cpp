#include "app/recent_styles.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

using Items = std::vector<std::wstring>;
const std::wstring kDefault = L"C:\\S\\Default.dlx";

TEST(RecentStyles, NewestFirstAtMostFive) {
  Items items;
  for (const wchar_t* path : {L"a", L"b", L"c", L"d", L"e", L"f"}) AddRecentStyle(items, path, kDefault);
  EXPECT_EQ(items, (Items{L"f", L"e", L"d", L"c", L"b"}));  // the first-loaded one gone

  AddRecentStyle(items, L"C", kDefault);  // paths match without regard to case
  EXPECT_EQ(items, (Items{L"c", L"f", L"e", L"d", L"b"}));
}

TEST(RecentStyles, TheDefaultStyleFileIsNeverAnItemAndRemovesNothing) {
  Items items{L"a", L"b", L"c", L"d", L"e"};
  AddRecentStyle(items, kDefault, kDefault);
  AddRecentStyle(items, L"", kDefault);
  EXPECT_EQ(items, (Items{L"a", L"b", L"c", L"d", L"e"}));
}

}  // namespace
}  // namespace tdialix
