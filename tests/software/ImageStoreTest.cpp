// The image store: sizes before pixels, the loader called once per image, mip levels for keys
// shown small, resampled copies of upright images, and images that cannot be decoded.
#include <gtest/gtest.h>

#include <fstream>

#include "cocos/backend/software/ImageStore.h"
#include "tests/software/SoftwareTestSupport.h"

namespace {

using namespace software_test;
using cocos2d::Rect;

const Color4B kWhite{255, 255, 255, 255};

class ImageStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    _canvas.setTarget(_frame.buffer());
    _canvas.clear(kWhite);
  }
  void draw(cocos2d::backend::TextureId id, const AffineTransform& t, float w, float h) {
    _store.draw(_canvas, id, Rect(0, 0, w, h), t, w, h, kWhite);
  }
  MemoryImages _images;
  ImageStore _store{_images.loader()};
  Frame _frame{480, 400};
  Canvas _canvas;
};

TEST_F(ImageStoreTest, SizedFromTheHeaderAndDecodedOnceOnTheFirstDraw) {
  const std::string path = _images.add("key.png", 208, 152, [](int x, int) { return x < 104 ? 0xFFFF0000u : 0xFF0000FFu; });
  int w = 0, h = 0;
  const auto id = _store.load(path, w, h);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(w, 208);
  EXPECT_EQ(h, 152);
  EXPECT_EQ(_store.load(path, w, h), id);  // the same path, the same image
  EXPECT_EQ(_images.decodes, 0);
  draw(id, upright(1, 0, 152), 208, 152);
  draw(id, upright(1, 220, 152), 208, 152);
  EXPECT_EQ(_images.decodes, 1);
  EXPECT_EQ(_store.levelCount(), 1);
  EXPECT_TRUE(near(_frame.at(10, 10), {255, 0, 0, 255}, 0));
  EXPECT_TRUE(near(_frame.at(420, 10), {0, 0, 255, 255}, 0));
  // Off screen: nothing decoded for it.
  const std::string other = _images.add("other.png", 64, 64, [](int, int) { return 0xFF00FF00u; });
  draw(_store.load(other, w, h), upright(1, -500, 64), 64, 64);
  EXPECT_EQ(_images.decodes, 1);
}

TEST_F(ImageStoreTest, KeysShownSmallComeFromAHalvedLevelAndStaySmooth) {
  // One-texel black and white stripes: skipping texels would show hard black and white
  // pixels; a filtered level shows even greys.
  const std::string path = _images.add("stripes.png", 208, 152, [](int x, int) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; });
  int w = 0, h = 0;
  const auto id = _store.load(path, w, h);
  for (const float scale : {0.44f, 0.6f, 0.2f}) {
    _canvas.clear(kWhite);
    draw(id, upright(scale, 100, 300), 208, 152);
    int extremes = 0;
    for (int x = 102; x < 100 + static_cast<int>(208 * scale) - 2; ++x) {
      const int v = _frame.at(x, 280).r;
      extremes += v < 64 || v > 192;
    }
    EXPECT_EQ(extremes, 0) << scale;
  }
  // The smallest level that still has a texel per pixel: the image itself at 0.6 (shrunk by
  // averaging), half of it at 0.44, a quarter at 0.2; one decode each.
  EXPECT_EQ(_images.decodes, 3);
  EXPECT_EQ(_store.levelCount(), 3);
}

TEST_F(ImageStoreTest, UprightImagesAtTheSameSizeAreResampledOnceAndLookTheSame) {
  const std::string path = _images.add("grad.png", 100, 80, [](int x, int y) {
    return 0xFF000000u | static_cast<std::uint32_t>(x * 2) << 16 | static_cast<std::uint32_t>(y * 3) << 8;
  });
  int w = 0, h = 0;
  const auto id = _store.load(path, w, h);
  const AffineTransform t = upright(0.7f, 10.2f, 100);
  draw(id, t, 100, 80);
  const std::vector<std::uint32_t> first = _frame.pixels;
  EXPECT_EQ(_store.scaled().scaledCount(), 0u);  // seen once: not kept
  for (int frame = 0; frame < 2; ++frame) {
    _canvas.clear(kWhite);
    draw(id, t, 100, 80);
    EXPECT_EQ(_frame.pixels, first) << frame;
  }
  EXPECT_EQ(_store.scaled().scaledCount(), 1u);
  // Partial frames cut the copy exactly as they cut the resampling.
  _canvas.clear(kWhite);
  const PixelRect clip{20, 60, 17, 11};
  _canvas.setClip(&clip);
  draw(id, t, 100, 80);
  for (int y = 60; y < 71; ++y) {
    for (int x = 20; x < 37; ++x) ASSERT_EQ(_frame.raw(x, y), first[static_cast<std::size_t>(y * _frame.stride + x)]);
  }
}

TEST_F(ImageStoreTest, ImagesThatCannotBeDecoded) {
  int w = -1, h = -1;
  EXPECT_EQ(_store.load(testing::TempDir() + "pemtrix_software_missing.png", w, h), 0u);
  const std::string text = testing::TempDir() + "pemtrix_software_text.png";
  std::ofstream(text) << "plain text, not pixels";
  EXPECT_EQ(_store.load(text, w, h), 0u);  // no header, and the loader cannot decode it either
  // A valid header whose pixels the loader cannot give: sized at once, never drawn, decoded
  // only once.
  const std::string lying = testing::TempDir() + "pemtrix_software_lying.png";
  MemoryImages::writeHeader(lying, 40, 30);
  const auto id = _store.load(lying, w, h);
  ASSERT_NE(id, 0u);
  EXPECT_EQ(w, 40);
  const int before = _images.decodes;
  draw(id, upright(1, 0, 30), 40, 30);
  draw(id, upright(1, 0, 30), 40, 30);
  EXPECT_EQ(_images.decodes, before + 1);
  draw(0, upright(1, 0, 30), 40, 30);
  draw(999, upright(1, 0, 30), 40, 30);
  EXPECT_EQ(_frame.raw(10, 10), 0xFFFFFFFFu);
}

TEST_F(ImageStoreTest, AHeaderThatLiesAboutTheSizeGivesWayToThePixels) {
  const std::string path = _images.add("small.png", 20, 10, [](int, int) { return 0xFF00FF00u; });
  MemoryImages::writeHeader(path, 400, 300);  // says 400 x 300, decodes to 20 x 10
  int w = 0, h = 0;
  const auto id = _store.load(path, w, h);
  EXPECT_EQ(w, 400);
  _store.draw(_canvas, id, Rect(0, 0, 400, 300), upright(0.1f, 5, 35), 400, 300, kWhite);
  EXPECT_TRUE(near(_frame.at(10, 10), {0, 255, 0, 255}, 0)) << describe(_frame.at(10, 10));
}

}  // namespace
