// The popup menu's tree turned into the platform's menus.
#pragma once

#include <windows.h>

#include "app/popup_menu.h"
#include "base/unique_handle_win.h"

namespace tdialix {

// A popup menu with the tree's items (the root's Items are its top level),
// submenus included. Captions are taken as they are.
TUniqueMenu CreatePopupMenuOf(const TMenuItem& root);

}  // namespace tdialix
