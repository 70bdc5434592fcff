// The link label, the bevel and the shape.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/types.h"
#include "components/color_names.h"
#include "components/control_win.h"

namespace tdialix {

// A text with links, marked like "<a>https://...</a>" (the system's link
// control, from common controls 6 on). It takes the tab stop and no composed
// input, shows its parent's background, the hand over a link and the arrow
// elsewhere (where it still counts as client area, so the arrow stays), and
// greys its text while disabled.
class TWRLinkLabel : public TWRControl {
 public:
  TWRLinkLabel();
  // The colour of the text outside the links while enabled.
  TColor FontColor = SystemColor(COLOR_WINDOWTEXT);
  // A link was clicked or chosen with Enter: its address (or, without one, its text).
  std::function<void(const std::wstring& link)> OnLinkClick;

  // Whether the point (in the label's client area) is on a link.
  bool LinkAt(POINT client) const;

 protected:
  SIZE AutoSize(SIZE given) const override;
  void CreateWnd() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> Notification(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A bevel: a frame, or one line of it, lowered or raised. Between its lines
// it shows its parent's background; controls placed over it stay above it
// (it clips them out), whichever was made first.
class TWRBevel : public TWRControl {
 public:
  TWRBevel();
  enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
  enum class TBevelStyle { bsLowered, bsRaised };
  TBevelShape Shape = TBevelShape::bsBox;
  TBevelStyle Style = TBevelStyle::bsLowered;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc) const;
};

// A rectangle filled with a colour, behind the controls placed over it (it
// clips them out, as the bevel does): a band behind a dialog's headline.
class TWRShape : public TWRControl {
 public:
  TWRShape();
  TColor BrushColor = SystemColor(COLOR_WINDOW);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace tdialix
