#include "cocos/backend/sdl/GlyphCache.h"

#include <algorithm>

namespace cocos2d::backend::sdl {

const GlyphCache::Glyph& GlyphCache::get(SDL_Renderer* renderer, FontLibrary& fonts, int face, int pixels,
                                         char32_t codepoint) {
  const std::uint64_t key = (static_cast<std::uint64_t>(face) << 44) | (static_cast<std::uint64_t>(pixels) << 24) |
                            static_cast<std::uint64_t>(codepoint & 0xFFFFFFu);
  if (const auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;
  if (bytes_ > budget_) clear();
  Glyph glyph;
  if (TTF_Font* font = fonts.rasterFace(face, pixels)) glyph = rasterise(renderer, font, codepoint);
  bytes_ += static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height) * 4 + 64;
  return glyphs_.emplace(key, glyph).first->second;
}

GlyphCache::Glyph GlyphCache::rasterise(SDL_Renderer* renderer, TTF_Font* font, char32_t codepoint) {
  Glyph glyph;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(font, codepoint, &minX, &maxX, &minY, &maxY, &advance) != 0) return glyph;
  if (maxX <= minX || maxY <= minY) return glyph;  // no ink
  SDL_Surface* rendered = TTF_RenderGlyph32_Blended(font, codepoint, SDL_Color{255, 255, 255, 255});
  if (!rendered) return glyph;
  // SDL_ttf lays the glyph out as a one-character line: the pen starts at x = max(0, -minX)
  // and the baseline sits `ascent` rows below a top that moves down when the glyph rises
  // above the ascent. Cut out just the ink box from there.
  const int ascent = TTF_FontAscent(font);
  const int penX = std::max(0, -minX);
  const int baselineY = std::max(0, maxY - ascent) + ascent;
  SDL_Rect ink{penX + minX, baselineY - maxY, maxX - minX, maxY - minY};
  const SDL_Rect bounds{0, 0, rendered->w, rendered->h};
  SDL_Rect clipped;
  if (SDL_IntersectRect(&ink, &bounds, &clipped)) {
    SDL_Surface* cut = SDL_CreateRGBSurfaceWithFormat(0, clipped.w, clipped.h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (cut) {
      SDL_SetSurfaceBlendMode(rendered, SDL_BLENDMODE_NONE);
      SDL_BlitSurface(rendered, &clipped, cut, nullptr);
      glyph.texture = SDL_CreateTextureFromSurface(renderer, cut);
      SDL_FreeSurface(cut);
    }
  }
  SDL_FreeSurface(rendered);
  if (!glyph.texture) return glyph;
  SDL_SetTextureBlendMode(glyph.texture, SDL_BLENDMODE_BLEND);
  // Only used when a transform scales text away from the size it was rasterised at.
  SDL_SetTextureScaleMode(glyph.texture, SDL_ScaleModeLinear);
  glyph.left = clipped.x - penX;
  glyph.top = baselineY - clipped.y;
  glyph.width = clipped.w;
  glyph.height = clipped.h;
  return glyph;
}

void GlyphCache::clear() {
  for (auto& entry : glyphs_) {
    if (entry.second.texture) SDL_DestroyTexture(entry.second.texture);
  }
  glyphs_.clear();
  bytes_ = 0;
}

}  // namespace cocos2d::backend::sdl
