// The SDL backend's window: SDL's video and events, one window with the software renderer
// (the offscreen driver when headless) sized for the desktop, the wait for input, and the
// clock. The other parts draw through its renderer and present through it.
#pragma once

#include <SDL_rect.h>
#include <SDL_render.h>
#include <SDL_video.h>

#include <string>

#include "cocos/backend/Window.h"
#include "cocos/backend/software/WindowFit.h"
#include "cocos/backend/sdl/x11/X11Presenter.h"

namespace cocos2d::backend::sdl {

using software::WindowSize;

class SdlWindow final : public Window {
 public:
  SdlWindow() = default;
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  bool openWindow(WindowOptions& options) override;
  std::string lastError() const override { return _lastError; }
  bool isHeadless() const override { return _headless; }
  bool pollEvent(InputEvent& event) override;
  void waitForEvent(int timeoutMilliseconds) override;
  std::uint64_t monotonicNanoseconds() override;
  bool windowScreenPosition(int& x, int& y) override;

  // For the other parts. The renderer is null until the window is open; its textures must
  // be gone before the window closes.
  SDL_Window* sdlWindow() const { return _window; }
  SDL_Renderer* renderer() const { return _renderer; }
  // The renderer's output size in pixels, which is what the engine lays out for.
  int pixelWidth() const { return _width; }
  int pixelHeight() const { return _height; }
  // The surface the software renderer draws into.
  SDL_Surface* canvas() const { return SDL_GetWindowSurface(_window); }
  // Presents the whole frame, or only a region of the drawn surface.
  void present();
  void presentRegion(const SDL_Rect& area);
  // The X display connection (a Display*) the window is on, or null when it is not on X11.
  void* x11Display() const;

 private:
  static constexpr int kUnknownDescriptor = -2;
  void close();
  void attachPresenter();
  // The size a window asked at width x height gets on this desktop, or the kept one (0 x 0:
  // none) where it fits.
  WindowSize sizeForDesktop(int width, int height, int keptWidth, int keptHeight);
  // The display connection's descriptor, or -1 when the display has none to wait on.
  int displayDescriptor();

  bool _headless = false;
  bool _sdlStarted = false;
  SDL_Window* _window = nullptr;
  SDL_Renderer* _renderer = nullptr;
  int _width = 0, _height = 0;
  int _displayFd = kUnknownDescriptor;
  x11::X11Presenter _presenter;
  std::string _lastError;
};

}  // namespace cocos2d::backend::sdl
