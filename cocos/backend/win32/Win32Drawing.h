// The Windows backend's drawing part: frames drawn by the software renderer into the window's
// buffer and shown with GDI, whole or a region of one; images decoded by WIC; glyphs from the
// text part's GDI fonts; screenshots written by WIC as PNG files.
#pragma once

#include <optional>
#include <string>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/software/Renderer.h"
#include "cocos/backend/win32/GdiFonts.h"
#include "cocos/backend/win32/GdiGlyphSource.h"
#include "cocos/backend/win32/WicCodec.h"
#include "cocos/backend/win32/Win32Window.h"

namespace cocos2d::backend::win32 {

class Win32Drawing final : public Drawing {
 public:
  Win32Drawing(Win32Window& window, GdiFonts& fonts);
  Win32Drawing(const Win32Drawing&) = delete;
  Win32Drawing& operator=(const Win32Drawing&) = delete;

  void beginFrame(const Color4B& clear) override;
  void setClip(const Rect* pixelRect) override { _renderer.setClip(pixelRect); }
  void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) override {
    _renderer.drawRect(toPixels, width, height, color);
  }
  void drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width, float height,
                   const Color4B& modulate) override {
    _renderer.drawTexture(texture, source, toPixels, width, height, modulate);
  }
  void drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                  const AffineTransform& toPixels, const Color4B& color) override {
    _renderer.drawGlyphs(font, size, glyphs, count, toPixels, color);
  }
  void endFrame() override { _window.presentFrame(); }
  // Windows draw partial frames; headless ones draw every frame whole unless told otherwise,
  // as on Linux.
  bool supportsPartialFrames() const override {
    return _window.isOpen() && _partialFrames.value_or(!_window.isHeadless());
  }
  void beginPartialFrame(const Color4B& clear, const Rect& region) override;
  void endPartialFrame(const Rect& region) override;
  bool saveScreenshot(const std::string& pngPath) override;
  TextureId loadImage(const std::string& path, int& width, int& height) override {
    return _renderer.loadImage(path, width, height);
  }

  // For tests and measurements.
  void setPartialFrames(bool enabled) { _partialFrames = enabled; }
  software::Renderer& renderer() { return _renderer; }
  WicCodec& codec() { return _codec; }

 private:
  Win32Window& _window;
  WicCodec _codec;
  GdiGlyphSource _glyphs;
  software::Renderer _renderer;
  std::optional<bool> _partialFrames;
};

}  // namespace cocos2d::backend::win32
