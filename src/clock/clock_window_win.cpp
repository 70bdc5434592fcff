#include "clock/clock_window_win.h"

#include <stdexcept>

namespace tdialix {

TDialix::TDialix(HWND owner, int monitorIndex, const std::wstring& caption) : MonitorIndex(monitorIndex) {
  RegisterClass(kClassName, CS_DBLCLKS);
  if (!Create(kClassName, caption.c_str(), WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW, 0, 0, 0, 0, owner)) {
    throw std::runtime_error("The clock window could not be created.");
  }
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
  g.DrawnHeight = MaxDrawSize.cy;
  return g;
}

void TDialix::DrawClock(bool) {}

}  // namespace tdialix
