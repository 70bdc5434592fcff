// The colour box's rules that need no window: the colours it lists, their
// Japanese names, the custom entry's caption and the drop-down width.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/types.h"

namespace tdialix {

// The special colours: none at all, and whatever the user of the colour decides.
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;
// A system colour is this plus the system's colour index (COLOR_WINDOW ...).
inline constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index)); }
constexpr bool IsSystemColor(TColor color) { return (static_cast<unsigned>(color) & 0xFF000000u) == 0xFF000000u; }

// Which colours a colour box lists.
enum TColorBoxStyle : unsigned {
  cbStandardColors = 1,   // the sixteen colours of the 4-bit palette
  cbExtendedColors = 2,   // medium grey, money green, sky blue and cream
  cbSystemColors = 4,     // the system's colours by their role
  cbIncludeNone = 8,      // "(なし)"
  cbIncludeDefault = 16,  // "(デフォルト)"
  cbCustomColor = 32,     // the custom entry, first, which opens a colour dialog
};

struct TColorBoxItem {
  TColor Color;
  std::wstring Caption;
  bool operator==(const TColorBoxItem&) const = default;
};

// The message that names a colour, for the colours the table knows.
std::optional<TMsg> ColorNameMessage(TColor color);
// The colour's Japanese name; empty for a colour without one.
std::wstring ColorName(TColor color);

// "ユーザー定義 (#rrggbb)...": the custom entry's caption for an RGB colour.
std::wstring CustomColorCaption(TColor rgb);

// The items in list order: the custom entry (holding `custom`), the standard,
// extended and system colours, then none and default, each as the style asks.
std::vector<TColorBoxItem> ColorBoxItems(unsigned style, TColor custom);

// The dropped-down list's width: the widest item text with the swatch in
// front of it and, when not every item fits the drop-down count, the scroll
// bar; at most half the screen.
int ColorDropDownWidth(int widestText, int swatchWidth, int itemCount, int dropDownCount, int scrollBarWidth,
                       int screenWidth);

}  // namespace tdialix
