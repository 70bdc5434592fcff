#include "clock/frame_composer.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/scale.h"
#include "clock/display_string.h"

namespace tdialix {

namespace {

wchar_t CharAt(std::wstring_view text, int i) { return i < static_cast<int>(text.size()) ? text[i] : L' '; }

bool IsUnlit(wchar_t c) { return c == L'_' || c == L';' || c == L'<'; }
bool IsHalfColon(wchar_t c) { return c == L'\'' || c == L','; }

int Clamp255(int v) { return std::clamp(v, 0, 255); }

long long ElapsedMs(TDateTime now, TDateTime start) {
  return std::llround((now - start) * static_cast<double>(MSecsPerDay));
}

int Quadratic(long long e, int half, int length) {
  return ScaleRound(ScaleRound(static_cast<double>(e) * static_cast<double>(e), half, 1), half, length / 2);
}

}  // namespace

int GlyphIndexOf(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  switch (c) {
    case L':': case L'_': case L'\'': case L',':
      return kColonGlyph;
    case L'.': case L';':
      return kPeriodGlyph;
    case L'-': case L'<':
      return kHyphenGlyph;
    default:
      return kBlankGlyph;
  }
}

void TFrameComposer::ResetAnimation(std::wstring_view prevText) {
  for (int i = 0; i < kCellCount; ++i) {
    TDigitParams& cell = DigitParams[i];
    cell.StartTime = 0;
    cell.NewChar = cell.OldChar = CharAt(prevText, i);
    cell.OldX = cell.NewX;
  }
}

bool TFrameComposer::Compose(const TComposeInput& in) {
  const TStyle& style = *in.Style;
  const TGlyphStrip& strip = *in.Strip;
  Strip = &strip;
  CellHeight = strip.MaxDrawSize.cy;
  DigitSpacing = strip.TempSpacing[0];
  SeparatorSpacing = strip.TempSpacing[1];
  // The margins follow the style at once, so that a style change never lays
  // out a frame with the previous style's margins.
  TempBorderWidth = {MarginPixels(style.BorderWidth.Left, CellHeight), MarginPixels(style.BorderWidth.Top, CellHeight),
                     MarginPixels(style.BorderWidth.Right, CellHeight), MarginPixels(style.BorderWidth.Bottom, CellHeight)};

  bool changed = in.HoverChanged || in.Redraw || in.NowText.substr(0, kCellCount) != in.PrevText.substr(0, kCellCount);
  Layout(in, changed);
  const int oldRight = VisiblityRect.Right;
  UpdateVisibleRect();
  if (!changed && VisiblityRect.Right == oldRight && !ULWBmp.Empty()) return false;

  const int width = VisiblityRect.Left + VisiblityRect.Right + TempBorderWidth.Left + TempBorderWidth.Right;
  const int height = CellHeight + TempBorderWidth.Top + TempBorderWidth.Bottom;
  if (ULWBmp.Width() != width || ULWBmp.Height() != height) {
    ULWBmp.SetSize(width, height);
    HaveFrame = false;
  }
  const TFrameKey key{&style, &strip, strip.Generation, style.AnimationType, style.BackGrndType, style.BackGrndAlign,
                      style.BackGrndAlpha, style.BackGrndGradType, strip.BackGrndColor, strip.BackGrndGradColor1,
                      strip.BackGrndGradColor2, VisiblityRect, TempBorderWidth, width, height, CellHeight,
                      DigitSpacing, SeparatorSpacing};
  std::array<TCellLook, kCellCount> looks;
  for (int i = 0; i < kCellCount; ++i) looks[i] = LookOf(DigitParams[i]);

  // The columns to draw anew: the whole frame, or those of the cells whose
  // look changed, where they were and where they are.
  std::vector<std::pair<int, int>> spans;
  if (AlwaysWhole || in.Redraw || in.HoverChanged || !HaveFrame || key != LastKey) {
    spans.emplace_back(0, width);
  } else {
    for (int i = 0; i < kCellCount; ++i) {
      if (looks[i] == LastLooks[i]) continue;
      for (const TCellLook* look : {&LastLooks[i], &looks[i]}) {
        if (look->Left < look->Right) spans.emplace_back(look->Left, look->Right);
      }
    }
    std::sort(spans.begin(), spans.end());
    std::size_t merged = 0;
    for (const auto& span : spans) {
      if (merged > 0 && span.first <= spans[merged - 1].second) {
        spans[merged - 1].second = std::max(spans[merged - 1].second, span.second);
      } else {
        spans[merged++] = span;
      }
    }
    spans.resize(merged);
  }

  DrawnRect = {};
  for (const auto& [left, right] : spans) {
    const TRect span{std::max(left, 0), 0, std::min(right, width), height};
    if (span.Left >= span.Right) continue;
    DrawnRect = DrawnRect.Left >= DrawnRect.Right ? span
                                                  : TRect{std::min(DrawnRect.Left, span.Left), 0,
                                                          std::max(DrawnRect.Right, span.Right), height};
  }

  // Nothing shows where nothing is drawn.
  const std::uint32_t clear = BrushPixel(strip.BrushColor);
  for (const auto& [left, right] : spans) {
    Clip = {std::max(left, 0), 0, std::min(right, width), height};
    if (Clip.Left >= Clip.Right) continue;
    for (int y = 0; y < height; ++y) {
      FillRun(reinterpret_cast<TPixel32*>(ULWBmp.Pixel(Clip.Left, y)), static_cast<std::size_t>(Clip.Width()), clear);
    }
    DrawBackground(style, strip);
    DrawCells(in);
  }
  LastKey = key;
  LastLooks = looks;
  HaveFrame = true;
  return true;
}

bool TFrameComposer::Animating() const {
  for (const TDigitParams& cell : DigitParams) {
    if (cell.StartTime != 0) return true;
  }
  return false;
}

void TFrameComposer::Blank(TRgb brush) {
  FillRun(reinterpret_cast<TPixel32*>(ULWBmp.Data().data()), ULWBmp.Data().size() / 4, BrushPixel(brush));
  Invalidate();
}

TFrameComposer::TCellLook TFrameComposer::LookOf(const TDigitParams& cell) const {
  TCellLook look;
  look.Changing = cell.StartTime != 0;
  look.NewChar = cell.NewChar;
  look.OldChar = cell.OldChar;
  look.NewX = cell.NewX;
  look.OldX = cell.OldX;
  if (look.Changing) {
    look.NewProgress = cell.NewProgress;
    look.OldProgress = cell.OldProgress;
    look.NewLength = cell.NewLength;
    look.OldLength = cell.OldLength;
  }
  if (cell.NewIndex == kBlankGlyph && cell.OldIndex == kBlankGlyph) return look;  // draws nothing
  // Every blend of a cell stays within its glyph's columns, where it is and where it was.
  const int shift = SeparatorSpacing / 2 - DigitSpacing;
  const int newX = cell.NewX + TempBorderWidth.Left + (cell.NewIsSeparator ? shift : 0);
  const int oldX = cell.OldX + TempBorderWidth.Left + (cell.OldIsSeparator ? shift : 0);
  const int w = std::max(Strip->DrawSizes[cell.NewIndex].cx, Strip->DrawSizes[cell.OldIndex].cx);
  look.Left = std::min(newX, oldX);
  look.Right = std::max(newX, oldX) + w;
  return look;
}

void TFrameComposer::Blend(const TRect& to, const TRect& from, int alpha) {
  BlendRect(ULWBmp, to, Strip->SrcImg, from, alpha, Clip);
}

void TFrameComposer::Layout(const TComposeInput& in, bool& changed) {
  const TStyle& style = *in.Style;
  const TGlyphStrip& strip = *in.Strip;
  const bool smoothFlash = style.FlashColonType != fcNone && style.FlashColonSmooth && in.DisplayBits >= 16;
  const bool animating = style.AnimationType != atNone || smoothFlash;
  const int cy = CellHeight;
  int x = 0;
  for (int i = 0; i < kCellCount; ++i) {
    TDigitParams& cell = DigitParams[i];
    const wchar_t c = CharAt(in.NowText, i);
    if (animating) {
      if (cell.StartTime == 0 && !(c == CharAt(in.PrevText, i) && c == cell.OldChar)) cell.StartTime = in.Now;
    } else {
      cell.StartTime = 0;
    }
    cell.NewChar = c;
    cell.NewX = x;
    cell.NewIndex = GlyphIndexOf(cell.NewChar);
    cell.OldIndex = GlyphIndexOf(cell.OldChar);
    cell.NewSrcX = strip.CellLeft(cell.NewIndex);
    cell.OldSrcX = strip.CellLeft(cell.OldIndex);
    cell.NewIsSeparator = IsSeparator(cell.NewChar);
    cell.OldIsSeparator = IsSeparator(cell.OldChar);

    if (cell.StartTime != 0) {
      // When the system clock goes back, the change started "later" than now:
      // it ends at once instead of standing still for as long as the jump.
      const long long elapsed = ElapsedMs(in.Now, cell.StartTime);
      const bool clockWentBack = elapsed < 0;
      const long long e = std::max(elapsed, 0LL);
      if (cell.NewIsSeparator || cell.OldIsSeparator) {
        if (smoothFlash) {
          cell.OldLength = cell.NewLength = 2 * cy;
          cell.OldProgress = cell.NewProgress = Quadratic(e, 125, cell.NewLength);
        } else {
          cell.OldLength = cell.NewLength = 0;
          cell.OldProgress = cell.NewProgress = INT_MAX;
        }
      } else {
        switch (style.AnimationType) {
          case atNone: cell.OldLength = cell.NewLength = 0; break;
          case atHorz:
            cell.OldLength = 2 * strip.DrawSizes[cell.OldIndex].cx;
            cell.NewLength = 2 * strip.DrawSizes[cell.NewIndex].cx;
            break;
          case atVert:
          case atFade: cell.OldLength = cell.NewLength = 2 * cy; break;
          default: cell.OldLength = cell.NewLength = cy; break;
        }
        auto progress = [&](int length) {
          if (style.AnimationType == atNone) return INT_MAX;
          const double d = style.AnimationSpeed - 100.0;
          if (style.Inertia) {
            const int half = ScaleRound(d * d, 20000, 60000);
            if (e < half) return Quadratic(e, half, length);
            const long long r = std::max(2LL * half - e, 0LL);
            return length - (half > 0 ? Quadratic(r, half, length) : 0);
          }
          const int duration = ScaleRound(d * d, 10000, 60000);
          return duration == 0 ? length : ScaleRound(static_cast<double>(e), duration, length);
        };
        cell.OldProgress = progress(cell.OldLength);
        cell.NewProgress = progress(cell.NewLength);
      }
      if (clockWentBack) {
        cell.OldProgress = std::max(cell.OldProgress, cell.OldLength);
        cell.NewProgress = std::max(cell.NewProgress, cell.NewLength);
      }
      if (cell.NewIsSeparator != cell.OldIsSeparator || cell.NewProgress >= cell.NewLength) {
        cell.StartTime = 0;
        cell.OldChar = cell.NewChar;
        cell.OldX = cell.NewX;
        cell.OldIndex = cell.NewIndex;
        cell.OldSrcX = cell.NewSrcX;
        cell.OldIsSeparator = cell.NewIsSeparator;
      }
      changed = true;
    } else if (style.AnimationType == atNone || in.Redraw) {
      cell.OldChar = cell.NewChar;
      cell.OldX = cell.NewX;
      cell.OldIndex = cell.NewIndex;
      cell.OldSrcX = cell.NewSrcX;
      cell.OldIsSeparator = cell.NewIsSeparator;
    }

    const int w = strip.DrawSizes[cell.NewIndex].cx;
    if (cell.NewIsSeparator || cell.OldIsSeparator) x = x - DigitSpacing + w + SeparatorSpacing;
    else x = x + w + DigitSpacing;
    x = std::max(x, 0);
  }
}

void TFrameComposer::UpdateVisibleRect() {
  VisiblityRect.Left = TempBorderWidth.Left;
  for (const TDigitParams& cell : DigitParams) {
    if (cell.NewChar != L' ' || cell.OldChar != L' ') {
      VisiblityRect.Left = TempBorderWidth.Left + cell.NewX;
      break;
    }
  }
  auto visible = [](const TDigitParams& c) {
    return c.NewChar != L' ' || c.OldChar != L' ' || c.NewIsSeparator || c.OldIsSeparator;
  };
  bool seen = false;
  for (int i = 0; i < kCellCount; ++i) {
    const TDigitParams& cell = DigitParams[i];
    if (visible(cell)) {
      seen = true;
      if (i == kCellCount - 1) {
        const int right = cell.NewX + Strip->DrawSizes[cell.NewIndex].cx;
        if (!(cell.StartTime != 0 && right < VisiblityRect.Right)) VisiblityRect.Right = right;
      }
      continue;
    }
    if (!seen) continue;
    const TDigitParams& previous = DigitParams[i - 1];
    const bool keep = previous.NewChar == L' ' || (previous.StartTime != 0 && cell.NewX < VisiblityRect.Right);
    if (!keep) VisiblityRect.Right = std::max(cell.NewX - DigitSpacing, 0);
    break;
  }
}

void TFrameComposer::DrawBackground(const TStyle& style, const TGlyphStrip& strip) {
  const int x0 = std::max(VisiblityRect.Left - TempBorderWidth.Left, 0);
  const int x1 = std::min(VisiblityRect.Right + TempBorderWidth.Left + TempBorderWidth.Right - 1, ULWBmp.Width() - 1);
  const int height = ULWBmp.Height();
  if (x1 < x0 || height <= 0) return;
  // The columns of the span that are being drawn.
  const int from = std::max(x0, Clip.Left);
  const int to = std::min(x1, Clip.Right - 1);
  if (to < from) return;

  if (style.BackGrndType == btFill || style.BackGrndType == btGradation) {
    const int alpha = Clamp255(255 - ScaleRound(style.BackGrndAlpha, 100, 255));
    // The strip holds the colours resolved (a system colour is the user's current one).
    const TRgb c1 = style.BackGrndType == btFill ? strip.BackGrndColor : strip.BackGrndGradColor1;
    const TRgb c2 = strip.BackGrndGradColor2;
    const bool plain = style.BackGrndType == btFill || c1 == c2;
    // Each channel between the two colours: (c2 * a + c1 * b) div (a + b).
    auto mix = [&](int a, int b, int shift) {
      const int v1 = (c1 >> shift) & 0xFF, v2 = (c2 >> shift) & 0xFF;
      if (a + b <= 0) a = 1;
      return (v2 * a + v1 * b) / (a + b);
    };
    // A premultiplied pixel: each colour channel alpha × channel / 255.
    auto pixel = [alpha](int r, int g, int b) {
      return static_cast<std::uint32_t>(alpha * b / 255) | static_cast<std::uint32_t>(alpha * g / 255) << 8 |
             static_cast<std::uint32_t>(alpha * r / 255) << 16 | static_cast<std::uint32_t>(alpha) << 24;
    };
    const std::size_t span = static_cast<std::size_t>(to - from + 1);
    if (plain || style.BackGrndGradType == gtVert) {  // one value per row
      for (int y = 0; y < height; ++y) {
        const int a = y, b = height - 1 - y;
        const std::uint32_t value = plain ? pixel(RedOf(c1), GreenOf(c1), BlueOf(c1))
                                          : pixel(mix(a, b, 0), mix(a, b, 8), mix(a, b, 16));
        FillRun(reinterpret_cast<TPixel32*>(ULWBmp.Pixel(from, y)), span, value);
      }
    } else {  // one row, repeated
      std::vector<std::uint32_t> row(span);
      for (int x = from; x <= to; ++x) {
        const int a = x - x0, b = x1 - x;
        row[x - from] = pixel(mix(a, b, 0), mix(a, b, 8), mix(a, b, 16));
      }
      for (int y = 0; y < height; ++y) std::memcpy(ULWBmp.Pixel(from, y), row.data(), span * 4);
    }
    return;
  }
  if (style.BackGrndType != btBitmap || !strip.BackGrndFlag || strip.BackGrndImg.Empty()) return;

  const TBitmap& picture = strip.BackGrndImg;
  const int W = x1 - x0 + 1;
  const int H = height;
  const int pw = picture.Width();
  const int ph = picture.Height();
  if (style.BackGrndAlign == baZoom) {
    BlendRect(ULWBmp, {x0, 0, x0 + W, H}, picture, {0, 0, pw, ph}, 255, Clip);
    return;
  }
  if (style.BackGrndAlign == baTile) {
    for (int ty = 0; ty < H; ty += ph) {
      for (int tx = x0; tx <= x1; tx += pw) {
        const int w = std::min(pw, x1 + 1 - tx);
        const int h = std::min(ph, H - ty);
        BlendRect(ULWBmp, {tx, ty, tx + w, ty + h}, picture, {0, 0, w, h}, 255, Clip);
      }
    }
    return;
  }
  // Left, centre or right; a picture larger than the span is cut, a smaller one placed.
  int srcX = 0, dstX = x0, w = pw;
  if (W < pw) {
    w = W;
    srcX = style.BackGrndAlign == baLeft ? 0 : style.BackGrndAlign == baCenter ? (pw - W) / 2 : pw - W;
  } else {
    dstX = style.BackGrndAlign == baLeft ? x0 : style.BackGrndAlign == baCenter ? x0 + (W - pw) / 2 : x0 + W - pw;
  }
  int srcY = 0, dstY = 0, h = ph;
  if (ph > H) {
    h = H;
    srcY = (ph - H) / 2;
  } else {
    dstY = (H - ph) / 2;
  }
  BlendRect(ULWBmp, {dstX, dstY, dstX + w, dstY + h}, picture, {srcX, srcY, srcX + w, srcY + h}, 255, Clip);
}

void TFrameComposer::DrawCells(const TComposeInput& in) {
  for (const TDigitParams& cell : DigitParams) {
    const TCellLook look = LookOf(cell);
    if (look.Left >= look.Right || look.Right <= Clip.Left || look.Left >= Clip.Right) continue;
    DrawCell(in, cell);
  }
}

void TFrameComposer::DrawCell(const TComposeInput& in, const TDigitParams& cell) {
  const TStyle& style = *in.Style;
  const TGlyphStrip& strip = *in.Strip;
  const int cy = CellHeight;
  const int left = TempBorderWidth.Left;
  const int top = TempBorderWidth.Top;
  const int separatorShift = SeparatorSpacing / 2 - DigitSpacing;

  // The whole cell, or part of its rows, at alpha.
  auto blendRows = [&](int srcX, int index, int x, int rowFrom, int rows, int y, int alpha) {
    const int w = strip.DrawSizes[index].cx;
    Blend({x, y, x + w, y + rows}, {srcX, rowFrom, srcX + w, rowFrom + rows}, alpha);
  };
  auto blendWhole = [&](int srcX, int index, int x, int alpha) {
    blendRows(srcX, index, x, 0, strip.DrawSizes[index].cy, top, alpha);
  };
  // The colon's halves: the upper rows from y0, then the lower ones.
  const int y0 = strip.DrawOffsets[kColonGlyph].Y;
  const int half = static_cast<int>(RoundHalfAway((cy - y0) / 2.0));
  const int lowerRows = y0 + 2 * half > strip.DrawSizes[kColonGlyph].cy ? half - 1 : half;
  auto blendHalf = [&](int srcX, int x, bool upper, int alpha) {
    if (upper) blendRows(srcX, kColonGlyph, x, y0, half, top + y0, alpha);
    else blendRows(srcX, kColonGlyph, x, y0 + half, lowerRows, top + y0 + half, alpha);
  };

  const int newX = cell.NewX + left + (cell.NewIsSeparator ? separatorShift : 0);
  const int oldX = cell.OldX + left + (cell.OldIsSeparator ? separatorShift : 0);

  if (cell.StartTime == 0) {
    if (IsUnlit(cell.NewChar)) return;
    if (cell.NewChar == L'\'') blendHalf(cell.NewSrcX, newX, false, 255);
    else if (cell.NewChar == L',') blendHalf(cell.NewSrcX, newX, true, 255);
    else blendWhole(cell.NewSrcX, cell.NewIndex, newX, 255);
    return;
  }

  if (cell.NewIsSeparator || cell.OldIsSeparator) {
    // Outgoing separator fading out, then incoming fading in.
    if (cell.OldProgress < cell.OldLength && cell.OldLength > 0) {
      const int g = ScaleRound(cell.OldLength - cell.OldProgress, cell.OldLength, 255);
      if (IsHalfColon(cell.NewChar)) {
        const bool keepsUpper = cell.NewChar == L',';
        blendHalf(cell.OldSrcX, oldX, !keepsUpper, g);
        blendHalf(cell.OldSrcX, oldX, keepsUpper, 255);
      } else if (IsUnlit(cell.NewChar)) {
        blendWhole(cell.OldSrcX, cell.OldIndex, oldX, g);
      }
    }
    if (cell.NewProgress < cell.NewLength && cell.NewLength > 0) {
      const int f = ScaleRound(cell.NewProgress, cell.NewLength, 255);
      if (IsHalfColon(cell.OldChar)) {
        const bool hadUpper = cell.OldChar == L',';
        blendHalf(cell.NewSrcX, newX, !hadUpper, f);
        blendHalf(cell.NewSrcX, newX, hadUpper, 255);
      } else if (IsUnlit(cell.OldChar)) {
        blendWhole(cell.NewSrcX, cell.NewIndex, newX, f);
      }
    }
    return;
  }

  const int oldW = strip.DrawSizes[cell.OldIndex].cx;
  const int newW = strip.DrawSizes[cell.NewIndex].cx;
  const bool outgoing = cell.OldProgress < cell.OldLength;
  const int p = std::min(cell.NewProgress, cy);
  switch (style.AnimationType) {
    case atHorz: {
      const int wo = oldW - cell.OldProgress;
      if (outgoing && wo > 0) {
        const int x = oldX + (oldW - wo) / 2;
        Blend({x, top, x + wo, top + cy}, {cell.OldSrcX, 0, cell.OldSrcX + oldW, cy}, 255);
      }
      const int wn = cell.NewProgress - newW;
      if (wn > 0) {
        const int x = newX + (newW - wn) / 2;
        Blend({x, top, x + wn, top + cy}, {cell.NewSrcX, 0, cell.NewSrcX + newW, cy}, 255);
      }
      break;
    }
    case atVert: {
      const int ho = cy - cell.OldProgress;
      if (outgoing && ho > 0) {
        const int y = top + (cy - ho) / 2;
        Blend({newX, y, newX + oldW, y + ho}, {cell.OldSrcX, 0, cell.OldSrcX + oldW, cy}, 255);
      }
      const int hn = cell.NewProgress - cy;
      if (hn > 0) {
        const int y = top + (cy - hn) / 2;
        Blend({newX, y, newX + newW, y + hn}, {cell.NewSrcX, 0, cell.NewSrcX + newW, cy}, 255);
      }
      break;
    }
    case atUp:
      if (outgoing) blendRows(cell.OldSrcX, cell.OldIndex, oldX, p, cy - p, top, 255);
      blendRows(cell.NewSrcX, cell.NewIndex, newX, 0, p, top + cy - p, 255);
      break;
    case atDown:
      if (outgoing) blendRows(cell.OldSrcX, cell.OldIndex, oldX, 0, cy - p, top + p, 255);
      blendRows(cell.NewSrcX, cell.NewIndex, newX, cy - p, p, top, 255);
      break;
    case atFade:
      if (cell.OldProgress < cy) {
        blendRows(cell.OldSrcX, cell.OldIndex, oldX, 0, cy, top, ScaleRound(cy - cell.OldProgress, cy, 255));
      }
      if (cell.NewProgress >= cy) {
        blendRows(cell.NewSrcX, cell.NewIndex, newX, 0, cy, top, ScaleRound(cell.NewProgress - cy, cy, 255));
      }
      break;
    case atFadeOut:
    case atFadeCross: {
      if (outgoing) {
        blendRows(cell.OldSrcX, cell.OldIndex, oldX, 0, cy, top,
                  ScaleRound(cell.OldLength - cell.OldProgress, cell.OldLength, 255));
      }
      const int alpha = style.AnimationType == atFadeOut ? 255 : ScaleRound(cell.NewProgress, cell.NewLength, 255);
      blendRows(cell.NewSrcX, cell.NewIndex, newX, 0, cy, top, alpha);
      break;
    }
    default:
      blendWhole(cell.NewSrcX, cell.NewIndex, newX, 255);
      break;
  }
}

}  // namespace tdialix
