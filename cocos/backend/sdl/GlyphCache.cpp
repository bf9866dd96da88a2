#include "cocos/backend/sdl/GlyphCache.h"

#include <vector>

#include "cocos/backend/sdl/GlyphRaster.h"
#include "cocos/backend/sdl/GlyphRotation.h"

namespace cocos2d::backend::sdl {
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
  if (const auto found = glyphs_.find(key); found != glyphs_.end()) return found->second;
  if (bytes_ > budget_) clear();
  Glyph glyph;
  if (TTF_Font* font = fonts.rasterFace(face, pixels)) glyph = rasterise(renderer, font, codepoint);
  bytes_ += pixelBytes(glyph.width, glyph.height);
  return glyphs_.emplace(key, glyph).first->second;
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

const GlyphCache::TurnedGlyph* GlyphCache::getTurned(SDL_Renderer* renderer, FontLibrary& fonts, int face, int pixels,
                                                     char32_t codepoint, int step, const Color3B& colour) {
  const TurnedKey key{glyphKey(face, pixels, codepoint),
                      (static_cast<std::uint32_t>(step & 0xFF) << 24) | (static_cast<std::uint32_t>(colour.r) << 16) |
                          (static_cast<std::uint32_t>(colour.g) << 8) | colour.b};
  if (const auto found = turned_.find(key); found != turned_.end()) {
    found->second.lastFrame = frame_;
    return &found->second;
  }
  // Once this frame has been refused, the rest of it is too, without the work of turning.
  if (refusedFrame_ == frame_) return nullptr;
  TTF_Font* font = fonts.rasterFace(face, pixels);
  if (!font) return nullptr;
  std::size_t cost = 0;
  TurnedGlyph glyph = turn(renderer, font, codepoint, step, colour, cost);
  // A quarter of the budget stays free for upright glyphs, whose misses clear everything.
  const std::size_t limit = budget_ / 4 * 3;
  if (bytes_ + cost > limit) dropStaleTurned();
  if (bytes_ + cost > limit) {
    if (glyph.texture) SDL_DestroyTexture(glyph.texture);
    refusedFrame_ = frame_;
    return nullptr;
  }
  bytes_ += cost;
  glyph.lastFrame = frame_;
  return &turned_.emplace(key, glyph).first->second;
}

GlyphCache::TurnedGlyph GlyphCache::turn(SDL_Renderer* renderer, TTF_Font* font, char32_t codepoint, int step,
                                         const Color3B& colour, std::size_t& cost) {
  TurnedGlyph glyph;
  cost = pixelBytes(0, 0);
  const InkSurface ink = rasteriseInk(font, codepoint);
  if (!ink.surface) return glyph;
  const Coverage upright = coverageOf(*ink.surface);
  SDL_FreeSurface(ink.surface);
  const RotatedCoverage turned = rotateCoverage(upright, stepAngle(step, kStepsPerTurn));
  const Coverage& bitmap = turned.bitmap;
  if (bitmap.width <= 0 || bitmap.height <= 0) return glyph;
  // The colour goes into the pixels rather than into a modulation at each copy: SDL blends
  // unmodulated ARGB pixels on a much faster path, which skips transparent ones outright.
  const Uint32 rgb = (static_cast<Uint32>(colour.r) << 16) | (static_cast<Uint32>(colour.g) << 8) | colour.b;
  std::vector<Uint32> pixels(bitmap.alpha.size());
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = (static_cast<Uint32>(bitmap.alpha[i]) << 24) | rgb;
  glyph.texture =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, bitmap.width, bitmap.height);
  if (!glyph.texture) return glyph;
  if (SDL_UpdateTexture(glyph.texture, nullptr, pixels.data(), bitmap.width * 4) != 0) {
    SDL_DestroyTexture(glyph.texture);
    glyph.texture = nullptr;
    return glyph;
  }
  SDL_SetTextureBlendMode(glyph.texture, SDL_BLENDMODE_BLEND);
  glyph.width = bitmap.width;
  glyph.height = bitmap.height;
  glyph.centreX = turned.centreX;
  glyph.centreY = turned.centreY;
  cost = pixelBytes(bitmap.width, bitmap.height);
  return glyph;
}

void GlyphCache::dropStaleTurned() {
  for (auto it = turned_.begin(); it != turned_.end();) {
    if (it->second.lastFrame + 1 >= frame_) {
      ++it;
      continue;
    }
    if (it->second.texture) SDL_DestroyTexture(it->second.texture);
    bytes_ -= pixelBytes(it->second.width, it->second.height);
    it = turned_.erase(it);
  }
}

void GlyphCache::clear() {
  for (auto& entry : glyphs_) {
    if (entry.second.texture) SDL_DestroyTexture(entry.second.texture);
  }
  for (auto& entry : turned_) {
    if (entry.second.texture) SDL_DestroyTexture(entry.second.texture);
  }
  glyphs_.clear();
  turned_.clear();
  bytes_ = 0;
  refusedFrame_ = ~std::uint64_t{0};
}

}  // namespace cocos2d::backend::sdl
