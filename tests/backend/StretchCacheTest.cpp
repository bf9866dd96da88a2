// Images shown at the same size frame after frame are copied from a stretched texture once
// one exists: the window must not change by a single bit when that happens.
#include <gtest/gtest.h>

#include <string>

#include "tests/backend/BackendTestSupport.h"

namespace {

using namespace pemtrix_test;
using cocos2d::Rect;
using cocos2d::backend::TextureId;

// A key-like image with everything that filtering can get wrong: colour gradients, a
// transparent margin with soft edges, and fine detail.
std::string busyImage() {
  return writePng("busy.png", 208, 152, [](int x, int y) -> Uint32 {
    const int dx = x < 12 ? 12 - x : x > 195 ? x - 195 : 0;
    const int dy = y < 10 ? 10 - y : y > 141 ? y - 141 : 0;
    const int edge = 255 - 24 * (dx + dy);
    const Uint32 alpha = edge < 0 ? 0 : static_cast<Uint32>(edge);
    const Uint32 r = static_cast<Uint32>(x), g = static_cast<Uint32>(y * 255 / 151);
    const Uint32 b = (x / 3 + y / 3) % 2 ? 240 : 20;
    return (alpha << 24) | (r << 16) | (g << 8) | b;
  });
}

class StretchCacheTest : public testing::Test {
 protected:
  void SetUp() override {
    _backend = openHeadless();
    int w = 0, h = 0;
    _image = _backend->drawing().loadImage(busyImage(), w, h);
    ASSERT_NE(_image, 0u);
  }
  // The keypad's way: a background, then the image at about 0.44 of its size, plain and
  // tinted, each at a size of its own.
  std::unique_ptr<Shot> frame(const std::string& name) {
    _backend->drawing().beginFrame(Color4B{38, 50, 56, 255});
    _backend->drawing().drawRect(upright(1, 0, 768), 480, 300, Color4B{200, 120, 40, 255});
    const Rect all(0, 0, 208, 152);
    _backend->drawing().drawTexture(_image, all, upright(0.44f, 20.3f, 300.2f), 208, 152, Color4B{255, 255, 255, 255});
    _backend->drawing().drawTexture(_image, all, upright(0.47f, 250, 300), 208, 152, Color4B{200, 180, 90, 160});
    _backend->drawing().drawTexture(_image, Rect(50, 40, 100, 60), upright(0.7f, 200, 700), 100, 60,
                                    Color4B{255, 255, 255, 255});
    _backend->drawing().endFrame();
    return capture(*_backend, name);
  }
  std::unique_ptr<SdlBackend> _backend;
  TextureId _image = 0;
};

TEST_F(StretchCacheTest, StretchedCopiesLeaveEveryPixelAsItWas) {
  auto first = frame("stretch-1.png");
  EXPECT_EQ(_backend->drawing().textures().stretched().stretchedCount(), 0u);  // one sighting is not enough
  auto second = frame("stretch-2.png");
  auto third = frame("stretch-3.png");
  EXPECT_EQ(_backend->drawing().textures().stretched().stretchedCount(), 3u);
  int differing = 0;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 480; ++x) {
      differing += !(first->at(x, y) == second->at(x, y)) || !(first->at(x, y) == third->at(x, y));
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_FALSE(first->at(60, 270) == first->at(60, 150)) << "the image was drawn";
}

// Images cut by the window's edge or by a clip are stretched ahead like the others, so that a
// clip never changes which pixels an image gives; growing and mirrored ones are not.
TEST_F(StretchCacheTest, OnlySteadyUnmirroredImagesAreStretchedAhead) {
  const Rect all(0, 0, 208, 152);
  for (int i = 0; i < 4; ++i) {
    _backend->drawing().beginFrame(Color4B{0, 0, 0, 255});
    // Growing at every frame, as an animation does.
    const float scale = 0.40f + 0.01f * static_cast<float>(i);
    _backend->drawing().drawTexture(_image, all, upright(scale, 100, 300), 208, 152, Color4B{255, 255, 255, 255});
    // Partly outside the window, partly outside the clip (both steady), mirrored.
    _backend->drawing().drawTexture(_image, all, upright(0.44f, -30, 500), 208, 152, Color4B{255, 255, 255, 255});
    const Rect clip(300, 0, 180, 768);
    _backend->drawing().setClip(&clip);
    _backend->drawing().drawTexture(_image, all, upright(0.44f, 280, 500), 208, 152, Color4B{255, 255, 255, 255});
    _backend->drawing().setClip(nullptr);
    _backend->drawing().drawTexture(_image, all, AffineTransform{-0.44f, 0, 0, -0.44f, 200, 700}, 208, 152,
                          Color4B{255, 255, 255, 255});
    // Drawn at its own size: nothing to stretch.
    _backend->drawing().drawTexture(_image, all, upright(1, 100, 768), 208, 152, Color4B{255, 255, 255, 255});
    _backend->drawing().endFrame();
  }
  EXPECT_EQ(_backend->drawing().textures().stretched().stretchedCount(), 1u) << "the two cut ones share one size";
}

TEST_F(StretchCacheTest, ReleasingTexturesDropsTheStretchedOnes) {
  frame("release-1.png");
  frame("release-2.png");
  ASSERT_GT(_backend->drawing().textures().stretched().stretchedCount(), 0u);
  _backend->drawing().textures().releaseTextures();
  EXPECT_EQ(_backend->drawing().textures().stretched().size(), 0u);
  EXPECT_EQ(_backend->drawing().textures().stretched().bytes(), 0u);
}

}  // namespace
