// The software renderer's two sources served by SDL: images decoded by SDL_image and glyphs
// rasterised from the SDL backend's fonts. Tests and benchmarks that compare the software
// renderer with the SDL backend use them, so that only the drawing differs.
#pragma once

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/sdl/GlyphRaster.h"
#include "cocos/backend/software/Renderer.h"

namespace cocos2d::backend::software {

inline bool decodeWithSdl(const std::string& path, PixelImage& image) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) return false;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  if (!argb) return false;
  image.width = argb->w;
  image.height = argb->h;
  image.argb.resize(static_cast<std::size_t>(argb->w) * static_cast<std::size_t>(argb->h));
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
    std::copy(row, row + argb->w, image.argb.begin() + static_cast<std::ptrdiff_t>(y) * argb->w);
  }
  SDL_FreeSurface(argb);
  return true;
}

// The SDL backend's fonts as a glyph source.
class SdlGlyphs : public GlyphSource {
 public:
  explicit SdlGlyphs(sdl::FontLibrary& fonts) : _fonts(fonts) {}
  bool rasterize(FontId font, int pixelSize, char32_t codepoint, GlyphBitmap& glyph) override {
    const int face = _fonts.faceFor(font, codepoint);
    TTF_Font* ttf = face >= 0 ? _fonts.rasterFace(face, pixelSize) : nullptr;
    if (!ttf) return false;
    const sdl::InkSurface ink = sdl::rasteriseInk(ttf, codepoint);
    if (!ink.surface) return true;
    const Coverage coverage = sdl::coverageOf(*ink.surface);
    SDL_FreeSurface(ink.surface);
    glyph.left = ink.left;
    glyph.top = ink.top;
    glyph.width = coverage.width;
    glyph.height = coverage.height;
    glyph.coverage = coverage.alpha;
    return true;
  }

 private:
  sdl::FontLibrary& _fonts;
};

}  // namespace cocos2d::backend::software
