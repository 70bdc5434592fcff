#include "base/dpi_win.h"

#include "base/dpi.h"
#include "base/unique_handle_win.h"

namespace tdialix {

namespace {

// A function of a system library that only newer systems have; none on older ones.
template <typename TFunction>
TFunction SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = ::GetModuleHandleW(library);
  if (!module) return nullptr;
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// shcore.dll (Windows 8.1 on) is not loaded by anything else the program uses.
HMODULE ShellCore() {
  static const HMODULE module = ::LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module;
}

template <typename TFunction>
TFunction ShellCoreFunction(const char* name) {
  const HMODULE module = ShellCore();
  if (!module) return nullptr;
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The awareness contexts, as the system numbers them.
const auto kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const auto kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

}  // namespace

void DeclareDpiAwareness() {
  using TSetContext = BOOL(WINAPI*)(HANDLE);
  if (const auto setContext = SystemFunction<TSetContext>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
    if (setContext(kPerMonitorAwareV2) || setContext(kPerMonitorAware)) return;
    // Decided already (by the manifest, as it should be).
    if (::GetLastError() == ERROR_ACCESS_DENIED) return;
  }
  using TSetAwareness = HRESULT(WINAPI*)(int);
  if (const auto setAwareness = ShellCoreFunction<TSetAwareness>("SetProcessDpiAwareness")) {
    constexpr int kProcessPerMonitorAware = 2;
    const HRESULT result = setAwareness(kProcessPerMonitorAware);
    if (SUCCEEDED(result) || result == E_ACCESSDENIED) return;
  }
  using TSetAware = BOOL(WINAPI*)();
  if (const auto setAware = SystemFunction<TSetAware>(L"user32.dll", "SetProcessDPIAware")) setAware();
}

int SystemDpi() {
  const TWindowDC screen(nullptr);
  return ValidDpi(screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0);
}

int DpiForMonitor(HMONITOR monitor) {
  using TGetDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  if (const auto getDpi = ShellCoreFunction<TGetDpi>("GetDpiForMonitor"); getDpi && monitor) {
    UINT x = 0, y = 0;
    constexpr int kEffectiveDpi = 0;
    if (SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y))) return ValidDpi(static_cast<int>(y));
  }
  return SystemDpi();
}

int DpiForWindow(HWND window) {
  using TGetDpi = UINT(WINAPI*)(HWND);
  if (const auto getDpi = SystemFunction<TGetDpi>(L"user32.dll", "GetDpiForWindow"); getDpi && window) {
    if (const UINT dpi = getDpi(window)) return static_cast<int>(dpi);
  }
  return window ? DpiForMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)) : SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  using TAdjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  if (const auto adjust = SystemFunction<TAdjust>(L"user32.dll", "AdjustWindowRectExForDpi")) {
    if (adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(ValidDpi(dpi)))) return;
  }
  ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int SmallIconSizeForDpi(int dpi) {
  using TMetric = int(WINAPI*)(int, UINT);
  if (const auto metric = SystemFunction<TMetric>(L"user32.dll", "GetSystemMetricsForDpi")) {
    if (const int size = metric(SM_CXSMICON, static_cast<UINT>(ValidDpi(dpi))); size > 0) return size;
  }
  // Older systems have one scale: theirs, or the one asked for.
  const int systemSize = ::GetSystemMetrics(SM_CXSMICON);
  return dpi == SystemDpi() && systemSize > 0 ? systemSize : SmallIconSize(dpi);
}

int NotifyIconSize() {
  const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
  return SmallIconSizeForDpi(taskbar ? DpiForWindow(taskbar) : SystemDpi());
}

void KeepDialogScaling(HWND dialog) {
  using TSetBehavior = BOOL(WINAPI*)(HWND, int, int);
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (const auto setBehavior = SystemFunction<TSetBehavior>(L"user32.dll", "SetDialogDpiChangeBehavior")) {
    setBehavior(dialog, kDisableAll, kDisableAll);
  }
}

}  // namespace tdialix
