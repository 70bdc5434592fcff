// Comma lists as the platform library writes and reads them: commas and blanks
// separate items, double quotes group an item that may hold commas and blanks,
// and "" inside quotes is one quote. Two commas in a row give an empty item, and
// a comma at the very end gives a last empty item.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tdialix {

std::vector<std::wstring> SplitCommaText(std::wstring_view text);

// The inverse: items that are empty or hold blanks, commas or quotes are quoted.
std::wstring JoinCommaText(const std::vector<std::wstring>& items);

// One item in double quotes, inner quotes doubled: "say ""hi""".
std::wstring QuoteText(std::wstring_view item);

}  // namespace tdialix
