// Style files come from anywhere: whatever their bytes, reading gives a style
// and placement records, and the style writes out again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "style/style_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tdialix::TIniDocument doc = tdialix::TIniDocument::FromBytes(bytes);
  const tdialix::TFormatSettings formats;
  tdialix::TStyle style;
  tdialix::ReadStyle(doc, style, formats, [](const std::wstring&) { return true; });
  std::vector<tdialix::TPlacement> params;
  tdialix::ReadPositions(doc, params, size % 5);
  tdialix::TIniDocument out = doc;
  tdialix::WriteStyle(out, style, params, formats);
  return 0;
}
