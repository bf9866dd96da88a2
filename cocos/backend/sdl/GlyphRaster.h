// One glyph rasterised by SDL_ttf and cut down to its ink box: white pixels whose alpha is
// the coverage. Both the upright glyph textures and the pre-rotated ones start from it.
#pragma once

#include <SDL_surface.h>
#include <SDL_ttf.h>

#include "cocos/backend/software/Coverage.h"


namespace cocos2d::backend::sdl {

using software::Coverage;

// The ink box relative to the pen: `left` pixels right of it, `top` pixels above the
// baseline. The surface is ARGB8888 and belongs to the caller; null for glyphs without
// ink (spaces) and on failure.
struct InkSurface {
  SDL_Surface* surface = nullptr;
  int left = 0, top = 0;
};

InkSurface rasteriseInk(TTF_Font* font, char32_t codepoint);

// The alpha channel of an ARGB8888 surface.
Coverage coverageOf(const SDL_Surface& surface);

}  // namespace cocos2d::backend::sdl
