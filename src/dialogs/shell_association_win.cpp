#include "dialogs/shell_association_win.h"

#include <string>

#include "base/trace_win.h"

namespace tdialix {

bool SetStyleFileAssociation(HWND owner, bool associate) {
  // The registry work of the association is not part of the program yet: the
  // request is recorded and reported as not done.
  Trace(L"associate " + std::to_wstring(associate ? 1 : 0) + L" " +
        std::to_wstring(reinterpret_cast<std::uintptr_t>(owner)));
  return false;
}

}  // namespace tdialix
