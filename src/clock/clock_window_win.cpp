#include "clock/clock_window_win.h"

#include <stdexcept>

#include "clock/glyph_source_win.h"

namespace tdialix {

TDialix::TDialix(HWND owner, int monitorIndex, const std::wstring& caption) : MonitorIndex(monitorIndex) {
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
  g.VisibleLeft = VisiblityRect.Left;
  g.VisibleRight = VisiblityRect.Right;
  g.BorderLeft = TempBorderWidth.Left;
  g.BorderRight = TempBorderWidth.Right;
  g.DrawnHeight = Strip.MaxDrawSize.cy;
  return g;
}

void TDialix::DrawClock(bool) {}

}  // namespace tdialix
