// The node tree: transforms between spaces, child order, the life cycle and per-frame updates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

constexpr float kEps = 1e-3f;

// Logs its life-cycle calls and updates into a shared journal.
class Recorder : public Node {
 public:
  static Recorder* create(const std::string& name, std::vector<std::string>* journal) {
    auto* r = new Recorder(journal);
    r->setName(name);
    r->autorelease();
    return r;
  }
  void onEnter() override {
    Node::onEnter();
    _journal->push_back(getName() + ".enter");
  }
  void onEnterTransitionDidFinish() override {
    Node::onEnterTransitionDidFinish();
    _journal->push_back(getName() + ".enterDone");
  }
  void onExitTransitionDidStart() override {
    Node::onExitTransitionDidStart();
    _journal->push_back(getName() + ".exitStart");
  }
  void onExit() override {
    Node::onExit();
    _journal->push_back(getName() + ".exit");
  }
  void update(float) override {
    _journal->push_back(getName() + ".update");
    if (onUpdate) onUpdate();
  }
  std::function<void()> onUpdate;

 private:
  explicit Recorder(std::vector<std::string>* journal) : _journal(journal) {}
  std::vector<std::string>* _journal;
};

using CoreNode = CoreTest;

TEST_F(CoreNode, ConvertToNodeSpaceAndBackThroughNestedTransforms) {
  Node* parent = Node::create();
  parent->setPosition(100, 200);
  parent->setScale(2);
  Node* child = Node::create();
  child->setContentSize(Size(40, 20));
  child->setAnchorPoint(Vec2(0.5f, 0.5f));
  child->setPosition(10, 10);
  child->setRotation(90);  // clockwise
  parent->addChild(child);

  struct Case {
    Vec2 local;
    Vec2 world;
  };
  // child: T(10,10) R(90 cw) T(-20,-10); a clockwise quarter turn maps (x, y) to (y, -x).
  const Case cases[] = {
      {{20, 10}, {120, 220}},   // the anchor lands on the position
      {{0, 0}, {100, 260}},     // (-20,-10) -> (-10, 20) -> (0, 30) -> x2 + (100,200)
      {{40, 0}, {100, 180}},    // (20,-10) -> (-10,-20) -> (0,-10)
      {{40, 20}, {140, 180}},   // (20,10) -> (10,-20) -> (20,-10)
  };
  for (const Case& c : cases) {
    const Vec2 w = child->convertToWorldSpace(c.local);
    EXPECT_NEAR(w.x, c.world.x, kEps) << c.local.x << "," << c.local.y;
    EXPECT_NEAR(w.y, c.world.y, kEps) << c.local.x << "," << c.local.y;
    const Vec2 back = child->convertToNodeSpace(c.world);
    EXPECT_NEAR(back.x, c.local.x, kEps);
    EXPECT_NEAR(back.y, c.local.y, kEps);
  }
}

TEST_F(CoreNode, TransformOrderIsTranslateRotateScaleAnchor) {
  Node* n = Node::create();
  n->setContentSize(Size(100, 50));
  n->setAnchorPoint(Vec2(1, 0));
  n->setScale(2, 3);
  n->setRotation(-90);  // counter-clockwise quarter: (x, y) -> (-y, x)
  n->setPosition(5, 7);
  // (0,0) -> anchor shift (-100, 0) -> scale (-200, 0) -> rotate (0, -200) -> (5, -193)
  const Vec2 p = n->getNodeToParentTransform().apply(Vec2(0, 0));
  EXPECT_NEAR(p.x, 5, kEps);
  EXPECT_NEAR(p.y, -193, kEps);
}

TEST_F(CoreNode, IgnoringTheAnchorPlacesTheBottomLeftCorner) {
  struct Case {
    const char* what;
    Node* node;
  };
  const Case cases[] = {{"Layer", Layer::create()}, {"Scene", Scene::create()}, {"Menu", Menu::create()}};
  for (const Case& c : cases) {
    c.node->setPosition(10, 20);
    const Vec2 origin = c.node->convertToWorldSpace(Vec2::ZERO);
    EXPECT_NEAR(origin.x, 10, kEps) << c.what;
    EXPECT_NEAR(origin.y, 20, kEps) << c.what;
    EXPECT_EQ(c.node->getContentSize(), Size(800, 1280)) << c.what;
  }
}

TEST_F(CoreNode, DefaultAnchorsPerNodeKind) {
  EXPECT_EQ(Node::create()->getAnchorPoint(), Vec2(0, 0));
  EXPECT_EQ(Sprite::create()->getAnchorPoint(), Vec2(0.5f, 0.5f));
  EXPECT_EQ(Label::create()->getAnchorPoint(), Vec2(0.5f, 0.5f));
  EXPECT_EQ(MenuItem::create()->getAnchorPoint(), Vec2(0.5f, 0.5f));
}

TEST_F(CoreNode, BoundingBoxIsInParentSpace) {
  Sprite* s = Sprite::create();
  s->setTextureRect(Rect(0, 0, 100, 40));
  s->setPosition(200, 300);
  s->setScale(0.5f);
  Rect box = s->getBoundingBox();
  EXPECT_NEAR(box.origin.x, 175, kEps);
  EXPECT_NEAR(box.origin.y, 290, kEps);
  EXPECT_NEAR(box.size.width, 50, kEps);
  EXPECT_NEAR(box.size.height, 20, kEps);
  s->setRotation(90);
  box = s->getBoundingBox();
  EXPECT_NEAR(box.size.width, 20, kEps);
  EXPECT_NEAR(box.size.height, 50, kEps);
}

TEST_F(CoreNode, ChildrenOrderedByZThenArrivalIncludingReorder) {
  Node* parent = Node::create();
  auto add = [parent](const char* name, int z) {
    Node* n = Node::create();
    parent->addChild(n, z, name);
    return n;
  };
  add("a", 0);
  add("b", -1);
  Node* c = add("c", 0);
  add("d", 5);
  add("e", -1);
  auto names = [parent] {
    std::string s;
    for (Node* n : parent->getChildren()) s += n->getName();
    return s;
  };
  EXPECT_EQ(names(), "beacd");
  c->setLocalZOrder(-1);  // a reordered node arrives anew: last among its z
  EXPECT_EQ(names(), "becad");
  EXPECT_EQ(parent->getChildByName("d"), parent->getChildren().back());
}

TEST_F(CoreNode, LifeCycleReachesChildrenAndLateArrivalsEnterAtOnce) {
  Scene* scene = runScene();
  Recorder* parent = Recorder::create("p", &journal);
  parent->addChild(Recorder::create("c", &journal));
  scene->addChild(parent);
  EXPECT_EQ(journal, (std::vector<std::string>{"c.enter", "p.enter", "c.enterDone", "p.enterDone"}));
  EXPECT_TRUE(parent->isRunning());

  journal.clear();
  parent->addChild(Recorder::create("late", &journal));
  EXPECT_EQ(journal, (std::vector<std::string>{"late.enter", "late.enterDone"}));

  journal.clear();
  parent->removeFromParent();
  EXPECT_EQ(journal, (std::vector<std::string>{"c.exitStart", "late.exitStart", "p.exitStart", "c.exit", "late.exit",
                                               "p.exit"}));
}

TEST_F(CoreNode, UpdateRunsOncePerFrameOnlyWhileRunning) {
  Scene* scene = runScene();
  Recorder* r = Recorder::create("r", &journal);
  r->retain();
  r->scheduleUpdate();
  auto updates = [this] { return std::count(journal.begin(), journal.end(), "r.update"); };
  frames(2);
  EXPECT_EQ(updates(), 0) << "not in the scene yet: paused";
  scene->addChild(r);
  frames(3);
  EXPECT_EQ(updates(), 3);
  scene->removeChild(r, false);  // leaves without cleanup: paused, still scheduled
  frames(2);
  EXPECT_EQ(updates(), 3);
  scene->addChild(r);
  frames(1);
  EXPECT_EQ(updates(), 4);
  r->removeFromParent();  // with cleanup: unscheduled for good
  scene->addChild(r);
  frames(1);
  EXPECT_EQ(updates(), 4);
  r->release();
}

TEST_F(CoreNode, UpdatesSurviveNodesRemovingEachOtherDuringThePass) {
  Scene* scene = runScene();
  Recorder* a = Recorder::create("a", &journal);
  Recorder* b = Recorder::create("b", &journal);
  Recorder* c = Recorder::create("c", &journal);
  for (Recorder* r : {a, b, c}) {
    scene->addChild(r);
    r->scheduleUpdate();
  }
  // a removes b (deleting it) and itself; c adds a newcomer that starts next frame.
  a->onUpdate = [a, b] {
    b->removeFromParent();
    a->removeFromParent();
  };
  Recorder* d = Recorder::create("d", &journal);
  d->retain();
  c->onUpdate = [c, d, scene] {
    if (!d->getParent()) {
      scene->addChild(d);
      d->scheduleUpdate();
    }
    c->onUpdate = nullptr;
  };
  auto updatesOnly = [this] {
    std::vector<std::string> u;
    for (const auto& e : journal) {
      if (e.find(".update") != std::string::npos) u.push_back(e);
    }
    journal.clear();
    return u;
  };
  journal.clear();
  frames(1);
  EXPECT_EQ(updatesOnly(), (std::vector<std::string>{"a.update", "c.update"}));
  frames(1);
  EXPECT_EQ(updatesOnly(), (std::vector<std::string>{"c.update", "d.update"}));
  d->release();
}

TEST_F(CoreNode, TimedCallbacksHonourIntervalsAndOnce) {
  Scene* scene = runScene();
  Node* n = Node::create();
  scene->addChild(n);
  int every = 0, once = 0, tenth = 0;
  n->schedule([&every](float) { ++every; }, "every");
  n->scheduleOnce([&once](float) { ++once; }, 0.05f, "once");
  n->schedule([&tenth](float) { ++tenth; }, 0.1f, "tenth");
  frames(12);
  EXPECT_EQ(every, 12);
  EXPECT_EQ(once, 1);
  EXPECT_EQ(tenth, 2);
  EXPECT_FALSE(n->isScheduled("once"));
  n->unschedule("every");
  frames(1);
  EXPECT_EQ(every, 12);
}

TEST_F(CoreNode, CleanupUnschedulesAndRemovesListenersRecursively) {
  Scene* scene = runScene();
  Node* parent = Node::create();
  Node* child = Node::create();
  parent->addChild(child);
  scene->addChild(parent);
  auto* listener = EventListenerKeyboard::create();
  listener->onKeyPressed = [](EventKeyboard::KeyCode, Event*) {};
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, child);
  child->schedule([](float) {}, "tick");
  const std::size_t before = director()->getEventDispatcher()->getListenerCount();
  parent->removeFromParent();
  EXPECT_EQ(director()->getEventDispatcher()->getListenerCount(), before - 1);
  EXPECT_FALSE(child->isScheduled("tick"));
}

TEST_F(CoreNode, CascadingColourAndOpacityReachChildren) {
  Node* parent = Node::create();
  Node* child = Node::create();
  parent->addChild(child);
  parent->setColor(Color3B(128, 255, 0));
  parent->setOpacity(128);
  child->setOpacity(128);
  EXPECT_EQ(child->getDisplayedColor(), Color3B::WHITE) << "no cascade by default";
  EXPECT_EQ(child->getDisplayedOpacity(), 128);
  parent->setCascadeColorEnabled(true);
  parent->setCascadeOpacityEnabled(true);
  EXPECT_EQ(child->getDisplayedColor(), Color3B(128, 255, 0));
  EXPECT_EQ(child->getDisplayedOpacity(), 64);
}

}  // namespace
}  // namespace pemtrix_test
