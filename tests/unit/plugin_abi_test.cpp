// The numbers and layouts plug-ins are built against. The header checks each
// layout for both bitnesses while it compiles (natively here, for x86_64 and
// i686 in the Windows builds and by the plugin_abi.layout tests); these tests
// pin the numbers and the native layout a plug-in author reads in it.
#include "plugin/plugin_abi.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

namespace tdialix {
namespace {

TEST(PluginAbi, CallNumbersAreFixed) {
  const struct {
    int Call;
    int Number;
  } cases[] = {
      {PLUGIN_INIT, 1},           {PLUGIN_FINAL, 2},          {PLUGIN_GETINFO, 3},         {PLUGIN_GETMENU, 4},
      {PLUGIN_KEY, 10},           {PLUGIN_MOUSE, 11},         {PLUGIN_COMMAND, 20},        {PLUGIN_CLOCKCLICK, 21},
      {PLUGIN_TRAYCLICK, 22},     {PLUGIN_BALLOONCLICK, 23},  {PLUGIN_CONFIGURE, 30},      {PLUGIN_NOTIFY, 31},
      {PLUGIN_STYLELOADED, 40},   {PLUGIN_STYLESAVED, 41},    {PLUGIN_SETTINGSLOADED, 50}, {PLUGIN_SETTINGSSAVED, 51},
      {PLUGIN_CLOCKSHOWN, 60},    {PLUGIN_TICK, 100},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Call, c.Number);
  EXPECT_EQ(PLUGIN_TEXT_SIZE, 261);
  EXPECT_EQ(PLUGIN_NOTIFY_ERROR, 16);
  EXPECT_EQ(PLUGIN_NOTIFY_WARNING, 48);
  EXPECT_EQ(PLUGIN_NOTIFY_INFORMATION, 64);
}

TEST(PluginAbi, BlocksOfThe64BitBuildHaveEightByteHandles) {
  static_assert(sizeof(void*) == 8, "the native tests run as 64-bit programs");
  EXPECT_EQ(offsetof(TPluginInfoBlock, Buffer), 8u);
  EXPECT_EQ(offsetof(TPluginInfoBlock, Size), 16u);
  EXPECT_EQ(sizeof(TPluginInfoBlock), 24u);
  EXPECT_EQ(offsetof(TPluginMenuBlock, Menu), 8u);
  EXPECT_EQ(sizeof(TPluginMenuBlock), 16u);
  EXPECT_EQ(offsetof(TPluginNotifyBlock, Flags), 24u);
  EXPECT_EQ(offsetof(TPluginNotifyBlock, Icon), 32u);
  EXPECT_EQ(sizeof(TPluginNotifyBlock), 40u);
  EXPECT_EQ(sizeof(TPluginKeyBlock), 8u);
  EXPECT_EQ(sizeof(TPluginMouseBlock), 12u);
  EXPECT_EQ(offsetof(TPluginTickBlock, DayType), 16u);
  EXPECT_EQ(sizeof(TPluginTickBlock), 24u);
  EXPECT_EQ(sizeof(TPluginClockBlock), 8u);
}

}  // namespace
}  // namespace tdialix
