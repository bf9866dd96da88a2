#include "cocos/renderer/Renderer.h"

#include <algorithm>
#include <cmath>

#include "cocos/2d/Node.h"

namespace cocos2d {
namespace {

Rect intersect(const Rect& a, const Rect& b) {
  const float x0 = std::max(a.getMinX(), b.getMinX());
  const float y0 = std::max(a.getMinY(), b.getMinY());
  const float x1 = std::min(a.getMaxX(), b.getMaxX());
  const float y1 = std::min(a.getMaxY(), b.getMaxY());
  return Rect(x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0));
}

}  // namespace

Renderer::Renderer(backend::Drawing& drawing, float windowWidth, float windowHeight,
                   const AffineTransform& designToWindow)
    : _drawing(drawing), _window(0, 0, windowWidth, windowHeight), _designToWindow(designToWindow) {}

void Renderer::setLetterbox(const Rect& contentPixels, const Color4B& barColor) {
  _letterboxed = true;
  _content = contentPixels;
  _barColor = barColor;
}

void Renderer::render(Node* root, const Color4B& clearColor, const Rect* region) {
  _clips.clear();
  _baseClips = 0;
  const Color4B& background = _letterboxed ? _barColor : clearColor;
  if (region) {
    _drawing.beginPartialFrame(background, *region);
    _clips.push_back(*region);
    _baseClips = 1;
    applyClip();
  } else {
    _drawing.beginFrame(background);
  }
  if (_letterboxed) {
    // The design area in the clear colour, and everything after clipped to it.
    pushClip(_content);
    _baseClips = _clips.size();
    const AffineTransform pixels{1, 0, 0, 1, _content.origin.x, _content.origin.y};
    if (clearColor.a != 0) _drawing.drawRect(pixels, _content.size.width, _content.size.height, clearColor);
  }
  if (root) root->visit(this, _designToWindow);
  if (!_clips.empty()) {
    _clips.clear();
    _baseClips = 0;
    applyClip();
  }
  if (region) {
    _drawing.endPartialFrame(*region);
  } else {
    _drawing.endFrame();
  }
}

Rect Renderer::pixelBounds(const AffineTransform& toPixels, const Rect& local) {
  return toPixels.applyToBounds(local);
}

void Renderer::pushClip(const Rect& pixelRect) {
  // Whole pixels, so that nested clips intersect exactly and the backend need not round.
  const float x0 = std::round(pixelRect.getMinX()), y0 = std::round(pixelRect.getMinY());
  const float x1 = std::round(pixelRect.getMaxX()), y1 = std::round(pixelRect.getMaxY());
  Rect clip(x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0));
  if (!_clips.empty()) clip = intersect(clip, _clips.back());
  _clips.push_back(clip);
  applyClip();
}

void Renderer::popClip() {
  if (_clips.size() <= _baseClips) return;
  _clips.pop_back();
  applyClip();
}

void Renderer::applyClip() { _drawing.setClip(_clips.empty() ? nullptr : &_clips.back()); }

Rect Renderer::visiblePixelRect() const { return _clips.empty() ? _window : intersect(_window, _clips.back()); }

bool Renderer::nothingVisible() const {
  return !_clips.empty() && (_clips.back().size.width <= 0 || _clips.back().size.height <= 0);
}

bool Renderer::visibleLocalRect(const AffineTransform& toPixels, Rect& local) const {
  const Rect visible = visiblePixelRect();
  if (visible.size.width <= 0 || visible.size.height <= 0) return false;
  const float det = toPixels.a * toPixels.d - toPixels.b * toPixels.c;
  if (det == 0) return false;  // scaled to nothing
  local = pixelBounds(toPixels.inverse(), visible);
  return true;
}

void Renderer::drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) {
  if (nothingVisible() || color.a == 0) return;
  _drawing.drawRect(toPixels, width, height, color);
}

void Renderer::drawTexture(backend::TextureId texture, const Rect& source, const AffineTransform& toPixels,
                           float width, float height, const Color4B& modulate) {
  if (nothingVisible() || texture == 0 || modulate.a == 0) return;
  _drawing.drawTexture(texture, source, toPixels, width, height, modulate);
}

void Renderer::drawGlyphs(backend::FontId font, float size, const backend::GlyphPlacement* glyphs,
                          std::size_t count, const AffineTransform& toPixels, const Color4B& color) {
  if (nothingVisible() || count == 0 || color.a == 0) return;
  _drawing.drawGlyphs(font, size, glyphs, count, toPixels, color);
}

}  // namespace cocos2d
