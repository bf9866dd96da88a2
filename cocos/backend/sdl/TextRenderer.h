// Draws runs of placed glyphs: culls those outside the visible area before any lookup
// (a run can hold thousands of placements of which a few dozen show), rasterises the rest
// at their on-screen pixel size, and puts them on whole pixels when the text is upright.
// Turned text is blended from glyphs turned in advance to the nearest of the cache's angle
// steps; skewed or unevenly scaled text is drawn through the general textured path.
#pragma once

#include <SDL_render.h>

#include <cstddef>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/sdl/GlyphCache.h"
#include "cocos/backend/software/Geometry.h"

namespace cocos2d::backend::sdl {

using software::PixelArea;

struct GlyphRun {
  FontId font = 0;
  float size = 0;  // local units per em
  const GlyphPlacement* glyphs = nullptr;
  std::size_t count = 0;
};

class TextRenderer {
 public:
  TextRenderer(FontLibrary& fonts, GlyphCache& cache) : _fonts(fonts), _cache(cache) {}

  // `canvas` is the surface `renderer` draws into, for turned text to be blended into
  // directly; without it turned text takes the general textured path.
  void draw(SDL_Renderer* renderer, SDL_Surface* canvas, const PixelArea& visible, const GlyphRun& run,
            const AffineTransform& toPixels, const Color4B& color);

  // Placements that passed the visibility test in the last draw (for tests and benchmarks).
  std::size_t lastDrawnCount() const { return _lastDrawn; }

 private:
  FontLibrary& _fonts;
  GlyphCache& _cache;
  std::size_t _lastDrawn = 0;
};

}  // namespace cocos2d::backend::sdl
