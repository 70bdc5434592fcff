// The style: everything that decides how the clock looks and what it shows.
// The member names are those of the style file's keys' owners; the defaults
// are the built-in default style.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "base/types.h"

namespace tdialix {

enum TFontType : int { ftSystem = 0, ftBitmap = 1 };
enum TFontWidth : int { fwHalf = 0, fwFull = 1 };
enum TFontPitch : int { fpFixed = 0, fpVariable = 1 };
enum TBackgroundType : int { btNone = 0, btFill = 1, btGradation = 2, btBitmap = 3 };
enum TGradationType : int { gtHorz = 0, gtVert = 1 };
enum TBackgroundAlign : int { baLeft = 0, baCenter = 1, baRight = 2, baTile = 3, baZoom = 4 };
enum THourFormat : int { hfNone = 0, hf12H = 1, hf24H = 2 };
enum TAnimationType : int {
  atNone = 0, atHorz = 1, atVert = 2, atUp = 3, atDown = 4, atFade = 5, atFadeOut = 6, atFadeCross = 7
};
enum TFlashColonType : int { fcNone = 0, fc250ms = 1, fc500ms = 2, fc1000ms = 3 };
// Separator glyphs.
enum TColonGlyph : std::uint8_t { cgColon = 0, cgPeriod = 1, cgHyphen = 2 };

// Font style bits.
inline constexpr int fsBold = 1;
inline constexpr int fsItalic = 2;

struct TRectF {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;
  bool operator==(const TRectF&) const = default;
};

// A span of a day type in which the clock is shown.
struct TVisibleTimeSlot {
  TDayType DayType = dtWeekDay;
  TDateTime StartTime = 0;
  TDateTime EndTime = 0;
  bool operator==(const TVisibleTimeSlot&) const = default;
};

inline constexpr const wchar_t* kStyleVersion = L"TeamOrvaneTDialix2";
inline constexpr const wchar_t* kDefaultCustomColors =
    L"000000,101010,202020,303030,404040,505050,606060,707070,808080,909090,A0A0A0,B0B0B0,C0C0C0,D0D0D0,E0E0E0,F0F0F0";

struct TStyle {
  // General
  std::wstring CustomColors = kDefaultCustomColors;
  // Design: the digits
  TFontType FontType = ftSystem;
  std::wstring FontName = L"MS UI Gothic";
  std::wstring FontFile;
  int FontStyles = 0;  // fsBold | fsItalic
  double FontSize = 9;  // per cent of the monitor height
  std::array<double, 2> FontSpacing{2, 2};  // between digits, around separators; per cent of a cell width
  TFontWidth FontWidth = fwHalf;
  TFontPitch FontPitch = fpFixed;
  bool FontSmoothing = true;
  TColor FontColor = 0xFFFFFF;
  // Decorations (widths in per cent of the glyph height, opacities in per cent)
  double OuterFrame = 0;
  TColor OuterFrameColor = 0xFFFFFF;
  int OuterFrameSoft = 0;
  int OuterFrameTransparent = 100;
  double InnerFrame = 4;
  TColor InnerFrameColor = 0;
  int InnerFrameSoft = 0;
  int InnerFrameTransparent = 100;
  double Shadow = 0;
  TColor ShadowColor = 0x808080;
  int ShadowSoft = 0;
  int ShadowTransparent = 100;
  // Background
  TBackgroundType BackGrndType = btNone;
  TColor BackGrndColor = 0xFFFFFF;
  TColor BackGrndGradColor1 = 0xC0C0C0;
  TColor BackGrndGradColor2 = 0x808080;
  TGradationType BackGrndGradType = gtHorz;
  int BackGrndAlpha = 0;  // transparency per cent
  std::wstring BackGrnd;
  double BackGrndSize = 100;
  TBackgroundAlign BackGrndAlign = baCenter;
  TRectF BorderWidth;  // margins, per cent of the cell height
  // Format
  THourFormat ShowHour = hf12H;
  bool ShowMinute = true;
  bool ShowSecond = false;
  bool Hour0 = false;
  bool Hour12to0 = true;
  bool Minute0 = true;
  bool Second0 = true;
  // Effects
  TAnimationType AnimationType = atNone;
  int AnimationSpeed = 90;
  bool Inertia = true;
  std::array<std::uint8_t, 2> ColonType{cgColon, cgColon};
  TFlashColonType FlashColonType = fcNone;
  bool FlashColonSmooth = false;
  bool FlashColonInvert = false;
  bool FlashColonToggle = false;
  bool FadeSwitching = false;
  // Time slots; empty: always visible.
  std::vector<TVisibleTimeSlot> VisibleTimeSlotList;

  // Not stored: whether FontName is an outline font (raster fonts are drawn
  // without smoothing).
  bool IsTrueTypeFont = true;

  bool operator==(const TStyle&) const = default;
};

}  // namespace tdialix
