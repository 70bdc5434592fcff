#include "dialogs/style_edit_fields.h"

#include <algorithm>

#include "base/comma_text.h"
#include "base/date_format.h"
#include "base/text.h"
#include "dialogs/list_rules.h"
#include "dialogs/time_slot_fields.h"

namespace tdialix {

namespace {

int ListIndex(int value, int count, int fallback) { return value >= 0 && value < count ? value : fallback; }
double InRange(double value, const TEditRange& range) { return std::clamp(value, range.Min, range.Max); }
int InRange(int value, const TEditRange& range) {
  return std::clamp(value, static_cast<int>(range.Min), static_cast<int>(range.Max));
}

// Sorting and comparing without regard to case, then exactly.
bool NameBefore(const std::wstring& a, const std::wstring& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const wchar_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// A field takes the control's value only when the user changed the control.
template <class T, class U, class F>
void Take(const T& now, const T& loaded, U& field, F convert) {
  if (!(now == loaded)) field = convert(now);
}
template <class T, class U>
void Take(const T& now, const T& loaded, U& field) {
  Take(now, loaded, field, [](const T& value) { return static_cast<U>(value); });
}

TControlState Shown(bool visible, bool enabled = true) { return {visible, visible && enabled}; }
TControlState Enabled(bool enabled) { return {true, enabled}; }

}  // namespace

int StyleEditOpeningPage(int requested, int lastClosed, bool decorationShown) {
  const auto usable = [&](int page) {
    return page >= 0 && page < kStyleEditPageCount && (page != epDecoration || decorationShown);
  };
  if (usable(requested)) return requested;
  return usable(lastClosed) ? lastClosed : epTypeface;
}

std::vector<std::wstring> FontListNames(const std::vector<std::wstring>& enumerated) {
  std::vector<std::wstring> names;
  for (const std::wstring& name : enumerated) {
    if (name.empty() || name.front() == L'@' || name.front() == L'$') continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end(), NameBefore);
  names.erase(std::unique(names.begin(), names.end(),
                          [](const std::wstring& a, const std::wstring& b) { return SameText(a, b); }),
              names.end());
  return names;
}

TFontListEntry FontListEntry(std::wstring name, std::optional<bool> ansiRaster, int shiftJisFaces) {
  TFontListEntry entry;
  entry.Name = std::move(name);
  entry.OutlineExists = !ansiRaster.value_or(false);
  entry.FullWidthExists = entry.OutlineExists && shiftJisFaces > 0;
  return entry;
}

const TFontListEntry* FindFont(const std::vector<TFontListEntry>& fonts, std::wstring_view name) {
  if (name.empty()) return nullptr;
  for (const TFontListEntry& font : fonts) {
    if (SameText(font.Name, name)) return &font;
  }
  return nullptr;
}

TStyleEditFields StyleEditFields(const TStyle& s, const std::vector<TFontListEntry>& fonts,
                                 std::wstring_view ownFontName) {
  TStyleEditFields f;
  f.FontType = ListIndex(s.FontType, 2, ftSystem);
  const TFontListEntry* font = FindFont(fonts, s.FontName);
  if (!font) font = FindFont(fonts, ownFontName);
  f.FontName = font ? font->Name : std::wstring();
  f.FontFile = s.FontFile;
  f.FontSize = InRange(s.FontSize, kFontSizeRange);
  f.FontWidth = ListIndex(s.FontWidth, 2, fwHalf);
  f.FontPitch = ListIndex(s.FontPitch, 2, fpFixed);
  f.Bold = (s.FontStyles & fsBold) != 0;
  f.Italic = (s.FontStyles & fsItalic) != 0;
  f.FontSmoothing = s.FontSmoothing;
  f.DigitSpacing = InRange(s.FontSpacing[0], kFontSpacingRange);
  f.SeparatorSpacing = InRange(s.FontSpacing[1], kFontSpacingRange);

  f.FontColor = s.FontColor;
  f.OuterFrame = InRange(s.OuterFrame, kFrameRange);
  f.OuterFrameTransparent = InRange(100 - s.OuterFrameTransparent, kTransparencyRange);
  f.OuterFrameSoft = InRange(s.OuterFrameSoft, kSoftRange);
  f.OuterFrameColor = s.OuterFrameColor;
  f.InnerFrame = InRange(s.InnerFrame, kFrameRange);
  f.InnerFrameTransparent = InRange(100 - s.InnerFrameTransparent, kTransparencyRange);
  f.InnerFrameSoft = InRange(s.InnerFrameSoft, kSoftRange);
  f.InnerFrameColor = s.InnerFrameColor;
  f.Shadow = InRange(s.Shadow, kFrameRange);
  f.ShadowTransparent = InRange(100 - s.ShadowTransparent, kTransparencyRange);
  f.ShadowSoft = InRange(s.ShadowSoft, kSoftRange);
  f.ShadowColor = s.ShadowColor;

  f.BackGrndType = ListIndex(s.BackGrndType, 4, btNone);
  f.BackGrndColor = s.BackGrndColor;
  f.BackGrndGradColor1 = s.BackGrndGradColor1;
  f.BackGrndGradColor2 = s.BackGrndGradColor2;
  f.BackGrndGradType = ListIndex(s.BackGrndGradType, 2, gtHorz);
  f.BackGrndAlpha = InRange(s.BackGrndAlpha, kTransparencyRange);
  f.BackGrnd = s.BackGrnd;
  f.BackGrndAlign = ListIndex(s.BackGrndAlign, 5, baCenter);
  f.BackGrndSize = InRange(s.BackGrndSize, kBackGrndSizeRange);
  f.BorderLeft = InRange(double{s.BorderWidth.Left}, kBorderRange);
  f.BorderTop = InRange(double{s.BorderWidth.Top}, kBorderRange);
  f.BorderRight = InRange(double{s.BorderWidth.Right}, kBorderRange);
  f.BorderBottom = InRange(double{s.BorderWidth.Bottom}, kBorderRange);

  f.ShowHour = ListIndex(s.ShowHour, 3, hf12H);
  f.Hour0 = s.Hour0;
  f.Hour12to0 = s.Hour12to0;
  f.ShowMinute = s.ShowMinute ? 1 : 0;
  f.Minute0 = s.Minute0;
  f.ColonType1 = ListIndex(s.ColonType[0], 3, cgColon);
  f.ShowSecond = s.ShowSecond ? 1 : 0;
  f.Second0 = s.Second0;
  f.ColonType2 = ListIndex(s.ColonType[1], 3, cgColon);

  f.AnimationType = ListIndex(s.AnimationType, 8, atNone);
  f.AnimationSpeed = std::clamp(s.AnimationSpeed, 0, 100);
  f.Inertia = s.Inertia;
  f.FlashColonType = ListIndex(s.FlashColonType, 4, fcNone);
  f.FlashColonInvert = s.FlashColonInvert;
  f.FlashColonToggle = s.FlashColonToggle;
  f.FlashColonSmooth = s.FlashColonSmooth;

  for (const TTimeSlotRow& row : TimeSlotRows(s.VisibleTimeSlotList, TFormatSettings{})) f.Slots.push_back(row.Slot);
  f.FadeSwitching = s.FadeSwitching;
  return f;
}

TStyle StoreStyleEditFields(const TStyleEditFields& now, const TStyleEditFields& loaded, TStyle s,
                            const std::vector<TFontListEntry>& fonts) {
  Take(now.FontType, loaded.FontType, s.FontType);
  if (!now.FontName.empty()) Take(now.FontName, loaded.FontName, s.FontName);
  Take(now.FontFile, loaded.FontFile, s.FontFile);
  Take(now.FontSize, loaded.FontSize, s.FontSize);
  Take(now.FontWidth, loaded.FontWidth, s.FontWidth);
  Take(now.FontPitch, loaded.FontPitch, s.FontPitch);
  if (now.Bold != loaded.Bold || now.Italic != loaded.Italic) {
    s.FontStyles = (now.Bold ? fsBold : 0) | (now.Italic ? fsItalic : 0);
  }
  Take(now.FontSmoothing, loaded.FontSmoothing, s.FontSmoothing);
  Take(now.DigitSpacing, loaded.DigitSpacing, s.FontSpacing[0]);
  Take(now.SeparatorSpacing, loaded.SeparatorSpacing, s.FontSpacing[1]);
  // Full-width digits need a Shift-JIS face of the font.
  if (const TFontListEntry* font = FindFont(fonts, s.FontName); font && !font->FullWidthExists) s.FontWidth = fwHalf;

  const auto opacity = [](int shown) { return 100 - shown; };
  Take(now.FontColor, loaded.FontColor, s.FontColor);
  Take(now.OuterFrame, loaded.OuterFrame, s.OuterFrame);
  Take(now.OuterFrameTransparent, loaded.OuterFrameTransparent, s.OuterFrameTransparent, opacity);
  Take(now.OuterFrameSoft, loaded.OuterFrameSoft, s.OuterFrameSoft);
  Take(now.OuterFrameColor, loaded.OuterFrameColor, s.OuterFrameColor);
  Take(now.InnerFrame, loaded.InnerFrame, s.InnerFrame);
  Take(now.InnerFrameTransparent, loaded.InnerFrameTransparent, s.InnerFrameTransparent, opacity);
  Take(now.InnerFrameSoft, loaded.InnerFrameSoft, s.InnerFrameSoft);
  Take(now.InnerFrameColor, loaded.InnerFrameColor, s.InnerFrameColor);
  Take(now.Shadow, loaded.Shadow, s.Shadow);
  Take(now.ShadowTransparent, loaded.ShadowTransparent, s.ShadowTransparent, opacity);
  Take(now.ShadowSoft, loaded.ShadowSoft, s.ShadowSoft);
  Take(now.ShadowColor, loaded.ShadowColor, s.ShadowColor);

  Take(now.BackGrndType, loaded.BackGrndType, s.BackGrndType);
  Take(now.BackGrndColor, loaded.BackGrndColor, s.BackGrndColor);
  Take(now.BackGrndGradColor1, loaded.BackGrndGradColor1, s.BackGrndGradColor1);
  Take(now.BackGrndGradColor2, loaded.BackGrndGradColor2, s.BackGrndGradColor2);
  Take(now.BackGrndGradType, loaded.BackGrndGradType, s.BackGrndGradType);
  Take(now.BackGrndAlpha, loaded.BackGrndAlpha, s.BackGrndAlpha);
  Take(now.BackGrnd, loaded.BackGrnd, s.BackGrnd);
  Take(now.BackGrndAlign, loaded.BackGrndAlign, s.BackGrndAlign);
  Take(now.BackGrndSize, loaded.BackGrndSize, s.BackGrndSize);
  Take(now.BorderLeft, loaded.BorderLeft, s.BorderWidth.Left);
  Take(now.BorderTop, loaded.BorderTop, s.BorderWidth.Top);
  Take(now.BorderRight, loaded.BorderRight, s.BorderWidth.Right);
  Take(now.BorderBottom, loaded.BorderBottom, s.BorderWidth.Bottom);

  const auto shown = [](int index) { return index == 1; };
  Take(now.ShowHour, loaded.ShowHour, s.ShowHour);
  Take(now.Hour0, loaded.Hour0, s.Hour0);
  Take(now.Hour12to0, loaded.Hour12to0, s.Hour12to0);
  Take(now.ShowMinute, loaded.ShowMinute, s.ShowMinute, shown);
  Take(now.Minute0, loaded.Minute0, s.Minute0);
  Take(now.ColonType1, loaded.ColonType1, s.ColonType[0]);
  Take(now.ShowSecond, loaded.ShowSecond, s.ShowSecond, shown);
  Take(now.Second0, loaded.Second0, s.Second0);
  Take(now.ColonType2, loaded.ColonType2, s.ColonType[1]);

  Take(now.AnimationType, loaded.AnimationType, s.AnimationType);
  Take(now.AnimationSpeed, loaded.AnimationSpeed, s.AnimationSpeed);
  Take(now.Inertia, loaded.Inertia, s.Inertia);
  Take(now.FlashColonType, loaded.FlashColonType, s.FlashColonType);
  Take(now.FlashColonInvert, loaded.FlashColonInvert, s.FlashColonInvert);
  Take(now.FlashColonToggle, loaded.FlashColonToggle, s.FlashColonToggle);
  Take(now.FlashColonSmooth, loaded.FlashColonSmooth, s.FlashColonSmooth);

  Take(now.Slots, loaded.Slots, s.VisibleTimeSlotList);
  Take(now.FadeSwitching, loaded.FadeSwitching, s.FadeSwitching);
  return s;
}

TStyleEditRules StyleEditRules(const TStyleEditFields& f, const TFontListEntry* font, unsigned bitsPerPixel) {
  const bool translucent = bitsPerPixel > 15;
  const bool system = f.FontType != ftBitmap;
  TStyleEditRules r;
  r.DecorationPage = system;
  r.FontName = r.FontPitch = r.Bold = r.Italic = Shown(system);
  r.FontWidth = Shown(system, font && font->FullWidthExists);
  r.FontSmoothing = Shown(system, font && font->OutlineExists);
  r.FontFile = Shown(!system);

  const auto frame = [&](double width, TControlState& color, TControlState& soft, TControlState& transparent) {
    color = Enabled(width > 0);
    soft = transparent = Enabled(width > 0 && translucent);
  };
  frame(f.OuterFrame, r.OuterFrameColor, r.OuterFrameSoft, r.OuterFrameTransparent);
  frame(f.InnerFrame, r.InnerFrameColor, r.InnerFrameSoft, r.InnerFrameTransparent);
  frame(f.Shadow, r.ShadowColor, r.ShadowSoft, r.ShadowTransparent);

  const bool fill = f.BackGrndType == btFill, gradation = f.BackGrndType == btGradation;
  const bool picture = f.BackGrndType == btBitmap;
  r.BackGrndColor = Shown(fill);
  r.BackGrndGradColor1 = r.BackGrndGradColor2 = r.BackGrndGradType = Shown(gradation);
  r.BackGrndAlpha = Shown(fill || gradation, translucent);
  r.BackGrndFile = r.BackGrndAlign = Shown(picture);
  r.BackGrndSize = Shown(picture, f.BackGrndAlign != baZoom);

  r.Hour0 = Enabled(f.ShowHour != hfNone);
  r.Hour12to0 = Shown(f.ShowHour != hf24H, f.ShowHour == hf12H);
  r.Hour24to0 = Shown(f.ShowHour == hf24H);
  r.Minute0 = r.ColonType1 = Enabled(f.ShowMinute != 0);
  r.Second0 = r.ColonType2 = Enabled(f.ShowSecond != 0);

  r.AnimationSpeed = r.Inertia = Enabled(f.AnimationType != atNone);
  const bool flashing = f.FlashColonType != fcNone;
  r.FlashColonInvert = r.FlashColonToggle = Enabled(flashing);
  r.FlashColonSmooth = Enabled(flashing && translucent);

  r.FadeSwitching = Enabled(translucent);
  return r;
}

std::size_t PutTimeSlot(std::vector<TVisibleTimeSlot>& slots, std::optional<std::size_t> replace,
                        const TVisibleTimeSlot& slot) {
  if (replace && *replace < slots.size()) {
    slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(*replace));
  }
  // Rows equal to the new one stay before it (the sort keeps their order).
  slots.push_back(slot);
  std::vector<TTimeSlotRow> rows = TimeSlotRows(slots, TFormatSettings{});
  slots.clear();
  for (const TTimeSlotRow& row : rows) slots.push_back(row.Slot);
  // The new slot is the last row equal to it.
  std::size_t at = 0;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] == slot) at = i;
  }
  return at;
}

std::optional<std::size_t> DeleteTimeSlots(std::vector<TVisibleTimeSlot>& slots, std::vector<std::size_t> selected) {
  if (selected.empty()) return std::nullopt;
  std::sort(selected.begin(), selected.end());
  selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
  const std::size_t first = selected.front();
  for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
    if (*row < slots.size()) slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(*row));
  }
  return SelectionAfterDelete(slots.size(), first);
}

std::optional<std::array<TColor, 16>> CustomColorsOf(std::wstring_view text) {
  const std::vector<std::wstring> items = SplitCommaText(text);
  if (items.size() < 16) return std::nullopt;
  std::array<TColor, 16> colors{};
  for (std::size_t i = 0; i < colors.size(); ++i) {
    const std::wstring& item = items[i];
    if (item.empty() || item.size() > 6) return std::nullopt;
    unsigned value = 0;
    for (const wchar_t c : item) {
      const wchar_t lower = (c >= L'A' && c <= L'F') ? static_cast<wchar_t>(c + 32) : c;
      if (lower >= L'0' && lower <= L'9') {
        value = value * 16 + static_cast<unsigned>(lower - L'0');
      } else if (lower >= L'a' && lower <= L'f') {
        value = value * 16 + static_cast<unsigned>(lower - L'a' + 10);
      } else {
        return std::nullopt;
      }
    }
    colors[i] = static_cast<TColor>(value);
  }
  return colors;
}

std::wstring CustomColorsText(const std::array<TColor, 16>& colors) {
  std::wstring text;
  for (const TColor color : colors) {
    if (!text.empty()) text += L',';
    const auto value = static_cast<unsigned>(color) & 0xFFFFFFu;
    for (int shift = 20; shift >= 0; shift -= 4) text += L"0123456789ABCDEF"[(value >> shift) & 0xF];
  }
  return text;
}

}  // namespace tdialix
