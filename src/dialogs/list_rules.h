// How the program's list dialogs treat their selection: which row is selected
// after a delete, and when "変更..." and "削除" may be used.
#pragma once

#include <cstddef>
#include <optional>

namespace tdialix {

// The row selected after deleting rows: the one now at the first deleted
// index, or the last row when that index is past the end; none when the list
// is empty.
std::optional<std::size_t> SelectionAfterDelete(std::size_t rowsLeft, std::size_t firstDeleted);

// "変更..." needs exactly one selected row.
constexpr bool CanChangeSelection(std::size_t selected) { return selected == 1; }
// "削除" needs at least one.
constexpr bool CanDeleteSelection(std::size_t selected) { return selected >= 1; }

}  // namespace tdialix
