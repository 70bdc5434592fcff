#include "dialogs/font_list_win.h"

#include <windows.h>

#include <optional>
#include <string>

#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

int CALLBACK CollectName(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
  reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(font->lfFaceName);
  return 1;
}

int CALLBACK FirstFaceType(const LOGFONTW*, const TEXTMETRICW*, DWORD fontType, LPARAM result) {
  *reinterpret_cast<std::optional<DWORD>*>(result) = fontType;
  return 0;  // the first face decides
}

int CALLBACK CountFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return 1;
}

LOGFONTW FontOf(const std::wstring& name, BYTE charSet) {
  LOGFONTW font{};
  font.lfCharSet = charSet;
  name.copy(font.lfFaceName, LF_FACESIZE - 1);
  return font;
}

}  // namespace

std::vector<TFontListEntry> InstalledFontList() {
  const TWindowDC screen(nullptr);
  std::vector<std::wstring> enumerated;
  LOGFONTW all = FontOf(L"", DEFAULT_CHARSET);
  ::EnumFontFamiliesExW(screen.Get(), &all, &CollectName, reinterpret_cast<LPARAM>(&enumerated), 0);
  std::vector<TFontListEntry> fonts;
  for (std::wstring& name : FontListNames(enumerated)) {
    std::optional<DWORD> ansiType;
    LOGFONTW ansi = FontOf(name, ANSI_CHARSET);
    ::EnumFontFamiliesExW(screen.Get(), &ansi, &FirstFaceType, reinterpret_cast<LPARAM>(&ansiType), 0);
    int shiftJis = 0;
    LOGFONTW japanese = FontOf(name, SHIFTJIS_CHARSET);
    ::EnumFontFamiliesExW(screen.Get(), &japanese, &CountFace, reinterpret_cast<LPARAM>(&shiftJis), 0);
    const std::optional<bool> raster =
        ansiType ? std::optional<bool>((*ansiType & RASTER_FONTTYPE) != 0) : std::nullopt;
    fonts.push_back(FontListEntry(std::move(name), raster, shiftJis));
  }
  return fonts;
}

}  // namespace tdialix
