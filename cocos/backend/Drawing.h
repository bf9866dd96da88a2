// The drawing part of a backend: whole and partial frames of solid rectangles, images and
// glyph runs, clipped to window-pixel rectangles; images loaded from files; the last frame
// saved as a PNG. Every transform maps local coordinates to window pixels (top-left origin).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "cocos/backend/Text.h"
#include "cocos/base/ccTypes.h"
#include "cocos/math/AffineTransform.h"

namespace cocos2d::backend {

using TextureId = std::uint32_t;  // 0: none

// One glyph of a text run, placed in the run's local coordinates (y up, baseline at y).
struct GlyphPlacement {
  char32_t codepoint;
  float x;
  float baseline;
};

class Drawing {
 public:
  virtual ~Drawing() = default;

  virtual void beginFrame(const Color4B& clear) = 0;
  // Clip to a window-pixel rectangle (x, y from the top-left), or none when null.
  virtual void setClip(const Rect* pixelRect) = 0;
  // A solid rectangle (0, 0)-(width, height) in local coordinates.
  virtual void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) = 0;
  // The texture's sub-rectangle `source` (texels, top-left origin) drawn onto the local
  // rectangle (0, 0)-(width, height); the texel row 0 lands at local y = height.
  virtual void drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width,
                           float height, const Color4B& modulate) = 0;
  // Glyphs of one font at one size (in local units); the backend rasterises them at the
  // size they take on screen and skips glyphs outside the window and the clip.
  virtual void drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                          const AffineTransform& toPixels, const Color4B& color) = 0;
  virtual void endFrame() = 0;  // presents the frame

  // A frame that redraws only a region of the last one (window pixels, whole numbers): the
  // region is cleared, drawn with everything clipped to it, and only it is presented.
  virtual bool supportsPartialFrames() const { return false; }
  virtual void beginPartialFrame(const Color4B& clear, const Rect& region) {
    (void)region;
    beginFrame(clear);
  }
  virtual void endPartialFrame(const Rect& region) {
    (void)region;
    endFrame();
  }

  // The last frame drawn, as a PNG of the window's size.
  virtual bool saveScreenshot(const std::string& pngPath) = 0;

  virtual TextureId loadImage(const std::string& path, int& width, int& height) = 0;  // 0 on failure
};

}  // namespace cocos2d::backend
