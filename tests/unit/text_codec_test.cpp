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

// What each byte form of a style or settings file decodes to. Editors save
// UTF-8 without a mark by default; such text must not go through the ANSI code
// page, while ANSI text (Shift-JIS here) and plain ASCII still do.
TEST(TextCodec, DecodingTable) {
  const std::wstring japanese = L"FontName=ＭＳ ゴシック\r\nBackGround=C:\\写真\\空.bmp\r\n";
  const std::string utf8 = WideToUtf8(japanese);
  // "ＭＳ ゴシック" in Shift-JIS; the fake ANSI decoder knows just this text.
  const std::string shiftJis = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
  const auto ansi = [&](std::string_view bytes) {
    return bytes == shiftJis ? std::wstring(L"ＭＳ ゴシック") : L"ANSI:" + Utf8ToWide(bytes);
  };
  const struct {
    const char* Name;
    std::string Bytes;
    TTextEncoding Encoding;
    std::wstring Text;
  } cases[] = {
      {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8, TTextEncoding::teUtf8, japanese},
      {"UTF-8 without a mark", utf8, TTextEncoding::teUtf8, japanese},
      {"UTF-8 without a mark, four-byte character", "Name=\xF0\x9F\x95\x92", TTextEncoding::teUtf8, L"Name=🕒"},
      {"Shift-JIS", shiftJis, TTextEncoding::teAnsi, L"ＭＳ ゴシック"},
      {"plain ASCII", "[Design]\r\nFontSize=9", TTextEncoding::teAnsi, L"ANSI:[Design]\r\nFontSize=9"},
      {"UTF-8 with one bad byte", utf8 + "\x80", TTextEncoding::teAnsi, L"ANSI:" + Utf8ToWide(utf8 + "\x80")},
      {"UTF-8 cut in a character", utf8 + "\xE6\x99", TTextEncoding::teAnsi,
       L"ANSI:" + Utf8ToWide(utf8 + "\xE6\x99")},
      {"an overlong form", "a\xC0\xAF", TTextEncoding::teAnsi, L"ANSI:" + Utf8ToWide("a\xC0\xAF")},
      {"an encoded surrogate", "a\xED\xA0\x80", TTextEncoding::teAnsi, L"ANSI:" + Utf8ToWide("a\xED\xA0\x80")},
      {"beyond U+10FFFF", "a\xF4\x90\x80\x80", TTextEncoding::teAnsi, L"ANSI:" + Utf8ToWide("a\xF4\x90\x80\x80")},
      {"UTF-16 LE", Utf16Bytes(WideToUtf16(japanese), false), TTextEncoding::teUtf16LE, japanese},
      {"UTF-16 BE", Utf16Bytes(WideToUtf16(japanese), true), TTextEncoding::teUtf16BE, japanese},
  };
  for (const auto& c : cases) {
    const TDecodedText decoded = DecodeText(c.Bytes, ansi);
    EXPECT_EQ(decoded.Encoding, c.Encoding) << c.Name;
    EXPECT_EQ(decoded.Text, c.Text) << c.Name;
  }
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

// Names sort as they compare equal: Latin letters, full-width ones too,
// without regard to case; a name before its longer continuation.
TEST(TextCompare, FoldsCaseAndSortsPrefixesFirst) {
  const struct {
    const wchar_t* A;
    const wchar_t* B;
    int Sign;
  } cases[] = {
      {L"abc", L"ABC", 0},     {L"\uFF21", L"\uFF41", 0}, {L"Tokyo", L"tokyo standard", -1},
      {L"b", L"A", 1},         {L"", L"", 0},               {L"\u3042", L"a", 1},
      {L"Zulu", L"alpha", 1},  {L"", L"x", -1},
  };
  for (const auto& c : cases) {
    const int result = CompareText(c.A, c.B);
    EXPECT_EQ((result > 0) - (result < 0), c.Sign) << WideToUtf8(c.A) << " / " << WideToUtf8(c.B);
    EXPECT_EQ(result == 0, SameText(c.A, c.B));
  }
}

}  // namespace
}  // namespace tdialix
