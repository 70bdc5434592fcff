// The fields of a style that the clocks' images are built from (the glyph
// strip and the background picture), apart from the ones that only change how
// a frame is composed from them.
#pragma once

#include <tuple>

#include "style/style.h"

namespace tdialix {

// The image fields of a style, as a tuple of references: compared to see
// whether a change needs the images rebuilt, assigned to take them over.
template <class TAnyStyle>
auto ImageFields(TAnyStyle& s) {
  return std::tie(s.FontType, s.FontName, s.FontFile, s.FontStyles, s.FontSize, s.FontSpacing, s.FontWidth,
                  s.FontPitch, s.FontSmoothing, s.IsTrueTypeFont, s.FontColor, s.OuterFrame, s.OuterFrameColor,
                  s.OuterFrameSoft, s.OuterFrameTransparent, s.InnerFrame, s.InnerFrameColor, s.InnerFrameSoft,
                  s.InnerFrameTransparent, s.Shadow, s.ShadowColor, s.ShadowSoft, s.ShadowTransparent,
                  s.BackGrndType, s.BackGrndColor, s.BackGrndGradColor1, s.BackGrndGradColor2, s.BackGrnd,
                  s.BackGrndSize, s.BackGrndAlign, s.BorderWidth);
}

// Whether images built for one style would differ from those of the other.
inline bool ImageFieldsDiffer(const TStyle& a, const TStyle& b) { return ImageFields(a) != ImageFields(b); }

// The values of one style drawn with the images built for another: what the
// clocks show while the images of the newest values are still being built.
inline TStyle WithImagesOf(TStyle values, const TStyle& images) {
  ImageFields(values) = ImageFields(images);
  return values;
}

}  // namespace tdialix
