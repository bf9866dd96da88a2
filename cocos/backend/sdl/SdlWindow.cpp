#include "cocos/backend/sdl/SdlWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "cocos/backend/sdl/EventTranslation.h"
#if defined(SDL_VIDEO_DRIVER_X11)
#include "cocos/backend/sdl/x11/X11Desktop.h"
#endif

namespace cocos2d::backend::sdl {
namespace {

bool envSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

SdlWindow::~SdlWindow() {
  close();
  if (_sdlStarted) SDL_Quit();
}

void SdlWindow::close() {
  _presenter.detach();
  if (_renderer) SDL_DestroyRenderer(_renderer);
  if (_window) SDL_DestroyWindow(_window);
  _renderer = nullptr;
  _window = nullptr;
  _displayFd = kUnknownDescriptor;
}

bool SdlWindow::openWindow(WindowOptions& options) {
  if (_window) {
    _lastError = "cannot open a window: one is already open";
    return false;
  }
  _headless = options.headless;
  if (!_headless && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY")) {
    _lastError = "cannot open a window: no display (set DISPLAY, or use --headless)";
    return false;
  }
  // Without framebuffer acceleration SDL draws into a shared-memory image and never loads
  // a GL driver, which would cost some 90 MiB and many milliseconds.
  // Override priority: SDL_* environment variables must not change how frames are drawn,
  // or headless screenshots would stop matching the window.
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
  SDL_SetHintWithPriority(SDL_HINT_RENDER_DRIVER, "software", SDL_HINT_OVERRIDE);
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // A calculator left open all day must not keep the screen from blanking.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (_headless) {
    // The same software renderer on an in-memory window: text and screenshots come out
    // exactly as in the windowed program.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
  } else {
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  }
  // Video and events only: audio starts with the first sound, and joysticks are not used.
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    _lastError = _headless ? std::string("cannot open an offscreen window: ") + SDL_GetError()
                           : std::string("cannot open a window: cannot reach the display (") + SDL_GetError() +
                                 "); set DISPLAY, or use --headless";
    return false;
  }
  _sdlStarted = true;
  // SDL has opened the display and its input method: threads may start from here on.
  if (options.displayOpened) options.displayOpened();
  // A window is made hidden first: the desktop's scale is read through its connection, and it
  // shows at the size that fits.
  const Uint32 flags =
      (_headless ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN) | (options.resizable ? SDL_WINDOW_RESIZABLE : 0);
  _window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options.width,
                             options.height, flags);
  if (_window && !_headless) {
    // Asked only now: the store it comes from is read on another thread meanwhile.
    int keptWidth = 0, keptHeight = 0;
    if (!options.keptSize || !options.keptSize(keptWidth, keptHeight)) keptWidth = keptHeight = 0;
    const WindowSize size = sizeForDesktop(options.width, options.height, keptWidth, keptHeight);
    // SDL waits on the X server a few times over to resize and to move a window. Most desktops
    // fit the size asked for, and the window already sits centred at it.
    if (size.width != options.width || size.height != options.height) {
      SDL_SetWindowSize(_window, size.width, size.height);
      SDL_SetWindowPosition(_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    const WindowSize least = software::minimumWindowSize(options.width, options.height);
    SDL_SetWindowMinimumSize(_window, least.width, least.height);
    SDL_ShowWindow(_window);
  }
  if (_window) _renderer = SDL_CreateRenderer(_window, -1, SDL_RENDERER_SOFTWARE);
  if (!_window || !_renderer) {
    _lastError = std::string("cannot open a window: ") + SDL_GetError();
    close();
    return false;
  }
  SDL_SetRenderDrawBlendMode(_renderer, SDL_BLENDMODE_BLEND);
  SDL_GetRendererOutputSize(_renderer, &_width, &_height);
  options.width = _width;
  options.height = _height;
  attachPresenter();
  _lastError.clear();
  return true;
}

WindowSize SdlWindow::sizeForDesktop(int width, int height, int keptWidth, int keptHeight) {
  double dpi = 0;
#if defined(SDL_VIDEO_DRIVER_X11)
  dpi = x11::xftDpi(x11Display());
#endif
  const double scale = software::desktopScale(std::getenv("GDK_SCALE"), std::getenv("QT_SCALE_FACTOR"), dpi);
  SDL_Rect usable{0, 0, 0, 0};
  const int display = std::max(0, SDL_GetWindowDisplayIndex(_window));
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) usable = SDL_Rect{0, 0, 0, 0};
  return software::chooseWindowSize(width, height, scale, usable.w, usable.h, keptWidth, keptHeight);
}

void* SdlWindow::x11Display() const {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (_window && SDL_GetWindowWMInfo(_window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    return info.info.x11.display;
  }
#endif
  return nullptr;
}

void SdlWindow::attachPresenter() {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!_headless && SDL_GetWindowWMInfo(_window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    _presenter.attach(info.info.x11.display, info.info.x11.window);
  }
#endif
}

bool SdlWindow::pollEvent(InputEvent& event) {
  if (!_sdlStarted) return false;
  SDL_Event raw;
  while (SDL_PollEvent(&raw)) {
    if (raw.type == SDL_WINDOWEVENT && raw.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
      SDL_GetRendererOutputSize(_renderer, &_width, &_height);
    }
    if (!translateEvent(raw, event)) continue;
    if (event.type == InputEvent::Type::Resized) {
      // What is drawn on is the renderer's output, which is what the engine must lay out for.
      event.width = _width;
      event.height = _height;
    }
    if (event.type == InputEvent::Type::KeyDown) {
      // The text a key press produced follows it at once in the queue: the two travel as one
      // event, so that the text, not the key's position, decides what is typed.
      SDL_Event next;
      if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && next.type == SDL_TEXTINPUT) {
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        event.text = next.text.text;
      }
    }
    return true;
  }
  return false;
}

void SdlWindow::present() {
  if (_renderer) SDL_RenderPresent(_renderer);
}

void SdlWindow::presentRegion(const SDL_Rect& area) {
  if (!_renderer) return;
  SDL_RenderFlush(_renderer);
  SDL_Surface* surface = canvas();
  // Straight to the X server without waiting for it; SDL's own update would wait for a reply,
  // a second wake-up for every blink of the cursor.
  if (surface && _presenter.isAttached() &&
      _presenter.put(surface->pixels, surface->pitch, area.x, area.y, area.w, area.h)) {
    return;
  }
  SDL_UpdateWindowSurfaceRects(_window, &area, 1);
}

bool SdlWindow::windowScreenPosition(int& x, int& y) {
  x = y = 0;
  if (!_window || _headless) return false;
  SDL_GetWindowPosition(_window, &x, &y);
  return true;
}

std::uint64_t SdlWindow::monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

}  // namespace cocos2d::backend::sdl
