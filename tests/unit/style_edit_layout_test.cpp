#include "dialogs/style_edit_layout.h"

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

TEST(StyleEditLayout, EveryControlStaysInsideWhatHoldsIt) {
  const TStyleEditLayout l = StyleEditLayout();
  const int pageWidth = l.PageControl.Width - kPageBorder;
  const int pageHeight = l.PageControl.Height - kTabsHeight - kPageBorder;
  const std::vector<std::pair<const char*, TControlSpec>> onPages{
      {"FontNameComboBox", l.FontNameComboBox},   {"FontFileNameButton", l.FontFileNameButton},
      {"FontSpacingEdit2", l.FontSpacingEdit2},   {"InnerFrameGroupBox", l.InnerFrameGroupBox},
      {"ShadowGroupBox", l.ShadowGroupBox},       {"BackGrndFileButton", l.BackGrndFileButton},
      {"BorderGroupBox", l.BorderGroupBox},       {"SecondGroupBox", l.SecondGroupBox},
      {"FlashColonGroupBox", l.FlashColonGroupBox}, {"TimeSlotListView", l.TimeSlotListView},
      {"TimeSlotNoticeLabel", l.TimeSlotNoticeLabel}};
  for (const auto& [name, spec] : onPages) EXPECT_TRUE(Inside(spec, pageWidth, pageHeight)) << name;

  const std::vector<std::pair<TControlSpec, std::vector<TControlSpec>>> groups{
      {l.OuterFrameGroupBox, {l.FrameWidthEdit, l.FrameSoftEdit, l.FrameColorComboBox}},
      {l.BorderGroupBox, {l.BorderTopEdit, l.BorderBottomEdit}},
      {l.HourGroupBox, {l.PartComboBox, l.Hour12to0Check, l.ColonTypeComboBox}},
      {l.AnimationGroupBox, {l.AnimationSpeedHighLabel, l.InertiaCheckBox}},
      {l.FlashColonGroupBox, {l.FlashColonTypeComboBox, l.FlashColonSmoothCheckBox}}};
  for (const auto& [group, controls] : groups) {
    for (const TControlSpec& c : controls) EXPECT_TRUE(Inside(c, group.Width, group.Height)) << group.Text;
  }
  // The buttons below the pages, inside the form and below the page control.
  for (const TControlSpec& button : {l.OKButton, l.CancelButton, l.ApplyButton}) {
    EXPECT_TRUE(Inside(button, l.ClientSize.cx, l.ClientSize.cy)) << button.Text;
    EXPECT_GE(button.Top, l.PageControl.Top + l.PageControl.Height) << button.Text;
  }
  // The three decoration groups and the three format groups do not overlap.
  EXPECT_GE(l.InnerFrameGroupBox.Left, l.OuterFrameGroupBox.Left + l.OuterFrameGroupBox.Width);
  EXPECT_GE(l.ShadowGroupBox.Top, l.OuterFrameGroupBox.Top + l.OuterFrameGroupBox.Height);
  EXPECT_GE(l.MinuteGroupBox.Top, l.HourGroupBox.Top + l.HourGroupBox.Height);
  EXPECT_GE(l.SecondGroupBox.Top, l.MinuteGroupBox.Top + l.MinuteGroupBox.Height);
}

TEST(StyleEditLayout, ControlsThatShowOneAtATimeShareTheirPlace) {
  const TStyleEditLayout l = StyleEditLayout();
  const auto place = [](const TControlSpec& c) { return std::vector<int>{c.Left, c.Top}; };
  // The font name for font digits, the picture for picture digits.
  EXPECT_EQ(place(l.FontNameComboBox), place(l.FontFileNameEdit));
  EXPECT_EQ(place(l.FontNameLabel), place(l.FontFileNameLabel));
  // The fill colour, the first gradation colour and the background picture.
  EXPECT_EQ(place(l.BackGrndColorColorBox), place(l.BackGrndGradColor1ColorBox));
  EXPECT_EQ(place(l.BackGrndColorColorBox), place(l.BackGrndFileEdit));
  EXPECT_EQ(place(l.BackGrndGradColor2ColorBox), place(l.BackGrndAlignComboBox));
  EXPECT_EQ(place(l.BackGrndGradTypeComboBox), place(l.BackGrndSizeEdit));
}

}  // namespace
}  // namespace tdialix
