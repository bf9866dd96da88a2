// Coverage masks, one byte a pixel (0 none .. 255 full): what glyphs are drawn through, upright
// or turned, and the extent of the ink in each row, so that blending skips the empty rest.
#pragma once

#include <cstdint>
#include <vector>

namespace cocos2d::backend::software {

// Coverage alone, row by row with no padding.
struct Coverage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> alpha;
};

// The columns of one row that hold ink: [begin, end), empty when begin == end.
struct InkSpan {
  std::uint16_t begin = 0, end = 0;
};

struct RotatedCoverage {
  Coverage bitmap;  // empty when no ink survives
  std::vector<InkSpan> rows;  // one per row of `bitmap`
  // Where the centre of the source bitmap ended up, from the top-left corner of `bitmap`.
  float centreX = 0, centreY = 0;
};

}  // namespace cocos2d::backend::software
