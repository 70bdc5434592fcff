// What the system's fonts are.
#pragma once

#include <string>

namespace tdialix {

// Whether the first face the screen enumerates for the name is an outline
// font (raster fonts are drawn without smoothing). A name that no installed
// font has counts as an outline font: the font mapper then picks an outline
// substitute.
bool IsOutlineFont(const std::wstring& fontName);

}  // namespace tdialix
