// The named block through which the program tells its hook library where to
// post what it sees: three 32-bit values, the same 12 bytes whether the
// program is 32-bit or 64-bit.
//
// A window handle is pointer-sized, but only its low 32 bits are significant,
// also on 64-bit Windows (that is how 32-bit and 64-bit programs share
// windows). The block keeps those bits, and the reader widens them again by
// sign extension, as the system does.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tdialix {

inline constexpr wchar_t HookBlockName[] = L"TeamOrvaneTDialix2Hook";

struct THookBlock {
  std::uint32_t Window;        // the window that gets the notifications
  std::uint32_t KeyMessage;    // posted for keyboard input (WParam = virtual key)
  std::uint32_t MouseMessage;  // posted for mouse input (WParam = mouse message)
};
static_assert(sizeof(THookBlock) == 12 && offsetof(THookBlock, KeyMessage) == 4 &&
              offsetof(THookBlock, MouseMessage) == 8);

// A window handle's value as the block stores it, and back.
constexpr std::uint32_t HookBlockWindow(std::uintptr_t handle) { return static_cast<std::uint32_t>(handle); }
constexpr std::uintptr_t HookBlockHandle(std::uint32_t window) {
  return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}

}  // namespace tdialix
