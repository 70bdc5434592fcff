// The one source file that makes TDialixFaultTest.exe out of the program: the
// registered message "TDialixFaultTest", posted to the master window, makes
// the program fail in the way its WParam names, so that the whole-program
// tests can watch the failure report and the ending. Never shipped.
//   1  a C++ exception whose message holds a line break
//   2  a write through a null pointer (an access violation)
//   3  building the report fails, then a C++ exception
//   4  a stack overflow
//   5  an exception through a noexcept function (std::terminate)
#include <windows.h>

#include <climits>
#include <optional>
#include <stdexcept>

#include "app/master_window_win.h"
#include "components/error_dialog_win.h"

namespace tdialix {
namespace {

UINT FaultTestMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"TDialixFaultTest");
  return message;
}

// The optimiser deletes a plain store through a null pointer it can see, and
// a store nobody reads: both the pointer and the store are volatile.
void WriteThroughNull() {
  volatile int* volatile target = nullptr;
  *target = 1;
}

volatile int NeverReached = INT_MAX;

// Each frame keeps a kilobyte that the compiler cannot fold away.
int Recurse(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  if (depth == NeverReached) return frame[0];
  return Recurse(depth + 1) + frame[0];
}

void Throw(const char* text) { throw std::runtime_error(text); }

void ThrowThroughNoexcept() noexcept { Throw("TDialixFaultTest: an exception through a noexcept function"); }

std::optional<LRESULT> Provoke(TDialixMaster&, UINT message, WPARAM wParam, LPARAM) {
  if (message != FaultTestMessage()) return std::nullopt;
  switch (wParam) {
    case 1:
      throw std::runtime_error("TDialixFaultTest: a C++ exception\nwith a second line");
    case 2:
      WriteThroughNull();
      break;
    case 3:
      FailureReportBuildCheck = [] { throw std::runtime_error("the report could not be built"); };
      throw std::runtime_error("TDialixFaultTest: the report fails\r\nand its stand-in shows");
    case 4:
      Recurse(0);
      break;
    case 5:
      ThrowThroughNoexcept();
      break;
    default:
      break;
  }
  return 0;
}

const bool Installed = (MasterMessageHook = &Provoke, true);

}  // namespace
}  // namespace tdialix
