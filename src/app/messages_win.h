// The master window's private messages. The numbers are fixed: other
// processes of the program, the hook library and plug-ins post them.
#pragma once

#include <windows.h>

namespace tdialix {

inline constexpr UINT WM_DIALIX_INIT = 0x8001;
inline constexpr UINT WM_DIALIX_SETTINGS = 0x8002;
inline constexpr UINT WM_DIALIX_CLOSE = 0x8003;
inline constexpr UINT WM_DIALIX_LOADSTYLE = 0x800A;
inline constexpr UINT WM_DIALIX_EDITSTYLE = 0x800B;
inline constexpr UINT WM_DIALIX_HOOKMOUSE = 0x8064;
inline constexpr UINT WM_DIALIX_HOOKKEY = 0x8065;
// Posted by the program to itself: a build of the clocks' images has ended.
inline constexpr UINT WM_DIALIX_GLYPHSBUILT = 0x8020;

inline constexpr const wchar_t* kInstanceMutexName = L"TeamOrvaneTDialix2Mutex";
inline constexpr const wchar_t* kRebootMutexName = L"TeamOrvaneTDialix2Reboot";

}  // namespace tdialix
