#include "base/messages.h"

#include <gtest/gtest.h>

#include "base/comma_text.h"

namespace tdialix {
namespace {

TEST(Messages, FormatFillsDirectivesInOrder) {
  EXPECT_EQ(FormatText(MessageText(TMsg::MonitorName), {std::int64_t{1}, std::wstring(L"Generic PnP")}),
            L"(1) Generic PnP");
  EXPECT_EQ(FormatText(L"/associate:%d,%.8d", {std::int64_t{1}, std::int64_t{4242}}), L"/associate:1,00004242");
  EXPECT_EQ(FormatText(L"%08d|%d|%%", {std::int64_t{-42}, std::int64_t{7}}), L"-00000042|7|%");
  EXPECT_EQ(FormatText(MessageText(TMsg::SettingsSaveFailed), {std::wstring(L"C:\\a.ini"), std::wstring(L"拒否")}),
            L"設定ファイルを 'C:\\a.ini' に保存できませんでした。\r\n拒否");
}

TEST(Messages, HexadecimalIsLowerCaseWithItsWidth) {
  EXPECT_EQ(FormatText(L"#%.2x%.2x%.2x", {std::int64_t{255}, std::int64_t{0}, std::int64_t{10}}), L"#ff000a");
  EXPECT_EQ(FormatText(L"%x|%08x", {std::int64_t{0xBEEF}, std::int64_t{-1}}), L"beef|ffffffff");
}

TEST(Messages, ArgumentTextIsNeverReadAsADirective) {
  EXPECT_EQ(FormatText(L"'%s' %s", {std::wstring(L"100%s%d.dlx")}), L"'100%s%d.dlx' ");
  EXPECT_EQ(FormatText(L"%d %s", {std::wstring(L"text"), std::int64_t{3}}), L" ");  // mismatched kinds give nothing
  EXPECT_EQ(FormatText(L"50% off %", {}), L"50% off %");
}

TEST(Messages, DefaultHolidayTableHasSixteenRulesOfSevenFields) {
  const std::wstring_view table = MessageText(TMsg::DefaultHolidays);
  size_t count = 0;
  for (size_t start = 0; start <= table.size();) {
    size_t end = table.find(L"\r\n", start);
    if (end == std::wstring_view::npos) end = table.size();
    EXPECT_EQ(SplitCommaText(table.substr(start, end - start)).size(), 7u);
    ++count;
    start = end + 2;
  }
  EXPECT_EQ(count, 16u);
}

}  // namespace
}  // namespace tdialix
