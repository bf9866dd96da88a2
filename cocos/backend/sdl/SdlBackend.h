// The Backend on SDL2: one window with the software renderer (or the offscreen driver when
// headless), its events, and the stores that draw images and text; sound and system
// services besides.
#pragma once

#include <SDL_render.h>
#include <SDL_video.h>

#include <string>

#include "cocos/backend/Backend.h"
#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/sdl/Geometry.h"
#include "cocos/backend/sdl/GlyphCache.h"
#include "cocos/backend/sdl/SoundPlayer.h"
#include "cocos/backend/sdl/TextRenderer.h"
#include "cocos/backend/sdl/TextureStore.h"
#include "cocos/backend/sdl/WindowFit.h"
#include "cocos/backend/sdl/x11/X11Presenter.h"

namespace cocos2d::backend::sdl {

class SdlBackend final : public Backend {
 public:
  SdlBackend();
  ~SdlBackend() override;

  bool openWindow(WindowOptions& options) override;
  std::string lastError() const override { return lastError_; }
  bool isHeadless() const override { return headless_; }

  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeoutMilliseconds) override;

  void beginFrame(const Color4B& clear) override;
  void setClip(const Rect* pixelRect) override;
  void drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) override;
  void drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width, float height,
                   const Color4B& modulate) override;
  void drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                  const AffineTransform& toPixels, const Color4B& color) override;
  void endFrame() override;
  bool supportsPartialFrames() const override { return renderer_ != nullptr && partialFrames_; }
  void beginPartialFrame(const Color4B& clear, const Rect& region) override;
  void endPartialFrame(const Rect& region) override;
  bool saveScreenshot(const std::string& pngPath) override;

  TextureId loadImage(const std::string& path, int& width, int& height) override;

  FontId openFont(const std::string& family, const std::string& language) override;
  FontMetrics fontMetrics(FontId font, float size) override;
  float glyphAdvance(FontId font, float size, char32_t codepoint) override;

  void playEffect(const std::string& path, bool loop, float pitch, float pan, float gain) override;

  void setClipboardText(const std::string& bytes) override;
  bool getClipboardText(std::string& bytes) override;
  bool openURL(const std::string& url) override;
  std::string preferredLanguage() override;
  std::uint64_t monotonicNanoseconds() override;
  bool windowScreenPosition(int& x, int& y) override;
  std::string accessibilityBusAddress() override;

  // For tests and measurements of this module. Windows draw partial frames; headless ones
  // draw every frame whole unless a test asks otherwise.
  void setPartialFrames(bool enabled) { partialFrames_ = enabled; }
  FontLibrary& fonts() { return fonts_; }
  GlyphCache& glyphCache() { return glyphs_; }
  TextureStore& textures() { return textures_; }
  const TextRenderer& textRenderer() const { return text_; }

 private:
  static constexpr int kUnknownDescriptor = -2;
  void closeWindow();
  void attachPresenter();
  // The size a window asked at width x height gets on this desktop.
  WindowSize sizeForDesktop(int width, int height);
  // The display connection's descriptor, or -1 when the display has none to wait on.
  int displayDescriptor();

  bool headless_ = false;
  bool sdlStarted_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  int width_ = 0, height_ = 0;
  int displayFd_ = kUnknownDescriptor;
  bool partialFrames_ = false;
  x11::X11Presenter presenter_;
  PixelArea visible_;  // the window, or its intersection with the clip
  std::string lastError_;
  std::string offscreenClipboard_;  // headless runs must not touch the desktop's clipboard

  FontLibrary fonts_;
  GlyphCache glyphs_;
  TextRenderer text_{fonts_, glyphs_};
  TextureStore textures_;
  SoundPlayer sound_;
};

}  // namespace cocos2d::backend::sdl
