// A failure of the program as its report tells it: a C++ exception that
// reached a callback boundary (a window procedure, a hook, a plug-in call) or
// std::terminate, or a structured exception (an access violation, a stack
// overflow) that reached the last-chance filter. Here: the record, its text
// in the report, and what may still be saved after it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tdialix {

enum class TFailureKind { fkException, fkStructured };

// What a faulting instruction did with the address it could not use.
enum class TFaultAccess { faNone, faRead, faWrite, faExecute };

// The platform's exception codes the report names in words (the Win32 layer
// checks them against the platform's headers).
namespace faultcode {
inline constexpr std::uint32_t AccessViolation = 0xC0000005, InPageError = 0xC0000006,
                               IllegalInstruction = 0xC000001D, Noncontinuable = 0xC0000025,
                               ArrayBoundsExceeded = 0xC000008C, FloatDenormalOperand = 0xC000008D,
                               FloatDivideByZero = 0xC000008E, FloatInexactResult = 0xC000008F,
                               FloatInvalidOperation = 0xC0000090, FloatOverflow = 0xC0000091,
                               FloatStackCheck = 0xC0000092, FloatUnderflow = 0xC0000093,
                               IntDivideByZero = 0xC0000094, IntOverflow = 0xC0000095,
                               PrivilegedInstruction = 0xC0000096, StackOverflow = 0xC00000FD,
                               DatatypeMisalignment = 0x80000002, HeapCorruption = 0xC0000374,
                               StackBufferOverrun = 0xC0000409;
}

// What the system tells of a structured exception.
struct TStructuredFault {
  std::uint32_t Code = 0;
  // For access violations and in-page errors: what was done, and with which address.
  TFaultAccess Access = TFaultAccess::faNone;
  std::uint64_t AccessAddress = 0;
  // Where it happened, and the module that holds that place (empty: none does).
  std::uint64_t Address = 0;
  std::wstring Module;  // the module's file name
  std::uint64_t ModuleBase = 0;
  // Addresses are shown pointer-wide: 16 hexadecimal digits in the 64-bit
  // program, 8 in the 32-bit one.
  int PointerDigits = 16;
};

struct TFailure {
  TFailureKind Kind = TFailureKind::fkException;
  std::wstring Message;  // a C++ exception's message, as it came
  // What the program was doing (a plug-in and the call it was making); empty: nothing named.
  std::wstring Where;
  TStructuredFault Fault;  // a structured exception's facts
};

// The text on one line: every CR LF pair, lone CR and lone LF becomes one blank.
std::wstring OneLine(std::wstring_view text);

// A number in upper-case hexadecimal, zero-padded to the given number of digits.
std::wstring HexDigits(std::uint64_t value, int digits);

// A structured exception in words: its kind (for an access violation what was
// done with which address), its code in 8 digits and where it happened, as the
// module's file name and the offset into it, pointer-wide.
std::wstring StructuredFaultText(const TStructuredFault& fault);

// The exception text of the report, on one line: what the program was doing,
// then the exception's message or the structured exception in words.
std::wstring FailureText(const TFailure& failure);

// Whether the style and the settings are saved after a failure as closing
// saves them. Only after a C++ exception: a structured one may have damaged
// memory, and the files stay as last saved. And only when no style was being
// loaded or saved and no settings were being saved: their values may be half
// read or half written.
bool SavesAfterFailure(TFailureKind kind, bool styleBusy, bool settingsBusy);

}  // namespace tdialix
