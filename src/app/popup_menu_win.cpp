#include "app/popup_menu_win.h"

namespace tdialix {

namespace {

void AppendItems(HMENU menu, const std::vector<TMenuItem>& items) {
  for (const TMenuItem& item : items) {
    if (item.Separator) {
      ::AppendMenuW(menu, MF_SEPARATOR | (item.BreakColumn ? MF_MENUBREAK : 0), 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (item.BreakColumn) flags |= MF_MENUBREAK;
    if (!item.Enabled) flags |= MF_GRAYED;
    if (item.Checked) flags |= MF_CHECKED;
    UINT_PTR id = static_cast<UINT_PTR>(item.Command);
    if (!item.Items.empty()) {
      HMENU submenu = ::CreatePopupMenu();
      AppendItems(submenu, item.Items);
      flags |= MF_POPUP;
      id = reinterpret_cast<UINT_PTR>(submenu);  // owned by the menu from here on
    }
    ::AppendMenuW(menu, flags, id, item.Caption.c_str());
    if (item.Default) ::SetMenuDefaultItem(menu, ::GetMenuItemCount(menu) - 1, TRUE);
  }
}

}  // namespace

TUniqueMenu CreatePopupMenuOf(const TMenuItem& root) {
  TUniqueMenu menu(::CreatePopupMenu());
  if (menu) AppendItems(menu.Get(), root.Items);
  return menu;
}

}  // namespace tdialix
