// TDialix.dll: low-level mouse and keyboard hooks that tell the clock about
// every input event of the desktop, so that it can fade or step aside when the
// mouse comes near and react to the Ctrl key even while it is not focused.
//
// The program loads this library, calls StartHook on the thread that pumps its
// messages (low-level hooks run on that thread), then creates the shared block
// "TeamOrvaneTDialix2Hook" and fills it with its window and the two
// notification message numbers. The block is filled after StartHook returns,
// so it is looked up lazily, from inside the hook procedures; until it exists
// and names a window, events are only passed on.
//
// Everything here runs on every input event of the desktop: the hook
// procedures read the block, post one message and pass the event on, nothing
// more.
#include <windows.h>

#include <cstdint>

#include "base/hook_block.h"

namespace {

using tdialix::HookBlockHandle;
using tdialix::HookBlockName;
using tdialix::THookBlock;

// The handles live from StartHook (or from the first event that finds the
// block) to EndHook; the hooks call in on the thread that called StartHook, so
// none of this is shared between threads.
HINSTANCE Instance = nullptr;
HHOOK MouseHook = nullptr;
HHOOK KeyboardHook = nullptr;
HANDLE BlockMapping = nullptr;
const volatile THookBlock* Block = nullptr;

// Which keys are down, by the virtual key the hook reports (left and right
// Ctrl apart), for the "previous key state" bit: the system repeats a held
// key as further key-downs.
bool KeyIsDown[256] = {};

// Wine does not set LLKHF_ALTDOWN, so Alt being held is also read off the
// table (after the current event is entered, as Alt's own key-down counts).
bool AltIsDown() { return KeyIsDown[VK_MENU] || KeyIsDown[VK_LMENU] || KeyIsDown[VK_RMENU]; }

// Bits of the key flags, laid out as in WM_KEYDOWN's LParam.
constexpr std::uint32_t RepeatCountOne = 1;
constexpr int ScanCodeShift = 16;
constexpr std::uint32_t ExtendedKeyBit = 1u << 24;
constexpr std::uint32_t ContextCodeBit = 1u << 29;   // Alt held
constexpr std::uint32_t PreviousStateBit = 1u << 30;  // the key was already down
constexpr std::uint32_t TransitionBit = 1u << 31;     // the key is being released

void ReleaseBlock() {
  if (Block) ::UnmapViewOfFile(const_cast<const THookBlock*>(Block));
  Block = nullptr;
  if (BlockMapping) ::CloseHandle(BlockMapping);
  BlockMapping = nullptr;
}

// Where the notifications go, as the block says at this moment.
struct TTarget {
  HWND Window = nullptr;  // nullptr while the program has not published one
  UINT KeyMessage = 0;
  UINT MouseMessage = 0;
};

// Once the block is found its view stays mapped (the program may still be
// filling it in) and is read afresh on every event.
TTarget CurrentTarget() {
  if (!Block) {
    BlockMapping = ::OpenFileMappingW(FILE_MAP_READ, FALSE, HookBlockName);
    if (!BlockMapping) return {};
    Block = static_cast<const THookBlock*>(::MapViewOfFile(BlockMapping, FILE_MAP_READ, 0, 0, sizeof(THookBlock)));
    if (!Block) {
      ReleaseBlock();
      return {};
    }
  }
  return {reinterpret_cast<HWND>(HookBlockHandle(Block->Window)), Block->KeyMessage, Block->MouseMessage};
}

// WM_KEYDOWN and friends report Shift, Ctrl and Alt without telling left from
// right (the extended-key bit does that); the low-level hook reports them apart.
WPARAM MessageVirtualKey(DWORD vk) {
  switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return vk;
  }
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const TTarget target = CurrentTarget();
    if (target.Window) ::PostMessageW(target.Window, target.MouseMessage, wParam, 0);
  }
  return ::CallNextHookEx(MouseHook, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool up = (event.flags & LLKHF_UP) != 0;
    bool& down = KeyIsDown[event.vkCode & 0xFF];
    // A key-up always follows a key that was down, as in WM_KEYUP.
    const bool wasDown = up || down;
    down = !up;

    const TTarget target = CurrentTarget();
    if (target.Window) {
      std::uint32_t flags = RepeatCountOne | (event.scanCode & 0xFF) << ScanCodeShift;
      if (event.flags & LLKHF_EXTENDED) flags |= ExtendedKeyBit;
      if ((event.flags & LLKHF_ALTDOWN) || AltIsDown()) flags |= ContextCodeBit;
      if (wasDown) flags |= PreviousStateBit;
      if (up) flags |= TransitionBit;
      ::PostMessageW(target.Window, target.KeyMessage, MessageVirtualKey(event.vkCode), static_cast<LPARAM>(flags));
    }
  }
  return ::CallNextHookEx(KeyboardHook, code, wParam, lParam);
}

void RemoveHooks() {
  if (MouseHook) ::UnhookWindowsHookEx(MouseHook);
  MouseHook = nullptr;
  if (KeyboardHook) ::UnhookWindowsHookEx(KeyboardHook);
  KeyboardHook = nullptr;
}

}  // namespace

// Installs both hooks on the calling thread, which must pump messages. Nonzero
// when they are in place (also when they already were).
extern "C" __declspec(dllexport) BOOL WINAPI StartHook() {
  if (MouseHook && KeyboardHook) return TRUE;
  for (bool& down : KeyIsDown) down = false;
  MouseHook = ::SetWindowsHookExW(WH_MOUSE_LL, MouseProc, Instance, 0);
  KeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, Instance, 0);
  if (MouseHook && KeyboardHook) return TRUE;
  RemoveHooks();
  return FALSE;
}

// Removes the hooks and lets go of the shared block.
extern "C" __declspec(dllexport) void WINAPI EndHook() {
  RemoveHooks();
  ReleaseBlock();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    Instance = instance;
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
    // Unloaded without EndHook: hooks left behind would call into freed code
    // on the next input event. (At process exit the system cleans up.)
    EndHook();
  }
  return TRUE;
}
