// Solid boxes, clears, the clip and blending on the canvas, pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>

#include "cocos/backend/software/Canvas.h"
#include "tests/software/SoftwareTestSupport.h"

namespace {

using namespace software_test;

const Color4B kWhite{255, 255, 255, 255};
const Color4B kRed{255, 0, 0, 255};

struct Probe {
  int x, y;
  Color4B want;
};

TEST(Canvas, UprightBoxesLandOnRoundedEdgesAndBlendPremultiplied) {
  const struct {
    const char* what;
    AffineTransform t;
    float w, h;
    Color4B colour;
    std::vector<Probe> probes;
  } cases[] = {
      // Local (0, 0)-(50, 40) at 0.6: pixels x 10.4..40.4 and y 36..60, snapped to 10..40.
      {"fractional edges", upright(0.6f, 10.4f, 60), 50, 40, kRed,
       {{10, 36, kRed}, {39, 59, kRed}, {9, 50, kWhite}, {40, 50, kWhite}, {20, 35, kWhite}, {20, 60, kWhite}}},
      // The box that starts where the previous one ends shares the edge without a gap.
      {"neighbours", upright(0.6f, 40.4f, 60), 50, 40, Color4B{0, 0, 255, 255},
       {{39, 50, kWhite}, {40, 50, {0, 0, 255, 255}}, {69, 50, {0, 0, 255, 255}}, {70, 50, kWhite}}},
      {"half-transparent red over white", upright(1, 200, 300), 20, 20, Color4B{255, 0, 0, 128},
       {{210, 290, {255, 127, 127, 255}}, {199, 290, kWhite}, {220, 290, kWhite}}},
      {"a hairline keeps one pixel", upright(1, 100.1f, 20), 0.3f, 10, Color4B{0, 0, 0, 255},
       {{99, 15, kWhite}, {100, 15, {0, 0, 0, 255}}, {101, 15, kWhite}}},
      {"mirrored boxes are boxes", AffineTransform{-1, 0, 0, 1, 300, 100}, 20, 10, kRed,
       {{280, 100, kRed}, {299, 109, kRed}, {279, 105, kWhite}, {300, 105, kWhite}}},
      {"transparent colours draw nothing", upright(1, 0, 100), 100, 100, Color4B{0, 0, 0, 0}, {{50, 50, kWhite}}},
  };
  for (const auto& c : cases) {
    Frame frame(320, 400);
    Canvas canvas;
    canvas.setTarget(frame.buffer());
    canvas.clear(kWhite);
    canvas.fillBox(c.t, LocalBox{0, 0, c.w, c.h}, c.colour);
    for (const Probe& p : c.probes) {
      EXPECT_TRUE(near(frame.at(p.x, p.y), p.want, 1)) << c.what << " at " << p.x << "," << p.y << " "
                                                        << describe(frame.at(p.x, p.y));
    }
    EXPECT_TRUE(frame.paddingUntouched()) << c.what;
  }
}

TEST(Canvas, BlendingKeepsAlphaPremultiplied) {
  // Raw pixels 0xAARRGGBB after a clear and one box over it.
  const struct {
    Color4B clear, fill;
    std::uint32_t want;
  } cases[] = {
      {{0, 0, 0, 0}, {255, 0, 0, 128}, 0x80800000u},     // onto nothing: the colour premultiplied
      {{255, 0, 0, 128}, {0, 0, 255, 128}, 0xC0400080u},  // half blue over half red
      {{10, 20, 30, 255}, {200, 100, 50, 255}, 0xFFC86432u},  // opaque replaces
      {{255, 255, 255, 0}, {0, 0, 0, 0}, 0x00000000u},   // a transparent clear stores nothing
      {{0, 0, 0, 255}, {255, 255, 255, 64}, 0xFF404040u},
  };
  for (const auto& c : cases) {
    Frame frame(4, 4);
    Canvas canvas;
    canvas.setTarget(frame.buffer());
    canvas.clear(c.clear);
    canvas.fillBox(upright(1, 0, 4), LocalBox{0, 0, 4, 4}, c.fill);
    EXPECT_EQ(frame.raw(2, 2), c.want) << describe(c.clear) << " then " << describe(c.fill);
  }
}

TEST(Canvas, ClipAndPartialClears) {
  Frame frame(200, 200);
  Canvas canvas;
  canvas.setTarget(frame.buffer());
  canvas.clear(kWhite);
  const PixelRect clip{100, 100, 50, 50};
  canvas.setClip(&clip);
  canvas.fillBox(upright(1, 0, 200), LocalBox{0, 0, 200, 200}, kRed);
  const PixelRect empty{30, 30, 0, 0};
  canvas.setClip(&empty);
  canvas.fillBox(upright(1, 0, 200), LocalBox{0, 0, 200, 200}, Color4B{0, 0, 0, 255});
  const PixelRect beyond{180, 180, 100, 100};  // cut to the buffer
  canvas.setClip(&beyond);
  EXPECT_EQ(canvas.clip().w, 20);
  canvas.setClip(nullptr);
  canvas.clear(Color4B{0, 255, 0, 255}, PixelRect{-10, 190, 30, 30});  // a region partly outside
  const Probe probes[] = {
      {100, 100, kRed}, {149, 149, kRed}, {150, 149, kWhite}, {99, 120, kWhite}, {30, 30, kWhite},
      {0, 199, {0, 255, 0, 255}}, {19, 190, {0, 255, 0, 255}}, {20, 190, kWhite}, {0, 189, kWhite},
  };
  for (const Probe& p : probes) {
    EXPECT_TRUE(near(frame.at(p.x, p.y), p.want, 0)) << p.x << "," << p.y << " " << describe(frame.at(p.x, p.y));
  }
  EXPECT_TRUE(frame.paddingUntouched());
}

TEST(Canvas, TurnedBoxesCoverTheirAreaWithSmoothEdges) {
  Frame frame(200, 200);
  Canvas canvas;
  canvas.setTarget(frame.buffer());
  canvas.clear(Color4B{0, 0, 0, 255});
  const AffineTransform t = upright(1, 100, 100) * AffineTransform::rotationClockwise(30) *
                            AffineTransform::translation(-30, -20);
  canvas.fillBox(t, LocalBox{0, 0, 60, 40}, Color4B{255, 255, 255, 255});
  double area = 0;
  int partial = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      const int v = frame.at(x, y).r;
      area += v / 255.0;
      partial += v > 0 && v < 255;
    }
  }
  EXPECT_NEAR(area, 60 * 40, 60 * 40 * 0.01);
  EXPECT_GT(partial, 150);  // the edges are shaded, not stepped
  EXPECT_EQ(frame.at(100, 100).r, 255);
  // Clipped: nothing outside the clip, the same pixels inside.
  Frame clipped(200, 200);
  canvas.setTarget(clipped.buffer());
  canvas.clear(Color4B{0, 0, 0, 255});
  const PixelRect clip{90, 80, 30, 25};
  canvas.setClip(&clip);
  canvas.fillBox(t, LocalBox{0, 0, 60, 40}, Color4B{255, 255, 255, 255});
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      const bool inside = x >= 90 && x < 120 && y >= 80 && y < 105;
      ASSERT_EQ(clipped.raw(x, y), inside ? frame.raw(x, y) : 0xFF000000u) << x << "," << y;
    }
  }
}

TEST(Canvas, NoTargetOrDegenerateTransformsDrawNothing) {
  Canvas canvas;
  canvas.fillBox(upright(1, 0, 10), LocalBox{0, 0, 10, 10}, kRed);  // no buffer yet
  canvas.clear(kRed);
  Frame frame(16, 16);
  canvas.setTarget(frame.buffer());
  canvas.clear(kWhite);
  canvas.fillBox(AffineTransform{0, 0, 0, 0, 5, 5}, LocalBox{0, 0, 10, 10}, kRed);
  canvas.fillBox(AffineTransform{1, 1, 1, 1, 5, 5}, LocalBox{0, 0, 10, 10}, kRed);  // flattened to a line
  canvas.fillBox(AffineTransform{NAN, 0.5f, 0.5f, 1, 5, 5}, LocalBox{0, 0, 10, 10}, kRed);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(frame.raw(x, y), 0xFFFFFFFFu) << x << "," << y;
  }
}

}  // namespace
