#include "cocos/backend/software/Resample.h"

#include <algorithm>
#include <cmath>

namespace cocos2d::backend::software {
namespace {

// Sums of texels times weights, one channel each, rounded back to a pixel. Weights sum to
// 2^14, so a channel's sum stays below 2^22.
struct Accumulator {
  std::uint32_t a = 0, r = 0, g = 0, b = 0;
  void add(std::uint32_t p, std::uint32_t w) {
    a += (p >> 24) * w;
    r += ((p >> 16) & 0xFFu) * w;
    g += ((p >> 8) & 0xFFu) * w;
    b += (p & 0xFFu) * w;
  }
  std::uint32_t pixel() const {
    constexpr std::uint32_t half = 1u << 13;
    return ((a + half) >> 14 << 24) | ((r + half) >> 14 << 16) | ((g + half) >> 14 << 8) | ((b + half) >> 14);
  }
};

}  // namespace

void Resampler::makeTaps(int sourceLength, int length, bool mirrored, int first, int count, Taps& taps) {
  taps.start.assign(1, 0);
  taps.index.clear();
  taps.weight.clear();
  taps.identity = sourceLength == length && !mirrored;
  const double ratio = static_cast<double>(sourceLength) / length;
  const double radius = std::max(1.0, ratio);
  std::vector<double> raw;
  for (int i = first; i < first + count; ++i) {
    const int j = mirrored ? length - 1 - i : i;
    // The output pixel's centre in texel coordinates, whose integers are texel centres.
    const double centre = (j + 0.5) * ratio - 0.5;
    const int lo = static_cast<int>(std::floor(centre - radius)) + 1;
    const int hi = static_cast<int>(std::ceil(centre + radius)) - 1;
    raw.clear();
    double sum = 0;
    for (int k = lo; k <= hi; ++k) {
      const double w = std::max(0.0, 1.0 - std::fabs(k - centre) / radius);
      raw.push_back(w);
      sum += w;
    }
    // Whole numbers that add up exactly, the rounding's remainder on the heaviest tap, so
    // that a flat colour stays exactly that colour.
    const std::size_t base = taps.index.size();
    std::uint32_t total = 0;
    std::size_t heaviest = base;
    for (int k = lo; k <= hi; ++k) {
      const double w = raw[static_cast<std::size_t>(k - lo)];
      const auto fixed = static_cast<std::uint32_t>(std::lround(w / sum * kOne));
      taps.index.push_back(std::clamp(k, 0, sourceLength - 1));
      taps.weight.push_back(fixed);
      total += fixed;
      if (fixed > taps.weight[heaviest]) heaviest = taps.weight.size() - 1;
    }
    taps.weight[heaviest] += kOne - total;
    taps.start.push_back(static_cast<int>(taps.index.size()));
  }
}

void Resampler::resample(const ImageView& image, const PixelRect& source, int width, int height, bool flipX,
                         bool flipY, const PixelRect& part, std::uint32_t* out, int outStride) {
  if (width <= 0 || height <= 0 || part.w <= 0 || part.h <= 0 || source.w <= 0 || source.h <= 0) return;
  makeTaps(source.w, width, flipX, part.x, part.w, _columns);
  makeTaps(source.h, height, flipY, part.y, part.h, _rows);
  const auto texelRow = [&](int row) {
    return image.pixels + static_cast<std::ptrdiff_t>(source.y + row) * image.stride + source.x;
  };

  // Across first, only for the source rows that some output row reads.
  const auto [lowest, highest] = std::minmax_element(_rows.index.begin(), _rows.index.end());
  const int firstRow = *lowest, rowCount = *highest - *lowest + 1;
  const std::uint32_t* across = nullptr;
  std::ptrdiff_t acrossStride = 0;
  if (_columns.identity) {
    across = texelRow(firstRow) + part.x;
    acrossStride = image.stride;
  } else {
    _horizontal.resize(static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(part.w));
    for (int r = 0; r < rowCount; ++r) {
      const std::uint32_t* texels = texelRow(firstRow + r);
      std::uint32_t* row = _horizontal.data() + static_cast<std::ptrdiff_t>(r) * part.w;
      for (int i = 0; i < part.w; ++i) {
        Accumulator sum;
        for (int k = _columns.start[static_cast<std::size_t>(i)]; k < _columns.start[static_cast<std::size_t>(i) + 1];
             ++k) {
          sum.add(texels[_columns.index[static_cast<std::size_t>(k)]], _columns.weight[static_cast<std::size_t>(k)]);
        }
        row[i] = sum.pixel();
      }
    }
    across = _horizontal.data();
    acrossStride = part.w;
  }

  // Then down.
  for (int j = 0; j < part.h; ++j) {
    std::uint32_t* row = out + static_cast<std::ptrdiff_t>(j) * outStride;
    const int begin = _rows.start[static_cast<std::size_t>(j)], end = _rows.start[static_cast<std::size_t>(j) + 1];
    if (end - begin == 1) {
      const std::uint32_t* from = across + (_rows.index[static_cast<std::size_t>(begin)] - firstRow) * acrossStride;
      std::copy(from, from + part.w, row);
      continue;
    }
    for (int i = 0; i < part.w; ++i) {
      Accumulator sum;
      for (int k = begin; k < end; ++k) {
        sum.add(across[(_rows.index[static_cast<std::size_t>(k)] - firstRow) * acrossStride + i],
                _rows.weight[static_cast<std::size_t>(k)]);
      }
      row[i] = sum.pixel();
    }
  }
}

}  // namespace cocos2d::backend::software
