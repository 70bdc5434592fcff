// The start-up shortcut: "TDialix.lnk" in the user's Startup folder, which
// starts the program at log-on. Which shortcut is the program's own, and what
// creating or removing does with the one that is there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/messages.h"

namespace tdialix {

inline constexpr std::wstring_view kStartupShortcutName = L"TDialix.lnk";

// Whether a shortcut's target names the program file: the same path, letters
// in any case, "\" and "/" alike. An empty target names nothing.
bool IsProgramTarget(std::wstring_view target, std::wstring_view programPath);

enum class TShortcutState {
  ssMissing,
  ssOwn,         // points to the program
  ssUnreadable,  // cannot be loaded, resolved or read: taken as the program's own
  ssForeign,     // points elsewhere
};

// The state of the shortcut that is there; target is nothing when it could not be read.
TShortcutState ShortcutState(bool exists, const std::optional<std::wstring>& target, std::wstring_view programPath);

// What creating (create) or removing does with the shortcut that is there.
struct TShortcutPlan {
  std::optional<TMsg> Question;  // asked first, Yes/No with No as the default; No ends
  bool Write = false;
  bool Delete = false;
  bool operator==(const TShortcutPlan&) const = default;
};
TShortcutPlan PlanStartupShortcut(bool create, TShortcutState state);

}  // namespace tdialix
