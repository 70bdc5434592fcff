// The style-file association, written by an elevated second instance of the
// program on behalf of the settings dialog.
#pragma once

#include <windows.h>

namespace tdialix {

// Registers (associate) or removes the association of ".dlx" files with the
// program; owner owns any message shown. True on success.
bool SetStyleFileAssociation(HWND owner, bool associate);

}  // namespace tdialix
