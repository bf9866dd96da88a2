#include "cocos/backend/sdl/CoverageBlit.h"

#include "cocos/backend/software/CoverageBlend.h"

namespace cocos2d::backend::sdl {
namespace {

bool wholeLowByte(Uint32 mask) { return mask == 0xFFu || mask == 0xFF00u || mask == 0xFF0000u; }

}  // namespace

bool canBlendInto(const SDL_Surface& target) {
  const SDL_PixelFormat* f = target.format;
  if (!f || !target.pixels || f->BytesPerPixel != 4 || SDL_ISPIXELFORMAT_INDEXED(f->format)) return false;
  if (target.pitch % 4 != 0) return false;  // rows are walked in whole pixels
  return wholeLowByte(f->Rmask) && wholeLowByte(f->Gmask) && wholeLowByte(f->Bmask) &&
         (f->Rmask | f->Gmask | f->Bmask) == 0xFFFFFFu && (f->Amask == 0 || f->Amask == 0xFF000000u);
}

void blendCoverage(SDL_Surface& target, const SDL_Rect& clip, int x, int y, const RotatedCoverage& ink,
                   const Color4B& colour) {
  const SDL_PixelFormat& f = *target.format;
  // The colour as a pixel of the target, opaque: each byte moves towards its own.
  const Uint32 source = (static_cast<Uint32>(colour.r) << f.Rshift) | (static_cast<Uint32>(colour.g) << f.Gshift) |
                        (static_cast<Uint32>(colour.b) << f.Bshift) | 0xFF000000u;
  const software::PixelBuffer pixels{static_cast<std::uint32_t*>(target.pixels), target.w, target.h, target.pitch / 4};
  software::blendCoverage(pixels, software::PixelRect{clip.x, clip.y, clip.w, clip.h}, x, y, ink, source, colour.a);
}

}  // namespace cocos2d::backend::sdl
