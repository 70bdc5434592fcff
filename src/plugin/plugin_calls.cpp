#include "plugin/plugin_calls.h"

#include "plugin/plugin_abi.h"

namespace tdialix {

std::wstring PluginCallName(std::int32_t call) {
  switch (call) {
    case PLUGIN_INIT: return L"PLUGIN_INIT";
    case PLUGIN_FINAL: return L"PLUGIN_FINAL";
    case PLUGIN_GETINFO: return L"PLUGIN_GETINFO";
    case PLUGIN_GETMENU: return L"PLUGIN_GETMENU";
    case PLUGIN_KEY: return L"PLUGIN_KEY";
    case PLUGIN_MOUSE: return L"PLUGIN_MOUSE";
    case PLUGIN_COMMAND: return L"PLUGIN_COMMAND";
    case PLUGIN_CLOCKCLICK: return L"PLUGIN_CLOCKCLICK";
    case PLUGIN_TRAYCLICK: return L"PLUGIN_TRAYCLICK";
    case PLUGIN_BALLOONCLICK: return L"PLUGIN_BALLOONCLICK";
    case PLUGIN_CONFIGURE: return L"PLUGIN_CONFIGURE";
    case PLUGIN_NOTIFY: return L"PLUGIN_NOTIFY";
    case PLUGIN_STYLELOADED: return L"PLUGIN_STYLELOADED";
    case PLUGIN_STYLESAVED: return L"PLUGIN_STYLESAVED";
    case PLUGIN_SETTINGSLOADED: return L"PLUGIN_SETTINGSLOADED";
    case PLUGIN_SETTINGSSAVED: return L"PLUGIN_SETTINGSSAVED";
    case PLUGIN_CLOCKSHOWN: return L"PLUGIN_CLOCKSHOWN";
    case PLUGIN_TICK: return L"PLUGIN_TICK";
    default: return L"PLUGIN_CALL " + std::to_wstring(call);
  }
}

std::vector<TVisibleClockAction> VisibleClockActions(bool show, const std::vector<TVisibleClockState>& clocks) {
  std::vector<TVisibleClockAction> actions;
  actions.reserve(clocks.size());
  for (const TVisibleClockState& clock : clocks) {
    if (show) {
      actions.push_back(!clock.WindowVisible && clock.ShownOnMonitor ? TVisibleClockAction::vaShow
                                                                     : TVisibleClockAction::vaNone);
    } else {
      actions.push_back(clock.WindowVisible ? TVisibleClockAction::vaHide : TVisibleClockAction::vaNone);
    }
  }
  return actions;
}

TNotifyIconKind NotifyIconKind(std::int32_t flags) {
  switch (flags) {
    case PLUGIN_NOTIFY_ERROR: return TNotifyIconKind::nkError;
    case PLUGIN_NOTIFY_WARNING: return TNotifyIconKind::nkWarning;
    case PLUGIN_NOTIFY_INFORMATION: return TNotifyIconKind::nkInformation;
    default: return TNotifyIconKind::nkNone;
  }
}

}  // namespace tdialix
