#include "style/font_check_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tdialix {
namespace {

TEST(FontCheck, OutlineFonts) {
  EXPECT_TRUE(IsOutlineFont(L"MS UI Gothic"));
  EXPECT_TRUE(IsOutlineFont(L"IPAGothic"));
  // A name no font has: the font mapper substitutes an outline font.
  EXPECT_TRUE(IsOutlineFont(L"No Such Font Anywhere"));
  // Names longer than the face field are cut, not overrun.
  EXPECT_TRUE(IsOutlineFont(std::wstring(200, L'x')));
}

TEST(FontCheck, RasterFonts) {
  // The test prefix has no raster font of its own: Wine's Japanese "System"
  // font is added for this process only.
  const wchar_t* file = L"Z:\\usr\\share\\wine\\fonts\\jvgasys.fon";
  ASSERT_GT(::AddFontResourceExW(file, FR_PRIVATE, nullptr), 0);
  EXPECT_FALSE(IsOutlineFont(L"System"));
  ::RemoveFontResourceExW(file, FR_PRIVATE, nullptr);
}

}  // namespace
}  // namespace tdialix
