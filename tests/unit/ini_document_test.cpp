#include "base/ini_document.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace tdialix {
namespace {

using Lines = std::vector<std::wstring>;

const wchar_t kSettings[] =
    L"; written by hand\r\n"
    L"[General]\r\n"
    L"Version=TeamOrvaneTDialix2\r\n"
    L"  FontName =  MS UI Gothic  \r\n"
    L"\r\n"
    L"[Holidays]\n"
    L"0,0, 1,0, 1,1,元日\n"
    L"Holiday2=0,1, 1,2, 1,1,成人の日\n"
    L"; a comment is not a list entry\n"
    L"Holiday9=0,0,5,0,3,1,\"a=b\"\r"
    L"[Custom]\r\n"
    L"Mine=kept\r\n"
    L"[general]\r\n"
    L"Extra=1\r\n";

TEST(IniDocument, FindsSectionsAndKeysWithoutRegardToCase) {
  const TIniDocument doc = TIniDocument::Parse(kSettings);
  EXPECT_EQ(doc.Read(L"GENERAL", L"version"), L"TeamOrvaneTDialix2");
  EXPECT_EQ(doc.Read(L"general", L"FONTNAME"), L"MS UI Gothic");  // both sides trimmed
  EXPECT_EQ(doc.Read(L"General", L"Extra"), L"1");                 // a repeated header continues the section
  EXPECT_EQ(doc.Read(L"General", L"Missing"), std::nullopt);
  EXPECT_EQ(doc.Read(L"Nowhere", L"Version"), std::nullopt);
  EXPECT_EQ(doc.ReadString(L"Nowhere", L"Version", L"fallback"), L"fallback");
  EXPECT_EQ(doc.SectionNames(), (Lines{L"General", L"Holidays", L"Custom"}));
  EXPECT_EQ(doc.Keys(L"general"), (Lines{L"Version", L"FontName", L"Extra"}));
}

TEST(IniDocument, ListSectionsGiveEveryEntryInFileOrderWhateverItsKey) {
  const TIniDocument doc = TIniDocument::Parse(kSettings);
  EXPECT_EQ(doc.ReadList(L"holidays"),
            (Lines{L"0,0, 1,0, 1,1,元日", L"0,1, 1,2, 1,1,成人の日", L"0,0,5,0,3,1,\"a=b\""}));
  EXPECT_TRUE(doc.ReadList(L"Nowhere").empty());
  // Where only keyed entries count, a line without a key keeps its place but no value.
  EXPECT_EQ(doc.ReadValues(L"Holidays"), (Lines{L"", L"0,1, 1,2, 1,1,成人の日", L"0,0,5,0,3,1,\"a=b\""}));
  EXPECT_TRUE(doc.ReadValues(L"Nowhere").empty());
}

TEST(IniDocument, RewritingKeepsWhatItDoesNotKnow) {
  TIniDocument doc = TIniDocument::Parse(kSettings);
  doc.Write(L"general", L"FONTNAME", L"IPAGothic");
  doc.Write(L"Design", L"FontSize", L"9.25");
  const TIniDocument again = TIniDocument::Parse(doc.Text());
  EXPECT_EQ(again.Read(L"Custom", L"Mine"), L"kept");
  EXPECT_EQ(again.Read(L"General", L"FontName"), L"IPAGothic");
  EXPECT_EQ(again.Read(L"Design", L"FontSize"), L"9.25");
  EXPECT_EQ(again.Keys(L"General"), (Lines{L"Version", L"FONTNAME", L"Extra"}));  // replaced in place, as spelled
  EXPECT_NE(doc.Text().find(L"; written by hand\r\n"), std::wstring::npos);
  EXPECT_NE(doc.Text().find(L"; a comment is not a list entry\r\n"), std::wstring::npos);
  EXPECT_EQ(doc.Text().find(L'\n', 0), doc.Text().find(L"\r\n") + 1);  // CR LF line ends
}

TEST(IniDocument, ListsAreErasedAndRewrittenWithNumberedKeys) {
  TIniDocument doc = TIniDocument::Parse(kSettings);
  doc.WriteList(L"HOLIDAYS", L"Holiday", {L"a", L"b"});
  EXPECT_EQ(doc.Keys(L"Holidays"), (Lines{L"Holiday1", L"Holiday2"}));
  EXPECT_EQ(doc.ReadList(L"Holidays"), (Lines{L"a", L"b"}));

  doc.EraseSection(L"custom");
  EXPECT_FALSE(doc.HasSection(L"Custom"));
  EXPECT_TRUE(doc.DeleteKey(L"General", L"EXTRA"));
  EXPECT_FALSE(doc.DeleteKey(L"General", L"Extra"));
  EXPECT_EQ(doc.Read(L"General", L"Extra"), std::nullopt);
}

TEST(IniDocument, AValueCannotAddLinesToTheFile) {
  TIniDocument doc;
  doc.Write(L"General", L"Name", L"a\r\n[Evil]\r\nKey=1");
  const TIniDocument again = TIniDocument::Parse(doc.Text());
  EXPECT_FALSE(again.HasSection(L"Evil"));
  EXPECT_EQ(again.Read(L"General", L"Name"), L"a  [Evil]  Key=1");
}

TEST(IniDocument, ReadsAndWritesBytesWithTheMarks) {
  TIniDocument doc;
  doc.Write(L"General", L"Name", L"時計");
  const std::string bytes = doc.ToBytes();
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(TIniDocument::FromBytes(bytes).Read(L"general", L"name"), L"時計");

  // A UTF-16 BE file reads the same as its UTF-16 LE twin.
  std::string bigEndian = "\xFE\xFF";
  for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
    bigEndian += bytes[i + 1];
    bigEndian += bytes[i];
  }
  EXPECT_EQ(TIniDocument::FromBytes(bigEndian).Text(), TIniDocument::FromBytes(bytes).Text());
}

TEST(IniDocument, HostileTextGivesADocument) {
  // A line without a closing bracket, an empty name, NULs, a huge line.
  std::wstring text = L"[Open\r\n=no key\r\n[]\r\nA=1\r\n";
  text += std::wstring(L"B=x\0y\r\n", 7);
  text += L"[Big]\r\nLong=" + std::wstring(1 << 20, L'z') + L"\r\n";
  const TIniDocument doc = TIniDocument::Parse(text);
  EXPECT_EQ(doc.Read(L"Open", L""), L"no key");
  EXPECT_EQ(doc.Read(L"", L"A"), L"1");
  EXPECT_EQ(doc.Read(L"", L"B"), std::wstring(L"x\0y", 3));
  EXPECT_EQ(doc.Read(L"Big", L"Long")->size(), 1u << 20);
}

}  // namespace
}  // namespace tdialix

namespace tdialix {
namespace {

TEST(IniDocument, ParsesAFiftyMegabyteFile) {
  std::string bytes = "\xFF\xFE";
  bytes.reserve(50u << 20);
  auto append = [&bytes](std::u16string_view units) {
    for (char16_t u : units) {
      bytes += static_cast<char>(u & 0xFF);
      bytes += static_cast<char>(u >> 8);
    }
  };
  append(u"[S]\r\n");
  while (bytes.size() < (50u << 20)) append(u"Key=値の行\r\n");
  const TIniDocument doc = TIniDocument::FromBytes(bytes);
  EXPECT_EQ(doc.Read(L"S", L"Key"), L"値の行");
  EXPECT_GT(doc.ReadList(L"S").size(), 2'000'000u);
}

}  // namespace
}  // namespace tdialix
