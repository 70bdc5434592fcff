#include "dialogs/setting_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../support/page_layout_check.h"

namespace tdialix {
namespace {

TEST(SettingLayout, EveryControlStaysInsideWhatHoldsIt) {
  const TSettingLayout l = SettingLayout();
  const TNamedSpecs onPages{
      {"TransParentTrackBar", l.TransParentTrackBar}, {"TransParentHighLabel", l.TransParentHighLabel},
      {"ToolTipFormatComboBox", l.ToolTipFormatComboBox}, {"TaskBarGroupBox", l.TaskBarGroupBox},
      {"HideGroupBox", l.HideGroupBox},                 {"HolidayListView", l.HolidayListView},
      {"DefaultHolidayButton", l.DefaultHolidayButton},  {"HolidayNoteLabel", l.HolidayNoteLabel},
      {"PluginListView", l.PluginListView},             {"PluginDescriptionGroupBox", l.PluginDescriptionGroupBox},
      {"PluginNoteLabel", l.PluginNoteLabel},           {"IniFileGroupBox", l.IniFileGroupBox},
      {"StartupNoteLabel", l.StartupNoteLabel},         {"WRLinkButton1", l.WRLinkButton1}};
  const TGroupedSpecs groups{
      {l.TaskBarGroupBox, {l.TrayIconCheckBox, l.TaskTrayFormatLabel, l.TaskTrayFormatComboBox, l.HideTrayClockCheckBox}},
      {l.HideGroupBox,
       {l.HideTypeComboBox, l.HideSensitiveHighLabel, l.HideSpeedTrackBar, l.HoleSoftHighLabel, l.ClickHideCheckBox}},
      {l.PluginDescriptionGroupBox, {l.PluginDescriptionLabel}},
      {l.IniFileGroupBox, {l.IniFileEdit, l.IniFileButton}}};
  ExpectPagedDialogFits(l.ClientSize, l.PageControl, onPages, groups, {l.OKButton, l.CancelButton, l.ApplyButton});
}

TEST(SettingLayout, TheHoleSlidersTakeTheHideSlidersPlaces) {
  // Only one hide type's sliders show at a time: the other set stands in the same rows.
  const TSettingLayout l = SettingLayout();
  const std::vector<std::pair<TControlSpec, TControlSpec>> rows{
      {l.HideSensitiveTrackBar, l.HoleSizeTrackBar},       {l.HideTransparentTrackBar, l.HoleTransparentTrackBar},
      {l.HideSpeedTrackBar, l.HoleSoftTrackBar},           {l.HideSensitiveLabel, l.HoleSizeLabel},
      {l.HideTransparentLowLabel, l.HoleTransparentLowLabel}, {l.HideSpeedHighLabel, l.HoleSoftHighLabel}};
  for (const auto& [hide, hole] : rows) {
    EXPECT_EQ(std::vector<int>({hide.Left, hide.Top, hide.Width, hide.Height}),
              std::vector<int>({hole.Left, hole.Top, hole.Width, hole.Height}))
        << "hole row of " << hole.Top;
  }
  // Rows do not overlap.
  EXPECT_GE(l.HideTransparentTrackBar.Top, l.HideSensitiveTrackBar.Top + l.HideSensitiveTrackBar.Height);
  EXPECT_GE(l.HideSpeedTrackBar.Top, l.HideTransparentTrackBar.Top + l.HideTransparentTrackBar.Height);
  EXPECT_GE(l.ClickHideCheckBox.Top, l.HideSpeedTrackBar.Top + l.HideSpeedTrackBar.Height);
}

}  // namespace
}  // namespace tdialix
