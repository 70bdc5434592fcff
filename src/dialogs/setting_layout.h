// The common settings dialog's layout without its window.
#pragma once

#include "base/geometry.h"
#include "components/form_layout.h"

namespace tdialix {

// The form's size and each control's place and design text, in pixels at 96
// dpi: pages and groups before the controls they hold, each caption label
// right before its control (the order of the dialog's layout).
struct TSettingLayout {
  TSize ClientSize;
  TControlSpec PageControl;
  TControlSpec ViewSheet;
  TControlSpec TransParentLabel;
  TControlSpec TransParentTrackBar;
  TControlSpec TransParentLowLabel;
  TControlSpec TransParentHighLabel;
  TControlSpec ZOrderLabel;
  TControlSpec ZOrderComboBox;
  TControlSpec ShowToolTipCheckBox;
  TControlSpec ToolTipFormatLabel;
  TControlSpec ToolTipFormatComboBox;
  TControlSpec EnableOtherwiseShowWindowCheckBox;
  TControlSpec HideOnFullScreenCheckBox;
  TControlSpec TaskBarGroupBox;
  TControlSpec TrayIconCheckBox;
  TControlSpec TaskTrayFormatLabel;
  TControlSpec TaskTrayFormatComboBox;
  TControlSpec HideTrayClockCheckBox;
  TControlSpec OperationSheet;
  TControlSpec LockedCheckBox;
  TControlSpec HideGroupBox;
  TControlSpec HideTypeLabel;
  TControlSpec HideTypeComboBox;
  TControlSpec HideSensitiveLabel;
  TControlSpec HideSensitiveTrackBar;
  TControlSpec HideSensitiveLowLabel;
  TControlSpec HideSensitiveHighLabel;
  TControlSpec HideTransparentLabel;
  TControlSpec HideTransparentTrackBar;
  TControlSpec HideTransparentLowLabel;
  TControlSpec HideTransparentHighLabel;
  TControlSpec HideSpeedLabel;
  TControlSpec HideSpeedTrackBar;
  TControlSpec HideSpeedLowLabel;
  TControlSpec HideSpeedHighLabel;
  TControlSpec HoleSizeLabel;
  TControlSpec HoleSizeTrackBar;
  TControlSpec HoleSizeLowLabel;
  TControlSpec HoleSizeHighLabel;
  TControlSpec HoleTransparentLabel;
  TControlSpec HoleTransparentTrackBar;
  TControlSpec HoleTransparentLowLabel;
  TControlSpec HoleTransparentHighLabel;
  TControlSpec HoleSoftLabel;
  TControlSpec HoleSoftTrackBar;
  TControlSpec HoleSoftLowLabel;
  TControlSpec HoleSoftHighLabel;
  TControlSpec ClickHideCheckBox;
  TControlSpec HolidaySheet;
  TControlSpec HolidayListLabel;
  TControlSpec HolidayListView;
  TControlSpec HolidayAddButton;
  TControlSpec HolidayModifyButton;
  TControlSpec HolidayDeleteButton;
  TControlSpec DefaultHolidayButton;
  TControlSpec HolidayNoteLabel;
  TControlSpec PluginSheet;
  TControlSpec PluginListLabel;
  TControlSpec PluginListView;
  TControlSpec AddPluginButton;
  TControlSpec SettingPluginButton;
  TControlSpec DeletePluginButton;
  TControlSpec PluginDescriptionGroupBox;
  TControlSpec PluginDescriptionLabel;
  TControlSpec PluginNoteLabel;
  TControlSpec StartupSheet;
  TControlSpec ShortCutCheckBox;
  TControlSpec AssociateCheckBox;
  TControlSpec IniFileGroupBox;
  TControlSpec IniFileEdit;
  TControlSpec IniFileButton;
  TControlSpec StartupNoteLabel;
  TControlSpec AdvancedSheet;
  TControlSpec TimerIntervalLabel;
  TControlSpec TimerIntervalEdit;
  TControlSpec TimerIntervalUnitLabel;
  TControlSpec PowerSavingCheckBox;
  TControlSpec PriorityLabel;
  TControlSpec PriorityComboBox;
  TControlSpec WRLinkButton1;
  TControlSpec OKButton;
  TControlSpec CancelButton;
  TControlSpec ApplyButton;
};
TSettingLayout SettingLayout();

}  // namespace tdialix
