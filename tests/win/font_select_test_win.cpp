// The clock asks for its fonts by the names a Japanese Windows has. Under Wine
// the test prefix maps them to the IPA fonts; these tests prove that a font
// asked for by such a name draws the clock's characters.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/unique_handle_win.h"

namespace tdialix {
namespace {

struct SelectedFont {
  std::vector<std::uint32_t> Glyphs;  // a hash of each character's grey-level bitmap, 0 when empty
};

SelectedFont Probe(const wchar_t* face, std::wstring_view characters) {
  TUniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
  TUniqueFont font(::CreateFontW(-48, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face));
  TSelectObject select(dc.Get(), font.Get());
  SelectedFont result;
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  for (wchar_t c : characters) {
    GLYPHMETRICS metrics{};
    const DWORD size = ::GetGlyphOutlineW(dc.Get(), c, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
    std::vector<unsigned char> bits(size == GDI_ERROR ? 0 : size);
    if (!bits.empty()) ::GetGlyphOutlineW(dc.Get(), c, GGO_GRAY8_BITMAP, &metrics, size, bits.data(), &identity);
    std::uint32_t hash = 2166136261u;  // FNV-1a of the grey levels
    for (unsigned char b : bits) hash = (hash ^ b) * 16777619u;
    result.Glyphs.push_back(bits.empty() ? 0 : hash);
  }
  return result;
}

TEST(FontSelection, JapaneseUiFacesDrawWithTheIpaFonts) {
  const std::wstring_view characters = L"0123456789:.-時";
  const SelectedFont gothic = Probe(L"IPAGothic", characters);
  const SelectedFont pgothic = Probe(L"IPAPGothic", characters);
  for (std::uint32_t glyph : gothic.Glyphs) ASSERT_NE(glyph, 0u);
  const struct {
    const wchar_t* Face;
    const SelectedFont& Expected;
  } faces[] = {{L"MS UI Gothic", gothic}, {L"MS Gothic", gothic}, {L"Meiryo UI", gothic},
               {L"ＭＳ ゴシック", gothic}, {L"MS PGothic", pgothic}};
  for (const auto& face : faces) {
    // The same glyphs, byte for byte, as the IPA font asked for by its own name.
    EXPECT_EQ(Probe(face.Face, characters).Glyphs, face.Expected.Glyphs) << testing::PrintToString(face.Face);
  }
}

}  // namespace
}  // namespace tdialix
