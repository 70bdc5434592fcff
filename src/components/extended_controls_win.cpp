#include "components/extended_controls_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "components/link_text.h"

namespace tdialix {

// ---- TWRLinkLabel

TWRLinkLabel::TWRLinkLabel() : TWRControl({WC_LINK, LWS_TRANSPARENT}, true) {}

void TWRLinkLabel::CreateWnd() { DisableInputMethod(Handle()); }

SIZE TWRLinkLabel::AutoSize(SIZE given) const {
  if (given.cx > 0 && given.cy > 0) return given;
  // As wide as its text needs, within what is left of its parent.
  RECT parent{};
  ::GetClientRect(::GetParent(Handle()), &parent);
  const int room = std::max<int>(1, parent.right - BoundsRect().left);
  // LM_GETIDEALSIZE: the same message as LM_GETIDEALHEIGHT, with a size to fill.
  SIZE ideal{};
  ::SendMessageW(Handle(), LM_GETIDEALHEIGHT, static_cast<WPARAM>(given.cx > 0 ? given.cx : room),
                 reinterpret_cast<LPARAM>(&ideal));
  if (ideal.cx <= 0 || ideal.cy <= 0) {
    // A link control that cannot tell: the shown text on one line.
    ideal = TextExtent(LinkDisplayText(Text()), true);
  }
  return {given.cx > 0 ? given.cx : std::min<LONG>(ideal.cx + 1, room), given.cy > 0 ? given.cy : ideal.cy};
}

bool TWRLinkLabel::LinkAt(POINT client) const {
  LHITTESTINFO hit{};
  hit.pt = client;
  return HandleAllocated() && ::SendMessageW(Handle(), LM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) != FALSE;
}

LRESULT TWRLinkLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST: {
      // Between the links the label is still client area: the pointer keeps
      // the arrow instead of taking what lies below.
      const LRESULT hit = DefaultProc(message, wParam, lParam);
      return hit == HTTRANSPARENT ? HTCLIENT : hit;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT pointer{};
        ::GetCursorPos(&pointer);
        ::ScreenToClient(Handle(), &pointer);
        ::SetCursor(::LoadCursorW(nullptr, LinkAt(pointer) ? IDC_HAND : IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_ERASEBKGND:
      // The parent's background, whatever it is (a dialog's face, a tab page's body).
      ::DrawThemeParentBackground(Handle(), reinterpret_cast<HDC>(wParam), nullptr);
      return TRUE;
    case WM_ENABLE:
      ::InvalidateRect(Handle(), nullptr, TRUE);
      break;
    default:
      break;
  }
  return DefaultProc(message, wParam, lParam);
}

std::optional<LRESULT> TWRLinkLabel::Notification(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CTLCOLORSTATIC) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, ::IsWindowEnabled(Handle()) ? ColorToRGB(FontColor) : ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkMode(dc, TRANSPARENT);
    // A system brush: the link control may delete what it is given.
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
  }
  if (message == WM_NOTIFY) {
    const auto* link = reinterpret_cast<const NMLINK*>(lParam);
    if (link->hdr.code == NM_CLICK || link->hdr.code == NM_RETURN) {
      if (OnLinkClick) OnLinkClick(link->item.szUrl);
      return 0;
    }
  }
  return std::nullopt;
}

// ---- TWRBevel

TWRBevel::TWRBevel() : TWRControl({WC_STATICW, WS_CLIPSIBLINGS}) {}

LRESULT TWRBevel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    ::DrawThemeParentBackground(Handle(), reinterpret_cast<HDC>(wParam), nullptr);
    return TRUE;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(Handle(), &paint);
    Paint(dc);
    ::EndPaint(Handle(), &paint);
    return 0;
  }
  return DefaultProc(message, wParam, lParam);
}

void TWRBevel::Paint(HDC dc) const {
  RECT r{};
  ::GetClientRect(Handle(), &r);
  const bool lowered = Style == TBevelStyle::bsLowered;
  const UINT lines = lowered ? EDGE_ETCHED : EDGE_BUMP;
  switch (Shape) {
    case TBevelShape::bsBox:
      ::DrawEdge(dc, &r, lowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      break;
    case TBevelShape::bsFrame: ::DrawEdge(dc, &r, lines, BF_RECT); break;
    case TBevelShape::bsTopLine: ::DrawEdge(dc, &r, lines, BF_TOP); break;
    case TBevelShape::bsBottomLine: ::DrawEdge(dc, &r, lines, BF_BOTTOM); break;
    case TBevelShape::bsLeftLine: ::DrawEdge(dc, &r, lines, BF_LEFT); break;
    case TBevelShape::bsRightLine: ::DrawEdge(dc, &r, lines, BF_RIGHT); break;
    case TBevelShape::bsSpacer: break;
  }
}

// ---- TWRShape

TWRShape::TWRShape() : TWRControl({WC_STATICW, WS_CLIPSIBLINGS}) {}

LRESULT TWRShape::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // the paint fills everything
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = ::BeginPaint(Handle(), &paint);
      RECT r{};
      ::GetClientRect(Handle(), &r);
      const COLORREF color = ColorToRGB(BrushColor);
      ::SetBkColor(dc, color);
      ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
      ::EndPaint(Handle(), &paint);
      return 0;
    }
    default:
      return DefaultProc(message, wParam, lParam);
  }
}

}  // namespace tdialix
