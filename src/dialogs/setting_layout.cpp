#include "dialogs/setting_layout.h"

#include <string>

#include "base/messages.h"

namespace tdialix {

TSettingLayout SettingLayout() {
  TSettingLayout l;
  l.ClientSize = {436, 452};
  const std::wstring low = MessageString(TMsg::SettingLow), high = MessageString(TMsg::SettingHigh);
  // A slider row of the hide group: caption, slider, and the words at its ends.
  constexpr int kRow = 34, kFirstRow = 58;
  l.PageControl = {8, 8, 420, 400};
  l.ViewSheet = {0, 0, 0, 0, MessageString(TMsg::SettingPageView)};
  l.TransParentLabel = {12, 18, 90, 15, MessageString(TMsg::SettingTransparent)};
  l.TransParentTrackBar = {134, 12, 220, 30};
  l.TransParentLowLabel = {106, 18, 24, 15, low};
  l.TransParentHighLabel = {358, 18, 30, 15, high};
  l.ZOrderLabel = {12, 58, 90, 15, MessageString(TMsg::SettingZOrder)};
  l.ZOrderComboBox = {134, 54, 170, 23};
  l.ShowToolTipCheckBox = {12, 92, 0, 0, MessageString(TMsg::SettingShowToolTip)};
  l.ToolTipFormatLabel = {30, 120, 130, 15, MessageString(TMsg::SettingToolTipFormat)};
  l.ToolTipFormatComboBox = {166, 116, 222, 23};
  l.EnableOtherwiseShowWindowCheckBox = {12, 152, 0, 0, MessageString(TMsg::SettingEnableOtherwiseShow)};
  l.HideOnFullScreenCheckBox = {12, 180, 0, 0, MessageString(TMsg::SettingHideOnFullScreen)};
  l.TaskBarGroupBox = {8, 214, 388, 116, MessageString(TMsg::SettingTaskBarGroup)};
  l.TrayIconCheckBox = {12, 24, 0, 0, MessageString(TMsg::SettingTrayIcon)};
  l.TaskTrayFormatLabel = {30, 56, 122, 15, MessageString(TMsg::SettingToolTipFormat)};
  l.TaskTrayFormatComboBox = {158, 52, 218, 23};
  l.HideTrayClockCheckBox = {12, 86, 0, 0, MessageString(TMsg::SettingHideTrayClock)};
  l.OperationSheet = {0, 0, 0, 0, MessageString(TMsg::SettingPageOperation)};
  l.LockedCheckBox = {12, 14, 0, 0, MessageString(TMsg::SettingLocked)};
  l.HideGroupBox = {8, 44, 388, 270, MessageString(TMsg::SettingHideGroup)};
  l.HideTypeLabel = {12, 28, 80, 15, MessageString(TMsg::SettingHideType)};
  l.HideTypeComboBox = {100, 24, 150, 23};
  l.HideSensitiveLabel = {12, kFirstRow + 6, 80, 15, MessageString(TMsg::SettingSensitive)};
  l.HideSensitiveTrackBar = {124, kFirstRow, 210, 30};
  l.HideSensitiveLowLabel = {96, kFirstRow + 6, 24, 15, MessageString(TMsg::SettingDull)};
  l.HideSensitiveHighLabel = {338, kFirstRow + 6, 30, 15, MessageString(TMsg::SettingSharp)};
  l.HideTransparentLabel = {12, kFirstRow + kRow + 6, 80, 15, MessageString(TMsg::SettingTransparent)};
  l.HideTransparentTrackBar = {124, kFirstRow + kRow, 210, 30};
  l.HideTransparentLowLabel = {96, kFirstRow + kRow + 6, 24, 15, low};
  l.HideTransparentHighLabel = {338, kFirstRow + kRow + 6, 30, 15, high};
  l.HideSpeedLabel = {12, kFirstRow + 2 * kRow + 6, 80, 15, MessageString(TMsg::SettingSpeed)};
  l.HideSpeedTrackBar = {124, kFirstRow + 2 * kRow, 210, 30};
  l.HideSpeedLowLabel = {96, kFirstRow + 2 * kRow + 6, 24, 15, MessageString(TMsg::SettingSlow)};
  l.HideSpeedHighLabel = {338, kFirstRow + 2 * kRow + 6, 30, 15, MessageString(TMsg::SettingFast)};
  l.HoleSizeLabel = {12, kFirstRow + 6, 80, 15, MessageString(TMsg::SettingHoleSize)};
  l.HoleSizeTrackBar = {124, kFirstRow, 210, 30};
  l.HoleSizeLowLabel = {96, kFirstRow + 6, 24, 15, MessageString(TMsg::SettingSmall)};
  l.HoleSizeHighLabel = {338, kFirstRow + 6, 30, 15, MessageString(TMsg::SettingLarge)};
  l.HoleTransparentLabel = {12, kFirstRow + kRow + 6, 80, 15, MessageString(TMsg::SettingTransparent)};
  l.HoleTransparentTrackBar = {124, kFirstRow + kRow, 210, 30};
  l.HoleTransparentLowLabel = {96, kFirstRow + kRow + 6, 24, 15, low};
  l.HoleTransparentHighLabel = {338, kFirstRow + kRow + 6, 30, 15, high};
  l.HoleSoftLabel = {12, kFirstRow + 2 * kRow + 6, 80, 15, MessageString(TMsg::SettingHoleSoft)};
  l.HoleSoftTrackBar = {124, kFirstRow + 2 * kRow, 210, 30};
  l.HoleSoftLowLabel = {96, kFirstRow + 2 * kRow + 6, 24, 15, MessageString(TMsg::SettingSmall)};
  l.HoleSoftHighLabel = {338, kFirstRow + 2 * kRow + 6, 30, 15, MessageString(TMsg::SettingLarge)};
  l.ClickHideCheckBox = {12, kFirstRow + 3 * kRow + 12, 0, 0, MessageString(TMsg::SettingClickHide)};
  l.HolidaySheet = {0, 0, 0, 0, MessageString(TMsg::SettingPageHoliday)};
  l.HolidayListLabel = {8, 10, 300, 15, MessageString(TMsg::SettingHolidayList)};
  l.HolidayListView = {8, 28, 388, 236};
  l.HolidayAddButton = {8, 272, 90, 25, MessageString(TMsg::SettingAdd)};
  l.HolidayModifyButton = {104, 272, 90, 25, MessageString(TMsg::SettingModify)};
  l.HolidayDeleteButton = {200, 272, 90, 25, MessageString(TMsg::SettingDelete)};
  l.DefaultHolidayButton = {300, 277, 96, 17, MessageString(TMsg::SettingDefaultHolidays)};
  l.HolidayNoteLabel = {8, 310, 388, 34, MessageString(TMsg::SettingHolidayNote)};
  l.PluginSheet = {0, 0, 0, 0, MessageString(TMsg::SettingPagePlugin)};
  l.PluginListLabel = {8, 10, 300, 15, MessageString(TMsg::SettingPluginList)};
  l.PluginListView = {8, 28, 388, 170};
  l.AddPluginButton = {8, 206, 90, 25, MessageString(TMsg::SettingAdd)};
  l.SettingPluginButton = {104, 206, 90, 25, MessageString(TMsg::SettingPluginConfigure)};
  l.DeletePluginButton = {200, 206, 90, 25, MessageString(TMsg::SettingPluginRemove)};
  l.PluginDescriptionGroupBox = {8, 240, 388, 68, MessageString(TMsg::SettingPluginDescription)};
  l.PluginDescriptionLabel = {12, 22, 364, 40};
  l.PluginNoteLabel = {8, 316, 388, 34, MessageString(TMsg::SettingPluginNote)};
  l.StartupSheet = {0, 0, 0, 0, MessageString(TMsg::SettingPageStartup)};
  l.ShortCutCheckBox = {12, 14, 0, 0, MessageString(TMsg::SettingStartupShortcut)};
  l.AssociateCheckBox = {12, 42, 0, 0, MessageString(TMsg::SettingAssociate)};
  l.IniFileGroupBox = {8, 76, 388, 66, MessageString(TMsg::SettingIniFileGroup)};
  l.IniFileEdit = {12, 28, 250, 23};
  l.IniFileButton = {270, 27, 106, 25, MessageString(TMsg::SettingShowFolder)};
  l.StartupNoteLabel = {8, 156, 388, 100, MessageString(TMsg::SettingStartupNote)};
  l.AdvancedSheet = {0, 0, 0, 0, MessageString(TMsg::SettingPageAdvanced)};
  l.TimerIntervalLabel = {12, 18, 120, 15, MessageString(TMsg::SettingTimerInterval)};
  l.TimerIntervalEdit = {138, 14, 64, 23};
  l.TimerIntervalUnitLabel = {208, 18, 50, 15, MessageString(TMsg::SettingMilliseconds)};
  l.PowerSavingCheckBox = {12, 52, 0, 0, MessageString(TMsg::SettingPowerSaving)};
  l.PriorityLabel = {12, 90, 120, 15, MessageString(TMsg::SettingPriority)};
  l.PriorityComboBox = {138, 86, 110, 23};
  l.WRLinkButton1 = {12, 130, 384, 40, MessageString(TMsg::SettingAdvancedNote)};
  l.OKButton = {191, 418, 75, 25, L"OK"};
  l.CancelButton = {272, 418, 75, 25, MessageString(TMsg::CancelButton)};
  l.ApplyButton = {353, 418, 75, 25, MessageString(TMsg::ApplyButton)};
  return l;
}

}  // namespace tdialix
