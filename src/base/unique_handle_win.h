// Owners for the Win32 handle kinds the program uses: each frees its handle
// once, when it goes out of scope, and can be moved but not copied.
#pragma once

#include <windows.h>

#include <utility>

namespace tdialix {

template <typename Traits>
class TUniqueHandle {
 public:
  using THandle = typename Traits::THandle;

  TUniqueHandle() noexcept = default;
  explicit TUniqueHandle(THandle handle) noexcept : Handle(handle) {
    if (Traits::IsValid(handle)) ++Alive;
  }
  TUniqueHandle(TUniqueHandle&& other) noexcept : Handle(other.Release()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  TUniqueHandle(const TUniqueHandle&) = delete;
  TUniqueHandle& operator=(const TUniqueHandle&) = delete;
  ~TUniqueHandle() { Reset(); }

  THandle Get() const noexcept { return Handle; }
  explicit operator bool() const noexcept { return Traits::IsValid(Handle); }

  THandle Release() noexcept {
    if (Traits::IsValid(Handle)) --Alive;
    return std::exchange(Handle, Traits::Invalid());
  }
  void Reset(THandle handle = Traits::Invalid()) noexcept {
    if (Traits::IsValid(handle)) ++Alive;
    const THandle old = std::exchange(Handle, handle);
    if (Traits::IsValid(old)) {
      Traits::Close(old);
      --Alive;
    }
  }

  // How many handles of this kind are owned right now (the tests watch it
  // for leaks where the system does not count its objects).
  static int AliveCount() noexcept { return Alive; }

 private:
  static inline int Alive = 0;
  THandle Handle = Traits::Invalid();
};

namespace handle_traits {

// Kernel handles: files use INVALID_HANDLE_VALUE, most others NULL; neither is closed.
struct Kernel {
  using THandle = HANDLE;
  static THandle Invalid() noexcept { return nullptr; }
  static bool IsValid(THandle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(THandle h) noexcept { ::CloseHandle(h); }
};

// Handles whose empty value is 0 and that one platform call frees.
template <typename T, auto CloseFunction>
struct Simple {
  using THandle = T;
  static THandle Invalid() noexcept { return THandle{}; }
  static bool IsValid(THandle h) noexcept { return h != THandle{}; }
  static void Close(THandle h) noexcept { CloseFunction(h); }
};

}  // namespace handle_traits

using TUniqueKernelHandle = TUniqueHandle<handle_traits::Kernel>;
using TUniqueBitmap = TUniqueHandle<handle_traits::Simple<HBITMAP, &::DeleteObject>>;
using TUniqueFont = TUniqueHandle<handle_traits::Simple<HFONT, &::DeleteObject>>;
using TUniqueBrush = TUniqueHandle<handle_traits::Simple<HBRUSH, &::DeleteObject>>;
using TUniquePen = TUniqueHandle<handle_traits::Simple<HPEN, &::DeleteObject>>;
using TUniqueRegion = TUniqueHandle<handle_traits::Simple<HRGN, &::DeleteObject>>;
using TUniqueMemoryDC = TUniqueHandle<handle_traits::Simple<HDC, &::DeleteDC>>;
using TUniqueMenu = TUniqueHandle<handle_traits::Simple<HMENU, &::DestroyMenu>>;
using TUniqueModule = TUniqueHandle<handle_traits::Simple<HMODULE, &::FreeLibrary>>;
using TUniqueIcon = TUniqueHandle<handle_traits::Simple<HICON, &::DestroyIcon>>;
using TUniqueRegistryKey = TUniqueHandle<handle_traits::Simple<HKEY, &::RegCloseKey>>;
using TUniqueWindow = TUniqueHandle<handle_traits::Simple<HWND, &::DestroyWindow>>;
using TUniqueGlobalAtom = TUniqueHandle<handle_traits::Simple<ATOM, &::GlobalDeleteAtom>>;

// A window's device context, released to its window.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window) noexcept : Window(window), DC(::GetDC(window)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() {
    if (DC) ::ReleaseDC(Window, DC);
  }
  HDC Get() const noexcept { return DC; }
  explicit operator bool() const noexcept { return DC != nullptr; }

 private:
  HWND Window;
  HDC DC;
};

// Selects a GDI object into a DC for the lifetime of the guard.
class TSelectObject {
 public:
  TSelectObject(HDC dc, HGDIOBJ object) noexcept : DC(dc), Previous(::SelectObject(dc, object)) {}
  TSelectObject(const TSelectObject&) = delete;
  TSelectObject& operator=(const TSelectObject&) = delete;
  ~TSelectObject() {
    if (Previous && Previous != HGDI_ERROR) ::SelectObject(DC, Previous);
  }

 private:
  HDC DC;
  HGDIOBJ Previous;
};

}  // namespace tdialix
