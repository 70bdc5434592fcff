#include "clock/clock_window_win.h"

#include <climits>
#include <cstring>
#include <windowsx.h>
#include <stdexcept>

#include "base/library_loading_win.h"
#include "base/scale.h"
#include "base/system_locale_win.h"
#include "base/trace_win.h"
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

namespace {

// Keeps the clock out of the three-dimensional window switcher where the
// desktop is composed.
void ExcludeFromFlip3D(HWND window) {
  const TUniqueModule library(LoadSystemLibrary(L"dwmapi.dll"));
  const HMODULE dwm = library.Get();
  if (!dwm) return;
  using TIsEnabled = HRESULT(WINAPI*)(BOOL*);
  using TSetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  const auto isEnabled = reinterpret_cast<TIsEnabled>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmIsCompositionEnabled")));
  const auto setAttribute =
      reinterpret_cast<TSetAttribute>(reinterpret_cast<void*>(::GetProcAddress(dwm, "DwmSetWindowAttribute")));
  BOOL composed = FALSE;
  if (isEnabled && setAttribute && SUCCEEDED(isEnabled(&composed)) && composed) {
    constexpr DWORD kFlip3DPolicy = 8;   // DWMWA_FLIP3D_POLICY
    const DWORD excludeAbove = 2;        // DWMFLIP3D_EXCLUDEABOVE
    setAttribute(window, kFlip3DPolicy, &excludeAbove, sizeof excludeAbove);
  }
}

// Whether pushing a part of a layered window costs less than pushing all of
// it. Wine copies the whole window into a scratch image and back for a dirty
// rectangle, which costs more than the whole frame (measured with
// scripts/cpu-figures.sh): there the frame goes whole.
bool PartialPushPays() {
  static const bool pays = [] {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return !(ntdll && ::GetProcAddress(ntdll, "wine_get_version"));
  }();
  return pays;
}

}  // namespace

TDialix::TDialix(HWND owner, int monitorIndex, const std::wstring& caption, TClockHost* host)
    : MonitorIndex(monitorIndex), Host(host) {
  Composer.ULWBmp.SetStore(&Surface);
  RegisterClass(kClassName, CS_DBLCLKS | CS_BYTEALIGNCLIENT | CS_BYTEALIGNWINDOW);
  // A tool window without a taskbar button; the frame's alpha gives its shape.
  if (!Create(kClassName, caption.c_str(), WS_POPUP | WS_SYSMENU, WS_EX_LAYERED | WS_EX_TOOLWINDOW, 0, 0, 320, 240,
              owner)) {
    throw std::runtime_error("The clock window could not be created.");
  }
  ExcludeFromFlip3D(Handle());
  POINT cursor{};
  ::GetCursorPos(&cursor);
  Hover.SaveMousePos = {-cursor.x, -cursor.y};  // the first update sees the pointer move
}

void TDialix::InitializeBitmap(const TStyle& style, int monitorHeight, unsigned displayBits) {
  // A build still running is for a style this one replaces: it stops now,
  // leaving the processors to this one's first part.
  Builder.Cancel();
  TGdiGlyphRasterizer rasterizer;
  TGdiPictureSource pictures;
  auto build = std::make_unique<TGlyphStripBuild>(style, TGlyphTarget{monitorHeight, displayBits, &ResolveColor},
                                                  rasterizer, pictures);
  // Ordinary styles take a few milliseconds: they are built here and show at once.
  constexpr long long kSmallWork = 8'000'000;
  if (build->PixelWork() <= kSmallWork) {
    if (build->Finish()) {
      build->Strip.Generation = Strip.Generation + 1;
      Strip = std::move(build->Strip);
    }
    return;
  }
  Builder.Start(std::move(build), Handle(), kGlyphsBuiltMessage);
  // One that is ready within a moment still shows at once.
  constexpr unsigned kPatience = 50;  // milliseconds: with the first part, well within what a user feels as an answer
  if (Builder.Wait(kPatience)) TakeBuiltGlyphs(false);
}

void TDialix::TakeBuiltGlyphs(bool redraw) {
  std::optional<TGlyphStrip> built = Builder.Take();
  if (!built) return;
  built->Generation = Strip.Generation + 1;
  Strip = std::move(*built);
  if (TraceEnabled()) Trace(L"glyphs " + std::to_wstring(MonitorIndex));
  if (redraw && Host) Host->RedrawClock(*this);
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
  // Ctrl matters only to the hide types (asking for it costs a call to the system).
  const bool free = input.Shape.HideType != htNone ? Free() : !SizeMovingFlag;
  TComposeInput compose;
  compose.Style = input.Style;
  compose.Strip = &Strip;
  compose.NowText = input.NowText;
  compose.PrevText = input.PrevText;
  compose.Now = LocalNow();
  compose.Redraw = redraw;
  compose.DisplayBits = input.DisplayBits;
  // Without per-pixel alpha a hovered clock in hide mode is blanked instead of faded.
  if (!deep && input.Shape.HideType == htHide && Hover.HoverFlag && free) {
    if (!Composer.ULWBmp.Empty()) {
      Composer.Blank(Strip.BrushColor);
      FrameAltered = true;
    }
    UpdateWindowRegion(true, input, compose.Now, nullptr);
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
  UpdateWindowRegion(changed, input, compose.Now, &compose);
}

void TDialix::UpdateWindowRegion(bool update, const TClockFrameInput& input, TDateTime now,
                                 const TComposeInput* compose) {
  TBitmap& frame = Composer.ULWBmp;
  // Without the platform's memory behind the frame there is nothing to push.
  if (frame.Empty() || !frame.InStore() || !Surface.Ready()) return;
  // The window takes the frame's size.
  if (frame.Width() != WindowSize.cx || frame.Height() != WindowSize.cy) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    if (client.right != frame.Width() || client.bottom != frame.Height()) {
      ::SetWindowPos(Handle(), nullptr, 0, 0, frame.Width(), frame.Height(),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    }
    WindowSize = {frame.Width(), frame.Height()};
    Screen.Forget();
    if (Host) Host->ClockResized(*this);
  }
  // Where the pointer is, and what the hide type makes of it.
  // Without a hide type the pointer does not matter.
  const bool deep = input.DisplayBits >= 16;
  TShapeInput shape;
  shape.Update = update;
  shape.Free = input.Shape.HideType != htNone ? Free() : !SizeMovingFlag;
  shape.Deep = deep;
  shape.SwitchingAlpha = input.SwitchingAlpha;
  POINT cursor{};
  if (input.Shape.HideType != htNone) {
    ::GetCursorPos(&cursor);
    const int leftButton = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    shape.Inside = HoverRect(HoverGeometry(), input.Shape, input.DisplayBits).Contains({cursor.x, cursor.y});
    shape.LeftButtonDown = ::GetAsyncKeyState(leftButton) < 0;
    shape.Cursor = {cursor.x, cursor.y};
    shape.Now = now;
  }
  const TShapeDecision decision = WindowShapeStep(Hover, input.Shape, shape);
  // Nothing changed that the window shows.
  if (!decision.Push) return;
  // A hole goes into a clean frame, never on top of the last one.
  if (FrameAltered && compose) {
    TComposeInput whole = *compose;
    whole.Redraw = true;
    Composer.Compose(whole);
    FrameAltered = false;
  }
  if (decision.PunchHole) {
    POINT client = cursor;
    ::ScreenToClient(Handle(), &client);
    PunchHole(frame, {client.x, client.y}, Strip.MaxDrawSize.cy, input.Shape, deep, Strip.BrushColor);
    Composer.Invalidate();
    FrameAltered = true;
  }
  SetClickThrough(decision.ClickThrough);
  // The frame goes to the screen with the alpha decided above.
  const LONG_PTR exStyle = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(decision.Alpha), AC_SRC_ALPHA};
  PushFrame(blend, deep);
}

void TDialix::PushFrame(const BLENDFUNCTION& blend, bool deep) {
  const TBitmap& frame = Composer.ULWBmp;
  const bool sameAlpha = blend.SourceConstantAlpha == PushedAlpha && Screen.Holds(frame);
  TRect dirty = Screen.Changes(frame);
  if (sameAlpha && dirty.Width() <= 0) return;  // the screen shows this frame already
  // A new window alpha changes every pixel: the whole frame goes.
  if (!sameAlpha || !PartialPushPays()) dirty = {0, 0, frame.Width(), frame.Height()};
  SIZE size{frame.Width(), frame.Height()};
  POINT source{0, 0};
  const TRgb key = Strip.ULWColor;
  const RECT dirtyRect{dirty.Left, dirty.Top, dirty.Right, dirty.Bottom};
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof info;
  info.hdcDst = Surface.DC();
  // A window that keeps its size is not given one: the system then leaves its place alone.
  info.psize = Screen.Holds(frame) ? nullptr : &size;
  info.hdcSrc = Surface.DC();
  info.pptSrc = &source;
  info.crKey = RGB(RedOf(key), GreenOf(key), BlueOf(key));
  info.pblend = &blend;
  info.dwFlags = deep ? ULW_ALPHA : ULW_COLORKEY;
  info.prcDirty = PartialPushPays() ? &dirtyRect : nullptr;
  if (!::UpdateLayeredWindowIndirect(Handle(), &info)) {
    // A system that refuses the rectangle takes the whole frame.
    BLENDFUNCTION whole = blend;
    ::UpdateLayeredWindow(Handle(), Surface.DC(), nullptr, &size, Surface.DC(), &source, info.crKey, &whole,
                          info.dwFlags);
    dirty = {0, 0, frame.Width(), frame.Height()};
  }
  Screen.Shown(frame, dirty);
  ++Pushes;
  if (blend.SourceConstantAlpha != PushedAlpha && TraceEnabled()) {
    Trace(L"alpha " + std::to_wstring(MonitorIndex) + L" " + std::to_wstring(blend.SourceConstantAlpha));
  }
  PushedAlpha = blend.SourceConstantAlpha;
}

TPoint TDialix::ToolTipPosition() const {
  RECT window{};
  ::GetWindowRect(Handle(), &window);
  int monitorBottom = INT_MAX;
  if (Host) {
    if (const std::optional<TRect> bounds = Host->MonitorBounds(MonitorIndex)) monitorBottom = bounds->Bottom;
  }
  return TooltipPosition({window.left, window.top, window.right, window.bottom}, Composer.VisiblityRect,
                         Composer.TempBorderWidth, monitorBottom);
}

void TDialix::MouseEntered() {
  MouseInside = true;
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
  ::TrackMouseEvent(&track);
  if (Host && Host->ClockBehaviour().ShowToolTip) Host->ShowToolTipLater(*this);
}

void TDialix::WindowPosChanging(WINDOWPOS& position) {
  const TClockHost::TBehaviour behaviour = Host->ClockBehaviour();
  // Other programs may not show or hide the clock unless allowed.
  position.flags = FilterShowHide(position.flags, OwnShowHide, behaviour.EnableOtherwiseShowWindow);
  if (!(position.flags & SWP_NOZORDER)) {
    switch (ClockZOrder(behaviour.ZOrderMode)) {
      case TClockZOrder::czTopMost: position.hwndInsertAfter = HWND_TOPMOST; break;
      case TClockZOrder::czBottom: position.hwndInsertAfter = HWND_BOTTOM; break;
      case TClockZOrder::czKeep: break;
    }
  }
  // A drag keeps the clock on steps of its monitor's size and remembers its
  // place there in per cent.
  if (SizeMovingFlag && !(position.flags & SWP_NOMOVE)) {
    if (const std::optional<TRect> monitor = Host->MonitorBounds(MonitorIndex)) {
      const TDragPlacement placement = DragPlacement(*monitor, {position.x, position.y});
      position.x = placement.Position.X;
      position.y = placement.Position.Y;
      Host->StorePosition(MonitorIndex, placement.X, placement.Y);
    }
  }
}

LRESULT TDialix::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The tooltip goes away on anything the user does to the clock.
  const bool cancelsToolTip = message == WM_MOVE || message == WM_ACTIVATEAPP || message == WM_CONTEXTMENU ||
                              message == WM_NCACTIVATE || (message >= WM_LBUTTONDOWN && message <= WM_MOUSEHWHEEL);
  if (Host && cancelsToolTip) Host->HideToolTip();

  switch (message) {
    case kGlyphsBuiltMessage:
      TakeBuiltGlyphs(true);
      return 0;
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_NCCALCSIZE:
      return 0;  // the whole window is client area
    case WM_ERASEBKGND:
      return 1;
    case WM_DPICHANGED:
      // The clock is a share of its monitor's own pixels: another scale
      // changes nothing of it, and it keeps the size its frame gives it.
      return 0;
    case WM_ENABLE:
      // Other windows' modal loops do not leave the clock disabled.
      if ((wParam != FALSE) != Enabled) ::EnableWindow(Handle(), Enabled);
      return 0;
    case WM_SETCURSOR: {
      if (!::IsWindowEnabled(Handle()) || !Host) break;
      const UINT mouse = HIWORD(lParam);
      const bool button = mouse == WM_LBUTTONDOWN || mouse == WM_NCLBUTTONDOWN;
      LPCWSTR cursor = IDC_HAND;
      switch (ClockCursor(Host->ClockBehaviour().Locked, button)) {
        case TClockCursor::ccHandPoint: cursor = IDC_HAND; break;
        case TClockCursor::ccSizeAll: cursor = IDC_SIZEALL; break;
        case TClockCursor::ccArrow: cursor = IDC_ARROW; break;
        case TClockCursor::ccNo: cursor = IDC_NO; break;
      }
      ::SetCursor(::LoadCursorW(nullptr, cursor));
      return 1;
    }
    case WM_ENTERSIZEMOVE: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      SizeMovingFlag = true;
      if (TraceEnabled()) Trace(L"sizemove " + std::to_wstring(MonitorIndex));
      // A dragged clock shows whole and takes clicks at once, and the tick follows the drag.
      if (Host) Host->RedrawClock(*this);
      return result;
    }
    case WM_EXITSIZEMOVE: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      SizeMovingFlag = false;
      Hover.SaveMousePos = {-Hover.SaveMousePos.X, -Hover.SaveMousePos.Y};
      if (Host) Host->RedrawClock(*this);
      return result;
    }
    case WM_LBUTTONDOWN:
      if (TraceEnabled()) Trace(L"clockpressed " + std::to_wstring(MonitorIndex));
      // With click-to-hide the first click starts the hiding; the pointer's
      // position is forgotten so that the next update sees it move.
      if (ClickHide) {
        Hover.ClickHideFlag = true;
        Hover.SaveMousePos = {-Hover.SaveMousePos.X, -Hover.SaveMousePos.Y};
      }
      if (!Host) break;
      if (!Host->ClockBehaviour().Locked && ::ReleaseCapture()) {
        ::SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);  // the system's drag
      }
      if (Host->DialogOpen()) Host->BringDialogForward();
      Host->ClockPressed(*this);
      return 0;
    case WM_MBUTTONUP:
      if (Host && Host->DialogOpen()) Host->BringDialogForward();
      break;
    case WM_LBUTTONDBLCLK: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      if (Host) Host->EditStyle();
      return result;
    }
    case WM_CONTEXTMENU: {
      if (!Host) break;
      if (Host->DialogOpen()) {
        Host->BringDialogForward();
        return 1;
      }
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (at.x == -1 && at.y == -1) {  // from the keyboard: at the client origin
        at = {0, 0};
        ::ClientToScreen(Handle(), &at);
      }
      Host->PopupMenu(*this, {at.x, at.y});
      return 0;
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU && LOWORD(lParam) == L' ' && Host) {
        // Alt+Space: the popup menu at the client origin.
        if (!Host->DialogOpen()) {
          POINT at{0, 0};
          ::ClientToScreen(Handle(), &at);
          Host->PopupMenu(*this, {at.x, at.y});
        }
        return 1;
      }
      break;
    case WM_CLOSE:
      if (!Host) break;
      Host->CloseProgram();
      return 0;
    case WM_MOUSEMOVE:
      if (!MouseInside) MouseEntered();
      break;
    case WM_MOUSELEAVE: {
      MouseInside = false;
      POINT cursor{};
      ::GetCursorPos(&cursor);
      // Leaving onto the tooltip itself does not cancel it.
      if (Host && !Host->IsToolTipWindow(::WindowFromPoint(cursor))) Host->HideToolTip();
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      if (Host) WindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
      return result;
    }
    case WM_WINDOWPOSCHANGED: {
      const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
      OwnShowHide = false;
      const auto& position = *reinterpret_cast<const WINDOWPOS*>(lParam);
      if (Host && !MarkedForRelease && (position.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) {
        Host->ClockShownOrHidden(*this, (position.flags & SWP_SHOWWINDOW) != 0);
      }
      return result;
    }
    default:
      break;
  }
  const LRESULT result = TWindow::WindowProc(message, wParam, lParam);
  if (message == WM_NCACTIVATE && Host && wParam && Host->ClockBehaviour().ShowToolTip) {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (::WindowFromPoint(cursor) == Handle()) Host->ShowToolTipLater(*this);
  }
  return result;
}

void TDialix::SetClickThrough(bool on) {
  const LONG_PTR exStyle = ::GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  if (((exStyle & WS_EX_TRANSPARENT) != 0) == on) return;
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, on ? exStyle | WS_EX_TRANSPARENT : exStyle & ~WS_EX_TRANSPARENT);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
}

BOOL TDialix::ShowByProgram(bool show) {
  if (show) Screen.Forget();  // a window shown again is pushed whole
  OwnShowHide = true;
  const BOOL wasVisible = ::ShowWindow(Handle(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
  OwnShowHide = false;
  return wasVisible;
}

}  // namespace tdialix
