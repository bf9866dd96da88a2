// The scroll view: dragging and the wheel within the allowed range, ignoring touches and the
// wheel when disabled, clipping its children, and scrolling to the edges.
#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

class CoreScrollView : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    scene = runScene();
    scroll = ui::ScrollView::create();
    scroll->setContentSize(Size(600, 400));
    scroll->setPosition(100, 200);
    scroll->setDirection(ui::ScrollView::Direction::VERTICAL);
    scroll->setBounceEnabled(false);
    scroll->setInnerContainerSize(Size(600, 1000));
    scene->addChild(scroll);
  }

  void drag(Vec2 from, Vec2 by) {
    view->injectTouch(TouchPhase::BEGAN, from);
    view->injectTouch(TouchPhase::MOVED, from + by * 0.5f);
    view->injectTouch(TouchPhase::MOVED, from + by);
    view->injectTouch(TouchPhase::ENDED, from + by);
  }

  Scene* scene = nullptr;
  ui::ScrollView* scroll = nullptr;
};

// The view covers (100..700, 200..600); the container may sit at y in [-600, 0].

TEST_F(CoreScrollView, DraggingMovesTheContainerWithinRange) {
  struct Case {
    Vec2 by;
    float expectedY;
  };
  const Case cases[] = {
      {{0, 100}, 0},      // already at the bottom: no overshoot
      {{0, -250}, -250},  // shows more of the top
      {{40, 50}, -200},   // only the vertical part counts
      {{0, -1000}, -600},
      {{0, 150}, -450},
  };
  for (const Case& c : cases) {
    drag(Vec2(400, 400), c.by);
    EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, c.expectedY)) << c.by.x << "," << c.by.y;
  }
}

TEST_F(CoreScrollView, HorizontalAndBothDirections) {
  scroll->setInnerContainerSize(Size(1000, 1000));
  scroll->setDirection(ui::ScrollView::Direction::HORIZONTAL);
  drag(Vec2(400, 400), Vec2(-100, -100));
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(-100, 0));
  scroll->setDirection(ui::ScrollView::Direction::BOTH);
  drag(Vec2(400, 400), Vec2(-500, -100));
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(-400, -100));
}

TEST_F(CoreScrollView, TouchesOutsideOrWhileDisabledAreNotClaimed) {
  bool behind = false;
  auto* fallback = EventListenerTouchOneByOne::create();
  fallback->onTouchBegan = [&behind](Touch*, Event*) {
    behind = true;
    return false;
  };
  Node* back = Node::create();
  scene->addChild(back, -1);
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(fallback, back);
  struct Case {
    const char* what;
    Vec2 start;
    bool enabled;
  };
  const Case cases[] = {{"below the view", {400, 150}, true}, {"disabled", {400, 400}, false}};
  for (const Case& c : cases) {
    scroll->setEnabled(c.enabled);
    behind = false;
    drag(c.start, Vec2(0, -200));
    EXPECT_TRUE(behind) << c.what;
    EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, 0)) << c.what;
  }
}

TEST_F(CoreScrollView, ChildrenAreClippedToTheViewAndNestedClipsIntersect) {
  scroll->addChild(LayerColor::create(Color4B(255, 0, 0, 255), 600, 1000));
  auto* inner = ui::ScrollView::create();
  inner->setContentSize(Size(200, 800));  // reaches past the outer view's top
  inner->setPosition(500, 0);
  inner->addChild(LayerColor::create(Color4B(0, 255, 0, 255), 200, 800));
  scroll->addChild(inner);
  EXPECT_EQ(scroll->getChildren().size(), 2u);
  EXPECT_EQ(scroll->getSceneGraphChildren().size(), 1u) << "children live in the inner container";

  fake->drawing().clearCalls();
  ASSERT_TRUE(director()->drawFrame(true));
  std::vector<Rect> clips;
  int cleared = 0;
  for (const auto& call : fake->drawing().calls) {
    if (call.kind == FakeBackend::Call::Kind::SetClip) clips.push_back(call.rect);
    if (call.kind == FakeBackend::Call::Kind::ClearClip) ++cleared;
  }
  // The outer view in pixels: x 100*0.6, top (1280-600)*0.6, 600x400 * 0.6.
  ASSERT_EQ(clips.size(), 3u);  // outer, inner within outer, outer again
  EXPECT_EQ(clips[0].origin, Vec2(60, 408));
  EXPECT_EQ(clips[0].size, Size(360, 240));
  // The inner view spans x 600..800 -> 360..480 px and y from 200 up to 1000 -> 168..648 px,
  // cut to the outer view.
  EXPECT_EQ(clips[1].origin, Vec2(360, 408));
  EXPECT_EQ(clips[1].size, Size(60, 240));
  EXPECT_EQ(clips[2].origin, clips[0].origin);
  EXPECT_EQ(cleared, 1);
}

TEST_F(CoreScrollView, ScrollingToTheBottomLeftAtOnceOrOverTime) {
  drag(Vec2(400, 400), Vec2(0, -300));
  scroll->scrollToBottomLeft(0, false);
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, 0));

  drag(Vec2(400, 400), Vec2(0, -1000));
  scroll->scrollToBottomLeft(0.5f, true);
  float previous = -600;
  for (int i = 0; i < 30; ++i) {
    frames(1);
    const float y = scroll->getInnerContainerPosition().y;
    EXPECT_GT(y, previous) << "frame " << i;
    previous = y;
  }
  EXPECT_FLOAT_EQ(scroll->getInnerContainerPosition().y, 0);
  frames(5);
  EXPECT_FLOAT_EQ(scroll->getInnerContainerPosition().y, 0);
}

// Notches as the window gives them: up and right positive.
TEST_F(CoreScrollView, TheWheelMovesTheContainerByStepsWithinRange) {
  scroll->setMouseScrollStep(50);
  struct Case {
    float notchesY, notchesX;
    float expectedY;
  };
  const Case cases[] = {
      {1, 0, -50},       // up: more of the top shows
      {2.5f, 0, -175},   // a touchpad's fraction
      {100, 0, -600},    // stops at the top edge, without overshoot
      {1, 0, -600},
      {-0.5f, 0, -575},  // down again
      {-100, 0, 0},      // stops at the bottom edge
      {-1, 0, 0},
      {0, 3, 0},         // sideways does nothing in a vertical view
  };
  for (const Case& c : cases) {
    view->injectMouseScroll(Vec2(400, 400), c.notchesX, c.notchesY);
    EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, c.expectedY)) << c.notchesY << "," << c.notchesX;
  }
}

TEST_F(CoreScrollView, TheWheelScrollsSidewaysWhereTheViewDoes) {
  scroll->setInnerContainerSize(Size(1000, 1000));  // x in [-400, 0]
  scroll->setMouseScrollStep(50);
  scroll->setDirection(ui::ScrollView::Direction::BOTH);
  view->injectMouseScroll(Vec2(400, 400), 2, 1);
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(-100, -50)) << "right and up";
  view->injectMouseScroll(Vec2(400, 400), -10, 0);
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, -50));
  scroll->setDirection(ui::ScrollView::Direction::HORIZONTAL);
  view->injectMouseScroll(Vec2(400, 400), 0, -3);
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(-150, -50)) << "a plain wheel scrolls a sideways view";
}

TEST_F(CoreScrollView, TheWheelIsTheViewsUnderThePointerOnly) {
  int behind = 0;
  auto* fallback = EventListenerMouse::create();
  fallback->onMouseScroll = [&behind](EventMouse*) { ++behind; };
  Node* back = Node::create();
  scene->addChild(back, -1);
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(fallback, back);
  scroll->setMouseScrollStep(50);
  struct Case {
    const char* what;
    Vec2 at;
    bool enabled, visible;
    float expectedY;
    int behind;
  };
  const Case cases[] = {
      {"over the view", {400, 400}, true, true, -50, 0},  // the view keeps it to itself
      {"over it again", {400, 400}, true, true, -100, 0},
      {"below the view", {400, 150}, true, true, 0, 1},
      {"disabled", {400, 400}, false, true, 0, 1},
      {"hidden", {400, 400}, true, false, 0, 1},
  };
  for (const Case& c : cases) {
    if (c.expectedY == 0) scroll->scrollToBottomLeft(0, false);
    scroll->setEnabled(c.enabled);
    scroll->setVisible(c.visible);
    behind = 0;
    view->injectMouseScroll(c.at, 0, 1);
    EXPECT_EQ(scroll->getInnerContainerPosition().y, c.expectedY) << c.what;
    EXPECT_EQ(behind, c.behind) << c.what;
  }
}

TEST_F(CoreScrollView, TheWheelStopsAnAutomaticScroll) {
  drag(Vec2(400, 400), Vec2(0, -600));
  scroll->scrollToBottomLeft(1, false);
  frames(6);
  scroll->setMouseScrollStep(50);
  view->injectMouseScroll(Vec2(400, 400), 0, 1);
  const Vec2 at = scroll->getInnerContainerPosition();
  frames(60);
  EXPECT_EQ(scroll->getInnerContainerPosition(), at) << "the wheel has the last word";
}

TEST_F(CoreScrollView, TheWindowsWheelReachesTheViewUnderThePointer) {
  scroll->setMouseScrollStep(50);
  backend::InputEvent wheel;
  wheel.type = backend::InputEvent::Type::Wheel;
  wheel.wheelY = 2;
  // The window is 0.6 pixels a unit: design (400, 400) is pixel (240, 528) from the top.
  wheel.x = 240;
  wheel.y = 528;
  fake->window().queueEvent(wheel);
  wheel.y = 700;  // design y 113: below the view
  fake->window().queueEvent(wheel);
  view->pollEvents();
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, -100));
}

TEST_F(CoreScrollView, TheContainerIsNeverSmallerThanTheView) {
  drag(Vec2(400, 400), Vec2(0, -1000));
  scroll->setInnerContainerSize(Size(100, 700));
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, -300)) << "brought back into range";
  scroll->setDirection(ui::ScrollView::Direction::BOTH);
  drag(Vec2(400, 400), Vec2(-100, 0));
  EXPECT_EQ(scroll->getInnerContainerPosition(), Vec2(0, -300)) << "as wide as the view: nothing to scroll across";
}

}  // namespace
}  // namespace pemtrix_test
