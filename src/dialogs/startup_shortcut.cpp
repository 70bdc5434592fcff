#include "dialogs/startup_shortcut.h"

#include "base/text.h"

namespace tdialix {

namespace {

wchar_t FileNameChar(wchar_t c) { return c == L'/' ? L'\\' : FoldCase(c); }

}  // namespace

bool IsProgramTarget(std::wstring_view target, std::wstring_view programPath) {
  if (target.empty() || target.size() != programPath.size()) return false;
  for (size_t i = 0; i < target.size(); ++i) {
    if (FileNameChar(target[i]) != FileNameChar(programPath[i])) return false;
  }
  return true;
}

TShortcutState ShortcutState(bool exists, const std::optional<std::wstring>& target, std::wstring_view programPath) {
  if (!exists) return TShortcutState::ssMissing;
  if (!target) return TShortcutState::ssUnreadable;
  return IsProgramTarget(*target, programPath) ? TShortcutState::ssOwn : TShortcutState::ssForeign;
}

TShortcutPlan PlanStartupShortcut(bool create, TShortcutState state) {
  using enum TShortcutState;
  TShortcutPlan plan;
  if (create) {
    // A shortcut that already points to the program is left as it is; one
    // whose target cannot be read is written anew.
    plan.Write = state != ssOwn;
    if (state == ssForeign) plan.Question = TMsg::StartupShortcutOverwriteQuestion;
  } else {
    plan.Delete = state != ssMissing;
    if (state == ssForeign) plan.Question = TMsg::StartupShortcutDeleteQuestion;
  }
  return plan;
}

}  // namespace tdialix
