#include "dialogs/style_edit_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../support/page_layout_check.h"

namespace tdialix {
namespace {

TEST(StyleEditLayout, EveryControlStaysInsideWhatHoldsIt) {
  const TStyleEditLayout l = StyleEditLayout();
  const TNamedSpecs onPages{
      {"FontNameComboBox", l.FontNameComboBox},   {"FontFileNameButton", l.FontFileNameButton},
      {"FontSpacingEdit2", l.FontSpacingEdit2},   {"InnerFrameGroupBox", l.InnerFrameGroupBox},
      {"ShadowGroupBox", l.ShadowGroupBox},       {"BackGrndFileButton", l.BackGrndFileButton},
      {"BorderGroupBox", l.BorderGroupBox},       {"SecondGroupBox", l.SecondGroupBox},
      {"FlashColonGroupBox", l.FlashColonGroupBox}, {"TimeSlotListView", l.TimeSlotListView},
      {"TimeSlotNoticeLabel", l.TimeSlotNoticeLabel}};
  const TGroupedSpecs groups{
      {l.OuterFrameGroupBox, {l.FrameWidthEdit, l.FrameSoftEdit, l.FrameColorComboBox}},
      {l.BorderGroupBox, {l.BorderTopEdit, l.BorderBottomEdit}},
      {l.HourGroupBox, {l.PartComboBox, l.Hour12to0Check, l.ColonTypeComboBox}},
      {l.AnimationGroupBox, {l.AnimationSpeedHighLabel, l.InertiaCheckBox}},
      {l.FlashColonGroupBox, {l.FlashColonTypeComboBox, l.FlashColonSmoothCheckBox}}};
  ExpectPagedDialogFits(l.ClientSize, l.PageControl, onPages, groups, {l.OKButton, l.CancelButton, l.ApplyButton});
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
