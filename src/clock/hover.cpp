#include "clock/hover.h"

#include "base/scale.h"

namespace tdialix {

TRect HoverRect(const THoverGeometry& g, const THoverSettings& s) {
  switch (s.HideType) {
    case htHide: {
      const TRect drawn{g.Window.Left + g.VisibleLeft - g.BorderLeft, g.Window.Top,
                        g.Window.Left + g.VisibleRight + g.BorderRight, g.Window.Bottom};
      const int h = g.Window.Height();
      return drawn.Inflated(ScaleRound(s.HideSensitive * 10 + 10, 100, h) - ScaleRound(50, 100, h));
    }
    case htHole: {
      const int d = ScaleRound(s.HoleSize, 100, g.DrawnHeight) / 2;
      TRect rect = g.Window.Inflated(d);
      if (s.DisplayBits > 15) rect = rect.Inflated(ScaleRound(s.HoleSoft, 100, d));
      return rect;
    }
    default:
      return g.Window;
  }
}

bool PassHoleThrottle(std::uint32_t& waitCount, unsigned timerInterval) {
  if (waitCount >= timerInterval / 10 && timerInterval < 100) {
    waitCount = 0;
    return true;
  }
  ++waitCount;
  return false;
}

bool IsCtrlPressOrRelease(unsigned virtualKey, std::uint32_t keyFlags) {
  constexpr unsigned kVkControl = 0x11;
  const bool released = (keyFlags >> 31) & 1;
  const bool wasDown = (keyFlags >> 30) & 1;
  return virtualKey == kVkControl && !(!released && wasDown);
}

bool HookMouseStep(THoverState& state, const THookMouseInput& input) {
  bool hover = input.Inside;
  if (input.ClickHide) {
    state.ClickHideFlag = state.ClickHideFlag || (input.LeftButtonDown && input.Inside);
    hover = hover && state.ClickHideFlag;
    if (!hover) state.ClickHideFlag = false;
  }
  state.HoverFlag = hover;

  if (hover) {
    if ((input.HideType == htHole || !state.HookHoverFlag) && !input.CtrlHeld && !input.SizeMoving) {
      state.HookHoverFlag = true;
      return true;
    }
    return false;
  }
  if (state.HookHoverFlag) {
    state.HookHoverFlag = false;
    return true;
  }
  return false;
}

bool PointerEngaged(const THoverState& state, THideType hideType, bool clickHide) {
  switch (hideType) {
    case htHide:
      return state.HoverFlag || state.AlphaHiding || state.HookHoverFlag || (clickHide && state.ClickHideFlag);
    case htHole:
      return state.HoverFlag || state.SaveHoverFlag || state.HookHoverFlag;
    case htTransparent:
      return clickHide && state.ClickHideFlag;
    default:
      return false;
  }
}

}  // namespace tdialix
