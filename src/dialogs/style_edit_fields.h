// The style editor "スタイルの編集" without its window: its pages, what each
// control holds for the style and back, which controls show and which are
// enabled, the font list, the time-slot rows and the custom colours.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/types.h"
#include "style/style.h"

namespace tdialix {

// ---- Pages

// The pages in tab order; the index is what WM_DIALIX_EDITSTYLE asks for.
enum TStyleEditPage : int { epTypeface = 0, epDecoration = 1, epBackground = 2, epFormat = 3, epEffects = 4, epDisplay = 5 };
inline constexpr int kStyleEditPageCount = 6;
// The help topic of each page, and of the form itself.
inline constexpr std::array<int, kStyleEditPageCount> kStyleEditPageHelp{16, 18, 20, 22, 24, 26};
inline constexpr int kStyleEditHelpContext = 14;

// The page the editor opens on: the one asked for when it is a page that
// shows ("装飾" does not for picture digits), else the one last closed (itself
// kept to a page that shows).
int StyleEditOpeningPage(int requested, int lastClosed, bool decorationShown);

// ---- The font list

// One installed font family as the editor lists it.
struct TFontListEntry {
  std::wstring Name;
  bool OutlineExists = true;    // its ANSI face (or, without one, the font) is no raster font
  bool FullWidthExists = false;  // an outline font with a Shift-JIS face: full-width digits can be drawn
  bool operator==(const TFontListEntry&) const = default;
};
// The names the screen's font enumeration gave: vertical ("@") and "$" faces
// skipped, each name once, sorted without regard to case.
std::vector<std::wstring> FontListNames(const std::vector<std::wstring>& enumerated);
// A name's flags: whether the first face its ANSI enumeration gave is a
// raster font (none: it has no ANSI face) and how many Shift-JIS faces it has.
TFontListEntry FontListEntry(std::wstring name, std::optional<bool> ansiRaster, int shiftJisFaces);
// The entry of that name (case ignored); none when it is not listed.
const TFontListEntry* FindFont(const std::vector<TFontListEntry>& fonts, std::wstring_view name);

// ---- The controls' values

struct TStyleEditFields {
  // 書体
  int FontType = ftSystem;
  std::wstring FontName;  // the selected font; empty: none is selected
  std::wstring FontFile;
  double FontSize = 9;
  int FontWidth = fwHalf;
  int FontPitch = fpFixed;
  bool Bold = false;
  bool Italic = false;
  bool FontSmoothing = true;
  double DigitSpacing = 2;
  double SeparatorSpacing = 2;
  // 装飾 (the transparencies as shown: 100 minus the stored opacity)
  TColor FontColor = 0xFFFFFF;
  double OuterFrame = 0;
  int OuterFrameTransparent = 0;
  int OuterFrameSoft = 0;
  TColor OuterFrameColor = 0xFFFFFF;
  double InnerFrame = 4;
  int InnerFrameTransparent = 0;
  int InnerFrameSoft = 0;
  TColor InnerFrameColor = 0;
  double Shadow = 0;
  int ShadowTransparent = 0;
  int ShadowSoft = 0;
  TColor ShadowColor = 0x808080;
  // 背景
  int BackGrndType = btNone;
  TColor BackGrndColor = 0xFFFFFF;
  TColor BackGrndGradColor1 = 0xC0C0C0;
  TColor BackGrndGradColor2 = 0x808080;
  int BackGrndGradType = gtHorz;
  int BackGrndAlpha = 0;
  std::wstring BackGrnd;
  int BackGrndAlign = baCenter;
  double BackGrndSize = 100;
  double BorderLeft = 0, BorderTop = 0, BorderRight = 0, BorderBottom = 0;
  // 書式 (both 0-o'clock boxes show Hour12to0)
  int ShowHour = hf12H;
  bool Hour0 = false;
  bool Hour12to0 = true;
  int ShowMinute = 1;  // 0 "なし", 1 "あり"
  bool Minute0 = true;
  int ColonType1 = cgColon;
  int ShowSecond = 0;
  bool Second0 = true;
  int ColonType2 = cgColon;
  // 効果
  int AnimationType = atNone;
  int AnimationSpeed = 90;
  bool Inertia = true;
  int FlashColonType = fcNone;
  bool FlashColonInvert = false;
  bool FlashColonToggle = false;
  bool FlashColonSmooth = false;
  // 表示
  std::vector<TVisibleTimeSlot> Slots;  // in the list's order
  bool FadeSwitching = false;
  bool operator==(const TStyleEditFields&) const = default;
};

// The ranges of the numeric controls.
struct TEditRange {
  double Min, Max, Increment, PageSize;
};
inline constexpr TEditRange kFontSizeRange{0.1, 50, 1, 2};
inline constexpr TEditRange kFontSpacingRange{-100, 100, 1, 2};
inline constexpr TEditRange kFrameRange{0, 10, 1, 2};
inline constexpr TEditRange kTransparencyRange{0, 100, 1, 2};
inline constexpr TEditRange kSoftRange{0, 10, 1, 2};
inline constexpr TEditRange kBackGrndSizeRange{0.1, 200, 1, 2};
inline constexpr TEditRange kBorderRange{0, 1000, 1, 10};

// What the controls show for a style: every value inside its control's range
// and list, the font by its listed name (not listed: ownFontName, the
// program's own font, when that is; else none), the slots in the list's order.
TStyleEditFields StyleEditFields(const TStyle& style, const std::vector<TFontListEntry>& fonts,
                                 std::wstring_view ownFontName);

// Apply's step: the controls' values into the style. A control whose value
// is still what it showed at loaded keeps its field as it is (a hand-written
// value outside the control's range stays); no selected font keeps the font
// name; a font without full-width digits stores "半角".
TStyle StoreStyleEditFields(const TStyleEditFields& now, const TStyleEditFields& loaded, TStyle style,
                            const std::vector<TFontListEntry>& fonts);

// ---- Showing and enabling

struct TControlState {
  bool Visible = true;
  bool Enabled = true;
  bool operator==(const TControlState&) const = default;
};
// Which controls show and which are enabled, for the values, the selected
// font (none: no font is selected) and the screen's colour depth. Each state
// stands for the control and its caption label.
struct TStyleEditRules {
  bool DecorationPage = true;
  // 書体
  TControlState FontName, FontFile, FontWidth, FontPitch, Bold, Italic, FontSmoothing;
  // 装飾
  TControlState OuterFrameColor, OuterFrameSoft, OuterFrameTransparent;
  TControlState InnerFrameColor, InnerFrameSoft, InnerFrameTransparent;
  TControlState ShadowColor, ShadowSoft, ShadowTransparent;
  // 背景
  TControlState BackGrndColor, BackGrndGradColor1, BackGrndGradColor2, BackGrndGradType, BackGrndAlpha;
  TControlState BackGrndFile, BackGrndAlign, BackGrndSize;
  // 書式
  TControlState Hour0, Hour12to0, Hour24to0, Minute0, ColonType1, Second0, ColonType2;
  // 効果
  TControlState AnimationSpeed, Inertia, FlashColonInvert, FlashColonToggle, FlashColonSmooth;
  // 表示
  TControlState FadeSwitching;
  bool operator==(const TStyleEditRules&) const = default;
};
TStyleEditRules StyleEditRules(const TStyleEditFields& fields, const TFontListEntry* font, unsigned bitsPerPixel);

// ---- Time-slot rows

// Puts a slot into the list (a new one, or in place of the row at replace)
// and sorts it as the list shows it; returns the row it went to.
std::size_t PutTimeSlot(std::vector<TVisibleTimeSlot>& slots, std::optional<std::size_t> replace,
                        const TVisibleTimeSlot& slot);
// Removes the selected rows; returns the row to select afterwards.
std::optional<std::size_t> DeleteTimeSlots(std::vector<TVisibleTimeSlot>& slots, std::vector<std::size_t> selected);

// ---- Custom colours

// The colour dialog's 16 custom colours from the style's "CustomColors"
// (TColor values 0xBBGGRR in hexadecimal, separated by ","); none with fewer
// than 16 entries or an entry that is no such number.
std::optional<std::array<TColor, 16>> CustomColorsOf(std::wstring_view text);
// The custom colours as the style keeps them: six hexadecimal digits each.
std::wstring CustomColorsText(const std::array<TColor, 16>& colors);

}  // namespace tdialix
