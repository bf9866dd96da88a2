// Helpers for the backend tests: a headless backend, and reading back its screenshots.
#pragma once

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "cocos/backend/sdl/SdlBackend.h"

namespace pemtrix_test {

using cocos2d::AffineTransform;
using cocos2d::Color4B;
using cocos2d::backend::sdl::SdlBackend;

inline std::unique_ptr<SdlBackend> openHeadless(int width = 480, int height = 768) {
  auto backend = std::make_unique<SdlBackend>();
  cocos2d::backend::WindowOptions options;
  options.title = "test";
  options.width = width;
  options.height = height;
  options.headless = true;
  EXPECT_TRUE(backend->window().openWindow(options)) << backend->window().lastError();
  return backend;
}

inline std::string tempFile(const std::string& name) { return testing::TempDir() + "pemtrix_backend_" + name; }

// Writes a PNG whose texel (x, y) has the colour `paint(x, y)` (0xAARRGGBB).
template <typename Paint>
std::string writePng(const std::string& name, int w, int h, Paint paint) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < h; ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < w; ++x) row[x] = paint(x, y);
  }
  const std::string path = tempFile(name);
  EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0);
  SDL_FreeSurface(s);
  return path;
}

// Local y-up units onto window pixels, as the engine's core hands them over: `scale`
// pixels per unit, local (0, 0) at window pixel (x, y).
inline AffineTransform upright(float scale, float x, float y) { return {scale, 0, 0, -scale, x, y}; }

// A saved screenshot, read back for pixel checks.
class Shot {
 public:
  explicit Shot(const std::string& path) {
    if (SDL_Surface* loaded = IMG_Load(path.c_str())) {
      _surface = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
      SDL_FreeSurface(loaded);
    }
  }
  ~Shot() { SDL_FreeSurface(_surface); }
  Shot(const Shot&) = delete;
  Shot& operator=(const Shot&) = delete;

  bool valid() const { return _surface != nullptr; }
  int width() const { return _surface->w; }
  int height() const { return _surface->h; }
  Color4B at(int x, int y) const {
    const auto* p = static_cast<const Uint8*>(_surface->pixels) + y * _surface->pitch + x * 4;
    return {p[0], p[1], p[2], p[3]};
  }
  // Luminance-ish darkness, 0 (white) .. 255 (black).
  int darkness(int x, int y) const {
    const Color4B c = at(x, y);
    return 255 - (c.r + c.g + c.b) / 3;
  }

 private:
  SDL_Surface* _surface = nullptr;
};

// Takes the backend's screenshot and reads it back.
inline std::unique_ptr<Shot> capture(SdlBackend& backend, const std::string& name) {
  const std::string path = tempFile(name);
  EXPECT_TRUE(backend.drawing().saveScreenshot(path));
  return std::make_unique<Shot>(path);
}

}  // namespace pemtrix_test
