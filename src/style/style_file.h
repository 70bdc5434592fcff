// The style file: the style record's text form in an INI document.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "base/date_format.h"
#include "base/ini_document.h"
#include "style/placement.h"
#include "style/style.h"

namespace tdialix {

// A style file says "General"/"Version" = "TeamOrvaneTDialix2", exactly.
bool HasStyleVersion(const TIniDocument& document);

// Tells whether a font is an outline font; asked once per read, right after
// the smoothing flag.
using TIsTrueTypeFont = std::function<bool(const std::wstring& fontName)>;

// Reads the "Design" keys, the time slots and "CustomColors" into the style.
// Every missing or unreadable key gives its default; enumeration values out of
// their range count as unreadable.
void ReadStyle(const TIniDocument& document, TStyle& style, const TFormatSettings& formats,
               const TIsTrueTypeFont& isTrueTypeFont);

// Reads the "Position" entries in file order into the placement records: at
// least one record per monitor, missing values at their defaults, records
// beyond the file's entries reset to the default.
void ReadPositions(const TIniDocument& document, std::vector<TPlacement>& clockParams, std::size_t monitorCount);

// Writes the whole style; entries of the document that the style does not own
// stay, the time slot and position lists are replaced.
void WriteStyle(TIniDocument& document, const TStyle& style, const std::vector<TPlacement>& clockParams,
                const TFormatSettings& formats);

}  // namespace tdialix
