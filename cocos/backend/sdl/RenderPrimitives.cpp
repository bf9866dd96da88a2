#include "cocos/backend/sdl/RenderPrimitives.h"

namespace cocos2d::backend::sdl {

using software::PixelBox;
using software::PixelQuad;
using software::PixelRect;
namespace {

SDL_Color toSdl(const Color4B& c) { return SDL_Color{c.r, c.g, c.b, c.a}; }

}  // namespace

void fillBox(SDL_Renderer* renderer, const PixelArea& visible, const AffineTransform& toPixels, const LocalBox& box,
             const Color4B& color) {
  if (color.a == 0) return;
  SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
  if (toPixels.isAxisAligned()) {
    const PixelBox pixels = mapAxisAligned(toPixels, box);
    if (!overlaps(pixels, visible)) return;
    const PixelRect r = snapToPixels(pixels);
    if (r.w <= 0 || r.h <= 0) return;
    // Blending an opaque colour gives the same pixels; skipping it is cheaper.
    SDL_SetRenderDrawBlendMode(renderer, color.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    const SDL_Rect rect{r.x, r.y, r.w, r.h};
    SDL_RenderFillRect(renderer, &rect);
    return;
  }
  const PixelQuad quad = mapQuad(toPixels, box);
  if (!overlaps(quad, visible)) return;
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_Vertex vertices[4];
  for (int i = 0; i < 4; ++i) vertices[i] = SDL_Vertex{{quad.x[i], quad.y[i]}, toSdl(color), {0, 0}};
  static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(renderer, nullptr, vertices, 4, kIndices, 6);
}

void copyTexture(SDL_Renderer* renderer, const PixelArea& visible, SDL_Texture* texture, const SDL_Rect& source,
                 int textureWidth, int textureHeight, const AffineTransform& toPixels, const LocalBox& box,
                 const Color4B& modulate) {
  if (!texture || modulate.a == 0 || source.w <= 0 || source.h <= 0) return;
  if (toPixels.isAxisAligned()) {
    const PixelBox pixels = mapAxisAligned(toPixels, box);
    if (!overlaps(pixels, visible)) return;
    const PixelRect r = snapToPixels(pixels);
    if (r.w <= 0 || r.h <= 0) return;
    SDL_SetTextureColorMod(texture, modulate.r, modulate.g, modulate.b);
    SDL_SetTextureAlphaMod(texture, modulate.a);
    const SDL_Rect destination{r.x, r.y, r.w, r.h};
    if (pixels.flipX || pixels.flipY) {
      const int flip = (pixels.flipX ? SDL_FLIP_HORIZONTAL : 0) | (pixels.flipY ? SDL_FLIP_VERTICAL : 0);
      SDL_RenderCopyEx(renderer, texture, &source, &destination, 0.0, nullptr, static_cast<SDL_RendererFlip>(flip));
    } else {
      SDL_RenderCopy(renderer, texture, &source, &destination);
    }
    return;
  }
  const PixelQuad quad = mapQuad(toPixels, box);
  if (!overlaps(quad, visible)) return;
  // Geometry takes its colour from the vertices; a modulation left on the texture by an
  // earlier copy must not tint it twice.
  SDL_SetTextureColorMod(texture, 255, 255, 255);
  SDL_SetTextureAlphaMod(texture, 255);
  const float u0 = static_cast<float>(source.x) / static_cast<float>(textureWidth);
  const float v0 = static_cast<float>(source.y) / static_cast<float>(textureHeight);
  const float u1 = static_cast<float>(source.x + source.w) / static_cast<float>(textureWidth);
  const float v1 = static_cast<float>(source.y + source.h) / static_cast<float>(textureHeight);
  const SDL_FPoint uv[4] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
  SDL_Vertex vertices[4];
  for (int i = 0; i < 4; ++i) vertices[i] = SDL_Vertex{{quad.x[i], quad.y[i]}, toSdl(modulate), uv[i]};
  static const int kIndices[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(renderer, texture, vertices, 4, kIndices, 6);
}

}  // namespace cocos2d::backend::sdl
