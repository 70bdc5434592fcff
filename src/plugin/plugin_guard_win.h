// Calls into a plug-in with a frame of the program's own around them: an
// exception that leaves the plug-in (an access violation, a C++ exception its
// code lets escape, an abort in its runtime) comes back as a fault instead of
// tearing the process down unnamed. The plug-in's state and the heap cannot
// be trusted afterwards; the caller reports the fault and ends the program.
#pragma once

#include <windows.h>

#include <cstdint>

#include "plugin/plugin_abi.h"

namespace tdialix {

struct TPluginCallFault {
  std::uint32_t Code = 0;        // the exception code (kPluginAbortCode for an abort)
  std::uintptr_t Address = 0;    // where it was raised
};

// Raised in place of an abort in a plug-in's runtime, so that it leaves the
// plug-in like any other exception.
inline constexpr std::uint32_t kPluginAbortCode = 0xE0414254;

// Calls proc(window, call, param). True with its result when it returned;
// false with the fault when an exception left it.
bool CallPluginGuarded(TPluginProc proc, HWND window, std::int32_t call, INT_PTR param, std::int32_t& result,
                       TPluginCallFault& fault);

// Lets an abort (SIGABRT) inside a guarded call leave the plug-in as an
// exception: in this program's C runtime and, when a plug-in brought it in,
// the universal C runtime. Again after every load: a runtime forgets its
// handler once it used it.
void CatchPluginAborts();

}  // namespace tdialix
