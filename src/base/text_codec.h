// Byte forms of the program's text files. Reading recognises a byte order mark
// (UTF-16 LE, UTF-16 BE, UTF-8); text without one is UTF-8 when it is
// well-formed UTF-8 beyond ASCII, and otherwise in the system's ANSI code page,
// which only the platform can decode, so the caller supplies that step.
// Writing is always UTF-16 LE with a byte order mark.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tdialix {

enum class TTextEncoding { teAnsi, teUtf8, teUtf16LE, teUtf16BE };

// Decodes text in the system's ANSI code page (Shift-JIS on a Japanese system).
using TAnsiDecoder = std::function<std::wstring(std::string_view bytes)>;

struct TDecodedText {
  std::wstring Text;
  TTextEncoding Encoding = TTextEncoding::teAnsi;
};

// Never fails: an odd trailing byte of UTF-16 text and malformed UTF-8 after a
// mark become U+FFFD. Without an ANSI decoder, unmarked bytes that are not
// UTF-8 are taken as Latin-1.
TDecodedText DecodeText(std::string_view bytes, const TAnsiDecoder& ansi = {});

// UTF-16 LE with a byte order mark.
std::string EncodeUtf16LeWithBom(std::wstring_view text);

}  // namespace tdialix
