// The least a clock can do under the same system: a layered window of a given
// size (557 x 111 by default, the default style's clock with seconds at 1080
// lines) showing the time in plain digits, pushed whole with
// UpdateLayeredWindow once a second, woken exactly at each second. scripts/cpu-figures.sh runs it beside TDialix to show what
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

// Milliseconds to the next whole second of the local clock.
UINT ToNextSecond() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return 1000u - now.wMilliseconds;
}

// The time as a clock shows it: HH:MM:SS in seven-segment digits, opaque
// white on a fully transparent ground, so that the window's shape changes
// with the digits each second as any clock's does. Premultiplied.
void Paint() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const int digits[6] = {now.wHour / 10, now.wHour % 10, now.wMinute / 10, now.wMinute % 10,
                         now.wSecond / 10, now.wSecond % 10};
  // Segments a ... g of 0 ... 9.
  static const unsigned char kSegments[10] = {0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f};
  std::fill(Bits, Bits + static_cast<std::size_t>(Width) * Height, 0u);
  const int cell = Width / 8;  // six digits and two colons
  const int t = std::max(2, Height / 12);  // stroke
  const auto fill = [](int x0, int y0, int x1, int y1) {
    for (int y = std::max(y0, 0); y < std::min(y1, Height); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x1, Width); ++x) Bits[y * Width + x] = 0xffffffffu;
    }
  };
  int left = 0;
  for (int i = 0; i < 6; ++i) {
    const int x0 = left + t, x1 = left + cell - t, y0 = t, y1 = Height - t, ym = Height / 2;
    const unsigned char on = kSegments[digits[i]];
    if (on & 0x01) fill(x0, y0, x1, y0 + t);             // a
    if (on & 0x02) fill(x1 - t, y0, x1, ym);             // b
    if (on & 0x04) fill(x1 - t, ym, x1, y1);             // c
    if (on & 0x08) fill(x0, y1 - t, x1, y1);             // d
    if (on & 0x10) fill(x0, ym, x0 + t, y1);             // e
    if (on & 0x20) fill(x0, y0, x0 + t, ym);             // f
    if (on & 0x40) fill(x0, ym - t / 2, x1, ym + t / 2);  // g
    left += cell;
    if (i == 1 || i == 3) {  // a colon
      fill(left + cell / 2 - t, Height / 3 - t, left + cell / 2 + t, Height / 3 + t);
      fill(left + cell / 2 - t, 2 * Height / 3 - t, left + cell / 2 + t, 2 * Height / 3 + t);
      left += cell;
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
