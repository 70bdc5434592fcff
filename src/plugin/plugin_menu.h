// A plug-in's menu copied into the program's popup menu: read once, right
// after the plug-in was initialised, from a menu the plug-in keeps owning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tdialix {

// Captions are read up to this many characters; plug-ins size their texts by it.
inline constexpr std::size_t kPluginMenuTextLength = 261;
// Submenus are followed this many levels deep (the plug-in's menu itself is the first).
inline constexpr int kPluginMenuDepth = 16;
// At most this many items are read from one menu, submenus included: a menu
// that opens one submenu from many places would otherwise be read without end.
inline constexpr std::size_t kPluginMenuItems = 4096;

// One item of a plug-in's menu as the platform reports it.
struct TPluginMenuEntry {
  bool Separator = false;
  std::wstring Text;
  std::uint32_t Id = 0;          // the command id the plug-in gave the item
  std::uintptr_t Submenu = 0;    // the menu the item opens, 0 for none
};

// What reading a plug-in's menu needs of the platform.
class TPluginMenuSource {
 public:
  virtual bool IsMenu(std::uintptr_t menu) const = 0;
  virtual int ItemCount(std::uintptr_t menu) const = 0;
  virtual TPluginMenuEntry Item(std::uintptr_t menu, int position) const = 0;

 protected:
  ~TPluginMenuSource() = default;
};

// An item of the popup menu that a plug-in supplied.
struct TPluginMenuItem {
  std::wstring Caption;
  bool Separator = false;
  bool Enabled = true;
  std::uint32_t Id = 0;           // handed back to the plug-in when the item is chosen
  std::wstring PluginFile;        // the plug-in's file name, as the list has it
  std::vector<TPluginMenuItem> Items;  // not empty: a submenu

  bool operator==(const TPluginMenuItem&) const = default;
};

// The items of the plug-in's menu in their order, submenus included, up to
// kPluginMenuItems of them; none when the handle is not a menu. An item
// whose text is "-" is a separator.
// A submenu deeper than kPluginMenuDepth, one that opens a menu it is part
// of, or one that is empty stays a disabled item without its items.
std::vector<TPluginMenuItem> ReadPluginMenu(const TPluginMenuSource& source, std::uintptr_t menu,
                                            const std::wstring& pluginFile);

// Puts one plug-in's items below a placeholder: a plug-in initialised later
// stands above the earlier ones, each plug-in's items in their own order.
void InsertPluginItems(std::vector<TPluginMenuItem>& below, std::vector<TPluginMenuItem> items);

}  // namespace tdialix
