// Glyph runs on the software renderer with a source of plain shapes: culling before any
// lookup, the cache, upright, turned and squeezed glyphs, and the source's contract.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cocos/backend/software/Renderer.h"
#include "tests/software/SoftwareTestSupport.h"

namespace {

using namespace software_test;
using cocos2d::backend::GlyphPlacement;

const Color4B kWhite{255, 255, 255, 255};
const Color4B kBlack{0, 0, 0, 255};

class GlyphRunTest : public testing::Test {
 protected:
  void SetUp() override {
    _renderer.setTarget(_frame.buffer());
    _renderer.beginFrame(kWhite);
  }
  void draw(const std::vector<GlyphPlacement>& glyphs, float size, const AffineTransform& t, FontId font = 1) {
    _renderer.drawGlyphs(font, size, glyphs.data(), glyphs.size(), t, kBlack);
  }
  // Dark pixels in a window rectangle.
  int ink(int x0, int y0, int x1, int y1) const {
    int count = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) count += _frame.at(x, y).r < 128;
    }
    return count;
  }
  ShapeGlyphs _shapes;
  Renderer _renderer{ImageLoader{}, _shapes};
  Frame _frame{480, 400};
};

TEST_F(GlyphRunTest, AMillionPlacementsCostOnlyTheVisibleOnes) {
  // One line of a million distinct characters, 30 units apart, at 0.6: some 27 columns show.
  std::vector<GlyphPlacement> glyphs;
  for (int i = 0; i < 1000000; ++i) glyphs.push_back({static_cast<char32_t>(0x4E00 + i % 20000), i * 30.0f, 0});
  draw(glyphs, 50, upright(0.6f, -300000, 200));
  const std::size_t drawn = _renderer.textRenderer().lastDrawnCount();
  EXPECT_GE(drawn, 27u);
  EXPECT_LE(drawn, 40u);
  EXPECT_EQ(static_cast<std::size_t>(_shapes.calls), drawn);  // nothing hidden was rasterised
  EXPECT_GT(ink(0, 160, 480, 201), 200);
  // The same run under a clip: only what the clip shows.
  _renderer.beginFrame(kWhite);
  const cocos2d::Rect clip(100, 0, 60, 400);
  _renderer.setClip(&clip);
  draw(glyphs, 50, upright(0.6f, -300000, 200));
  EXPECT_LE(_renderer.textRenderer().lastDrawnCount(), 12u);  // the clip and two ems each side
  EXPECT_EQ(ink(0, 0, 90, 400) + ink(170, 0, 480, 400), 0);
}

TEST_F(GlyphRunTest, TheCacheRasterisesEachGlyphOnce) {
  const std::vector<GlyphPlacement> glyphs{{U'A', 0, 0}, {U'B', 30, 0}, {U'A', 60, 0}, {U' ', 90, 0}, {U'A', 120, 0}};
  const struct {
    const char* what;
    float size;
    AffineTransform t;
    int newCalls;
  } cases[] = {
      {"first draw: A, B and the space", 40, upright(1, 10, 100), 3},
      {"the same again", 40, upright(1, 10, 200), 0},
      {"another size", 20, upright(1, 10, 300), 3},
      {"the same pixel size through another scale", 80, upright(0.5f, 10, 350), 0},
  };
  for (const auto& c : cases) {
    const int before = _shapes.calls;
    draw(glyphs, c.size, c.t);
    EXPECT_EQ(_shapes.calls - before, c.newCalls) << c.what;
  }
  EXPECT_EQ(_renderer.glyphCache().size(), 6u);
  // A font that cannot be rasterised draws nothing and is not asked again.
  draw(glyphs, 40, upright(1, 200, 100), 99);
  const int after = _shapes.calls;
  draw(glyphs, 40, upright(1, 200, 100), 99);
  EXPECT_EQ(_shapes.calls, after);
  EXPECT_EQ(ink(200, 50, 400, 110), 0);
}

TEST_F(GlyphRunTest, UprightGlyphsSitOnTheBaselineAtWholePixels) {
  // Size 40 at scale 1: an L 20 wide and 28 tall with a 5 pixel stroke, one pixel right of
  // the pen, standing on the baseline; the pen at 50.4 rounds to 50.
  draw({{U'L', 0, 0}}, 40, upright(1, 50.4f, 100));
  const struct {
    int x, y;
    bool inked;
  } probes[] = {{51, 99, true},  {70, 99, true},  {71, 99, false}, {51, 72, true},  {51, 71, false},
                {50, 90, false}, {55, 90, true},  {56, 90, false}, {60, 95, true},  {60, 94, false},
                {51, 100, false}};
  for (const auto& p : probes) EXPECT_EQ(_frame.at(p.x, p.y).r < 128, p.inked) << p.x << "," << p.y;
}

TEST_F(GlyphRunTest, TurnedGlyphsTurnAboutTheirInkAndAreCachedPerStep) {
  draw({{U'L', 0, 0}}, 40, upright(1, 100, 100));
  // A quarter turn clockwise about the pen: what stood up from the baseline now lies to its
  // right, pointing along +x, with the L's foot hanging down.
  draw({{U'L', 0, 0}}, 40, upright(1, 300, 100) * AffineTransform::rotationClockwise(90));
  const int standing = ink(90, 60, 140, 110), turned = ink(250, 60, 360, 160);
  EXPECT_NEAR(turned, standing, standing * 0.1);
  EXPECT_GT(ink(300, 100, 330, 106), 100);   // the stem: along the line right of the pen
  EXPECT_EQ(ink(250, 60, 300, 100), 0);      // nothing above-left, where the upright L would be
  EXPECT_EQ(_renderer.glyphCache().turnedCount(), 1u);
  // Angles snap to 5 degree steps: 91 degrees is the same turned glyph.
  draw({{U'L', 0, 0}}, 40, upright(1, 300, 250) * AffineTransform::rotationClockwise(91));
  EXPECT_EQ(_renderer.glyphCache().turnedCount(), 1u);
  draw({{U'L', 0, 0}}, 40, upright(1, 300, 250) * AffineTransform::rotationClockwise(30));
  EXPECT_EQ(_renderer.glyphCache().turnedCount(), 2u);
}

TEST_F(GlyphRunTest, SqueezedAndMirroredGlyphsStretchTheUprightMask) {
  // The flip transition squeezes text horizontally and then mirrors it.
  const struct {
    const char* what;
    AffineTransform t;
    int x0, x1;  // where the ink must be, columns
  } cases[] = {
      {"squeezed to half", AffineTransform{0.5f, 0, 0, -1, 100, 100}, 100, 112},
      {"mirrored", AffineTransform{-1, 0, 0, -1, 300, 100}, 278, 300},
  };
  for (const auto& c : cases) {
    _renderer.beginFrame(kWhite);
    draw({{U'L', 0, 0}}, 40, c.t);
    const int inside = ink(c.x0, 60, c.x1, 101), all = ink(0, 0, 480, 400);
    EXPECT_GT(inside, 100) << c.what;
    EXPECT_EQ(inside, all) << c.what;
  }
  EXPECT_EQ(_renderer.glyphCache().turnedCount(), 0u);
}

TEST_F(GlyphRunTest, TurnedGlyphsThatDoNotFitAreDrawnAllTheSame) {
  GlyphCache small(_shapes, 16u << 10);
  Canvas canvas;
  canvas.setTarget(_frame.buffer());
  canvas.clear(kWhite);
  TextRenderer text(small);
  const GlyphPlacement g{U'W', 0, 0};
  for (int step = 0; step < GlyphCache::kStepsPerTurn; ++step) {
    for (char32_t c = U'A'; c <= U'Z'; ++c) {
      const GlyphPlacement one{c, 0, 0};
      text.draw(canvas, GlyphRun{1, 100, &one, 1}, upright(1, 240, 200) * AffineTransform::rotationClockwise(5.0f * step),
                kBlack);
      ASSERT_LE(small.bytes(), small.budget());
    }
  }
  EXPECT_LT(small.turnedCount(), 26u * GlyphCache::kStepsPerTurn);
  canvas.clear(kWhite);
  text.draw(canvas, GlyphRun{1, 100, &g, 1}, upright(1, 240, 200) * AffineTransform::rotationClockwise(12), kBlack);
  EXPECT_GT(ink(180, 120, 330, 280), 300);
}

TEST(GlyphSource, CoverageOfSixtyFourLevelsBecomes0To255) {
  // GDI's grey levels in rows padded to four bytes.
  const std::uint8_t rows[2 * 4] = {0, 1, 32, 0, 63, 64, 200, 0};
  GlyphBitmap glyph;
  copyCoverage(rows, 4, 3, 2, 64, glyph);
  ASSERT_EQ(glyph.width, 3);
  ASSERT_EQ(glyph.height, 2);
  const std::vector<std::uint8_t> want{0, 4, 128, 251, 255, 255};
  EXPECT_EQ(glyph.coverage, want);
  copyCoverage(rows, 2, 3, 2, 64, glyph);  // a pitch shorter than a row: nothing
  EXPECT_EQ(glyph.width, 0);
  EXPECT_TRUE(glyph.coverage.empty());
}

}  // namespace
