// The checks every paged dialog's layout table passes: each control inside
// the page or group that holds it, the buttons below the pages and inside
// the form. Pure: the tables are checked natively, before any window exists.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/geometry.h"
#include "components/form_layout.h"

namespace tdialix {

// Whether the control fits in a holder of that size (a zero width or height
// is the control's own, measured later, and fits).
inline bool Inside(const TControlSpec& c, int width, int height) {
  const bool across = c.Width == 0 || c.Left + c.Width <= width;
  const bool down = c.Height == 0 || c.Top + c.Height <= height;
  return c.Left >= 0 && c.Top >= 0 && across && down;
}

using TNamedSpecs = std::vector<std::pair<const char*, TControlSpec>>;
using TGroupedSpecs = std::vector<std::pair<TControlSpec, std::vector<TControlSpec>>>;

inline void ExpectPagedDialogFits(TSize clientSize, const TControlSpec& pageControl, const TNamedSpecs& onPages,
                                  const TGroupedSpecs& groups, const std::vector<TControlSpec>& buttons) {
  // The room a tab page gives inside the page control: the tabs above, a
  // border around (the system's tab control, generously).
  constexpr int kTabsHeight = 30, kPageBorder = 8;
  const int pageWidth = pageControl.Width - kPageBorder;
  const int pageHeight = pageControl.Height - kTabsHeight - kPageBorder;
  for (const auto& [name, spec] : onPages) EXPECT_TRUE(Inside(spec, pageWidth, pageHeight)) << name;
  for (const auto& [group, controls] : groups) {
    for (const TControlSpec& c : controls) EXPECT_TRUE(Inside(c, group.Width, group.Height)) << group.Text;
  }
  // The buttons below the pages, inside the form.
  for (const TControlSpec& button : buttons) {
    EXPECT_TRUE(Inside(button, clientSize.cx, clientSize.cy)) << button.Text;
    EXPECT_GE(button.Top, pageControl.Top + pageControl.Height) << button.Text;
  }
  EXPECT_TRUE(Inside(pageControl, clientSize.cx, clientSize.cy));
}

}  // namespace tdialix
