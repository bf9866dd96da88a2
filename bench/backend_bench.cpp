// Drawing costs of the SDL backend, headless (the same software renderer as the window).
#include <benchmark/benchmark.h>


#include <algorithm>
#include <string>
#include <vector>

#include "cocos/backend/sdl/SdlBackend.h"
#include "tests/software/KeyImages.h"

namespace {

using cocos2d::AffineTransform;
using cocos2d::Color4B;
using cocos2d::Rect;
using cocos2d::backend::GlyphPlacement;
using cocos2d::backend::sdl::SdlBackend;

std::unique_ptr<SdlBackend> headless() {
  auto backend = std::make_unique<SdlBackend>();
  cocos2d::backend::WindowOptions options;
  options.headless = true;
  if (!backend->window().openWindow(options)) return nullptr;
  return backend;
}

// A long label of digits at size 24 on the 0.6 design scale: 5,000 placements of which
// the 60 around the middle are in the window.
void BM_DrawGlyphsMostlyHidden(benchmark::State& state) {
  auto backend = headless();
  if (!backend) {
    state.SkipWithError("no headless window");
    return;
  }
  const auto font = backend->text().openFont("Arial", "en");
  std::vector<GlyphPlacement> glyphs;
  float x = 0;
  for (int i = 0; i < 5000; ++i) {
    const char32_t c = U'0' + static_cast<char32_t>(i % 10);
    glyphs.push_back({c, x, 0});
    x += backend->text().glyphAdvance(font, 24, c);
  }
  const float firstVisible = glyphs[2470].x;
  const AffineTransform t{0.6f, 0, 0, -0.6f, -firstVisible * 0.6f, 400};
  backend->drawing().beginFrame(Color4B::WHITE);
  for (auto _ : state) {
    backend->drawing().drawGlyphs(font, 24, glyphs.data(), glyphs.size(), t, Color4B::BLACK);
  }
  state.counters["drawn"] = static_cast<double>(backend->drawing().textRenderer().lastDrawnCount());
}
BENCHMARK(BM_DrawGlyphsMostlyHidden)->Unit(benchmark::kMicrosecond);

// The price of a hidden glyph alone: the same run scrolled entirely out of the window.
void BM_SkipHiddenGlyph(benchmark::State& state) {
  auto backend = headless();
  if (!backend) {
    state.SkipWithError("no headless window");
    return;
  }
  const auto font = backend->text().openFont("Arial", "en");
  std::vector<GlyphPlacement> glyphs;
  for (int i = 0; i < 5000; ++i) glyphs.push_back({U'8', static_cast<float>(i) * 13.3f, 0});
  const AffineTransform t{0.6f, 0, 0, -0.6f, 0, -200};  // baseline far above the window
  backend->drawing().beginFrame(Color4B::WHITE);
  for (auto _ : state) {
    backend->drawing().drawGlyphs(font, 24, glyphs.data(), glyphs.size(), t, Color4B::BLACK);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(glyphs.size()));
}
BENCHMARK(BM_SkipHiddenGlyph)->Unit(benchmark::kMicrosecond);

// The calculator's erased characters: 1,000 one-digit labels of size 48 at the 0.6 design
// scale, grey, each turned to its own angle and spread over the window.
struct FallingDigits {
  std::vector<GlyphPlacement> glyphs;
  std::vector<AffineTransform> transforms;
};

FallingDigits fallingDigits(SdlBackend& backend, float angleOffset) {
  FallingDigits out;
  const auto font = backend.text().openFont("Arial", "en");
  for (int i = 0; i < 1000; ++i) {
    const char32_t c = U'0' + static_cast<char32_t>(i % 10);
    // Labels turn about their centre: the pen sits half an advance left of it.
    out.glyphs.push_back({c, -0.5f * backend.text().glyphAdvance(font, 48, c), -17});
    const float x = static_cast<float>((i * 37) % 480), y = static_cast<float>((i * 53) % 768);
    const float degrees = angleOffset + static_cast<float>((i * 7919) % 360);
    out.transforms.push_back(AffineTransform{0.6f, 0, 0, -0.6f, x, y} * AffineTransform::rotationClockwise(degrees));
  }
  return out;
}

void drawFalling(SdlBackend& backend, const FallingDigits& digits) {
  const auto font = backend.text().openFont("Arial", "en");
  for (std::size_t i = 0; i < digits.glyphs.size(); ++i) {
    backend.drawing().drawGlyphs(font, 48, &digits.glyphs[i], 1, digits.transforms[i], Color4B{166, 166, 166, 255});
  }
}

// A frame of 1,000 turned glyphs once their turned bitmaps are cached.
void BM_Draw1000TurnedGlyphs(benchmark::State& state) {
  auto backend = headless();
  if (!backend) {
    state.SkipWithError("no headless window");
    return;
  }
  const FallingDigits digits = fallingDigits(*backend, 0);
  const auto frame = [&] {
    backend->drawing().beginFrame(Color4B::WHITE);
    drawFalling(*backend, digits);
    backend->drawing().endFrame();
  };
  frame();
  for (auto _ : state) frame();
  state.counters["cached"] = static_cast<double>(backend->drawing().glyphCache().turnedCount());
}
BENCHMARK(BM_Draw1000TurnedGlyphs)->Unit(benchmark::kMicrosecond);

// The same frame with every turned bitmap made anew: what filling the cache costs.
void BM_Draw1000TurnedGlyphsUncached(benchmark::State& state) {
  auto backend = headless();
  if (!backend) {
    state.SkipWithError("no headless window");
    return;
  }
  const FallingDigits digits = fallingDigits(*backend, 0);
  for (auto _ : state) {
    backend->drawing().glyphCache().clear();
    backend->drawing().beginFrame(Color4B::WHITE);
    drawFalling(*backend, digits);
    backend->drawing().endFrame();
  }
}
BENCHMARK(BM_Draw1000TurnedGlyphsUncached)->Unit(benchmark::kMicrosecond);

// The same glyphs under a skew (the flip transition's squeeze), which keeps the general
// textured path: the cost the turned glyphs avoid.
void BM_Draw1000SqueezedGlyphs(benchmark::State& state) {
  auto backend = headless();
  if (!backend) {
    state.SkipWithError("no headless window");
    return;
  }
  FallingDigits digits = fallingDigits(*backend, 0);
  for (AffineTransform& t : digits.transforms) t = t * AffineTransform::scaling(0.8f, 1.0f);
  const auto frame = [&] {
    backend->drawing().beginFrame(Color4B::WHITE);
    drawFalling(*backend, digits);
    backend->drawing().endFrame();
  };
  frame();
  for (auto _ : state) frame();
}
BENCHMARK(BM_Draw1000SqueezedGlyphs)->Unit(benchmark::kMicrosecond);

// One frame of the calculator's keypad: 68 key images of 208 x 152 at 0.44.
void BM_FrameOf68Keys(benchmark::State& state) {
  auto backend = headless();
  const std::vector<std::string> paths = keyImagePaths();
  if (!backend || paths.empty()) {
    state.SkipWithError("no headless window or no key images");
    return;
  }
  std::vector<cocos2d::backend::TextureId> ids;
  for (const std::string& p : paths) {
    int w = 0, h = 0;
    ids.push_back(backend->drawing().loadImage(p, w, h));
  }
  const auto frame = [&] {
    backend->drawing().beginFrame(Color4B{40, 40, 40, 255});
    for (std::size_t i = 0; i < ids.size(); ++i) {
      const float x = 2.0f + static_cast<float>(i % 6) * 79.5f, y = 100.0f + static_cast<float>(i / 6 + 1) * 56.0f;
      backend->drawing().drawTexture(ids[i], Rect(0, 0, 208, 152), AffineTransform{0.44f, 0, 0, -0.44f, x, y}, 208, 152,
                           Color4B::WHITE);
    }
    backend->drawing().endFrame();
  };
  frame();  // decodes the images once
  for (auto _ : state) frame();
}
BENCHMARK(BM_FrameOf68Keys)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
