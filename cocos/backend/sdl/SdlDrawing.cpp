#include "cocos/backend/sdl/SdlDrawing.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>

#include "cocos/backend/sdl/RenderPrimitives.h"

namespace cocos2d::backend::sdl {
namespace {

SDL_Rect wholePixels(const Rect& region) {
  return SDL_Rect{static_cast<int>(region.origin.x), static_cast<int>(region.origin.y),
                  static_cast<int>(region.size.width), static_cast<int>(region.size.height)};
}

}  // namespace

void SdlDrawing::beginFrame(const Color4B& clear) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer) return;
  _glyphs.beginFrame();
  SDL_RenderSetClipRect(renderer, nullptr);
  _visible = {0, 0, static_cast<float>(_window.pixelWidth()), static_cast<float>(_window.pixelHeight())};
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer, clear.r, clear.g, clear.b, clear.a);
  SDL_RenderClear(renderer);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

void SdlDrawing::beginPartialFrame(const Color4B& clear, const Rect& region) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer) return;
  _glyphs.beginFrame();
  setClip(&region);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer, clear.r, clear.g, clear.b, clear.a);
  const SDL_Rect area = wholePixels(region);
  SDL_RenderFillRect(renderer, &area);
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
}

void SdlDrawing::endPartialFrame(const Rect& region) { _window.presentRegion(wholePixels(region)); }

void SdlDrawing::setClip(const Rect* pixelRect) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer) return;
  const PixelArea window{0, 0, static_cast<float>(_window.pixelWidth()), static_cast<float>(_window.pixelHeight())};
  if (!pixelRect) {
    SDL_RenderSetClipRect(renderer, nullptr);
    _visible = window;
    return;
  }
  const int left = static_cast<int>(std::lround(pixelRect->getMinX()));
  const int top = static_cast<int>(std::lround(pixelRect->getMinY()));
  const int right = static_cast<int>(std::lround(pixelRect->getMaxX()));
  const int bottom = static_cast<int>(std::lround(pixelRect->getMaxY()));
  _visible = {std::max(window.left, static_cast<float>(left)), std::max(window.top, static_cast<float>(top)),
              std::min(window.right, static_cast<float>(right)), std::min(window.bottom, static_cast<float>(bottom))};
  if (_visible.right <= _visible.left || _visible.bottom <= _visible.top) {
    // SDL reads an empty clip rectangle as "no clipping"; every draw checks _visible
    // first, and an empty area lets nothing through.
    _visible = {0, 0, 0, 0};
    return;
  }
  const SDL_Rect clip{left, top, right - left, bottom - top};
  SDL_RenderSetClipRect(renderer, &clip);
}

void SdlDrawing::drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer || width <= 0 || height <= 0) return;
  fillBox(renderer, _visible, toPixels, LocalBox{0, 0, width, height}, color);
}

void SdlDrawing::drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width,
                             float height, const Color4B& modulate) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer) return;
  _textures.draw(renderer, _visible, texture, source, toPixels, width, height, modulate);
}

void SdlDrawing::drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                            const AffineTransform& toPixels, const Color4B& color) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer) return;
  // The software renderer draws into the window's surface, so text may be blended into it.
  _text.draw(renderer, _window.canvas(), _visible, GlyphRun{font, size, glyphs, count}, toPixels, color);
}

void SdlDrawing::endFrame() { _window.present(); }

bool SdlDrawing::saveScreenshot(const std::string& pngPath) {
  SDL_Renderer* renderer = _window.renderer();
  if (!renderer) return false;
  // The software renderer draws into the window's own surface, which keeps the last
  // presented frame, so reading it back after the present is exact.
  SDL_Surface* shot =
      SDL_CreateRGBSurfaceWithFormat(0, _window.pixelWidth(), _window.pixelHeight(), 32, SDL_PIXELFORMAT_RGBA32);
  if (!shot) return false;
  bool saved = SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGBA32, shot->pixels, shot->pitch) == 0 &&
               IMG_SavePNG(shot, pngPath.c_str()) == 0;
  SDL_FreeSurface(shot);
  return saved;
}

TextureId SdlDrawing::loadImage(const std::string& path, int& width, int& height) {
  return _textures.load(path, width, height);
}

}  // namespace cocos2d::backend::sdl
