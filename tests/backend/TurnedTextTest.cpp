// Turned text: drawn from pre-turned glyphs blended into the window, checked against the
// upright rendering turned by hand, and the cache of turned glyphs against its budget.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cocos/backend/sdl/FontLibrary.h"
#include "cocos/backend/sdl/GlyphCache.h"
#include "tests/backend/BackendTestSupport.h"

namespace {

using namespace pemtrix_test;
using cocos2d::Rect;
using cocos2d::backend::FontId;
using cocos2d::backend::GlyphPlacement;
using cocos2d::backend::sdl::FontLibrary;
using cocos2d::backend::sdl::GlyphCache;

const Color4B kWhite{255, 255, 255, 255};
const Color4B kBlack{0, 0, 0, 255};

// Size 48 on the 0.6 design scale: rasterised at 29 pixels, as the falling characters are.
constexpr float kSize = 48;
constexpr float kScale = 0.6f;

AffineTransform turnedAt(float x, float y, float degrees) {
  return upright(kScale, x, y) * AffineTransform::rotationClockwise(degrees);
}

// The darkness of the pixels around a point, and its centroid.
struct Ink {
  double weight = 0, x = 0, y = 0;
};

Ink inkAround(const Shot& shot, int cx, int cy, int radius) {
  Ink ink;
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      const int dark = shot.darkness(x, y);
      ink.weight += dark;
      ink.x += dark * (x + 0.5);
      ink.y += dark * (y + 0.5);
    }
  }
  if (ink.weight > 0) {
    ink.x /= ink.weight;
    ink.y /= ink.weight;
  }
  return ink;
}

class TurnedTextTest : public testing::Test {
 protected:
  void SetUp() override {
    _backend = openHeadless();
    _backend->drawing().beginFrame(kWhite);
    _font = _backend->text().openFont("Arial", "en");
  }
  void draw(char32_t c, const AffineTransform& t, const Color4B& colour = kBlack) {
    const GlyphPlacement g{c, 0, 0};
    _backend->drawing().drawGlyphs(_font, kSize, &g, 1, t, colour);
  }
  std::unique_ptr<Shot> present(const std::string& name) {
    _backend->drawing().endFrame();
    return capture(*_backend, name);
  }
  std::unique_ptr<SdlBackend> _backend;
  FontId _font = 0;
};

TEST_F(TurnedTextTest, AQuarterTurnCoversWhatTheUprightGlyphTurnedByHandCovers) {
  // An "L" tells every quarter turn and mirror image apart.
  draw(U'L', upright(kScale, 100, 200));
  draw(U'L', turnedAt(300, 500, 90));
  draw(U'L', turnedAt(300, 300, 270));
  auto shot = present("turned-l.png");
  // On screen (y down) a quarter turn clockwise takes an offset (dx, dy) from the pen to
  // (-dy, dx); three quarters take it to (dy, -dx).
  const struct {
    int penX, penY;
    int m[4];  // turned offset = (m0 dx + m1 dy, m2 dx + m3 dy)
  } turns[] = {{300, 500, {0, -1, 1, 0}}, {300, 300, {0, 1, -1, 0}}};
  for (const auto& turn : turns) {
    double expected = 0, mismatch = 0;
    for (int dy = -30; dy <= 10; ++dy) {
      for (int dx = -10; dx <= 30; ++dx) {
        const int want = shot->darkness(100 + dx, 200 + dy);
        // Pixel centres at half offsets: (dx + 0.5, dy + 0.5) turned, back to a pixel.
        const double tx = turn.m[0] * (dx + 0.5) + turn.m[1] * (dy + 0.5);
        const double ty = turn.m[2] * (dx + 0.5) + turn.m[3] * (dy + 0.5);
        const int got = shot->darkness(turn.penX + static_cast<int>(std::floor(tx)),
                                       turn.penY + static_cast<int>(std::floor(ty)));
        expected += want;
        mismatch += std::abs(got - want);
      }
    }
    ASSERT_GT(expected, 255 * 40) << "the upright L has ink";
    EXPECT_LT(mismatch / expected, 0.1) << "pen " << turn.penX << "," << turn.penY;
  }
}

TEST_F(TurnedTextTest, AnyAngleTurnsTheInkAboutThePen) {
  draw(U'F', upright(kScale, 60, 100));
  const float angles[] = {10, 37, 145, 200, 333};
  for (int i = 0; i < 5; ++i) draw(U'F', turnedAt(240, 100 + 120.0f * static_cast<float>(i + 1), angles[i]));
  auto shot = present("turned-f.png");
  const Ink upright = inkAround(*shot, 70, 90, 25);
  ASSERT_GT(upright.weight, 0);
  const double dx = upright.x - 60, dy = upright.y - 100;
  for (int i = 0; i < 5; ++i) {
    // Angles snap to 5 degree steps.
    const double r = std::round(angles[i] / 5) * 5 * 3.14159265358979 / 180, penY = 100 + 120.0 * (i + 1);
    const Ink turned = inkAround(*shot, 240, static_cast<int>(penY), 35);
    // As much ink, its centre turned with the glyph.
    EXPECT_NEAR(turned.weight, upright.weight, upright.weight * 0.08) << angles[i];
    EXPECT_NEAR(turned.x, 240 + dx * std::cos(r) - dy * std::sin(r), 1.0) << angles[i];
    EXPECT_NEAR(turned.y, penY + dx * std::sin(r) + dy * std::cos(r), 1.0) << angles[i];
  }
  EXPECT_EQ(_backend->drawing().glyphCache().turnedCount(), 5u);
}

TEST_F(TurnedTextTest, BlendedGlyphsKeepTheirPlaceAmongOtherDrawing) {
  // Glyph, then a box over its left half; box, then a glyph over it.
  draw(U'M', turnedAt(100, 200, 30));
  _backend->drawing().drawRect(upright(1, 60, 240), 40, 80, Color4B{0, 0, 255, 255});
  _backend->drawing().drawRect(upright(1, 250, 240), 80, 80, Color4B{255, 0, 0, 255});
  draw(U'M', turnedAt(280, 200, 30));
  auto shot = present("turned-order.png");
  int underBox = 0, onRed = 0, besideBox = 0;
  for (int y = 160; y < 240; ++y) {
    for (int x = 60; x < 100; ++x) underBox += shot->darkness(x, y) > 200 && shot->at(x, y).b < 200;
    for (int x = 100; x < 140; ++x) besideBox += shot->darkness(x, y) > 128;
    for (int x = 250; x < 330; ++x) onRed += shot->at(x, y).r < 100;
  }
  EXPECT_EQ(underBox, 0);  // the box hides what was drawn before it
  EXPECT_GT(besideBox, 20);
  EXPECT_GT(onRed, 20);  // the glyph shows on the box drawn before it
}

TEST_F(TurnedTextTest, TheClipCutsTurnedGlyphs) {
  const Rect clip(100, 150, 200, 40);  // window pixels: x 100..300, y 150..190
  _backend->drawing().setClip(&clip);
  draw(U'W', turnedAt(190, 190, 20));
  _backend->drawing().setClip(nullptr);
  auto shot = present("turned-clip.png");
  int inside = 0, outside = 0;
  for (int y = 120; y < 240; ++y) {
    for (int x = 150; x < 260; ++x) {
      const bool dark = shot->darkness(x, y) > 0;
      (y >= 150 && y < 190 ? inside : outside) += dark;
    }
  }
  EXPECT_GT(inside, 50);
  EXPECT_EQ(outside, 0);
}

TEST_F(TurnedTextTest, SkewedOrSqueezedTextKeepsTheTexturedPath) {
  // The flip transition squeezes text horizontally; a turn on top does not make it a turn.
  draw(U'H', turnedAt(200, 300, 30) * AffineTransform::scaling(0.5f, 1));
  EXPECT_EQ(_backend->drawing().glyphCache().turnedCount(), 0u);
  auto shot = present("squeezed.png");
  EXPECT_GT(inkAround(*shot, 200, 290, 30).weight, 255 * 20);
}

TEST_F(TurnedTextTest, TurnedGlyphsThatDoNotFitStillGetDrawn) {
  // Eight characters of 100 pixels at every angle step in one frame: more turned glyphs
  // than the budget holds.
  const GlyphCache& cache = _backend->drawing().glyphCache();
  for (int i = 0; i < 8; ++i) {
    const GlyphPlacement g{static_cast<char32_t>(0x6C34 + i), 0, 0};
    for (int step = 0; step < GlyphCache::kStepsPerTurn; ++step) {
      _backend->drawing().drawGlyphs(_font, 100, &g, 1,
                                     upright(1, 240, 400) * AffineTransform::rotationClockwise(5.0f * step), kBlack);
      ASSERT_LE(cache.bytes(), cache.budget());
    }
  }
  EXPECT_LT(cache.turnedCount(), 8u * GlyphCache::kStepsPerTurn);  // some were refused...
  _backend->drawing().beginFrame(kWhite);
  const GlyphPlacement last{0x6C34 + 7, 0, 0};
  _backend->drawing().drawGlyphs(_font, 100, &last, 1, upright(1, 240, 400) * AffineTransform::rotationClockwise(355),
                                 kBlack);
  auto shot = present("refused.png");
  EXPECT_GT(inkAround(*shot, 280, 360, 60).weight, 255 * 100);  // ...and drawn all the same
}

// The cache on its own: a small budget, frames marked by hand.
class TurnedCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    _font = _fonts.open("Arial", "en");
    _face = _fonts.faceFor(_font, U'A');
    ASSERT_GE(_face, 0);
  }
  const GlyphCache::TurnedGlyph* turned(char32_t c, int step) { return _cache.getTurned(_fonts, _face, 29, c, step); }
  FontLibrary _fonts;
  FontId _font = 0;
  int _face = -1;
  GlyphCache _cache{16u << 10};  // turned glyphs of 29 pixels take some 500 bytes each
};

TEST_F(TurnedCacheTest, StaysWithinItsBudgetAndRefusesWhatThisFrameCannotHold) {
  int refused = 0;
  for (int step = 0; step < GlyphCache::kStepsPerTurn; ++step) {
    for (char32_t c = U'A'; c <= U'Z'; ++c) {
      refused += turned(c, step) == nullptr;
      ASSERT_LE(_cache.bytes(), _cache.budget());
    }
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(_cache.turnedCount(), 10u);
  // Two frames on, the earlier glyphs are stale and give way to new ones.
  _cache.beginFrame();
  _cache.beginFrame();
  EXPECT_NE(turned(U'a', 7), nullptr);
  EXPECT_LE(_cache.bytes(), _cache.budget());
}

TEST_F(TurnedCacheTest, GlyphsInUseSurviveMakingRoom) {
  const GlyphCache::TurnedGlyph* kept = turned(U'Q', 3);
  ASSERT_NE(kept, nullptr);
  _cache.beginFrame();
  _cache.beginFrame();
  EXPECT_EQ(turned(U'Q', 3), kept);  // used again in this frame
  for (int step = 0; step < GlyphCache::kStepsPerTurn; ++step) {
    for (char32_t c = U'A'; c <= U'P'; ++c) turned(c, step);
  }
  EXPECT_EQ(turned(U'Q', 3), kept);  // still the same entry: nothing turned it again
  EXPECT_NE(kept->ink.bitmap.width, 0);
}

TEST_F(TurnedCacheTest, SpacesTurnIntoNothing) {
  const GlyphCache::TurnedGlyph* space = turned(U' ', 9);
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->ink.bitmap.width, 0);
  EXPECT_TRUE(space->ink.rows.empty());
}

}  // namespace
