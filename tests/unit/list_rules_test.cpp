#include "dialogs/list_rules.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(ListRules, TheRowAtTheFirstDeletedIndexOrTheLastOneIsSelected) {
  struct TCase {
    std::size_t RowsLeft;
    std::size_t FirstDeleted;
    std::optional<std::size_t> Selected;
  };
  const TCase cases[] = {
      {5, 2, 2},             // a row in the middle: its follower moved up into its place
      {5, 0, 0},             // the first row
      {3, 3, 2},             // the last row: the new last one
      {3, 7, 2},             // several at the end: the new last one
      {1, 0, 0},             // one row left
      {0, 0, std::nullopt},  // everything deleted, or an empty list
      {0, 4, std::nullopt},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SelectionAfterDelete(c.RowsLeft, c.FirstDeleted), c.Selected)
        << c.RowsLeft << " rows left, first deleted " << c.FirstDeleted;
  }
}

TEST(ListRules, ChangeNeedsExactlyOneRowAndDeleteAtLeastOne) {
  EXPECT_FALSE(CanChangeSelection(0));
  EXPECT_TRUE(CanChangeSelection(1));
  EXPECT_FALSE(CanChangeSelection(2));
  EXPECT_FALSE(CanDeleteSelection(0));
  EXPECT_TRUE(CanDeleteSelection(1));
  EXPECT_TRUE(CanDeleteSelection(2));
}

}  // namespace
}  // namespace tdialix
