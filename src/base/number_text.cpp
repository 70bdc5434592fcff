#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/text.h"

namespace tdialix {

namespace {

std::wstring Widen(std::string_view text) { return std::wstring(text.begin(), text.end()); }

// The value's 15 significant decimal digits and decimal exponent: value = d.ddd... x 10^exponent.
struct TDecimal {
  char Digits[15];
  int Exponent;
};

TDecimal ToDecimal(double magnitude) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14);
  // "d.dddddddddddddde+XX"
  TDecimal decimal{};
  int count = 0;
  const char* p = buffer;
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9' && count < 15) decimal.Digits[count++] = *p;
  }
  decimal.Exponent = std::atoi(std::string(p + 1, static_cast<const char*>(result.ptr)).c_str());
  return decimal;
}

std::wstring NonFinite(double value) {
  if (std::isnan(value)) return L"NAN";
  return value < 0 ? L"-INF" : L"INF";
}

}  // namespace

std::wstring FormatFloatDecimals(double value, int places) {
  if (!std::isfinite(value)) return NonFinite(value);
  places = std::clamp(places, 0, 6);
  const double magnitude = std::fabs(value);
  const TDecimal decimal = ToDecimal(magnitude);
  if (magnitude != 0 && decimal.Exponent >= 15) return FormatFloatGeneral(value);

  // The value in units of the last place as an integer: the digits up to that
  // place, rounded on the next.
  const int keep = magnitude == 0 ? -1 : decimal.Exponent + 1 + places;
  std::uint64_t units = 0;
  for (int k = 0; k < keep; ++k) units = units * 10 + (k < 15 ? decimal.Digits[k] - '0' : 0);
  if (keep >= 0 && keep < 15 && decimal.Digits[keep] >= '5') ++units;

  std::uint64_t scale = 1;
  for (int k = 0; k < places; ++k) scale *= 10;
  std::wstring text = (value < 0 && units != 0) ? L"-" : L"";
  text += std::to_wstring(units / scale);
  std::wstring fraction;
  for (std::uint64_t rest = units % scale, unit = scale / 10; unit > 0; unit /= 10) {
    fraction += static_cast<wchar_t>(L'0' + rest / unit);
    rest %= unit;
  }
  while (!fraction.empty() && fraction.back() == L'0') fraction.pop_back();
  if (!fraction.empty()) text += L'.' + fraction;
  return text;
}

std::wstring FormatFloatOneDecimal(double value) { return FormatFloatDecimals(value, 1); }

std::wstring FormatFloatGeneral(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) return L"0";
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string scientific(buffer, result.ptr);
  const size_t e = scientific.find('e');
  const int exponent = std::atoi(scientific.c_str() + e + 1);
  if (exponent >= -5 && exponent < 15) {
    const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 14 - exponent);
    std::string text(buffer, fixed.ptr);
    if (text.find('.') != std::string::npos) {
      while (text.back() == '0') text.pop_back();
      if (text.back() == '.') text.pop_back();
    }
    return Widen(text);
  }
  std::string mantissa = scientific.substr(0, e);
  if (mantissa.find('.') != std::string::npos) {
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
  }
  return Widen(mantissa + "E" + std::to_string(exponent));
}

std::wstring FormatFloatPlain(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) return L"0";
  const TDecimal decimal = ToDecimal(std::fabs(value));
  int count = 15;
  while (count > 1 && decimal.Digits[count - 1] == '0') --count;
  std::wstring text = value < 0 ? L"-" : L"";
  const int point = decimal.Exponent + 1;  // digits before the decimal point
  if (point <= 0) {
    text += L"0.";
    text.append(static_cast<size_t>(-point), L'0');
    for (int k = 0; k < count; ++k) text += static_cast<wchar_t>(decimal.Digits[k]);
    return text;
  }
  for (int k = 0; k < std::max(count, point); ++k) {
    if (k == point) text += L'.';
    text += k < count ? static_cast<wchar_t>(decimal.Digits[k]) : L'0';
  }
  return text;
}

std::optional<double> ParseFloat(std::wstring_view text) {
  text = TrimView(text);
  std::string narrow;
  narrow.reserve(text.size());
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  bool digits = false;
  bool separator = false;
  bool exponent = false;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c >= L'0' && c <= L'9') {
      digits = true;
      narrow.push_back(static_cast<char>(c));
    } else if ((c == L'.' || c == L',') && !separator && !exponent) {
      separator = true;
      narrow.push_back('.');
    } else if ((c == L'e' || c == L'E') && digits && !exponent) {
      exponent = true;
      narrow.push_back('e');
      if (i + 1 < text.size() && (text[i + 1] == L'+' || text[i + 1] == L'-')) narrow.push_back(static_cast<char>(text[++i]));
      if (i + 1 >= text.size()) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (result.ec != std::errc() || result.ptr != narrow.data() + narrow.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::optional<std::int32_t> ParseInt(std::wstring_view text) {
  text = TrimView(text);
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  unsigned base = 10;
  if (i < text.size() && text[i] == L'$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    unsigned digit;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    else return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > 0xFFFFFFFFull) return std::nullopt;
  }
  if (base == 16) {
    const auto bits = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(bits)) : bits;
  }
  if (negative) {
    if (magnitude > 0x80000000ull) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  }
  if (magnitude > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<std::int32_t>(magnitude);
}

std::optional<bool> ParseBool(std::wstring_view text) {
  if (const auto number = ParseInt(text)) return *number != 0;
  const std::wstring_view word = TrimView(text);
  if (SameText(word, L"true")) return true;
  if (SameText(word, L"false")) return false;
  return std::nullopt;
}

}  // namespace tdialix
