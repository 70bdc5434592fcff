#include "base/comma_text.h"

#include "base/text.h"

namespace tdialix {

std::vector<std::wstring> SplitCommaText(std::wstring_view text) {
  std::vector<std::wstring> items;
  size_t i = 0;
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && IsBlank(text[i])) ++i;
  };
  skipBlanks();
  while (i < n) {
    std::wstring item;
    if (text[i] == L'"') {
      ++i;
      while (i < n) {
        if (text[i] == L'"') {
          if (i + 1 < n && text[i + 1] == L'"') {
            item.push_back(L'"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item.push_back(text[i++]);
      }
    } else {
      const size_t start = i;
      while (i < n && !IsBlank(text[i]) && text[i] != L',') ++i;
      item.assign(text.substr(start, i - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (i < n && text[i] == L',') {
      ++i;
      if (i == n) items.emplace_back();
      skipBlanks();
    }
  }
  return items;
}

std::wstring QuoteText(std::wstring_view item) {
  std::wstring out;
  out.reserve(item.size() + 2);
  out.push_back(L'"');
  for (wchar_t c : item) {
    if (c == L'"') out.push_back(L'"');
    out.push_back(c);
  }
  out.push_back(L'"');
  return out;
}

std::wstring JoinCommaText(const std::vector<std::wstring>& items) {
  std::wstring out;
  for (size_t k = 0; k < items.size(); ++k) {
    if (k > 0) out.push_back(L',');
    const std::wstring& item = items[k];
    bool quote = item.empty();
    for (wchar_t c : item) quote = quote || IsBlank(c) || c == L',' || c == L'"';
    out += quote ? QuoteText(item) : item;
  }
  return out;
}

}  // namespace tdialix
