#include "dialogs/style_edit_win.h"

#include <shlobj.h>

#include <algorithm>

#include "base/messages.h"
#include "base/path.h"
#include "base/trace_win.h"
#include "dialogs/auto_style_fields.h"
#include "dialogs/font_list_win.h"
#include "dialogs/list_rules.h"
#include "dialogs/style_edit_layout.h"
#include "dialogs/time_slot_fields.h"
#include "dialogs/time_slot_win.h"
#include "style/font_check_win.h"
#include "style/style_image.h"

namespace tdialix {

namespace {

std::vector<std::wstring> Texts(std::initializer_list<TMsg> ids) {
  std::vector<std::wstring> texts;
  for (const TMsg id : ids) texts.push_back(MessageString(id));
  return texts;
}

void SetupEdit(TWRFloatSpinEdit& edit, const TEditRange& range) {
  edit.SetMin(range.Min);
  edit.SetMax(range.Max);
  edit.SetIncrement(range.Increment);
  edit.SetPageSize(range.PageSize);
}

void SetupEdit(TWRSpinEdit& edit, const TEditRange& range) {
  edit.SetMin(static_cast<int>(range.Min));
  edit.SetMax(static_cast<int>(range.Max));
  edit.SetIncrement(static_cast<int>(range.Increment));
  edit.SetPageSize(static_cast<int>(range.PageSize));
}

void SetState(TControlState state, std::initializer_list<TWRControl*> controls) {
  for (TWRControl* control : controls) {
    if (control->Visible() != state.Visible) control->SetVisible(state.Visible);
    if (control->Enabled() != state.Enabled) control->SetEnabled(state.Enabled);
  }
}

std::wstring DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

}  // namespace

TDialixStyle::TDialixStyle(HWND owner, TStyleEditHost& host, int page, int lastClosedPage)
    : TWRForm(L"TDialixStyle"), Host(host) {
  Owner = owner;
  Caption = MessageString(TMsg::StyleEditCaption);
  Position = TFormPosition::poScreenCenter;
  HelpContext = kStyleEditHelpContext;
  FPageIndex = StyleEditOpeningPage(page, lastClosedPage, host.StyleRecord().FontType != ftBitmap);
  EditSlot = &EditTimeSlot;

  TWRTabSheet* const sheets[] = {&TypefaceSheet, &DecorationSheet, &BackgroundSheet,
                                 &FormatSheet,   &EffectsSheet,    &DisplaySheet};
  for (int i = 0; i < kStyleEditPageCount; ++i) sheets[i]->HelpContext = kStyleEditPageHelp[static_cast<size_t>(i)];
  PageControl.OnChange = [this] {
    TWRTabSheet* const all[] = {&TypefaceSheet, &DecorationSheet, &BackgroundSheet,
                                &FormatSheet,   &EffectsSheet,    &DisplaySheet};
    for (int i = 0; i < kStyleEditPageCount; ++i) {
      if (PageControl.ActivePage() == all[i]) FPageIndex = i;
    }
  };
  const auto changed = [this] { Changed(); };

  // 書体
  FontTypeComboBox.Items = Texts({TMsg::FontTypeSystem, TMsg::FontTypeBitmap});
  FontTypeComboBox.OnChange = changed;
  FontNameComboBox.DropDownCount = 22;
  FontNameComboBox.OnChange = changed;
  FontFileNameEdit.OnChange = changed;
  FontFileNameButton.OnClick = [this] { Browse(FontFileNameEdit); };
  SetupEdit(FontSizeEdit, kFontSizeRange);
  FontSizeEdit.OnChange = changed;
  FontWidthComboBox.Items = Texts({TMsg::FontWidthHalf, TMsg::FontWidthFull});
  FontWidthComboBox.OnChange = changed;
  FontPitchComboBox.Items = Texts({TMsg::FontPitchFixed, TMsg::FontPitchVariable});
  FontPitchComboBox.OnChange = changed;
  for (TWRCheckBox* box : {&BoldCheck, &ItalicCheck, &FontSmoothingCheck}) box->OnClick = changed;
  for (TWRFloatSpinEdit* edit : {&FontSpacingEdit1, &FontSpacingEdit2}) {
    SetupEdit(*edit, kFontSpacingRange);
    edit->OnChange = changed;
  }

  // 装飾
  ColorDialog.FullOpen = true;
  ColorComboBox.ColorDialog = &ColorDialog;
  ColorComboBox.OnChange = changed;
  SetupDecoration(OuterFrame);
  SetupDecoration(InnerFrame);
  SetupDecoration(Shadow);

  // 背景
  BackGrndTypeComboBox.Items =
      Texts({TMsg::NoneItem, TMsg::BackGrndFill, TMsg::BackGrndGradation, TMsg::BackGrndPicture});
  BackGrndTypeComboBox.OnChange = changed;
  for (TWRColorBox* box : {&BackGrndColorColorBox, &BackGrndGradColor1ColorBox, &BackGrndGradColor2ColorBox}) {
    box->ColorDialog = &ColorDialog;
    box->OnChange = changed;
  }
  BackGrndGradTypeComboBox.Items = Texts({TMsg::DirectionHorz, TMsg::DirectionVert});
  BackGrndGradTypeComboBox.OnChange = changed;
  BackGrndFileEdit.OnChange = changed;
  BackGrndFileButton.OnClick = [this] { Browse(BackGrndFileEdit); };
  BackGrndAlignComboBox.Items =
      Texts({TMsg::AlignLeft, TMsg::AlignCenter, TMsg::AlignRight, TMsg::AlignTile, TMsg::AlignZoom});
  BackGrndAlignComboBox.OnChange = changed;
  SetupEdit(BackGrndSizeEdit, kBackGrndSizeRange);
  BackGrndSizeEdit.OnChange = changed;
  SetupEdit(BackGrndAlphaEdit, kTransparencyRange);
  BackGrndAlphaEdit.OnChange = changed;
  for (TWRFloatSpinEdit* edit : {&BorderLeftEdit, &BorderTopEdit, &BorderRightEdit, &BorderBottomEdit}) {
    SetupEdit(*edit, kBorderRange);
    edit->OnChange = changed;
  }

  // 書式
  SetupFormat(Hour, Texts({TMsg::NoneItem, TMsg::Hour12Item, TMsg::Hour24Item}), false);
  SetupFormat(Minute, Texts({TMsg::NoneItem, TMsg::ShownItem}), true);
  SetupFormat(Second, Texts({TMsg::NoneItem, TMsg::ShownItem}), true);
  Hour12to0Check.OnClick = [this] { Hour0to0Click(Hour12to0Check, Hour24to0Check); };
  Hour24to0Check.OnClick = [this] { Hour0to0Click(Hour24to0Check, Hour12to0Check); };

  // 効果
  AnimationTypeComboBox.Items =
      Texts({TMsg::NoneItem, TMsg::AnimationHorz, TMsg::AnimationVert, TMsg::AnimationUp, TMsg::AnimationDown,
             TMsg::AnimationFade, TMsg::AnimationFadeOut, TMsg::AnimationFadeCross});
  AnimationTypeComboBox.OnChange = changed;
  AnimationSpeedTrackBar.Min = 0;
  AnimationSpeedTrackBar.Max = 100;
  AnimationSpeedTrackBar.PageSize = 10;
  AnimationSpeedTrackBar.Frequency = 10;
  AnimationSpeedTrackBar.WheelSize = 5;
  AnimationSpeedTrackBar.ToolTips = true;
  AnimationSpeedTrackBar.OnChange = changed;
  InertiaCheckBox.OnClick = changed;
  FlashColonTypeComboBox.Items =
      Texts({TMsg::NoneItem, TMsg::FlashColon250, TMsg::FlashColon500, TMsg::FlashColon1000});
  FlashColonTypeComboBox.OnChange = changed;
  for (TWRCheckBox* box : {&FlashColonInvertCheckBox, &FlashColonToggleCheckBox, &FlashColonSmoothCheckBox}) {
    box->OnClick = changed;
  }

  // 表示
  TimeSlotListView.MultiSelect = true;
  TimeSlotListView.GroupView = true;
  const TStyleEditLayout l = StyleEditLayout();
  TimeSlotListView.Columns = {{MessageString(TMsg::TimeSlotStartColumn), l.StartColumnWidth},
                              {MessageString(TMsg::TimeSlotEndColumn), l.EndColumnWidth}};
  TimeSlotListView.OnSelectItem = [this] { TimeSlotListViewSelect(); };
  TimeSlotListView.OnDblClick = [this] {
    if (TimeSlotModifyButton.Enabled()) TimeSlotModifyButtonClick();
  };
  TimeSlotListView.OnKeyDown = [this](WORD key) {
    if (key == VK_DELETE && TimeSlotDeleteButton.Enabled()) TimeSlotDeleteButtonClick();
  };
  TimeSlotAddButton.OnClick = [this] { TimeSlotAddButtonClick(); };
  TimeSlotModifyButton.OnClick = [this] { TimeSlotModifyButtonClick(); };
  TimeSlotDeleteButton.OnClick = [this] { TimeSlotDeleteButtonClick(); };
  FadeSwitchingCheckBox.OnClick = changed;
  TimeSlotNoticeLabel.OnLinkClick = [this](const std::wstring&) { HolidayLinkClick(); };

  OKButton.Default = true;
  OKButton.OnClick = [this] {
    Apply();
    SetModalResult(mrOk);
  };
  CancelButton.Cancel = true;
  CancelButton.ModalResult = mrCancel;
  ApplyButton.SetEnabled(false);
  ApplyButton.OnClick = [this] { Apply(); };

  ClientSize = l.ClientSize;
  const auto spec = [](TControlSpec s, TMsg text) {
    s.Text = MessageString(text);
    return s;
  };
  Layout({{PageControl, l.PageControl},
          {TypefaceSheet, l.TypefaceSheet, &PageControl},
          {FontTypeLabel, l.FontTypeLabel, &TypefaceSheet},
          {FontTypeComboBox, l.FontTypeComboBox, &TypefaceSheet},
          {FontNameLabel, l.FontNameLabel, &TypefaceSheet},
          {FontNameComboBox, l.FontNameComboBox, &TypefaceSheet},
          {FontFileNameLabel, l.FontFileNameLabel, &TypefaceSheet},
          {FontFileNameEdit, l.FontFileNameEdit, &TypefaceSheet},
          {FontFileNameButton, l.FontFileNameButton, &TypefaceSheet},
          {FontSizeLabel, l.FontSizeLabel, &TypefaceSheet},
          {FontSizeEdit, l.FontSizeEdit, &TypefaceSheet},
          {FontWidthLabel, l.FontWidthLabel, &TypefaceSheet},
          {FontWidthComboBox, l.FontWidthComboBox, &TypefaceSheet},
          {FontPitchLabel, l.FontPitchLabel, &TypefaceSheet},
          {FontPitchComboBox, l.FontPitchComboBox, &TypefaceSheet},
          {BoldCheck, l.BoldCheck, &TypefaceSheet},
          {ItalicCheck, l.ItalicCheck, &TypefaceSheet},
          {FontSmoothingCheck, l.FontSmoothingCheck, &TypefaceSheet},
          {FontSpacingLabel1, l.FontSpacingLabel1, &TypefaceSheet},
          {FontSpacingEdit1, l.FontSpacingEdit1, &TypefaceSheet},
          {FontSpacingLabel2, l.FontSpacingLabel2, &TypefaceSheet},
          {FontSpacingEdit2, l.FontSpacingEdit2, &TypefaceSheet},

          {DecorationSheet, l.DecorationSheet, &PageControl},
          {ColorLabel, l.ColorLabel, &DecorationSheet},
          {ColorComboBox, l.ColorComboBox, &DecorationSheet},
          {OuterFrame.GroupBox, l.OuterFrameGroupBox, &DecorationSheet},
          {OuterFrame.WidthLabel, spec(l.FrameWidthLabel, TMsg::FrameWidthLabel), &OuterFrame.GroupBox},
          {OuterFrame.WidthEdit, l.FrameWidthEdit, &OuterFrame.GroupBox},
          {OuterFrame.TransparentLabel, l.FrameTransparentLabel, &OuterFrame.GroupBox},
          {OuterFrame.TransparentEdit, l.FrameTransparentEdit, &OuterFrame.GroupBox},
          {OuterFrame.SoftLabel, l.FrameSoftLabel, &OuterFrame.GroupBox},
          {OuterFrame.SoftEdit, l.FrameSoftEdit, &OuterFrame.GroupBox},
          {OuterFrame.ColorLabel, l.FrameColorLabel, &OuterFrame.GroupBox},
          {OuterFrame.ColorComboBox, l.FrameColorComboBox, &OuterFrame.GroupBox},
          {InnerFrame.GroupBox, l.InnerFrameGroupBox, &DecorationSheet},
          {InnerFrame.WidthLabel, spec(l.FrameWidthLabel, TMsg::FrameWidthLabel), &InnerFrame.GroupBox},
          {InnerFrame.WidthEdit, l.FrameWidthEdit, &InnerFrame.GroupBox},
          {InnerFrame.TransparentLabel, l.FrameTransparentLabel, &InnerFrame.GroupBox},
          {InnerFrame.TransparentEdit, l.FrameTransparentEdit, &InnerFrame.GroupBox},
          {InnerFrame.SoftLabel, l.FrameSoftLabel, &InnerFrame.GroupBox},
          {InnerFrame.SoftEdit, l.FrameSoftEdit, &InnerFrame.GroupBox},
          {InnerFrame.ColorLabel, l.FrameColorLabel, &InnerFrame.GroupBox},
          {InnerFrame.ColorComboBox, l.FrameColorComboBox, &InnerFrame.GroupBox},
          {Shadow.GroupBox, l.ShadowGroupBox, &DecorationSheet},
          {Shadow.WidthLabel, spec(l.FrameWidthLabel, TMsg::ShadowPositionLabel), &Shadow.GroupBox},
          {Shadow.WidthEdit, l.FrameWidthEdit, &Shadow.GroupBox},
          {Shadow.TransparentLabel, l.FrameTransparentLabel, &Shadow.GroupBox},
          {Shadow.TransparentEdit, l.FrameTransparentEdit, &Shadow.GroupBox},
          {Shadow.SoftLabel, l.FrameSoftLabel, &Shadow.GroupBox},
          {Shadow.SoftEdit, l.FrameSoftEdit, &Shadow.GroupBox},
          {Shadow.ColorLabel, l.FrameColorLabel, &Shadow.GroupBox},
          {Shadow.ColorComboBox, l.FrameColorComboBox, &Shadow.GroupBox},

          {BackgroundSheet, l.BackgroundSheet, &PageControl},
          {BackGrndTypeLabel, l.BackGrndTypeLabel, &BackgroundSheet},
          {BackGrndTypeComboBox, l.BackGrndTypeComboBox, &BackgroundSheet},
          {BackGrndColorLabel, l.BackGrndColorLabel, &BackgroundSheet},
          {BackGrndColorColorBox, l.BackGrndColorColorBox, &BackgroundSheet},
          {BackGrndGradColor1Label, l.BackGrndGradColor1Label, &BackgroundSheet},
          {BackGrndGradColor1ColorBox, l.BackGrndGradColor1ColorBox, &BackgroundSheet},
          {BackGrndGradColor2Label, l.BackGrndGradColor2Label, &BackgroundSheet},
          {BackGrndGradColor2ColorBox, l.BackGrndGradColor2ColorBox, &BackgroundSheet},
          {BackGrndGradTypeLabel, l.BackGrndGradTypeLabel, &BackgroundSheet},
          {BackGrndGradTypeComboBox, l.BackGrndGradTypeComboBox, &BackgroundSheet},
          {BackGrndFileLabel, l.BackGrndFileLabel, &BackgroundSheet},
          {BackGrndFileEdit, l.BackGrndFileEdit, &BackgroundSheet},
          {BackGrndFileButton, l.BackGrndFileButton, &BackgroundSheet},
          {BackGrndAlignLabel, l.BackGrndAlignLabel, &BackgroundSheet},
          {BackGrndAlignComboBox, l.BackGrndAlignComboBox, &BackgroundSheet},
          {BackGrndSizeLabel, l.BackGrndSizeLabel, &BackgroundSheet},
          {BackGrndSizeEdit, l.BackGrndSizeEdit, &BackgroundSheet},
          {BackGrndAlphaLabel, l.BackGrndAlphaLabel, &BackgroundSheet},
          {BackGrndAlphaEdit, l.BackGrndAlphaEdit, &BackgroundSheet},
          {BorderGroupBox, l.BorderGroupBox, &BackgroundSheet},
          {BorderLeftLabel, l.BorderLeftLabel, &BorderGroupBox},
          {BorderLeftEdit, l.BorderLeftEdit, &BorderGroupBox},
          {BorderTopLabel, l.BorderTopLabel, &BorderGroupBox},
          {BorderTopEdit, l.BorderTopEdit, &BorderGroupBox},
          {BorderRightLabel, l.BorderRightLabel, &BorderGroupBox},
          {BorderRightEdit, l.BorderRightEdit, &BorderGroupBox},
          {BorderBottomLabel, l.BorderBottomLabel, &BorderGroupBox},
          {BorderBottomEdit, l.BorderBottomEdit, &BorderGroupBox},

          {FormatSheet, l.FormatSheet, &PageControl},
          {Hour.GroupBox, l.HourGroupBox, &FormatSheet},
          {Hour.ComboBox, l.PartComboBox, &Hour.GroupBox},
          {Hour.LeadingZeroCheck, l.LeadingZeroCheck, &Hour.GroupBox},
          {Hour12to0Check, l.Hour12to0Check, &Hour.GroupBox},
          {Hour24to0Check, spec(l.Hour12to0Check, TMsg::Hour24to0Check), &Hour.GroupBox},
          {Minute.GroupBox, l.MinuteGroupBox, &FormatSheet},
          {Minute.ComboBox, l.PartComboBox, &Minute.GroupBox},
          {Minute.LeadingZeroCheck, l.LeadingZeroCheck, &Minute.GroupBox},
          {Minute.ColonTypeLabel, l.ColonTypeLabel, &Minute.GroupBox},
          {Minute.ColonTypeComboBox, l.ColonTypeComboBox, &Minute.GroupBox},
          {Second.GroupBox, l.SecondGroupBox, &FormatSheet},
          {Second.ComboBox, l.PartComboBox, &Second.GroupBox},
          {Second.LeadingZeroCheck, l.LeadingZeroCheck, &Second.GroupBox},
          {Second.ColonTypeLabel, l.ColonTypeLabel, &Second.GroupBox},
          {Second.ColonTypeComboBox, l.ColonTypeComboBox, &Second.GroupBox},

          {EffectsSheet, l.EffectsSheet, &PageControl},
          {AnimationGroupBox, l.AnimationGroupBox, &EffectsSheet},
          {AnimationTypeLabel, l.AnimationTypeLabel, &AnimationGroupBox},
          {AnimationTypeComboBox, l.AnimationTypeComboBox, &AnimationGroupBox},
          {AnimationSpeedLabel, l.AnimationSpeedLabel, &AnimationGroupBox},
          {AnimationSpeedTrackBar, l.AnimationSpeedTrackBar, &AnimationGroupBox},
          {AnimationSpeedLowLabel, l.AnimationSpeedLowLabel, &AnimationGroupBox},
          {AnimationSpeedHighLabel, l.AnimationSpeedHighLabel, &AnimationGroupBox},
          {InertiaCheckBox, l.InertiaCheckBox, &AnimationGroupBox},
          {FlashColonGroupBox, l.FlashColonGroupBox, &EffectsSheet},
          {FlashColonTypeLabel, l.FlashColonTypeLabel, &FlashColonGroupBox},
          {FlashColonTypeComboBox, l.FlashColonTypeComboBox, &FlashColonGroupBox},
          {FlashColonInvertCheckBox, l.FlashColonInvertCheckBox, &FlashColonGroupBox},
          {FlashColonToggleCheckBox, l.FlashColonToggleCheckBox, &FlashColonGroupBox},
          {FlashColonSmoothCheckBox, l.FlashColonSmoothCheckBox, &FlashColonGroupBox},

          {DisplaySheet, l.DisplaySheet, &PageControl},
          {TimeSlotListLabel, l.TimeSlotListLabel, &DisplaySheet},
          {TimeSlotListView, l.TimeSlotListView, &DisplaySheet},
          {TimeSlotAddButton, l.TimeSlotAddButton, &DisplaySheet},
          {TimeSlotModifyButton, l.TimeSlotModifyButton, &DisplaySheet},
          {TimeSlotDeleteButton, l.TimeSlotDeleteButton, &DisplaySheet},
          {FadeSwitchingCheckBox, l.FadeSwitchingCheckBox, &DisplaySheet},
          {TimeSlotNoticeLabel, l.TimeSlotNoticeLabel, &DisplaySheet},

          {OKButton, l.OKButton, nullptr, IDOK},
          {CancelButton, l.CancelButton, nullptr, IDCANCEL},
          {ApplyButton, l.ApplyButton}});
}

void TDialixStyle::SetupDecoration(TDecorationGroup& g) {
  SetupEdit(g.WidthEdit, kFrameRange);
  SetupEdit(g.TransparentEdit, kTransparencyRange);
  SetupEdit(g.SoftEdit, kSoftRange);
  g.ColorComboBox.ColorDialog = &ColorDialog;
  const auto changed = [this] { Changed(); };
  g.WidthEdit.OnChange = changed;
  g.TransparentEdit.OnChange = changed;
  g.SoftEdit.OnChange = changed;
  g.ColorComboBox.OnChange = changed;
}

void TDialixStyle::SetupFormat(TFormatGroup& g, std::vector<std::wstring> items, bool colon) {
  g.ComboBox.Items = std::move(items);
  g.ComboBox.OnChange = [this] { Changed(); };
  g.LeadingZeroCheck.OnClick = [this] { Changed(); };
  if (colon) {
    g.ColonTypeComboBox.Items = Texts({TMsg::ColonItem, TMsg::PeriodItem, TMsg::HyphenItem});
    g.ColonTypeComboBox.OnChange = [this] { Changed(); };
  }
}

void TDialixStyle::FormCreate() {
  // The controls are being filled: their changes are no user's (also when the form shows again).
  FShown = false;
  FInitializeFlag = false;
  const TStyle& style = Host.StyleRecord();
  DisplayBits = Host.DisplayBits();
  // The font type comes first: its rule decides what the font list is for.
  FontTypeComboBox.SetItemIndex(std::clamp(static_cast<int>(style.FontType), 0, 1));
  Fonts = InstalledFontList();
  FontNameComboBox.SetItems([this] {
    std::vector<std::wstring> names;
    for (const TFontListEntry& font : Fonts) names.push_back(font.Name);
    return names;
  }());
  LoadControls(StyleEditFields(style, Fonts, Host.OwnFontName()));
  Loaded = Fields();
  Previewed = Values();

  // The colour dialog offers the style's custom colours when it keeps all sixteen.
  if (const std::optional<std::array<TColor, 16>> colors = CustomColorsOf(style.CustomColors)) {
    for (size_t i = 0; i < colors->size(); ++i) ColorDialog.CustomColors[i] = static_cast<COLORREF>((*colors)[i]);
  }
  LoadedCustomColors = ColorDialog.CustomColors;

  UpdateRules();
  TWRTabSheet* const sheets[] = {&TypefaceSheet, &DecorationSheet, &BackgroundSheet,
                                 &FormatSheet,   &EffectsSheet,    &DisplaySheet};
  PageControl.SetActivePage(sheets[FPageIndex]);
  ApplyButton.SetEnabled(false);
}

void TDialixStyle::LoadControls(const TStyleEditFields& f) {
  FontTypeComboBox.SetItemIndex(f.FontType);
  const TFontListEntry* font = FindFont(Fonts, f.FontName);
  FontNameComboBox.SetItemIndex(font ? static_cast<int>(font - Fonts.data()) : -1);
  FontFileNameEdit.SetText(f.FontFile);
  FontSizeEdit.SetPosition(f.FontSize);
  FontWidthComboBox.SetItemIndex(f.FontWidth);
  FontPitchComboBox.SetItemIndex(f.FontPitch);
  BoldCheck.SetChecked(f.Bold);
  ItalicCheck.SetChecked(f.Italic);
  FontSmoothingCheck.SetChecked(f.FontSmoothing);
  FontSpacingEdit1.SetPosition(f.DigitSpacing);
  FontSpacingEdit2.SetPosition(f.SeparatorSpacing);

  ColorComboBox.SetSelected(f.FontColor);
  const auto decoration = [](TDecorationGroup& g, double width, int transparent, int soft, TColor color) {
    g.WidthEdit.SetPosition(width);
    g.TransparentEdit.SetPosition(transparent);
    g.SoftEdit.SetPosition(soft);
    g.ColorComboBox.SetSelected(color);
  };
  decoration(OuterFrame, f.OuterFrame, f.OuterFrameTransparent, f.OuterFrameSoft, f.OuterFrameColor);
  decoration(InnerFrame, f.InnerFrame, f.InnerFrameTransparent, f.InnerFrameSoft, f.InnerFrameColor);
  decoration(Shadow, f.Shadow, f.ShadowTransparent, f.ShadowSoft, f.ShadowColor);

  BackGrndTypeComboBox.SetItemIndex(f.BackGrndType);
  BackGrndColorColorBox.SetSelected(f.BackGrndColor);
  BackGrndGradColor1ColorBox.SetSelected(f.BackGrndGradColor1);
  BackGrndGradColor2ColorBox.SetSelected(f.BackGrndGradColor2);
  BackGrndGradTypeComboBox.SetItemIndex(f.BackGrndGradType);
  BackGrndAlphaEdit.SetPosition(f.BackGrndAlpha);
  BackGrndFileEdit.SetText(f.BackGrnd);
  BackGrndAlignComboBox.SetItemIndex(f.BackGrndAlign);
  BackGrndSizeEdit.SetPosition(f.BackGrndSize);
  BorderLeftEdit.SetPosition(f.BorderLeft);
  BorderTopEdit.SetPosition(f.BorderTop);
  BorderRightEdit.SetPosition(f.BorderRight);
  BorderBottomEdit.SetPosition(f.BorderBottom);

  Hour.ComboBox.SetItemIndex(f.ShowHour);
  Hour.LeadingZeroCheck.SetChecked(f.Hour0);
  Hour12to0Check.SetChecked(f.Hour12to0);
  Hour24to0Check.SetChecked(f.Hour12to0);
  Minute.ComboBox.SetItemIndex(f.ShowMinute);
  Minute.LeadingZeroCheck.SetChecked(f.Minute0);
  Minute.ColonTypeComboBox.SetItemIndex(f.ColonType1);
  Second.ComboBox.SetItemIndex(f.ShowSecond);
  Second.LeadingZeroCheck.SetChecked(f.Second0);
  Second.ColonTypeComboBox.SetItemIndex(f.ColonType2);

  AnimationTypeComboBox.SetItemIndex(f.AnimationType);
  AnimationSpeedTrackBar.SetPosition(f.AnimationSpeed);
  InertiaCheckBox.SetChecked(f.Inertia);
  FlashColonTypeComboBox.SetItemIndex(f.FlashColonType);
  FlashColonInvertCheckBox.SetChecked(f.FlashColonInvert);
  FlashColonToggleCheckBox.SetChecked(f.FlashColonToggle);
  FlashColonSmoothCheckBox.SetChecked(f.FlashColonSmooth);

  Slots = f.Slots;
  FillTimeSlotList(std::nullopt);
  FadeSwitchingCheckBox.SetChecked(f.FadeSwitching);
}

void TDialixStyle::FormShow() {
  TWRControl* const first[] = {&FontTypeComboBox,     &ColorComboBox,         &BackGrndTypeComboBox,
                               &Hour.ComboBox,         &AnimationTypeComboBox, &TimeSlotListView};
  first[FPageIndex]->SetFocus();
  FShown = true;
}

void TDialixStyle::FormControlFocused(TWRControl& control) {
  // Apply gives the focus back to where the user was before pressing a button below the pages.
  if (&control != &ApplyButton && &control != &OKButton && &control != &CancelButton) LastFocused = &control;
}

std::optional<LRESULT> TDialixStyle::FormProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HELP:
      // F1 anywhere, and the help request of the form, open the active page's topic.
      TWRApplication::Instance().ShowHelp(kStyleEditPageHelp[static_cast<size_t>(FPageIndex)]);
      return TRUE;
    case WM_DISPLAYCHANGE:
      // The colour depth of the new display mode decides the translucent controls again.
      DisplayBits = static_cast<unsigned>(wParam);
      UpdateRules();
      return std::nullopt;
    case WM_FONTCHANGE:
      FillFontList();
      return std::nullopt;
    default:
      return TWRForm::FormProc(message, wParam, lParam);
  }
}

void TDialixStyle::FillFontList() {
  const int selected = FontNameComboBox.ItemIndex();
  const std::wstring name = selected >= 0 && static_cast<size_t>(selected) < Fonts.size()
                                ? Fonts[static_cast<size_t>(selected)].Name
                                : std::wstring();
  Fonts = InstalledFontList();
  std::vector<std::wstring> names;
  for (const TFontListEntry& font : Fonts) names.push_back(font.Name);
  FontNameComboBox.SetItems(names);
  const TFontListEntry* font = FindFont(Fonts, name);
  FontNameComboBox.SetItemIndex(font ? static_cast<int>(font - Fonts.data()) : -1);
  UpdateRules();
}

TStyleEditFields TDialixStyle::Fields() const {
  TStyleEditFields f;
  f.FontType = FontTypeComboBox.ItemIndex();
  const int font = FontNameComboBox.ItemIndex();
  f.FontName = font >= 0 && static_cast<size_t>(font) < Fonts.size() ? Fonts[static_cast<size_t>(font)].Name
                                                                     : std::wstring();
  f.FontFile = FontFileNameEdit.Text();
  f.FontSize = FontSizeEdit.Position();
  f.FontWidth = FontWidthComboBox.ItemIndex();
  f.FontPitch = FontPitchComboBox.ItemIndex();
  f.Bold = BoldCheck.Checked();
  f.Italic = ItalicCheck.Checked();
  f.FontSmoothing = FontSmoothingCheck.Checked();
  f.DigitSpacing = FontSpacingEdit1.Position();
  f.SeparatorSpacing = FontSpacingEdit2.Position();

  f.FontColor = ColorComboBox.Selected();
  f.OuterFrame = OuterFrame.WidthEdit.Position();
  f.OuterFrameTransparent = OuterFrame.TransparentEdit.Position();
  f.OuterFrameSoft = OuterFrame.SoftEdit.Position();
  f.OuterFrameColor = OuterFrame.ColorComboBox.Selected();
  f.InnerFrame = InnerFrame.WidthEdit.Position();
  f.InnerFrameTransparent = InnerFrame.TransparentEdit.Position();
  f.InnerFrameSoft = InnerFrame.SoftEdit.Position();
  f.InnerFrameColor = InnerFrame.ColorComboBox.Selected();
  f.Shadow = Shadow.WidthEdit.Position();
  f.ShadowTransparent = Shadow.TransparentEdit.Position();
  f.ShadowSoft = Shadow.SoftEdit.Position();
  f.ShadowColor = Shadow.ColorComboBox.Selected();

  f.BackGrndType = BackGrndTypeComboBox.ItemIndex();
  f.BackGrndColor = BackGrndColorColorBox.Selected();
  f.BackGrndGradColor1 = BackGrndGradColor1ColorBox.Selected();
  f.BackGrndGradColor2 = BackGrndGradColor2ColorBox.Selected();
  f.BackGrndGradType = BackGrndGradTypeComboBox.ItemIndex();
  f.BackGrndAlpha = BackGrndAlphaEdit.Position();
  f.BackGrnd = BackGrndFileEdit.Text();
  f.BackGrndAlign = BackGrndAlignComboBox.ItemIndex();
  f.BackGrndSize = BackGrndSizeEdit.Position();
  f.BorderLeft = BorderLeftEdit.Position();
  f.BorderTop = BorderTopEdit.Position();
  f.BorderRight = BorderRightEdit.Position();
  f.BorderBottom = BorderBottomEdit.Position();

  f.ShowHour = Hour.ComboBox.ItemIndex();
  f.Hour0 = Hour.LeadingZeroCheck.Checked();
  f.Hour12to0 = Hour12to0Check.Checked();
  f.ShowMinute = Minute.ComboBox.ItemIndex();
  f.Minute0 = Minute.LeadingZeroCheck.Checked();
  f.ColonType1 = Minute.ColonTypeComboBox.ItemIndex();
  f.ShowSecond = Second.ComboBox.ItemIndex();
  f.Second0 = Second.LeadingZeroCheck.Checked();
  f.ColonType2 = Second.ColonTypeComboBox.ItemIndex();

  f.AnimationType = AnimationTypeComboBox.ItemIndex();
  f.AnimationSpeed = AnimationSpeedTrackBar.Position();
  f.Inertia = InertiaCheckBox.Checked();
  f.FlashColonType = FlashColonTypeComboBox.ItemIndex();
  f.FlashColonInvert = FlashColonInvertCheckBox.Checked();
  f.FlashColonToggle = FlashColonToggleCheckBox.Checked();
  f.FlashColonSmooth = FlashColonSmoothCheckBox.Checked();

  f.Slots = Slots;
  f.FadeSwitching = FadeSwitchingCheckBox.Checked();
  return f;
}

TStyle TDialixStyle::Values() const {
  TStyle style = StoreStyleEditFields(Fields(), Loaded, Host.StyleRecord(), Fonts);
  // Raster fonts are drawn without smoothing; the font is asked once per name.
  if (style.FontName != TrueTypeName) {
    TrueTypeName = style.FontName;
    TrueTypeFont = IsOutlineFont(style.FontName);
  }
  style.IsTrueTypeFont = TrueTypeFont;
  const std::array<COLORREF, 16>& colors = ColorDialog.CustomColors;
  if (colors != LoadedCustomColors) {
    std::array<TColor, 16> custom{};
    for (size_t i = 0; i < custom.size(); ++i) custom[i] = static_cast<TColor>(colors[i] & 0xFFFFFF);
    style.CustomColors = CustomColorsText(custom);
  }
  return style;
}

void TDialixStyle::UpdateRules() {
  const TStyleEditFields f = Fields();
  const TStyleEditRules r = StyleEditRules(f, FindFont(Fonts, f.FontName), DisplayBits);
  if (DecorationSheet.TabVisible() != r.DecorationPage) DecorationSheet.SetTabVisible(r.DecorationPage);
  SetState(r.FontName, {&FontNameLabel, &FontNameComboBox});
  SetState(r.FontFile, {&FontFileNameLabel, &FontFileNameEdit, &FontFileNameButton});
  SetState(r.FontWidth, {&FontWidthLabel, &FontWidthComboBox});
  SetState(r.FontPitch, {&FontPitchLabel, &FontPitchComboBox});
  SetState(r.Bold, {&BoldCheck});
  SetState(r.Italic, {&ItalicCheck});
  SetState(r.FontSmoothing, {&FontSmoothingCheck});
  const auto decoration = [](TDecorationGroup& g, TControlState color, TControlState soft, TControlState transparent) {
    SetState(color, {&g.ColorLabel, &g.ColorComboBox});
    SetState(soft, {&g.SoftLabel, &g.SoftEdit});
    SetState(transparent, {&g.TransparentLabel, &g.TransparentEdit});
  };
  decoration(OuterFrame, r.OuterFrameColor, r.OuterFrameSoft, r.OuterFrameTransparent);
  decoration(InnerFrame, r.InnerFrameColor, r.InnerFrameSoft, r.InnerFrameTransparent);
  decoration(Shadow, r.ShadowColor, r.ShadowSoft, r.ShadowTransparent);
  SetState(r.BackGrndColor, {&BackGrndColorLabel, &BackGrndColorColorBox});
  SetState(r.BackGrndGradColor1, {&BackGrndGradColor1Label, &BackGrndGradColor1ColorBox});
  SetState(r.BackGrndGradColor2, {&BackGrndGradColor2Label, &BackGrndGradColor2ColorBox});
  SetState(r.BackGrndGradType, {&BackGrndGradTypeLabel, &BackGrndGradTypeComboBox});
  SetState(r.BackGrndAlpha, {&BackGrndAlphaLabel, &BackGrndAlphaEdit});
  SetState(r.BackGrndFile, {&BackGrndFileLabel, &BackGrndFileEdit, &BackGrndFileButton});
  SetState(r.BackGrndAlign, {&BackGrndAlignLabel, &BackGrndAlignComboBox});
  SetState(r.BackGrndSize, {&BackGrndSizeLabel, &BackGrndSizeEdit});
  SetState(r.Hour0, {&Hour.LeadingZeroCheck});
  SetState(r.Hour12to0, {&Hour12to0Check});
  SetState(r.Hour24to0, {&Hour24to0Check});
  SetState(r.Minute0, {&Minute.LeadingZeroCheck});
  SetState(r.ColonType1, {&Minute.ColonTypeLabel, &Minute.ColonTypeComboBox});
  SetState(r.Second0, {&Second.LeadingZeroCheck});
  SetState(r.ColonType2, {&Second.ColonTypeLabel, &Second.ColonTypeComboBox});
  SetState(r.AnimationSpeed,
        {&AnimationSpeedLabel, &AnimationSpeedTrackBar, &AnimationSpeedLowLabel, &AnimationSpeedHighLabel});
  SetState(r.Inertia, {&InertiaCheckBox});
  SetState(r.FlashColonInvert, {&FlashColonInvertCheckBox});
  SetState(r.FlashColonToggle, {&FlashColonToggleCheckBox});
  SetState(r.FlashColonSmooth, {&FlashColonSmoothCheckBox});
  SetState(r.FadeSwitching, {&FadeSwitchingCheckBox});
}

void TDialixStyle::Changed() {
  UpdateRules();
  if (!FShown) return;
  ApplyButton.SetEnabled(true);
  const TStyle values = Values();
  if (ImageFieldsDiffer(values, Previewed)) FInitializeFlag = true;
  Previewed = values;
  Host.PreviewStyle(values);
}

void TDialixStyle::Hour0to0Click(TWRCheckBox& clicked, TWRCheckBox& other) {
  // Both boxes show the one field: the hidden one keeps the state for the other format.
  other.SetChecked(clicked.Checked());
  Changed();
}

void TDialixStyle::Apply() {
  if (!ApplyButton.Enabled()) return;
  const TStyle style = Values();
  Host.ApplyStyle(style, FInitializeFlag);
  // From now on a control stores its field when it changes from here.
  Loaded = Fields();
  LoadedCustomColors = ColorDialog.CustomColors;
  Previewed = style;
  ApplyButton.SetEnabled(false);
  if (LastFocused && LastFocused->HandleAllocated() && ::IsWindowVisible(LastFocused->Handle()) &&
      ::IsWindowEnabled(LastFocused->Handle())) {
    LastFocused->SetFocus();
  }
  FInitializeFlag = false;
}

void TDialixStyle::Browse(TWREdit& edit) {
  TWROpenDialog open;
  open.Filter = MessageString(TMsg::BitmapFileFilter);
  open.Options |= ofFileMustExist;
  const std::wstring current = edit.Text();
  const std::wstring folder = current.empty() ? std::wstring() : FolderOf(current);
  open.InitialDir = folder.empty() ? DocumentsFolder() : folder;
  open.Runner = OpenDialogRunner;
  if (!open.Execute(Handle())) return;
  edit.SetText(open.FileName);
  edit.SetFocus();
  ::SendMessageW(edit.Handle(), EM_SETSEL, 0, -1);
  Changed();
}

// ---- 表示

void TDialixStyle::FillTimeSlotList(std::optional<size_t> select) {
  const TFormatSettings formats = Host.TimeFormats();
  TimeSlotListView.Clear();
  for (int dayType = dtWeekDay; dayType <= dtSunday; ++dayType) {
    TimeSlotListView.AddGroup(dayType, DayTypeCaption(static_cast<TDayType>(dayType)));
  }
  const bool grouped = TimeSlotListView.GroupsShown();
  for (const TVisibleTimeSlot& slot : Slots) {
    const TTimeSlotRow row = TimeSlotRow(slot, formats);
    const std::wstring start = grouped ? row.StartText : DayTypeCaption(slot.DayType) + L" " + row.StartText;
    TimeSlotListView.AddItem({start, row.EndText}, static_cast<int>(slot.DayType));
  }
  if (select) TimeSlotListView.SetItemIndex(static_cast<int>(*select));
  TimeSlotListViewSelect();
}

void TDialixStyle::TimeSlotListViewSelect() {
  const size_t selected = TimeSlotListView.SelectedItems().size();
  TimeSlotModifyButton.SetEnabled(CanChangeSelection(selected));
  TimeSlotDeleteButton.SetEnabled(CanDeleteSelection(selected));
}

void TDialixStyle::TimeSlotAddButtonClick() {
  TVisibleTimeSlot slot;
  if (!EditSlot(Handle(), slot, true)) return;
  FillTimeSlotList(PutTimeSlot(Slots, std::nullopt, slot));
  TimeSlotListView.SetFocus();
  Changed();
}

void TDialixStyle::TimeSlotModifyButtonClick() {
  const std::vector<int> selected = TimeSlotListView.SelectedItems();
  if (!CanChangeSelection(selected.size())) return;
  const auto index = static_cast<size_t>(selected.front());
  if (index >= Slots.size()) return;
  TVisibleTimeSlot slot = Slots[index];
  if (!EditSlot(Handle(), slot, false)) return;
  FillTimeSlotList(PutTimeSlot(Slots, index, slot));
  TimeSlotListView.SetFocus();
  Changed();
}

void TDialixStyle::TimeSlotDeleteButtonClick() {
  const std::vector<int> selected = TimeSlotListView.SelectedItems();
  if (!CanDeleteSelection(selected.size())) return;
  FillTimeSlotList(DeleteTimeSlots(Slots, std::vector<size_t>(selected.begin(), selected.end())));
  Changed();
}

void TDialixStyle::HolidayLinkClick() {
  // The holidays are the settings dialog's: the editor closes as Cancel and the master opens that one.
  Host.ShowHolidaySettingsLater();
  SetModalResult(mrCancel);
}

int ShowStyleEditor(HWND owner, TStyleEditHost& host, int page, int lastClosedPage,
                    const std::function<void(TDialixStyle&)>& opened) {
  TDialixStyle dialog(owner, host, page, lastClosedPage);
  if (opened) opened(dialog);
  const int result = dialog.ShowModal();
  Trace(std::wstring(L"styleeditor-closed ") + (result == mrOk ? L"ok" : L"cancel"));
  return dialog.PageIndex();
}

}  // namespace tdialix
