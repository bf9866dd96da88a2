// Rasterised glyphs, one small white texture each, keyed by face, pixel size and
// character; tinted with the colour modulation when drawn. Bounded by pixel memory: when
// full it starts over, which only costs re-rasterising what is on screen.
#pragma once

#include <SDL_render.h>

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "cocos/backend/sdl/FontLibrary.h"

namespace cocos2d::backend::sdl {

class GlyphCache {
 public:
  // The ink box of a glyph relative to its pen position: `left` pixels right of the pen,
  // `top` pixels above the baseline. No texture for glyphs without ink (spaces).
  struct Glyph {
    SDL_Texture* texture = nullptr;
    int left = 0, top = 0, width = 0, height = 0;
  };

  explicit GlyphCache(std::size_t pixelBudgetBytes = 4u << 20) : budget_(pixelBudgetBytes) {}
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;
  ~GlyphCache() { clear(); }

  const Glyph& get(SDL_Renderer* renderer, FontLibrary& fonts, int face, int pixels, char32_t codepoint);

  // Textures belong to a renderer and must go before it does.
  void clear();
  std::size_t size() const { return glyphs_.size(); }
  std::size_t bytes() const { return bytes_; }

 private:
  Glyph rasterise(SDL_Renderer* renderer, TTF_Font* font, char32_t codepoint);

  std::unordered_map<std::uint64_t, Glyph> glyphs_;
  std::size_t bytes_ = 0;
  std::size_t budget_;
};

}  // namespace cocos2d::backend::sdl
