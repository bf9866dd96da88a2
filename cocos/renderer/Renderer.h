// Draws one frame of the scene graph through the backend's drawing part: holds the design-to-window
// transform, the clip stack (nested clips intersect) and the region of the window that is
// still visible, which lets large nodes draw only what can be seen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "cocos/backend/Drawing.h"
#include "cocos/base/ccTypes.h"
#include "cocos/math/AffineTransform.h"

namespace cocos2d {

class Node;

class Renderer {
 public:
  // windowWidth/Height in pixels; designToWindow maps design units to window pixels.
  Renderer(backend::Drawing& drawing, float windowWidth, float windowHeight, const AffineTransform& designToWindow);

  // Draws the tree under root as one frame, cleared to the colour; with a region (window
  // pixels), only that part of the last frame is redrawn and presented.
  void render(Node* root, const Color4B& clearColor, const Rect* region = nullptr);
  // Where the design area does not fill the window, the bars around it take this colour and
  // nothing of the scene is drawn into them.
  void setLetterbox(const Rect& contentPixels, const Color4B& barColor);

  // A window-pixel rectangle (top-left origin) that clips everything drawn until the matching
  // popClip; it is intersected with the clip already in force. Rounded to whole pixels.
  void pushClip(const Rect& pixelRect);
  void popClip();
  // The visible pixel region mapped back through the inverse of toPixels: the axis-aligned
  // bounds, in the local space, of what can be seen. False when nothing can be seen.
  bool visibleLocalRect(const AffineTransform& toPixels, Rect& local) const;

  // Forwarders to the backend that skip work when nothing can be seen.
  void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color);
  void drawTexture(backend::TextureId texture, const Rect& source, const AffineTransform& toPixels, float width,
                   float height, const Color4B& modulate);
  void drawGlyphs(backend::FontId font, float size, const backend::GlyphPlacement* glyphs, std::size_t count,
                  const AffineTransform& toPixels, const Color4B& color);

  // The clip rectangle of a local rectangle: the pixel bounds of its transformed corners.
  static Rect pixelBounds(const AffineTransform& toPixels, const Rect& local);

 private:
  // The window intersected with the current clip, in pixels; empty when nothing can be seen.
  Rect visiblePixelRect() const;
  void applyClip();
  bool nothingVisible() const;

  backend::Drawing& _drawing;
  Rect _window;
  AffineTransform _designToWindow;
  std::vector<Rect> _clips;
  std::size_t _baseClips = 0;  // the frame's own region, which popClip never removes
  bool _letterboxed = false;
  Rect _content;  // window pixels of the design area, when letterboxed
  Color4B _barColor;
};

}  // namespace cocos2d
