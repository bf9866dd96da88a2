// Draws into a headless window and checks the screenshot's pixels.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "tests/backend/BackendTestSupport.h"

namespace {

using namespace pemtrix_test;
using cocos2d::Rect;
using cocos2d::backend::GlyphPlacement;

const Color4B kWhite{255, 255, 255, 255};
const Color4B kRed{255, 0, 0, 255};
const Color4B kBlack{0, 0, 0, 255};

bool near(const Color4B& got, const Color4B& want, int tolerance = 2) {
  return std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
         std::abs(got.b - want.b) <= tolerance;
}

std::string describe(const Color4B& c) {
  return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
         std::to_string(c.a) + ")";
}

class RenderTest : public testing::Test {
 protected:
  void SetUp() override {
    _backend = openHeadless();
    _backend->drawing().beginFrame(kWhite);
  }
  std::unique_ptr<Shot> present(const std::string& name) {
    _backend->drawing().endFrame();
    return capture(*_backend, name);
  }
  std::unique_ptr<SdlBackend> _backend;
};

TEST_F(RenderTest, ScreenshotHasTheWindowSizeAndIsOpaque) {
  auto shot = present("blank.png");
  ASSERT_TRUE(shot->valid());
  EXPECT_EQ(shot->width(), 480);
  EXPECT_EQ(shot->height(), 768);
  EXPECT_TRUE(near(shot->at(0, 0), kWhite));
  EXPECT_EQ(shot->at(479, 767).a, 255);
}

TEST_F(RenderTest, RectanglesLandOnRoundedPixelEdges) {
  // Local (0, 0)-(50, 40) at 0.6 px per unit: a 30 x 24 pixel box from (10.4, 36) upwards.
  _backend->drawing().drawRect(upright(0.6f, 10.4f, 60), 50, 40, kRed);
  _backend->drawing().drawRect(upright(1, 200, 300), 20, 20, Color4B{255, 0, 0, 128});
  auto shot = present("rects.png");
  const struct {
    int x, y;
    Color4B want;
  } probes[] = {
      {10, 36, kRed},   {39, 59, kRed},   {9, 50, kWhite},  {40, 50, kWhite},
      {20, 35, kWhite}, {20, 60, kWhite}, {210, 290, {255, 127, 127, 255}},
  };
  for (const auto& p : probes) {
    EXPECT_TRUE(near(shot->at(p.x, p.y), p.want, 3)) << p.x << "," << p.y << " " << describe(shot->at(p.x, p.y));
  }
}

TEST_F(RenderTest, RotatedRectanglesAreFilledTriangles) {
  const AffineTransform t = upright(1, 240, 400) * AffineTransform::rotationClockwise(45) *
                            AffineTransform::translation(-30, -30);
  _backend->drawing().drawRect(t, 60, 60, kRed);
  auto shot = present("rotated-rect.png");
  EXPECT_TRUE(near(shot->at(240, 400), kRed));
  EXPECT_TRUE(near(shot->at(240, 365), kRed));  // a diamond reaches 42 px up...
  EXPECT_TRUE(near(shot->at(212, 372), kWhite));  // ...but not into its bounding box's corners
}

TEST_F(RenderTest, ClipLimitsEveryDrawAndAnEmptyClipDrawsNothing) {
  const Rect clip(100, 100, 50, 50);
  _backend->drawing().setClip(&clip);
  _backend->drawing().drawRect(upright(1, 0, 768), 480, 768, kRed);
  const Rect empty(300, 300, 0, 0);
  _backend->drawing().setClip(&empty);
  _backend->drawing().drawRect(upright(1, 0, 768), 480, 768, kBlack);
  _backend->drawing().setClip(nullptr);
  auto shot = present("clip.png");
  EXPECT_TRUE(near(shot->at(100, 100), kRed));
  EXPECT_TRUE(near(shot->at(149, 149), kRed));
  EXPECT_TRUE(near(shot->at(150, 149), kWhite));
  EXPECT_TRUE(near(shot->at(99, 120), kWhite));
  EXPECT_TRUE(near(shot->at(300, 300), kWhite));
}

// A 208 x 152 image: a green band in its top 20 rows, red left half, blue right half.
std::string keyLikeImage() {
  return writePng("key.png", 208, 152, [](int x, int y) -> Uint32 {
    if (y < 20) return 0xFF00FF00;
    return x < 104 ? 0xFFFF0000 : 0xFF0000FF;
  });
}

TEST_F(RenderTest, TexturesKeepTheirOrientationAndMirrorUnderNegativeScale) {
  int w = 0, h = 0;
  const auto id = _backend->drawing().loadImage(keyLikeImage(), w, h);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(w, 208);
  EXPECT_EQ(h, 152);
  const Rect all(0, 0, 208, 152);
  _backend->drawing().drawTexture(id, all, upright(1, 10, 200), 208, 152, kWhite);
  // Mirrored left-right about its own centre, as the flip transition does.
  _backend->drawing().drawTexture(id, all, AffineTransform{-1, 0, 0, -1, 458, 400}, 208, 152, kWhite);
  auto shot = present("texture.png");
  EXPECT_TRUE(near(shot->at(100, 55), {0, 255, 0, 255})) << describe(shot->at(100, 55));  // top band on top
  EXPECT_TRUE(near(shot->at(20, 150), kRed));
  EXPECT_TRUE(near(shot->at(200, 150), {0, 0, 255, 255}));
  EXPECT_TRUE(near(shot->at(260, 350), {0, 0, 255, 255})) << describe(shot->at(260, 350));  // mirrored
  EXPECT_TRUE(near(shot->at(440, 350), kRed));
  EXPECT_TRUE(near(shot->at(350, 255), {0, 255, 0, 255}));  // band still on top
}

TEST_F(RenderTest, ScaledKeysUseTheHalvedLevelAndStaySmooth) {
  // One-texel black and white stripes: point sampling at 0.44 would show hard black and
  // white pixels, a filtered mip level shows even greys.
  const std::string path =
      writePng("stripes.png", 208, 152, [](int x, int) -> Uint32 { return x % 2 ? 0xFFFFFFFF : 0xFF000000; });
  int w = 0, h = 0;
  const auto id = _backend->drawing().loadImage(path, w, h);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(_backend->drawing().textures().textureCount(), 0);  // nothing decoded until drawn
  _backend->drawing().drawTexture(id, Rect(0, 0, 208, 152), upright(0.44f, 100, 300), 208, 152, kWhite);
  EXPECT_EQ(_backend->drawing().textures().textureCount(), 1);  // only the level that was needed
  auto shot = present("stripes-scaled.png");
  int extremes = 0;
  for (int x = 102; x < 190; ++x) {
    const int dark = shot->darkness(x, 260);
    if (dark < 64 || dark > 192) ++extremes;
  }
  EXPECT_EQ(extremes, 0);
}

TEST_F(RenderTest, ScaledShapesGetNoDarkFringes) {
  // White on transparent black, as PNG exporters write it: filtering must not pull the
  // black of the invisible texels into the edge.
  const std::string path = writePng("white-on-clear.png", 208, 152, [](int x, int y) -> Uint32 {
    return x >= 21 && x < 187 && y >= 21 && y < 131 ? 0xFFFFFFFF : 0x00000000;
  });
  int w = 0, h = 0;
  const auto id = _backend->drawing().loadImage(path, w, h);
  _backend->drawing().drawTexture(id, Rect(0, 0, 208, 152), upright(0.44f, 100.3f, 300.2f), 208, 152, kWhite);
  auto shot = present("no-fringes.png");
  int darkest = 0;
  for (int y = 230; y < 305; ++y) {
    for (int x = 95; x < 200; ++x) darkest = std::max(darkest, shot->darkness(x, y));
  }
  EXPECT_LE(darkest, 8);
}

TEST_F(RenderTest, ModulationTintsTexturesAndRotationUsesTriangles) {
  const std::string path = writePng("white.png", 64, 64, [](int, int) -> Uint32 { return 0xFFFFFFFF; });
  int w = 0, h = 0;
  const auto id = _backend->drawing().loadImage(path, w, h);
  _backend->drawing().drawTexture(id, Rect(0, 0, 64, 64), upright(1, 10, 100), 64, 64, Color4B{0, 255, 0, 255});
  const AffineTransform rotated = upright(1, 300, 400) * AffineTransform::rotationClockwise(30) *
                                  AffineTransform::translation(-32, -32);
  _backend->drawing().drawTexture(id, Rect(0, 0, 64, 64), rotated, 64, 64, Color4B{0, 0, 255, 255});
  auto shot = present("modulated.png");
  EXPECT_TRUE(near(shot->at(40, 70), {0, 255, 0, 255})) << describe(shot->at(40, 70));
  EXPECT_TRUE(near(shot->at(300, 400), {0, 0, 255, 255})) << describe(shot->at(300, 400));
  EXPECT_TRUE(near(shot->at(269, 369), kWhite));  // the unrotated square's corner stays empty
}

TEST_F(RenderTest, UnreadableImages) {
  int w = -1, h = -1;
  EXPECT_EQ(_backend->drawing().loadImage(tempFile("does-not-exist.png"), w, h), 0u);
  const std::string text = tempFile("not-an-image.png");
  std::ofstream(text) << "plain text, not pixels";
  EXPECT_EQ(_backend->drawing().loadImage(text, w, h), 0u);
  // A valid header over broken data: sized at once, then simply never drawn.
  const std::string good = keyLikeImage();
  std::ifstream in(good, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bytes.resize(40);
  const std::string truncated = tempFile("truncated.png");
  std::ofstream(truncated, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  const auto id = _backend->drawing().loadImage(truncated, w, h);
  EXPECT_NE(id, 0u);
  EXPECT_EQ(w, 208);
  _backend->drawing().drawTexture(id, Rect(0, 0, 208, 152), upright(1, 0, 200), 208, 152, kWhite);
  _backend->drawing().drawTexture(0, Rect(0, 0, 1, 1), upright(1, 0, 200), 208, 152, kWhite);
  auto shot = present("broken.png");
  EXPECT_TRUE(near(shot->at(100, 100), kWhite));
}

std::vector<GlyphPlacement> layout(SdlBackend& b, cocos2d::backend::FontId font, float size, const std::u32string& s,
                                   float x = 0) {
  std::vector<GlyphPlacement> out;
  for (const char32_t c : s) {
    out.push_back({c, x, 0});
    x += b.text().glyphAdvance(font, size, c);
  }
  return out;
}

TEST_F(RenderTest, UprightGlyphsSitOnTheBaselineAtWholePixels) {
  const auto font = _backend->text().openFont("Arial", "en");
  const auto glyphs = layout(*_backend, font, 48, U"H");
  // Size 48 at 0.6: rasterised at 29 pixels per em, baseline on window row 400.
  _backend->drawing().drawGlyphs(font, 48, glyphs.data(), glyphs.size(), upright(0.6f, 50, 400), kBlack);
  auto shot = present("glyph-h.png");
  const auto inkInRow = [&](int y) {
    int ink = 0;
    for (int x = 45; x < 80; ++x) ink += shot->darkness(x, y) > 128;
    return ink;
  };
  EXPECT_GT(inkInRow(399), 0);      // the stems reach the baseline...
  EXPECT_EQ(inkInRow(401), 0);      // ...and stop there
  EXPECT_GT(inkInRow(381), 0);      // cap height is about 21 pixels
  EXPECT_EQ(inkInRow(376), 0);
  // The left stem starts one left side bearing (about 2.3 px) right of the pen.
  int firstInk = -1;
  for (int x = 45; x < 80 && firstInk < 0; ++x) {
    if (shot->darkness(x, 390) > 128) firstInk = x;
  }
  EXPECT_GE(firstInk, 52);
  EXPECT_LE(firstInk, 53);
}

TEST_F(RenderTest, RotatedAndColouredGlyphs) {
  const auto font = _backend->text().openFont("Arial", "en");
  const auto glyphs = layout(*_backend, font, 100, U"I");
  // Rotated a quarter turn clockwise: the upright "I" becomes a horizontal bar right of the pen.
  _backend->drawing().drawGlyphs(font, 100, glyphs.data(), glyphs.size(),
                       upright(1, 100, 300) * AffineTransform::rotationClockwise(90), kRed);
  auto shot = present("glyph-rotated.png");
  int red = 0, dark = 0;
  for (int y = 280; y < 320; ++y) {
    for (int x = 100; x < 180; ++x) {
      const Color4B c = shot->at(x, y);
      red += c.r > 200 && c.g < 60 && c.b < 60;
      dark += c.r < 100;
    }
  }
  EXPECT_GT(red, 200);
  EXPECT_EQ(dark, 0);  // coloured by the vertex colour, not left black or white
}

TEST_F(RenderTest, HiddenGlyphsAreNeitherRasterisedNorDrawn) {
  const auto font = _backend->text().openFont("Arial", "en");
  std::vector<GlyphPlacement> glyphs;
  for (int i = 0; i < 5000; ++i) {
    glyphs.push_back({static_cast<char32_t>(0x4E00 + i), static_cast<float>(i) * 30.0f, 0});  // 5000 distinct kanji
  }
  // Roughly 480 / 18 = 27 columns of the run are in the window.
  _backend->drawing().drawGlyphs(font, 50, glyphs.data(), glyphs.size(), upright(0.6f, -3000, 400), kBlack);
  const std::size_t drawn = _backend->drawing().textRenderer().lastDrawnCount();
  EXPECT_GE(drawn, 27u);
  EXPECT_LE(drawn, 40u);
  EXPECT_LE(_backend->drawing().glyphCache().size(), drawn);
}

}  // namespace
