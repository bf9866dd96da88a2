#include "cocos/backend/software/CoverageBlend.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace cocos2d::backend::software {
namespace {

// Coverage 0..255 times the colour's alpha (as 0..256) as a weight 0..256, so that full
// coverage of an opaque colour replaces the pixel exactly.
inline std::uint32_t weight(std::uint32_t coverage, std::uint32_t alphaScale) {
  const std::uint32_t a = (coverage * alphaScale) >> 8u;
  return a + (a >> 7u);
}

// (d * (256 - a) + s * a) / 256, rounded, in every byte. Bytes 0 and 2, then 1 and 3,
// share a word in 16-bit lanes; no lane's sum exceeds 255 * 256 + 128, so none spills into
// the next.
inline std::uint32_t blendPixel(std::uint32_t d, std::uint32_t sourceLow, std::uint32_t sourceHigh, std::uint32_t a) {
  const std::uint32_t keep = 256 - a, half = 0x00800080u;
  const std::uint32_t low = (((d & 0x00FF00FFu) * keep + sourceLow * a + half) >> 8u) & 0x00FF00FFu;
  const std::uint32_t high = ((((d >> 8u) & 0x00FF00FFu) * keep + sourceHigh * a + half) >> 8u) & 0x00FF00FFu;
  return low | (high << 8u);
}

// One row's span: `count` pixels from `pixel`, weighted by `coverage`.
void blendRow(std::uint32_t* pixel, const std::uint8_t* coverage, int count, std::uint32_t source, std::uint32_t alphaScale) {
  const std::uint32_t sourceLow = source & 0x00FF00FFu, sourceHigh = (source >> 8u) & 0x00FF00FFu;
  int i = 0;
#if defined(__SSE2__)
  // Four pixels at a time, each channel in a 16-bit lane; the same arithmetic as
  // blendPixel, so the result does not depend on where a row starts.
  const __m128i zero = _mm_setzero_si128();
  const __m128i source16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(source)), zero);
  const __m128i scale16 = _mm_set1_epi16(static_cast<short>(alphaScale));
  const __m128i full = _mm_set1_epi16(256), half = _mm_set1_epi16(128);
  for (; i + 4 <= count; i += 4) {
    std::uint32_t four;
    std::memcpy(&four, coverage + i, 4);
    __m128i a = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
    a = _mm_srli_epi16(_mm_mullo_epi16(a, scale16), 8);
    a = _mm_add_epi16(a, _mm_srli_epi16(a, 7));
    const __m128i pairs = _mm_unpacklo_epi16(a, a);  // a0 a0 a1 a1 a2 a2 a3 a3
    const __m128i a01 = _mm_unpacklo_epi32(pairs, pairs), a23 = _mm_unpackhi_epi32(pairs, pairs);
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixel + i));
    const __m128i d01 = _mm_unpacklo_epi8(d, zero), d23 = _mm_unpackhi_epi8(d, zero);
    const __m128i sum01 = _mm_add_epi16(_mm_mullo_epi16(d01, _mm_sub_epi16(full, a01)), _mm_mullo_epi16(source16, a01));
    const __m128i sum23 = _mm_add_epi16(_mm_mullo_epi16(d23, _mm_sub_epi16(full, a23)), _mm_mullo_epi16(source16, a23));
    const __m128i out01 = _mm_srli_epi16(_mm_add_epi16(sum01, half), 8);
    const __m128i out23 = _mm_srli_epi16(_mm_add_epi16(sum23, half), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixel + i), _mm_packus_epi16(out01, out23));
  }
#endif
  for (; i < count; ++i) pixel[i] = blendPixel(pixel[i], sourceLow, sourceHigh, weight(coverage[i], alphaScale));
}

}  // namespace

void blendCoverage(const PixelBuffer& target, const PixelRect& clip, int x, int y, const RotatedCoverage& ink,
                   std::uint32_t source, std::uint8_t alpha) {
  const int w = ink.bitmap.width, h = ink.bitmap.height;
  if (w <= 0 || h <= 0 || alpha == 0 || ink.rows.size() < static_cast<std::size_t>(h)) return;
  const int left = std::max({x, clip.x, 0}), right = std::min({x + w, clip.x + clip.w, target.width});
  const int top = std::max({y, clip.y, 0}), bottom = std::min({y + h, clip.y + clip.h, target.height});
  if (left >= right || top >= bottom) return;

  const std::uint32_t alphaScale = alpha + (alpha >> 7u);  // 0..256
  std::uint32_t* const base = target.pixels;
  const auto rowAt = [&](int row) { return base + static_cast<std::ptrdiff_t>(row) * target.stride; };

  // The rows of a glyph lie a window's width apart in memory, and the window is often not
  // in the cache (clearing it streams past the cache): asking for all of them first lets
  // the misses overlap instead of waiting for one after the other.
  for (int row = top; row < bottom; ++row) {
    __builtin_prefetch(rowAt(row) + std::clamp(x + ink.rows[static_cast<std::size_t>(row - y)].begin, left, right - 1),
                       1);
  }
  for (int row = top; row < bottom; ++row) {
    const InkSpan span = ink.rows[static_cast<std::size_t>(row - y)];
    const int begin = std::max(x + span.begin, left), end = std::min(x + span.end, right);
    if (begin >= end) continue;
    blendRow(rowAt(row) + begin, ink.bitmap.alpha.data() + static_cast<std::ptrdiff_t>(row - y) * w + (begin - x),
             end - begin, source, alphaScale);
  }
}

}  // namespace cocos2d::backend::software
