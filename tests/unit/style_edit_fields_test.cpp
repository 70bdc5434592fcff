#include "dialogs/style_edit_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tdialix {
namespace {

const std::vector<TFontListEntry> kFonts{{L"Arial", true, false},
                                         {L"MS UI Gothic", true, true},
                                         {L"Terminal", false, false}};

TEST(StyleEditPages, TheOpeningPageIsTheOneAskedForWhenItShows) {
  struct TCase {
    int Requested, LastClosed;
    bool DecorationShown;
    int Expected;
  };
  const TCase cases[] = {
      {epFormat, epTypeface, true, epFormat},
      {epDisplay, epTypeface, true, epDisplay},
      {-1, epEffects, true, epEffects},           // none asked for
      {6, epBackground, true, epBackground},      // out of range
      {epDecoration, epFormat, false, epFormat},  // the hidden "装飾"
      {epDecoration, epFormat, true, epDecoration},
      {-1, epDecoration, false, epTypeface},      // last closed there, hidden now
      {-1, 42, true, epTypeface},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(StyleEditOpeningPage(c.Requested, c.LastClosed, c.DecorationShown), c.Expected)
        << c.Requested << " " << c.LastClosed;
  }
}

TEST(StyleEditFontList, SkipsVerticalAndDollarFacesKeepsEachNameOnceSorted) {
  const std::vector<std::wstring> enumerated{L"MS UI Gothic", L"@MS UI Gothic", L"Arial", L"$Dollar",
                                             L"arial",        L"Courier",       L"MS UI Gothic", L"ＭＳ 明朝"};
  EXPECT_EQ(FontListNames(enumerated), (std::vector<std::wstring>{L"Arial", L"Courier", L"MS UI Gothic", L"ＭＳ 明朝"}));
  EXPECT_TRUE(FontListNames({L"@x", L"$y", L""}).empty());
}

TEST(StyleEditFontList, OutlineAndFullWidthFlagsFromTheEnumerations) {
  EXPECT_EQ(FontListEntry(L"A", false, 2), (TFontListEntry{L"A", true, true}));
  EXPECT_EQ(FontListEntry(L"B", false, 0), (TFontListEntry{L"B", true, false}));
  EXPECT_EQ(FontListEntry(L"C", true, 3), (TFontListEntry{L"C", false, false})) << "a raster font draws no full width";
  EXPECT_EQ(FontListEntry(L"D", std::nullopt, 1), (TFontListEntry{L"D", true, true})) << "no ANSI face";
  EXPECT_EQ(FindFont(kFonts, L"ms ui gothic"), &kFonts[1]);
  EXPECT_EQ(FindFont(kFonts, L"Nowhere"), nullptr);
  EXPECT_EQ(FindFont(kFonts, L""), nullptr);
}

TEST(StyleEditLoad, EveryControlFromItsFieldWithTheTransparenciesInverted) {
  TStyle s;
  s.FontName = L"arial";
  s.FontStyles = fsItalic;
  s.FontSpacing = {-3, 7.5};
  s.OuterFrameTransparent = 80;
  s.InnerFrameTransparent = 100;
  s.ShadowTransparent = 0;
  s.BackGrndAlpha = 30;  // not inverted
  s.BorderWidth = {1, 2, 3, 4};
  s.ShowMinute = false;
  s.ShowSecond = true;
  s.ColonType = {cgPeriod, cgHyphen};
  s.VisibleTimeSlotList = {{dtSunday, 0.5, 0.6}, {dtWeekDay, 0.25, 0.75}, {dtWeekDay, 0.25, 0.5}};
  const TStyleEditFields f = StyleEditFields(s, kFonts, L"MS UI Gothic");
  EXPECT_EQ(f.FontName, L"Arial") << "the listed spelling";
  EXPECT_FALSE(f.Bold);
  EXPECT_TRUE(f.Italic);
  EXPECT_EQ(f.DigitSpacing, -3);
  EXPECT_EQ(f.SeparatorSpacing, 7.5);
  EXPECT_EQ(f.OuterFrameTransparent, 20);
  EXPECT_EQ(f.InnerFrameTransparent, 0);
  EXPECT_EQ(f.ShadowTransparent, 100);
  EXPECT_EQ(f.BackGrndAlpha, 30);
  EXPECT_EQ(f.BorderBottom, 4);
  EXPECT_EQ(f.ShowMinute, 0);
  EXPECT_EQ(f.ShowSecond, 1);
  EXPECT_EQ(f.ColonType1, cgPeriod);
  EXPECT_EQ(f.ColonType2, cgHyphen);
  EXPECT_EQ(f.Slots, (std::vector<TVisibleTimeSlot>{
                         {dtWeekDay, 0.25, 0.5}, {dtWeekDay, 0.25, 0.75}, {dtSunday, 0.5, 0.6}}));
}

TEST(StyleEditLoad, AFontThatIsNotInstalledFallsBackToTheProgramsOwnThenToNone) {
  TStyle s;
  s.FontName = L"Gone";
  EXPECT_EQ(StyleEditFields(s, kFonts, L"MS UI Gothic").FontName, L"MS UI Gothic");
  EXPECT_EQ(StyleEditFields(s, kFonts, L"Also Gone").FontName, L"");
}

TEST(StyleEditLoad, ValuesOutsideTheControlsStartAtTheirNearestEnd) {
  TStyle s;
  s.FontSize = 80;
  s.OuterFrame = -1;
  s.OuterFrameTransparent = 150;  // shown as -50
  s.BackGrndSize = 0;
  s.FontType = static_cast<TFontType>(7);
  const TStyleEditFields f = StyleEditFields(s, kFonts, L"");
  EXPECT_EQ(f.FontSize, 50);
  EXPECT_EQ(f.OuterFrame, 0);
  EXPECT_EQ(f.OuterFrameTransparent, 0);
  EXPECT_EQ(f.BackGrndSize, 0.1);
  EXPECT_EQ(f.FontType, ftSystem);
}

TEST(StyleEditStore, NothingChangedStoresTheStyleAsItWas) {
  TStyle s;
  s.FontSize = 80;                 // outside the editor's range, written by hand
  s.OuterFrameTransparent = 150;
  s.FontStyles = fsBold | 8;       // a bit the editor does not know
  s.FontName = L"Gone";            // not installed: nothing is selected
  s.FontWidth = fwFull;
  const std::vector<TFontListEntry> fonts{{L"Arial", true, false}};
  const TStyleEditFields loaded = StyleEditFields(s, fonts, L"Also gone");
  EXPECT_EQ(StoreStyleEditFields(loaded, loaded, s, fonts), s);
}

TEST(StyleEditStore, ChangedControlsStoreTheirFields) {
  const TStyle s;
  const TStyleEditFields loaded = StyleEditFields(s, kFonts, L"MS UI Gothic");
  TStyleEditFields now = loaded;
  now.FontSize = 25;
  now.Bold = true;
  now.OuterFrameTransparent = 30;
  now.ShadowTransparent = 100;
  now.ShowMinute = 0;
  now.ShowSecond = 1;
  now.ColonType2 = cgHyphen;
  now.BorderRight = 12.5;
  now.Slots = {{dtHoliday, 0.1, 0.2}};
  const TStyle stored = StoreStyleEditFields(now, loaded, s, kFonts);
  EXPECT_EQ(stored.FontSize, 25);
  EXPECT_EQ(stored.FontStyles, fsBold);
  EXPECT_EQ(stored.OuterFrameTransparent, 70);
  EXPECT_EQ(stored.ShadowTransparent, 0);
  EXPECT_FALSE(stored.ShowMinute);
  EXPECT_TRUE(stored.ShowSecond);
  EXPECT_EQ(stored.ColonType[1], cgHyphen);
  EXPECT_EQ(stored.BorderWidth.Right, 12.5f);
  EXPECT_EQ(stored.VisibleTimeSlotList, now.Slots);
  EXPECT_EQ(stored.InnerFrame, s.InnerFrame);
}

TEST(StyleEditStore, TheFontStylesAreRebuiltFromBothBoxes) {
  TStyle s;
  s.FontStyles = fsBold | 8;
  const TStyleEditFields loaded = StyleEditFields(s, kFonts, L"");
  TStyleEditFields now = loaded;
  now.Italic = true;
  EXPECT_EQ(StoreStyleEditFields(now, loaded, s, kFonts).FontStyles, fsBold | fsItalic);
}

TEST(StyleEditStore, NoSelectedFontKeepsTheFontName) {
  TStyle s;
  s.FontName = L"Gone";
  const TStyleEditFields loaded = StyleEditFields(s, kFonts, L"Also gone");
  ASSERT_EQ(loaded.FontName, L"");
  TStyleEditFields now = loaded;
  now.FontSize = 20;  // another change, so that Apply runs
  EXPECT_EQ(StoreStyleEditFields(now, loaded, s, kFonts).FontName, L"Gone");
  now.FontName = L"Arial";
  EXPECT_EQ(StoreStyleEditFields(now, loaded, s, kFonts).FontName, L"Arial");
}

TEST(StyleEditStore, AFontWithoutFullWidthDigitsStoresHalfWidth) {
  TStyle s;
  s.FontWidth = fwFull;
  const TStyleEditFields loaded = StyleEditFields(s, kFonts, L"");
  ASSERT_EQ(loaded.FontName, L"MS UI Gothic");
  TStyleEditFields now = loaded;
  EXPECT_EQ(StoreStyleEditFields(now, loaded, s, kFonts).FontWidth, fwFull);
  now.FontName = L"Arial";  // no Shift-JIS face: "全角" chosen earlier does not hold
  EXPECT_EQ(StoreStyleEditFields(now, loaded, s, kFonts).FontWidth, fwHalf);
}

TEST(StyleEditStore, BothZeroOClockBoxesEditOneField) {
  TStyle s;
  s.ShowHour = hf24H;
  s.Hour12to0 = false;
  const TStyleEditFields loaded = StyleEditFields(s, kFonts, L"");
  TStyleEditFields now = loaded;
  now.Hour12to0 = true;  // "24 時は 0 時と表示" checked
  const TStyle stored = StoreStyleEditFields(now, loaded, s, kFonts);
  EXPECT_TRUE(stored.Hour12to0);
  EXPECT_EQ(stored.ShowHour, hf24H);
}

// ---- Showing and enabling

TEST(StyleEditRules, TheFontTypeShowsItsControlsAndTheDecorationPage) {
  TStyleEditFields f;
  f.FontType = ftSystem;
  TStyleEditRules r = StyleEditRules(f, &kFonts[1], 32);
  EXPECT_TRUE(r.DecorationPage);
  EXPECT_TRUE(r.FontName.Visible && r.Bold.Visible && r.Italic.Visible && r.FontPitch.Visible);
  EXPECT_EQ(r.FontFile, (TControlState{false, false}));
  EXPECT_EQ(r.FontWidth, (TControlState{true, true}));
  EXPECT_EQ(r.FontSmoothing, (TControlState{true, true}));

  r = StyleEditRules(f, &kFonts[0], 32);  // no Shift-JIS face
  EXPECT_EQ(r.FontWidth, (TControlState{true, false}));
  r = StyleEditRules(f, &kFonts[2], 32);  // a raster font
  EXPECT_EQ(r.FontSmoothing, (TControlState{true, false}));
  r = StyleEditRules(f, nullptr, 32);     // nothing selected
  EXPECT_FALSE(r.FontWidth.Enabled);
  EXPECT_FALSE(r.FontSmoothing.Enabled);

  f.FontType = ftBitmap;
  r = StyleEditRules(f, &kFonts[1], 32);
  EXPECT_FALSE(r.DecorationPage);
  EXPECT_EQ(r.FontFile, (TControlState{true, true}));
  for (const TControlState s : {r.FontName, r.FontWidth, r.FontPitch, r.Bold, r.Italic, r.FontSmoothing}) {
    EXPECT_FALSE(s.Visible);
  }
}

TEST(StyleEditRules, ADecorationNeedsAWidthAndItsSoftnessAndTransparencyMoreThan15Bits) {
  struct TCase {
    double Width;
    unsigned Bits;
    bool Color, Translucent;
  };
  const TCase cases[] = {{0, 32, false, false}, {0.5, 32, true, true}, {2, 16, true, true}, {2, 15, true, false},
                         {2, 8, true, false},   {0, 8, false, false}};
  for (const TCase& c : cases) {
    TStyleEditFields f;
    f.OuterFrame = f.InnerFrame = f.Shadow = c.Width;
    const TStyleEditRules r = StyleEditRules(f, nullptr, c.Bits);
    for (const auto& [color, soft, transparent] :
         {std::tuple{r.OuterFrameColor, r.OuterFrameSoft, r.OuterFrameTransparent},
          std::tuple{r.InnerFrameColor, r.InnerFrameSoft, r.InnerFrameTransparent},
          std::tuple{r.ShadowColor, r.ShadowSoft, r.ShadowTransparent}}) {
      EXPECT_EQ(color.Enabled, c.Color) << c.Width << " at " << c.Bits;
      EXPECT_EQ(soft.Enabled, c.Translucent) << c.Width << " at " << c.Bits;
      EXPECT_EQ(transparent.Enabled, c.Translucent) << c.Width << " at " << c.Bits;
    }
  }
}

TEST(StyleEditRules, TheBackgroundTypeShowsItsControls) {
  TStyleEditFields f;
  const auto rules = [&](int type, int align, unsigned bits) {
    f.BackGrndType = type;
    f.BackGrndAlign = align;
    return StyleEditRules(f, nullptr, bits);
  };
  TStyleEditRules r = rules(btNone, baCenter, 32);
  for (const TControlState s : {r.BackGrndColor, r.BackGrndGradColor1, r.BackGrndGradType, r.BackGrndAlpha,
                                r.BackGrndFile, r.BackGrndAlign, r.BackGrndSize}) {
    EXPECT_FALSE(s.Visible);
  }
  r = rules(btFill, baCenter, 32);
  EXPECT_TRUE(r.BackGrndColor.Visible);
  EXPECT_FALSE(r.BackGrndGradColor2.Visible);
  EXPECT_EQ(r.BackGrndAlpha, (TControlState{true, true}));
  r = rules(btGradation, baCenter, 16);
  EXPECT_FALSE(r.BackGrndColor.Visible);
  EXPECT_TRUE(r.BackGrndGradColor1.Visible && r.BackGrndGradColor2.Visible && r.BackGrndGradType.Visible);
  EXPECT_EQ(r.BackGrndAlpha, (TControlState{true, true}));
  r = rules(btGradation, baCenter, 8);
  EXPECT_EQ(r.BackGrndAlpha, (TControlState{true, false}));
  r = rules(btBitmap, baCenter, 32);
  EXPECT_FALSE(r.BackGrndAlpha.Visible);
  EXPECT_TRUE(r.BackGrndFile.Enabled && r.BackGrndAlign.Enabled);
  EXPECT_EQ(r.BackGrndSize, (TControlState{true, true}));
  r = rules(btBitmap, baZoom, 32);
  EXPECT_EQ(r.BackGrndSize, (TControlState{true, false}));
}

TEST(StyleEditRules, TheFormatPartsEnableTheirBoxes) {
  TStyleEditFields f;
  const auto rules = [&](int hour, int minute, int second) {
    f.ShowHour = hour;
    f.ShowMinute = minute;
    f.ShowSecond = second;
    return StyleEditRules(f, nullptr, 32);
  };
  TStyleEditRules r = rules(hfNone, 1, 0);
  EXPECT_EQ(r.Hour0, (TControlState{true, false}));
  EXPECT_EQ(r.Hour12to0, (TControlState{true, false}));
  EXPECT_EQ(r.Hour24to0, (TControlState{false, false}));
  EXPECT_TRUE(r.Minute0.Enabled && r.ColonType1.Enabled);
  EXPECT_FALSE(r.Second0.Enabled || r.ColonType2.Enabled);
  r = rules(hf12H, 0, 1);
  EXPECT_TRUE(r.Hour0.Enabled);
  EXPECT_EQ(r.Hour12to0, (TControlState{true, true}));
  EXPECT_FALSE(r.Hour24to0.Visible);
  EXPECT_FALSE(r.Minute0.Enabled || r.ColonType1.Enabled);
  EXPECT_TRUE(r.Second0.Enabled && r.ColonType2.Enabled);
  r = rules(hf24H, 1, 1);
  EXPECT_FALSE(r.Hour12to0.Visible);
  EXPECT_EQ(r.Hour24to0, (TControlState{true, true}));
}

TEST(StyleEditRules, AnimationAndColonFlashingEnableTheirOptions) {
  TStyleEditFields f;
  TStyleEditRules r = StyleEditRules(f, nullptr, 32);
  EXPECT_FALSE(r.AnimationSpeed.Enabled || r.Inertia.Enabled);
  EXPECT_FALSE(r.FlashColonInvert.Enabled || r.FlashColonToggle.Enabled || r.FlashColonSmooth.Enabled);
  EXPECT_TRUE(r.FadeSwitching.Enabled);
  f.AnimationType = atFadeCross;
  f.FlashColonType = fc500ms;
  r = StyleEditRules(f, nullptr, 32);
  EXPECT_TRUE(r.AnimationSpeed.Enabled && r.Inertia.Enabled);
  EXPECT_TRUE(r.FlashColonInvert.Enabled && r.FlashColonToggle.Enabled && r.FlashColonSmooth.Enabled);
  r = StyleEditRules(f, nullptr, 16);
  EXPECT_TRUE(r.FlashColonSmooth.Enabled) << "16 bits a pixel are translucent";
  r = StyleEditRules(f, nullptr, 8);
  EXPECT_TRUE(r.FlashColonInvert.Enabled);
  EXPECT_FALSE(r.FlashColonSmooth.Enabled);
  EXPECT_FALSE(r.FadeSwitching.Enabled);
}

// ---- Time-slot rows

TEST(StyleEditTimeSlots, RowsSortByDayTypeStartAndEnd) {
  std::vector<TVisibleTimeSlot> slots;
  EXPECT_EQ(PutTimeSlot(slots, std::nullopt, {dtSunday, 0.5, 0.6}), 0u);
  EXPECT_EQ(PutTimeSlot(slots, std::nullopt, {dtWeekDay, 0.5, 0.9}), 0u);
  EXPECT_EQ(PutTimeSlot(slots, std::nullopt, {dtWeekDay, 0.5, 0.7}), 0u);
  EXPECT_EQ(PutTimeSlot(slots, std::nullopt, {dtHoliday, 0.1, 0.2}), 2u);
  EXPECT_EQ(slots, (std::vector<TVisibleTimeSlot>{
                       {dtWeekDay, 0.5, 0.7}, {dtWeekDay, 0.5, 0.9}, {dtHoliday, 0.1, 0.2}, {dtSunday, 0.5, 0.6}}));
  // Modifying the first weekday slot moves it behind the others.
  EXPECT_EQ(PutTimeSlot(slots, 0, {dtSaturday, 0.0, 0.1}), 2u);
  EXPECT_EQ(slots[2], (TVisibleTimeSlot{dtSaturday, 0.0, 0.1}));
  EXPECT_EQ(slots.size(), 4u);
}

TEST(StyleEditTimeSlots, DeletingSelectsTheRowAtTheOldIndex) {
  std::vector<TVisibleTimeSlot> slots{{dtWeekDay, 0.1, 0.2}, {dtWeekDay, 0.3, 0.4}, {dtHoliday, 0.1, 0.2},
                                      {dtSunday, 0.1, 0.2}};
  EXPECT_EQ(DeleteTimeSlots(slots, {2, 1}), std::optional<size_t>(1));
  EXPECT_EQ(slots, (std::vector<TVisibleTimeSlot>{{dtWeekDay, 0.1, 0.2}, {dtSunday, 0.1, 0.2}}));
  EXPECT_EQ(DeleteTimeSlots(slots, {1}), std::optional<size_t>(0)) << "the last row: the one before";
  EXPECT_EQ(DeleteTimeSlots(slots, {0}), std::nullopt);
  EXPECT_TRUE(slots.empty());
  EXPECT_EQ(DeleteTimeSlots(slots, {}), std::nullopt);
}

// ---- Custom colours

TEST(StyleEditCustomColors, SixteenEntriesAreTheDialogsColoursFewerAreNone) {
  const std::optional<std::array<TColor, 16>> colors = CustomColorsOf(kDefaultCustomColors);
  ASSERT_TRUE(colors);
  EXPECT_EQ((*colors)[0], 0x000000);
  EXPECT_EQ((*colors)[10], 0xA0A0A0);
  EXPECT_EQ((*colors)[15], 0xF0F0F0);
  EXPECT_EQ(CustomColorsText(*colors), kDefaultCustomColors);

  const std::wstring fifteen = L"1,2,3,4,5,6,7,8,9,A,B,C,D,E,F";
  EXPECT_FALSE(CustomColorsOf(fifteen));
  const std::optional<std::array<TColor, 16>> small = CustomColorsOf(fifteen + L",ff0080");
  ASSERT_TRUE(small);
  EXPECT_EQ((*small)[15], 0xFF0080) << "blue FF, green 00, red 80";
  EXPECT_EQ(CustomColorsText(*small).substr(0, 14), L"000001,000002,");
  EXPECT_FALSE(CustomColorsOf(fifteen + L",red")) << "not a colour";
  EXPECT_FALSE(CustomColorsOf(fifteen + L",1234567")) << "more than 24 bits";
  EXPECT_FALSE(CustomColorsOf(L""));
}

}  // namespace
}  // namespace tdialix
