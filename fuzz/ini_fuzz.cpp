// The settings and style files come from anywhere: whatever their bytes, reading
// gives a document, and a document written out reads back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/comma_text.h"
#include "base/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tdialix::TIniDocument doc = tdialix::TIniDocument::FromBytes(bytes);
  for (const std::wstring& section : doc.SectionNames()) {
    for (const std::wstring& value : doc.ReadList(section)) {
      const auto items = tdialix::SplitCommaText(value);
      if (tdialix::SplitCommaText(tdialix::JoinCommaText(items)) != items) std::abort();
    }
  }
  const std::wstring text = doc.Text();
  if (tdialix::TIniDocument::FromBytes(doc.ToBytes()).Text() != text) std::abort();
  return 0;
}
