// Event dispatch: priority order, claiming and swallowing touches, pausing with the scene,
// changes during a dispatch, and the window's input turned into events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

using Code = EventKeyboard::KeyCode;

class CoreEvent : public CoreTest {
 protected:
  EventDispatcher* dispatcher() { return director()->getEventDispatcher(); }

  // A keyboard listener that logs its name for every key it gets.
  EventListenerKeyboard* keyLogger(const std::string& name) {
    auto* l = EventListenerKeyboard::create();
    l->onKeyPressed = [this, name](Code, Event*) { journal.push_back(name); };
    return l;
  }

  // A touch listener that logs every phase it sees as name.phase and claims when told to.
  EventListenerTouchOneByOne* touchLogger(const std::string& name, bool claim, bool swallow) {
    auto* l = EventListenerTouchOneByOne::create();
    l->setSwallowTouches(swallow);
    l->onTouchBegan = [this, name, claim](Touch*, Event*) {
      journal.push_back(name + ".began");
      return claim;
    };
    l->onTouchMoved = [this, name](Touch*, Event*) { journal.push_back(name + ".moved"); };
    l->onTouchEnded = [this, name](Touch*, Event*) { journal.push_back(name + ".ended"); };
    return l;
  }

  void press() { view->injectKey(Code::KEY_A, true); }
};

TEST_F(CoreEvent, SceneGraphPriorityIsFrontMostFirst) {
  Scene* scene = runScene();
  Node* back = Node::create();
  Node* a = Node::create();
  Node* b = Node::create();
  Node* c = Node::create();
  Node* d = Node::create();
  scene->addChild(back, -1);
  scene->addChild(a);
  scene->addChild(b);
  b->addChild(c, 1);
  a->addChild(d, -1);
  // Drawn: back, scene, d, a, b, c.
  for (auto [node, name] : std::vector<std::pair<Node*, const char*>>{
           {a, "a"}, {back, "back"}, {c, "c"}, {scene, "scene"}, {d, "d"}, {b, "b"}}) {
    dispatcher()->addEventListenerWithSceneGraphPriority(keyLogger(name), node);
  }
  press();
  EXPECT_EQ(journal, (std::vector<std::string>{"c", "b", "a", "d", "scene", "back"}));
}

TEST_F(CoreEvent, InvisibleNodesStillOrderTheirListeners) {
  Scene* scene = runScene();
  Node* hidden = Node::create();
  hidden->setVisible(false);
  scene->addChild(hidden);
  dispatcher()->addEventListenerWithSceneGraphPriority(keyLogger("hidden"), hidden);
  press();
  EXPECT_EQ(journal, (std::vector<std::string>{"hidden"}));
}

TEST_F(CoreEvent, ClaimingAndSwallowingTouches) {
  struct Case {
    const char* what;
    bool frontClaims, frontSwallows, backClaims;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"swallowed", true, true, true, {"front.began", "front.moved", "front.ended"}},
      {"claimed, not swallowed",
       true,
       false,
       true,
       {"front.began", "back.began", "front.moved", "back.moved", "front.ended", "back.ended"}},
      {"declined by the front", false, true, true, {"front.began", "back.began", "back.moved", "back.ended"}},
      {"claimed by nobody", false, false, false, {"front.began", "back.began"}},
  };
  Scene* scene = runScene();
  for (const Case& c : cases) {
    Node* layer = Node::create();
    scene->addChild(layer);
    Node* backNode = Node::create();
    Node* frontNode = Node::create();
    layer->addChild(backNode);
    layer->addChild(frontNode);
    dispatcher()->addEventListenerWithSceneGraphPriority(touchLogger("back", c.backClaims, false), backNode);
    dispatcher()->addEventListenerWithSceneGraphPriority(touchLogger("front", c.frontClaims, c.frontSwallows),
                                                         frontNode);
    journal.clear();
    view->injectTouch(TouchPhase::BEGAN, Vec2(1, 1));
    view->injectTouch(TouchPhase::MOVED, Vec2(2, 2));
    view->injectTouch(TouchPhase::ENDED, Vec2(2, 2));
    EXPECT_EQ(journal, c.expected) << c.what;
    layer->removeFromParentAndCleanup(true);
  }
}

TEST_F(CoreEvent, ListenersPauseWhileTheirSceneIsCovered) {
  Scene* scene = runScene();
  Node* node = Node::create();
  scene->addChild(node);
  dispatcher()->addEventListenerWithSceneGraphPriority(keyLogger("under"), node);
  director()->pushScene(Scene::create());
  frames(1);
  press();
  EXPECT_TRUE(journal.empty());
  director()->popScene();
  frames(1);
  press();
  EXPECT_EQ(journal, (std::vector<std::string>{"under"}));
}

TEST_F(CoreEvent, ChangesDuringADispatchTakeEffectSafely) {
  Scene* scene = runScene();
  Node* n1 = Node::create();
  Node* n2 = Node::create();
  scene->addChild(n2);
  scene->addChild(n1);  // in front: first
  EventListenerKeyboard* second = keyLogger("second");
  auto* first = EventListenerKeyboard::create();
  first->onKeyPressed = [this, n2](Code, Event*) {
    journal.push_back("first");
    dispatcher()->removeEventListenersForTarget(n2);
    dispatcher()->addEventListenerWithSceneGraphPriority(keyLogger("added"), n2);
  };
  dispatcher()->addEventListenerWithSceneGraphPriority(first, n1);
  dispatcher()->addEventListenerWithSceneGraphPriority(second, n2);
  press();
  EXPECT_EQ(journal, (std::vector<std::string>{"first"})) << "removed: skipped; added: not this time";
  dispatcher()->removeEventListenersForTarget(n1);
  journal.clear();
  press();
  EXPECT_EQ(journal, (std::vector<std::string>{"added"}));
}

TEST_F(CoreEvent, AListenerMayDestroyItsOwnNode) {
  Scene* scene = runScene();
  Node* node = Node::create();
  scene->addChild(node);
  auto* l = EventListenerKeyboard::create();
  l->onKeyPressed = [this, node](Code, Event*) {
    node->removeFromParentAndCleanup(true);  // the last reference: the node dies after the callback
    journal.push_back(node->getParent() == nullptr ? "removed" : "still there");
  };
  dispatcher()->addEventListenerWithSceneGraphPriority(l, node);
  press();
  press();
  EXPECT_EQ(journal, (std::vector<std::string>{"removed"}));
}

TEST_F(CoreEvent, WindowInputBecomesTouchesAndKeys) {
  Scene* scene = runScene();
  auto* keys = EventListenerKeyboard::create();
  keys->onKeyPressed = [this](Code code, Event* e) {
    const auto* key = static_cast<EventKeyboard*>(e);
    journal.push_back("down " + std::to_string(int(code)) + (key->isRepeat() ? " again" : "") +
                      (key->getText().empty() ? "" : " '" + key->getText() + "'") +
                      (key->getModifiers() ? " m" + std::to_string(key->getModifiers()) : ""));
  };
  keys->onKeyReleased = [this](Code code, Event*) { journal.push_back("up " + std::to_string(int(code))); };
  dispatcher()->addEventListenerWithSceneGraphPriority(keys, scene);
  auto* touches = EventListenerTouchOneByOne::create();
  auto where = [](Touch* t) {
    const Vec2 p = t->getLocation(), q = t->getPreviousLocation();
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.0f,%.0f from %.0f,%.0f", p.x, p.y, q.x, q.y);
    return std::string(buf);
  };
  touches->onTouchBegan = [this, where](Touch* t, Event*) {
    journal.push_back("began " + where(t));
    return true;
  };
  touches->onTouchMoved = [this, where](Touch* t, Event*) { journal.push_back("moved " + where(t)); };
  touches->onTouchEnded = [this, where](Touch* t, Event*) { journal.push_back("ended " + where(t)); };
  dispatcher()->addEventListenerWithSceneGraphPriority(touches, scene);

  using Type = backend::InputEvent::Type;
  auto event = [](Type type, float x = 0, float y = 0, int key = 0, bool repeat = false) {
    backend::InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.keyCode = key;
    e.repeat = repeat;
    return e;
  };
  // 480 x 768 pixels show 800 x 1280 units, y flipped: a pixel is 5/3 of a unit.
  backend::InputEvent typed = event(Type::KeyDown, 0, 0, 84);
  typed.text = "(";
  typed.modifiers = EventKeyboard::MODIFIER_SHIFT;
  backend::InputEvent composed = event(Type::Text);
  composed.text = "\xC3\xA9";
  // Keys press again as the system repeats them, with the text the layout made of them.
  for (const backend::InputEvent& e :
       {event(Type::MouseDown, 240, 384), event(Type::MouseMove, 246, 378), event(Type::MouseUp, 246, 378),
        event(Type::MouseMove, 0, 0),  // no button held: nothing
        event(Type::KeyDown, 0, 0, 84), event(Type::KeyDown, 0, 0, 84, true), event(Type::KeyUp, 0, 0, 84), typed,
        composed}) {
    fake->window().queueEvent(e);
  }
  view->pollEvents();
  EXPECT_EQ(journal, (std::vector<std::string>{"began 400,640 from 400,640", "moved 410,650 from 400,640",
                                               "ended 410,650 from 410,650", "down 84", "down 84 again", "up 84",
                                               "down 84 '(' m1", "down 0 '\xC3\xA9'"}));
  EXPECT_FALSE(director()->isEndRequested());
  fake->window().queueEvent(event(Type::Quit));
  view->pollEvents();
  EXPECT_TRUE(director()->isEndRequested());
}

// Counts the calls that the window's visibility makes.
class VisibilityApp : public Application {
 public:
  bool applicationDidFinishLaunching() override { return true; }
  void applicationDidEnterBackground() override { ++background; }
  void applicationWillEnterForeground() override { ++foreground; }
  int background = 0, foreground = 0;
};

TEST_F(CoreEvent, VisibilityReachesTheApplicationAndExposureRedraws) {
  VisibilityApp app;
  runScene();
  frames(1);
  backend::InputEvent hidden, shown, exposed;
  hidden.type = backend::InputEvent::Type::Hidden;
  shown.type = backend::InputEvent::Type::Shown;
  exposed.type = backend::InputEvent::Type::Exposed;
  for (const backend::InputEvent& e : {hidden, shown, exposed}) fake->window().queueEvent(e);
  view->pollEvents();
  EXPECT_EQ(app.background, 1);
  EXPECT_EQ(app.foreground, 1);
  const int drawn = fake->drawing().frames;
  frames(1);
  EXPECT_EQ(fake->drawing().frames, drawn + 1) << "exposed: the next frame draws";
}

// The resize callback hears each size the window takes, once, and nothing that keeps it.
TEST_F(CoreEvent, TheWindowsNewSizesReachTheResizeCallback) {
  std::vector<std::string> sizes;
  view->setWindowResizedCallback([&sizes](int w, int h) { sizes.push_back(std::to_string(w) + "x" + std::to_string(h)); });
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{600, 700}, {600, 700}, {0, 0}, {-5, 700}, {640, 700},
                                                              {480, 768}}) {
    backend::InputEvent resized;
    resized.type = backend::InputEvent::Type::Resized;
    resized.width = w;
    resized.height = h;
    fake->window().queueEvent(resized);
  }
  view->pollEvents();
  EXPECT_EQ(sizes, (std::vector<std::string>{"600x700", "640x700", "480x768"}));
  EXPECT_EQ(view->getFrameSize(), Size(480, 768));
}

}  // namespace
}  // namespace pemtrix_test
