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
    auto* r = new Recorder(name, journal);
    r->autorelease();
    return r;
  }
  void onEnter() override {
    Node::onEnter();
    _journal->push_back(_name + ".enter");
  }
  void onEnterTransitionDidFinish() override {
    Node::onEnterTransitionDidFinish();
    _journal->push_back(_name + ".enterDone");
  }
  void onExitTransitionDidStart() override {
    Node::onExitTransitionDidStart();
    _journal->push_back(_name + ".exitStart");
  }
  void onExit() override {
    Node::onExit();
    _journal->push_back(_name + ".exit");
  }
  void update(float) override {
    _journal->push_back(_name + ".update");
    if (onUpdate) onUpdate();
  }
  std::function<void()> onUpdate;

 private:
  Recorder(const std::string& name, std::vector<std::string>* journal) : _name(name), _journal(journal) {}
  std::string _name;
  std::vector<std::string>* _journal;
};

using CoreNode = CoreTest;

TEST_F(CoreNode, ConvertToNodeSpaceAndBackThroughNestedTransforms) {
  Node* parent = Node::create();
  parent->setPosition(100, 200);
  parent->setScale(2, 2);
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
  EXPECT_EQ(Label::createWithSystemFont("", "Arial", 12)->getAnchorPoint(), Vec2(0.5f, 0.5f));
  EXPECT_EQ(MenuItem::create(nullptr)->getAnchorPoint(), Vec2(0.5f, 0.5f));
}

TEST_F(CoreNode, ChildrenOrderedByZThenArrival) {
  Node* parent = Node::create();
  std::vector<std::pair<Node*, char>> named;
  for (const auto& [name, z] : std::vector<std::pair<char, int>>{{'a', 0}, {'b', -1}, {'c', 0}, {'d', 5}, {'e', -1}}) {
    Node* n = Node::create();
    parent->addChild(n, z);
    named.emplace_back(n, name);
  }
  std::string names;
  for (Node* n : parent->getChildren()) {
    for (const auto& [node, name] : named) {
      if (node == n) names += name;
    }
  }
  EXPECT_EQ(names, "beacd");
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
  parent->removeFromParentAndCleanup(true);
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
  r->removeFromParentAndCleanup(true);  // with cleanup: unscheduled for good
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
    b->removeFromParentAndCleanup(true);
    a->removeFromParentAndCleanup(true);
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

TEST_F(CoreNode, CleanupUnschedulesAndRemovesListenersRecursively) {
  Scene* scene = runScene();
  Node* parent = Node::create();
  Recorder* child = Recorder::create("child", &journal);
  child->retain();
  parent->addChild(child);
  scene->addChild(parent);
  auto* listener = EventListenerKeyboard::create();
  listener->onKeyPressed = [this](EventKeyboard::KeyCode, Event*) { journal.push_back("key"); };
  director()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, child);
  child->scheduleUpdate();
  parent->removeFromParentAndCleanup(true);
  scene->addChild(child);  // running again, but its update and listener are gone
  journal.clear();
  frames(1);
  view->injectKey(EventKeyboard::KeyCode::KEY_A, true);
  EXPECT_EQ(journal, (std::vector<std::string>{}));
  child->release();
}

TEST_F(CoreNode, CascadingColourAndOpacityReachChildren) {
  Scene* scene = runScene();
  Node* parent = Node::create();
  Sprite* child = Sprite::create();
  child->setTextureRect(Rect(0, 0, 10, 10));
  parent->addChild(child);
  scene->addChild(parent);
  parent->setColor(Color3B(128, 255, 0));
  parent->setOpacity(128);
  child->setOpacity(128);
  const auto drawn = [this] {
    fake->drawing().clearCalls();
    director()->drawFrame(true);
    const auto rects = fake->drawing().callsOf(FakeBackend::Call::Kind::Rect);
    return rects.size() == 1 ? rects[0]->color : Color4B(0, 0, 0, 0);
  };
  EXPECT_EQ(drawn(), Color4B(255, 255, 255, 128)) << "no cascade by default";
  parent->setCascadeColorEnabled(true);
  parent->setCascadeOpacityEnabled(true);
  EXPECT_EQ(drawn(), Color4B(128, 255, 0, 64));
}

}  // namespace
}  // namespace pemtrix_test
