#include "app/tray_clock.h"

namespace tdialix {

TTrayClockAction DecideTrayClock(bool hideTrayClock, bool trayClockEnabled, bool trayClockVisible,
                                 bool clockShowing) {
  if (hideTrayClock) {
    if (!trayClockEnabled) return TTrayClockAction::tcNone;
    if (trayClockVisible && clockShowing) return TTrayClockAction::tcHide;
    if (!trayClockVisible && !clockShowing) return TTrayClockAction::tcShow;
    return TTrayClockAction::tcNone;
  }
  return !trayClockVisible && trayClockEnabled ? TTrayClockAction::tcShow : TTrayClockAction::tcNone;
}

}  // namespace tdialix
