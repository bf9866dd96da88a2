// The SDL backend's drawing part: frames on the window's software renderer, whole or of a
// region, with images from TextureStore and text through TextRenderer from the text part's
// fonts; screenshots read back from the renderer.
#pragma once

#include <optional>
#include <string>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/sdl/GlyphCache.h"
#include "cocos/backend/sdl/SdlWindow.h"
#include "cocos/backend/sdl/TextRenderer.h"
#include "cocos/backend/sdl/TextureStore.h"
#include "cocos/backend/software/Geometry.h"

namespace cocos2d::backend::sdl {

using software::PixelArea;

class SdlDrawing final : public Drawing {
 public:
  SdlDrawing(SdlWindow& window, FontLibrary& fonts) : _window(window), _text(fonts, _glyphs) {}
  SdlDrawing(const SdlDrawing&) = delete;
  SdlDrawing& operator=(const SdlDrawing&) = delete;

  void beginFrame(const Color4B& clear) override;
  void setClip(const Rect* pixelRect) override;
  void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) override;
  void drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width, float height,
                   const Color4B& modulate) override;
  void drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                  const AffineTransform& toPixels, const Color4B& color) override;
  void endFrame() override;
  // Windows draw partial frames; headless ones draw every frame whole unless told otherwise.
  bool supportsPartialFrames() const override {
    return _window.renderer() != nullptr && _partialFrames.value_or(!_window.isHeadless());
  }
  void beginPartialFrame(const Color4B& clear, const Rect& region) override;
  void endPartialFrame(const Rect& region) override;
  bool saveScreenshot(const std::string& pngPath) override;
  TextureId loadImage(const std::string& path, int& width, int& height) override;

  // For tests and measurements of this module.
  void setPartialFrames(bool enabled) { _partialFrames = enabled; }
  GlyphCache& glyphCache() { return _glyphs; }
  TextureStore& textures() { return _textures; }
  const TextRenderer& textRenderer() const { return _text; }

 private:
  SdlWindow& _window;
  std::optional<bool> _partialFrames;
  PixelArea _visible;  // the window, or its intersection with the clip
  GlyphCache _glyphs;
  TextRenderer _text;
  TextureStore _textures;
};

}  // namespace cocos2d::backend::sdl
