#include "app/tray_clock.h"

#include <gtest/gtest.h>

#include "app/tick.h"

namespace tdialix {
namespace {

TEST(TrayClock, DecisionTable) {
  using A = TTrayClockAction;
  const struct {
    bool Hide, Enabled, TrayVisible, ClockShowing;
    A Action;
  } cases[] = {
      {true, true, true, true, A::tcHide},    // our clock shows: hide the taskbar's
      {true, true, false, false, A::tcShow},  // neither shows: bring the taskbar's back
      {true, true, true, false, A::tcNone},
      {true, true, false, true, A::tcNone},
      {true, false, true, true, A::tcNone},   // the user switched the taskbar clock off
      {true, false, false, false, A::tcNone},
      {false, true, false, true, A::tcShow},  // hiding turned off: show it again
      {false, true, false, false, A::tcShow},
      {false, true, true, true, A::tcNone},
      {false, false, false, true, A::tcNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecideTrayClock(c.Hide, c.Enabled, c.TrayVisible, c.ClockShowing), c.Action)
        << c.Hide << c.Enabled << c.TrayVisible << c.ClockShowing;
  }
}

TEST(TickInterval, DoublesOnBatteryWithPowerSavingOrWithTheMonitorOff) {
  EXPECT_EQ(TickInterval(32, true, true, true), 32u);
  EXPECT_EQ(TickInterval(32, false, true, true), 64u);
  EXPECT_EQ(TickInterval(32, false, false, true), 32u);
  EXPECT_EQ(TickInterval(32, true, true, false), 64u);
  EXPECT_EQ(TickInterval(32, false, true, false), 64u);  // doubled once, not twice
}

}  // namespace
}  // namespace tdialix
