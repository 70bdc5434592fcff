// The two functions TDialix.exe exports to plug-ins, under their plain names
// in both builds (the 32-bit link drops the "@n" of stdcall). They live in an
// object of their own that every program with exports links whole: a static
// library would leave them out, as nothing in the program calls them.
#include <windows.h>

#include <cstdint>

#include "plugin/plugin_abi.h"
#include "plugin/plugin_exports_win.h"

extern "C" __declspec(dllexport) std::int32_t __stdcall VisibleClock(BOOL Visible) {
  return tdialix::RunVisibleClock(Visible);
}

extern "C" __declspec(dllexport) std::int32_t __stdcall ShowPluginNotify(const wchar_t* Title, const wchar_t* Text,
                                                                         const wchar_t* AdditionalMessage,
                                                                         std::int32_t Flags, HICON Icon) {
  const TPluginNotifyBlock notify{Title, Text, AdditionalMessage, Flags, Icon};
  return tdialix::RunShowPluginNotify(notify);
}

// The exports match the types plug-ins are given for them.
static const TVisibleClock kVisibleClockType [[maybe_unused]] = &VisibleClock;
static const TShowPluginNotify kShowPluginNotifyType [[maybe_unused]] = &ShowPluginNotify;
