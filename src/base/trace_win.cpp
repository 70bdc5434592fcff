#include "base/trace_win.h"

#include <windows.h>

#include <string>

#include "base/text.h"
#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

const std::wstring& TracePath() {
  static const std::wstring path = [] {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TDIALIX_TRACE", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
  }();
  return path;
}

}  // namespace

bool TraceEnabled() { return !TracePath().empty(); }

void Trace(std::wstring_view line) {
  if (!TraceEnabled()) return;
  // Several processes of the program may append at once (a second start and
  // the running instance); one at a time, or lines get lost.
  TUniqueKernelHandle lock(::CreateMutexW(nullptr, FALSE, L"TeamOrvaneTDialix2Trace"));
  if (lock) ::WaitForSingleObject(lock.Get(), 5000);
  struct TRelease {
    HANDLE Mutex;
    ~TRelease() {
      if (Mutex) ::ReleaseMutex(Mutex);
    }
  } release{lock.Get()};
  TUniqueKernelHandle file(::CreateFileW(TracePath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string bytes = WideToUtf8(std::wstring(line) + L"\n");
  DWORD written = 0;
  ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace tdialix
