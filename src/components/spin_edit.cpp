#include "components/spin_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "base/messages.h"
#include "base/number_text.h"

namespace tdialix {

namespace {

TSpinBalloon Balloon(TMsg title, std::wstring text, TBalloonIcon icon) {
  return {std::wstring(MessageText(title)), std::move(text), icon};
}

TSpinBalloon PlainBalloon(TMsg text) { return {L"", std::wstring(MessageText(text)), TBalloonIcon::biNone}; }

TSpinBalloon Refusal(TMsg text, TBalloonIcon icon) {
  return Balloon(TMsg::SpinCannotEnter, std::wstring(MessageText(text)), icon);
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Whether the text holds c somewhere outside the selection.
bool HasOutsideSelection(const TSpinKeyState& state, wchar_t c) {
  for (size_t i = 0; i < state.Text.size(); ++i) {
    const int at = static_cast<int>(i);
    if (state.Text[i] == c && (at < state.SelStart || at >= state.SelStart + state.SelLength)) return true;
  }
  return false;
}

// "-" at the start, digits, and at most one "." with digits on either side
// or both; nothing else.
std::optional<double> ParseSpinNumber(std::wstring_view text) {
  std::string narrow;
  bool digits = false, point = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'-' && i == 0) {
      narrow += '-';
    } else if (IsDigit(c)) {
      digits = true;
      narrow += static_cast<char>(c);
    } else if (c == L'.' && !point) {
      point = true;
      narrow += '.';
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  const char* first = narrow.data();
  if (*first == '-') ++first;  // from_chars reads the sign, but not "-.5"
  const auto result = std::from_chars(first, narrow.data() + narrow.size(), value);
  if (result.ec != std::errc() || result.ptr != narrow.data() + narrow.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return narrow[0] == '-' ? -value : value;
}

}  // namespace

std::optional<TSpinBalloon> CheckSpinKey(wchar_t key, const TSpinKeyState& s) {
  const bool selected = s.SelLength > 0;
  if (key == kCharCopy && !selected) return PlainBalloon(TMsg::SpinSelectText);
  if (s.ReadOnly && key != kCharCopy && key != kCharCut && key != kCharUndo) return PlainBalloon(TMsg::SpinReadOnly);
  if (s.ReadOnly && key == kCharCut) return PlainBalloon(TMsg::SpinCannotCut);
  if (key == kCharPaste && !s.ClipboardHasText) return PlainBalloon(TMsg::SpinNothingToPaste);
  if (key == kCharCut && !selected) return PlainBalloon(TMsg::SpinSelectText);
  if (s.TextLength > 0 && static_cast<int>(s.Text.size()) >= s.TextLength && !selected && key != kCharBackspace &&
      key != kCharUndo && key != kCharCopy) {
    return Balloon(TMsg::SpinCannotEnter, FormatText(MessageText(TMsg::SpinTooLong), {std::int64_t{s.TextLength}}),
                   TBalloonIcon::biWarning);
  }
  const bool hasMinus = s.Text.find(L'-') != std::wstring_view::npos;
  if (key == L'-') {
    if (s.Min >= 0 && s.Max >= 0) return Refusal(TMsg::SpinDigitsOnly, TBalloonIcon::biError);
    if ((s.SelStart > 0 && hasMinus) || (s.SelStart == 0 && HasOutsideSelection(s, L'-'))) {
      return Refusal(TMsg::SpinMinusTwice, TBalloonIcon::biWarning);
    }
    if (s.SelStart > 0) return Refusal(TMsg::SpinMinusFirst, TBalloonIcon::biWarning);
    return std::nullopt;
  }
  if (key == L'.') {
    if (!s.Decimal) return Refusal(TMsg::SpinDigitsOnly, TBalloonIcon::biError);
    if (HasOutsideSelection(s, L'.')) return Refusal(TMsg::SpinPointTwice, TBalloonIcon::biWarning);
    return std::nullopt;
  }
  if (IsDigit(key)) {
    if (!selected && hasMinus && s.SelStart <= static_cast<int>(s.Text.find(L'-'))) {
      return Refusal(TMsg::SpinDigitBeforeMinus, TBalloonIcon::biWarning);
    }
    return std::nullopt;
  }
  if (key == kCharBackspace || key == kCharCopy || key == kCharPaste || key == kCharCut || key == kCharUndo) {
    return std::nullopt;
  }
  return Refusal(TMsg::SpinDigitsOnly, TBalloonIcon::biError);
}

TSpinTextChange SpinTextChanged(std::wstring_view text, bool readOnly, double min, double max) {
  if (text.empty() || readOnly || text == L"-" || text == L".") return {};
  const std::optional<double> number = ParseSpinNumber(text);
  if (!number) return {std::nullopt, Refusal(TMsg::SpinDigitsOnly, TBalloonIcon::biError)};
  if (*number > max || *number < min) {
    const std::wstring range =
        FormatText(MessageText(TMsg::SpinRange), {SpinPositionText(min), SpinPositionText(max)});
    return {*number > max ? max : min, Balloon(TMsg::SpinOutOfRange, range, TBalloonIcon::biWarning)};
  }
  return {*number, std::nullopt};
}

TSpinStep SpinStep(double position, double delta, double min, double max) {
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  const double wanted = position + delta;
  const double clamped = ClampSpinPosition(wanted, min, max);
  if (clamped > kHighest || clamped < kLowest) return {position, true};
  return {clamped, clamped != wanted};
}

double ClampSpinPosition(double value, double min, double max) {
  if (value > max) value = max;
  if (value < min) value = min;
  return value;
}

int SpinTextLength(double min, double max, double increment, double pageSize) {
  size_t longest = 0;
  for (const double value : {max, min, increment, pageSize}) longest = std::max(longest, SpinPositionText(value).size());
  return static_cast<int>(longest);
}

std::wstring SpinPositionText(double value) { return FormatFloatPlain(value); }

}  // namespace tdialix
