#include "cocos/backend/software/Renderer.h"

#include <algorithm>
#include <cmath>

namespace cocos2d::backend::software {

void Renderer::beginFrame(const Color4B& clear) {
  _glyphs.beginFrame();
  _canvas.setClip(nullptr);
  _canvas.clear(clear);
}

void Renderer::beginPartialFrame(const Color4B& clear, const Rect& region) {
  _glyphs.beginFrame();
  setClip(&region);
  _canvas.clear(clear, _canvas.clip());
}

void Renderer::setClip(const Rect* pixelRect) {
  if (!pixelRect) {
    _canvas.setClip(nullptr);
    return;
  }
  // Edges to the nearest pixel boundary, as boxes are snapped.
  const int left = static_cast<int>(std::lround(pixelRect->getMinX()));
  const int top = static_cast<int>(std::lround(pixelRect->getMinY()));
  const int right = static_cast<int>(std::lround(pixelRect->getMaxX()));
  const int bottom = static_cast<int>(std::lround(pixelRect->getMaxY()));
  const PixelRect clip{left, top, std::max(0, right - left), std::max(0, bottom - top)};
  _canvas.setClip(&clip);
}

void Renderer::drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) {
  if (!(width > 0) || !(height > 0)) return;
  _canvas.fillBox(toPixels, LocalBox{0, 0, width, height}, color);
}

void Renderer::drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width,
                           float height, const Color4B& modulate) {
  _images.draw(_canvas, texture, source, toPixels, width, height, modulate);
}

void Renderer::drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                          const AffineTransform& toPixels, const Color4B& color) {
  _text.draw(_canvas, GlyphRun{font, size, glyphs, count}, toPixels, color);
}

}  // namespace cocos2d::backend::software
