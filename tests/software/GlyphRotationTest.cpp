#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "cocos/backend/software/GlyphRotation.h"

namespace {

using namespace cocos2d::backend::software;

constexpr int kSteps = 72;
constexpr float kPi = 3.14159265f;

Coverage bitmap(int w, int h, std::vector<std::uint8_t> alpha) { return Coverage{w, h, std::move(alpha)}; }

std::uint8_t at(const Coverage& c, int x, int y) {
  return c.alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(c.width) + static_cast<std::size_t>(x)];
}

TEST(GlyphRotation, QuarterTurnsMoveEveryTexelExactly) {
  // Turned clockwise on screen (y down), the top row ends up as the right-hand column.
  const Coverage source = bitmap(3, 2, {10, 20, 30, 40, 50, 60});
  const struct {
    int step;
    Coverage expected;
  } cases[] = {
      {0, bitmap(3, 2, {10, 20, 30, 40, 50, 60})},
      {18, bitmap(2, 3, {40, 10, 50, 20, 60, 30})},
      {36, bitmap(3, 2, {60, 50, 40, 30, 20, 10})},
      {54, bitmap(2, 3, {30, 60, 20, 50, 10, 40})},
  };
  for (const auto& c : cases) {
    const RotatedCoverage turned = rotateCoverage(source, stepAngle(c.step, kSteps));
    ASSERT_EQ(turned.bitmap.width, c.expected.width) << c.step;
    ASSERT_EQ(turned.bitmap.height, c.expected.height) << c.step;
    EXPECT_EQ(turned.bitmap.alpha, c.expected.alpha) << c.step;
    // The source's centre stays the centre of the (trimmed, margin-free) result.
    EXPECT_FLOAT_EQ(turned.centreX, 0.5f * static_cast<float>(c.expected.width)) << c.step;
    EXPECT_FLOAT_EQ(turned.centreY, 0.5f * static_cast<float>(c.expected.height)) << c.step;
  }
}

TEST(GlyphRotation, InkTurnsClockwiseAboutTheCentreAndKeepsItsWeight) {
  // A 3 x 3 block three texels right of the centre of a 9 x 9 bitmap.
  Coverage source = bitmap(9, 9, std::vector<std::uint8_t>(81, 0));
  for (int y = 3; y < 6; ++y) {
    for (int x = 6; x < 9; ++x) source.alpha[static_cast<std::size_t>(y * 9 + x)] = 255;
  }
  for (const float degrees : {0.0f, 30.0f, 45.0f, 90.0f, 135.0f, 200.0f, 290.0f}) {
    const float radians = degrees * kPi / 180;
    const RotatedCoverage turned = rotateCoverage(source, radians);
    double weight = 0, sumX = 0, sumY = 0;
    for (int y = 0; y < turned.bitmap.height; ++y) {
      for (int x = 0; x < turned.bitmap.width; ++x) {
        const double a = at(turned.bitmap, x, y);
        weight += a;
        sumX += a * (x + 0.5 - turned.centreX);
        sumY += a * (y + 0.5 - turned.centreY);
      }
    }
    EXPECT_NEAR(weight, 9 * 255, 9 * 255 * 0.05) << degrees;
    EXPECT_NEAR(sumX / weight, 3 * std::cos(radians), 0.2) << degrees;
    EXPECT_NEAR(sumY / weight, 3 * std::sin(radians), 0.2) << degrees;  // clockwise: y grows downwards
  }
}

TEST(GlyphRotation, RowsKnowWhereTheirInkIs) {
  Coverage source = bitmap(12, 16, std::vector<std::uint8_t>(192, 0));
  for (int y = 2; y < 14; ++y) {
    source.alpha[static_cast<std::size_t>(y * 12 + 2)] = 200;  // an "L": a stem...
  }
  for (int x = 2; x < 10; ++x) source.alpha[static_cast<std::size_t>(13 * 12 + x)] = 255;  // ...and a foot
  for (const int step : {0, 5, 18, 31, 44, 70}) {
    const RotatedCoverage turned = rotateCoverage(source, stepAngle(step, kSteps));
    ASSERT_EQ(turned.rows.size(), static_cast<std::size_t>(turned.bitmap.height)) << step;
    bool anyInFirstColumn = false, anyInLastColumn = false;
    for (int y = 0; y < turned.bitmap.height; ++y) {
      const InkSpan span = turned.rows[static_cast<std::size_t>(y)];
      ASSERT_LE(span.begin, span.end);
      ASSERT_LE(span.end, turned.bitmap.width);
      for (int x = 0; x < turned.bitmap.width; ++x) {
        if (x < span.begin || x >= span.end) {
          EXPECT_EQ(at(turned.bitmap, x, y), 0) << step << " " << x << "," << y;
        }
      }
      if (span.begin < span.end) {
        EXPECT_NE(at(turned.bitmap, span.begin, y), 0);
        EXPECT_NE(at(turned.bitmap, span.end - 1, y), 0);
        anyInFirstColumn = anyInFirstColumn || span.begin == 0;
        anyInLastColumn = anyInLastColumn || span.end == turned.bitmap.width;
      }
    }
    // Trimmed: ink touches every edge of the bitmap.
    EXPECT_TRUE(anyInFirstColumn && anyInLastColumn) << step;
    EXPECT_NE(turned.rows.front().begin, turned.rows.front().end) << step;
    EXPECT_NE(turned.rows.back().begin, turned.rows.back().end) << step;
  }
}

TEST(GlyphRotation, NothingToTurn) {
  EXPECT_TRUE(rotateCoverage(Coverage{}, 1.0f).bitmap.alpha.empty());
  EXPECT_TRUE(rotateCoverage(bitmap(4, 4, std::vector<std::uint8_t>(16, 0)), 1.0f).bitmap.alpha.empty());
  EXPECT_TRUE(rotateCoverage(bitmap(4, 4, {1, 2, 3}), 1.0f).bitmap.alpha.empty());  // too few texels
}

TEST(GlyphRotation, AnglesSnapToTheNearestStep) {
  const float degree = kPi / 180;
  const struct {
    float radians;
    int step;
  } cases[] = {
      {0, 0},
      {2.4f * degree, 0},
      {2.6f * degree, 1},
      {-2.4f * degree, 0},
      {-2.6f * degree, 71},
      {90 * degree, 18},
      {-90 * degree, 54},
      {180 * degree, 36},
      {-180 * degree, 36},
      {359 * degree, 0},
      {725 * degree, 1},
      {NAN, 0},
      {INFINITY, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(angleStep(c.radians, kSteps), c.step) << c.radians;
  EXPECT_FLOAT_EQ(stepAngle(18, kSteps), kPi / 2);
  EXPECT_FLOAT_EQ(stepAngle(0, kSteps), 0);
}

}  // namespace
