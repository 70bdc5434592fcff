// Text forms of numbers in the settings and style files.
//
// Decimal separator: the files always use ".", whatever the user's locale, so
// that a file reads the same on every system and the comma stays free as the
// list separator. Reading also accepts "," in place of ".", so a file that
// another locale wrote with a decimal comma ("9,25") still loads.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tdialix {

// The "0.#" pattern: at most one decimal, rounded half away from zero on the
// number's 15-digit decimal form (1.45 gives "1.5", 2.0 gives "2").
std::wstring FormatFloatOneDecimal(double value);

// The same with up to `places` decimals ("0.##" for 2), trailing zeros left out.
std::wstring FormatFloatDecimals(double value, int places);

// The shortest general form with up to 15 significant digits: "9.25", "100",
// "1E20", "1E-7". Exponents are used below 1E-5 and from 1E15.
std::wstring FormatFloatGeneral(double value);

// The shortest plain decimal form with up to 15 significant digits, never an
// exponent: "0.3" for 0.1 + 0.2, "-12.5", "100", "0.0000001",
// "100000000000000000000". Every value shown in a number field takes it, so
// that the field can read it back.
std::wstring FormatFloatPlain(double value);

// A float: optional sign, digits with "." or "," as decimal separator, optional
// exponent; blanks around it are ignored. Anything else, or a value that is
// not finite, gives nothing.
std::optional<double> ParseFloat(std::wstring_view text);

// A 32-bit integer: optional sign and decimal digits, or hexadecimal after "$"
// or "0x" (taken as 32 unsigned bits). Blanks around it are ignored.
std::optional<std::int32_t> ParseInt(std::wstring_view text);

// A Boolean: an integer (0 false, anything else true) or "True"/"False".
std::optional<bool> ParseBool(std::wstring_view text);

}  // namespace tdialix
