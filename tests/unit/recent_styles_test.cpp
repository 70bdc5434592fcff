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

TEST(RecentStyles, AFileThatNoLongerLoadsLeavesTheList) {
  Items items{L"a", L"b", L"c"};
  RemoveRecentStyle(items, L"B");
  EXPECT_EQ(items, (Items{L"a", L"c"}));
  RemoveRecentStyle(items, L"x");
  EXPECT_EQ(items, (Items{L"a", L"c"}));
}

TEST(RecentStyles, CaptionIsTheFileNameWithAmpersandsDoubled) {
  const struct {
    const wchar_t* Path;
    const wchar_t* Caption;
  } cases[] = {
      {L"C:\\Styles\\Blue.dlx", L"Blue"},
      {L"C:\\Styles\\Night & Day.dlx", L"Night && Day"},
      {L"C:\\Styles\\&&&.dlx", L"&&&&&&"},
      {L"C:\\My.Styles\\Plain", L"Plain"},  // a dot in a folder name is no extension
      {L"C:\\Styles\\v1.2.dlx", L"v1.2"},
      {L"C:\\Styles\\.dlx", L".dlx"},  // nothing but an extension: the whole name
      {L"D:/styles/a&b.dlx", L"a&&b"},
      {L"時計.dlx", L"時計"},
  };
  for (const auto& c : cases) EXPECT_EQ(RecentStyleCaption(c.Path), c.Caption) << c.Path;
}

}  // namespace
}  // namespace tdialix
