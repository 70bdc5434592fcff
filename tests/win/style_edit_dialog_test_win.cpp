// The style editor "スタイルの編集" in the test's own process, over a master
// that only records what the editor asks of it; and the builder that makes
// the clocks' images off the UI thread.
#include "dialogs/style_edit_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "base/date_format.h"
#include "base/system_locale_win.h"
#include "base/text.h"
#include "clock/glyph_builder_win.h"
#include "dialog_driver_win.h"

namespace tdialix {
namespace {

#define TDIALIX_WIDEN2(x) L##x
#define TDIALIX_WIDEN(x) TDIALIX_WIDEN2(x)

// A master that keeps a style and writes down what it is asked.
class TFakeMaster : public TStyleEditHost {
 public:
  TStyle Record;
  unsigned Bits = 32;
  std::vector<TStyle> Previews;
  std::vector<bool> Applies;  // the rebuild flag of each Apply
  int HolidayRequests = 0;

  const TStyle& StyleRecord() override { return Record; }
  unsigned DisplayBits() override { return Bits; }
  std::wstring OwnFontName() override { return L"MS UI Gothic"; }
  TFormatSettings TimeFormats() override { return SystemFormatSettings(); }
  void PreviewStyle(const TStyle& values) override { Previews.push_back(values); }
  void ApplyStyle(const TStyle& style, bool rebuild) override {
    Record = style;
    Applies.push_back(rebuild);
  }
  void ShowHolidaySettingsLater() override { ++HolidayRequests; }
};

class StyleEditDialogTest : public testing::Test {
 protected:
  TFakeMaster Master;
};

TEST_F(StyleEditDialogTest, OpensWithItsPagesButtonsAndTheStylesValues) {
  Master.Record.OuterFrame = 2;
  Master.Record.OuterFrameTransparent = 80;
  Master.Record.BackGrndType = btFill;
  Master.Record.BackGrndAlpha = 30;
  Master.Record.ShowSecond = true;
  Master.Record.AnimationSpeed = 40;
  TDialixStyle dialog(nullptr, Master, -1, epFormat);
  dialog.CreateForm();
  EXPECT_EQ(WindowClass(dialog.Handle()), L"TDialixStyle");
  EXPECT_EQ(WindowText(dialog.Handle()), L"スタイルの編集");
  EXPECT_EQ(TabTexts(dialog.PageControl.Handle()),
            (std::vector<std::wstring>{L"書体", L"装飾", L"背景", L"書式", L"効果", L"表示"}));
  EXPECT_EQ(dialog.PageIndex(), epFormat) << "the page last closed";
  EXPECT_EQ(WindowText(dialog.OKButton.Handle()), L"OK");
  EXPECT_EQ(WindowText(dialog.CancelButton.Handle()), L"キャンセル");
  EXPECT_EQ(WindowText(dialog.ApplyButton.Handle()), L"適用(&A)");
  EXPECT_FALSE(Enabled(dialog.ApplyButton));
  EXPECT_EQ(ItemTexts(dialog.FontTypeComboBox.Handle()), (std::vector<std::wstring>{L"フォントから生成", L"画像から生成"}));
  EXPECT_FALSE(ItemTexts(dialog.FontNameComboBox.Handle()).empty());
  EXPECT_EQ(WindowText(dialog.FontSizeEdit.Handle()), L"9");
  EXPECT_EQ(WindowText(dialog.OuterFrame.TransparentEdit.Handle()), L"20") << "100 minus the opacity";
  EXPECT_EQ(WindowText(dialog.BackGrndAlphaEdit.Handle()), L"30") << "not inverted";
  EXPECT_EQ(SelectedItem(dialog.Second.ComboBox.Handle()), 1);
  EXPECT_EQ(dialog.AnimationSpeedTrackBar.Position(), 40);
  EXPECT_EQ(ItemTexts(dialog.AnimationTypeComboBox.Handle()).size(), 8u);
  EXPECT_EQ(ItemTexts(dialog.FlashColonTypeComboBox.Handle())[1], L"250 ミリ秒間点灯、750 ミリ秒間消灯");
  EXPECT_EQ(ItemTexts(dialog.BackGrndAlignComboBox.Handle()),
            (std::vector<std::wstring>{L"左", L"中央", L"右", L"全体", L"拡大"}));
  // Every caption label stands right before its control in tab order.
  for (const auto& [label, control] :
       {std::pair<TWRControl*, TWRControl*>{&dialog.FontTypeLabel, &dialog.FontTypeComboBox},
        {&dialog.FontNameLabel, &dialog.FontNameComboBox},
        {&dialog.FontFileNameLabel, &dialog.FontFileNameEdit},
        {&dialog.FontSizeLabel, &dialog.FontSizeEdit},
        {&dialog.FontSpacingLabel2, &dialog.FontSpacingEdit2},
        {&dialog.ColorLabel, &dialog.ColorComboBox},
        {&dialog.OuterFrame.TransparentLabel, &dialog.OuterFrame.TransparentEdit},
        {&dialog.Shadow.ColorLabel, &dialog.Shadow.ColorComboBox},
        {&dialog.BackGrndGradTypeLabel, &dialog.BackGrndGradTypeComboBox},
        {&dialog.BorderBottomLabel, &dialog.BorderBottomEdit},
        {&dialog.Minute.ColonTypeLabel, &dialog.Minute.ColonTypeComboBox},
        {&dialog.AnimationSpeedLabel, &dialog.AnimationSpeedTrackBar},
        {&dialog.FlashColonTypeLabel, &dialog.FlashColonTypeComboBox},
        {&dialog.TimeSlotListLabel, &dialog.TimeSlotListView}}) {
    EXPECT_EQ(::GetWindow(label->Handle(), GW_HWNDNEXT), control->Handle()) << WindowText(label->Handle());
  }
}

TEST_F(StyleEditDialogTest, APageThatDoesNotShowOpensThePageLastClosed) {
  Master.Record.FontType = ftBitmap;
  TDialixStyle dialog(nullptr, Master, epDecoration, epEffects);
  dialog.CreateForm();
  EXPECT_EQ(dialog.PageIndex(), epEffects);
  EXPECT_EQ(TabTexts(dialog.PageControl.Handle()).size(), 5u) << "装飾 is hidden for picture digits";
}

TEST_F(StyleEditDialogTest, PictureDigitsHideTheDecorationPageAndShowTheirFile) {
  TDialixStyle dialog(nullptr, Master, epTypeface, 0);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_TRUE(Visible(dialog.FontNameComboBox));
    EXPECT_FALSE(Visible(dialog.FontFileNameEdit));
    SelectItem(dialog.FontTypeComboBox.Handle(), ftBitmap);
    EXPECT_EQ(TabTexts(dialog.PageControl.Handle()),
              (std::vector<std::wstring>{L"書体", L"背景", L"書式", L"効果", L"表示"}));
    EXPECT_TRUE(Visible(dialog.FontFileNameEdit) && Enabled(dialog.FontFileNameEdit));
    EXPECT_TRUE(Visible(dialog.FontFileNameButton) && Visible(dialog.FontFileNameLabel));
    for (const TWRControl* hidden : {static_cast<const TWRControl*>(&dialog.FontNameComboBox),
                                     static_cast<const TWRControl*>(&dialog.BoldCheck),
                                     static_cast<const TWRControl*>(&dialog.FontWidthComboBox),
                                     static_cast<const TWRControl*>(&dialog.FontSmoothingCheck)}) {
      EXPECT_FALSE(Visible(*hidden));
    }
    EXPECT_TRUE(Visible(dialog.FontSizeEdit) && Visible(dialog.FontSpacingEdit2));
    SelectItem(dialog.FontTypeComboBox.Handle(), ftSystem);
    EXPECT_EQ(TabTexts(dialog.PageControl.Handle()).size(), 6u);
    EXPECT_FALSE(Visible(dialog.FontFileNameEdit));
    Click(dialog.CancelButton.Handle());
  });
  EXPECT_TRUE(Master.Applies.empty());
}

TEST_F(StyleEditDialogTest, AFontWithoutShiftJisGreysTheWidthAndStoresHalfWidth) {
  Master.Record.FontWidth = fwFull;
  TDialixStyle dialog(nullptr, Master, epTypeface, 0);
  dialog.CreateForm();
  const std::vector<TFontListEntry>& fonts = dialog.FontList();
  const auto withFull = std::find_if(fonts.begin(), fonts.end(), [](const TFontListEntry& f) { return f.FullWidthExists; });
  const auto withoutFull =
      std::find_if(fonts.begin(), fonts.end(), [](const TFontListEntry& f) { return !f.FullWidthExists; });
  dialog.Release();
  if (withFull == fonts.end() || withoutFull == fonts.end()) GTEST_SKIP() << "the fonts here are all alike";
  Master.Record.FontName = withFull->Name;
  const std::wstring halfOnly = withoutFull->Name;
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_TRUE(Enabled(dialog.FontWidthComboBox));
    EXPECT_EQ(SelectedItem(dialog.FontWidthComboBox.Handle()), fwFull);
    const std::vector<std::wstring> names = ItemTexts(dialog.FontNameComboBox.Handle());
    SelectItem(dialog.FontNameComboBox.Handle(),
               static_cast<int>(std::find(names.begin(), names.end(), halfOnly) - names.begin()));
    EXPECT_FALSE(Enabled(dialog.FontWidthComboBox));
    EXPECT_FALSE(Enabled(dialog.FontWidthLabel));
    Click(dialog.OKButton.Handle());
  });
  EXPECT_EQ(Master.Record.FontName, halfOnly);
  EXPECT_EQ(Master.Record.FontWidth, fwHalf) << "全角 was chosen before";
  ASSERT_EQ(Master.Applies.size(), 1u);
  EXPECT_TRUE(Master.Applies[0]) << "the typeface rebuilds the images";
}

TEST_F(StyleEditDialogTest, AFrameNeedsAWidthAndItsTranslucencyMoreThan15Bits) {
  TDialixStyle dialog(nullptr, Master, epDecoration, 0);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
    TDecorationGroup& outer = dialog.OuterFrame;
    EXPECT_FALSE(Enabled(outer.ColorComboBox) || Enabled(outer.SoftEdit) || Enabled(outer.TransparentEdit));
    EXPECT_FALSE(Enabled(outer.ColorLabel));
    SetText(outer.WidthEdit.Handle(), L"3");
    EXPECT_TRUE(Enabled(outer.ColorComboBox) && Enabled(outer.SoftEdit) && Enabled(outer.TransparentEdit));
    EXPECT_TRUE(Enabled(dialog.InnerFrame.SoftLabel)) << "the inner frame is 4 by default";
    // A display of 256 colours has no translucency: only the colour stays.
    ::SendMessageW(window, WM_DISPLAYCHANGE, 8, MAKELPARAM(800, 600));
    EXPECT_TRUE(Enabled(outer.ColorComboBox));
    EXPECT_FALSE(Enabled(outer.SoftEdit) || Enabled(outer.TransparentEdit) || Enabled(outer.SoftLabel));
    EXPECT_FALSE(Enabled(dialog.FlashColonSmoothCheckBox));
    EXPECT_FALSE(Enabled(dialog.FadeSwitchingCheckBox));
    SetText(dialog.Shadow.WidthEdit.Handle(), L"1");
    EXPECT_TRUE(Enabled(dialog.Shadow.ColorComboBox));
    EXPECT_FALSE(Enabled(dialog.Shadow.TransparentEdit));
    ::SendMessageW(window, WM_DISPLAYCHANGE, 16, MAKELPARAM(800, 600));
    EXPECT_TRUE(Enabled(dialog.Shadow.TransparentEdit) && Enabled(dialog.FadeSwitchingCheckBox));
    Click(dialog.CancelButton.Handle());
  });
}

TEST_F(StyleEditDialogTest, TheBackgroundTypeShowsItsControlsAndZoomGreysTheSize) {
  TDialixStyle dialog(nullptr, Master, epBackground, 0);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_FALSE(Visible(dialog.BackGrndColorColorBox) || Visible(dialog.BackGrndFileEdit) ||
                 Visible(dialog.BackGrndAlphaEdit));
    SelectItem(dialog.BackGrndTypeComboBox.Handle(), btGradation);
    EXPECT_TRUE(Visible(dialog.BackGrndGradColor1ColorBox) && Visible(dialog.BackGrndGradTypeComboBox));
    EXPECT_TRUE(Visible(dialog.BackGrndAlphaEdit) && Enabled(dialog.BackGrndAlphaEdit));
    SelectItem(dialog.BackGrndTypeComboBox.Handle(), btBitmap);
    EXPECT_FALSE(Visible(dialog.BackGrndGradColor1ColorBox) || Visible(dialog.BackGrndAlphaEdit));
    EXPECT_TRUE(Visible(dialog.BackGrndFileButton) && Enabled(dialog.BackGrndSizeEdit));
    SelectItem(dialog.BackGrndAlignComboBox.Handle(), baZoom);
    EXPECT_FALSE(Enabled(dialog.BackGrndSizeEdit));
    EXPECT_FALSE(Enabled(dialog.BackGrndSizeLabel));
    SelectItem(dialog.BackGrndAlignComboBox.Handle(), baTile);
    EXPECT_TRUE(Enabled(dialog.BackGrndSizeEdit));
    Click(dialog.CancelButton.Handle());
  });
}

TEST_F(StyleEditDialogTest, The24HourBoxAlsoChecksTheHidden12HourBox) {
  Master.Record.Hour12to0 = false;
  TDialixStyle dialog(nullptr, Master, epFormat, 0);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_TRUE(Visible(dialog.Hour12to0Check));
    EXPECT_FALSE(Visible(dialog.Hour24to0Check));
    SelectItem(dialog.Hour.ComboBox.Handle(), hf24H);
    EXPECT_FALSE(Visible(dialog.Hour12to0Check));
    EXPECT_TRUE(Visible(dialog.Hour24to0Check) && Enabled(dialog.Hour24to0Check));
    Click(dialog.Hour24to0Check.Handle());
    EXPECT_TRUE(IsChecked(dialog.Hour12to0Check.Handle()));
    SelectItem(dialog.Hour.ComboBox.Handle(), hf12H);
    EXPECT_TRUE(IsChecked(dialog.Hour12to0Check.Handle())) << "the format switched, the state kept";
    SelectItem(dialog.Hour.ComboBox.Handle(), hfNone);
    EXPECT_FALSE(Enabled(dialog.Hour.LeadingZeroCheck));
    EXPECT_FALSE(Enabled(dialog.Hour12to0Check));
    SelectItem(dialog.Minute.ComboBox.Handle(), 0);
    EXPECT_FALSE(Enabled(dialog.Minute.LeadingZeroCheck) || Enabled(dialog.Minute.ColonTypeComboBox) ||
                 Enabled(dialog.Minute.ColonTypeLabel));
    EXPECT_FALSE(Enabled(dialog.Second.ColonTypeComboBox)) << "no seconds by default";
    Click(dialog.OKButton.Handle());
  });
  EXPECT_TRUE(Master.Record.Hour12to0);
  EXPECT_EQ(Master.Record.ShowHour, hfNone);
  EXPECT_FALSE(Master.Record.ShowMinute);
  ASSERT_EQ(Master.Applies.size(), 1u);
  EXPECT_FALSE(Master.Applies[0]) << "the format only redraws";
}

TEST_F(StyleEditDialogTest, EveryChangePreviewsApplyStoresAndCancelLeavesTheStyle) {
  TDialixStyle dialog(nullptr, Master, epTypeface, 0);
  const int result = RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_TRUE(Master.Previews.empty()) << "loading previews nothing";
    EXPECT_EQ(::GetFocus(), dialog.FontTypeComboBox.Handle()) << "the page's first control";
    dialog.FontSizeEdit.SetFocus();
    SetText(dialog.FontSizeEdit.Handle(), L"92");  // out of range: 50
    ASSERT_FALSE(Master.Previews.empty());
    EXPECT_EQ(Master.Previews.back().FontSize, 50);
    EXPECT_EQ(Master.Record.FontSize, 9) << "the style stays until Apply";
    EXPECT_TRUE(dialog.InitializeFlag());
    EXPECT_TRUE(Enabled(dialog.ApplyButton));
    dialog.ApplyButton.SetFocus();
    Click(dialog.ApplyButton.Handle());
    EXPECT_EQ(Master.Record.FontSize, 50);
    EXPECT_EQ(Master.Applies, std::vector<bool>{true});
    EXPECT_FALSE(Enabled(dialog.ApplyButton));
    EXPECT_FALSE(dialog.InitializeFlag());
    EXPECT_EQ(::GetFocus(), dialog.FontSizeEdit.Handle()) << "the focus goes back where it was";
    // Effects only redraw; Cancel keeps what Apply stored and takes back the rest.
    SelectItem(dialog.AnimationTypeComboBox.Handle(), atFade);
    EXPECT_EQ(Master.Previews.back().AnimationType, atFade);
    EXPECT_FALSE(dialog.InitializeFlag());
    Click(dialog.CancelButton.Handle());
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Master.Record.FontSize, 50);
  EXPECT_EQ(Master.Record.AnimationType, atNone);
  EXPECT_EQ(Master.Applies.size(), 1u);
}

TEST_F(StyleEditDialogTest, OkAppliesOnlyWhenThereIsSomethingToApply) {
  TDialixStyle dialog(nullptr, Master, epEffects, 0);
  EXPECT_EQ(RunModal([&] { return dialog.ShowModal(); }, [&](HWND) { Click(dialog.OKButton.Handle()); }), mrOk);
  EXPECT_TRUE(Master.Applies.empty());
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    Click(dialog.FlashColonInvertCheckBox.Handle());
    Click(dialog.OKButton.Handle());
  });
  EXPECT_EQ(Master.Applies, std::vector<bool>{false});
  EXPECT_TRUE(Master.Record.FlashColonInvert);
}

TEST_F(StyleEditDialogTest, AnUntouchedValueOutsideItsRangeIsStoredAsItWas) {
  Master.Record.FontSize = 80;
  Master.Record.FontName = L"No Such Font Anywhere";
  Master.Record.ShadowTransparent = 150;
  TDialixStyle dialog(nullptr, Master, epEffects, 0);
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    EXPECT_EQ(WindowText(dialog.FontSizeEdit.Handle()), L"50");
    // The program's own font, when it is installed; else no font is selected.
    const std::wstring shown = WindowText(dialog.FontNameComboBox.Handle());
    EXPECT_TRUE(shown.empty() || shown == L"MS UI Gothic") << WideToUtf8(shown);
    SelectItem(dialog.AnimationTypeComboBox.Handle(), atUp);
    Click(dialog.OKButton.Handle());
  });
  EXPECT_EQ(Master.Record.FontSize, 80);
  EXPECT_EQ(Master.Record.ShadowTransparent, 150);
  EXPECT_EQ(Master.Record.AnimationType, atUp);
  EXPECT_EQ(Master.Record.FontName, L"No Such Font Anywhere") << "the untouched name box keeps the name";
}

TEST_F(StyleEditDialogTest, TimeSlotsAreAddedChangedAndDeletedAndActOnApplyOnly) {
  Master.Record.VisibleTimeSlotList = {{dtSunday, 0.5, 0.75}};
  TDialixStyle dialog(nullptr, Master, epDisplay, 0);
  std::vector<TVisibleTimeSlot> answers{{dtWeekDay, 0.25, 0.5}, {dtSaturday, 0.0, 0.125}};
  dialog.EditSlot = [&](HWND, TVisibleTimeSlot& slot, bool) {
    if (answers.empty()) return false;
    slot = answers.front();
    answers.erase(answers.begin());
    return true;
  };
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    const TWRListView& list = dialog.TimeSlotListView;
    ASSERT_EQ(list.ItemCount(), 1);
    EXPECT_FALSE(Enabled(dialog.TimeSlotModifyButton) || Enabled(dialog.TimeSlotDeleteButton));
    Click(dialog.TimeSlotAddButton.Handle());
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(list.SelectedItems(), std::vector<int>{0}) << "the weekday slot sorts first and is selected";
    EXPECT_TRUE(Enabled(dialog.TimeSlotModifyButton));
    // Changed to Saturday, it still stands before Sunday.
    Click(dialog.TimeSlotModifyButton.Handle());
    EXPECT_EQ(list.SelectedItems(), std::vector<int>{0});
    EXPECT_EQ(list.ItemText(0, 1), FormatTimeText(0.125, SystemFormatSettings()));
    SelectRows(list.Handle(), {0, 1});
    EXPECT_FALSE(Enabled(dialog.TimeSlotModifyButton));
    EXPECT_TRUE(Enabled(dialog.TimeSlotDeleteButton));
    SelectRows(list.Handle(), {1});
    SendKey(list.Handle(), VK_DELETE);
    EXPECT_EQ(list.ItemCount(), 1);
    EXPECT_EQ(list.SelectedItems(), std::vector<int>{0});
    EXPECT_EQ(Master.Previews.back().VisibleTimeSlotList,
              (std::vector<TVisibleTimeSlot>{{dtSaturday, 0.0, 0.125}}));
    EXPECT_EQ(Master.Record.VisibleTimeSlotList.size(), 1u);
    Click(dialog.OKButton.Handle());
  });
  EXPECT_EQ(Master.Record.VisibleTimeSlotList, (std::vector<TVisibleTimeSlot>{{dtSaturday, 0.0, 0.125}}));
  EXPECT_EQ(Master.Applies, std::vector<bool>{false}) << "time slots only redraw";
}

TEST_F(StyleEditDialogTest, TheHolidayLinkCancelsAndAsksForTheSettingsHolidayPage) {
  TDialixStyle dialog(nullptr, Master, epDisplay, 0);
  const int result = RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    Click(dialog.FadeSwitchingCheckBox.Handle());
    NMLINK link{};
    link.hdr.hwndFrom = dialog.TimeSlotNoticeLabel.Handle();
    link.hdr.idFrom = static_cast<UINT_PTR>(dialog.TimeSlotNoticeLabel.Id());
    link.hdr.code = NM_CLICK;
    ::SendMessageW(::GetParent(dialog.TimeSlotNoticeLabel.Handle()), WM_NOTIFY, link.hdr.idFrom,
                   reinterpret_cast<LPARAM>(&link));
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(Master.HolidayRequests, 1);
  EXPECT_FALSE(Master.Record.FadeSwitching) << "nothing applied";
}

TEST_F(StyleEditDialogTest, BrowsingPutsThePictureIntoItsBoxAndTheDialogStartsInItsFolder) {
  Master.Record.FontType = ftBitmap;
  Master.Record.FontFile = L"C:\\pictures\\digits.bmp";
  TDialixStyle dialog(nullptr, Master, epTypeface, 0);
  std::wstring startedIn, filter;
  dialog.OpenDialogRunner = [&](OPENFILENAMEW& info) {
    startedIn = info.lpstrInitialDir ? info.lpstrInitialDir : L"";
    filter.assign(info.lpstrFilter, info.lpstrFilter + 60);
    const std::wstring chosen = L"C:\\other\\big.bmp";
    std::copy(chosen.begin(), chosen.end() + 1, info.lpstrFile);
    return TRUE;
  };
  RunModal([&] { return dialog.ShowModal(); }, [&](HWND) {
    Click(dialog.FontFileNameButton.Handle());
    EXPECT_EQ(WindowText(dialog.FontFileNameEdit.Handle()), L"C:\\other\\big.bmp");
    EXPECT_EQ(::GetFocus(), dialog.FontFileNameEdit.Handle());
    EXPECT_TRUE(Enabled(dialog.ApplyButton));
    Click(dialog.OKButton.Handle());
  });
  EXPECT_EQ(startedIn, L"C:\\pictures\\");
  EXPECT_EQ(filter.substr(0, filter.find(L'\0')), L"ビットマップ イメージ");
  EXPECT_EQ(Master.Record.FontFile, L"C:\\other\\big.bmp");
}

TEST_F(StyleEditDialogTest, CustomColoursComeFromTheStyleOnlyWithAllSixteen) {
  Master.Record.CustomColors = L"0000FF,1,2,3,4,5,6,7,8,9,A,B,C,D,E,F";
  {
    TDialixStyle dialog(nullptr, Master, epDecoration, 0);
    dialog.CreateForm();
    EXPECT_EQ(dialog.ColorDialog.CustomColors[0], RGB(255, 0, 0));
    EXPECT_EQ(dialog.ColorDialog.CustomColors[15], COLORREF{0xF});
  }
  Master.Record.CustomColors = L"0000FF,1,2,3,4,5,6,7,8,9,A,B,C,D,E";
  TDialixStyle dialog(nullptr, Master, epDecoration, 0);
  dialog.CreateForm();
  EXPECT_EQ(dialog.ColorDialog.CustomColors, TWRColorDialog().CustomColors) << "fewer than 16: the dialog's own";
  EXPECT_EQ(dialog.Values().CustomColors, Master.Record.CustomColors) << "kept while the dialog's are untouched";
  // A colour picked into the dialog's custom colours is kept with the style.
  dialog.ColorDialog.CustomColors[3] = RGB(0x12, 0x34, 0x56);
  EXPECT_EQ(dialog.Values().CustomColors.substr(0, 28), L"FFFFFF,FFFFFF,FFFFFF,563412,");
}

TEST_F(StyleEditDialogTest, EveryPageFitsItsTexts) {
  const char* const names[] = {"typeface", "decoration", "background", "format", "effects", "display"};
  Master.Record.OuterFrame = 2;
  Master.Record.Shadow = 1;
  Master.Record.BackGrndType = btGradation;
  Master.Record.ShowSecond = true;
  Master.Record.AnimationType = atFadeCross;
  Master.Record.FlashColonType = fc250ms;
  Master.Record.VisibleTimeSlotList = {{dtWeekDay, 0.375, 0.75}, {dtHoliday, 0.25, 0.875}, {dtSunday, 0.5, 0.625}};
  for (int page = 0; page < kStyleEditPageCount; ++page) {
    TDialixStyle dialog(nullptr, Master, page, 0);
    RunModal([&] { return dialog.ShowModal(); }, [&](HWND window) {
      PumpDialogFor(window, 300);
      EXPECT_TRUE(TextsThatDoNotFit(window).empty()) << names[page] << ": " << Describe(TextsThatDoNotFit(window));
      EXPECT_TRUE(SaveScreenshot(window, std::wstring(TDIALIX_WIDEN(TDIALIX_SCREENSHOTS)) +
                                             L"\\tdialix-styleedit-" + Utf8ToWide(names[page]) + L".png"));
      Click(dialog.CancelButton.Handle());
    });
  }
}

// ---- Building the images off the UI thread

class GlyphBuilderTest : public testing::Test {
 protected:
  static constexpr UINT kBuilt = WM_APP + 1;
  static constexpr UINT kPosted = WM_APP + 2;

  void SetUp() override {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TGlyphBuilderTest";
    ::RegisterClassW(&wc);
    Window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    Events().clear();
  }
  void TearDown() override { ::DestroyWindow(Window); }

  static std::vector<std::string>& Events() {
    static std::vector<std::string> events;
    return events;
  }
  static TGlyphBuilder*& Builder() {
    static TGlyphBuilder* builder = nullptr;
    return builder;
  }
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kBuilt) Events().push_back("built");
    if (message == kPosted) Events().push_back(Builder() && Builder()->Running() ? "posted while building" : "posted");
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  // Handles messages until the build has ended.
  void PumpUntilBuilt() {
    for (int i = 0; i < 60000 && std::find(Events().begin(), Events().end(), "built") == Events().end(); ++i) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
      ::Sleep(1);
    }
  }
  static TStyle Heavy() {
    TStyle s;
    s.FontSize = 25;
    s.OuterFrame = s.InnerFrame = s.Shadow = 10;
    s.OuterFrameSoft = s.InnerFrameSoft = s.ShadowSoft = 10;
    return s;
  }

  HWND Window = nullptr;
};

TEST_F(GlyphBuilderTest, AMessagePostedDuringAHeavyBuildIsHandledBeforeItEnds) {
  TGlyphBuilder builder(Window, kBuilt);
  Builder() = &builder;
  // The build starts with a heavy style and does not end before the message
  // posted after its start has been handled: the UI thread is free meanwhile.
  HANDLE handled = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  builder.Build = [handled](TGlyphBuild& build, const std::atomic<bool>& stop) {
    ::WaitForSingleObject(handled, 60000);
    BuildGlyphStrips(build, stop);
  };
  TGlyphBuild build;
  build.Generation = 7;
  build.Style = Heavy();
  build.MonitorHeights = {600, 600};
  ASSERT_TRUE(builder.Start(build));
  ::PostMessageW(Window, kPosted, 0, 0);
  MSG msg;
  while (Events().empty() && ::GetMessageW(&msg, nullptr, 0, 0)) ::DispatchMessageW(&msg);
  ::SetEvent(handled);
  PumpUntilBuilt();
  Builder() = nullptr;
  ::CloseHandle(handled);
  EXPECT_EQ(Events(), (std::vector<std::string>{"posted while building", "built"}));
  std::optional<TGlyphBuild> done = builder.Take();
  ASSERT_TRUE(done);
  EXPECT_EQ(done->Generation, 7u);
  EXPECT_TRUE(done->Completed);
  ASSERT_EQ(done->Strips.size(), 2u);
  EXPECT_FALSE(done->Strips[0].SrcImg.Empty());
  EXPECT_EQ(done->Strips[1].SrcImg.Width(), done->Strips[0].SrcImg.Width()) << "the same height shares the build";
  EXPECT_FALSE(builder.Running());
}

TEST_F(GlyphBuilderTest, AStoppedBuildEndsUnfinished) {
  TGlyphBuilder builder(Window, kBuilt);
  HANDLE started = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  builder.Build = [started](TGlyphBuild& build, const std::atomic<bool>& stop) {
    ::SetEvent(started);
    BuildGlyphStrips(build, stop);
  };
  TGlyphBuild build;
  build.Style = Heavy();
  build.Style.FontSize = 50;
  build.MonitorHeights = {1080};
  ASSERT_TRUE(builder.Start(build));
  ::WaitForSingleObject(started, 60000);
  ::CloseHandle(started);
  EXPECT_FALSE(builder.Start(build)) << "one build at a time";
  builder.Stop();
  PumpUntilBuilt();
  std::optional<TGlyphBuild> done = builder.Take();
  ASSERT_TRUE(done);
  EXPECT_FALSE(done->Completed);
  EXPECT_TRUE(done->Strips.empty());
}

}  // namespace
}  // namespace tdialix
