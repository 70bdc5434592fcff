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

}  // namespace

TDecodedText DecodeText(std::string_view bytes, const TAnsiDecoder& ansi) {
  if (StartsWith(bytes, "\xFF\xFE")) return {DecodeUtf16(bytes.substr(2), false), TTextEncoding::teUtf16LE};
  if (StartsWith(bytes, "\xFE\xFF")) return {DecodeUtf16(bytes.substr(2), true), TTextEncoding::teUtf16BE};
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return {Utf8ToWide(bytes.substr(3)), TTextEncoding::teUtf8};
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
