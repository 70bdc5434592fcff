#include "base/text_codec.h"

#include "base/text.h"

namespace tdialix {

namespace {

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2 + 1);
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(static_cast<char16_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0));
  }
  if (i < bytes.size()) units.push_back(u'\uFFFD');
  return Utf16ToWide(units);
}

bool StartsWith(std::string_view bytes, std::string_view mark) {
  return bytes.substr(0, mark.size()) == mark;
}

// Well-formed UTF-8 with at least one character beyond ASCII: no stray or
// missing continuation bytes, no overlong forms, no surrogates, nothing above
// U+10FFFF. Text in a multi-byte ANSI code page such as Shift-JIS practically
// never passes, and plain ASCII reads the same either way.
bool IsNonAsciiUtf8(std::string_view bytes) {
  bool beyondAscii = false;
  size_t i = 0;
  while (i < bytes.size()) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      ++i;
      continue;
    }
    beyondAscii = true;
    size_t length = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) { length = 2; cp = b0 & 0x1F; minimum = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { length = 3; cp = b0 & 0x0F; minimum = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { length = 4; cp = b0 & 0x07; minimum = 0x10000; }
    else return false;
    if (i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      if ((b & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += length;
  }
  return beyondAscii;
}

}  // namespace

TDecodedText DecodeText(std::string_view bytes, const TAnsiDecoder& ansi) {
  if (StartsWith(bytes, "\xFF\xFE")) return {DecodeUtf16(bytes.substr(2), false), TTextEncoding::teUtf16LE};
  if (StartsWith(bytes, "\xFE\xFF")) return {DecodeUtf16(bytes.substr(2), true), TTextEncoding::teUtf16BE};
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return {Utf8ToWide(bytes.substr(3)), TTextEncoding::teUtf8};
  // Editors save UTF-8 without a mark by default.
  if (IsNonAsciiUtf8(bytes)) return {Utf8ToWide(bytes), TTextEncoding::teUtf8};
  if (ansi) return {ansi(bytes), TTextEncoding::teAnsi};
  std::wstring latin1;
  latin1.reserve(bytes.size());
  for (char c : bytes) latin1.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return {std::move(latin1), TTextEncoding::teAnsi};
}

std::string EncodeUtf16LeWithBom(std::wstring_view text) {
  const std::u16string units = WideToUtf16(text);
  std::string bytes;
  bytes.reserve(2 + units.size() * 2);
  bytes += "\xFF\xFE";
  for (char16_t u : units) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

}  // namespace tdialix
