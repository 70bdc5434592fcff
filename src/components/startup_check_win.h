// The start-up check: the program's entry runs it before anything else (no
// window, mutex, trace or file exists yet). On a system the program does not
// run on, it says so and ends the process at once.
#pragma once

#include <functional>

#include "components/startup_check.h"

namespace tdialix {

// The system's version: the plain query, then the extended one for the service pack.
TSystemVersion SystemVersion();

// Where the check reads the version and how it ends the process; tests put
// their own in.
struct TStartupCheckHooks {
  std::function<TSystemVersion()> Version;  // none: SystemVersion
  std::function<void()> End;                // none: the process ends at once with exit code 1
};

// True on a supported system. Otherwise shows message 64927 with the error
// icon, owned by the desktop, captioned "TDialix", then ends the process; the
// false result is seen only when an injected ending returns.
bool CheckStartupSystem(const TStartupCheckHooks& hooks = {});

}  // namespace tdialix
