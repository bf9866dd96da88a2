#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "cocos/backend/sdl/CoverageBlit.h"

namespace {

using cocos2d::Color4B;
using namespace cocos2d::backend::sdl;
using cocos2d::backend::software::InkSpan;

struct FreeSurface {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, FreeSurface>;

Surface surface(int w, int h, Uint32 format, const Color4B& fill) {
  Surface s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, format));
  SDL_FillRect(s.get(), nullptr, SDL_MapRGBA(s->format, fill.r, fill.g, fill.b, fill.a));
  return s;
}

Color4B pixel(const SDL_Surface& s, int x, int y) {
  const Uint32 value = static_cast<const Uint32*>(s.pixels)[y * (s.pitch / 4) + x];
  Color4B c;
  SDL_GetRGBA(value, s.format, &c.r, &c.g, &c.b, &c.a);
  return c;
}

// One row of ink, `alpha` wide; every row's span covers the whole width.
RotatedCoverage ink(int height, const std::vector<std::uint8_t>& row) {
  RotatedCoverage out;
  out.bitmap.width = static_cast<int>(row.size());
  out.bitmap.height = height;
  for (int y = 0; y < height; ++y) out.bitmap.alpha.insert(out.bitmap.alpha.end(), row.begin(), row.end());
  out.rows.assign(static_cast<std::size_t>(height), InkSpan{0, static_cast<std::uint16_t>(row.size())});
  return out;
}

TEST(CoverageBlit, BlendsIntoFourByteSurfacesWithColourInTheLowBytes) {
  const struct {
    Uint32 format;
    bool blendable;
  } cases[] = {
      {SDL_PIXELFORMAT_RGB888, true},    {SDL_PIXELFORMAT_ARGB8888, true}, {SDL_PIXELFORMAT_BGR888, true},
      {SDL_PIXELFORMAT_ABGR8888, true},  {SDL_PIXELFORMAT_RGBA8888, false}, {SDL_PIXELFORMAT_BGRA8888, false},
      {SDL_PIXELFORMAT_RGB565, false},   {SDL_PIXELFORMAT_RGB24, false},
  };
  for (const auto& c : cases) {
    Surface s(SDL_CreateRGBSurfaceWithFormat(0, 4, 4, SDL_BITSPERPIXEL(c.format), c.format));
    ASSERT_TRUE(s) << SDL_GetPixelFormatName(c.format);
    EXPECT_EQ(canBlendInto(*s), c.blendable) << SDL_GetPixelFormatName(c.format);
  }
}

TEST(CoverageBlit, CoverageMovesEachChannelTowardsTheColour) {
  // 15 pixels: three groups of four and a rest of three, so both ways through a row count.
  const std::vector<std::uint8_t> coverage{0, 255, 128, 64, 1, 254, 200, 0, 255, 100, 30, 180, 128, 255, 0};
  const Color4B background{240, 16, 120, 255};
  const Color4B colour{20, 220, 60, 255};
  for (const Uint32 format : {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_ABGR8888}) {
    for (const Uint8 alpha : {Uint8{255}, Uint8{128}}) {
      Surface s = surface(15, 1, format, background);
      blendCoverage(*s, SDL_Rect{0, 0, 15, 1}, 0, 0, ink(1, coverage), Color4B{colour.r, colour.g, colour.b, alpha});
      for (int x = 0; x < 15; ++x) {
        const double weight = coverage[static_cast<std::size_t>(x)] / 255.0 * alpha / 255.0;
        const Color4B got = pixel(*s, x, 0);
        const double want[3] = {background.r + (colour.r - background.r) * weight,
                                background.g + (colour.g - background.g) * weight,
                                background.b + (colour.b - background.b) * weight};
        const int channels[3] = {got.r, got.g, got.b};
        for (int c = 0; c < 3; ++c) {
          EXPECT_NEAR(channels[c], want[c], 1.0) << SDL_GetPixelFormatName(format) << " x " << x << " channel " << c;
        }
        EXPECT_EQ(got.a, 255);
      }
      // No coverage leaves a pixel alone; full coverage of an opaque colour replaces it.
      EXPECT_EQ(pixel(*s, 0, 0), background);
      if (alpha == 255) {
        EXPECT_EQ(pixel(*s, 1, 0), colour);
      }
    }
  }
}

TEST(CoverageBlit, AlphaChannelsBecomeAsOpaqueAsTheInk) {
  Surface s = surface(8, 1, SDL_PIXELFORMAT_ARGB8888, Color4B{0, 0, 0, 0});
  blendCoverage(*s, SDL_Rect{0, 0, 8, 1}, 0, 0, ink(1, {255, 128, 0, 255, 255, 255, 255, 255}),
                Color4B{255, 255, 255, 255});
  EXPECT_EQ(pixel(*s, 0, 0).a, 255);
  EXPECT_NEAR(pixel(*s, 1, 0).a, 128, 1);
  EXPECT_EQ(pixel(*s, 2, 0).a, 0);
}

TEST(CoverageBlit, NothingChangesOutsideTheClipOrTheSurface) {
  const Color4B background{255, 255, 255, 255};
  Surface s = surface(8, 8, SDL_PIXELFORMAT_RGB888, background);
  const std::vector<std::uint8_t> full(12, 255);
  // A 12 x 12 block from (-3, -3), clipped to (2, 2)-(6, 6).
  blendCoverage(*s, SDL_Rect{2, 2, 4, 4}, -3, -3, ink(12, full), Color4B{0, 0, 0, 255});
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
      EXPECT_EQ(pixel(*s, x, y), inside ? Color4B(0, 0, 0, 255) : background) << x << "," << y;
    }
  }
  // Wholly outside, or a clip beyond the surface: no effect, no stray writes.
  blendCoverage(*s, SDL_Rect{0, 0, 8, 8}, 8, 0, ink(12, full), Color4B{0, 0, 0, 255});
  blendCoverage(*s, SDL_Rect{-100, -100, 400, 400}, -20, -20, ink(12, full), Color4B{0, 0, 0, 255});
  EXPECT_EQ(pixel(*s, 7, 7), background);
  // Transparent colour: nothing at all.
  blendCoverage(*s, SDL_Rect{0, 0, 8, 8}, 0, 0, ink(12, full), Color4B{0, 0, 0, 0});
  EXPECT_EQ(pixel(*s, 7, 7), background);
}

TEST(CoverageBlit, OnlyEachRowsSpanIsTouched) {
  Surface s = surface(6, 2, SDL_PIXELFORMAT_RGB888, Color4B{255, 255, 255, 255});
  RotatedCoverage block = ink(2, std::vector<std::uint8_t>(6, 255));
  block.rows[0] = {1, 3};
  block.rows[1] = {4, 4};  // an empty row
  blendCoverage(*s, SDL_Rect{0, 0, 6, 2}, 0, 0, block, Color4B{0, 0, 0, 255});
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(pixel(*s, x, 0).r, x >= 1 && x < 3 ? 0 : 255) << x;
    EXPECT_EQ(pixel(*s, x, 1).r, 255) << x;
  }
}

}  // namespace
