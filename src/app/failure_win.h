// How the program ends after a failure: one report, then what the program
// can give back, then the end of the process with exit code 1.
//
// C++ exceptions reach the report through the callback boundaries and
// std::terminate; structured exceptions (access violations, stack overflows)
// through the last-chance filter. Those leave the faulting thread in no state
// to go on, and perhaps without stack: it waits while a fresh thread shows the
// report, and then ends the process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/failure.h"

namespace tdialix {

// Installs the last-chance filter, the watch for stack overflows, the
// std::terminate handler and the handler for failures while no master window
// lives, and asks the system not to swallow exceptions in its callbacks.
// The entry calls it right after the start-up check.
void InstallFailureHandling();

// The instance mutex that the end of the program lets go of (on the thread
// that owns it), so that whoever waits for this instance may go on.
void SetInstanceMutexForEnding(HANDLE mutex);

// What the program does around the report.
struct TFailureSteps {
  // Before the report shows: nothing of the program may run on meanwhile.
  std::function<void(const TFailure&)> BeforeReport;
  // After it closes: save what is safe to save, give the system back.
  std::function<void(const TFailure&)> AfterReport;
  std::wstring ApplicationTitle = L"TDialix";
  HWND ApplicationWindow = nullptr;
};

// A structured exception raised at the address, in words of the module that
// holds that place. For a fault caught elsewhere (a plug-in's guard).
TStructuredFault StructuredFaultAt(std::uint32_t code, std::uintptr_t address);

// Shows the report for the first failure and ends the program after it.
// Later failures are traced and ignored: there is one report. A failure while
// the program ends ends the process at once, without a report. Returns only
// for an ignored failure, or on the thread that shows a structured
// exception's report (the faulting thread then ends the process).
void ReportFailureAndEnd(const TFailure& failure, const TFailureSteps& steps);

}  // namespace tdialix
