#include "cocos/backend/software/GlyphSource.h"

#include <algorithm>

namespace cocos2d::backend::software {

void copyCoverage(const std::uint8_t* rows, int pitch, int width, int height, int maxLevel, GlyphBitmap& glyph) {
  glyph.coverage.clear();
  if (!rows || width <= 0 || height <= 0 || pitch < width || maxLevel <= 0) {
    glyph.width = glyph.height = 0;
    return;
  }
  glyph.width = width;
  glyph.height = height;
  // Every value a byte can hold, looked up rather than divided per pixel.
  std::uint8_t scale[256];
  for (int v = 0; v < 256; ++v) {
    const int level = std::min(v, maxLevel);
    scale[v] = static_cast<std::uint8_t>((level * 255 + maxLevel / 2) / maxLevel);
  }
  glyph.coverage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* from = rows + static_cast<std::ptrdiff_t>(y) * pitch;
    std::uint8_t* to = glyph.coverage.data() + static_cast<std::ptrdiff_t>(y) * width;
    for (int x = 0; x < width; ++x) to[x] = scale[from[x]];
  }
}

}  // namespace cocos2d::backend::software
