// The functions TDialix.exe exports to plug-ins, VisibleClock and
// ShowPluginNotify, and the target they reach: the master window. Without a
// target they answer 0. Called on another thread than the target window's,
// they run on the window's thread, which is the only one that may change
// the program's state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "plugin/plugin_abi.h"

namespace tdialix {

class TPluginExportTarget {
 public:
  virtual std::int32_t PluginVisibleClock(bool visible) = 0;
  virtual std::int32_t PluginShowNotify(const TPluginNotifyBlock& notify) = 0;
  // An exception left the export's work: the program's failure path.
  virtual void PluginExportFailed(const std::wstring& message) = 0;

 protected:
  ~TPluginExportTarget() = default;
};

// The target and the window on whose thread it runs; nullptr for none.
void SetPluginExportTarget(TPluginExportTarget* target, HWND window);

// The message the target window hands to HandlePluginExportMessage.
UINT PluginExportMessage();
LRESULT HandlePluginExportMessage(WPARAM wParam, LPARAM lParam);

// What the exported functions do.
std::int32_t RunVisibleClock(std::int32_t visible);
std::int32_t RunShowPluginNotify(const TPluginNotifyBlock& notify);

}  // namespace tdialix
