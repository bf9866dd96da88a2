// Images on the canvas: 1:1, enlarged, squeezed, mirrored and turned, tinted, and clipped.
#include <gtest/gtest.h>

#include <vector>

#include "cocos/backend/software/Canvas.h"
#include "tests/software/SoftwareTestSupport.h"

namespace {

using namespace software_test;

const Color4B kWhite{255, 255, 255, 255};
const Color4B kBlack{0, 0, 0, 255};

// Premultiplied texels with a stride of their own.
struct Texels {
  Texels(int w, int h, std::uint32_t (*paint)(int, int)) : width(w), height(h), pixels(static_cast<std::size_t>(w + 1) * h) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) pixels[static_cast<std::size_t>(y * (w + 1) + x)] = premultiplyArgb(paint(x, y));
    }
  }
  ImageView view() const { return ImageView{pixels.data(), width, height, width + 1}; }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * (width + 1) + x)]; }
  int width, height;
  std::vector<std::uint32_t> pixels;
};

std::uint32_t distinct(int x, int y) {
  return 0xFF000000u | static_cast<std::uint32_t>(x * 20) << 16 | static_cast<std::uint32_t>(y * 30) << 8 |
         static_cast<std::uint32_t>((x * 7 + y * 11) % 256);
}
std::uint32_t columns(int x, int) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; }

struct Scene {
  explicit Scene(int w = 100, int h = 100, Color4B background = kWhite) : frame(w, h) {
    canvas.setTarget(frame.buffer());
    canvas.clear(background);
  }
  Frame frame;
  Canvas canvas;
};

TEST(CanvasImage, OrientationsLandEachTexelWhereItBelongs) {
  // An 8 x 6 image with a distinct colour per texel, its top-left texel meant for pixel
  // (10, 20): where texel (x, y) lands under each transform.
  const Texels image(8, 6, distinct);
  const struct {
    const char* what;
    AffineTransform t;
    int m[6];  // pixel = (m0 x + m1 y + m2, m3 x + m4 y + m5)
    int tolerance;
  } cases[] = {
      {"upright 1:1", upright(1, 10, 26), {1, 0, 10, 0, 1, 20}, 0},
      // Mirrored left-right about its own centre, as the flip transition's second half does.
      {"mirrored", AffineTransform{-1, 0, 0, -1, 18, 26}, {-1, 0, 17, 0, 1, 20}, 0},
      {"upside down", AffineTransform{1, 0, 0, 1, 10, 20}, {1, 0, 10, 0, -1, 25}, 0},
      // A quarter turn clockwise on screen: the top row becomes the right-hand column.
      {"a quarter turn", upright(1, 40, 40) * AffineTransform::rotationClockwise(90), {0, -1, 45, 1, 0, 40}, 2},
  };
  for (const auto& c : cases) {
    Scene s;
    s.canvas.drawImage(image.view(), PixelRect{0, 0, 8, 6}, c.t, LocalBox{0, 0, 8, 6}, kWhite);
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const int px = c.m[0] * x + c.m[1] * y + c.m[2], py = c.m[3] * x + c.m[4] * y + c.m[5];
        const std::uint32_t want = image.at(x, y);
        const Color4B wanted{static_cast<std::uint8_t>(want >> 16), static_cast<std::uint8_t>(want >> 8),
                             static_cast<std::uint8_t>(want), 255};
        ASSERT_TRUE(near(s.frame.at(px, py), wanted, c.tolerance))
            << c.what << " texel " << x << "," << y << " at " << px << "," << py << " " << describe(s.frame.at(px, py));
      }
    }
    EXPECT_TRUE(s.frame.paddingUntouched());
  }
}

TEST(CanvasImage, EnlargingInterpolatesAndShrinkingAverages) {
  const Texels blackWhite(2, 1, columns);  // black, white
  Scene s;
  // 2 x 1 texels onto 8 x 2 pixels: ends keep their texel, the middle rises evenly.
  s.canvas.drawImage(blackWhite.view(), PixelRect{0, 0, 2, 1}, upright(4, 0, 4), LocalBox{0, 0, 2, 0.5f}, kWhite);
  const int want[8] = {0, 0, 32, 96, 159, 223, 255, 255};
  for (int x = 0; x < 8; ++x) EXPECT_NEAR(s.frame.at(x, 2).r, want[x], 1) << x;

  // 64 one-texel columns of black and white squeezed to 6 pixels, as the flip transition
  // squeezes a key: every pixel an even grey, none of the columns showing through.
  const Texels stripes(64, 8, columns);
  for (const float scaleX : {0.5f, 0.3f, 0.1f, -0.1f}) {
    Scene squeezed;
    const AffineTransform t{scaleX, 0, 0, -1, 50, 60};
    squeezed.canvas.drawImage(stripes.view(), PixelRect{0, 0, 64, 8}, t, LocalBox{0, 0, 64, 8}, kWhite);
    const PixelBox box = mapAxisAligned(t, LocalBox{0, 0, 64, 8});
    const PixelRect r = snapToPixels(box);
    for (int x = r.x + 1; x < r.x + r.w - 1; ++x) {
      EXPECT_NEAR(squeezed.frame.at(x, 55).r, 128, 20) << "scale " << scaleX << " column " << x;
    }
  }
}

TEST(CanvasImage, ModulationTintsAndFades) {
  const Texels white(4, 4, [](int, int) -> std::uint32_t { return 0xFFFFFFFFu; });
  const Texels halfRed(4, 4, [](int, int) -> std::uint32_t { return 0x80FF0000u; });
  const struct {
    const char* what;
    const Texels& image;
    Color4B background, modulate, want;
  } cases[] = {
      {"tinted green", white, kWhite, {0, 255, 0, 255}, {0, 255, 0, 255}},
      {"half opacity over black", white, kBlack, {255, 255, 255, 128}, {128, 128, 128, 255}},
      {"red at half opacity over black", white, kBlack, {255, 0, 0, 128}, {128, 0, 0, 255}},
      {"half-transparent texels over white", halfRed, kWhite, kWhite, {255, 127, 127, 255}},
      {"half-transparent texels at half opacity", halfRed, kBlack, {255, 255, 255, 128}, {64, 0, 0, 255}},
      {"fully transparent", white, kBlack, {255, 255, 255, 0}, kBlack},
  };
  for (const auto& c : cases) {
    for (const AffineTransform& t :
         {upright(1, 10, 14), upright(2, 10, 18), upright(1, 10, 10) * AffineTransform::rotationClockwise(90)}) {
      Scene s(30, 30, c.background);
      s.canvas.drawImage(c.image.view(), PixelRect{0, 0, 4, 4}, t, LocalBox{0, 0, 4, 4}, c.modulate);
      EXPECT_TRUE(near(s.frame.at(11, 11), c.want, 2)) << c.what << " " << describe(s.frame.at(11, 11));
    }
  }
}

TEST(CanvasImage, AClippedDrawShowsExactlyThePixelsOfTheWholeOne) {
  const Texels image(37, 23, distinct);
  for (const AffineTransform& t : {upright(1.7f, 3.3f, 60), AffineTransform{-0.45f, 0, 0, -1.3f, 30, 40},
                                   upright(1.2f, 40, 40) * AffineTransform::rotationClockwise(20)}) {
    Scene whole(80, 80);
    whole.canvas.drawImage(image.view(), PixelRect{2, 3, 30, 18}, t, LocalBox{0, 0, 30, 18}, kWhite);
    Scene part(80, 80);
    const PixelRect clip{17, 25, 13, 9};
    part.canvas.setClip(&clip);
    part.canvas.drawImage(image.view(), PixelRect{2, 3, 30, 18}, t, LocalBox{0, 0, 30, 18}, kWhite);
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 80; ++x) {
        const bool inside = x >= 17 && x < 30 && y >= 25 && y < 34;
        ASSERT_EQ(part.frame.raw(x, y), inside ? whole.frame.raw(x, y) : 0xFFFFFFFFu) << x << "," << y;
      }
    }
  }
}

TEST(CanvasImage, SourceRectanglesOutsideTheImageDrawNothing) {
  const Texels image(4, 4, distinct);
  Scene s(20, 20);
  for (const PixelRect& source : {PixelRect{-1, 0, 4, 4}, PixelRect{0, 0, 5, 4}, PixelRect{2, 2, 0, 2}}) {
    s.canvas.drawImage(image.view(), source, upright(1, 0, 10), LocalBox{0, 0, 4, 4}, kWhite);
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(s.frame.raw(x, y), 0xFFFFFFFFu);
  }
}

}  // namespace
