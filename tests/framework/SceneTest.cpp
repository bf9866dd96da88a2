// The director: the scene stack and its life-cycle calls, the flip transition, drawing only
// when something changed, and the clock.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"
#include "tests/framework/Ticker.h"

namespace pemtrix_test {
namespace {

// A scene that logs its life-cycle calls into a shared journal.
class JournalScene : public Scene {
 public:
  static JournalScene* create(const std::string& name, std::vector<std::string>* journal) {
    auto* s = new JournalScene(name, journal);
    s->init();
    s->autorelease();
    return s;
  }
  void onEnter() override {
    Scene::onEnter();
    log("enter");
  }
  void onEnterTransitionDidFinish() override {
    Scene::onEnterTransitionDidFinish();
    log("enterDone");
  }
  void onExitTransitionDidStart() override {
    Scene::onExitTransitionDidStart();
    log("exitStart");
  }
  void onExit() override {
    Scene::onExit();
    log("exit");
  }
  void cleanup() override {
    Scene::cleanup();
    log("cleanup");
  }

 private:
  JournalScene(std::string name, std::vector<std::string>* journal) : _name(std::move(name)), _journal(journal) {}
  void log(const char* what) { _journal->push_back(_name + "." + what); }
  std::string _name;
  std::vector<std::string>* _journal;
};

using Journal = std::vector<std::string>;
using CoreScene = CoreTest;

TEST_F(CoreScene, RunWithSceneEntersAtTheNextFrame) {
  Scene* a = JournalScene::create("A", &journal);
  director()->runWithScene(a);
  EXPECT_EQ(director()->getRunningScene(), nullptr);
  frames(1);
  EXPECT_EQ(director()->getRunningScene(), a);
  EXPECT_EQ(journal, (Journal{"A.enter", "A.enterDone"}));
}

TEST_F(CoreScene, PushWithFlipTransitionThenPop) {
  Scene* a = JournalScene::create("A", &journal);
  director()->runWithScene(a);
  frames(1);
  journal.clear();

  Scene* b = JournalScene::create("B", &journal);
  b->retain();
  director()->pushScene(TransitionFlipX::create(1.0f, b));
  frames(30);
  EXPECT_NE(dynamic_cast<TransitionScene*>(director()->getRunningScene()), nullptr);
  EXPECT_EQ(journal, (Journal{"A.exitStart", "B.enter"}));
  frames(32);  // 60 frames of 1/60 s finish it; the hand-over happens at a frame's start
  EXPECT_EQ(director()->getRunningScene(), b);
  EXPECT_EQ(journal, (Journal{"A.exitStart", "B.enter", "A.exit", "B.enterDone"}))
      << "the outgoing scene stays below without cleanup";
  EXPECT_FALSE(a->isRunning());

  journal.clear();
  director()->popScene();
  frames(1);
  EXPECT_EQ(director()->getRunningScene(), a);
  EXPECT_EQ(journal, (Journal{"B.exitStart", "B.exit", "B.cleanup", "A.enter", "A.enterDone"}));
  b->release();  // the last reference: the leak checker sees the director let it go
}

// Two screens asked for before the next frame: the second shows first; when it is popped, the
// first flips in from it (not from the scene that ran when it was asked for), and popping
// that brings the root back running, with input on.
TEST_F(CoreScene, TwoPushesInOneFrameOpenInTurnAndCloseCleanly) {
  Scene* a = JournalScene::create("A", &journal);
  director()->runWithScene(a);
  frames(1);
  journal.clear();
  director()->pushScene(TransitionFlipX::create(1.0f, JournalScene::create("B", &journal)));
  director()->pushScene(TransitionFlipX::create(1.0f, JournalScene::create("C", &journal)));
  frames(62);
  EXPECT_EQ(journal, (Journal{"A.exitStart", "C.enter", "A.exit", "C.enterDone"}));
  journal.clear();
  director()->popScene();
  frames(62);
  EXPECT_EQ(journal, (Journal{"C.exitStart", "B.enter", "C.exit", "B.enterDone", "C.cleanup"}));
  journal.clear();
  director()->popScene();
  frames(1);
  EXPECT_EQ(director()->getRunningScene(), a);
  EXPECT_EQ(journal, (Journal{"B.exitStart", "B.exit", "B.cleanup", "A.enter", "A.enterDone"}));
  EXPECT_TRUE(a->isRunning());
  int keys = 0;
  auto* listener = EventListenerKeyboard::create();
  listener->onKeyPressed = [&keys](EventKeyboard::KeyCode, Event*) { ++keys; };
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, a);
  view->injectKey(EventKeyboard::KeyCode::KEY_A, true);
  EXPECT_EQ(keys, 1) << "input is on again";
  director()->popScene();
  EXPECT_TRUE(director()->isEndRequested()) << "the root is the last scene on the stack";
}

TEST_F(CoreScene, ResetInTheMiddleOfATransitionLetsEverythingGo) {
  Scene* a = JournalScene::create("A", &journal);
  a->addChild(Label::createWithSystemFont("a", "Arial", 20));
  director()->runWithScene(a);
  frames(1);
  Scene* b = JournalScene::create("B", &journal);
  b->addChild(Menu::create());
  director()->pushScene(TransitionFlipX::create(1.0f, b));
  frames(10);
  journal.clear();
  director()->reset();
  // Both scenes leave, then both are cleaned up; the leak checker sees that they are freed.
  EXPECT_EQ(journal, (Journal{"A.exit", "B.enterDone", "B.exit", "B.cleanup", "A.cleanup"}));
  EXPECT_EQ(director()->getRunningScene(), nullptr);
  // Input works again for whatever runs next.
  Scene* next = runScene();
  int keys = 0;
  auto* listener = EventListenerKeyboard::create();
  listener->onKeyPressed = [&keys](EventKeyboard::KeyCode, Event*) { ++keys; };
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, next);
  EventKeyboard key(EventKeyboard::KeyCode::KEY_A, true);
  director()->getEventDispatcher()->dispatchEvent(&key);
  EXPECT_EQ(keys, 1);
}

TEST_F(CoreScene, PoppingTheLastSceneEndsTheProgram) {
  runScene();
  EXPECT_FALSE(director()->isEndRequested());
  director()->popScene();
  EXPECT_TRUE(director()->isEndRequested());
}

TEST_F(CoreScene, FlipFoldsTheOutgoingSceneAroundTheCentre) {
  Scene* a = runScene();
  a->addChild(LayerColor::create(Color4B(255, 0, 0, 255)));
  Scene* b = Scene::create();
  b->addChild(LayerColor::create(Color4B(0, 0, 255, 255)));
  director()->pushScene(TransitionFlipX::create(1.0f, b));
  struct Case {
    int frames;  // since the push
    Color4B shown;
    float angleDegrees;
  };
  const Case cases[] = {{15, {255, 0, 0, 255}, 45}, {45, {0, 0, 255, 255}, 45}, {54, {0, 0, 255, 255}, 18}};
  int done = 0;
  for (const Case& c : cases) {
    frames(c.frames - done - 1);
    fake->drawing().clearCalls();
    frames(1);
    done = c.frames;
    const auto rects = fake->drawing().callsOf(FakeBackend::Call::Kind::Rect);
    ASSERT_EQ(rects.size(), 1u) << "only one scene is drawn at a time";
    EXPECT_EQ(rects[0]->color, c.shown);
    const float scale = static_cast<float>(std::cos(c.angleDegrees * 3.14159265 / 180));
    EXPECT_NEAR(rects[0]->transform.a, 0.6f * scale, 1e-3) << c.frames;
    // The left edge of the 800-unit layer folds towards the centre at 240 pixels.
    EXPECT_NEAR(rects[0]->transform.tx, 240 - 240 * scale, 0.05) << c.frames;
  }
}

TEST_F(CoreScene, InputIsShutOffDuringTheTransition) {
  Scene* a = runScene();
  Scene* b = Scene::create();
  int keys = 0;
  auto* listener = EventListenerKeyboard::create();
  listener->onKeyPressed = [&keys](EventKeyboard::KeyCode, Event*) { ++keys; };
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, b);
  director()->pushScene(TransitionFlipX::create(0.5f, b));
  frames(10);
  view->injectKey(EventKeyboard::KeyCode::KEY_A, true);
  EXPECT_EQ(keys, 0);
  frames(30);
  view->injectKey(EventKeyboard::KeyCode::KEY_A, true);
  EXPECT_EQ(keys, 1);
  EXPECT_FALSE(a->isRunning());
}

TEST_F(CoreScene, OnlyFramesWithChangesAreDrawn) {
  Scene* scene = runScene();
  Label* label = Label::createWithSystemFont("1+2", "Arial", 48);
  scene->addChild(label);
  frames(1);
  struct Step {
    const char* what;
    std::function<void()> change;
    bool draws;
  };
  const Step steps[] = {
      {"idle", [] {}, false},
      {"same text", [label] { label->setString("1+2"); }, false},
      {"new text", [label] { label->setString("1+23"); }, true},
      {"same position", [label] { label->setPosition(label->getPosition()); }, false},
      {"move", [label] { label->setPosition(10, 10); }, true},
      {"scale", [label] { label->setScale(2, 2); }, true},
      {"rotate", [label] { label->setRotation(5); }, true},
      {"hide", [label] { label->setVisible(false); }, true},
      {"colour", [label] { label->setColor(Color3B::RED); }, true},
      {"opacity", [label] { label->setOpacity(10); }, true},
      {"remove", [label] { label->removeFromParentAndCleanup(true); }, true},
      {"add", [scene] { scene->addChild(Node::create()); }, true},
      {"idle again", [] {}, false},
  };
  for (const Step& step : steps) {
    const int before = fake->drawing().frames;
    step.change();
    frames(1);
    EXPECT_EQ(fake->drawing().frames - before, step.draws ? 1 : 0) << step.what;
  }
}

// A change to a node that can bound what it draws redraws only that area (old and new place,
// in whole window pixels with one to spare); anything else, or a change off the screen's
// area, is drawn as before.
TEST_F(CoreScene, ChangesRedrawOnlyTheAreaTheyTouch) {
  fake->drawing().partialFrames = true;
  Scene* scene = runScene();
  Sprite* bar = Sprite::create();
  bar->setTextureRect(Rect(0, 0, 10, 50));
  bar->setPosition(Vec2(100, 500));
  scene->addChild(bar);
  Label* offScreen = Label::createWithSystemFont("", "Arial", 48);
  offScreen->setPosition(Vec2(0, -100));
  scene->addChild(offScreen);
  DrawNode* lines = DrawNode::create();
  scene->addChild(lines);
  frames(1);
  struct Step {
    const char* what;
    std::function<void()> change;
    bool whole;
    Rect region;  // window pixels, when not whole
  };
  // Design (95..105, 475..525) is pixels (57..63, 453..483) at 0.6; one more pixel around.
  const std::vector<Step> steps = {
      {"hidden", [&] { bar->setVisible(false); }, false, Rect(56, 452, 8, 32)},
      {"shown", [&] { bar->setVisible(true); }, false, Rect(56, 452, 8, 32)},
      {"moved", [&] { bar->setPosition(Vec2(200, 500)); }, false, Rect(56, 452, 68, 32)},
      {"recoloured", [&] { bar->setColor(Color3B::RED); }, false, Rect(116, 452, 8, 32)},
      {"measured off the screen", [&] { offScreen->setString("12345"); }, false, Rect()},
      {"drawn anywhere", [&] { lines->drawSegment(Vec2(0, 0), Vec2(10, 10), 1, Color4F(1, 0, 0, 1)); }, true, Rect()},
      {"a child added", [&] { bar->addChild(Node::create()); }, true, Rect()},
      {"with children, hidden", [&] { bar->setVisible(false); }, true, Rect()},
  };
  for (const Step& step : steps) {
    fake->drawing().clearCalls();
    step.change();
    frames(1);
    const auto begins = fake->drawing().callsOf(FakeBackend::Call::Kind::BeginFrame);
    if (!step.whole && step.region.size.width == 0) {
      EXPECT_TRUE(begins.empty()) << step.what << ": nothing to draw";
      continue;
    }
    ASSERT_EQ(begins.size(), 1u) << step.what;
    EXPECT_EQ(begins[0]->partial, !step.whole) << step.what;
    if (!step.whole) {
      // It covers the area, within a pixel of what rounding in floats may add.
      const Rect& r = begins[0]->rect;
      const Rect& want = step.region;
      EXPECT_LE(r.getMinX(), want.getMinX()) << step.what;
      EXPECT_LE(r.getMinY(), want.getMinY()) << step.what;
      EXPECT_GE(r.getMaxX(), want.getMaxX()) << step.what;
      EXPECT_GE(r.getMaxY(), want.getMaxY()) << step.what;
      EXPECT_LE(r.size.width, want.size.width + 2) << step.what;
      EXPECT_LE(r.size.height, want.size.height + 2) << step.what;
    }
  }
}

TEST_F(CoreScene, StoppedAnimationNeitherUpdatesNorDraws) {
  Scene* scene = runScene();
  int ticks = 0;
  scene->addChild(Ticker::create([&ticks](float) { ++ticks; }));
  frames(1);
  ticks = 0;
  director()->stopAnimation();
  scene->setPosition(1, 1);
  const int drawn = fake->drawing().frames;
  frames(5);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(fake->drawing().frames, drawn);
  director()->startAnimation();
  frames(1);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(fake->drawing().frames, drawn + 1);
}

TEST_F(CoreScene, ScreenshotDrawsTheCurrentStateEvenWhenIdle) {
  runScene();
  const int drawn = fake->drawing().frames;
  EXPECT_TRUE(director()->saveScreenshot("/tmp/x.png"));
  EXPECT_EQ(fake->drawing().frames, drawn + 1);
  EXPECT_EQ(fake->drawing().screenshots, (std::vector<std::string>{"/tmp/x.png"}));
}

TEST_F(CoreScene, VirtualClockAdvancesASixtiethPerFrame) {
  director()->setVirtualClock(true);
  struct Case {
    int frames;
    std::uint64_t ticks;
  };
  const Case cases[] = {{0, 0}, {1, 166667}, {2, 333333}, {3, 500000}, {60, 10000000}, {6000, 1000000000}};
  int done = 0;
  for (const Case& c : cases) {
    frames(c.frames - done);
    done = c.frames;
    EXPECT_EQ(director()->getClockTicks100ns(), c.ticks) << c.frames;
  }
  director()->setVirtualClock(false);
  fake->window().setClock(123456789);
  EXPECT_EQ(director()->getClockTicks100ns(), 1234567u);
}

TEST_F(CoreScene, VirtualClockFeedsUpdatesExactFrameTimes) {
  Scene* scene = runScene();
  director()->setVirtualClock(true);
  float total = 0;
  scene->addChild(Ticker::create([&total](float dt) { total += dt; }));
  director()->mainLoop(0.5f);  // the real time passed in does not matter
  EXPECT_FLOAT_EQ(total, 1.0f / 60);
}

}  // namespace
}  // namespace pemtrix_test
