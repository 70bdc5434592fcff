// TDialixStyle: the dialog "スタイルの編集" in which the user edits the
// current style on six pages. Every change shows on the clocks at once (the
// master previews the dialog's values); Apply (or OK) makes them the master's
// style, Cancel leaves the style as it was applied last. The dialog writes no file.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "base/date_format.h"
#include "components/color_box_win.h"
#include "components/common_controls_win.h"
#include "components/common_dialogs_win.h"
#include "components/extended_controls_win.h"
#include "components/form_win.h"
#include "components/spin_edit_win.h"
#include "components/standard_controls_win.h"
#include "dialogs/style_edit_fields.h"
#include "style/style.h"

namespace tdialix {

// What the editor asks of the master.
class TStyleEditHost {
 public:
  virtual ~TStyleEditHost() = default;
  // The style as it was applied last.
  virtual const TStyle& StyleRecord() = 0;
  // The screen's colour depth as the master last saw it.
  virtual unsigned DisplayBits() = 0;
  // The name of the program's own font, selected when the style's font is not installed.
  virtual std::wstring OwnFontName() = 0;
  // The locale's time format for the time-slot rows.
  virtual TFormatSettings TimeFormats() = 0;
  // The clocks show these values from the next tick on, the style's images
  // as soon as they are built; the style record stays as it is.
  virtual void PreviewStyle(const TStyle& values) = 0;
  // Apply: with the tick stopped, the style becomes the master's, one tick
  // runs, the clocks' images are rebuilt when asked, their animation starts
  // afresh and they are redrawn.
  virtual void ApplyStyle(const TStyle& style, bool rebuildImages) = 0;
  // "休日" of the notice: the settings dialog on its holiday page, once the editor has closed.
  virtual void ShowHolidaySettingsLater() = 0;
};

// One group of the "装飾" page: a frame or the shadow.
struct TDecorationGroup {
  TWRGroupBox GroupBox;
  TWRLabel WidthLabel;
  TWRFloatSpinEdit WidthEdit;
  TWRLabel TransparentLabel;
  TWRSpinEdit TransparentEdit;
  TWRLabel SoftLabel;
  TWRSpinEdit SoftEdit;
  TWRLabel ColorLabel;
  TWRColorBox ColorComboBox;
};

// One group of the "書式" page: the hour, the minute or the second.
struct TFormatGroup {
  TWRGroupBox GroupBox;
  TWRComboBox ComboBox;
  TWRCheckBox LeadingZeroCheck;
  TWRLabel ColonTypeLabel;  // the minute's and the second's
  TWRComboBox ColonTypeComboBox;
};

class TDialixStyle : public TWRForm {
 public:
  // The dialog opens on the page (an index outside the pages, or the hidden
  // "装飾": the one last closed).
  TDialixStyle(HWND owner, TStyleEditHost& host, int page, int lastClosedPage);

  // The active page's index.
  int PageIndex() const noexcept { return FPageIndex; }
  // Runs Apply when it is enabled.
  void Apply();
  // What the controls hold now.
  TStyleEditFields Fields() const;
  // The style the controls make of the style applied last.
  TStyle Values() const;
  // Whether Apply will rebuild the clocks' images.
  bool InitializeFlag() const noexcept { return FInitializeFlag; }
  const std::vector<TFontListEntry>& FontList() const noexcept { return Fonts; }

  TWRPageControl PageControl;
  TWRTabSheet TypefaceSheet{PageControl};
  TWRTabSheet DecorationSheet{PageControl};
  TWRTabSheet BackgroundSheet{PageControl};
  TWRTabSheet FormatSheet{PageControl};
  TWRTabSheet EffectsSheet{PageControl};
  TWRTabSheet DisplaySheet{PageControl};

  // 書体
  TWRLabel FontTypeLabel;
  TWRComboBox FontTypeComboBox;
  TWRLabel FontNameLabel;
  TWRComboBox FontNameComboBox;
  TWRLabel FontFileNameLabel;
  TWREdit FontFileNameEdit;
  TWRButton FontFileNameButton;
  TWRLabel FontSizeLabel;
  TWRFloatSpinEdit FontSizeEdit;
  TWRLabel FontWidthLabel;
  TWRComboBox FontWidthComboBox;
  TWRLabel FontPitchLabel;
  TWRComboBox FontPitchComboBox;
  TWRCheckBox BoldCheck;
  TWRCheckBox ItalicCheck;
  TWRCheckBox FontSmoothingCheck;
  TWRLabel FontSpacingLabel1;
  TWRFloatSpinEdit FontSpacingEdit1;
  TWRLabel FontSpacingLabel2;
  TWRFloatSpinEdit FontSpacingEdit2;

  // 装飾
  TWRLabel ColorLabel;
  TWRColorBox ColorComboBox;
  TDecorationGroup OuterFrame, InnerFrame, Shadow;

  // 背景
  TWRLabel BackGrndTypeLabel;
  TWRComboBox BackGrndTypeComboBox;
  TWRLabel BackGrndColorLabel;
  TWRColorBox BackGrndColorColorBox;
  TWRLabel BackGrndGradColor1Label;
  TWRColorBox BackGrndGradColor1ColorBox;
  TWRLabel BackGrndGradColor2Label;
  TWRColorBox BackGrndGradColor2ColorBox;
  TWRLabel BackGrndGradTypeLabel;
  TWRComboBox BackGrndGradTypeComboBox;
  TWRLabel BackGrndFileLabel;
  TWREdit BackGrndFileEdit;
  TWRButton BackGrndFileButton;
  TWRLabel BackGrndAlignLabel;
  TWRComboBox BackGrndAlignComboBox;
  TWRLabel BackGrndSizeLabel;
  TWRFloatSpinEdit BackGrndSizeEdit;
  TWRLabel BackGrndAlphaLabel;
  TWRSpinEdit BackGrndAlphaEdit;
  TWRGroupBox BorderGroupBox;
  TWRLabel BorderLeftLabel;
  TWRFloatSpinEdit BorderLeftEdit;
  TWRLabel BorderTopLabel;
  TWRFloatSpinEdit BorderTopEdit;
  TWRLabel BorderRightLabel;
  TWRFloatSpinEdit BorderRightEdit;
  TWRLabel BorderBottomLabel;
  TWRFloatSpinEdit BorderBottomEdit;

  // 書式
  TFormatGroup Hour, Minute, Second;
  TWRCheckBox Hour12to0Check;
  TWRCheckBox Hour24to0Check;

  // 効果
  TWRGroupBox AnimationGroupBox;
  TWRLabel AnimationTypeLabel;
  TWRComboBox AnimationTypeComboBox;
  TWRLabel AnimationSpeedLabel;
  TWRTrackBar AnimationSpeedTrackBar;
  TWRLabel AnimationSpeedLowLabel;
  TWRLabel AnimationSpeedHighLabel;
  TWRCheckBox InertiaCheckBox;
  TWRGroupBox FlashColonGroupBox;
  TWRLabel FlashColonTypeLabel;
  TWRComboBox FlashColonTypeComboBox;
  TWRCheckBox FlashColonInvertCheckBox;
  TWRCheckBox FlashColonToggleCheckBox;
  TWRCheckBox FlashColonSmoothCheckBox;

  // 表示
  TWRLabel TimeSlotListLabel;
  TWRListView TimeSlotListView;
  TWRButton TimeSlotAddButton;
  TWRButton TimeSlotModifyButton;
  TWRButton TimeSlotDeleteButton;
  TWRCheckBox FadeSwitchingCheckBox;
  TWRLinkLabel TimeSlotNoticeLabel;

  TWRButton OKButton;
  TWRButton CancelButton;
  TWRButton ApplyButton;

  // The colour dialog every colour box opens, with the style's custom colours.
  TWRColorDialog ColorDialog;
  // How the picture's open dialog is shown (a test stands in for the user).
  std::function<BOOL(OPENFILENAMEW& info)> OpenDialogRunner;
  // How a time slot is edited (a test stands in for the time-slot dialog).
  std::function<bool(HWND owner, TVisibleTimeSlot& slot, bool adding)> EditSlot;

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormControlFocused(TWRControl& control) override;
  std::optional<LRESULT> FormProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void SetupDecoration(TDecorationGroup& group);
  void SetupFormat(TFormatGroup& group, std::vector<std::wstring> items, bool colon);
  void LoadControls(const TStyleEditFields& fields);
  // Lists the installed fonts, keeping the selected one.
  void FillFontList();
  // Any change of a control, once the dialog shows: Apply is enabled and the clocks show it.
  void Changed();
  // Shows, hides, enables and disables the controls as the values ask.
  void UpdateRules();
  void Hour0to0Click(TWRCheckBox& clicked, TWRCheckBox& other);
  void Browse(TWREdit& edit);
  void FillTimeSlotList(std::optional<size_t> select);
  void TimeSlotListViewSelect();
  void TimeSlotAddButtonClick();
  void TimeSlotModifyButtonClick();
  void TimeSlotDeleteButtonClick();
  void HolidayLinkClick();

  TStyleEditHost& Host;
  std::vector<TFontListEntry> Fonts;
  std::vector<TVisibleTimeSlot> Slots;  // the list's rows, in its order
  TStyleEditFields Loaded;              // what the controls showed when the style was applied last
  std::array<COLORREF, 16> LoadedCustomColors{};
  mutable std::wstring TrueTypeName;    // the font IsTrueTypeFont was last found for
  mutable bool TrueTypeFont = true;
  TStyle Previewed;                     // the values the clocks were last asked to show
  unsigned DisplayBits = 32;
  int FPageIndex = 0;
  bool FShown = false;
  bool FInitializeFlag = false;
  TWRControl* LastFocused = nullptr;
};

// Opens the editor modally on the page (see TDialixStyle); returns the page it closed on.
int ShowStyleEditor(HWND owner, TStyleEditHost& host, int page, int lastClosedPage,
                    const std::function<void(TDialixStyle&)>& opened = {});

}  // namespace tdialix
