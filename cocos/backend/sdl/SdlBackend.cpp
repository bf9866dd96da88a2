#include "cocos/backend/sdl/SdlBackend.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cocos/backend/sdl/EventTranslation.h"
#include "cocos/backend/sdl/RenderPrimitives.h"
#include "cocos/backend/sdl/WindowFit.h"
#include "cocos/backend/sdl/x11/X11Desktop.h"

namespace cocos2d::backend::sdl {
namespace {

bool envSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

}  // namespace

SdlBackend::SdlBackend() = default;

SdlBackend::~SdlBackend() {
  closeWindow();
  fonts_.closeAll();
  if (sdlStarted_) SDL_Quit();
}

void SdlBackend::closeWindow() {
  // Textures die with their renderer, so the caches let go of them first.
  glyphs_.clear();
  textures_.releaseTextures();
  sound_.shutdown();
  presenter_.detach();
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  renderer_ = nullptr;
  window_ = nullptr;
  displayFd_ = kUnknownDescriptor;
}

bool SdlBackend::openWindow(WindowOptions& options) {
  if (window_) {
    lastError_ = "cannot open a window: one is already open";
    return false;
  }
  headless_ = options.headless;
  if (!headless_ && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY")) {
    lastError_ = "cannot open a window: no display (set DISPLAY, or use --headless)";
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
  if (headless_) {
    // The same software renderer on an in-memory window: text and screenshots come out
    // exactly as in the windowed program.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
  } else {
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  }
  // Video and events only: audio starts with the first sound, and joysticks are not used.
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    lastError_ = headless_ ? std::string("cannot open an offscreen window: ") + SDL_GetError()
                           : std::string("cannot open a window: cannot reach the display (") + SDL_GetError() +
                                 "); set DISPLAY, or use --headless";
    return false;
  }
  sdlStarted_ = true;
  // A window is made hidden first: the desktop's scale is read through its connection, and it
  // shows at the size that fits.
  const Uint32 flags = (headless_ ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN) | (options.resizable ? SDL_WINDOW_RESIZABLE : 0);
  window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options.width,
                             options.height, flags);
  if (window_ && !headless_) {
    const WindowSize size = sizeForDesktop(options.width, options.height);
    SDL_SetWindowSize(window_, size.width, size.height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    SDL_SetWindowMinimumSize(window_, std::max(1, options.width / 4), std::max(1, options.height / 4));
    SDL_ShowWindow(window_);
  }
  if (window_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (!window_ || !renderer_) {
    lastError_ = std::string("cannot open a window: ") + SDL_GetError();
    closeWindow();
    return false;
  }
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  SDL_GetRendererOutputSize(renderer_, &width_, &height_);
  visible_ = {0, 0, static_cast<float>(width_), static_cast<float>(height_)};
  options.width = width_;
  options.height = height_;
  partialFrames_ = !headless_;
  attachPresenter();
  lastError_.clear();
  return true;
}

WindowSize SdlBackend::sizeForDesktop(int width, int height) {
  double dpi = 0;
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    dpi = x11::xftDpi(info.info.x11.display);
  }
#endif
  const double scale = desktopScale(std::getenv("GDK_SCALE"), std::getenv("QT_SCALE_FACTOR"), dpi);
  SDL_Rect usable{0, 0, 0, 0};
  const int display = std::max(0, SDL_GetWindowDisplayIndex(window_));
  if (SDL_GetDisplayUsableBounds(display, &usable) != 0) usable = SDL_Rect{0, 0, 0, 0};
  return fitWindow(width, height, scale, usable.w, usable.h);
}

void SdlBackend::attachPresenter() {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!headless_ && SDL_GetWindowWMInfo(window_, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
    presenter_.attach(info.info.x11.display, info.info.x11.window);
  }
#endif
}

void SdlBackend::beginPartialFrame(const Color4B& clear, const Rect& region) {
  if (!renderer_) return;
  glyphs_.beginFrame();
  setClip(&region);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, clear.r, clear.g, clear.b, clear.a);
  const SDL_Rect area{static_cast<int>(region.origin.x), static_cast<int>(region.origin.y),
                      static_cast<int>(region.size.width), static_cast<int>(region.size.height)};
  SDL_RenderFillRect(renderer_, &area);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

void SdlBackend::endPartialFrame(const Rect& region) {
  if (!renderer_) return;
  SDL_RenderFlush(renderer_);
  const SDL_Rect area{static_cast<int>(region.origin.x), static_cast<int>(region.origin.y),
                      static_cast<int>(region.size.width), static_cast<int>(region.size.height)};
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  // Straight to the X server without waiting for it; SDL's own update would wait for a reply,
  // a second wake-up for every blink of the cursor.
  if (surface && presenter_.isAttached() &&
      presenter_.put(surface->pixels, surface->pitch, area.x, area.y, area.w, area.h)) {
    return;
  }
  SDL_UpdateWindowSurfaceRects(window_, &area, 1);
}

bool SdlBackend::pollEvent(InputEvent& event) {
  if (!sdlStarted_) return false;
  SDL_Event raw;
  while (SDL_PollEvent(&raw)) {
    if (raw.type == SDL_WINDOWEVENT && raw.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
      SDL_GetRendererOutputSize(renderer_, &width_, &height_);
      visible_ = {0, 0, static_cast<float>(width_), static_cast<float>(height_)};
    }
    if (!translateEvent(raw, event)) continue;
    if (event.type == InputEvent::Type::Resized) {
      // What is drawn on is the renderer's output, which is what the engine must lay out for.
      event.width = width_;
      event.height = height_;
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

void SdlBackend::beginFrame(const Color4B& clear) {
  if (!renderer_) return;
  glyphs_.beginFrame();
  SDL_RenderSetClipRect(renderer_, nullptr);
  visible_ = {0, 0, static_cast<float>(width_), static_cast<float>(height_)};
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, clear.r, clear.g, clear.b, clear.a);
  SDL_RenderClear(renderer_);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

void SdlBackend::setClip(const Rect* pixelRect) {
  if (!renderer_) return;
  const PixelArea window{0, 0, static_cast<float>(width_), static_cast<float>(height_)};
  if (!pixelRect) {
    SDL_RenderSetClipRect(renderer_, nullptr);
    visible_ = window;
    return;
  }
  const int left = static_cast<int>(std::lround(pixelRect->getMinX()));
  const int top = static_cast<int>(std::lround(pixelRect->getMinY()));
  const int right = static_cast<int>(std::lround(pixelRect->getMaxX()));
  const int bottom = static_cast<int>(std::lround(pixelRect->getMaxY()));
  visible_ = {std::max(window.left, static_cast<float>(left)), std::max(window.top, static_cast<float>(top)),
              std::min(window.right, static_cast<float>(right)), std::min(window.bottom, static_cast<float>(bottom))};
  if (visible_.right <= visible_.left || visible_.bottom <= visible_.top) {
    // SDL reads an empty clip rectangle as "no clipping"; every draw checks visible_
    // first, and an empty area lets nothing through.
    visible_ = {0, 0, 0, 0};
    return;
  }
  const SDL_Rect clip{left, top, right - left, bottom - top};
  SDL_RenderSetClipRect(renderer_, &clip);
}

void SdlBackend::drawRect(const AffineTransform& toPixels, float width, float height, const Color4B& color) {
  if (!renderer_ || width <= 0 || height <= 0) return;
  fillBox(renderer_, visible_, toPixels, LocalBox{0, 0, width, height}, color);
}

void SdlBackend::drawTexture(TextureId texture, const Rect& source, const AffineTransform& toPixels, float width,
                             float height, const Color4B& modulate) {
  if (!renderer_) return;
  textures_.draw(renderer_, visible_, texture, source, toPixels, width, height, modulate);
}

void SdlBackend::drawGlyphs(FontId font, float size, const GlyphPlacement* glyphs, std::size_t count,
                            const AffineTransform& toPixels, const Color4B& color) {
  if (!renderer_) return;
  // The software renderer draws into the window's surface, so text may be blended into it.
  text_.draw(renderer_, SDL_GetWindowSurface(window_), visible_, GlyphRun{font, size, glyphs, count}, toPixels, color);
}

void SdlBackend::endFrame() {
  if (renderer_) SDL_RenderPresent(renderer_);
}

bool SdlBackend::saveScreenshot(const std::string& pngPath) {
  if (!renderer_) return false;
  // The software renderer draws into the window's own surface, which keeps the last
  // presented frame, so reading it back after the present is exact.
  SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_RGBA32);
  if (!shot) return false;
  bool saved = SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGBA32, shot->pixels, shot->pitch) == 0 &&
               IMG_SavePNG(shot, pngPath.c_str()) == 0;
  SDL_FreeSurface(shot);
  return saved;
}

TextureId SdlBackend::loadImage(const std::string& path, int& width, int& height) {
  return textures_.load(path, width, height);
}

FontId SdlBackend::openFont(const std::string& family, const std::string& language) {
  return fonts_.open(family, language);
}

FontMetrics SdlBackend::fontMetrics(FontId font, float size) { return fonts_.metrics(font, size); }

float SdlBackend::glyphAdvance(FontId font, float size, char32_t codepoint) {
  return fonts_.advance(font, size, codepoint);
}

}  // namespace cocos2d::backend::sdl
