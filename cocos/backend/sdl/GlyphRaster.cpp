#include "cocos/backend/sdl/GlyphRaster.h"

#include <algorithm>

namespace cocos2d::backend::sdl {

InkSurface rasteriseInk(TTF_Font* font, char32_t codepoint) {
  InkSurface ink;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(font, codepoint, &minX, &maxX, &minY, &maxY, &advance) != 0) return ink;
  if (maxX <= minX || maxY <= minY) return ink;  // no ink
  SDL_Surface* rendered = TTF_RenderGlyph32_Blended(font, codepoint, SDL_Color{255, 255, 255, 255});
  if (!rendered) return ink;
  // SDL_ttf lays the glyph out as a one-character line: the pen starts at x = max(0, -minX)
  // and the baseline sits `ascent` rows below a top that moves down when the glyph rises
  // above the ascent. Cut out just the ink box from there.
  const int ascent = TTF_FontAscent(font);
  const int penX = std::max(0, -minX);
  const int baselineY = std::max(0, maxY - ascent) + ascent;
  SDL_Rect box{penX + minX, baselineY - maxY, maxX - minX, maxY - minY};
  const SDL_Rect bounds{0, 0, rendered->w, rendered->h};
  SDL_Rect clipped;
  if (SDL_IntersectRect(&box, &bounds, &clipped)) {
    ink.surface = SDL_CreateRGBSurfaceWithFormat(0, clipped.w, clipped.h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (ink.surface) {
      SDL_SetSurfaceBlendMode(rendered, SDL_BLENDMODE_NONE);
      SDL_BlitSurface(rendered, &clipped, ink.surface, nullptr);
      ink.left = clipped.x - penX;
      ink.top = baselineY - clipped.y;
    }
  }
  SDL_FreeSurface(rendered);
  return ink;
}

Coverage coverageOf(const SDL_Surface& surface) {
  Coverage out;
  out.width = surface.w;
  out.height = surface.h;
  out.alpha.resize(static_cast<std::size_t>(surface.w) * static_cast<std::size_t>(surface.h));
  for (int y = 0; y < surface.h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) + y * surface.pitch);
    for (int x = 0; x < surface.w; ++x) {
      out.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.w) + static_cast<std::size_t>(x)] =
          static_cast<std::uint8_t>(row[x] >> 24);
    }
  }
  return out;
}

}  // namespace cocos2d::backend::sdl
