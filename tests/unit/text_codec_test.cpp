#include "base/text_codec.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace tdialix {
namespace {

std::string Utf16Bytes(std::u16string_view units, bool bigEndian, bool bom = true) {
  std::string bytes;
  if (bom) bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8);
    const char lo = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

const std::u16string kSample = u"[General]\r\nName=時計🕒\r\n";

TEST(TextCodec, RecognisesEachByteOrderMark) {
  const std::wstring expected = Utf16ToWide(kSample);
  const auto le = DecodeText(Utf16Bytes(kSample, false));
  const auto be = DecodeText(Utf16Bytes(kSample, true));
  const auto utf8 = DecodeText("\xEF\xBB\xBF" + WideToUtf8(expected));
  EXPECT_EQ(le.Encoding, TTextEncoding::teUtf16LE);
  EXPECT_EQ(be.Encoding, TTextEncoding::teUtf16BE);
  EXPECT_EQ(utf8.Encoding, TTextEncoding::teUtf8);
  EXPECT_EQ(le.Text, expected);
  EXPECT_EQ(be.Text, expected);
  EXPECT_EQ(utf8.Text, expected);
}

TEST(TextCodec, UnmarkedBytesGoToTheAnsiDecoder) {
  std::string seen;
  const auto decoded = DecodeText("\x8E\x9E\x8C\x76", [&](std::string_view bytes) {
    seen = bytes;
    return std::wstring(L"時計");
  });
  EXPECT_EQ(decoded.Encoding, TTextEncoding::teAnsi);
  EXPECT_EQ(seen, "\x8E\x9E\x8C\x76");
  EXPECT_EQ(decoded.Text, L"時計");
}

TEST(TextCodec, WritesUtf16LittleEndianWithAMark) {
  const std::string bytes = EncodeUtf16LeWithBom(L"A時🕒");
  EXPECT_EQ(bytes, Utf16Bytes(u"A時🕒", false));
  EXPECT_EQ(DecodeText(bytes).Text, L"A時🕒");
}

TEST(TextCodec, HostileBytesDecodeWithoutLoss) {
  // An odd trailing byte becomes a replacement character.
  EXPECT_EQ(DecodeText(std::string("\xFF\xFE" "A\0B", 5)).Text, std::wstring(L"A\uFFFD"));
  // NULs and unpaired surrogates stay in the text and survive a rewrite.
  const std::string hostile = Utf16Bytes(std::u16string(u"a\0b\xD800z\xDC00", 6), false);
  const std::wstring text = DecodeText(hostile).Text;
  EXPECT_EQ(text.size(), 6u);
  EXPECT_EQ(EncodeUtf16LeWithBom(text), hostile);
  // Malformed UTF-8: stray continuation, truncated sequence, overlong form, surrogate.
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF" "a\x80" "b\xE6\x99" "c\xC0\xAF" "d\xED\xA0\x80").Text,
            L"a\uFFFDb\uFFFDc\uFFFDd\uFFFD");
  // Only a mark, or nothing at all.
  EXPECT_EQ(DecodeText("\xFF\xFE").Text, L"");
  EXPECT_EQ(DecodeText("").Text, L"");
}

}  // namespace
}  // namespace tdialix
