#include "dialogs/style_edit_layout.h"

#include <string>

#include "base/messages.h"

namespace tdialix {

TStyleEditLayout StyleEditLayout() {
  TStyleEditLayout l;
  l.ClientSize = {436, 452};
  l.PageControl = {8, 8, 420, 400};
  // Caption labels stand left of their controls, in rows 32 pixels apart.
  constexpr int kLabelLeft = 12, kLabelWidth = 118, kBoxLeft = 134;
  const auto label = [](int top, TMsg text) {
    return TControlSpec{kLabelLeft, top + 4, kLabelWidth, 15, MessageString(text)};
  };
  const auto box = [](int top, int width) { return TControlSpec{kBoxLeft, top, width, 23}; };

  l.TypefaceSheet = {0, 0, 0, 0, MessageString(TMsg::StylePageTypeface)};
  l.FontTypeLabel = label(14, TMsg::StyleKindLabel);
  l.FontTypeComboBox = box(14, 180);
  l.FontNameLabel = label(46, TMsg::FontNameLabel);
  l.FontNameComboBox = box(46, 254);
  l.FontFileNameLabel = label(46, TMsg::PictureLabel);
  l.FontFileNameEdit = box(46, 168);
  l.FontFileNameButton = {310, 45, 78, 25, MessageString(TMsg::BrowseButton)};
  l.FontSizeLabel = label(78, TMsg::FontSizeLabel);
  l.FontSizeEdit = box(78, 80);
  l.FontWidthLabel = label(110, TMsg::FontWidthLabel);
  l.FontWidthComboBox = box(110, 110);
  l.FontPitchLabel = label(142, TMsg::FontPitchLabel);
  l.FontPitchComboBox = box(142, 110);
  l.BoldCheck = {kBoxLeft, 178, 0, 0, MessageString(TMsg::FontBold)};
  l.ItalicCheck = {kBoxLeft + 90, 178, 0, 0, MessageString(TMsg::FontItalic)};
  l.FontSmoothingCheck = {kBoxLeft, 206, 0, 0, MessageString(TMsg::FontSmoothingCheck)};
  l.FontSpacingLabel1 = label(238, TMsg::DigitSpacingLabel);
  l.FontSpacingEdit1 = box(238, 80);
  l.FontSpacingLabel2 = label(270, TMsg::SeparatorSpacingLabel);
  l.FontSpacingEdit2 = box(270, 80);

  l.DecorationSheet = {0, 0, 0, 0, MessageString(TMsg::StylePageDecoration)};
  l.ColorLabel = label(14, TMsg::FontColorLabel);
  l.ColorComboBox = box(14, 180);
  l.OuterFrameGroupBox = {8, 48, 194, 150, MessageString(TMsg::OuterFrameGroup)};
  l.InnerFrameGroupBox = {210, 48, 194, 150, MessageString(TMsg::InnerFrameGroup)};
  l.ShadowGroupBox = {8, 206, 194, 150, MessageString(TMsg::ShadowGroup)};
  l.FrameWidthLabel = {10, 28, 62, 15};
  l.FrameWidthEdit = {76, 24, 70, 23};
  l.FrameTransparentLabel = {10, 60, 62, 15, MessageString(TMsg::TransparencyLabel)};
  l.FrameTransparentEdit = {76, 56, 70, 23};
  l.FrameSoftLabel = {10, 92, 62, 15, MessageString(TMsg::SoftnessLabel)};
  l.FrameSoftEdit = {76, 88, 70, 23};
  l.FrameColorLabel = {10, 124, 62, 15, MessageString(TMsg::ColorLabel)};
  l.FrameColorComboBox = {76, 120, 110, 23};

  l.BackgroundSheet = {0, 0, 0, 0, MessageString(TMsg::StylePageBackground)};
  l.BackGrndTypeLabel = label(14, TMsg::StyleKindLabel);
  l.BackGrndTypeComboBox = box(14, 180);
  l.BackGrndColorLabel = label(46, TMsg::ColorLabel);
  l.BackGrndColorColorBox = box(46, 180);
  l.BackGrndGradColor1Label = label(46, TMsg::Color1Label);
  l.BackGrndGradColor1ColorBox = box(46, 180);
  l.BackGrndGradColor2Label = label(78, TMsg::Color2Label);
  l.BackGrndGradColor2ColorBox = box(78, 180);
  l.BackGrndGradTypeLabel = label(110, TMsg::DirectionLabel);
  l.BackGrndGradTypeComboBox = box(110, 110);
  l.BackGrndFileLabel = label(46, TMsg::PictureLabel);
  l.BackGrndFileEdit = box(46, 168);
  l.BackGrndFileButton = {310, 45, 78, 25, MessageString(TMsg::BrowseButton)};
  l.BackGrndAlignLabel = label(78, TMsg::AlignLabel);
  l.BackGrndAlignComboBox = box(78, 110);
  l.BackGrndSizeLabel = label(110, TMsg::BackGrndSizeLabel);
  l.BackGrndSizeEdit = box(110, 80);
  l.BackGrndAlphaLabel = label(142, TMsg::TransparencyLabel);
  l.BackGrndAlphaEdit = box(142, 80);
  l.BorderGroupBox = {8, 184, 396, 92, MessageString(TMsg::MarginGroup)};
  l.BorderLeftLabel = {12, 30, 40, 15, MessageString(TMsg::MarginLeft)};
  l.BorderLeftEdit = {56, 26, 90, 23};
  l.BorderTopLabel = {200, 30, 40, 15, MessageString(TMsg::MarginTop)};
  l.BorderTopEdit = {244, 26, 90, 23};
  l.BorderRightLabel = {12, 62, 40, 15, MessageString(TMsg::MarginRight)};
  l.BorderRightEdit = {56, 58, 90, 23};
  l.BorderBottomLabel = {200, 62, 40, 15, MessageString(TMsg::MarginBottom)};
  l.BorderBottomEdit = {244, 58, 90, 23};

  l.FormatSheet = {0, 0, 0, 0, MessageString(TMsg::StylePageFormat)};
  l.HourGroupBox = {8, 10, 396, 88, MessageString(TMsg::HourGroup)};
  l.MinuteGroupBox = {8, 106, 396, 88, MessageString(TMsg::MinuteGroup)};
  l.SecondGroupBox = {8, 202, 396, 88, MessageString(TMsg::SecondGroup)};
  l.PartComboBox = {12, 24, 150, 23};
  l.LeadingZeroCheck = {184, 26, 0, 0, MessageString(TMsg::LeadingZero)};
  l.Hour12to0Check = {184, 56, 0, 0, MessageString(TMsg::Hour12to0Check)};
  l.ColonTypeLabel = {12, 60, 90, 15, MessageString(TMsg::SeparatorLabel)};
  l.ColonTypeComboBox = {106, 56, 150, 23};

  l.EffectsSheet = {0, 0, 0, 0, MessageString(TMsg::StylePageEffects)};
  l.AnimationGroupBox = {8, 10, 396, 132, MessageString(TMsg::AnimationGroup)};
  l.AnimationTypeLabel = {12, 30, 70, 15, MessageString(TMsg::StyleKindLabel)};
  l.AnimationTypeComboBox = {86, 26, 200, 23};
  l.AnimationSpeedLabel = {12, 66, 70, 15, MessageString(TMsg::SpeedLabel)};
  l.AnimationSpeedTrackBar = {112, 60, 220, 30};
  l.AnimationSpeedLowLabel = {86, 66, 24, 15, MessageString(TMsg::SettingSlow)};
  l.AnimationSpeedHighLabel = {336, 66, 30, 15, MessageString(TMsg::SettingFast)};
  l.InertiaCheckBox = {86, 100, 0, 0, MessageString(TMsg::InertiaCheck)};
  l.FlashColonGroupBox = {8, 150, 396, 142, MessageString(TMsg::FlashColonGroup)};
  l.FlashColonTypeLabel = {12, 30, 70, 15, MessageString(TMsg::StyleKindLabel)};
  l.FlashColonTypeComboBox = {86, 26, 296, 23};
  l.FlashColonInvertCheckBox = {86, 60, 0, 0, MessageString(TMsg::FlashColonInvertCheck)};
  l.FlashColonToggleCheckBox = {86, 86, 0, 0, MessageString(TMsg::FlashColonToggleCheck)};
  l.FlashColonSmoothCheckBox = {86, 112, 0, 0, MessageString(TMsg::FlashColonSmoothCheck)};

  l.DisplaySheet = {0, 0, 0, 0, MessageString(TMsg::StylePageDisplay)};
  l.TimeSlotListLabel = {8, 10, 300, 15, MessageString(TMsg::TimeSlotListLabel)};
  l.TimeSlotListView = {8, 28, 396, 196};
  l.StartColumnWidth = 180;
  l.EndColumnWidth = 180;
  l.TimeSlotAddButton = {8, 232, 90, 25, MessageString(TMsg::ListAddButton)};
  l.TimeSlotModifyButton = {104, 232, 90, 25, MessageString(TMsg::ListChangeButton)};
  l.TimeSlotDeleteButton = {200, 232, 90, 25, MessageString(TMsg::ListDeleteButton)};
  l.FadeSwitchingCheckBox = {8, 268, 0, 0, MessageString(TMsg::FadeSwitchingCheck)};
  l.TimeSlotNoticeLabel = {8, 298, 396, 48, MessageString(TMsg::TimeSlotNotice)};

  l.OKButton = {191, 418, 75, 25, L"OK"};
  l.CancelButton = {272, 418, 75, 25, MessageString(TMsg::CancelButton)};
  l.ApplyButton = {353, 418, 75, 25, MessageString(TMsg::ApplyButton)};
  return l;
}

}  // namespace tdialix
