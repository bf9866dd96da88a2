// The two drawing operations everything else is made of, on SDL's software renderer:
// a solid box and a textured box, each under an arbitrary affine transform. Axis-aligned
// boxes take the renderer's rectangle paths (exact, fast, filtered when scaled); anything
// rotated or skewed becomes two triangles.
#pragma once

#include <SDL_render.h>

#include "cocos/backend/software/Geometry.h"
#include "cocos/base/ccTypes.h"

namespace cocos2d::backend::sdl {

using software::LocalBox;
using software::PixelArea;

// Nothing is drawn for boxes entirely outside `visible` (the window, clipped).
void fillBox(SDL_Renderer* renderer, const PixelArea& visible, const AffineTransform& toPixels, const LocalBox& box,
             const Color4B& color);

// `source` is the texel rectangle of `texture` (whose full size is textureWidth x
// textureHeight) shown on the box; its top row lands on the box's y1 edge.
void copyTexture(SDL_Renderer* renderer, const PixelArea& visible, SDL_Texture* texture, const SDL_Rect& source,
                 int textureWidth, int textureHeight, const AffineTransform& toPixels, const LocalBox& box,
                 const Color4B& modulate);

}  // namespace cocos2d::backend::sdl
