#include "dialogs/setting_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tdialix {
namespace {

// The room a tab page gives inside the page control: the tabs above, a
// border around (the system's tab control, generously).
constexpr int kTabsHeight = 30, kPageBorder = 8;

bool Inside(const TControlSpec& c, int width, int height) {
  const bool across = c.Width == 0 || c.Left + c.Width <= width;
  const bool down = c.Height == 0 || c.Top + c.Height <= height;
  return c.Left >= 0 && c.Top >= 0 && across && down;
}

TEST(SettingLayout, EveryControlStaysInsideWhatHoldsIt) {
  const TSettingLayout l = SettingLayout();
  const int pageWidth = l.PageControl.Width - kPageBorder;
  const int pageHeight = l.PageControl.Height - kTabsHeight - kPageBorder;
  const std::vector<std::pair<const char*, TControlSpec>> onPages{
      {"TransParentTrackBar", l.TransParentTrackBar}, {"TransParentHighLabel", l.TransParentHighLabel},
      {"ToolTipFormatComboBox", l.ToolTipFormatComboBox}, {"TaskBarGroupBox", l.TaskBarGroupBox},
      {"HideGroupBox", l.HideGroupBox},                 {"HolidayListView", l.HolidayListView},
      {"DefaultHolidayButton", l.DefaultHolidayButton},  {"HolidayNoteLabel", l.HolidayNoteLabel},
      {"PluginListView", l.PluginListView},             {"PluginDescriptionGroupBox", l.PluginDescriptionGroupBox},
      {"PluginNoteLabel", l.PluginNoteLabel},           {"IniFileGroupBox", l.IniFileGroupBox},
      {"StartupNoteLabel", l.StartupNoteLabel},         {"WRLinkButton1", l.WRLinkButton1}};
  for (const auto& [name, spec] : onPages) EXPECT_TRUE(Inside(spec, pageWidth, pageHeight)) << name;

  const std::vector<std::pair<TControlSpec, std::vector<TControlSpec>>> groups{
      {l.TaskBarGroupBox, {l.TrayIconCheckBox, l.TaskTrayFormatLabel, l.TaskTrayFormatComboBox, l.HideTrayClockCheckBox}},
      {l.HideGroupBox,
       {l.HideTypeComboBox, l.HideSensitiveHighLabel, l.HideSpeedTrackBar, l.HoleSoftHighLabel, l.ClickHideCheckBox}},
      {l.PluginDescriptionGroupBox, {l.PluginDescriptionLabel}},
      {l.IniFileGroupBox, {l.IniFileEdit, l.IniFileButton}}};
  for (const auto& [group, controls] : groups) {
    for (const TControlSpec& c : controls) EXPECT_TRUE(Inside(c, group.Width, group.Height)) << group.Text;
  }

  // The buttons below the pages, inside the form and below the page control.
  for (const TControlSpec& button : {l.OKButton, l.CancelButton, l.ApplyButton}) {
    EXPECT_TRUE(Inside(button, l.ClientSize.cx, l.ClientSize.cy)) << button.Text;
    EXPECT_GE(button.Top, l.PageControl.Top + l.PageControl.Height) << button.Text;
  }
  EXPECT_TRUE(Inside(l.PageControl, l.ClientSize.cx, l.ClientSize.cy));
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
