// Owners for COM: an interface pointer released once, and COM initialised on
// the calling thread for the life of an object.
#pragma once

#include <objbase.h>

#include <utility>

namespace tdialix {

template <typename T>
class TComPtr {
 public:
  TComPtr() noexcept = default;
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;
  ~TComPtr() {
    if (Pointer) Pointer->Release();
  }
  T* Get() const noexcept { return Pointer; }
  T* operator->() const noexcept { return Pointer; }
  explicit operator bool() const noexcept { return Pointer != nullptr; }
  // Where a creating call puts the new pointer (the old one is released first).
  void** Receive() noexcept {
    if (Pointer) std::exchange(Pointer, nullptr)->Release();
    return reinterpret_cast<void**>(&Pointer);
  }

 private:
  T* Pointer = nullptr;
};

// COM for the calling thread while the object lives; a thread that already
// has it (in whichever model) keeps it.
class TComInitialization {
 public:
  TComInitialization() noexcept : Result(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  TComInitialization(const TComInitialization&) = delete;
  TComInitialization& operator=(const TComInitialization&) = delete;
  ~TComInitialization() {
    if (SUCCEEDED(Result)) ::CoUninitialize();
  }

 private:
  HRESULT Result;
};

}  // namespace tdialix
