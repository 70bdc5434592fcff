#include "plugin/plugin_menu.h"

#include <algorithm>
#include <iterator>

namespace tdialix {

namespace {

struct TReading {
  std::vector<std::uintptr_t> Open;  // the menus being read, outermost first
  std::size_t Items = 0;             // items read so far
};

void ReadItems(const TPluginMenuSource& source, std::uintptr_t menu, const std::wstring& pluginFile,
               TReading& reading, std::vector<TPluginMenuItem>& items) {
  std::vector<std::uintptr_t>& open = reading.Open;
  open.push_back(menu);
  const int count = source.ItemCount(menu);
  for (int position = 0; position < count && reading.Items < kPluginMenuItems; ++position) {
    ++reading.Items;
    const TPluginMenuEntry entry = source.Item(menu, position);
    TPluginMenuItem item;
    item.PluginFile = pluginFile;
    if (entry.Separator || entry.Text == L"-") {
      item.Caption = L"-";
      item.Separator = true;
      items.push_back(std::move(item));
      continue;
    }
    item.Caption = entry.Text.substr(0, kPluginMenuTextLength);
    if (entry.Submenu == 0) {
      item.Id = entry.Id;
    } else {
      const bool usable = static_cast<int>(open.size()) < kPluginMenuDepth && source.IsMenu(entry.Submenu) &&
                          std::find(open.begin(), open.end(), entry.Submenu) == open.end();
      if (usable) ReadItems(source, entry.Submenu, pluginFile, reading, item.Items);
      // A submenu that cannot be followed shows what it is called, but nothing to choose.
      item.Enabled = !item.Items.empty();
    }
    items.push_back(std::move(item));
  }
  open.pop_back();
}

}  // namespace

std::vector<TPluginMenuItem> ReadPluginMenu(const TPluginMenuSource& source, std::uintptr_t menu,
                                            const std::wstring& pluginFile) {
  std::vector<TPluginMenuItem> items;
  if (menu == 0 || !source.IsMenu(menu)) return items;
  TReading reading;
  ReadItems(source, menu, pluginFile, reading, items);
  return items;
}

void InsertPluginItems(std::vector<TPluginMenuItem>& below, std::vector<TPluginMenuItem> items) {
  below.insert(below.begin(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
}

}  // namespace tdialix
