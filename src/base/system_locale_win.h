// What the system says about the user's locale and about errors.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/date_format.h"
#include "base/date_time.h"

namespace tdialix {

// The user's date and time formats, day and month names, separators and AM/PM texts.
TFormatSettings SystemFormatSettings();

// Text in the system's ANSI code page (Shift-JIS on a Japanese system).
std::wstring AnsiToWide(std::string_view bytes);

// A system time as a date-time (0 for one that cannot be one).
TDateTime DateTimeOf(const SYSTEMTIME& time);
// And back, with the weekday of the date.
SYSTEMTIME SystemTimeOf(TDateTime value);
// The local time now.
TDateTime LocalNow();

// The system's message for an error code, without the trailing line break;
// "Error <code>" when the system has none (COM results in hexadecimal).
std::wstring SystemErrorText(DWORD code);

}  // namespace tdialix
