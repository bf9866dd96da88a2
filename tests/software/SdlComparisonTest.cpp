// The software renderer and the SDL backend draw the same scenes (the calculator's 68 keys, a
// label, a frame of the flip transition) and must agree pixel for pixel within a small
// tolerance. The software renderer decodes through SDL_image and rasterises through the SDL
// backend's fonts here, so that only the drawing differs. Both pictures are written beside
// the test's temporary files for a look.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cocos/backend/sdl/SdlBackend.h"
#include "cocos/backend/software/Renderer.h"
#include "tests/software/SdlSources.h"
#include "tests/software/KeyImages.h"

namespace {

using cocos2d::AffineTransform;
using cocos2d::Color4B;
using cocos2d::Rect;
using cocos2d::backend::FontId;
using cocos2d::backend::GlyphPlacement;
using cocos2d::backend::TextureId;
using namespace cocos2d::backend;

using software::decodeWithSdl;
using software::SdlGlyphs;

// Draws the same calls on both.
class SideBySide : public testing::Test {
 protected:
  void SetUp() override {
    _sdl = std::make_unique<sdl::SdlBackend>();
    WindowOptions options;
    options.headless = true;
    ASSERT_TRUE(_sdl->window().openWindow(options)) << _sdl->window().lastError();
    _glyphs = std::make_unique<SdlGlyphs>(_sdl->text().fonts());
    _software = std::make_unique<software::Renderer>(decodeWithSdl, *_glyphs);
    _pixels.assign(480 * 768, 0);
    _software->setTarget(software::PixelBuffer{_pixels.data(), 480, 768, 480});
    _font = _sdl->text().openFont("Arial", "en");
    for (const std::string& path : keyImagePaths()) {
      int w = 0, h = 0;
      _sdlKeys.push_back(_sdl->drawing().loadImage(path, w, h));
      _softKeys.push_back(_software->loadImage(path, w, h));
    }
    ASSERT_EQ(_sdlKeys.size(), 68u);
  }
  void begin(const Color4B& clear) {
    _sdl->drawing().beginFrame(clear);
    _software->beginFrame(clear);
  }
  // The keypad as the calculator lays it out: 208 x 152 images at 0.44, squeezed by `fold`.
  void keys(float fold) {
    for (std::size_t i = 0; i < _sdlKeys.size(); ++i) {
      const float x = 2.0f + static_cast<float>(i % 6) * 79.5f, y = 100.0f + static_cast<float>(i / 6 + 1) * 56.0f;
      const AffineTransform t = AffineTransform::translation(240, 0) * AffineTransform::scaling(fold, 1) *
                                AffineTransform::translation(-240, 0) * AffineTransform{0.44f, 0, 0, -0.44f, x, y};
      _sdl->drawing().drawTexture(_sdlKeys[i], Rect(0, 0, 208, 152), t, 208, 152, Color4B::WHITE);
      _software->drawTexture(_softKeys[i], Rect(0, 0, 208, 152), t, 208, 152, Color4B::WHITE);
    }
  }
  void label(const std::u32string& text, float size, const AffineTransform& t, const Color4B& colour) {
    std::vector<GlyphPlacement> glyphs;
    float x = 0;
    for (const char32_t c : text) {
      glyphs.push_back({c, x, 0});
      x += _sdl->text().glyphAdvance(_font, size, c);
    }
    _sdl->drawing().drawGlyphs(_font, size, glyphs.data(), glyphs.size(), t, colour);
    _software->drawGlyphs(_font, size, glyphs.data(), glyphs.size(), t, colour);
  }
  void rect(const AffineTransform& t, float w, float h, const Color4B& colour) {
    _sdl->drawing().drawRect(t, w, h, colour);
    _software->drawRect(t, w, h, colour);
  }

  struct Difference {
    int worst = 0;
    double mean = 0;
    double over(int limit) const { return share[limit]; }
    double share[256] = {};  // share of pixels whose largest channel difference exceeds each value
  };
  // Ends the frame on both, writes both pictures, and compares them.
  Difference compare(const std::string& name) {
    _sdl->drawing().endFrame();
    const std::string sdlPath = testing::TempDir() + "pemtrix_compare_" + name + "_sdl.png";
    EXPECT_TRUE(_sdl->drawing().saveScreenshot(sdlPath));
    SDL_Surface* shot = IMG_Load(sdlPath.c_str());
    SDL_Surface* sdlPixels = SDL_ConvertSurfaceFormat(shot, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(shot);
    SDL_Surface* ours = SDL_CreateRGBSurfaceWithFormatFrom(_pixels.data(), 480, 768, 32, 480 * 4, SDL_PIXELFORMAT_ARGB8888);
    IMG_SavePNG(ours, (testing::TempDir() + "pemtrix_compare_" + name + "_software.png").c_str());
    SDL_FreeSurface(ours);
    Difference d;
    std::vector<long> histogram(256, 0);
    long total = 0;
    for (int y = 0; y < 768; ++y) {
      const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(sdlPixels->pixels) + y * sdlPixels->pitch);
      for (int x = 0; x < 480; ++x) {
        const Uint32 a = row[x], b = _pixels[static_cast<std::size_t>(y * 480 + x)];
        int diff = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          diff = std::max(diff, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
        }
        ++histogram[static_cast<std::size_t>(diff)];
        total += diff;
        d.worst = std::max(d.worst, diff);
      }
    }
    SDL_FreeSurface(sdlPixels);
    const double count = 480.0 * 768.0;
    long above = static_cast<long>(count);
    for (int v = 0; v < 256; ++v) {
      above -= histogram[static_cast<std::size_t>(v)];
      d.share[v] = static_cast<double>(above) / count;
    }
    d.mean = static_cast<double>(total) / count;
    std::printf("%s: mean %.3f, worst %d, over 4: %.4f, over 8: %.4f, over 16: %.4f, over 32: %.4f, over 48: %.5f\n",
                name.c_str(), d.mean, d.worst, d.share[4], d.share[8], d.share[16], d.share[32], d.share[48]);
    return d;
  }

  std::unique_ptr<sdl::SdlBackend> _sdl;
  std::unique_ptr<SdlGlyphs> _glyphs;
  std::unique_ptr<software::Renderer> _software;
  std::vector<std::uint32_t> _pixels;
  std::vector<TextureId> _sdlKeys, _softKeys;
  FontId _font = 0;
};

TEST_F(SideBySide, TheKeypadAndALabel) {
  begin(Color4B{38, 50, 56, 255});
  rect(AffineTransform{1, 0, 0, -1, 10, 150}, 460, 130, Color4B{200, 200, 200, 255});
  label(U"12+sqrt(2)*3 =16.2426406871193", 48, AffineTransform{0.6f, 0, 0, -0.6f, 14, 70}, Color4B::BLACK);
  keys(1);
  const Difference d = compare("keypad");
  // The software renderer averages a little wider than bilinear when it shrinks, so the keys'
  // lettering is a shade softer; nowhere does it differ by much.
  EXPECT_LT(d.mean, 1.5);
  EXPECT_LT(d.over(16), 0.01);
  EXPECT_LT(d.worst, 64);
}

TEST_F(SideBySide, AFrameOfTheFlipTransition) {
  for (const float fold : {0.6f, -0.35f}) {
    begin(Color4B{38, 50, 56, 255});
    keys(fold);
    label(U"1234567", 48,
          AffineTransform::translation(240, 0) * AffineTransform::scaling(fold, 1) *
              AffineTransform::translation(-240, 0) * AffineTransform{0.6f, 0, 0, -0.6f, 14, 120},
          Color4B::WHITE);
    const Difference d = compare(fold > 0 ? "fold" : "mirrored");
    // SDL squeezes each key by sampling some of its texels (mirrored ones by the nearest
    // texel alone); the software renderer averages all of them, so fine detail differs more.
    EXPECT_LT(d.mean, 2.5) << fold;
    EXPECT_LT(d.over(32), fold > 0 ? 0.01 : 0.03) << fold;
  }
}

}  // namespace
