#include "app/tick.h"

namespace tdialix {

unsigned TickInterval(unsigned timerInterval, bool acPower, bool powerSaving, bool monitorOn) {
  return (!acPower && powerSaving) || !monitorOn ? timerInterval * 2 : timerInterval;
}

}  // namespace tdialix
