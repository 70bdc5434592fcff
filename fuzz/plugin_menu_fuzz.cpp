// A plug-in's menu is whatever the plug-in made: menus that open themselves
// or each other, deep chains, handles that are no menus. Whatever it is,
// reading it ends, stays within the depth and text limits, and keeps every
// item of a submenu that can be followed, up to the item limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "plugin/plugin_menu.h"

namespace {

// Menus 1 to 8 from the bytes, two bytes an item: its kind and a value.
class TFuzzMenus : public tdialix::TPluginMenuSource {
 public:
  TFuzzMenus(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 2 <= size; i += 2) {
      const std::uintptr_t menu = 1 + (data[i] >> 5);
      tdialix::TPluginMenuEntry entry;
      switch (data[i] & 3) {
        case 0: entry.Separator = true; break;
        case 1: entry.Text = std::wstring(data[i + 1] * 2u, L'x'); entry.Id = data[i + 1]; break;
        case 2: entry.Text = L"-"; break;
        default: entry.Text = L"sub"; entry.Submenu = data[i + 1] % 12; break;  // 0, 9-11: no menu
      }
      Menus[menu].push_back(entry);
    }
  }
  bool IsMenu(std::uintptr_t menu) const override { return Menus.count(menu) != 0; }
  int ItemCount(std::uintptr_t menu) const override {
    const auto found = Menus.find(menu);
    return found == Menus.end() ? 0 : static_cast<int>(found->second.size());
  }
  tdialix::TPluginMenuEntry Item(std::uintptr_t menu, int position) const override {
    return Menus.at(menu).at(static_cast<std::size_t>(position));
  }

 private:
  std::map<std::uintptr_t, std::vector<tdialix::TPluginMenuEntry>> Menus;
};

std::size_t Check(const std::vector<tdialix::TPluginMenuItem>& items, int depth) {
  if (depth > tdialix::kPluginMenuDepth) std::abort();
  std::size_t count = items.size();
  for (const tdialix::TPluginMenuItem& item : items) {
    if (item.Caption.size() > tdialix::kPluginMenuTextLength) std::abort();
    if (item.Separator && !item.Items.empty()) std::abort();
    if (!item.Items.empty() && !item.Enabled) std::abort();
    count += Check(item.Items, depth + 1);
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 512) return 0;  // a longer menu tells nothing new, only takes long
  const TFuzzMenus menus(data, size);
  if (Check(tdialix::ReadPluginMenu(menus, 1, L"p.dll"), 1) > tdialix::kPluginMenuItems) std::abort();
  return 0;
}
