#include "components/form_layout.h"

#include <algorithm>
#include <cstdlib>

#include "base/scale.h"

namespace tdialix {

int ScaleToDpi(int pixels, int dpi) { return dpi == 96 ? pixels : ScaleRound(pixels, 96, dpi); }

bool UsesDialogFontFace(TWindowsVersion version) { return version.AtLeast(6, 1); }

int TallerFontHeight(int height, int pixels) { return height < 0 ? height - pixels : height + pixels; }

TRect CenteredRect(TSize size, TRect area) {
  const int left = area.Left + (area.Width() - size.cx) / 2;
  const int top = area.Top + (area.Height() - size.cy) / 2;
  return {left, top, left + size.cx, top + size.cy};
}

TRect KeptInsideWorkArea(TRect window, TRect workArea) {
  int dx = 0, dy = 0;
  if (window.Right > workArea.Right) dx = workArea.Right - window.Right;
  if (window.Bottom > workArea.Bottom) dy = workArea.Bottom - window.Bottom;
  if (window.Left + dx < workArea.Left) dx = workArea.Left - window.Left;
  if (window.Top + dy < workArea.Top) dy = workArea.Top - window.Top;
  return {window.Left + dx, window.Top + dy, window.Right + dx, window.Bottom + dy};
}

std::optional<size_t> SnapButton(const std::vector<TSnapCandidate>& buttons) {
  for (auto wanted : {&TSnapCandidate::Default, &TSnapCandidate::Cancel}) {
    const auto found = std::find_if(buttons.begin(), buttons.end(), [wanted](const TSnapCandidate& b) { return b.*wanted; });
    if (found != buttons.end()) return static_cast<size_t>(found - buttons.begin());
  }
  const auto first = std::find_if(buttons.begin(), buttons.end(), [](const TSnapCandidate& b) { return b.TabOrder == 0; });
  if (first != buttons.end()) return static_cast<size_t>(first - buttons.begin());
  return std::nullopt;
}

std::optional<TMsg> SystemMenuHint(unsigned command) {
  // The low four bits of a system command are the system's own.
  switch (command & 0xFFF0) {
    case syscommand::Size: return TMsg::HintSize;
    case syscommand::Move: return TMsg::HintMove;
    case syscommand::Minimize: return TMsg::HintMinimize;
    case syscommand::Maximize: return TMsg::HintMaximize;
    case syscommand::NextWindow: return TMsg::HintNextWindow;
    case syscommand::PrevWindow: return TMsg::HintPrevWindow;
    case syscommand::Close: return TMsg::HintClose;
    case syscommand::Restore: return TMsg::HintRestore;
    default: return std::nullopt;
  }
}

}  // namespace tdialix
