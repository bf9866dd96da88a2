// What the scene graph asks the backend to draw: the order, what is skipped, and the shapes
// of sprites, colour layers and segments.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

using Kind = FakeBackend::Call::Kind;

class CoreDraw : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    scene = runScene();
  }

  // The draw calls of one forced frame of the given kind.
  std::vector<FakeBackend::Call> drawOnce(Kind kind) {
    fake->drawing().clearCalls();
    director()->drawFrame(true);
    std::vector<FakeBackend::Call> found;
    for (const auto* c : fake->drawing().callsOf(kind)) found.push_back(*c);
    return found;
  }

  // Maps a point of a recorded call's local space back to design units.
  Vec2 toDesign(const FakeBackend::Call& call, Vec2 local) const {
    return view->getDesignToWindowTransform().inverse().apply(call.transform.apply(local));
  }

  Scene* scene = nullptr;
};

TEST_F(CoreDraw, BackChildrenThenTheNodeThenFrontChildrenAndHiddenSubtreesSkipped) {
  LayerColor* middle = LayerColor::create(Color4B(0, 255, 0, 255), 10, 10);
  scene->addChild(LayerColor::create(Color4B(0, 0, 255, 255), 10, 10), 1);
  scene->addChild(middle, 0);
  middle->addChild(LayerColor::create(Color4B(255, 0, 0, 255), 10, 10), -1);
  middle->addChild(LayerColor::create(Color4B(9, 9, 9, 255), 10, 10), 0);
  Node* hidden = Node::create();
  hidden->setVisible(false);
  hidden->addChild(LayerColor::create(Color4B(1, 1, 1, 255), 10, 10));
  scene->addChild(hidden, 2);
  std::vector<Color4B> order;
  for (const auto& c : drawOnce(Kind::Rect)) order.push_back(c.color);
  EXPECT_EQ(order, (std::vector<Color4B>{{255, 0, 0, 255}, {0, 255, 0, 255}, {9, 9, 9, 255}, {0, 0, 255, 255}}));
}

TEST_F(CoreDraw, ASpriteWithoutImageIsASolidRectangleOfItsTextureRect) {
  Sprite* s = Sprite::create();
  scene->addChild(s);
  EXPECT_TRUE(drawOnce(Kind::Rect).empty()) << "zero size draws nothing";
  s->setTextureRect(Rect(0, 0, 40, 20));
  s->setPosition(100, 100);
  EXPECT_EQ(s->getContentSize(), Size(40, 20));
  auto rects = drawOnce(Kind::Rect);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].color, Color4B::WHITE);
  EXPECT_EQ(rects[0].width, 40);
  EXPECT_EQ(rects[0].height, 20);
  const Vec2 corner = toDesign(rects[0], Vec2(0, 0));
  EXPECT_NEAR(corner.x, 80, 1e-3);  // centred on its position
  EXPECT_NEAR(corner.y, 90, 1e-3);
  s->setColor(Color3B(10, 20, 30));
  s->setOpacity(40);
  EXPECT_EQ(drawOnce(Kind::Rect)[0].color, Color4B(10, 20, 30, 40));
}

TEST_F(CoreDraw, ASpriteDrawsItsTextureRectangle) {
  addImage("key.png", 208, 152);
  Sprite* s = Sprite::create("key.png");
  scene->addChild(s);
  EXPECT_EQ(s->getContentSize(), Size(208, 152));
  auto textures = drawOnce(Kind::Texture);
  ASSERT_EQ(textures.size(), 1u);
  EXPECT_NE(textures[0].texture, 0u);
  EXPECT_EQ(textures[0].rect.size, Size(208, 152));
  EXPECT_EQ(textures[0].width, 208);
  s->setTextureRect(Rect(8, 4, 100, 50));
  textures = drawOnce(Kind::Texture);
  EXPECT_EQ(textures[0].rect.origin, Vec2(8, 4));
  EXPECT_EQ(textures[0].width, 100);
  EXPECT_EQ(textures[0].height, 50);
  scene->addChild(Sprite::create("key.png"));
  textures = drawOnce(Kind::Texture);
  ASSERT_EQ(textures.size(), 2u);
  EXPECT_EQ(textures[1].texture, textures[0].texture) << "loaded once";
}

TEST_F(CoreDraw, AMissingImageGivesASpriteThatDrawsNothing) {
  Sprite* s = Sprite::create("does-not-exist.png");
  ASSERT_NE(s, nullptr);
  scene->addChild(s);
  s->setTextureRect(Rect(0, 0, 10, 10));
  EXPECT_TRUE(drawOnce(Kind::Rect).empty());
  EXPECT_TRUE(drawOnce(Kind::Texture).empty());
}

TEST_F(CoreDraw, ColourLayersFillTheirSizeAndTransparentOnesDrawNothing) {
  scene->addChild(LayerColor::create());
  scene->addChild(LayerColor::create(Color4B(10, 20, 30, 40), 100, 50));
  scene->addChild(LayerColor::create(Color4B(1, 2, 3, 255)));
  auto rects = drawOnce(Kind::Rect);
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_EQ(rects[0].color, Color4B(10, 20, 30, 40));
  EXPECT_EQ(Size(rects[0].width, rects[0].height), Size(100, 50));
  EXPECT_EQ(Size(rects[1].width, rects[1].height), Size(800, 1280));
}

TEST_F(CoreDraw, SegmentsAreBarsAlongTheSegment) {
  struct Case {
    Vec2 from, to;
    float radius;
  };
  const Case cases[] = {{{0, 0}, {100, 0}, 5}, {{10, 20}, {40, 60}, 1}, {{50, 50}, {50, 10}, 2}};
  for (const Case& c : cases) {
    DrawNode* d = DrawNode::create();
    scene->addChild(d);
    d->drawSegment(c.from, c.to, c.radius, Color4F(1, 0, 0, 0.5f));
    auto rects = drawOnce(Kind::Rect);
    ASSERT_EQ(rects.size(), 1u);
    const float length = std::hypot(c.to.x - c.from.x, c.to.y - c.from.y);
    EXPECT_NEAR(rects[0].width, length, 1e-3);
    EXPECT_NEAR(rects[0].height, 2 * c.radius, 1e-3);
    EXPECT_EQ(rects[0].color, Color4B(255, 0, 0, 128));
    // The bar's centre line runs from one end point to the other.
    const Vec2 start = toDesign(rects[0], Vec2(0, c.radius));
    const Vec2 end = toDesign(rects[0], Vec2(length, c.radius));
    EXPECT_NEAR(start.x, c.from.x, 1e-2);
    EXPECT_NEAR(start.y, c.from.y, 1e-2);
    EXPECT_NEAR(end.x, c.to.x, 1e-2);
    EXPECT_NEAR(end.y, c.to.y, 1e-2);
    d->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreDraw, DesignUnitsStretchOverTheWindow) {
  const AffineTransform t = view->getDesignToWindowTransform();
  struct Case {
    Vec2 design, pixel;
  };
  const Case cases[] = {{{0, 0}, {0, 768}}, {{800, 1280}, {480, 0}}, {{400, 640}, {240, 384}}};
  for (const Case& c : cases) {
    const Vec2 p = t.apply(c.design);
    EXPECT_NEAR(p.x, c.pixel.x, 1e-3);
    EXPECT_NEAR(p.y, c.pixel.y, 1e-3);
  }
  EXPECT_EQ(director()->getVisibleSize(), Size(800, 1280));
  EXPECT_EQ(director()->getVisibleOrigin(), Vec2(0, 0));
}

}  // namespace
}  // namespace pemtrix_test
