// One glyph rasterised by SDL_ttf and cut down to its ink box: white pixels whose alpha is
// the coverage. Both the upright glyph textures and the pre-rotated ones start from it.
#pragma once

#include <SDL_surface.h>
#include <SDL_ttf.h>

#include <cstdint>
#include <vector>

namespace cocos2d::backend::sdl {

// The ink box relative to the pen: `left` pixels right of it, `top` pixels above the
// baseline. The surface is ARGB8888 and belongs to the caller; null for glyphs without
// ink (spaces) and on failure.
struct InkSurface {
  SDL_Surface* surface = nullptr;
  int left = 0, top = 0;
};

InkSurface rasteriseInk(TTF_Font* font, char32_t codepoint);

// Coverage alone, one byte a pixel, row by row.
struct Coverage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> alpha;
};

// The alpha channel of an ARGB8888 surface.
Coverage coverageOf(const SDL_Surface& surface);

}  // namespace cocos2d::backend::sdl
