// TDialixSetting: the dialog "共通設定" in which the user edits every program
// option on six pages. It reads the master's values when it opens and writes
// them back on Apply (or OK), where the running clocks take them at once.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "components/common_controls_win.h"
#include "components/extended_controls_win.h"
#include "components/form_win.h"
#include "components/spin_edit_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/setting_fields.h"
#include "plugin/plugin_host_win.h"

namespace tdialix {

// What the dialog asks of the master besides Apply's steps.
class TSettingHost : public TSettingApplyHost {
 public:
  // The screen's colour depth as the master last saw it.
  virtual unsigned DisplayBits() = 0;
  virtual std::wstring SettingsFilePath() = 0;
  // The folder the program runs from ("Plugins" below it is where adding starts).
  virtual std::wstring ProgramFolder() = 0;
  virtual int ProcessPriorityClass() = 0;
  // A plug-in library loaded on its own, asked for its texts (with the master
  // window) and freed again; nothing when it does not load or is no plug-in.
  virtual std::optional<TPluginDescription> DescribePlugin(const std::wstring& fileName) = 0;
  // Its own settings dialog: true when they changed; nothing when it does not load.
  virtual std::optional<bool> ConfigurePlugin(const std::wstring& fileName, HWND dialog) = 0;
  virtual bool StartupShortcutExists() = 0;
  virtual bool StyleFileAssociated() = 0;
  // True when the Startup folder holds what was asked for afterwards.
  virtual bool SetStartupShortcut(HWND dialog, bool create) = 0;
  virtual bool StartAssociationChange(HWND dialog, bool associate) = 0;
};

class TDialixSetting : public TWRForm, private TSettingApplyDialog {
 public:
  // The dialog opens on the page (an index outside the pages: the one last closed).
  TDialixSetting(HWND owner, TSettingHost& host, int page);

  // The active page's index.
  int PageIndex() const noexcept { return FPageIndex; }
  // Runs Apply when it is enabled; false when it stopped at a failure.
  bool Apply();
  // What the controls of the view, operation and advanced pages hold.
  TSettingFields Fields() const;
  const std::vector<THoliday>& Holidays() const noexcept { return FHolidays; }
  const std::vector<TPluginRow>& Plugins() const noexcept { return FPlugins; }
  bool PluginsChanged() const noexcept { return Input.PluginsChanged; }

  TWRPageControl PageControl;
  TWRTabSheet ViewSheet{PageControl};
  TWRTabSheet OperationSheet{PageControl};
  TWRTabSheet HolidaySheet{PageControl};
  TWRTabSheet PluginSheet{PageControl};
  TWRTabSheet StartupSheet{PageControl};
  TWRTabSheet AdvancedSheet{PageControl};

  // 表示
  TWRLabel TransParentLabel, TransParentLowLabel, TransParentHighLabel;
  TWRTrackBar TransParentTrackBar;
  TWRLabel ZOrderLabel;
  TWRComboBox ZOrderComboBox;
  TWRCheckBox ShowToolTipCheckBox;
  TWRLabel ToolTipFormatLabel;
  TWRComboBox ToolTipFormatComboBox;
  TWRCheckBox EnableOtherwiseShowWindowCheckBox;
  TWRCheckBox HideOnFullScreenCheckBox;
  TWRGroupBox TaskBarGroupBox;
  TWRCheckBox TrayIconCheckBox;
  TWRLabel TaskTrayFormatLabel;
  TWRComboBox TaskTrayFormatComboBox;
  TWRCheckBox HideTrayClockCheckBox;

  // 操作
  TWRCheckBox LockedCheckBox;
  TWRGroupBox HideGroupBox;
  TWRLabel HideTypeLabel;
  TWRComboBox HideTypeComboBox;
  TWRLabel HideSensitiveLabel, HideSensitiveLowLabel, HideSensitiveHighLabel;
  TWRTrackBar HideSensitiveTrackBar;
  TWRLabel HideTransparentLabel, HideTransparentLowLabel, HideTransparentHighLabel;
  TWRTrackBar HideTransparentTrackBar;
  TWRLabel HideSpeedLabel, HideSpeedLowLabel, HideSpeedHighLabel;
  TWRTrackBar HideSpeedTrackBar;
  TWRLabel HoleSizeLabel, HoleSizeLowLabel, HoleSizeHighLabel;
  TWRTrackBar HoleSizeTrackBar;
  TWRLabel HoleTransparentLabel, HoleTransparentLowLabel, HoleTransparentHighLabel;
  TWRTrackBar HoleTransparentTrackBar;
  TWRLabel HoleSoftLabel, HoleSoftLowLabel, HoleSoftHighLabel;
  TWRTrackBar HoleSoftTrackBar;
  TWRCheckBox ClickHideCheckBox;

  // 休日
  TWRLabel HolidayListLabel;
  TWRListView HolidayListView;
  TWRButton HolidayAddButton;
  TWRButton HolidayModifyButton;
  TWRButton HolidayDeleteButton;
  TWRLinkLabel DefaultHolidayButton;
  TWRLabel HolidayNoteLabel;

  // プラグイン
  TWRLabel PluginListLabel;
  TWRListView PluginListView;
  TWRButton AddPluginButton;
  TWRButton SettingPluginButton;
  TWRButton DeletePluginButton;
  TWRGroupBox PluginDescriptionGroupBox;
  TWRLabel PluginDescriptionLabel;
  TWRLabel PluginNoteLabel;

  // 起動
  TWRCheckBox ShortCutCheckBox;
  TWRCheckBox AssociateCheckBox;
  TWRGroupBox IniFileGroupBox;
  TWREdit IniFileEdit;
  TWRButton IniFileButton;
  TWRLabel StartupNoteLabel;

  // 高度な設定
  TWRLabel TimerIntervalLabel;
  TWRSpinEdit TimerIntervalEdit;
  TWRLabel TimerIntervalUnitLabel;
  TWRCheckBox PowerSavingCheckBox;
  TWRLabel PriorityLabel;
  TWRComboBox PriorityComboBox;
  TWRLinkLabel WRLinkButton1;

  TWRButton OKButton;
  TWRButton CancelButton;
  TWRButton ApplyButton;

  // How the plug-in dialog's open dialog is shown (a test stands in for the user).
  std::function<BOOL(OPENFILENAMEW& info)> OpenDialogRunner;

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormControlFocused(TWRControl& control) override;
  std::optional<LRESULT> FormProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Apply's questions and messages, owned by the dialog.
  void SetStartupShortcut(bool create) override;
  void StartAssociationChange(bool associate) override;
  void PriorityFailed() override;
  bool AskRestart() override;
  void RestartFailed() override;

  // Any change of a control, once the dialog shows.
  void Changed();
  void ShowToolTipCheckBoxClick();
  void TrayIconCheckBoxClick();
  // Shows the hide type's sliders; the translucent ones need more than 15 bits a pixel.
  void UpdateHideControls(unsigned bitsPerPixel);

  void FillHolidayList(std::optional<size_t> select);
  void HolidayListViewSelect();
  void HolidayAddButtonClick();
  void HolidayModifyButtonClick();
  void HolidayDeleteButtonClick();
  void DefaultHolidayButtonClick();

  void LoadPlugins();
  void FillPluginList(const std::vector<size_t>& select);
  void PluginListViewSelect();
  void AddPluginButtonClick();
  void SettingPluginButtonClick();
  void DeletePluginButtonClick();

  TSettingHost& Host;
  TSettingApplyInput Input;
  std::vector<THoliday> FHolidays;
  std::vector<TPluginRow> FPlugins;
  std::vector<std::wstring> MissingPlugins;  // listed, but not there when the dialog opened
  std::wstring PluginFolder;                 // where the next plug-in open dialog starts
  int FPageIndex = 0;
  unsigned DisplayBits = 32;  // the screen's colour depth, bits a pixel
  bool FShown = false;
  TWRControl* LastFocused = nullptr;
};

// Opens the dialog modally on the page (an index outside the pages: the one
// last closed) and keeps the page it closed on in the settings.
void ShowSettingDialog(HWND owner, TSettingHost& host, int page);

}  // namespace tdialix
