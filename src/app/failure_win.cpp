#include "app/failure_win.h"

#include <atomic>
#include <cstdint>
#include <exception>
#include <iterator>

#include "base/failure_win.h"
#include "base/path.h"
#include "base/trace_win.h"
#include "components/error_dialog_win.h"

namespace tdialix {

static_assert(faultcode::AccessViolation == EXCEPTION_ACCESS_VIOLATION &&
              faultcode::InPageError == EXCEPTION_IN_PAGE_ERROR &&
              faultcode::IllegalInstruction == EXCEPTION_ILLEGAL_INSTRUCTION &&
              faultcode::Noncontinuable == EXCEPTION_NONCONTINUABLE_EXCEPTION &&
              faultcode::ArrayBoundsExceeded == EXCEPTION_ARRAY_BOUNDS_EXCEEDED &&
              faultcode::FloatDenormalOperand == EXCEPTION_FLT_DENORMAL_OPERAND &&
              faultcode::FloatDivideByZero == EXCEPTION_FLT_DIVIDE_BY_ZERO &&
              faultcode::FloatInexactResult == EXCEPTION_FLT_INEXACT_RESULT &&
              faultcode::FloatInvalidOperation == EXCEPTION_FLT_INVALID_OPERATION &&
              faultcode::FloatOverflow == EXCEPTION_FLT_OVERFLOW &&
              faultcode::FloatStackCheck == EXCEPTION_FLT_STACK_CHECK &&
              faultcode::FloatUnderflow == EXCEPTION_FLT_UNDERFLOW &&
              faultcode::IntDivideByZero == EXCEPTION_INT_DIVIDE_BY_ZERO &&
              faultcode::IntOverflow == EXCEPTION_INT_OVERFLOW &&
              faultcode::PrivilegedInstruction == EXCEPTION_PRIV_INSTRUCTION &&
              faultcode::StackOverflow == EXCEPTION_STACK_OVERFLOW &&
              faultcode::DatatypeMisalignment == EXCEPTION_DATATYPE_MISALIGNMENT &&
              faultcode::HeapCorruption == STATUS_HEAP_CORRUPTION &&
              faultcode::StackBufferOverrun == STATUS_STACK_BUFFER_OVERRUN);

namespace {

// Where the program stands with its one report.
enum TPhase : int { phRunning, phReporting, phEnding };
std::atomic<int> Phase{phRunning};
// The thread that shows the report.
std::atomic<DWORD> ReportThread{0};
// The fresh thread that shows a structured exception's report, which the
// faulting thread has claimed the report for.
std::atomic<DWORD> StructuredReportThread{0};
std::atomic<bool> StructuredReportTaken{false};

HANDLE InstanceMutex = nullptr;
DWORD InstanceMutexThread = 0;

// What the faulting thread leaves for the report's thread: plain values,
// nothing allocated (the heap may be what is damaged, and the stack may be
// nearly gone).
struct TRawFault {
  DWORD Code = 0;
  ULONG_PTR Address = 0;
  DWORD Parameters = 0;
  ULONG_PTR Information[2] = {};
  wchar_t Where[256] = {};
};
TRawFault RawFault;

void ReleaseInstanceMutex() {
  if (InstanceMutex && ::GetCurrentThreadId() == InstanceMutexThread) ::ReleaseMutex(InstanceMutex);
}

// A failure while the program ends, or one that leaves the reporting thread
// unable to go on: the process ends at once, with no second report.
[[noreturn]] void EndAtOnce() {
  ReleaseInstanceMutex();
  ::TerminateProcess(::GetCurrentProcess(), 1);
  for (;;) ::Sleep(INFINITE);
}

// The report is another thread's, and that thread ends the program: this one
// does nothing more.
[[noreturn]] void WaitForTheEnd() {
  for (;;) ::Sleep(INFINITE);
}

// The first failure claims the report; the ones after it are traced and
// ignored, and one while the program ends ends it at once.
bool ClaimReport(const TFailure& failure) {
  const DWORD self = ::GetCurrentThreadId();
  int expected = phRunning;
  if (Phase.compare_exchange_strong(expected, phReporting)) {
    ReportThread = self;
    return true;
  }
  if (expected == phReporting && self == StructuredReportThread && !StructuredReportTaken.exchange(true)) return true;
  if (expected == phEnding) EndAtOnce();
  Trace(L"failure-ignored " + FailureText(failure));
  return false;
}

// The end of the program after its report: with exit code 1. The thread of
// a structured exception's report leaves that to the faulting thread, which
// waits for it. After a structured exception no library's detach code runs
// (a faulting plug-in's least of all).
void EndProcess(TFailureKind kind) {
  Trace(L"failure-end");
  if (::GetCurrentThreadId() == StructuredReportThread) return;
  if (kind == TFailureKind::fkStructured) EndAtOnce();
  ReleaseInstanceMutex();
  ::ExitProcess(1);
}

TStructuredFault FaultOf(const TRawFault& raw) {
  TStructuredFault fault = StructuredFaultAt(raw.Code, raw.Address);
  if ((raw.Code == EXCEPTION_ACCESS_VIOLATION || raw.Code == EXCEPTION_IN_PAGE_ERROR) && raw.Parameters >= 2) {
    switch (raw.Information[0]) {
      case 0: fault.Access = TFaultAccess::faRead; break;
      case 1: fault.Access = TFaultAccess::faWrite; break;
      case 8: fault.Access = TFaultAccess::faExecute; break;
      default: break;
    }
    fault.AccessAddress = raw.Information[1];
  }
  return fault;
}

DWORD WINAPI StructuredReport(void*) {
  TFailure failure;
  failure.Kind = TFailureKind::fkStructured;
  failure.Where = RawFault.Where;
  failure.Fault = FaultOf(RawFault);
  HandleFailure(failure);
  return 0;
}

// On the faulting thread, with as little stack as may be left: the facts go
// to a fresh thread that shows the report, and the process ends after it.
LONG ReportStructuredException(const EXCEPTION_POINTERS* pointers) {
  const DWORD self = ::GetCurrentThreadId();
  int expected = phRunning;
  if (!Phase.compare_exchange_strong(expected, phReporting)) {
    // The thread that shows the report or ends the program cannot go on;
    // any other thread waits for that one to end the program.
    if (expected == phEnding || self == ReportThread) EndAtOnce();
    Trace(L"failure-ignored " + HexDigits(pointers->ExceptionRecord->ExceptionCode, 8));
    WaitForTheEnd();
  }
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  RawFault.Code = record.ExceptionCode;
  RawFault.Address = reinterpret_cast<ULONG_PTR>(record.ExceptionAddress);
  RawFault.Parameters = record.NumberParameters;
  for (DWORD i = 0; i < 2 && i < record.NumberParameters; ++i) RawFault.Information[i] = record.ExceptionInformation[i];
  const std::wstring_view where = TFailureScope::Current();
  where.copy(RawFault.Where, std::size(RawFault.Where) - 1);

  DWORD id = 0;
  const HANDLE thread = ::CreateThread(nullptr, 0, &StructuredReport, nullptr, CREATE_SUSPENDED, &id);
  if (thread) {
    StructuredReportThread = id;
    ReportThread = id;
    ::ResumeThread(thread);
    ::WaitForSingleObject(thread, INFINITE);
  }
  EndAtOnce();
}

LONG WINAPI LastChanceFilter(EXCEPTION_POINTERS* pointers) { return ReportStructuredException(pointers); }

// A stack overflow leaves too little stack for the way to the last-chance
// filter: it is taken at once.
LONG CALLBACK StackOverflowWatch(EXCEPTION_POINTERS* pointers) {
  if (pointers->ExceptionRecord->ExceptionCode != EXCEPTION_STACK_OVERFLOW) return EXCEPTION_CONTINUE_SEARCH;
  return ReportStructuredException(pointers);
}

[[noreturn]] void Terminated() {
  TFailure failure;
  failure.Where = TFailureScope::Current();
  failure.Message = L"std::terminate";
  if (std::current_exception()) {
    try {
      std::rethrow_exception(std::current_exception());
    } catch (...) {
      failure.Message = CurrentExceptionMessage();
    }
  }
  HandleFailure(failure);
  // Back here only when the failure was ignored: another thread's report
  // ends the program; a report of this thread's cannot go on.
  if (Phase == phReporting && ReportThread != ::GetCurrentThreadId()) WaitForTheEnd();
  EndAtOnce();
}

// Tells the system not to swallow exceptions where it offers that.
void KeepExceptionsFromCallbacks() {
  // Timer procedures (Windows 7 and later).
  BOOL suppress = FALSE;
  ::SetUserObjectInformationW(::GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppress,
                              sizeof suppress);
  // Window procedures entered from kernel callbacks (64-bit Windows 7 with
  // Service Pack 1; later systems do not swallow them).
  using TGetPolicy = BOOL(WINAPI*)(LPDWORD);
  using TSetPolicy = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kCallbackFilterEnabled = 0x1;  // PROCESS_CALLBACK_FILTER_ENABLED
  const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  const auto getPolicy = reinterpret_cast<TGetPolicy>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "GetProcessUserModeExceptionPolicy")));
  const auto setPolicy = reinterpret_cast<TSetPolicy>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetProcessUserModeExceptionPolicy")));
  DWORD flags = 0;
  if (getPolicy && setPolicy && getPolicy(&flags)) setPolicy(flags & ~kCallbackFilterEnabled);
}

}  // namespace

TStructuredFault StructuredFaultAt(std::uint32_t code, std::uintptr_t address) {
  TStructuredFault fault;
  fault.Code = code;
  fault.Address = address;
  fault.PointerDigits = static_cast<int>(sizeof(void*) * 2);
  HMODULE module = nullptr;
  if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(address), &module) &&
      module) {
    wchar_t path[MAX_PATH] = {};
    if (::GetModuleFileNameW(module, path, MAX_PATH)) {
      fault.Module = FileNameOf(path);
      fault.ModuleBase = reinterpret_cast<std::uintptr_t>(module);
    }
  }
  return fault;
}

void InstallFailureHandling() {
  std::set_terminate(&Terminated);
  ::SetUnhandledExceptionFilter(&LastChanceFilter);
  ::AddVectoredExceptionHandler(1, &StackOverflowWatch);
  // Room on this thread's stack for the watch's work after a stack overflow.
  ULONG guarantee = 32 * 1024;
  ::SetThreadStackGuarantee(&guarantee);
  KeepExceptionsFromCallbacks();
  // Before the master window exists and after it is gone, the report still shows.
  SetLastResortFailureHandler([](const TFailure& failure) { ReportFailureAndEnd(failure, TFailureSteps{}); });
}

void SetInstanceMutexForEnding(HANDLE mutex) {
  InstanceMutex = mutex;
  InstanceMutexThread = ::GetCurrentThreadId();
}

void ReportFailureAndEnd(const TFailure& failure, const TFailureSteps& steps) {
  if (!ClaimReport(failure)) return;
  bool ended = false;
  const auto end = [&] {
    if (ended) return;
    ended = true;
    Phase = phEnding;
    try {
      if (steps.AfterReport) steps.AfterReport(failure);
    } catch (...) {
      EndAtOnce();
    }
    EndProcess(failure.Kind);
  };
  try {
    if (steps.BeforeReport) steps.BeforeReport(failure);
    TFailureReportContext context;
    context.ApplicationTitle = steps.ApplicationTitle;
    context.ApplicationWindow = steps.ApplicationWindow;
    context.Ending = end;
    ShowFailureReport(&failure, context);
  } catch (...) {
    // The program ends all the same.
  }
  end();
}

}  // namespace tdialix
