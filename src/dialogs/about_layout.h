// The about box's layout and texts, which need no window: the form's size,
// each control's place and design text, and how the texts are filled in.
#pragma once

#include <string>

#include "base/geometry.h"
#include "components/form_layout.h"

namespace tdialix {

// What the about box tells: the program's name, version, copyright line and
// web site.
struct TAboutInfo {
  std::wstring Title;
  std::wstring Version;
  std::wstring Copyright;
  std::wstring WebSite;
};

struct TAboutLayout {
  std::wstring Caption;
  TSize ClientSize;
  // In tab order.
  TControlSpec Image;
  TControlSpec TitleLabel;
  TControlSpec VersionLabel;
  TControlSpec CopyrightLabel;
  TControlSpec URLButton;
  TControlSpec NoticeLabel;
  TControlSpec OKButton;
};

// The program's icon is shown at this size, and the title's font is this much
// taller than the dialog font.
inline constexpr int kAboutIconSize = 48;
inline constexpr int kAboutTitleTaller = 10;

// The layout with the labels' design texts: the formats their values go into.
TAboutLayout AboutLayout();

// Fills each label's value into its design text.
void FillAboutTexts(TAboutLayout& layout, const TAboutInfo& info);

}  // namespace tdialix
