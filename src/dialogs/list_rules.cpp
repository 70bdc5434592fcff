#include "dialogs/list_rules.h"

namespace tdialix {

std::optional<std::size_t> SelectionAfterDelete(std::size_t rowsLeft, std::size_t firstDeleted) {
  if (rowsLeft == 0) return std::nullopt;
  return firstDeleted < rowsLeft ? firstDeleted : rowsLeft - 1;
}

}  // namespace tdialix
