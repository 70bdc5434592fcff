#include "clock/pixel_blend.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tdialix {

namespace {

inline std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, int constantAlpha) {
  int c[4];
  for (int k = 0; k < 4; ++k) c[k] = Mul255(static_cast<int>((s >> (8 * k)) & 0xFF), constantAlpha);
  std::uint32_t out = 0;
  for (int k = 0; k < 4; ++k) {
    const int v = c[k] + Mul255(static_cast<int>((d >> (8 * k)) & 0xFF), 255 - c[3]);
    out |= static_cast<std::uint32_t>(std::min(v, 255)) << (8 * k);
  }
  return out;
}

#if defined(__SSE2__)

// Mul255 in every 16-bit lane: t = v * a + 128 stays below 65536, and
// (t * 257) >> 16 equals (t + (t >> 8)) >> 8 for every such t.
inline __m128i Mul255x8(__m128i v, __m128i a) {
  const __m128i t = _mm_add_epi16(_mm_mullo_epi16(v, a), _mm_set1_epi16(128));
  return _mm_mulhi_epu16(t, _mm_set1_epi16(257));
}

// Two pixels widened to 16-bit lanes.
inline __m128i BlendTwo(__m128i s, __m128i d, __m128i constantAlpha, bool scaled) {
  if (scaled) s = Mul255x8(s, constantAlpha);
  __m128i alpha = _mm_shufflelo_epi16(s, _MM_SHUFFLE(3, 3, 3, 3));
  alpha = _mm_shufflehi_epi16(alpha, _MM_SHUFFLE(3, 3, 3, 3));
  const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(255), alpha);
  return _mm_add_epi16(s, Mul255x8(d, inverse));
}

// Four pixels in one register.
template <bool Scaled>
inline __m128i BlendVector(__m128i s, __m128i d, __m128i constantAlpha) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lo = BlendTwo(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), constantAlpha, Scaled);
  const __m128i hi = BlendTwo(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), constantAlpha, Scaled);
  return _mm_packus_epi16(lo, hi);
}

inline __m128i LoadPixel(const TPixel32* p) { return _mm_cvtsi32_si128(static_cast<int>(*p)); }
inline __m128i LoadTwo(const TPixel32* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }

// One to three pixels into the low lanes of a register, the rest zero.
inline __m128i LoadShort(const TPixel32* p, std::size_t count) {
  switch (count) {
    case 1: return LoadPixel(p);
    case 2: return LoadTwo(p);
    default: return _mm_unpacklo_epi64(LoadTwo(p), LoadPixel(p + 2));
  }
}

inline void StoreShort(TPixel32* p, __m128i v, std::size_t count) {
  if (count >= 2) {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v);
    if (count == 3) p[2] = static_cast<TPixel32>(_mm_cvtsi128_si32(_mm_srli_si128(v, 8)));
  } else {
    p[0] = static_cast<TPixel32>(_mm_cvtsi128_si32(v));
  }
}

template <bool Scaled>
void BlendRunSse2(TPixel32* dest, const TPixel32* source, std::size_t n, int constantAlpha) {
  const __m128i ca = _mm_set1_epi16(static_cast<short>(constantAlpha));
  const __m128i zero = _mm_setzero_si128();
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xFFFF) continue;  // nothing to add
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dest + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + i), BlendVector<Scaled>(s, d, ca));
  }
  // The last one to three pixels go through the same lanes.
  if (const std::size_t rest = n - i; rest > 0) {
    StoreShort(dest + i, BlendVector<Scaled>(LoadShort(source + i, rest), LoadShort(dest + i, rest), ca), rest);
  }
}

#endif

}  // namespace

void BlendRun(TPixel32* dest, const TPixel32* source, std::size_t n, int constantAlpha) {
  if (constantAlpha <= 0) return;
  constantAlpha = std::min(constantAlpha, 255);
#if defined(__SSE2__)
  if (constantAlpha == 255) BlendRunSse2<false>(dest, source, n, 255);
  else BlendRunSse2<true>(dest, source, n, constantAlpha);
#else
  for (std::size_t i = 0; i < n; ++i) {
    if (source[i] != 0) dest[i] = BlendPixel(source[i], dest[i], constantAlpha);
  }
#endif
}

void FillRun(TPixel32* dest, std::size_t n, std::uint32_t value) {
  if (value == 0) {
    std::memset(dest, 0, n * 4);
    return;
  }
  std::fill_n(dest, n, value);
}

void BlendRect(TBitmap& dest, const TRect& to, const TBitmap& source, const TRect& from, int constantAlpha,
               const TRect& clip) {
  if (constantAlpha <= 0 || to.Width() <= 0 || to.Height() <= 0 || from.Width() <= 0 || from.Height() <= 0) return;
  if (dest.BitsPerPixel() != 32 || source.BitsPerPixel() != 32) return;
  const bool stretched = to.Width() != from.Width() || to.Height() != from.Height();
  int x0 = std::max({to.Left, clip.Left, 0});
  int x1 = std::min({to.Right, clip.Right, dest.Width()});
  const int y0 = std::max({to.Top, clip.Top, 0});
  const int y1 = std::min({to.Bottom, clip.Bottom, dest.Height()});
  const int shift = from.Left - to.Left;

  // Every destination column's source column, or for an unstretched blend
  // the columns that have a source at all.
  std::vector<int> columns;
  if (stretched) {
    columns.reserve(static_cast<std::size_t>(std::max(x1 - x0, 0)));
    for (int x = x0; x < x1; ++x) {
      columns.push_back(from.Left + static_cast<int>((static_cast<long long>(x - to.Left) * from.Width()) / to.Width()));
    }
  } else {
    x0 = std::max(x0, -shift);
    x1 = std::min(x1, source.Width() - shift);
  }
  if (x0 >= x1 || y0 >= y1) return;

  const std::size_t n = static_cast<std::size_t>(x1 - x0);
  std::vector<std::uint32_t> gathered(stretched ? n : 0);
  for (int y = y0; y < y1; ++y) {
    const int sy = stretched ? from.Top + static_cast<int>((static_cast<long long>(y - to.Top) * from.Height()) / to.Height())
                             : from.Top + (y - to.Top);
    if (sy < 0 || sy >= source.Height()) continue;
    auto* d = reinterpret_cast<TPixel32*>(dest.Pixel(x0, y));
    if (!stretched) {
      BlendRun(d, reinterpret_cast<const TPixel32*>(source.Pixel(x0 + shift, sy)), n, constantAlpha);
      continue;
    }
    const auto* row = reinterpret_cast<const TPixel32*>(source.Row(sy));
    for (std::size_t i = 0; i < n; ++i) {
      const int sx = columns[i];
      gathered[i] = sx >= 0 && sx < source.Width() ? row[sx] : 0;
    }
    BlendRun(d, gathered.data(), n, constantAlpha);
  }
}

}  // namespace tdialix
