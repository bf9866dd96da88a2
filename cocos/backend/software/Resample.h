// Stretches a rectangle of premultiplied texels to another size, one axis after the other,
// with a tent filter one texel wide when enlarging (bilinear) and as wide as the shrink when
// shrinking: a picture squeezed to a sliver (the flip transition) averages every texel it
// covers instead of skipping most of them and flickering.
#pragma once

#include <cstdint>
#include <vector>

#include "cocos/backend/software/Geometry.h"
#include "cocos/backend/software/PixelFormat.h"

namespace cocos2d::backend::software {

class Resampler {
 public:
  // Writes the pixels `part` of `source` (texels of `image`) stretched to width x height,
  // mirrored as asked, to `out` (`outStride` pixels a row, `part`'s top-left first). Each
  // pixel depends only on its own position, so any part comes out as the whole would have it.
  void resample(const ImageView& image, const PixelRect& source, int width, int height, bool flipX, bool flipY,
                const PixelRect& part, std::uint32_t* out, int outStride);

 private:
  // The texels that make up output pixels [first, first + count) along one axis.
  struct Taps {
    std::vector<int> start;    // into index/weight, one per output pixel, and one past the end
    std::vector<int> index;    // texel offsets from the source's edge
    std::vector<std::uint32_t> weight;  // sum to kOne for every output pixel
    bool identity = false;     // every output pixel is its own texel
  };
  static constexpr std::uint32_t kOne = 1u << 14;
  static void makeTaps(int sourceLength, int length, bool mirrored, int first, int count, Taps& taps);

  Taps _columns, _rows;
  std::vector<std::uint32_t> _horizontal;  // the source rows the output needs, stretched across
};

}  // namespace cocos2d::backend::software
