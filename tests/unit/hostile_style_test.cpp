// Style files come from anywhere. Whatever a style's numbers say (the largest
// and smallest integers, values far beyond any range, numbers that are not
// numbers), reading it gives a style the clock can build and draw: glyphs
// and frames of a size the program can hold, and frames composed without a
// fault. The sanitized build runs this too, so an overflow or a cast of a
// value out of range fails it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "clock/frame_composer.h"
#include "clock/glyph_strip.h"
#include "../support/glyph_reference.h"
#include "style/style_file.h"

namespace tdialix {
namespace {

const wchar_t* const kDesignKeys[] = {
    L"FontType",       L"FontName",          L"FontStyle",          L"FontSize",
    L"FontSpacing",    L"FontWidth",         L"FontPitch",          L"FontSmoothing",
    L"FontColor",      L"OuterFrame",        L"OuterFrameColor",    L"OuterFrameSoft",
    L"OuterFrameTransparent", L"InnerFrame", L"InnerFrameColor",    L"InnerFrameSoft",
    L"InnerFrameTransparent", L"Shadow",     L"ShadowColor",        L"ShadowSoft",
    L"ShadowTransparent", L"BackGroundType", L"BackGroundColor",    L"BackGroundGradType",
    L"BackGroundAlpha", L"BackGroundSize",   L"BackGroundAlign",    L"BorderWidth",
    L"ShowHour",       L"ShowMinute",        L"ShowSecond",         L"AnimationType",
    L"AnimationSpeed", L"AnimationInertia",  L"FlashColonType",     L"ColonType",
    L"FlashColonSmooth", L"FlashColonInvert", L"FlashColonToggle",  L"FadeSwitching",
};

// Every number of the style set to the value (lists get it in every place),
// but for the decorations' widths and softness: frames of the widest kind,
// blurred a hundred times, make a test of many minutes.
TIniDocument StyleWithEveryNumber(const std::wstring& value) {
  TIniDocument document;
  document.Write(L"General", L"Version", L"2.00");
  for (const wchar_t* key : kDesignKeys) {
    std::wstring text = value;
    if (std::wstring_view(key).ends_with(L"Soft")) text = L"1";
    if (std::wstring_view(key) == L"OuterFrame" || std::wstring_view(key) == L"InnerFrame" ||
        std::wstring_view(key) == L"Shadow") {
      text = L"5";
    }
    if (std::wstring_view(key) == L"FontSpacing") text = value + L"," + value;
    if (std::wstring_view(key) == L"BorderWidth" || std::wstring_view(key) == L"ColonType") {
      text = value + L"," + value + L"," + value + L"," + value;
    }
    document.Write(L"Design", key, text);
  }
  document.Write(L"VisibleTimeSlot", L"Slot1", value + L"," + value + L"," + value);
  document.Write(L"Position", L"Position1", value + L"," + value + L"," + value);
  return document;
}

TEST(HostileStyle, EveryNumberOutOfRangeStillGivesAClockThatDraws) {
  const std::wstring values[] = {L"2147483647", L"-2147483648", L"4294967295", L"99999999999999999999",
                                 L"-1",         L"0",           L"1e308",      L"-1e308",
                                 L"3.4e38",     L"1e-320",      L"NaN",        L"INF",
                                 L"-inf",       L"1.#INF",      L"$FFFFFFFF",  L"0x80000000"};
  for (const std::wstring& value : values) {
    SCOPED_TRACE(testing::PrintToString(value));
    const TIniDocument document = StyleWithEveryNumber(value);
    TStyle style;
    ReadStyle(document, style, TFormatSettings{}, [](const std::wstring&) { return true; });
    std::vector<TPlacement> params;
    ReadPositions(document, params, 1);
    ASSERT_EQ(params.size(), 1u);
    EXPECT_TRUE(std::isfinite(params[0].X) && std::isfinite(params[0].Y));

    TRingRasterizer rasterizer;
    TNoPictures pictures;
    TGlyphStrip strip;
    // A small monitor: the digits are at most as tall as their monitor.
    InitializeBitmap(strip, style, {100, 32, {}}, rasterizer, pictures);
    EXPECT_LE(strip.MaxDrawSize.cy, 100 + 4 * 255) << "the digits with frames and shadow at their widest";
    // No side longer than the largest picture the program draws.
    EXPECT_LE(strip.SrcImg.Width(), 16384);
    EXPECT_LE(strip.SrcImg.Height(), 16384);

    TFrameComposer composer;
    TComposeInput input;
    input.Style = &style;
    input.Strip = &strip;
    input.NowText = L"12:34:56";
    input.PrevText = L"12:34:55";
    input.Now = 46000.5;
    input.Redraw = true;
    composer.Compose(input);
    input.Now += 0.1 / 86400;
    input.Redraw = false;
    composer.Compose(input);
    EXPECT_LE(composer.ULWBmp.Width(), 16384 * 9);
  }
}

}  // namespace
}  // namespace tdialix
