#include "base/failure.h"

#include "base/messages.h"

namespace tdialix {

namespace {

// The kind's words for a code; the access violation's depend on what was done.
TMsg FaultKindText(const TStructuredFault& fault) {
  using namespace faultcode;
  switch (fault.Code) {
    case AccessViolation:
      switch (fault.Access) {
        case TFaultAccess::faRead: return TMsg::FaultAccessRead;
        case TFaultAccess::faWrite: return TMsg::FaultAccessWrite;
        case TFaultAccess::faExecute: return TMsg::FaultAccessExecute;
        case TFaultAccess::faNone: return TMsg::FaultAccessViolation;
      }
      return TMsg::FaultAccessViolation;
    case InPageError: return TMsg::FaultInPageError;
    case StackOverflow: return TMsg::FaultStackOverflow;
    case IntDivideByZero: return TMsg::FaultIntDivideByZero;
    case IntOverflow: return TMsg::FaultIntOverflow;
    case FloatDivideByZero: return TMsg::FaultFloatDivideByZero;
    case FloatOverflow: return TMsg::FaultFloatOverflow;
    case FloatUnderflow: return TMsg::FaultFloatUnderflow;
    case FloatInvalidOperation: return TMsg::FaultFloatInvalid;
    case FloatDenormalOperand:
    case FloatInexactResult:
    case FloatStackCheck: return TMsg::FaultFloatOther;
    case IllegalInstruction: return TMsg::FaultIllegalInstruction;
    case PrivilegedInstruction: return TMsg::FaultPrivilegedInstruction;
    case ArrayBoundsExceeded: return TMsg::FaultArrayBounds;
    case DatatypeMisalignment: return TMsg::FaultMisalignment;
    case Noncontinuable: return TMsg::FaultNoncontinuable;
    case HeapCorruption: return TMsg::FaultHeapCorruption;
    case StackBufferOverrun: return TMsg::FaultStackBufferOverrun;
    default: return TMsg::FaultUnknown;
  }
}

}  // namespace

std::wstring OneLine(std::wstring_view text) {
  std::wstring line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') {
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
      line += L' ';
    } else if (text[i] == L'\n') {
      line += L' ';
    } else {
      line += text[i];
    }
  }
  return line;
}

std::wstring HexDigits(std::uint64_t value, int digits) {
  std::wstring text;
  do {
    text.insert(text.begin(), L"0123456789ABCDEF"[value % 16]);
    value /= 16;
  } while (value != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<size_t>(digits) - text.size(), L'0');
  return text;
}

std::wstring StructuredFaultText(const TStructuredFault& fault) {
  const int width = fault.PointerDigits;
  const std::wstring kind = FormatText(MessageText(FaultKindText(fault)), {HexDigits(fault.AccessAddress, width)});
  // A place inside a module is named by the module and the offset, which stay
  // the same wherever the system loads it.
  const std::wstring place = fault.Module.empty() || fault.Address < fault.ModuleBase
                                 ? HexDigits(fault.Address, width)
                                 : fault.Module + L"+" + HexDigits(fault.Address - fault.ModuleBase, width);
  return FormatText(MessageText(TMsg::FaultDescription), {kind, HexDigits(fault.Code, 8), place});
}

std::wstring FailureText(const TFailure& failure) {
  std::wstring text = failure.Kind == TFailureKind::fkStructured ? StructuredFaultText(failure.Fault)
                                                                : OneLine(failure.Message);
  if (!failure.Where.empty()) text = OneLine(failure.Where) + L": " + text;
  return text;
}

bool SavesAfterFailure(TFailureKind kind, bool styleBusy, bool settingsBusy) {
  return kind == TFailureKind::fkException && !styleBusy && !settingsBusy;
}

}  // namespace tdialix
