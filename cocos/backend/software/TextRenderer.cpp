#include "cocos/backend/software/TextRenderer.h"

#include <algorithm>
#include <cmath>

#include "cocos/backend/software/GlyphRotation.h"

namespace cocos2d::backend::software {
namespace {

// Larger text is rasterised at this size and scaled up: it keeps single masks (and the
// rasteriser's work) small.
constexpr float kMaxRasterPixels = 320.0f;

// Turned text up to this size is drawn from pre-turned glyphs; larger turned glyphs are few
// on screen and would take much of the cache each, so they go through the transformed path.
constexpr float kMaxTurnedPixels = 128.0f;

// What all glyphs of one run share while they are drawn.
struct RunPass {
  Canvas& canvas;
  GlyphCache& cache;
  const AffineTransform& t;
  const Color4B& color;
  FontId font;
  int pixels;
  float localPerPixel;
  bool oneToOne, turned;
  int step;
};

// Draws one glyph that passed the visibility test. Kept out of line: inlined, it crowds the
// run's loop, whose counters then live in memory and every hidden glyph costs more.
__attribute__((noinline)) void drawGlyph(RunPass& pass, const GlyphPlacement& g, float penX, float penY) {
  const float perPixel = pass.localPerPixel;
  if (pass.turned) {
    if (const GlyphCache::TurnedGlyph* turned = pass.cache.getTurned(pass.font, pass.pixels, g.codepoint, pass.step)) {
      // The turned mask's centre is the centre of the upright ink box: put it where the
      // transform takes that centre.
      const float left = static_cast<float>(turned->left), top = static_cast<float>(turned->top);
      const float width = static_cast<float>(turned->width), height = static_cast<float>(turned->height);
      const Vec2 centre =
          pass.t.apply(Vec2(g.x + (left + 0.5f * width) * perPixel, g.baseline + (top - 0.5f * height) * perPixel));
      const RotatedCoverage& ink = turned->ink;
      pass.canvas.blendMask(ink, static_cast<int>(std::lround(centre.x - ink.centreX)),
                            static_cast<int>(std::lround(centre.y - ink.centreY)), pass.color);
      return;
    }
  }
  const GlyphCache::Glyph& glyph = pass.cache.get(pass.font, pass.pixels, g.codepoint);
  const Coverage& mask = glyph.ink.bitmap;
  if (mask.width <= 0) return;
  if (pass.oneToOne) {
    pass.canvas.blendMask(glyph.ink, static_cast<int>(std::lround(penX)) + glyph.left,
                          static_cast<int>(std::lround(penY)) - glyph.top, pass.color);
    return;
  }
  const float x0 = g.x + static_cast<float>(glyph.left) * perPixel;
  const float y1 = g.baseline + static_cast<float>(glyph.top) * perPixel;
  const LocalBox box{x0, y1 - static_cast<float>(mask.height) * perPixel,
                     x0 + static_cast<float>(mask.width) * perPixel, y1};
  pass.canvas.drawMask(mask, pass.t, box, pass.color);
}

}  // namespace

// Aligned so that the loop over the placements sits the same way in every program linked
// with it: the test a hidden glyph costs is a few cycles, and a quarter more when the loop
// straddles the processor's fetch blocks differently.
__attribute__((aligned(64))) void TextRenderer::draw(Canvas& canvas, const GlyphRun& run, const AffineTransform& t,
                                                     const Color4B& color) {
  _lastDrawn = 0;
  const PixelArea visible = canvas.visibleArea();
  if (run.count == 0 || color.a == 0 || !(run.size > 0) || visible.right <= visible.left ||
      visible.bottom <= visible.top) {
    return;
  }
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

  // Upright text at the size it was rasterised at is blended 1:1 onto whole pixels: the
  // crispest result, and the fastest path.
  const bool oneToOne = t.b == 0 && t.c == 0 && t.a > 0 && t.d < 0 && onScreen <= kMaxRasterPixels &&
                        std::fabs(t.a + t.d) <= 1e-4f * t.a;
  // Turned text (not skewed, not mirrored) is drawn from glyphs turned to the nearest angle
  // step, where the turned ink centre lands.
  Turn turn;
  const bool turned = !oneToOne && onScreen <= kMaxTurnedPixels && asTurn(t, turn);
  RunPass pass{canvas,
               _cache,
               t,
               color,
               run.font,
               pixels,
               run.size / static_cast<float>(pixels),
               oneToOne,
               turned,
               turned ? angleStep(turn.radians, GlyphCache::kStepsPerTurn) : 0};

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
    drawGlyph(pass, g, penX, penY);
  }
  _lastDrawn = drawn;
}

}  // namespace cocos2d::backend::software
