#include "plugin/plugin_menu.h"

#include <gtest/gtest.h>

#include <map>

namespace tdialix {
namespace {

// Menus by handle; a handle that is not in the map is no menu.
class TFakeMenus : public TPluginMenuSource {
 public:
  std::map<std::uintptr_t, std::vector<TPluginMenuEntry>> Menus;

  bool IsMenu(std::uintptr_t menu) const override { return Menus.count(menu) != 0; }
  int ItemCount(std::uintptr_t menu) const override {
    const auto found = Menus.find(menu);
    return found == Menus.end() ? -1 : static_cast<int>(found->second.size());
  }
  TPluginMenuEntry Item(std::uintptr_t menu, int position) const override {
    return Menus.at(menu).at(static_cast<size_t>(position));
  }
};

TPluginMenuEntry Command(const wchar_t* text, std::uint32_t id) { return {false, text, id, 0}; }
TPluginMenuEntry Popup(const wchar_t* text, std::uintptr_t submenu) { return {false, text, 0, submenu}; }
TPluginMenuEntry Separator() { return {true, L"", 0, 0}; }

// One line per item, indented by depth: caption, id, "x" when disabled.
void AddLines(std::vector<std::wstring>& lines, const std::vector<TPluginMenuItem>& items, int depth) {
  for (const TPluginMenuItem& item : items) {
    std::wstring line(static_cast<size_t>(depth) * 2, L' ');
    line += item.Separator ? L"-" : item.Caption;
    if (item.Id != 0) line += L" #" + std::to_wstring(item.Id);
    if (!item.Enabled) line += L" x";
    lines.push_back(line);
    AddLines(lines, item.Items, depth + 1);
  }
}
std::vector<std::wstring> Lines(const std::vector<TPluginMenuItem>& items) {
  std::vector<std::wstring> lines;
  AddLines(lines, items, 0);
  return lines;
}

TEST(PluginMenu, ItemsKeepTheirOrderWithSeparatorsSubmenusAndThePluginsFile) {
  TFakeMenus menus;
  menus.Menus[1] = {Command(L"時報(&T)", 101), Separator(), Command(L"-", 55), Popup(L"設定", 2)};
  menus.Menus[2] = {Command(L"音量", 201), Command(L"色", 202)};
  const std::vector<TPluginMenuItem> items = ReadPluginMenu(menus, 1, L"C:\\P\\chime.dll");
  EXPECT_EQ(Lines(items), (std::vector<std::wstring>{L"時報(&T) #101", L"-", L"-", L"設定", L"  音量 #201",
                                                     L"  色 #202"}));
  for (const TPluginMenuItem& item : items) EXPECT_EQ(item.PluginFile, L"C:\\P\\chime.dll");
  EXPECT_EQ(items[3].Items[1].PluginFile, L"C:\\P\\chime.dll");
}

TEST(PluginMenu, SomethingThatIsNoMenuAddsNothing) {
  TFakeMenus menus;
  menus.Menus[1] = {Command(L"A", 1)};
  EXPECT_TRUE(ReadPluginMenu(menus, 0, L"p.dll").empty());
  EXPECT_TRUE(ReadPluginMenu(menus, 0xDEAD, L"p.dll").empty());
}

TEST(PluginMenu, CaptionsAreReadUpToTheTextLimit) {
  TFakeMenus menus;
  const std::wstring longText(400, L'あ');
  menus.Menus[1] = {{false, longText, 7, 0}};
  const std::vector<TPluginMenuItem> items = ReadPluginMenu(menus, 1, L"p.dll");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].Caption, longText.substr(0, kPluginMenuTextLength));
}

TEST(PluginMenu, SubmenusThatCannotBeFollowedStayAsDisabledItems) {
  TFakeMenus menus;
  // 1 → 2 → ... → 20: a chain deeper than the limit.
  for (std::uintptr_t m = 1; m < 20; ++m) menus.Menus[m] = {Popup(L"深く", m + 1)};
  menus.Menus[20] = {Command(L"底", 9)};
  const std::vector<TPluginMenuItem> deep = ReadPluginMenu(menus, 1, L"p.dll");
  int depth = 0;
  const TPluginMenuItem* item = &deep.at(0);
  while (!item->Items.empty()) {
    ++depth;
    item = &item->Items[0];
  }
  EXPECT_EQ(depth, kPluginMenuDepth - 1) << "the menu itself is the first level";
  EXPECT_FALSE(item->Enabled);

  // A menu that opens itself, one that opens its parent, a handle that is no
  // menu and an empty menu.
  TFakeMenus odd;
  odd.Menus[1] = {Popup(L"自分", 1), Popup(L"子", 2), Popup(L"偽物", 99), Popup(L"空", 3), Command(L"普通", 5)};
  odd.Menus[2] = {Popup(L"親", 1), Command(L"孫", 6)};
  odd.Menus[3] = {};
  EXPECT_EQ(Lines(ReadPluginMenu(odd, 1, L"p.dll")),
            (std::vector<std::wstring>{L"自分 x", L"子", L"  親 x", L"  孫 #6", L"偽物 x", L"空 x", L"普通 #5"}));
}

TEST(PluginMenu, AMenuOpenedFromManyPlacesIsReadOnlyUpToTheItemLimit) {
  // Ten menus, each opening the next from ten items: ten to the tenth paths.
  TFakeMenus menus;
  for (std::uintptr_t m = 1; m < 10; ++m) menus.Menus[m] = std::vector<TPluginMenuEntry>(10, Popup(L"次", m + 1));
  menus.Menus[10] = {Command(L"底", 1)};
  std::size_t count = 0;
  const std::vector<TPluginMenuItem> items = ReadPluginMenu(menus, 1, L"p.dll");
  std::vector<const std::vector<TPluginMenuItem>*> pending{&items};
  while (!pending.empty()) {
    const std::vector<TPluginMenuItem>* level = pending.back();
    pending.pop_back();
    count += level->size();
    for (const TPluginMenuItem& item : *level) pending.push_back(&item.Items);
  }
  EXPECT_EQ(count, kPluginMenuItems);
}

TEST(PluginMenu, APluginInitialisedLaterStandsAboveTheEarlierOnes) {
  auto item = [](const wchar_t* caption) {
    TPluginMenuItem plain;
    plain.Caption = caption;
    return plain;
  };
  std::vector<TPluginMenuItem> below;
  InsertPluginItems(below, {item(L"A1"), item(L"A2")});
  InsertPluginItems(below, {});
  InsertPluginItems(below, {item(L"B1"), item(L"B2")});
  EXPECT_EQ(Lines(below), (std::vector<std::wstring>{L"B1", L"B2", L"A1", L"A2"}));
}

}  // namespace
}  // namespace tdialix
