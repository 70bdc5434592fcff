#include "base/comma_text.h"

#include <gtest/gtest.h>

namespace tdialix {
namespace {

using Items = std::vector<std::wstring>;

struct SplitCase {
  const wchar_t* Text;
  Items Expected;
};

TEST(CommaText, SplitsAsThePlatformLibraryDoes) {
  const SplitCase cases[] = {
      {L"", {}},
      {L"   ", {}},
      {L"a", {L"a"}},
      {L"a,b,c", {L"a", L"b", L"c"}},
      {L"a, b ,c", {L"a", L"b", L"c"}},              // blanks around commas vanish
      {L"a b", {L"a", L"b"}},                        // a blank alone separates too
      {L"a,,b", {L"a", L"", L"b"}},                  // two commas give an empty item
      {L",a", {L"", L"a"}},
      {L"a,", {L"a", L""}},                          // a comma at the end gives a last empty item
      {L"\"x y\",z", {L"x y", L"z"}},                // quotes group blanks ...
      {L"\"1,2\",3", {L"1,2", L"3"}},                // ... and commas
      {L"\"say \"\"hi\"\"\"", {L"say \"hi\""}},      // "" inside quotes is one quote
      {L"\"ab\"cd,e", {L"ab", L"cd", L"e"}},         // text after the closing quote starts a new item
      {L"\"open", {L"open"}},                        // an unclosed quote runs to the end
      {L"0,0, 1,0, 1,1,元日", {L"0", L"0", L"1", L"0", L"1", L"1", L"元日"}},
      {L"0,0,12,0,23,1,\"天皇 誕生日\"", {L"0", L"0", L"12", L"0", L"23", L"1", L"天皇 誕生日"}},
      {L"1.5,2.5,1", {L"1.5", L"2.5", L"1"}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(SplitCommaText(c.Text), c.Expected) << "text: " << c.Text;
}

TEST(CommaText, JoinedItemsSplitBackToThemselves) {
  const Items samples[] = {
      {L"a", L"b"},
      {L"", L"x y", L"1,2", L"say \"hi\""},
      {L"C:\\Program Files\\TDialix\\a.dlx", L"23:59:59"},
  };
  for (const Items& items : samples) EXPECT_EQ(SplitCommaText(JoinCommaText(items)), items);
  EXPECT_EQ(JoinCommaText({L"a", L"b c", L""}), L"a,\"b c\",\"\"");
  EXPECT_EQ(QuoteText(L"say \"hi\""), L"\"say \"\"hi\"\"\"");
}

}  // namespace
}  // namespace tdialix
