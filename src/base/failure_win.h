// Where a failure goes: the boundary that keeps C++ exceptions from crossing
// a callback the system or a plug-in calls, and the program's one handler of
// failures (the master window's ApplicationException), which shows the
// failure report and ends the program.
//
//   LRESULT CALLBACK SomeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
//     return CallbackBoundary(LRESULT{0}, [&] { return Handle(window, message, wParam, lParam); });
//   }
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/failure.h"

namespace tdialix {

// Receives every failure that reaches a boundary or the last-chance filter.
using TFailureHandler = std::function<void(const TFailure& failure)>;
// The program's handler: the master window's while it lives; none: the last-resort one.
void SetApplicationExceptionHandler(TFailureHandler handler);
// The handler for failures while no application handler is set (before the
// master window exists and after it is gone).
void SetLastResortFailureHandler(TFailureHandler handler);

// Hands a failure to the handler. Nothing escapes.
void HandleFailure(const TFailure& failure) noexcept;

// Call from inside a catch block: hands the current exception to the handler.
// where names what the program was calling (a plug-in and its call); without
// it the innermost TFailureScope does.
void HandleCurrentException() noexcept;
void HandleCurrentException(std::wstring_view where) noexcept;

// The message of the exception being handled ("Unknown exception" for one
// that is no std::exception); call from inside a catch block.
std::wstring CurrentExceptionMessage();

// Names what the user-interface thread is doing while it lives (a plug-in
// and its call), so that a failure meanwhile, a structured one included, says
// so in the report. Scopes nest; the text is kept without allocating (the
// last-chance filter reads it), cut at 255 characters.
class TFailureScope {
 public:
  explicit TFailureScope(std::wstring_view what) noexcept;
  ~TFailureScope();
  TFailureScope(const TFailureScope&) = delete;
  TFailureScope& operator=(const TFailureScope&) = delete;

  // The innermost scope's text when the calling thread made it; empty otherwise.
  static std::wstring_view Current() noexcept;

 private:
  wchar_t Text[256] = {};
  unsigned long Thread = 0;
  TFailureScope* Outer = nullptr;
};

// Runs body and returns its result; a C++ exception goes to the handler and
// onFailure is returned instead. For every function the system calls back
// (window, dialog, subclass, hook and enumeration procedures).
template <class TResult, class TBody>
TResult CallbackBoundary(TResult onFailure, TBody&& body) noexcept {
  try {
    return body();
  } catch (...) {
    HandleCurrentException();
    return onFailure;
  }
}

}  // namespace tdialix
