#include <gtest/gtest.h>

#include <cmath>

#include "cocos/backend/software/Geometry.h"

namespace {

using cocos2d::AffineTransform;
using namespace cocos2d::backend::software;

TEST(Geometry, AxisAlignedBoxesAndTheirMirroring) {
  const LocalBox box{0, 0, 100, 50};
  const struct {
    AffineTransform t;
    PixelBox expected;
  } cases[] = {
      // The engine's usual y-up to y-down map: image row 0 (local y1) on top, not mirrored.
      {{0.6f, 0, 0, -0.6f, 10, 700}, {10, 670, 70, 700, false, false}},
      // Local y-down (no flip of the axis) puts row 0 at the bottom: shown upside down.
      {{1, 0, 0, 1, 0, 0}, {0, 0, 100, 50, false, true}},
      // A negative x scale (the flip transition's second half) mirrors left and right.
      {{-0.5f, 0, 0, -1, 200, 100}, {150, 50, 200, 100, true, false}},
  };
  for (const auto& c : cases) {
    const PixelBox got = mapAxisAligned(c.t, box);
    EXPECT_FLOAT_EQ(got.left, c.expected.left);
    EXPECT_FLOAT_EQ(got.top, c.expected.top);
    EXPECT_FLOAT_EQ(got.right, c.expected.right);
    EXPECT_FLOAT_EQ(got.bottom, c.expected.bottom);
    EXPECT_EQ(got.flipX, c.expected.flipX);
    EXPECT_EQ(got.flipY, c.expected.flipY);
  }
}

TEST(Geometry, SnappingRoundsEdgesSoNeighboursShareThem) {
  const struct {
    PixelBox box;
    PixelRect expected;
  } cases[] = {
      {{10.4f, 20.6f, 40.4f, 60.5f}, {10, 21, 30, 40}},
      {{40.4f, 20.6f, 70.6f, 60.5f}, {40, 21, 31, 40}},  // starts where the previous ended
      {{-5.2f, -0.4f, 3.3f, 2.5f}, {-5, 0, 8, 3}},
      // Thinner than a pixel: kept as one pixel rather than dropped.
      {{100.1f, 5, 100.4f, 9}, {100, 5, 1, 4}},
      // Truly empty stays empty.
      {{7, 7, 7, 7}, {7, 7, 0, 0}},
  };
  for (const auto& c : cases) {
    const PixelRect got = snapToPixels(c.box);
    EXPECT_EQ(got.x, c.expected.x);
    EXPECT_EQ(got.y, c.expected.y);
    EXPECT_EQ(got.w, c.expected.w);
    EXPECT_EQ(got.h, c.expected.h);
  }
}

TEST(Geometry, QuadCornersFollowTheImageOrder) {
  // 90 degrees clockwise in the engine's convention, then into window pixels.
  const AffineTransform toWindow{1, 0, 0, -1, 100, 100};
  const AffineTransform t = toWindow * AffineTransform::rotationClockwise(90);
  const PixelQuad q = mapQuad(t, LocalBox{0, 0, 20, 10});
  // Image top-left is local (0, 10): rotated clockwise it goes to (10, 0) in y-up.
  const float expectedX[4] = {110, 110, 100, 100}, expectedY[4] = {100, 120, 120, 100};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(q.x[i], expectedX[i], 1e-4) << i;
    EXPECT_NEAR(q.y[i], expectedY[i], 1e-4) << i;
  }
  EXPECT_NEAR(scaleAlongX(t), 1.0f, 1e-6);
  EXPECT_NEAR(scaleAlongY(AffineTransform::scaling(0.6f, -0.6f) * AffineTransform::rotationClockwise(30)), 0.6f, 1e-6);
}

TEST(Geometry, OnlyEvenlyScaledTurnsCountAsTurns) {
  const AffineTransform toWindow{0.6f, 0, 0, -0.6f, 100, 400};
  const float kDegree = 3.14159265f / 180;
  const struct {
    const char* what;
    AffineTransform t;
    bool turn;
    float scale, degrees;  // on screen, clockwise
  } cases[] = {
      {"upright", toWindow, false, 0, 0},
      {"upside down is axis-aligned", toWindow * AffineTransform::scaling(-1, -1), false, 0, 0},
      {"clockwise", toWindow * AffineTransform::rotationClockwise(30), true, 0.6f, 30},
      {"anticlockwise", toWindow * AffineTransform::rotationClockwise(-100), true, 0.6f, -100},
      {"a quarter turn", AffineTransform{1, 0, 0, -1, 0, 0} * AffineTransform::rotationClockwise(90), true, 1, 90},
      {"squeezed, then turned", toWindow * AffineTransform::rotationClockwise(30) * AffineTransform::scaling(0.5f, 1),
       false, 0, 0},
      {"mirrored, then turned", toWindow * AffineTransform::rotationClockwise(30) * AffineTransform::scaling(-1, 1),
       false, 0, 0},
      {"skewed", AffineTransform{0.6f, 0.2f, 0, -0.6f, 0, 0}, false, 0, 0},
      {"not a number", AffineTransform{NAN, 0.5f, 0.5f, NAN, 0, 0}, false, 0, 0},
  };
  for (const auto& c : cases) {
    Turn turn;
    ASSERT_EQ(asTurn(c.t, turn), c.turn) << c.what;
    if (!c.turn) continue;
    EXPECT_NEAR(turn.scale, c.scale, 1e-5) << c.what;
    EXPECT_NEAR(turn.radians, c.degrees * kDegree, 1e-5) << c.what;
  }
}

TEST(Geometry, OverlapTreatsTheFarEdgesAsExclusive) {
  const PixelArea area{0, 0, 480, 768};
  EXPECT_TRUE(overlaps(PixelBox{470, 760, 490, 800}, area));
  EXPECT_FALSE(overlaps(PixelBox{480, 0, 500, 10}, area));
  EXPECT_FALSE(overlaps(PixelBox{-20, 0, 0, 10}, area));
  EXPECT_FALSE(overlaps(PixelBox{0, 768, 10, 780}, area));
  PixelQuad diamond;
  const float xs[4] = {-10, 5, -10, -25}, ys[4] = {-15, 0, 15, 0};
  for (int i = 0; i < 4; ++i) {
    diamond.x[i] = xs[i];
    diamond.y[i] = ys[i];
  }
  EXPECT_TRUE(overlaps(diamond, area));
  for (float& x : diamond.x) x -= 6;
  EXPECT_FALSE(overlaps(diamond, area));
}

}  // namespace
