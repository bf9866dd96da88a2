// The published tree read off a scene: which nodes appear and under which parent, in what
// order, with which states, text and caret, and which node a press reaches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cocos/accessibility/Accessible.h"
#include "cocos/accessibility/TreeBuilder.h"
#include "tests/platform/CoreTestSupport.h"

namespace pemtrix_test {
namespace {

using accessibility::kEnabled;
using accessibility::kFocusable;
using accessibility::kFocused;
using accessibility::kShowing;
using accessibility::kWindowId;
using accessibility::makeAccessible;
using accessibility::PublishedNode;
using accessibility::Role;
using accessibility::Snapshot;

class AccessibilityTree : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    scene = runScene();
  }

  // A plain node covering the design rectangle (x, y, w, h), bottom-left origin.
  static Node* box(Node* parent, float x, float y, float w, float h) {
    Node* node = Node::create();
    node->setContentSize(Size(w, h));
    node->setPosition(x, y);
    parent->addChild(node);
    return node;
  }

  MenuItem* item(Menu* menu, const std::string& name, float x, float y) {
    MenuItem* i = MenuItem::create([this, name](Ref*) { journal.push_back(name); });
    i->setContentSize(Size(100, 60));
    i->setPosition(x, y);
    menu->addChild(i);
    makeAccessible(i, Role::PushButton, name);
    return i;
  }

  Menu* menu() {
    Menu* m = Menu::create();
    m->setPosition(Vec2::ZERO);
    scene->addChild(m);
    return m;
  }

  Snapshot snapshot() {
    const accessibility::WindowGeometry window{"test window", view->getFrameSize(),
                                               view->getDesignToWindowTransform()};
    return accessibility::buildSnapshot(director()->getRunningScene(), window);
  }

  static const PublishedNode* named(const Snapshot& s, const std::string& name) {
    for (const PublishedNode& n : s.nodes) {
      if (n.name == name) return &n;
    }
    return nullptr;
  }

  static std::vector<std::string> names(const Snapshot& s) {
    std::vector<std::string> out;
    for (const PublishedNode& n : s.nodes) out.push_back(n.name);
    return out;
  }

  Scene* scene = nullptr;
};

TEST_F(AccessibilityTree, DescribedNodesHangUnderTheirNearestDescribedAncestor) {
  Node* panel = box(scene, 0, 0, 800, 1280);
  makeAccessible(panel, Role::Panel, "panel");
  Node* plain = box(panel, 0, 0, 800, 1280);  // not described: its children move up
  makeAccessible(box(plain, 10, 1000, 100, 100), Role::PushButton, "button", "does things");
  Node* label = box(plain, 10, 800, 100, 100);
  makeAccessible(label, Role::Label).textSource = [] { return std::string("hello"); };
  makeAccessible(box(scene, 0, 0, 10, 10), Role::Label, "top");

  const Snapshot s = snapshot();
  EXPECT_EQ(s.windowName, "test window");
  ASSERT_EQ(s.nodes.size(), 4u);
  const PublishedNode* p = named(s, "panel");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->parent, kWindowId);
  EXPECT_EQ(named(s, "button")->parent, p->id);
  EXPECT_EQ(named(s, "button")->description, "does things");
  EXPECT_EQ(named(s, "hello")->parent, p->id) << "a label without a name is named by its text";
  EXPECT_EQ(named(s, "top")->parent, kWindowId);
  EXPECT_EQ(s.childrenOf(p->id).size(), 2u);
}

TEST_F(AccessibilityTree, HiddenNodesAndEverythingBelowThemAreLeftOut) {
  Node* hiddenParent = box(scene, 0, 0, 100, 100);
  hiddenParent->setVisible(false);
  makeAccessible(box(hiddenParent, 0, 0, 10, 10), Role::PushButton, "under hidden");
  Node* hidden = box(scene, 0, 0, 100, 100);
  makeAccessible(hidden, Role::PushButton, "hidden");
  hidden->setVisible(false);
  makeAccessible(box(scene, 0, 0, 10, 10), Role::PushButton, "shown");
  EXPECT_EQ(names(snapshot()), std::vector<std::string>{"shown"});
}

TEST_F(AccessibilityTree, SiblingsComeTopToBottomThenLeftToRight) {
  struct Placed {
    const char* name;
    float x, y;
  };
  // Added in scene order; the screen reads the top row first (design y grows upwards).
  const Placed placed[] = {{"bottom right", 500, 100}, {"top right", 500, 900}, {"bottom left", 100, 100},
                           {"middle", 300, 500},       {"top left", 100, 900}};
  for (const Placed& p : placed) makeAccessible(box(scene, p.x, p.y, 100, 100), Role::PushButton, p.name);
  EXPECT_EQ(names(snapshot()),
            (std::vector<std::string>{"top left", "top right", "middle", "bottom left", "bottom right"}));
}

TEST_F(AccessibilityTree, BoundsAreWindowPixelsFromTheTopLeft) {
  // The design area is 800 x 1280 on a 480 x 768 window: 0.6 pixels a unit, y flipped.
  makeAccessible(box(scene, 100, 1180, 200, 100), Role::PushButton, "b");
  const accessibility::PixelBox expected{60, 0, 120, 60};
  EXPECT_EQ(named(snapshot(), "b")->bounds, expected);
  EXPECT_EQ(snapshot().window, (accessibility::PixelBox{0, 0, 480, 768}));

  // Nodes flung far away or collapsed by a transform still give sane boxes, never showing.
  Node* far = box(scene, 3e38f, -3e38f, 3e38f, 3e38f);
  makeAccessible(far, Role::PushButton, "far");
  Node* collapsed = box(scene, 100, 100, 100, 100);
  collapsed->setScale(0);
  makeAccessible(collapsed, Role::PushButton, "collapsed");
  const Snapshot s = snapshot();
  for (const char* name : {"far", "collapsed"}) {
    const PublishedNode* n = named(s, name);
    ASSERT_NE(n, nullptr) << name;
    EXPECT_GE(n->bounds.width, 0) << name;
    EXPECT_FALSE(n->states & kShowing) << name;
  }
}

TEST_F(AccessibilityTree, ItemsOfADisabledMenuAndDisabledItemsCanBeNeitherUsedNorPressed) {
  Menu* m = menu();
  MenuItem* a = item(m, "a", 100, 100);
  MenuItem* b = item(m, "b", 300, 100);
  b->setEnabled(false);
  Snapshot s = snapshot();
  EXPECT_TRUE(named(s, "a")->states & kEnabled);
  EXPECT_FALSE(named(s, "b")->states & kEnabled);
  EXPECT_TRUE(named(s, "a")->hasAction);
  EXPECT_EQ(accessibility::findPressableNode(scene, b->getAccessible()->id()), nullptr);

  Node* found = accessibility::findPressableNode(scene, a->getAccessible()->id());
  ASSERT_EQ(found, a);
  accessibility::pressNode(found);
  EXPECT_EQ(journal, std::vector<std::string>{"a"});

  m->setEnabled(false);
  EXPECT_FALSE(named(snapshot(), "a")->states & kEnabled);
  EXPECT_EQ(accessibility::findPressableNode(scene, a->getAccessible()->id()), nullptr);
}

TEST_F(AccessibilityTree, ShowingMeansInsideTheWindowAndEveryClippingView) {
  auto* scroll = ui::ScrollView::create();
  scroll->setContentSize(Size(400, 200));
  scroll->setPosition(100, 500);
  scroll->setInnerContainerSize(Size(400, 1000));
  scroll->setInnerContainerPosition(Vec2::ZERO);  // the bottom 200 units of the content show
  scene->addChild(scroll);
  makeAccessible(box(scroll, 0, 50, 100, 50), Role::ListItem, "in view");
  makeAccessible(box(scroll, 0, 600, 100, 50), Role::ListItem, "scrolled away");
  makeAccessible(box(scene, -500, 500, 100, 100), Role::PushButton, "off the window");
  makeAccessible(box(scene, 700, 500, 200, 100), Role::PushButton, "half in");

  Snapshot s = snapshot();
  EXPECT_TRUE(named(s, "in view")->states & kShowing);
  EXPECT_FALSE(named(s, "scrolled away")->states & kShowing);
  EXPECT_FALSE(named(s, "off the window")->states & kShowing);
  EXPECT_TRUE(named(s, "half in")->states & kShowing);

  scroll->setInnerContainerPosition(Vec2(0, -500));
  s = snapshot();
  EXPECT_FALSE(named(s, "in view")->states & kShowing);
  EXPECT_TRUE(named(s, "scrolled away")->states & kShowing);
}

TEST_F(AccessibilityTree, TextIsValidUtf8AndTheCaretCountsCharacters) {
  struct Case {
    std::string bytes;
    int caretByte;
    std::string text;
    int caret;
  };
  const Case cases[] = {
      {"7+2", 3, "7+2", 3},
      {"7+2", 0, "7+2", 0},
      {"\xC3\xA9+1", 2, "\xC3\xA9+1", 1},           // after a two-byte character
      {"\xC3\xA9+1", 1, "\xC3\xA9+1", 1},           // inside it: after it
      {"a\xFF" "b", 2, "a\xEF\xBF\xBD" "b", 2},     // an unreadable byte is one U+FFFD
      {"\xE2\x88\x9A(", 3, "\xE2\x88\x9A(", 1},     // after a three-byte character
      {"abc", 99, "abc", 3},
      {"abc", -5, "abc", 0},
  };
  Node* line = box(scene, 0, 0, 100, 100);
  for (const Case& c : cases) {
    auto& entry = makeAccessible(line, Role::Entry, "line");
    entry.textSource = [&c] { return c.bytes; };
    entry.caretSource = [&c] { return c.caretByte; };
    const Snapshot s = snapshot();
    ASSERT_EQ(s.nodes.size(), 1u);
    EXPECT_EQ(s.nodes[0].text, c.text) << c.bytes;
    EXPECT_EQ(s.nodes[0].caret, c.caret) << c.bytes << " at byte " << c.caretByte;
    EXPECT_TRUE(s.nodes[0].states & accessibility::kEditable);
  }
  // Names and descriptions come from the same kind of bytes (memory slots hold any).
  makeAccessible(line, Role::PushButton, "M\xFF", "d\xC3");
  EXPECT_EQ(snapshot().nodes[0].name, "M\xEF\xBF\xBD");
  EXPECT_EQ(snapshot().nodes[0].description, "d\xEF\xBF\xBD");
}

TEST_F(AccessibilityTree, TheFocusGoesToTheUsableShowingNodeThatRanksHighest) {
  Node* line = box(scene, 0, 600, 800, 60);
  makeAccessible(line, Role::Entry, "line").focusPriority = 1;
  Menu* m = menu();
  MenuItem* ok = item(m, "ok", 400, 300);
  ok->getAccessible()->focusPriority = 2;
  item(m, "plain", 100, 300);

  Snapshot s = snapshot();
  EXPECT_EQ(s.focused, ok->getAccessible()->id());
  EXPECT_TRUE(named(s, "ok")->states & kFocused);
  EXPECT_FALSE(named(s, "line")->states & kFocused);
  EXPECT_TRUE(named(s, "line")->states & kFocusable);
  EXPECT_FALSE(named(s, "plain")->states & kFocusable);

  m->setEnabled(false);  // a disabled button cannot hold the focus
  s = snapshot();
  EXPECT_EQ(s.focused, line->getAccessible()->id());
  EXPECT_TRUE(named(s, "line")->states & kFocused);

  line->setPositionX(-2000);  // nor can a node out of sight
  EXPECT_EQ(snapshot().focused, kWindowId);
}

TEST_F(AccessibilityTree, StackedControlsSharingAnObjectPublishTheVisibleOne) {
  Menu* m = menu();
  MenuItem* first = item(m, "first page", 100, 100);
  MenuItem* second = item(m, "second page", 100, 100);
  second->getAccessible()->shareObjectWith(*first->getAccessible());
  const std::uint64_t cell = first->getAccessible()->id();

  second->setVisible(false);
  Snapshot s = snapshot();
  ASSERT_EQ(s.nodes.size(), 1u);
  EXPECT_EQ(s.nodes[0].id, cell);
  EXPECT_EQ(s.nodes[0].name, "first page");

  first->setVisible(false);
  second->setVisible(true);
  s = snapshot();
  ASSERT_EQ(s.nodes.size(), 1u);
  EXPECT_EQ(s.nodes[0].id, cell);
  EXPECT_EQ(s.nodes[0].name, "second page");
  accessibility::pressNode(accessibility::findPressableNode(scene, cell));
  EXPECT_EQ(journal, std::vector<std::string>{"second page"}) << "the press reaches the visible control";
}

TEST_F(AccessibilityTree, OwnPressActionsRunInsteadOfActivation) {
  Menu* m = menu();
  MenuItem* i = item(m, "item", 100, 100);
  i->getAccessible()->press = [this] { journal.push_back("own action"); };
  accessibility::pressNode(i);
  EXPECT_EQ(journal, std::vector<std::string>{"own action"});
}

TEST_F(AccessibilityTree, AScreenInTransitionPublishesNothingUntilItSettles) {
  Scene* next = Scene::create();
  makeAccessible(box(next, 0, 0, 100, 100), Role::PushButton, "next screen");
  director()->replaceScene(TransitionFlipX::create(0.5f, next));
  frames(2);
  ASSERT_NE(dynamic_cast<TransitionScene*>(director()->getRunningScene()), nullptr);
  EXPECT_TRUE(snapshot().nodes.empty());
  const std::uint64_t id = next->getChildren()[0]->getAccessible()->id();
  EXPECT_EQ(accessibility::findPressableNode(director()->getRunningScene(), id), nullptr);
  frames(40);
  ASSERT_EQ(director()->getRunningScene(), next);
  EXPECT_EQ(names(snapshot()), std::vector<std::string>{"next screen"});
}

}  // namespace
}  // namespace pemtrix_test
