#include "style/font_check_win.h"

#include <windows.h>

#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

int CALLBACK FirstFontType(const LOGFONTW*, const TEXTMETRICW*, DWORD fontType, LPARAM result) {
  *reinterpret_cast<DWORD*>(result) = fontType;
  return 0;  // the first face decides
}

}  // namespace

bool IsOutlineFont(const std::wstring& fontName) {
  LOGFONTW font{};
  font.lfCharSet = DEFAULT_CHARSET;
  fontName.copy(font.lfFaceName, LF_FACESIZE - 1);
  TWindowDC screen(nullptr);
  DWORD fontType = TRUETYPE_FONTTYPE;
  ::EnumFontFamiliesExW(screen.Get(), &font, &FirstFontType, reinterpret_cast<LPARAM>(&fontType), 0);
  return (fontType & RASTER_FONTTYPE) == 0;
}

}  // namespace tdialix
