#include "dialogs/setting_win.h"

#include <algorithm>
#include <numeric>

#include "base/messages.h"
#include "base/path.h"
#include "base/system_locale_win.h"
#include "base/trace_win.h"
#include "components/common_dialogs_win.h"
#include "dialogs/holiday_win.h"
#include "dialogs/list_rules.h"
#include "dialogs/setting_layout.h"
#include "dialogs/settings_folder_win.h"
#include "plugin/plugin_list.h"

namespace tdialix {

namespace {

void SetupSlider(TWRTrackBar& slider, int max, int page, int ticks, int wheel) {
  slider.Min = 0;
  slider.Max = max;
  slider.PageSize = page;
  slider.Frequency = ticks;
  slider.WheelSize = wheel;
  slider.ToolTips = true;
}

void ShowControls(std::initializer_list<TWRControl*> controls, THideControls::TState state) {
  for (TWRControl* control : controls) {
    control->SetVisible(state.Visible);
    control->SetEnabled(state.Enabled);
  }
}

// An enabled format box has the window's colour, a disabled one its parent's:
// the system's combo box draws both so.
void EnableFormatBox(TWRLabel& label, TWRComboBox& box, bool enabled) {
  label.SetEnabled(enabled);
  box.SetEnabled(enabled);
}

// The selected rows, highest first, for removing them from a vector.
std::vector<size_t> Descending(const std::vector<int>& selected) {
  std::vector<size_t> rows(selected.begin(), selected.end());
  std::sort(rows.rbegin(), rows.rend());
  return rows;
}

}  // namespace

TDialixSetting::TDialixSetting(HWND owner, TSettingHost& host, int page)
    : TWRForm(L"TDialixSetting"), Host(host) {
  Owner = owner;
  Caption = MessageString(TMsg::SettingCaption);
  Position = TFormPosition::poScreenCenter;
  HelpContext = kSettingHelpContext;
  FPageIndex = SettingOpeningPage(page, host.SettingsRecord().SettingTab);

  TWRTabSheet* const sheets[] = {&ViewSheet, &OperationSheet, &HolidaySheet, &PluginSheet, &StartupSheet, &AdvancedSheet};
  for (int i = 0; i < kSettingPageCount; ++i) sheets[i]->HelpContext = kSettingPageHelp[static_cast<size_t>(i)];
  PageControl.OnChange = [this] {
    TWRTabSheet* const all[] = {&ViewSheet, &OperationSheet, &HolidaySheet, &PluginSheet, &StartupSheet, &AdvancedSheet};
    for (int i = 0; i < kSettingPageCount; ++i) {
      if (PageControl.ActivePage() == all[i]) FPageIndex = i;
    }
  };

  // 表示
  SetupSlider(TransParentTrackBar, 100, 10, 10, 5);
  TransParentTrackBar.OnChange = [this] { Changed(); };
  ZOrderComboBox.Items = {MessageString(TMsg::ZOrderNormal), MessageString(TMsg::ZOrderTop),
                          MessageString(TMsg::ZOrderTopMost), MessageString(TMsg::ZOrderBottom)};
  ZOrderComboBox.OnChange = [this] { Changed(); };
  ShowToolTipCheckBox.OnClick = [this] { ShowToolTipCheckBoxClick(); };
  for (TWRComboBox* box : {&ToolTipFormatComboBox, &TaskTrayFormatComboBox}) {
    box->Style = TWRComboBox::TComboStyle::csDropDown;
    box->Items = DateFormatPresets();
    box->DropDownCount = 16;
    box->OnChange = [this] { Changed(); };
  }
  EnableOtherwiseShowWindowCheckBox.OnClick = [this] { Changed(); };
  HideOnFullScreenCheckBox.OnClick = [this] { Changed(); };
  TrayIconCheckBox.OnClick = [this] { TrayIconCheckBoxClick(); };
  HideTrayClockCheckBox.OnClick = [this] { Changed(); };

  // 操作
  LockedCheckBox.OnClick = [this] { Changed(); };
  HideTypeComboBox.Items = {MessageString(TMsg::HideTypeNone), MessageString(TMsg::HideTypeHide),
                            MessageString(TMsg::HideTypeHole), MessageString(TMsg::HideTypeTransparent)};
  HideTypeComboBox.OnChange = [this] {
    UpdateHideControls(DisplayBits);
    Changed();
  };
  SetupSlider(HideSensitiveTrackBar, 50, 10, 5, 5);
  SetupSlider(HideTransparentTrackBar, 100, 10, 10, 5);
  SetupSlider(HideSpeedTrackBar, 100, 10, 10, 5);
  SetupSlider(HoleSizeTrackBar, 400, 50, 50, 25);
  SetupSlider(HoleTransparentTrackBar, 100, 10, 10, 5);
  SetupSlider(HoleSoftTrackBar, 100, 10, 10, 5);
  for (TWRTrackBar* slider : {&HideSensitiveTrackBar, &HideTransparentTrackBar, &HideSpeedTrackBar, &HoleSizeTrackBar,
                              &HoleTransparentTrackBar, &HoleSoftTrackBar}) {
    slider->OnChange = [this] { Changed(); };
  }
  ClickHideCheckBox.OnClick = [this] { Changed(); };

  // 休日
  HolidayListView.MultiSelect = true;
  HolidayListView.GroupView = true;
  HolidayListView.Columns = {{MessageString(TMsg::HolidayColumnDate), 150},
                             {MessageString(TMsg::HolidayColumnTransfer), 60},
                             {MessageString(TMsg::HolidayColumnName), 170}};
  HolidayListView.OnSelectItem = [this] { HolidayListViewSelect(); };
  HolidayListView.OnDblClick = [this] {
    if (HolidayListView.SelectedItems().size() == 1) HolidayModifyButtonClick();
  };
  HolidayListView.OnKeyDown = [this](WORD key) {
    if (key == VK_DELETE) HolidayDeleteButtonClick();
  };
  HolidayAddButton.OnClick = [this] { HolidayAddButtonClick(); };
  HolidayModifyButton.OnClick = [this] { HolidayModifyButtonClick(); };
  HolidayDeleteButton.OnClick = [this] { HolidayDeleteButtonClick(); };
  DefaultHolidayButton.OnLinkClick = [this](const std::wstring&) { DefaultHolidayButtonClick(); };
  HolidayNoteLabel.WordWrap = true;

  // プラグイン
  PluginListView.MultiSelect = true;
  PluginListView.GroupView = true;
  PluginListView.Columns = {{MessageString(TMsg::PluginColumnName), 260},
                            {MessageString(TMsg::PluginColumnVersion), 120}};
  PluginListView.OnSelectItem = [this] { PluginListViewSelect(); };
  PluginListView.OnDblClick = [this] {
    if (PluginListView.SelectedItems().size() == 1) SettingPluginButtonClick();
  };
  PluginListView.OnKeyDown = [this](WORD key) {
    if (key == VK_DELETE) DeletePluginButtonClick();
  };
  AddPluginButton.OnClick = [this] { AddPluginButtonClick(); };
  SettingPluginButton.OnClick = [this] { SettingPluginButtonClick(); };
  DeletePluginButton.OnClick = [this] { DeletePluginButtonClick(); };
  PluginDescriptionLabel.WordWrap = true;
  PluginDescriptionLabel.ShowAccelChar = false;
  PluginNoteLabel.WordWrap = true;

  // 起動
  ShortCutCheckBox.OnClick = [this] {
    Input.StartupClicked = true;
    Changed();
  };
  AssociateCheckBox.OnClick = [this] {
    Input.AssociateClicked = true;
    Changed();
  };
  IniFileEdit.ReadOnly = true;
  IniFileButton.OnClick = [this] { OpenSettingsFolder(Handle(), SettingsFolderOf(Host.SettingsFilePath())); };
  StartupNoteLabel.WordWrap = true;

  // 高度な設定
  TimerIntervalEdit.SetMin(8);
  TimerIntervalEdit.SetMax(128);
  TimerIntervalEdit.SetIncrement(8);
  TimerIntervalEdit.SetPageSize(16);
  TimerIntervalEdit.OnChange = [this] { Changed(); };
  PowerSavingCheckBox.OnClick = [this] { Changed(); };
  PriorityComboBox.Items = {MessageString(TMsg::PriorityNormal), MessageString(TMsg::PriorityBelowNormal),
                            MessageString(TMsg::PriorityIdle)};
  PriorityComboBox.OnChange = [this] { Changed(); };
  WRLinkButton1.OnLinkClick = [](const std::wstring&) {
    TWRApplication::Instance().ShowHelp(kSettingPageHelp[spAdvanced]);
  };

  OKButton.Default = true;
  OKButton.OnClick = [this] {
    // OK closes only after a complete Apply: a failure keeps the dialog open where it failed.
    if (Apply()) SetModalResult(mrOk);
  };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;
  ApplyButton.SetEnabled(false);
  ApplyButton.OnClick = [this] { Apply(); };

  const TSettingLayout l = SettingLayout();
  ClientSize = l.ClientSize;
  Layout({{PageControl, l.PageControl},
          {ViewSheet, l.ViewSheet, &PageControl},
          {TransParentLabel, l.TransParentLabel, &ViewSheet},
          {TransParentTrackBar, l.TransParentTrackBar, &ViewSheet},
          {TransParentLowLabel, l.TransParentLowLabel, &ViewSheet},
          {TransParentHighLabel, l.TransParentHighLabel, &ViewSheet},
          {ZOrderLabel, l.ZOrderLabel, &ViewSheet},
          {ZOrderComboBox, l.ZOrderComboBox, &ViewSheet},
          {ShowToolTipCheckBox, l.ShowToolTipCheckBox, &ViewSheet},
          {ToolTipFormatLabel, l.ToolTipFormatLabel, &ViewSheet},
          {ToolTipFormatComboBox, l.ToolTipFormatComboBox, &ViewSheet},
          {EnableOtherwiseShowWindowCheckBox, l.EnableOtherwiseShowWindowCheckBox, &ViewSheet},
          {HideOnFullScreenCheckBox, l.HideOnFullScreenCheckBox, &ViewSheet},
          {TaskBarGroupBox, l.TaskBarGroupBox, &ViewSheet},
          {TrayIconCheckBox, l.TrayIconCheckBox, &TaskBarGroupBox},
          {TaskTrayFormatLabel, l.TaskTrayFormatLabel, &TaskBarGroupBox},
          {TaskTrayFormatComboBox, l.TaskTrayFormatComboBox, &TaskBarGroupBox},
          {HideTrayClockCheckBox, l.HideTrayClockCheckBox, &TaskBarGroupBox},
          {OperationSheet, l.OperationSheet, &PageControl},
          {LockedCheckBox, l.LockedCheckBox, &OperationSheet},
          {HideGroupBox, l.HideGroupBox, &OperationSheet},
          {HideTypeLabel, l.HideTypeLabel, &HideGroupBox},
          {HideTypeComboBox, l.HideTypeComboBox, &HideGroupBox},
          {HideSensitiveLabel, l.HideSensitiveLabel, &HideGroupBox},
          {HideSensitiveTrackBar, l.HideSensitiveTrackBar, &HideGroupBox},
          {HideSensitiveLowLabel, l.HideSensitiveLowLabel, &HideGroupBox},
          {HideSensitiveHighLabel, l.HideSensitiveHighLabel, &HideGroupBox},
          {HideTransparentLabel, l.HideTransparentLabel, &HideGroupBox},
          {HideTransparentTrackBar, l.HideTransparentTrackBar, &HideGroupBox},
          {HideTransparentLowLabel, l.HideTransparentLowLabel, &HideGroupBox},
          {HideTransparentHighLabel, l.HideTransparentHighLabel, &HideGroupBox},
          {HideSpeedLabel, l.HideSpeedLabel, &HideGroupBox},
          {HideSpeedTrackBar, l.HideSpeedTrackBar, &HideGroupBox},
          {HideSpeedLowLabel, l.HideSpeedLowLabel, &HideGroupBox},
          {HideSpeedHighLabel, l.HideSpeedHighLabel, &HideGroupBox},
          {HoleSizeLabel, l.HoleSizeLabel, &HideGroupBox},
          {HoleSizeTrackBar, l.HoleSizeTrackBar, &HideGroupBox},
          {HoleSizeLowLabel, l.HoleSizeLowLabel, &HideGroupBox},
          {HoleSizeHighLabel, l.HoleSizeHighLabel, &HideGroupBox},
          {HoleTransparentLabel, l.HoleTransparentLabel, &HideGroupBox},
          {HoleTransparentTrackBar, l.HoleTransparentTrackBar, &HideGroupBox},
          {HoleTransparentLowLabel, l.HoleTransparentLowLabel, &HideGroupBox},
          {HoleTransparentHighLabel, l.HoleTransparentHighLabel, &HideGroupBox},
          {HoleSoftLabel, l.HoleSoftLabel, &HideGroupBox},
          {HoleSoftTrackBar, l.HoleSoftTrackBar, &HideGroupBox},
          {HoleSoftLowLabel, l.HoleSoftLowLabel, &HideGroupBox},
          {HoleSoftHighLabel, l.HoleSoftHighLabel, &HideGroupBox},
          {ClickHideCheckBox, l.ClickHideCheckBox, &HideGroupBox},
          {HolidaySheet, l.HolidaySheet, &PageControl},
          {HolidayListLabel, l.HolidayListLabel, &HolidaySheet},
          {HolidayListView, l.HolidayListView, &HolidaySheet},
          {HolidayAddButton, l.HolidayAddButton, &HolidaySheet},
          {HolidayModifyButton, l.HolidayModifyButton, &HolidaySheet},
          {HolidayDeleteButton, l.HolidayDeleteButton, &HolidaySheet},
          {DefaultHolidayButton, l.DefaultHolidayButton, &HolidaySheet},
          {HolidayNoteLabel, l.HolidayNoteLabel, &HolidaySheet},
          {PluginSheet, l.PluginSheet, &PageControl},
          {PluginListLabel, l.PluginListLabel, &PluginSheet},
          {PluginListView, l.PluginListView, &PluginSheet},
          {AddPluginButton, l.AddPluginButton, &PluginSheet},
          {SettingPluginButton, l.SettingPluginButton, &PluginSheet},
          {DeletePluginButton, l.DeletePluginButton, &PluginSheet},
          {PluginDescriptionGroupBox, l.PluginDescriptionGroupBox, &PluginSheet},
          {PluginDescriptionLabel, l.PluginDescriptionLabel, &PluginDescriptionGroupBox},
          {PluginNoteLabel, l.PluginNoteLabel, &PluginSheet},
          {StartupSheet, l.StartupSheet, &PageControl},
          {ShortCutCheckBox, l.ShortCutCheckBox, &StartupSheet},
          {AssociateCheckBox, l.AssociateCheckBox, &StartupSheet},
          {IniFileGroupBox, l.IniFileGroupBox, &StartupSheet},
          {IniFileEdit, l.IniFileEdit, &IniFileGroupBox},
          {IniFileButton, l.IniFileButton, &IniFileGroupBox},
          {StartupNoteLabel, l.StartupNoteLabel, &StartupSheet},
          {AdvancedSheet, l.AdvancedSheet, &PageControl},
          {TimerIntervalLabel, l.TimerIntervalLabel, &AdvancedSheet},
          {TimerIntervalEdit, l.TimerIntervalEdit, &AdvancedSheet},
          {TimerIntervalUnitLabel, l.TimerIntervalUnitLabel, &AdvancedSheet},
          {PowerSavingCheckBox, l.PowerSavingCheckBox, &AdvancedSheet},
          {PriorityLabel, l.PriorityLabel, &AdvancedSheet},
          {PriorityComboBox, l.PriorityComboBox, &AdvancedSheet},
          {WRLinkButton1, l.WRLinkButton1, &AdvancedSheet},
          {OKButton, l.OKButton, nullptr, IDOK},
          {CancelButton, l.CancelButton, nullptr, IDCANCEL},
          {ApplyButton, l.ApplyButton}});
}

void TDialixSetting::FormCreate() {
  // Events while the controls are filled enable nothing: the dialog is not shown yet.
  FShown = false;
  LastFocused = nullptr;
  Input = {};
  const TSettings& s = Host.SettingsRecord();
  const TSettingFields f = SettingFields(s, Host.ProcessPriorityClass());
  TransParentTrackBar.SetPosition(f.TransParentPosition);
  ZOrderComboBox.SetItemIndex(f.ZOrder);
  ShowToolTipCheckBox.SetChecked(f.ShowToolTip);
  ToolTipFormatComboBox.SetText(f.ToolTipFormat);
  EnableOtherwiseShowWindowCheckBox.SetChecked(f.EnableOtherwiseShowWindow);
  HideOnFullScreenCheckBox.SetChecked(f.HideOnFullScreen);
  TrayIconCheckBox.SetChecked(f.ShowTaskTrayIcon);
  TaskTrayFormatComboBox.SetText(f.TaskTrayFormat);
  HideTrayClockCheckBox.SetChecked(f.HideTrayClock);
  LockedCheckBox.SetChecked(f.Locked);
  HideTypeComboBox.SetItemIndex(f.HideType);
  HideSensitiveTrackBar.SetPosition(f.HideSensitive);
  HideTransparentTrackBar.SetPosition(f.HideTransparentPosition);
  HideSpeedTrackBar.SetPosition(f.HideSpeed);
  HoleSizeTrackBar.SetPosition(f.HoleSize);
  HoleTransparentTrackBar.SetPosition(f.HoleTransparent);
  HoleSoftTrackBar.SetPosition(f.HoleSoft);
  ClickHideCheckBox.SetChecked(f.ClickHide);
  ShowToolTipCheckBoxClick();
  TrayIconCheckBoxClick();
  DisplayBits = Host.DisplayBits();
  UpdateHideControls(DisplayBits);

  ShortCutCheckBox.SetChecked(Host.StartupShortcutExists());
  AssociateCheckBox.SetChecked(Host.StyleFileAssociated());
  const TSettingsFolderBox folder = ReadSettingsFolderBox(Host.SettingsFilePath());
  IniFileEdit.SetText(folder.Text);
  IniFileButton.SetEnabled(folder.CanOpen);
  Input.StartupClicked = false;
  Input.AssociateClicked = false;

  FHolidays = s.HolidayList;
  SortHolidays(FHolidays);
  FillHolidayList(std::nullopt);
  LoadPlugins();

  TimerIntervalEdit.SetPosition(f.TimerInterval);
  PowerSavingCheckBox.SetChecked(f.PowerSavingMode);
  PriorityComboBox.SetItemIndex(f.Priority);

  TWRTabSheet* const sheets[] = {&ViewSheet, &OperationSheet, &HolidaySheet, &PluginSheet, &StartupSheet, &AdvancedSheet};
  PageControl.SetActivePage(sheets[FPageIndex]);
  ApplyButton.SetEnabled(false);
}

void TDialixSetting::FormShow() {
  TWRControl* const first[] = {&TransParentTrackBar, &LockedCheckBox,   &HolidayListView,
                               &PluginListView,      &ShortCutCheckBox, &TimerIntervalEdit};
  TWRControl& control = *first[FPageIndex];
  if (control.Enabled()) {
    control.SetFocus();
  } else if (const HWND next = ::GetNextDlgTabItem(::GetParent(control.Handle()), control.Handle(), FALSE)) {
    // The translucency slider is greyed on a palette display: the next one takes the focus.
    ::SetFocus(next);
  }
  FShown = true;
}

void TDialixSetting::FormControlFocused(TWRControl& control) {
  // Apply gives the focus back to where the user was before pressing a button below the pages.
  if (&control != &ApplyButton && &control != &OKButton && &control != &CancelButton) LastFocused = &control;
}

std::optional<LRESULT> TDialixSetting::FormProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HELP:
      // F1 anywhere, and the help request of the form, open the active page's topic.
      TWRApplication::Instance().ShowHelp(kSettingPageHelp[static_cast<size_t>(FPageIndex)]);
      return TRUE;
    case WM_DISPLAYCHANGE:
      // The colour depth of the new display mode decides the translucent sliders again.
      DisplayBits = static_cast<unsigned>(wParam);
      UpdateHideControls(DisplayBits);
      return std::nullopt;
    default:
      return TWRForm::FormProc(message, wParam, lParam);
  }
}

void TDialixSetting::Changed() {
  if (FShown) ApplyButton.SetEnabled(true);
}

void TDialixSetting::ShowToolTipCheckBoxClick() {
  EnableFormatBox(ToolTipFormatLabel, ToolTipFormatComboBox, ShowToolTipCheckBox.Checked());
  Changed();
}

void TDialixSetting::TrayIconCheckBoxClick() {
  EnableFormatBox(TaskTrayFormatLabel, TaskTrayFormatComboBox, TrayIconCheckBox.Checked());
  Changed();
}

void TDialixSetting::UpdateHideControls(unsigned bitsPerPixel) {
  const THideControls c = HideControls(HideTypeComboBox.ItemIndex(), bitsPerPixel);
  ShowControls({&HideSensitiveLabel, &HideSensitiveTrackBar, &HideSensitiveLowLabel, &HideSensitiveHighLabel},
               c.Sensitive);
  ShowControls({&HideTransparentLabel, &HideTransparentTrackBar, &HideTransparentLowLabel, &HideTransparentHighLabel},
               c.Transparent);
  ShowControls({&HideSpeedLabel, &HideSpeedTrackBar, &HideSpeedLowLabel, &HideSpeedHighLabel}, c.Speed);
  ShowControls({&HoleSizeLabel, &HoleSizeTrackBar, &HoleSizeLowLabel, &HoleSizeHighLabel}, c.HoleSize);
  ShowControls({&HoleTransparentLabel, &HoleTransparentTrackBar, &HoleTransparentLowLabel, &HoleTransparentHighLabel},
               c.HoleTransparent);
  ShowControls({&HoleSoftLabel, &HoleSoftTrackBar, &HoleSoftLowLabel, &HoleSoftHighLabel}, c.HoleSoft);
  ShowControls({&ClickHideCheckBox}, c.ClickHide);
  const bool translucent = TranslucencyAvailable(bitsPerPixel);
  for (TWRControl* control : {static_cast<TWRControl*>(&TransParentLabel), static_cast<TWRControl*>(&TransParentTrackBar),
                              static_cast<TWRControl*>(&TransParentLowLabel),
                              static_cast<TWRControl*>(&TransParentHighLabel)}) {
    control->SetEnabled(translucent);
  }
}

TSettingFields TDialixSetting::Fields() const {
  TSettingFields f;
  f.TransParentPosition = TransParentTrackBar.Position();
  f.ZOrder = std::max(ZOrderComboBox.ItemIndex(), 0);
  f.ShowToolTip = ShowToolTipCheckBox.Checked();
  f.ToolTipFormat = ToolTipFormatComboBox.Text();
  f.EnableOtherwiseShowWindow = EnableOtherwiseShowWindowCheckBox.Checked();
  f.HideOnFullScreen = HideOnFullScreenCheckBox.Checked();
  f.ShowTaskTrayIcon = TrayIconCheckBox.Checked();
  f.TaskTrayFormat = TaskTrayFormatComboBox.Text();
  f.HideTrayClock = HideTrayClockCheckBox.Checked();
  f.Locked = LockedCheckBox.Checked();
  f.HideType = std::max(HideTypeComboBox.ItemIndex(), 0);
  f.HideSensitive = HideSensitiveTrackBar.Position();
  f.HideTransparentPosition = HideTransparentTrackBar.Position();
  f.HideSpeed = HideSpeedTrackBar.Position();
  f.HoleSize = HoleSizeTrackBar.Position();
  f.HoleTransparent = HoleTransparentTrackBar.Position();
  f.HoleSoft = HoleSoftTrackBar.Position();
  f.ClickHide = ClickHideCheckBox.Checked();
  f.TimerInterval = TimerIntervalEdit.Position();
  f.PowerSavingMode = PowerSavingCheckBox.Checked();
  f.Priority = PriorityComboBox.ItemIndex();
  return f;
}

bool TDialixSetting::Apply() {
  if (!ApplyButton.Enabled()) return true;
  Input.Fields = Fields();
  Input.Holidays = FHolidays;
  Input.StartupChecked = ShortCutCheckBox.Checked();
  Input.AssociateChecked = AssociateCheckBox.Checked();
  Input.Plugins = PluginListAfterChange(FPlugins, MissingPlugins);
  if (!ApplySettings(Input, Host, *this)) return false;
  Trace(L"settings-applied");
  ApplyButton.SetEnabled(false);
  if (Input.RestartStarted) {
    // The program is closing to start again: the dialog goes first, so that
    // the page it was on is what the program saves.
    SetModalResult(mrOk);
    return true;
  }
  if (LastFocused && LastFocused->HandleAllocated() && ::IsWindowVisible(LastFocused->Handle()) &&
      ::IsWindowEnabled(LastFocused->Handle())) {
    LastFocused->SetFocus();
  }
  return true;
}

void TDialixSetting::SetStartupShortcut(bool create) {
  Host.SetStartupShortcut(Handle(), create);
  // A question answered No, or a failure: the box shows what the folder holds.
  ShortCutCheckBox.SetChecked(Host.StartupShortcutExists());
}

void TDialixSetting::StartAssociationChange(bool associate) { Host.StartAssociationChange(Handle(), associate); }

void TDialixSetting::PriorityFailed() {
  const std::wstring text = FormatText(MessageText(TMsg::PriorityFailed), {SystemErrorText(::GetLastError())});
  ::MessageBoxW(Handle(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONERROR);
  PageControl.SetActivePage(&AdvancedSheet);
  FPageIndex = spAdvanced;
  PriorityComboBox.SetFocus();
}

bool TDialixSetting::AskRestart() {
  return ::MessageBoxW(Handle(), MessageText(TMsg::PluginRestartQuestion).data(), kAppTitle.data(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TDialixSetting::RestartFailed() {
  ::MessageBoxW(Handle(), MessageText(TMsg::RebootFailed).data(), kAppTitle.data(), MB_OK | MB_ICONERROR);
}

// ---- 休日

void TDialixSetting::FillHolidayList(std::optional<size_t> select) {
  const std::array<std::wstring, 7> days = SystemFormatSettings().LongDayNames;
  HolidayListView.Clear();
  HolidayListView.AddGroup(htPublic, MessageString(TMsg::HolidayPublic));
  HolidayListView.AddGroup(htPrivate, MessageString(TMsg::HolidayPrivate));
  for (const THoliday& holiday : FHolidays) {
    const THolidayRow row = HolidayRow(holiday, days);
    HolidayListView.AddItem({row.Date, row.Transfer, row.Name}, row.Group);
  }
  if (select) HolidayListView.SetItemIndex(static_cast<int>(*select));
  HolidayListViewSelect();
}

void TDialixSetting::HolidayListViewSelect() {
  const size_t selected = HolidayListView.SelectedItems().size();
  HolidayModifyButton.SetEnabled(CanChangeSelection(selected));
  HolidayDeleteButton.SetEnabled(CanDeleteSelection(selected));
}

namespace {

// Sorts the rules and tells where the one at index went.
size_t SortHolidaysTracking(std::vector<THoliday>& holidays, size_t index) {
  std::vector<size_t> order(holidays.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return HolidayListsBefore(holidays[a], holidays[b]); });
  std::vector<THoliday> sorted;
  size_t found = 0;
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] == index) found = i;
    sorted.push_back(std::move(holidays[order[i]]));
  }
  holidays = std::move(sorted);
  return found;
}

}  // namespace

void TDialixSetting::HolidayAddButtonClick() {
  THoliday rule = NewHolidayRule();
  if (!EditHoliday(Handle(), rule, true)) return;
  FHolidays.push_back(rule);
  FillHolidayList(SortHolidaysTracking(FHolidays, FHolidays.size() - 1));
  HolidayListView.SetFocus();
  Changed();
}

void TDialixSetting::HolidayModifyButtonClick() {
  const std::vector<int> selected = HolidayListView.SelectedItems();
  if (!CanChangeSelection(selected.size())) return;
  const auto index = static_cast<size_t>(selected.front());
  if (index >= FHolidays.size()) return;
  if (!EditHoliday(Handle(), FHolidays[index], false)) return;
  FillHolidayList(SortHolidaysTracking(FHolidays, index));
  HolidayListView.SetFocus();
  Changed();
}

void TDialixSetting::HolidayDeleteButtonClick() {
  const std::vector<int> selected = HolidayListView.SelectedItems();
  if (!CanDeleteSelection(selected.size())) return;
  for (const size_t row : Descending(selected)) {
    if (row < FHolidays.size()) FHolidays.erase(FHolidays.begin() + static_cast<std::ptrdiff_t>(row));
  }
  FillHolidayList(SelectionAfterDelete(FHolidays.size(), static_cast<size_t>(selected.front())));
  Changed();
}

void TDialixSetting::DefaultHolidayButtonClick() {
  FHolidays = DefaultHolidays();
  SortHolidays(FHolidays);
  FillHolidayList(std::nullopt);
  Changed();
}

// ---- プラグイン

void TDialixSetting::LoadPlugins() {
  FPlugins.clear();
  MissingPlugins.clear();
  const std::wstring folder = Host.ProgramFolder();
  for (const std::wstring& file : Host.SettingsRecord().PluginList) {
    if (::GetFileAttributesW(PluginLoadPath(file, folder).c_str()) == INVALID_FILE_ATTRIBUTES) {
      MissingPlugins.push_back(file);
      continue;
    }
    const std::optional<TPluginDescription> description = Host.DescribePlugin(file);
    if (!description) continue;  // no plug-in (any more): it leaves the list at the next change
    FPlugins.push_back({file, PluginRowName(description->PluginName, file, false), description->Author,
                        description->Version, description->Description});
  }
  SortPluginRows(FPlugins);
  FillPluginList({});
}

void TDialixSetting::FillPluginList(const std::vector<size_t>& select) {
  PluginListView.Clear();
  const std::vector<std::wstring> authors = PluginAuthors(FPlugins);
  for (size_t i = 0; i < authors.size(); ++i) PluginListView.AddGroup(static_cast<int>(i), authors[i]);
  for (const TPluginRow& row : FPlugins) {
    const auto group = std::find(authors.begin(), authors.end(), row.Author) - authors.begin();
    PluginListView.AddItem({row.PluginName, row.Version}, static_cast<int>(group));
  }
  for (size_t i = 0; i < select.size(); ++i) {
    if (i == 0) {
      PluginListView.SetItemIndex(static_cast<int>(select[i]));
    } else {
      LVITEMW state{};
      state.stateMask = LVIS_SELECTED;
      state.state = LVIS_SELECTED;
      ::SendMessageW(PluginListView.Handle(), LVM_SETITEMSTATE, select[i], reinterpret_cast<LPARAM>(&state));
    }
  }
  PluginListViewSelect();
}

void TDialixSetting::PluginListViewSelect() {
  const std::vector<int> selected = PluginListView.SelectedItems();
  SettingPluginButton.SetEnabled(CanChangeSelection(selected.size()));
  DeletePluginButton.SetEnabled(CanDeleteSelection(selected.size()));
  const int shown = PluginListView.ItemIndex();
  PluginDescriptionLabel.SetText(shown >= 0 && static_cast<size_t>(shown) < FPlugins.size()
                                     ? FPlugins[static_cast<size_t>(shown)].Description
                                     : std::wstring());
}

void TDialixSetting::AddPluginButtonClick() {
  TWROpenDialog open;
  open.Filter = MessageString(TMsg::PluginFileFilter);
  open.Options |= ofAllowMultiSelect | ofFileMustExist;
  open.InitialDir = PluginFolder.empty() ? Host.ProgramFolder() + L"\\Plugins" : PluginFolder;
  open.Runner = OpenDialogRunner;
  if (!open.Execute(Handle())) return;
  if (!open.Files.empty()) PluginFolder = FolderOf(open.Files.front());
  std::vector<std::wstring> selectedBefore;
  for (const int row : PluginListView.SelectedItems()) {
    if (static_cast<size_t>(row) < FPlugins.size()) selectedBefore.push_back(FPlugins[static_cast<size_t>(row)].FileName);
  }

  std::vector<std::wstring> added;
  for (const std::wstring& file : open.Files) {
    // A library on a drive without its medium gives no system box (the
    // program's error mode), only the refusal below.
    const std::optional<TPluginDescription> description = Host.DescribePlugin(file);
    if (!description) {
      const std::wstring text = FormatText(MessageText(TMsg::PluginNotAPlugin), {file});
      ::MessageBoxW(Handle(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONERROR);
      continue;
    }
    if (PluginFileListed(FPlugins, file)) {
      const std::wstring text = FormatText(MessageText(TMsg::PluginAlreadyAdded), {FileNameOf(file)});
      ::MessageBoxW(Handle(), text.c_str(), kAppTitle.data(), MB_OK | MB_ICONWARNING);
      continue;
    }
    FPlugins.push_back({file, PluginRowName(description->PluginName, file, true), description->Author,
                        description->Version, description->Description});
    added.push_back(file);
    Input.PluginsChanged = true;
    Changed();
  }
  SortPluginRows(FPlugins);
  // The added rows are selected; when none was added, the rows selected before stay so.
  const std::vector<std::wstring>& selected = added.empty() ? selectedBefore : added;
  std::vector<size_t> select;
  for (size_t i = 0; i < FPlugins.size(); ++i) {
    if (std::find(selected.begin(), selected.end(), FPlugins[i].FileName) != selected.end()) select.push_back(i);
  }
  FillPluginList(select);
  PluginListView.SetFocus();
}

void TDialixSetting::SettingPluginButtonClick() {
  const std::vector<int> selected = PluginListView.SelectedItems();
  if (!CanChangeSelection(selected.size())) return;
  const auto index = static_cast<size_t>(selected.front());
  if (index >= FPlugins.size()) return;
  if (Host.ConfigurePlugin(FPlugins[index].FileName, Handle()).value_or(false)) Changed();
}

void TDialixSetting::DeletePluginButtonClick() {
  const std::vector<int> selected = PluginListView.SelectedItems();
  if (!CanDeleteSelection(selected.size())) return;
  for (const size_t row : Descending(selected)) {
    if (row < FPlugins.size()) FPlugins.erase(FPlugins.begin() + static_cast<std::ptrdiff_t>(row));
  }
  const std::optional<size_t> next = SelectionAfterDelete(FPlugins.size(), static_cast<size_t>(selected.front()));
  FillPluginList(next ? std::vector<size_t>{*next} : std::vector<size_t>{});
  Input.PluginsChanged = true;
  Changed();
}

void ShowSettingDialog(HWND owner, TSettingHost& host, int page) {
  TDialixSetting dialog(owner, host, page);
  dialog.ShowModal();
  host.SettingsRecord().SettingTab = dialog.PageIndex();
}

}  // namespace tdialix
