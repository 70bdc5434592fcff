#include "clock/clock_window_win.h"

#include <cstring>
#include <stdexcept>

#include "base/scale.h"
#include "clock/glyph_source_win.h"

namespace tdialix {

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

bool TDialix::Free() const { return ::GetKeyState(VK_CONTROL) >= 0 && !SizeMovingFlag; }

void TDialix::DrawClock(bool redraw, const TClockFrameInput& input) {
  if (!input.MonitorPowerOn || !input.Style) return;
  ClickHide = input.Shape.ClickHide;
  ::GdiFlush();  // nothing of the platform's is still drawing into the frame
  const bool deep = input.DisplayBits >= 16;
  const bool free = Free();
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
  const auto composeWhole = [this, compose]() mutable {
    compose.Redraw = true;
    Composer.Compose(compose);
    FrameAltered = false;
  };

  // Without per-pixel alpha a hovered clock in hide mode is blanked instead of faded.
  if (!deep && input.Shape.HideType == htHide && Hover.HoverFlag && free) {
    TBitmap& frame = Composer.ULWBmp;
    if (!frame.Empty()) {
      const TRgb brush = Strip.BrushColor;
      const std::uint32_t clear = BlueOf(brush) | GreenOf(brush) << 8 | static_cast<std::uint32_t>(RedOf(brush)) << 16;
      FillRun(reinterpret_cast<TPixel32*>(frame.Data().data()), frame.Data().size() / 4, clear);
      Composer.Invalidate();
      FrameAltered = true;
    }
    UpdateWindowRegion(true, input, nullptr);
    return;
  }
  // In hole mode the frame is composed anew when the hole moves or Ctrl changes.
  if (input.Shape.HideType == htHole) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const bool moved = !(TPoint{cursor.x, cursor.y} == Hover.SaveMousePos);
    compose.HoverChanged = (moved && Hover.HoverFlag) || free != Hover.SaveKeyFlag;
  }
  const bool changed = Composer.Compose(compose);
  if (changed) FrameAltered = false;  // a frame drawn on from outside is composed whole
  UpdateWindowRegion(changed, input, composeWhole);
}

void TDialix::UpdateWindowRegion(bool update, const TClockFrameInput& input,
                                 const std::function<void()>& composeWhole) {
  TBitmap& frame = Composer.ULWBmp;
  // Without the platform's memory behind the frame there is nothing to push.
  if (frame.Empty() || !frame.InStore() || !Surface.Ready()) return;
  // 1. The window takes the frame's size.
  RECT client{};
  ::GetClientRect(Handle(), &client);
  if (client.right != frame.Width() || client.bottom != frame.Height()) {
    ::SetWindowPos(Handle(), nullptr, 0, 0, frame.Width(), frame.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
  }
  // 2. and 3. Where the pointer is, and what the hide type makes of it.
  const bool deep = input.DisplayBits >= 16;
  POINT cursor{};
  ::GetCursorPos(&cursor);
  const int leftButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
  TShapeInput shape;
  shape.Update = update;
  shape.Free = Free();
  shape.Inside = HoverRect(HoverGeometry(), input.Shape, input.DisplayBits).Contains({cursor.x, cursor.y});
  shape.LeftButtonDown = ::GetAsyncKeyState(leftButton) < 0;
  shape.Cursor = {cursor.x, cursor.y};
  shape.Deep = deep;
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  shape.Now = TryEncodeDateTime({now.wYear, now.wMonth, now.wDay},
                                {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds})
                  .value_or(0);
  shape.SwitchingAlpha = input.SwitchingAlpha;
  const TShapeDecision decision = WindowShapeStep(Hover, input.Shape, shape);
  // 4.
  if (!decision.Push) return;
  // 5. A hole goes into a clean frame, never on top of the last one.
  if (FrameAltered && composeWhole) composeWhole();
  if (decision.PunchHole) {
    POINT client = cursor;
    ::ScreenToClient(Handle(), &client);
    PunchHole(frame, {client.x, client.y}, Strip.MaxDrawSize.cy, input.Shape, deep, Strip.BrushColor);
    Composer.Invalidate();
    FrameAltered = true;
  }
  // 8.
  SetClickThrough(decision.ClickThrough);
  // 9.
  const LONG_PTR exStyle = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(decision.Alpha), AC_SRC_ALPHA};
  SIZE size{frame.Width(), frame.Height()};
  POINT source{0, 0};
  const TRgb key = Strip.ULWColor;
  ::UpdateLayeredWindow(Handle(), Surface.DC(), nullptr, &size, Surface.DC(), &source,
                        RGB(RedOf(key), GreenOf(key), BlueOf(key)), &blend, deep ? ULW_ALPHA : ULW_COLORKEY);
  PushedAlpha = decision.Alpha;
}

LRESULT TDialix::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      // With click-to-hide the first click starts the hiding; the pointer's
      // position is forgotten so that the next update sees it move.
      if (ClickHide) {
        Hover.ClickHideFlag = true;
        Hover.SaveMousePos = {-Hover.SaveMousePos.X, -Hover.SaveMousePos.Y};
      }
      break;
    default:
      break;
  }
  return TWindow::WindowProc(message, wParam, lParam);
}

void TDialix::SetClickThrough(bool on) {
  const LONG_PTR exStyle = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  if (((exStyle & WS_EX_TRANSPARENT) != 0) == on) return;
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, on ? exStyle | WS_EX_TRANSPARENT : exStyle & ~WS_EX_TRANSPARENT);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
}

void TDialix::ShowByProgram(bool show) {
  OwnShowHide = true;
  ::ShowWindow(Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
  OwnShowHide = false;
}

}  // namespace tdialix
