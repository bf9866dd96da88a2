#include "cocos/backend/sdl/TextRenderer.h"

#include <algorithm>
#include <cmath>

#include "cocos/backend/sdl/GlyphRotation.h"
#include "cocos/backend/sdl/RenderPrimitives.h"

namespace cocos2d::backend::sdl {
namespace {

// Larger text is rasterised at this size and scaled up: it keeps single glyph textures
// (and the rasteriser's work) small.
constexpr float kMaxRasterPixels = 320.0f;

// Turned text up to this size is drawn from pre-turned glyphs; larger turned glyphs are few
// on screen and would take much of the cache each, so they go through the general path.
constexpr float kMaxTurnedPixels = 128.0f;

// A turned glyph copied 1:1 with its ink centre on the nearest whole pixel to `centre`.
void drawTurned(SDL_Renderer* renderer, const PixelArea& visible, const GlyphCache::TurnedGlyph& glyph,
                const Vec2& centre, Uint8 alpha) {
  if (!glyph.texture) return;  // nothing of it survived turning
  const SDL_Rect destination{static_cast<int>(std::lround(centre.x - glyph.centreX)),
                             static_cast<int>(std::lround(centre.y - glyph.centreY)), glyph.width, glyph.height};
  if (destination.x >= visible.right || destination.x + destination.w <= visible.left ||
      destination.y >= visible.bottom || destination.y + destination.h <= visible.top) {
    return;
  }
  // The colour is already in the pixels; only the alpha is modulated.
  SDL_SetTextureAlphaMod(glyph.texture, alpha);
  SDL_RenderCopy(renderer, glyph.texture, nullptr, &destination);
}

}  // namespace

void TextRenderer::draw(SDL_Renderer* renderer, const PixelArea& visible, const GlyphRun& run,
                        const AffineTransform& t, const Color4B& color) {
  lastDrawn_ = 0;
  if (!renderer || run.count == 0 || color.a == 0 || run.size <= 0) return;
  const float scaleX = scaleAlongX(t), scaleY = scaleAlongY(t);
  const float onScreen = run.size * scaleY;  // pixels per em, vertically
  if (!(onScreen >= 1.0f)) return;  // too small to read (or not a number)
  const int pixels = static_cast<int>(std::lround(std::min(onScreen, kMaxRasterPixels)));
  const float localPerPixel = run.size / static_cast<float>(pixels);

  // A glyph's ink stays within two ems of its pen position, so a pen position farther
  // than that outside the visible area needs no further look; this test is all a hidden
  // glyph costs.
  const float margin = 2.0f * run.size * std::max(scaleX, scaleY) + 2.0f;
  const float minX = visible.left - margin, maxX = visible.right + margin;
  const float minY = visible.top - margin, maxY = visible.bottom + margin;

  // Upright text at the size it was rasterised at is copied 1:1 onto whole pixels: the
  // crispest result, and the software renderer's fastest path.
  const bool oneToOne = t.b == 0 && t.c == 0 && t.a > 0 && t.d < 0 && onScreen <= kMaxRasterPixels &&
                        std::fabs(t.a + t.d) <= 1e-4f * t.a;
  // Turned (not skewed, not mirrored) text is drawn from glyphs turned to the nearest angle
  // step and copied 1:1 where the turned ink centre lands: the software renderer's
  // triangles cost several times more than a blend of the glyph's own pixels.
  Turn turn;
  const bool turned = !oneToOne && onScreen <= kMaxTurnedPixels && asTurn(t, turn);
  const int step = turned ? angleStep(turn.radians, GlyphCache::kStepsPerTurn) : 0;
  const Color3B rgb{color.r, color.g, color.b};

  for (std::size_t i = 0; i < run.count; ++i) {
    const GlyphPlacement& g = run.glyphs[i];
    const float penX = t.a * g.x + t.c * g.baseline + t.tx;
    const float penY = t.b * g.x + t.d * g.baseline + t.ty;
    if (penX < minX || penX > maxX || penY < minY || penY > maxY) continue;
    ++lastDrawn_;
    const int face = fonts_.faceFor(run.font, g.codepoint);
    if (face < 0) return;  // the font has no face: nothing of it can be drawn
    const GlyphCache::Glyph& glyph = cache_.get(renderer, fonts_, face, pixels, g.codepoint);
    if (!glyph.texture) continue;
    const SDL_Rect source{0, 0, glyph.width, glyph.height};
    if (oneToOne) {
      const SDL_Rect destination{static_cast<int>(std::lround(penX)) + glyph.left,
                                 static_cast<int>(std::lround(penY)) - glyph.top, glyph.width, glyph.height};
      if (destination.x >= visible.right || destination.x + destination.w <= visible.left ||
          destination.y >= visible.bottom || destination.y + destination.h <= visible.top) {
        continue;
      }
      SDL_SetTextureColorMod(glyph.texture, color.r, color.g, color.b);
      SDL_SetTextureAlphaMod(glyph.texture, color.a);
      SDL_RenderCopy(renderer, glyph.texture, &source, &destination);
      continue;
    }
    const float x0 = g.x + static_cast<float>(glyph.left) * localPerPixel;
    const float y1 = g.baseline + static_cast<float>(glyph.top) * localPerPixel;
    if (turned) {
      if (const GlyphCache::TurnedGlyph* turnedGlyph =
              cache_.getTurned(renderer, fonts_, face, pixels, g.codepoint, step, rgb)) {
        drawTurned(renderer, visible, *turnedGlyph, t.apply(Vec2(x0 + 0.5f * static_cast<float>(glyph.width) * localPerPixel,
                                                              y1 - 0.5f * static_cast<float>(glyph.height) * localPerPixel)),
                   color.a);
        continue;
      }
    }
    const LocalBox box{x0, y1 - static_cast<float>(glyph.height) * localPerPixel,
                       x0 + static_cast<float>(glyph.width) * localPerPixel, y1};
    copyTexture(renderer, visible, glyph.texture, source, glyph.width, glyph.height, t, box, color);
  }
}

}  // namespace cocos2d::backend::sdl
