// Drawing costs of the software renderer on a 480 x 768 buffer, with the same scenes as the SDL
// backend's benchmarks (backend_bench) for a side-by-side reading. Images decode through
// SDL_image and glyphs rasterise through the SDL backend's fonts, as the Windows backend's WIC
// and GDI would stand in: what is measured is the drawing.
#include <SDL.h>
#include <benchmark/benchmark.h>


#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/software/Renderer.h"
#include "tests/software/SdlSources.h"
#include "tests/software/KeyImages.h"

namespace {

using cocos2d::AffineTransform;
using cocos2d::Color4B;
using cocos2d::Rect;
using cocos2d::backend::GlyphPlacement;
using namespace cocos2d::backend;

// A renderer on a buffer of the calculator's window size.
struct Setup {
  Setup() : glyphs(fonts), renderer(software::decodeWithSdl, glyphs), pixels(480 * 768) {
    renderer.setTarget(software::PixelBuffer{pixels.data(), 480, 768, 480});
    font = fonts.open("Arial", "en");
  }
  sdl::FontLibrary fonts;
  software::SdlGlyphs glyphs;
  software::Renderer renderer;
  std::vector<std::uint32_t> pixels;
  FontId font = 0;
};

// A long label of digits at size 24 on the 0.6 design scale, `count` placements of which the
// 60 around the middle are in the window.
void drawMostlyHidden(benchmark::State& state, int count) {
  Setup s;
  std::vector<GlyphPlacement> glyphs;
  float x = 0;
  for (int i = 0; i < count; ++i) {
    const char32_t c = U'0' + static_cast<char32_t>(i % 10);
    glyphs.push_back({c, x, 0});
    x += s.fonts.advance(s.font, 24, c);
  }
  const float firstVisible = glyphs[static_cast<std::size_t>(count / 2 - 30)].x;
  const AffineTransform t{0.6f, 0, 0, -0.6f, -firstVisible * 0.6f, 400};
  s.renderer.beginFrame(Color4B::WHITE);
  for (auto _ : state) s.renderer.drawGlyphs(s.font, 24, glyphs.data(), glyphs.size(), t, Color4B::BLACK);
  state.counters["drawn"] = static_cast<double>(s.renderer.textRenderer().lastDrawnCount());
}
void BM_SoftwareDrawGlyphsMostlyHidden(benchmark::State& state) { drawMostlyHidden(state, 5000); }
BENCHMARK(BM_SoftwareDrawGlyphsMostlyHidden)->Unit(benchmark::kMicrosecond);
void BM_SoftwareDrawMillionGlyphsMostlyHidden(benchmark::State& state) { drawMostlyHidden(state, 1000000); }
BENCHMARK(BM_SoftwareDrawMillionGlyphsMostlyHidden)->Unit(benchmark::kMicrosecond);

// The calculator's erased characters: 1,000 one-digit labels of size 48 at the 0.6 design
// scale, grey, each turned to its own angle and spread over the window; `squeeze` < 1 adds
// the flip transition's horizontal squeeze, which takes the transformed path.
void drawFalling(benchmark::State& state, float squeeze) {
  Setup s;
  std::vector<GlyphPlacement> glyphs;
  std::vector<AffineTransform> transforms;
  for (int i = 0; i < 1000; ++i) {
    const char32_t c = U'0' + static_cast<char32_t>(i % 10);
    glyphs.push_back({c, -0.5f * s.fonts.advance(s.font, 48, c), -17});
    const float x = static_cast<float>((i * 37) % 480), y = static_cast<float>((i * 53) % 768);
    const float degrees = static_cast<float>((i * 7919) % 360);
    transforms.push_back(AffineTransform{0.6f, 0, 0, -0.6f, x, y} * AffineTransform::rotationClockwise(degrees) *
                         AffineTransform::scaling(squeeze, 1));
  }
  const auto frame = [&] {
    s.renderer.beginFrame(Color4B::WHITE);
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
      s.renderer.drawGlyphs(s.font, 48, &glyphs[i], 1, transforms[i], Color4B{166, 166, 166, 255});
    }
  };
  frame();
  for (auto _ : state) frame();
  state.counters["cached"] = static_cast<double>(s.renderer.glyphCache().turnedCount());
}
void BM_SoftwareDraw1000TurnedGlyphs(benchmark::State& state) { drawFalling(state, 1); }
BENCHMARK(BM_SoftwareDraw1000TurnedGlyphs)->Unit(benchmark::kMicrosecond);
void BM_SoftwareDraw1000SqueezedGlyphs(benchmark::State& state) { drawFalling(state, 0.8f); }
BENCHMARK(BM_SoftwareDraw1000SqueezedGlyphs)->Unit(benchmark::kMicrosecond);

// One frame of the calculator's keypad: 68 key images of 208 x 152 at 0.44, squeezed by
// `fold` (1: upright, as most frames are).
void drawKeys(benchmark::State& state, float fold) {
  Setup s;
  const std::vector<std::string> paths = keyImagePaths();
  if (paths.empty()) {
    state.SkipWithError("no key images");
    return;
  }
  std::vector<TextureId> ids;
  for (const std::string& p : paths) {
    int w = 0, h = 0;
    ids.push_back(s.renderer.loadImage(p, w, h));
  }
  const auto frame = [&] {
    s.renderer.beginFrame(Color4B{40, 40, 40, 255});
    for (std::size_t i = 0; i < ids.size(); ++i) {
      const float x = 2.0f + static_cast<float>(i % 6) * 79.5f, y = 100.0f + static_cast<float>(i / 6 + 1) * 56.0f;
      const AffineTransform t = AffineTransform::translation(240, 0) * AffineTransform::scaling(fold, 1) *
                                AffineTransform::translation(-240, 0) * AffineTransform{0.44f, 0, 0, -0.44f, x, y};
      s.renderer.drawTexture(ids[i], Rect(0, 0, 208, 152), t, 208, 152, Color4B::WHITE);
    }
  };
  frame();  // decodes the images once
  for (auto _ : state) frame();
}
void BM_SoftwareFrameOf68Keys(benchmark::State& state) { drawKeys(state, 1); }
BENCHMARK(BM_SoftwareFrameOf68Keys)->Unit(benchmark::kMicrosecond);
// A frame of the flip transition: every key at a size it is drawn at once, resampled as drawn.
void BM_SoftwareFrameOf68KeysFolded(benchmark::State& state) { drawKeys(state, 0.6f); }
BENCHMARK(BM_SoftwareFrameOf68KeysFolded)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
