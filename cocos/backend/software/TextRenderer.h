// Draws runs of placed glyphs: culls those outside the visible area before any lookup (a run
// can hold a million placements of which a few dozen show), rasterises the rest at their
// on-screen pixel size through the glyph cache, and blends them onto whole pixels when the
// text is upright. Turned text is blended from glyphs turned in advance to the nearest of the
// cache's angle steps; squeezed, skewed or mirrored text stretches the upright mask through
// the transform.
#pragma once

#include <cstddef>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/software/Canvas.h"
#include "cocos/backend/software/GlyphCache.h"

namespace cocos2d::backend::software {

struct GlyphRun {
  FontId font = 0;
  float size = 0;  // local units per em
  const GlyphPlacement* glyphs = nullptr;
  std::size_t count = 0;
};

class TextRenderer {
 public:
  explicit TextRenderer(GlyphCache& cache) : _cache(cache) {}

  void draw(Canvas& canvas, const GlyphRun& run, const AffineTransform& toPixels, const Color4B& color);

  // Placements that passed the visibility test in the last draw (for tests and benchmarks).
  std::size_t lastDrawnCount() const { return _lastDrawn; }

 private:
  GlyphCache& _cache;
  std::size_t _lastDrawn = 0;
};

}  // namespace cocos2d::backend::software
