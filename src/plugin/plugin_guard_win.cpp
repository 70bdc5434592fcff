// The frame around a plug-in call is the platform's structured exception
// handling, which the compiler does not offer in C++: on x86_64 a scope of
// the C runtime's handler in the function's unwind data, on i686 a record on
// the thread's handler chain. Both run the plug-in's own unwind handlers and
// land back in the guard, on a stack the plug-in no longer uses.
//
// This file is compiled without C++ exceptions: the guard's frame must carry
// no handler but its own.
#include "plugin/plugin_guard_win.h"

#include <csignal>

namespace tdialix {

namespace {

// The fault of the innermost guarded call on this thread, and how many
// guarded calls the thread is in.
thread_local TPluginCallFault* CurrentFault = nullptr;
thread_local bool CurrentFaulted = false;
thread_local int GuardDepth = 0;

void RecordFault(const EXCEPTION_RECORD* record) {
  if (CurrentFault) {
    CurrentFault->Code = record->ExceptionCode;
    CurrentFault->Address = reinterpret_cast<std::uintptr_t>(record->ExceptionAddress);
  }
  CurrentFaulted = true;
}

}  // namespace

}  // namespace tdialix

#if defined(__x86_64__)

// Called by __C_specific_handler while the exception is being dispatched,
// on whatever stack is left: it only takes note.
extern "C" LONG TDialixGuardFilter(EXCEPTION_POINTERS* pointers, void*) {
  tdialix::RecordFault(pointers->ExceptionRecord);
  return EXCEPTION_EXECUTE_HANDLER;
}

namespace tdialix {
namespace {

// The scope covers the call; its handler resumes right after it, with the
// registers the call preserves as they were, which is all the code after the
// call relies on.
__attribute__((noinline, noclone)) std::int32_t GuardedCall(TPluginProc proc, HWND window, std::int32_t call,
                                                            INT_PTR param) {
  std::int32_t result;
  __asm__ __volatile__(
      ".Ltdialix_guard_begin:\n\t"
      ".seh_handler __C_specific_handler, @except\n\t"
      ".seh_handlerdata\n\t"
      ".long 1\n\t"
      ".rva .Ltdialix_guard_begin, .Ltdialix_guard_end, TDialixGuardFilter, .Ltdialix_guard_end\n\t"
      ".text" ::: "memory");
  result = proc(window, call, param);
  __asm__ __volatile__("nop\n.Ltdialix_guard_end:\n\tnop" ::: "memory");
  return result;
}

}  // namespace
}  // namespace tdialix

#elif defined(__i386__)

namespace tdialix {
namespace {

// A handler record on the thread's chain (the system's part first), with
// what the handler needs to land back in the guard.
struct TGuardRecord {
  TGuardRecord* Next;
  void* Handler;
  void* Landing[5];  // __builtin_setjmp's buffer
};

}  // namespace
}  // namespace tdialix

// RtlUnwind runs the handlers of the records above the target with the
// unwinding flag and takes them off the chain; it does not keep ebx, esi and
// edi, so it is called through this frame, which does.
//   void TDialixUnwindTo(void* target, EXCEPTION_RECORD* record, void* rtlUnwind)
extern "C" void TDialixUnwindTo(void* target, EXCEPTION_RECORD* record, void* rtlUnwind);
__asm__(
    ".text\n"
    ".globl _TDialixUnwindTo\n"
    "_TDialixUnwindTo:\n\t"
    "pushl %ebp\n\t"
    "movl %esp, %ebp\n\t"
    "pushl %ebx\n\t"
    "pushl %esi\n\t"
    "pushl %edi\n\t"
    "pushl $0\n\t"          // ReturnValue
    "pushl 12(%ebp)\n\t"    // ExceptionRecord
    "pushl $0\n\t"          // TargetIp
    "pushl 8(%ebp)\n\t"     // TargetFrame
    "call *16(%ebp)\n\t"    // stdcall: it takes its arguments off the stack
    "popl %edi\n\t"
    "popl %esi\n\t"
    "popl %ebx\n\t"
    "popl %ebp\n\t"
    "ret\n");

extern "C" EXCEPTION_DISPOSITION __cdecl TDialixGuardHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
  tdialix::RecordFault(record);
  auto* guard = static_cast<tdialix::TGuardRecord*>(frame);
  TDialixUnwindTo(guard, record, reinterpret_cast<void*>(&::RtlUnwind));
  __builtin_longjmp(guard->Landing, 1);
}

namespace tdialix {
namespace {

__attribute__((noinline, noclone)) std::int32_t GuardedCall(TPluginProc proc, HWND window, std::int32_t call,
                                                            INT_PTR param) {
  TGuardRecord guard{};
  guard.Handler = reinterpret_cast<void*>(&TDialixGuardHandler);
  __asm__ __volatile__("movl %%fs:0, %0" : "=r"(guard.Next));
  if (__builtin_setjmp(guard.Landing) != 0) {
    // The handler took every record above ours off the chain; ours goes too.
    __asm__ __volatile__("movl %0, %%fs:0" ::"r"(guard.Next) : "memory");
    return 0;
  }
  __asm__ __volatile__("movl %0, %%fs:0" ::"r"(&guard) : "memory");
  const std::int32_t result = proc(window, call, param);
  __asm__ __volatile__("movl %0, %%fs:0" ::"r"(guard.Next) : "memory");
  return result;
}

}  // namespace
}  // namespace tdialix

#else
#error "plug-in calls are guarded on x86_64 and i686"
#endif

namespace tdialix {

namespace {

void __cdecl OnPluginAbort(int) {
  // Outside a plug-in call the runtime ends the program as it always does.
  if (GuardDepth > 0) ::RaiseException(kPluginAbortCode, EXCEPTION_NONCONTINUABLE, 0, nullptr);
}

using TSignalFunction = void(__cdecl*)(int);
using TSignal = TSignalFunction(__cdecl*)(int, TSignalFunction);

}  // namespace

bool CallPluginGuarded(TPluginProc proc, HWND window, std::int32_t call, INT_PTR param, std::int32_t& result,
                       TPluginCallFault& fault) {
  TPluginCallFault* const outerFault = CurrentFault;
  const bool outerFaulted = CurrentFaulted;
  fault = {};
  CurrentFault = &fault;
  CurrentFaulted = false;
  ++GuardDepth;
  const std::int32_t value = GuardedCall(proc, window, call, param);
  --GuardDepth;
  const bool faulted = CurrentFaulted;
  CurrentFault = outerFault;
  CurrentFaulted = outerFaulted;
  if (faulted) return false;
  result = value;
  return true;
}

void CatchPluginAborts() {
  std::signal(SIGABRT, &OnPluginAbort);
  if (const HMODULE universal = ::GetModuleHandleW(L"ucrtbase.dll")) {
    if (const auto universalSignal =
            reinterpret_cast<TSignal>(reinterpret_cast<void*>(::GetProcAddress(universal, "signal")))) {
      universalSignal(SIGABRT, &OnPluginAbort);
    }
  }
}

}  // namespace tdialix
