#include "clock/clock_window_win.h"

#include <cstring>
#include <stdexcept>

#include "base/scale.h"
#include "clock/glyph_source_win.h"

namespace tdialix {

int WindowAlpha(int hidingAlpha, int floor, int transParent, int switchingAlpha) {
  const int a1 = ScaleRound(hidingAlpha, 255, 255 - floor) + floor;
  const int a2 = ScaleRound(a1, 255, ScaleRound(transParent, 100, 255));
  return std::clamp(ScaleRound(a2, 255, switchingAlpha), 0, 255);
}

std::uint8_t* TFrameSurface::Allocate(int width, int height, std::size_t bytes) {
  Release();
  if (!FrameDC) FrameDC.Reset(::CreateCompatibleDC(nullptr));
  if (!FrameDC) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows from the top, as the bitmap keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  FrameBitmap.Reset(::CreateDIBSection(FrameDC.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!FrameBitmap || !bits) {
    FrameBitmap.Reset();
    return nullptr;
  }
  FramePrevious = ::SelectObject(FrameDC.Get(), FrameBitmap.Get());
  Bits = static_cast<std::uint8_t*>(bits);
  std::memset(Bits, 0, bytes);
  return Bits;
}

void TFrameSurface::Release() {
  if (FramePrevious) ::SelectObject(FrameDC.Get(), FramePrevious);
  FramePrevious = nullptr;
  FrameBitmap.Reset();
  Bits = nullptr;
}

TDialix::TDialix(HWND owner, int monitorIndex, const std::wstring& caption) : MonitorIndex(monitorIndex) {
  Composer.ULWBmp.SetStore(&Surface);
  RegisterClass(kClassName, CS_DBLCLKS);
  if (!Create(kClassName, caption.c_str(), WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW, 0, 0, 0, 0, owner)) {
    throw std::runtime_error("The clock window could not be created.");
  }
}

void TDialix::InitializeBitmap(const TStyle& style, int monitorHeight, unsigned displayBits) {
  TGdiGlyphRasterizer rasterizer;
  TGdiPictureSource pictures;
  tdialix::InitializeBitmap(Strip, style, {monitorHeight, displayBits, &ResolveColor}, rasterizer, pictures);
}

THoverGeometry TDialix::HoverGeometry() const {
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  THoverGeometry g;
  g.Window = {window.left, window.top, window.right, window.bottom};
  g.VisibleLeft = Composer.VisiblityRect.Left;
  g.VisibleRight = Composer.VisiblityRect.Right;
  g.BorderLeft = Composer.TempBorderWidth.Left;
  g.BorderRight = Composer.TempBorderWidth.Right;
  g.DrawnHeight = Strip.MaxDrawSize.cy;
  return g;
}

void TDialix::DrawClock(bool redraw, const TClockFrameInput& input) {
  if (!input.MonitorPowerOn || !input.Style) return;
  TComposeInput compose;
  compose.Style = input.Style;
  compose.Strip = &Strip;
  compose.NowText = input.NowText;
  compose.PrevText = input.PrevText;
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  compose.Now = TryEncodeDateTime({now.wYear, now.wMonth, now.wDay},
                                  {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds})
                    .value_or(0);
  compose.Redraw = redraw;
  compose.DisplayBits = input.DisplayBits;
  ::GdiFlush();  // nothing of the platform's is still drawing into the frame
  const bool changed = Composer.Compose(compose);
  UpdateWindowRegion(changed, WindowAlpha(255, 0, input.TransParent, input.SwitchingAlpha));
}

void TDialix::UpdateWindowRegion(bool changed, int alpha) {
  const TBitmap& frame = Composer.ULWBmp;
  // Without the platform's memory behind the frame there is nothing to push.
  if (frame.Empty() || !frame.InStore() || !Surface.Ready()) return;
  if (!changed && alpha == PushedAlpha) return;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), AC_SRC_ALPHA};
  SIZE size{frame.Width(), frame.Height()};
  POINT source{0, 0};
  ::UpdateLayeredWindow(Handle(), nullptr, nullptr, &size, Surface.DC(), &source, 0, &blend, ULW_ALPHA);
  PushedAlpha = alpha;
}

void TDialix::ShowByProgram(bool show) {
  OwnShowHide = true;
  ::ShowWindow(Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
  OwnShowHide = false;
}

}  // namespace tdialix
