#include "cocos/backend/sdl/GlyphCache.h"

#include "cocos/backend/sdl/GlyphRaster.h"
#include "cocos/backend/software/GlyphRotation.h"

namespace cocos2d::backend::sdl {

using software::InkSpan;
using software::rotateCoverage;
using software::stepAngle;
namespace {

std::uint64_t glyphKey(int face, int pixels, char32_t codepoint) {
  return (static_cast<std::uint64_t>(face) << 44) | (static_cast<std::uint64_t>(pixels) << 24) |
         static_cast<std::uint64_t>(codepoint & 0xFFFFFFu);
}

std::size_t pixelBytes(int width, int height) {
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 + 64;
}

}  // namespace

const GlyphCache::Glyph& GlyphCache::get(SDL_Renderer* renderer, FontLibrary& fonts, int face, int pixels,
                                         char32_t codepoint) {
  const std::uint64_t key = glyphKey(face, pixels, codepoint);
  if (const auto found = _glyphs.find(key); found != _glyphs.end()) return found->second;
  if (_bytes > _budget) clear();
  Glyph glyph;
  if (TTF_Font* font = fonts.rasterFace(face, pixels)) glyph = rasterise(renderer, font, codepoint);
  _bytes += pixelBytes(glyph.width, glyph.height);
  return _glyphs.emplace(key, glyph).first->second;
}

GlyphCache::Glyph GlyphCache::rasterise(SDL_Renderer* renderer, TTF_Font* font, char32_t codepoint) {
  Glyph glyph;
  const InkSurface ink = rasteriseInk(font, codepoint);
  if (!ink.surface) return glyph;
  glyph.texture = SDL_CreateTextureFromSurface(renderer, ink.surface);
  const int width = ink.surface->w, height = ink.surface->h;
  SDL_FreeSurface(ink.surface);
  if (!glyph.texture) return glyph;
  SDL_SetTextureBlendMode(glyph.texture, SDL_BLENDMODE_BLEND);
  // Only used when a transform scales text away from the size it was rasterised at.
  SDL_SetTextureScaleMode(glyph.texture, SDL_ScaleModeLinear);
  glyph.left = ink.left;
  glyph.top = ink.top;
  glyph.width = width;
  glyph.height = height;
  return glyph;
}

const GlyphCache::TurnedGlyph* GlyphCache::getTurned(FontLibrary& fonts, int face, int pixels, char32_t codepoint,
                                                     int step) {
  const std::uint64_t key = turnedKey(glyphKey(face, pixels, codepoint), step);
  if (const auto found = _turned.find(key); found != _turned.end()) {
    found->second.lastFrame = _frame;
    return &found->second;
  }
  // Once this frame has been refused, the rest of it is too, without the work of turning.
  if (_refusedFrame == _frame) return nullptr;
  TTF_Font* font = fonts.rasterFace(face, pixels);
  if (!font) return nullptr;
  TurnedGlyph glyph;
  const InkSurface ink = rasteriseInk(font, codepoint);
  if (ink.surface) {
    glyph.ink = rotateCoverage(coverageOf(*ink.surface), stepAngle(step, kStepsPerTurn));
    glyph.left = ink.left;
    glyph.top = ink.top;
    glyph.width = ink.surface->w;
    glyph.height = ink.surface->h;
    SDL_FreeSurface(ink.surface);
  }
  const std::size_t cost = turnedBytes(glyph);
  // A quarter of the budget stays free for upright glyphs, whose misses clear everything.
  const std::size_t limit = _budget / 4 * 3;
  if (_bytes + cost > limit) dropStaleTurned();
  if (_bytes + cost > limit) {
    _refusedFrame = _frame;
    return nullptr;
  }
  _bytes += cost;
  glyph.lastFrame = _frame;
  return &_turned.emplace(key, std::move(glyph)).first->second;
}

std::size_t GlyphCache::turnedBytes(const TurnedGlyph& glyph) {
  return glyph.ink.bitmap.alpha.size() + glyph.ink.rows.size() * sizeof(InkSpan) + 64;
}

void GlyphCache::dropStaleTurned() {
  for (auto it = _turned.begin(); it != _turned.end();) {
    if (it->second.lastFrame + 1 >= _frame) {
      ++it;
      continue;
    }
    _bytes -= turnedBytes(it->second);
    it = _turned.erase(it);
  }
}

void GlyphCache::clear() {
  for (auto& entry : _glyphs) {
    if (entry.second.texture) SDL_DestroyTexture(entry.second.texture);
  }
  _glyphs.clear();
  _turned.clear();
  _bytes = 0;
  _refusedFrame = ~std::uint64_t{0};
}

}  // namespace cocos2d::backend::sdl
