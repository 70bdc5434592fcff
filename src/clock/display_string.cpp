#include "clock/display_string.h"

#include "base/scale.h"

namespace tdialix {

namespace {

int SquaredSpeedScaled(const TStyle& style, int divisor) {
  const double d = style.AnimationSpeed - 100.0;
  return ScaleRound(d * d, divisor, 60000);
}

std::wstring Padded(int value, bool leadingZero) {
  return (value < 10 && leadingZero ? L"0" : L"") + std::to_wstring(value);
}

wchar_t SeparatorChar(std::uint8_t colonType, bool lit, bool toggle, int second) {
  if (lit) return colonType == cgPeriod ? L'.' : colonType == cgHyphen ? L'-' : L':';
  if (colonType == cgPeriod) return L';';
  if (colonType == cgHyphen) return L'<';
  if (toggle) return second < 30 ? L'\'' : L',';
  return L'_';
}

}  // namespace

bool IsSeparator(wchar_t c) {
  switch (c) {
    case L':': case L';': case L'.': case L'_': case L'<': case L'\'': case L',': case L'-':
      return true;
    default:
      return false;
  }
}

int DigitLookAhead(const TStyle& style) { return SquaredSpeedScaled(style, 20000); }

TDateTime DigitTime(TDateTime now, const TStyle& style, bool initializing) {
  if (style.AnimationType == atNone || initializing) return now;
  return IncMilliSecond(now, DigitLookAhead(style));
}

std::wstring BuildDisplayString(TDateTime now, const TStyle& style, bool initializing, unsigned displayBits) {
  // Colon phase, looked ahead for smooth flashing so that the fade is
  // centred on the change.
  bool lit = true;
  if (style.FlashColonType != fcNone && !initializing) {
    TDateTime phase = now;
    if (style.FlashColonSmooth && displayBits >= 16) {
      phase = IncMilliSecond(now, style.AnimationType != atNone ? SquaredSpeedScaled(style, 40000) : 125);
    }
    const TTimeParts p = DecodeTime(phase);
    switch (style.FlashColonType) {
      case fc250ms: lit = p.MilliSecond <= 249; break;
      case fc500ms: lit = p.MilliSecond <= 499; break;
      case fc1000ms: lit = p.Second % 2 == 0; break;
      default: break;
    }
    if (style.FlashColonInvert) lit = !lit;
  }
  const int currentSecond = DecodeTime(now).Second;

  // Digit time.
  const TTimeParts t = DecodeTime(DigitTime(now, style, initializing));
  const bool hours = style.ShowHour != hfNone;

  // Hour.
  int hour = t.Hour;
  if (style.ShowHour == hf12H && hour > 12) hour -= 12;
  if (style.Hour12to0 && hour == 12 && style.ShowHour != hf24H) hour = 0;

  std::wstring text;
  if (hours) text += hour < 10 ? (style.Hour0 ? L"0" : L" ") + std::to_wstring(hour) : std::to_wstring(hour);
  // The separators, the minutes and the seconds.
  if (hours && style.ShowMinute) {
    text += SeparatorChar(style.ColonType[0], lit, style.FlashColonToggle, currentSecond);
  }
  if (style.ShowMinute) text += Padded(t.Minute, style.Minute0);
  if ((hours || style.ShowMinute) && style.ShowSecond) {
    text += SeparatorChar(style.ColonType[1], lit, style.FlashColonToggle, currentSecond);
  }
  if (style.ShowSecond) text += Padded(t.Second, style.Second0);

  // Blanks for what is hidden, so that the row keeps its length.
  if (hours) {
    if (hour < 10 && !style.Hour0) text += L' ';
    if (!style.ShowMinute) text += L' ';
  } else {
    text += L"   ";
  }
  if (!style.ShowMinute) text += L"  ";
  else if (t.Minute < 10 && !style.Minute0) text += L' ';
  if (style.ShowSecond) {
    if (!hours && !style.ShowMinute) text += L' ';
    if (t.Second < 10 && !style.Second0) text += L' ';
  } else {
    text += L"   ";
  }
  return text;
}

}  // namespace tdialix
