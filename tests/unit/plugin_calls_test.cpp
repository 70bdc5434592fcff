#include "plugin/plugin_calls.h"

#include <gtest/gtest.h>

#include "plugin/plugin_abi.h"

namespace tdialix {
namespace {

TEST(PluginCalls, CallsAreNamedForTheFailureReport) {
  EXPECT_EQ(PluginCallName(PLUGIN_TICK), L"PLUGIN_TICK");
  EXPECT_EQ(PluginCallName(PLUGIN_SETTINGSLOADED), L"PLUGIN_SETTINGSLOADED");
  EXPECT_EQ(PluginCallName(7), L"PLUGIN_CALL 7");
}

TEST(PluginCalls, VisibleClockShowsOnlyOnMonitorsMarkedShownAndHidesEveryVisibleClock) {
  using A = TVisibleClockAction;
  const std::vector<TVisibleClockState> clocks{
      {false, true}, {false, false}, {true, true}, {true, false}};
  EXPECT_EQ(VisibleClockActions(true, clocks), (std::vector<A>{A::vaShow, A::vaNone, A::vaNone, A::vaNone}));
  EXPECT_EQ(VisibleClockActions(false, clocks), (std::vector<A>{A::vaNone, A::vaNone, A::vaHide, A::vaHide}));
}

TEST(PluginCalls, NotifyFlagsChooseTheBalloonsIcon) {
  const struct {
    std::int32_t Flags;
    TNotifyIconKind Kind;
  } cases[] = {{16, TNotifyIconKind::nkError},       {48, TNotifyIconKind::nkWarning},
               {64, TNotifyIconKind::nkInformation}, {0, TNotifyIconKind::nkNone},
               {32, TNotifyIconKind::nkNone},        {16 | 64, TNotifyIconKind::nkNone}};
  for (const auto& c : cases) EXPECT_EQ(NotifyIconKind(c.Flags), c.Kind) << c.Flags;
}

}  // namespace
}  // namespace tdialix
