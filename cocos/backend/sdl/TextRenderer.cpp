#include "cocos/backend/sdl/TextRenderer.h"

#include <algorithm>
#include <cmath>

#include "cocos/backend/sdl/CoverageBlit.h"
#include "cocos/backend/sdl/RenderPrimitives.h"
#include "cocos/backend/software/GlyphRotation.h"

namespace cocos2d::backend::sdl {

using software::angleStep;
using software::asTurn;
using software::LocalBox;
using software::scaleAlongX;
using software::scaleAlongY;
using software::Turn;
namespace {

// Larger text is rasterised at this size and scaled up: it keeps single glyph textures
// (and the rasteriser's work) small.
constexpr float kMaxRasterPixels = 320.0f;

// Turned text up to this size is drawn from pre-turned glyphs; larger turned glyphs are few
// on screen and would take much of the cache each, so they go through the general path.
constexpr float kMaxTurnedPixels = 128.0f;

// Direct access to the surface the renderer draws into. SDL may still hold drawing queued
// for it, which must land first, and some surfaces must be locked while written; a draw
// through SDL in between must find it unlocked and must land before the next direct write.
class DirectCanvas {
 public:
  DirectCanvas(SDL_Renderer* renderer, SDL_Surface* surface) : _renderer(renderer), _surface(surface) {}
  DirectCanvas(const DirectCanvas&) = delete;
  DirectCanvas& operator=(const DirectCanvas&) = delete;
  ~DirectCanvas() { release(); }

  // Null when the surface cannot be locked.
  SDL_Surface* acquire() {
    if (!_acquired) {
      SDL_RenderFlush(_renderer);
      if (SDL_MUSTLOCK(_surface)) {
        if (SDL_LockSurface(_surface) != 0) return nullptr;
        _locked = true;
      }
      _acquired = true;
    }
    return _surface;
  }
  void release() {
    if (_locked) SDL_UnlockSurface(_surface);
    _locked = _acquired = false;
  }

 private:
  SDL_Renderer* _renderer;
  SDL_Surface* _surface;
  bool _acquired = false, _locked = false;
};

// What all glyphs of one run share while they are drawn.
struct RunPass {
  SDL_Renderer* renderer;
  const PixelArea& visible;
  const AffineTransform& t;
  const Color4B& color;
  int pixels;
  float localPerPixel;
  bool oneToOne, turned;
  int step;
  SDL_Rect clip;
  DirectCanvas direct;
};

// Draws one glyph that passed the visibility test; false when the font has no face at all.
// Kept out of line: inlined, it crowds the run's loop, whose counters then live in memory
// and every hidden glyph costs a fifth more.
__attribute__((noinline)) bool drawGlyph(FontLibrary& fonts, GlyphCache& cache, RunPass& pass, FontId font,
                                         const GlyphPlacement& g, float penX, float penY) {
  const int face = fonts.faceFor(font, g.codepoint);
  if (face < 0) return false;
  const float perPixel = pass.localPerPixel;
  if (pass.turned) {
    const GlyphCache::TurnedGlyph* turned = cache.getTurned(fonts, face, pass.pixels, g.codepoint, pass.step);
    if (SDL_Surface* target = turned ? pass.direct.acquire() : nullptr) {
      // The turned bitmap's centre is the centre of the upright ink box: put it where the
      // transform takes that centre.
      const float left = static_cast<float>(turned->left), top = static_cast<float>(turned->top);
      const float width = static_cast<float>(turned->width), height = static_cast<float>(turned->height);
      const Vec2 centre = pass.t.apply(
          Vec2(g.x + (left + 0.5f * width) * perPixel, g.baseline + (top - 0.5f * height) * perPixel));
      const RotatedCoverage& ink = turned->ink;
      blendCoverage(*target, pass.clip, static_cast<int>(std::lround(centre.x - ink.centreX)),
                    static_cast<int>(std::lround(centre.y - ink.centreY)), ink, pass.color);
      return true;
    }
    pass.direct.release();  // this one goes through SDL, after what was written directly
  }
  const GlyphCache::Glyph& glyph = cache.get(pass.renderer, fonts, face, pass.pixels, g.codepoint);
  if (!glyph.texture) return true;
  const SDL_Rect source{0, 0, glyph.width, glyph.height};
  if (pass.oneToOne) {
    const SDL_Rect destination{static_cast<int>(std::lround(penX)) + glyph.left,
                               static_cast<int>(std::lround(penY)) - glyph.top, glyph.width, glyph.height};
    const PixelArea& visible = pass.visible;
    if (destination.x >= visible.right || destination.x + destination.w <= visible.left ||
        destination.y >= visible.bottom || destination.y + destination.h <= visible.top) {
      return true;
    }
    SDL_SetTextureColorMod(glyph.texture, pass.color.r, pass.color.g, pass.color.b);
    SDL_SetTextureAlphaMod(glyph.texture, pass.color.a);
    SDL_RenderCopy(pass.renderer, glyph.texture, &source, &destination);
    return true;
  }
  const float x0 = g.x + static_cast<float>(glyph.left) * perPixel;
  const float y1 = g.baseline + static_cast<float>(glyph.top) * perPixel;
  const LocalBox box{x0, y1 - static_cast<float>(glyph.height) * perPixel,
                     x0 + static_cast<float>(glyph.width) * perPixel, y1};
  copyTexture(pass.renderer, pass.visible, glyph.texture, source, glyph.width, glyph.height, pass.t, box, pass.color);
  return true;
}

}  // namespace

// Aligned so that the loop over the placements sits the same way in every program linked
// with it: the test a hidden glyph costs is a few cycles, and a quarter more when the loop
// straddles the processor's fetch blocks differently.
__attribute__((aligned(64))) void TextRenderer::draw(SDL_Renderer* renderer, SDL_Surface* canvas,
                                                     const PixelArea& visible, const GlyphRun& run,
                                                     const AffineTransform& t, const Color4B& color) {
  _lastDrawn = 0;
  if (!renderer || run.count == 0 || color.a == 0 || run.size <= 0) return;
  const float scaleX = scaleAlongX(t), scaleY = scaleAlongY(t);
  const float onScreen = run.size * scaleY;  // pixels per em, vertically
  if (!(onScreen >= 1.0f)) return;  // too small to read (or not a number)
  const int pixels = static_cast<int>(std::lround(std::min(onScreen, kMaxRasterPixels)));

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
  // Turned text (not skewed, not mirrored) is drawn from glyphs turned to the nearest
  // angle step, blended pixel by pixel straight into the canvas where the turned ink
  // centre lands: the software renderer's textured triangles cost several times more.
  Turn turn;
  const bool turned = !oneToOne && canvas && onScreen <= kMaxTurnedPixels && asTurn(t, turn) && canBlendInto(*canvas);
  RunPass pass{renderer,
               visible,
               t,
               color,
               pixels,
               run.size / static_cast<float>(pixels),
               oneToOne,
               turned,
               turned ? angleStep(turn.radians, GlyphCache::kStepsPerTurn) : 0,
               SDL_Rect{static_cast<int>(std::lround(visible.left)), static_cast<int>(std::lround(visible.top)),
                        static_cast<int>(std::lround(visible.right - visible.left)),
                        static_cast<int>(std::lround(visible.bottom - visible.top))},
               DirectCanvas(renderer, canvas)};

  // The loop every placement goes through, hidden or not: all it reads is in registers.
  const float a = t.a, b = t.b, c = t.c, d = t.d, tx = t.tx, ty = t.ty;
  const GlyphPlacement* const glyphs = run.glyphs;
  std::size_t drawn = 0;
  for (std::size_t i = 0, count = run.count; i < count; ++i) {
    const GlyphPlacement& g = glyphs[i];
    const float penX = a * g.x + c * g.baseline + tx;
    const float penY = b * g.x + d * g.baseline + ty;
    if (penX < minX || penX > maxX || penY < minY || penY > maxY) continue;
    ++drawn;
    if (!drawGlyph(_fonts, _cache, pass, run.font, g, penX, penY)) break;  // no face: nothing can be drawn
  }
  _lastDrawn = drawn;
}

}  // namespace cocos2d::backend::sdl
