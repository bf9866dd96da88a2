// Rasterised glyphs, keyed by face, pixel size and character. Upright glyphs are one small
// white texture each, tinted with the colour modulation when drawn. Turned glyphs (text
// under a rotation) are kept per angle step as coverage, already turned, so that drawing
// one is a plain blend of its pixels.
//
// Both share one bound on pixel memory. Upright glyphs start over when it is reached, which
// only costs re-rasterising what is on screen. Turned glyphs are many more (one per angle
// step), so they may take only part of it, drop those unused for a frame when they need
// room, and are refused when the current frame's own need is larger: the caller then
// draws the upright glyph through the general textured path, slower but never thrashing.
#pragma once

#include <SDL_render.h>

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/software/GlyphRotation.h"

namespace cocos2d::backend::sdl {

using software::RotatedCoverage;

class GlyphCache {
 public:
  // The ink box of a glyph relative to its pen position: `left` pixels right of the pen,
  // `top` pixels above the baseline. No texture for glyphs without ink (spaces).
  struct Glyph {
    SDL_Texture* texture = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
  };

  // A glyph turned by one angle step: its coverage, drawn by blending (CoverageBlit), and
  // the upright ink box it was turned from (as in Glyph), whose centre is the turned
  // bitmap's centre.
  struct TurnedGlyph {
    RotatedCoverage ink;
    int left = 0, top = 0, width = 0, height = 0;
    std::uint64_t lastFrame = 0;
  };

  static constexpr int kStepsPerTurn = 72;  // 5 degrees: smooth enough for tumbling text

  explicit GlyphCache(std::size_t pixelBudgetBytes = 4u << 20) : _budget(pixelBudgetBytes) {}
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;
  ~GlyphCache() { clear(); }

  const Glyph& get(SDL_Renderer* renderer, FontLibrary& fonts, int face, int pixels, char32_t codepoint);

  // `step` of kStepsPerTurn, clockwise on screen. Null when it does not fit the budget.
  const TurnedGlyph* getTurned(FontLibrary& fonts, int face, int pixels, char32_t codepoint, int step);

  // Marks the start of a frame: turned glyphs used in neither this frame nor the last may
  // make room for new ones.
  void beginFrame() { ++_frame; }

  // Textures belong to a renderer and must go before it does.
  void clear();
  std::size_t size() const { return _glyphs.size(); }
  std::size_t turnedCount() const { return _turned.size(); }
  std::size_t bytes() const { return _bytes; }
  std::size_t budget() const { return _budget; }

 private:
  // The upright key with the angle step in its top byte, which faces (far fewer than
  // 4,096) leave free.
  static std::uint64_t turnedKey(std::uint64_t glyphKey, int step) {
    return glyphKey | (static_cast<std::uint64_t>(step & 0xFF) << 56);
  }

  Glyph rasterise(SDL_Renderer* renderer, TTF_Font* font, char32_t codepoint);
  static std::size_t turnedBytes(const TurnedGlyph& glyph);
  // Drops turned glyphs not used in this frame or the last.
  void dropStaleTurned();

  std::unordered_map<std::uint64_t, Glyph> _glyphs;
  std::unordered_map<std::uint64_t, TurnedGlyph> _turned;
  std::size_t _bytes = 0;
  std::size_t _budget;
  std::uint64_t _frame = 0;
  std::uint64_t _refusedFrame = ~std::uint64_t{0};  // the frame in which a turned glyph last did not fit
};

}  // namespace cocos2d::backend::sdl
