// The style editor's layout without its window.
#pragma once

#include "base/geometry.h"
#include "components/form_layout.h"

namespace tdialix {

// The form's size and each control's place and design text, in pixels at 96
// dpi: pages and groups before the controls they hold, each caption label
// right before its control (the order of the dialog's layout). Controls that
// show one at a time share a place.
struct TStyleEditLayout {
  TSize ClientSize;
  TControlSpec PageControl;
  // 書体
  TControlSpec TypefaceSheet;
  TControlSpec FontTypeLabel, FontTypeComboBox;
  TControlSpec FontNameLabel, FontNameComboBox;
  TControlSpec FontFileNameLabel, FontFileNameEdit, FontFileNameButton;
  TControlSpec FontSizeLabel, FontSizeEdit;
  TControlSpec FontWidthLabel, FontWidthComboBox;
  TControlSpec FontPitchLabel, FontPitchComboBox;
  TControlSpec BoldCheck, ItalicCheck, FontSmoothingCheck;
  TControlSpec FontSpacingLabel1, FontSpacingEdit1;
  TControlSpec FontSpacingLabel2, FontSpacingEdit2;
  // 装飾
  TControlSpec DecorationSheet;
  TControlSpec ColorLabel, ColorComboBox;
  TControlSpec OuterFrameGroupBox;
  TControlSpec InnerFrameGroupBox;
  TControlSpec ShadowGroupBox;
  // One row of each decoration group: width (or position), transparency, softness, colour.
  TControlSpec FrameWidthLabel, FrameWidthEdit;
  TControlSpec FrameTransparentLabel, FrameTransparentEdit;
  TControlSpec FrameSoftLabel, FrameSoftEdit;
  TControlSpec FrameColorLabel, FrameColorComboBox;
  // 背景
  TControlSpec BackgroundSheet;
  TControlSpec BackGrndTypeLabel, BackGrndTypeComboBox;
  TControlSpec BackGrndColorLabel, BackGrndColorColorBox;
  TControlSpec BackGrndGradColor1Label, BackGrndGradColor1ColorBox;
  TControlSpec BackGrndGradColor2Label, BackGrndGradColor2ColorBox;
  TControlSpec BackGrndGradTypeLabel, BackGrndGradTypeComboBox;
  TControlSpec BackGrndFileLabel, BackGrndFileEdit, BackGrndFileButton;
  TControlSpec BackGrndAlignLabel, BackGrndAlignComboBox;
  TControlSpec BackGrndSizeLabel, BackGrndSizeEdit;
  TControlSpec BackGrndAlphaLabel, BackGrndAlphaEdit;
  TControlSpec BorderGroupBox;
  TControlSpec BorderLeftLabel, BorderLeftEdit, BorderTopLabel, BorderTopEdit;
  TControlSpec BorderRightLabel, BorderRightEdit, BorderBottomLabel, BorderBottomEdit;
  // 書式: three groups of the same rows
  TControlSpec FormatSheet;
  TControlSpec HourGroupBox, MinuteGroupBox, SecondGroupBox;
  TControlSpec PartComboBox;    // "なし" / "あり" (the hour's formats)
  TControlSpec LeadingZeroCheck;
  TControlSpec Hour12to0Check;  // and "24 時は 0 時と表示" in its place
  TControlSpec ColonTypeLabel, ColonTypeComboBox;
  // 効果
  TControlSpec EffectsSheet;
  TControlSpec AnimationGroupBox;
  TControlSpec AnimationTypeLabel, AnimationTypeComboBox;
  TControlSpec AnimationSpeedLabel, AnimationSpeedTrackBar, AnimationSpeedLowLabel, AnimationSpeedHighLabel;
  TControlSpec InertiaCheckBox;
  TControlSpec FlashColonGroupBox;
  TControlSpec FlashColonTypeLabel, FlashColonTypeComboBox;
  TControlSpec FlashColonInvertCheckBox, FlashColonToggleCheckBox, FlashColonSmoothCheckBox;
  // 表示
  TControlSpec DisplaySheet;
  TControlSpec TimeSlotListLabel, TimeSlotListView;
  TControlSpec TimeSlotAddButton, TimeSlotModifyButton, TimeSlotDeleteButton;
  TControlSpec FadeSwitchingCheckBox;
  TControlSpec TimeSlotNoticeLabel;
  int StartColumnWidth = 0, EndColumnWidth = 0;

  TControlSpec OKButton, CancelButton, ApplyButton;
};
TStyleEditLayout StyleEditLayout();

}  // namespace tdialix
