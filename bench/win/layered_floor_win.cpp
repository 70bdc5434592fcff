// The least a clock can do under the same system: a layered window of a given
// size (557 x 111 by default, the default style's clock with seconds at 1080
// lines) pushed whole with UpdateLayeredWindow once a second, woken exactly at
// each second. scripts/cpu-figures.sh runs it beside TDialix to show what
// part of the program's CPU is the system's price for a layered window.
//   layered_floor.exe [width height]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr UINT_PTR kTimerId = 1;
int Width = 557;
int Height = 111;
HDC FrameDC = nullptr;
std::uint32_t* Bits = nullptr;
int Second = 0;

// Milliseconds to the next whole second of the local clock.
UINT ToNextSecond() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return 1000u - now.wMilliseconds;
}

// A translucent plate with a bar that moves each second, premultiplied.
void Paint() {
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      const bool bar = (x / 40) % 10 == Second % 10;
      const std::uint32_t a = bar ? 255 : 128;
      const std::uint32_t v = bar ? 255 : 64;
      Bits[y * Width + x] = a << 24 | (v * a / 255) << 16 | (v * a / 255) << 8 | (v * a / 255);
    }
  }
}

void Push(HWND window) {
  Paint();
  SIZE size{Width, Height};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(window, FrameDC, nullptr, &size, FrameDC, &source, 0, &blend, ULW_ALPHA);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      ++Second;
      Push(window);
      ::SetTimer(window, kTimerId, ToNextSecond(), nullptr);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (__argc >= 3 && __wargv) {
    Width = std::max(1, _wtoi(__wargv[1]));
    Height = std::max(1, _wtoi(__wargv[2]));
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"LayeredFloor";
  ::RegisterClassW(&windowClass);
  const HWND window = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"LayeredFloor",
                                        L"layered floor", WS_POPUP, 40, 300, Width, Height, nullptr, nullptr,
                                        instance, nullptr);
  if (!window) return 1;
  FrameDC = ::CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(FrameDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return 1;
  Bits = static_cast<std::uint32_t*>(bits);
  const HGDIOBJ previous = ::SelectObject(FrameDC, bitmap);
  Push(window);
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  ::SetTimer(window, kTimerId, ToNextSecond(), nullptr);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  ::SelectObject(FrameDC, previous);
  ::DeleteObject(bitmap);
  ::DeleteDC(FrameDC);
  return 0;
}
