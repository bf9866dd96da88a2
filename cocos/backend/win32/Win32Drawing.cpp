#include "cocos/backend/win32/Win32Drawing.h"

namespace cocos2d::backend::win32 {

Win32Drawing::Win32Drawing(Win32Window& window, GdiFonts& fonts)
    : _window(window),
      _glyphs(fonts),
      _renderer([this](const std::string& path, software::PixelImage& image) { return _codec.decode(path, image); },
                _glyphs) {}

void Win32Drawing::beginFrame(const Color4B& clear) {
  // Set for every frame: a resize replaces the buffer. Without one (no memory for it) the
  // renderer has an empty target and draws nothing.
  _renderer.setTarget(_window.frameBuffer().pixels());
  _renderer.beginFrame(clear);
}

void Win32Drawing::beginPartialFrame(const Color4B& clear, const Rect& region) {
  _renderer.setTarget(_window.frameBuffer().pixels());
  _renderer.beginPartialFrame(clear, region);
}

void Win32Drawing::endPartialFrame(const Rect& region) {
  _window.presentRegion(static_cast<int>(region.origin.x), static_cast<int>(region.origin.y),
                        static_cast<int>(region.size.width), static_cast<int>(region.size.height));
}

bool Win32Drawing::saveScreenshot(const std::string& pngPath) {
  // The buffer keeps the last frame drawn, at the window's size.
  return _codec.writePng(pngPath, _window.frameBuffer().pixels());
}

}  // namespace cocos2d::backend::win32
