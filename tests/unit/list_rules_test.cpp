#include "dialogs/list_rules.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(ListRules, DeletingSelectsTheRowAtTheSameIndexOrTheLast) {
  struct TCase {
    std::size_t RowsLeft, FirstDeleted;
    std::optional<std::size_t> Selected;
  };
  const TCase cases[] = {
      {0, 0, std::nullopt},  // the only row went
      {0, 3, std::nullopt},  // every row went
      {3, 0, 0},             // the first row went: the new first
      {3, 1, 1},             // a middle row: the one that moved up
      {3, 3, 2},             // the last row went: the new last
      {2, 5, 1},             // several rows at the end went
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(SelectionAfterDelete(c.RowsLeft, c.FirstDeleted), c.Selected) << c.RowsLeft << " " << c.FirstDeleted;
  }
}

TEST(ListRules, ChangeNeedsExactlyOneRowAndDeleteAtLeastOne) {
  static_assert(!CanChangeSelection(0) && CanChangeSelection(1) && !CanChangeSelection(2));
  static_assert(!CanDeleteSelection(0) && CanDeleteSelection(1) && CanDeleteSelection(5));
}

}  // namespace
}  // namespace tdialix
