// Style files come from anywhere: whatever their bytes, reading gives a style
// and placement records, the style editor shows it and stores it back, and
// the style writes out again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dialogs/style_edit_fields.h"
#include "style/style_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tdialix::TIniDocument doc = tdialix::TIniDocument::FromBytes(bytes);
  const tdialix::TFormatSettings formats;
  tdialix::TStyle style;
  tdialix::ReadStyle(doc, style, formats, [](const std::wstring&) { return true; });
  std::vector<tdialix::TPlacement> params;
  tdialix::ReadPositions(doc, params, size % 5);
  const std::vector<tdialix::TFontListEntry> fonts{{L"MS UI Gothic", true, true}};
  const tdialix::TStyleEditFields fields = tdialix::StyleEditFields(style, fonts, L"MS UI Gothic");
  tdialix::TStyleEditFields changed = fields;
  changed.FontWidth = 1 - fields.FontWidth;
  changed.OuterFrameTransparent = 100 - fields.OuterFrameTransparent;
  (void)tdialix::StoreStyleEditFields(changed, fields, style, fonts);
  (void)tdialix::StyleEditRules(fields, &fonts[0], 16);
  if (const auto colors = tdialix::CustomColorsOf(style.CustomColors)) (void)tdialix::CustomColorsText(*colors);
  tdialix::TIniDocument out = doc;
  tdialix::WriteStyle(out, style, params, formats);
  return 0;
}
