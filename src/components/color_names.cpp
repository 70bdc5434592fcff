#include "components/color_names.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tdialix {

namespace {

struct TNamedColor {
  TColor Color;
  TMsg Name;
};

constexpr std::array<TNamedColor, 16> kStandardColors{{
    {0x000000, TMsg::ColorBlack},   {0x000080, TMsg::ColorMaroon}, {0x008000, TMsg::ColorGreen},
    {0x008080, TMsg::ColorOlive},   {0x800000, TMsg::ColorNavy},   {0x800080, TMsg::ColorPurple},
    {0x808000, TMsg::ColorTeal},    {0x808080, TMsg::ColorGray},   {0xC0C0C0, TMsg::ColorSilver},
    {0x0000FF, TMsg::ColorRed},     {0x00FF00, TMsg::ColorLime},   {0x00FFFF, TMsg::ColorYellow},
    {0xFF0000, TMsg::ColorBlue},    {0xFF00FF, TMsg::ColorFuchsia}, {0xFFFF00, TMsg::ColorAqua},
    {0xFFFFFF, TMsg::ColorWhite},
}};

constexpr std::array<TNamedColor, 4> kExtendedColors{{
    {0xA4A0A0, TMsg::ColorMedGray},
    {0xC0DCC0, TMsg::ColorMoneyGreen},
    {0xF0CAA6, TMsg::ColorSkyBlue},
    {0xF0FBFF, TMsg::ColorCream},
}};

// System colour indexes 0 to 30; index 25 has no colour.
constexpr int kLastSystemColor = 30;
constexpr int kUnusedSystemColor = 25;
constexpr TMsg SystemColorName(int index) { return static_cast<TMsg>(static_cast<int>(TMsg::ColorScrollBar) + index); }

}  // namespace

std::optional<TMsg> ColorNameMessage(TColor color) {
  if (color == clNone) return TMsg::ColorNone;
  if (color == clDefault) return TMsg::ColorDefault;
  if (IsSystemColor(color)) {
    const int index = static_cast<int>(static_cast<unsigned>(color) & 0x00FFFFFFu);
    if (index > kLastSystemColor || index == kUnusedSystemColor) return std::nullopt;
    return SystemColorName(index);
  }
  for (const TNamedColor& c : kStandardColors) {
    if (c.Color == color) return c.Name;
  }
  for (const TNamedColor& c : kExtendedColors) {
    if (c.Color == color) return c.Name;
  }
  return std::nullopt;
}

std::wstring ColorName(TColor color) {
  const std::optional<TMsg> name = ColorNameMessage(color);
  return name ? std::wstring(MessageText(*name)) : std::wstring();
}

std::wstring CustomColorCaption(TColor rgb) {
  const auto value = static_cast<std::uint32_t>(rgb);
  return FormatText(MessageText(TMsg::ColorCustom), {std::int64_t{value & 0xFF}, std::int64_t{(value >> 8) & 0xFF},
                                                     std::int64_t{(value >> 16) & 0xFF}});
}

std::vector<TColorBoxItem> ColorBoxItems(unsigned style, TColor custom) {
  std::vector<TColorBoxItem> items;
  if (style & cbCustomColor) items.push_back({custom, CustomColorCaption(custom)});
  auto add = [&items](TColor color) { items.push_back({color, ColorName(color)}); };
  if (style & cbStandardColors) {
    for (const TNamedColor& c : kStandardColors) add(c.Color);
  }
  if (style & cbExtendedColors) {
    for (const TNamedColor& c : kExtendedColors) add(c.Color);
  }
  if (style & cbSystemColors) {
    for (int index = 0; index <= kLastSystemColor; ++index) {
      if (index != kUnusedSystemColor) add(SystemColor(index));
    }
  }
  if (style & cbIncludeNone) add(clNone);
  if (style & cbIncludeDefault) add(clDefault);
  return items;
}

int ColorDropDownWidth(int widestText, int swatchWidth, int itemCount, int dropDownCount, int scrollBarWidth,
                       int screenWidth) {
  int width = widestText + swatchWidth;
  if (itemCount > dropDownCount) width += scrollBarWidth;
  return std::min(width, screenWidth / 2);
}

}  // namespace tdialix
