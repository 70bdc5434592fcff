#include "base/system_locale_win.h"

#include <gtest/gtest.h>

#include "base/ini_document.h"

namespace tdialix {
namespace {

// The tests run with a Japanese locale, as on a Japanese Windows.
TEST(SystemLocale, IsThatOfAJapaneseSystem) {
  const TFormatSettings s = SystemFormatSettings();
  EXPECT_EQ(s.LongTimeFormat, L"H:mm:ss");
  // Windows writes "yyyy'年'M'月'd'日'", Wine appends the weekday; both start alike.
  EXPECT_EQ(FormatLocalePattern(s.LongDateFormat, *TryEncodeDate(2026, 12, 9), s).substr(0, 10), L"2026年12月9日");
  EXPECT_EQ(s.ShortDayNames[0], L"日");
  EXPECT_EQ(s.LongDayNames[6], L"土曜日");
  EXPECT_EQ(::GetACP(), 932u);

  const double date = *TryEncodeDateTime({2026, 12, 9}, {7, 5, 3, 0});
  EXPECT_EQ(FormatDateTime(L"", date, s), FormatLocalePattern(s.LongDateFormat, date, s));
  EXPECT_EQ(FormatTimeText(date, s), L"7:05:03");
  EXPECT_EQ(FormatDateTime(L"yyyy/mm/dd' ('ddd')'", date, s), L"2026/12/09 (水)");
}

TEST(SystemLocale, UnmarkedFilesReadAsShiftJis) {
  EXPECT_EQ(AnsiToWide("\x8E\x9E\x8C\x76"), L"時計");
  const TIniDocument doc = TIniDocument::FromBytes("[Holidays]\r\n0,0, 1,0, 1,1,\x8C\xB3\x93\xFA\r\n", AnsiToWide);
  EXPECT_EQ(doc.ReadList(L"Holidays"), std::vector<std::wstring>{L"0,0, 1,0, 1,1,元日"});
}

TEST(SystemLocale, ErrorTextsComeFromTheSystem) {
  const std::wstring text = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text, SystemErrorText(ERROR_ACCESS_DENIED));
}

}  // namespace
}  // namespace tdialix
