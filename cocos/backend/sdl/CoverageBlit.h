// Blends a solid colour through a coverage bitmap straight into the window's 32-bit surface:
// the drawing of turned glyphs. SDL's own blitters test every pixel's alpha for the cases
// transparent, opaque and in between, and mispredict those branches on the ragged edges of
// text; the shared blend (software/CoverageBlend.h) is one branch-free formula per pixel.
#pragma once

#include <SDL_surface.h>

#include "cocos/backend/software/Coverage.h"
#include "cocos/base/ccTypes.h"

namespace cocos2d::backend::sdl {

using software::RotatedCoverage;

// True for the surfaces blendCoverage can draw into: four bytes a pixel, eight bits a
// channel, colour in the low three bytes (the window surfaces of the software renderer).
bool canBlendInto(const SDL_Surface& target);

// Puts the bitmap's top-left corner on pixel (x, y) of `target` and blends `colour` in by
// coverage times the colour's alpha, like SDL's blend mode: colour channels move towards
// the colour, an alpha channel towards opaque. Nothing outside `clip` changes. The caller
// locks the surface if it must be locked.
void blendCoverage(SDL_Surface& target, const SDL_Rect& clip, int x, int y, const RotatedCoverage& ink,
                   const Color4B& colour);

}  // namespace cocos2d::backend::sdl
