// A diagnostic trace of what the program does with the messages it is sent.
// It is written only when the environment variable TDIALIX_TRACE names a
// file, and then one line per event is appended; otherwise it costs a test.
// The whole-program tests read it.
#pragma once

#include <string_view>

namespace tdialix {

bool TraceEnabled();
void Trace(std::wstring_view line);

}  // namespace tdialix
