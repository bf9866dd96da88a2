// A frame renderer in standard C++ alone, for backends that present a buffer of their own (a
// DIB section on Windows): the calls of the Drawing part on a caller-owned buffer of
// premultiplied 32-bit pixels, with the images of ImageStore and the glyphs of a GlyphSource.
// The backend's Drawing forwards to it and presents the buffer after endFrame.
#pragma once

#include <cstddef>
#include <string>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/software/Canvas.h"
#include "cocos/backend/software/GlyphCache.h"
#include "cocos/backend/software/ImageStore.h"
#include "cocos/backend/software/TextRenderer.h"

namespace cocos2d::backend::software {

class Renderer {
 public:
  Renderer(ImageLoader loader, GlyphSource& glyphs) : _images(std::move(loader)), _glyphs(glyphs), _text(_glyphs) {}
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  // The buffer frames are drawn into, owned by the caller (again after every resize).
  void setTarget(const PixelBuffer& target) { _canvas.setTarget(target); }

  // As Drawing's calls of the same names. A whole frame clears the buffer and drops the clip;
  // a partial one clears only `region` (window pixels, whole numbers) and clips to it.
  void beginFrame(const Color4B& clear);
  void beginPartialFrame(const Color4B& clear, const Rect& region);
  void setClip(const Rect* pixelRect);
  void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color);
  void drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width, float height,
                   const Color4B& modulate);
  void drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                  const AffineTransform& toPixels, const Color4B& color);
  TextureId loadImage(const std::string& path, int& width, int& height) { return _images.load(path, width, height); }

  // The parts, for tests and measurements.
  Canvas& canvas() { return _canvas; }
  ImageStore& images() { return _images; }
  GlyphCache& glyphCache() { return _glyphs; }
  const TextRenderer& textRenderer() const { return _text; }

 private:
  Canvas _canvas;
  ImageStore _images;
  GlyphCache _glyphs;
  TextRenderer _text;
};

}  // namespace cocos2d::backend::software
