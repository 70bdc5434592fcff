// Small text helpers shared by every module: UTF conversions between the
// program's std::wstring (UTF-16 on Windows, UTF-32 natively) and byte forms,
// trimming and case-insensitive comparison.
#pragma once

#include <string>
#include <string_view>

namespace tdialix {

// UTF-16 code units to the platform's wide string. Surrogate pairs become one
// character where wchar_t is 32 bits; unpaired surrogates are kept as they are,
// so that nothing a file holds is lost on a round trip.
std::wstring Utf16ToWide(std::u16string_view units);
// The wide string as UTF-16 code units (characters above U+FFFF become pairs).
std::u16string WideToUtf16(std::wstring_view text);

// UTF-8 bytes to wide text; malformed sequences become U+FFFD.
std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);

// Characters up to the blank (controls included) are blanks for trimming and
// for comma lists, as the platform library's text rules have it.
constexpr bool IsBlank(wchar_t c) { return c <= L' '; }

std::wstring_view TrimView(std::wstring_view text);
std::wstring Trim(std::wstring_view text);

// Case-insensitive equality for section and key names. Only Latin letters fold;
// names in the program's files are ASCII.
wchar_t FoldCase(wchar_t c);
bool SameText(std::wstring_view a, std::wstring_view b);
// Below zero, zero or above zero as a sorts before, with or after b, letters
// folded as SameText folds them.
int CompareText(std::wstring_view a, std::wstring_view b);

}  // namespace tdialix
