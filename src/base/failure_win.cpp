#include "base/failure_win.h"

#include <windows.h>

#include <exception>

#include "base/text.h"

namespace tdialix {

namespace {

TFailureHandler& ApplicationHandler() {
  static TFailureHandler handler;
  return handler;
}

TFailureHandler& LastResortHandler() {
  static TFailureHandler handler;
  return handler;
}

// The innermost scope; scopes live on the user-interface thread's stack.
TFailureScope* Innermost = nullptr;

}  // namespace

void SetApplicationExceptionHandler(TFailureHandler handler) { ApplicationHandler() = std::move(handler); }

void SetLastResortFailureHandler(TFailureHandler handler) { LastResortHandler() = std::move(handler); }

void HandleFailure(const TFailure& failure) noexcept {
  try {
    if (ApplicationHandler()) {
      ApplicationHandler()(failure);
    } else if (LastResortHandler()) {
      LastResortHandler()(failure);
    }
  } catch (...) {
    // The handler itself failed: nothing more can be reported.
  }
}

std::wstring CurrentExceptionMessage() {
  try {
    throw;
  } catch (const std::exception& e) {
    return Utf8ToWide(e.what());
  } catch (...) {
    return L"Unknown exception";
  }
}

void HandleCurrentException() noexcept { HandleCurrentException(TFailureScope::Current()); }

void HandleCurrentException(std::wstring_view where) noexcept {
  try {
    TFailure failure;
    failure.Kind = TFailureKind::fkException;
    failure.Message = CurrentExceptionMessage();
    failure.Where = where;
    HandleFailure(failure);
  } catch (...) {
    // Not even the record could be made: nothing can be reported.
  }
}

TFailureScope::TFailureScope(std::wstring_view what) noexcept
    : Thread(::GetCurrentThreadId()), Outer(Innermost) {
  const size_t length = what.size() < 255 ? what.size() : 255;
  what.copy(Text, length);
  Text[length] = L'\0';
  Innermost = this;
}

TFailureScope::~TFailureScope() { Innermost = Outer; }

std::wstring_view TFailureScope::Current() noexcept {
  const TFailureScope* scope = Innermost;
  return scope && scope->Thread == ::GetCurrentThreadId() ? std::wstring_view(scope->Text) : std::wstring_view();
}

}  // namespace tdialix
