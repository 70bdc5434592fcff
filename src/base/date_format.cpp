#include "base/date_format.h"

#include <vector>

#include "base/text.h"

namespace tdialix {

namespace {

struct TEra {
  int Year, Month, Day;
  std::wstring_view Name;
  std::wstring_view ShortName;
};

// The eras as the platform's Japanese calendar counts them.
constexpr TEra kEras[] = {
    {1868, 1, 1, L"明治", L"明"},
    {1912, 7, 30, L"大正", L"大"},
    {1926, 12, 25, L"昭和", L"昭"},
    {1989, 1, 8, L"平成", L"平"},
    {2019, 5, 1, L"令和", L"令"},
};

std::wstring Number(int value, int minDigits) {
  std::wstring digits = std::to_wstring(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), L'0');
  return value < 0 ? L"-" + digits : digits;
}

wchar_t Lower(wchar_t c) { return static_cast<wchar_t>(FoldCase(c)); }

size_t RunLength(std::wstring_view pattern, size_t i, bool ignoreCase) {
  size_t n = 1;
  while (i + n < pattern.size() &&
         (ignoreCase ? Lower(pattern[i + n]) == Lower(pattern[i]) : pattern[i + n] == pattern[i])) {
    ++n;
  }
  return n;
}

bool StartsWithText(std::wstring_view text, size_t i, std::wstring_view word) {
  return text.size() - i >= word.size() && SameText(text.substr(i, word.size()), word);
}

// Copies a quoted literal starting at pattern[i] (the quote) and moves past it.
// In the locale syntax a doubled quote inside the literal is a quote of its own.
void AppendQuoted(std::wstring& out, std::wstring_view pattern, size_t& i, bool doubledQuotes = false) {
  const wchar_t quote = pattern[i++];
  while (i < pattern.size()) {
    if (pattern[i] == quote) {
      if (!doubledQuotes || i + 1 >= pattern.size() || pattern[i + 1] != quote) break;
      ++i;
    }
    out += pattern[i++];
  }
  if (i < pattern.size()) ++i;
}

int Hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

// True when an AM/PM marker follows in the rest of a pattern, which makes hours 12-hour ones.
bool HasAmPmMarker(std::wstring_view pattern, size_t from) {
  for (size_t i = from; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'\'' || c == L'"') {
      std::wstring ignored;
      AppendQuoted(ignored, pattern, i);
      --i;
      continue;
    }
    if (StartsWithText(pattern, i, L"am/pm") || StartsWithText(pattern, i, L"a/p") ||
        StartsWithText(pattern, i, L"ampm")) {
      return true;
    }
  }
  return false;
}

}  // namespace

TEraYear JapaneseEra(TDateTime value) {
  const TDateParts date = DecodeDate(value);
  for (auto era = std::rbegin(kEras); era != std::rend(kEras); ++era) {
    const bool reached = date.Year != era->Year ? date.Year > era->Year
                         : date.Month != era->Month ? date.Month > era->Month
                                                    : date.Day >= era->Day;
    if (reached) return {era->Name, era->ShortName, date.Year - era->Year + 1};
  }
  return {{}, {}, date.Year};
}

std::wstring FormatLocalePattern(std::wstring_view pattern, TDateTime value, const TFormatSettings& settings) {
  const TDateParts date = DecodeDate(value);
  const TTimeParts time = DecodeTime(value);
  const bool pm = time.Hour >= 12;
  std::wstring out;
  for (size_t i = 0; i < pattern.size();) {
    const wchar_t c = pattern[i];
    if (c == L'\'') {
      // '' is a quote of its own.
      if (i + 1 < pattern.size() && pattern[i + 1] == L'\'') {
        out += L'\'';
        i += 2;
      } else {
        AppendQuoted(out, pattern, i, true);
      }
      continue;
    }
    const size_t n = RunLength(pattern, i, false);
    switch (c) {
      case L'd':
        if (n == 1 || n == 2) out += Number(date.Day, static_cast<int>(n));
        else if (n == 3) out += settings.ShortDayNames[DayOfWeek(value) - 1];
        else out += settings.LongDayNames[DayOfWeek(value) - 1];
        break;
      case L'M':
        if (n == 1 || n == 2) out += Number(date.Month, static_cast<int>(n));
        else if (n == 3) out += settings.ShortMonthNames[date.Month - 1];
        else out += settings.LongMonthNames[date.Month - 1];
        break;
      case L'y': {
        const bool eraYear = pattern.find(L'g') != std::wstring_view::npos;
        const int year = eraYear ? JapaneseEra(value).Year : date.Year;
        if (n == 1) out += Number(eraYear ? year : year % 100, 1);
        else if (n == 2) out += Number(year % 100, 2);
        else out += Number(year, static_cast<int>(n >= 5 ? 5 : 4));
        break;
      }
      case L'g':
        out += n == 1 ? JapaneseEra(value).ShortName : JapaneseEra(value).Name;
        break;
      case L'h':
        out += Number(Hour12(time.Hour), n >= 2 ? 2 : 1);
        break;
      case L'H':
        out += Number(time.Hour, n >= 2 ? 2 : 1);
        break;
      case L'm':
        out += Number(time.Minute, n >= 2 ? 2 : 1);
        break;
      case L's':
        out += Number(time.Second, n >= 2 ? 2 : 1);
        break;
      case L't': {
        const std::wstring& marker = pm ? settings.TimePMString : settings.TimeAMString;
        out += n == 1 ? marker.substr(0, 1) : marker;
        break;
      }
      default:
        out.append(n, c);
        break;
    }
    i += n;
  }
  return out;
}

std::wstring FormatDateTime(std::wstring_view pattern, TDateTime value, const TFormatSettings& settings) {
  if (pattern.empty()) return FormatLocalePattern(settings.LongDateFormat, value, settings);
  const TDateParts date = DecodeDate(value);
  const TTimeParts time = DecodeTime(value);
  std::wstring out;
  bool afterHour = false;  // "m" right after an hour means minutes
  for (size_t i = 0; i < pattern.size();) {
    const wchar_t c = pattern[i];
    if (c == L'\'' || c == L'"') {
      AppendQuoted(out, pattern, i);
      continue;
    }
    if (StartsWithText(pattern, i, L"am/pm")) {
      out += time.Hour >= 12 ? pattern.substr(i + 3, 2) : pattern.substr(i, 2);
      i += 5;
      continue;
    }
    if (StartsWithText(pattern, i, L"a/p")) {
      out += time.Hour >= 12 ? pattern[i + 2] : pattern[i];
      i += 3;
      continue;
    }
    if (StartsWithText(pattern, i, L"ampm")) {
      out += time.Hour >= 12 ? settings.TimePMString : settings.TimeAMString;
      i += 4;
      continue;
    }
    const size_t n = RunLength(pattern, i, true);
    bool hour = false;
    switch (Lower(c)) {
      case L'y':
        out += n <= 2 ? Number(date.Year % 100, 2) : Number(date.Year, 4);
        break;
      case L'm':
        if (afterHour && n <= 2) out += Number(time.Minute, static_cast<int>(n));
        else if (n <= 2) out += Number(date.Month, static_cast<int>(n));
        else if (n == 3) out += settings.ShortMonthNames[date.Month - 1];
        else out += settings.LongMonthNames[date.Month - 1];
        break;
      case L'd':
        if (n <= 2) out += Number(date.Day, static_cast<int>(n));
        else if (n == 3) out += settings.ShortDayNames[DayOfWeek(value) - 1];
        else if (n == 4) out += settings.LongDayNames[DayOfWeek(value) - 1];
        else if (n == 5) out += FormatLocalePattern(settings.ShortDateFormat, value, settings);
        else out += FormatLocalePattern(settings.LongDateFormat, value, settings);
        break;
      case L'e':
        out += Number(JapaneseEra(value).Year, n >= 2 ? 2 : 1);
        break;
      case L'g':
        out += n == 1 ? JapaneseEra(value).ShortName : JapaneseEra(value).Name;
        break;
      case L'h':
        out += Number(HasAmPmMarker(pattern, i) ? Hour12(time.Hour) : time.Hour, n >= 2 ? 2 : 1);
        hour = true;
        break;
      case L'n':
        out += Number(time.Minute, n >= 2 ? 2 : 1);
        break;
      case L's':
        out += Number(time.Second, n >= 2 ? 2 : 1);
        break;
      case L'z':
        out += Number(time.MilliSecond, n >= 3 ? 3 : 1);
        break;
      case L't':
        out += FormatLocalePattern(n == 1 ? settings.ShortTimeFormat : settings.LongTimeFormat, value, settings);
        break;
      case L'c':
        out += FormatLocalePattern(settings.ShortDateFormat, value, settings);
        if (time != TTimeParts{}) out += L' ' + FormatLocalePattern(settings.LongTimeFormat, value, settings);
        break;
      case L'/':
        out += settings.DateSeparator;
        break;
      case L':':
        out += settings.TimeSeparator;
        break;
      default:
        out.append(n, c);
        break;
    }
    // Blanks and separators between an hour and "m" keep it a minute ("h:m", "hh mm").
    if (hour) afterHour = true;
    else if (Lower(c) != L':' && !IsBlank(c)) afterHour = false;
    i += n;
  }
  return out;
}

std::wstring FormatTimeText(TDateTime value, const TFormatSettings& settings) {
  return FormatLocalePattern(settings.LongTimeFormat, value, settings);
}

std::optional<TDateTime> ParseTimeText(std::wstring_view text, const TFormatSettings& settings) {
  text = TrimView(text);
  std::vector<int> numbers;
  int milliSeconds = 0;
  int marker = 0;  // 0 none, 1 AM, 2 PM
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < text.size() && IsBlank(text[i])) ++i;
  };
  auto readMarker = [&]() -> bool {
    const std::wstring_view candidates[] = {settings.TimeAMString, settings.TimePMString, L"AM", L"PM"};
    for (int k = 0; k < 4; ++k) {
      if (!candidates[k].empty() && StartsWithText(text, i, candidates[k])) {
        if (marker != 0) return false;
        marker = k % 2 + 1;
        i += candidates[k].size();
        return true;
      }
    }
    return false;
  };
  skipBlanks();
  readMarker();
  skipBlanks();
  bool expectNumber = true;
  while (i < text.size()) {
    if (expectNumber) {
      if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
      int value = 0;
      size_t digits = 0;
      while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        if (++digits > 4) return std::nullopt;
        value = value * 10 + (text[i++] - L'0');
      }
      numbers.push_back(value);
      expectNumber = false;
      continue;
    }
    if (numbers.size() == 3 && text[i] == L'.') {
      ++i;
      size_t digits = 0;
      int scale = 100;
      while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
        if (++digits > 3) return std::nullopt;
        milliSeconds += (text[i++] - L'0') * scale;
        scale /= 10;
      }
      if (digits == 0) return std::nullopt;
      continue;
    }
    if (text[i] == L':' || (!settings.TimeSeparator.empty() && StartsWithText(text, i, settings.TimeSeparator))) {
      if (numbers.size() >= 3) return std::nullopt;
      i += text[i] == L':' ? 1 : settings.TimeSeparator.size();
      expectNumber = true;
      continue;
    }
    skipBlanks();
    if (i < text.size() && !readMarker()) return std::nullopt;
    skipBlanks();
  }
  if (expectNumber || numbers.empty() || (numbers.size() == 1 && marker == 0)) return std::nullopt;
  numbers.resize(3, 0);
  int hour = numbers[0];
  if (marker != 0) {
    if (hour > 12) return std::nullopt;
    hour = hour % 12 + (marker == 2 ? 12 : 0);
  }
  const auto fraction = TryEncodeTime(hour, numbers[1], numbers[2], milliSeconds);
  if (!fraction || *fraction >= 1.0) return std::nullopt;
  return fraction;
}

}  // namespace tdialix
