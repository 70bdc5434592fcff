// The installed font families as the style editor lists them.
#pragma once

#include <vector>

#include "dialogs/style_edit_fields.h"

namespace tdialix {

// Every font family of the screen, with whether it is an outline font and
// whether it has a Shift-JIS face (for full-width digits).
std::vector<TFontListEntry> InstalledFontList();

}  // namespace tdialix
