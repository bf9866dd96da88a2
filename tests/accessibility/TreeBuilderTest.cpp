// The published tree read off a scene: which nodes appear and under which parent, in what
// order, with which states, bounds, text and caret, and which node a press reaches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cocos/accessibility/Accessible.h"
#include "cocos/accessibility/TreeBuilder.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace pemtrix_test {
namespace {

using namespace cocos2d::accessibility;

class AccessibilityTree : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    scene = runScene();
    menu = Menu::create();
    menu->setPosition(Vec2::ZERO);
    scene->addChild(menu);
  }

  // A plain node covering the design rectangle (x, y, w, h), described when named.
  Node* box(Node* parent, float x, float y, float w, float h, const char* name = nullptr, Role role = Role::PushButton) {
    Node* node = Node::create();
    node->setContentSize(Size(w, h));
    node->setPosition(x, y);
    parent->addChild(node);
    if (name) makeAccessible(node, role, name);
    return node;
  }

  MenuItem* item(const std::string& name, float x, float y) {
    MenuItem* i = MenuItem::create([this, name](Ref*) { journal.push_back(name); });
    i->setContentSize(Size(100, 60));
    i->setPosition(x, y);
    menu->addChild(i);
    makeAccessible(i, Role::PushButton, name);
    return i;
  }

  Snapshot tree() {
    return buildSnapshot(director()->getRunningScene(),
                         WindowGeometry{"test window", view->getFrameSize(), view->getDesignToWindowTransform()});
  }

  static const PublishedNode& named(const Snapshot& s, const std::string& name) {
    for (const PublishedNode& n : s.nodes) {
      if (n.name == name) return n;
    }
    ADD_FAILURE() << "nothing named " << name;
    static const PublishedNode none;
    return none;
  }

  static std::vector<std::string> names(const Snapshot& s) {
    std::vector<std::string> out;
    for (const PublishedNode& n : s.nodes) out.push_back(n.name);
    return out;
  }

  Node* pressable(const Node* node) { return findPressableNode(scene, node->getAccessible()->id()); }

  Scene* scene = nullptr;
  Menu* menu = nullptr;
};

TEST_F(AccessibilityTree, VisibleDescribedNodesHangUnderTheirNearestDescribedAncestor) {
  Node* panel = box(scene, 0, 0, 800, 1280, "panel", Role::Panel);
  Node* plain = box(panel, 0, 0, 800, 1280);  // not described: its children move up
  box(plain, 10, 1000, 100, 100, "button");
  static const std::string hello = "hello";
  makeAccessible(box(plain, 10, 800, 100, 100), Role::Label).textSource = []() -> const std::string& { return hello; };
  box(scene, 0, 0, 10, 10, "top");
  Node* hidden = box(scene, 0, 0, 100, 100, "hidden");
  box(hidden, 0, 0, 10, 10, "under hidden");
  hidden->setVisible(false);

  const Snapshot s = tree();
  EXPECT_EQ(names(s), (std::vector<std::string>{"panel", "button", "hello", "top"}));
  const std::uint64_t p = named(s, "panel").id;
  EXPECT_EQ(named(s, "panel").parent, kWindowId);
  EXPECT_EQ(named(s, "button").parent, p);
  EXPECT_EQ(named(s, "hello").parent, p) << "a label without a name is named by its text";
  EXPECT_EQ(named(s, "top").parent, kWindowId);
}

TEST_F(AccessibilityTree, SiblingsComeTopToBottomThenLeftToRight) {
  // Added in scene order; the screen reads the top row first (design y grows upwards).
  box(scene, 500, 100, 100, 100, "bottom right");
  box(scene, 500, 900, 100, 100, "top right");
  box(scene, 100, 100, 100, 100, "bottom left");
  box(scene, 300, 500, 100, 100, "middle");
  box(scene, 100, 900, 100, 100, "top left");
  EXPECT_EQ(names(tree()),
            (std::vector<std::string>{"top left", "top right", "middle", "bottom left", "bottom right"}));
}

TEST_F(AccessibilityTree, BoundsAreWindowPixelsAndShowingMeansSeen) {
  // 800 x 1280 design units on a 480 x 768 window: 0.6 pixels a unit, y flipped.
  box(scene, 100, 1180, 200, 100, "corner");
  auto* scroll = ui::ScrollView::create();
  scroll->setContentSize(Size(400, 200));
  scroll->setPosition(100, 500);
  scroll->setInnerContainerSize(Size(400, 1000));  // at first the bottom 200 units show
  scene->addChild(scroll);
  box(scroll, 0, 50, 100, 50, "in view", Role::ListItem);
  box(scroll, 0, 600, 100, 50, "scrolled away", Role::ListItem);
  box(scene, -500, 500, 100, 100, "off the window");
  box(scene, 3e38f, -3e38f, 3e38f, 3e38f, "flung far away");
  box(scene, 100, 100, 100, 100, "collapsed")->setScale(0, 0);

  Snapshot s = tree();
  EXPECT_EQ(named(s, "corner").bounds, (PixelBox{60, 0, 120, 60}));
  EXPECT_EQ(s.window, (PixelBox{0, 0, 480, 768}));
  EXPECT_TRUE(named(s, "corner").states & kShowing);
  EXPECT_TRUE(named(s, "in view").states & kShowing);
  for (const char* unseen : {"scrolled away", "off the window", "flung far away", "collapsed"}) {
    EXPECT_FALSE(named(s, unseen).states & kShowing) << unseen;
    EXPECT_GE(named(s, unseen).bounds.width, 0) << unseen;
  }
  // Dragged up by 500 units.
  view->injectTouch(TouchPhase::BEGAN, Vec2(300, 650));
  view->injectTouch(TouchPhase::MOVED, Vec2(300, 150));
  view->injectTouch(TouchPhase::ENDED, Vec2(300, 150));
  s = tree();
  EXPECT_FALSE(named(s, "in view").states & kShowing);
  EXPECT_TRUE(named(s, "scrolled away").states & kShowing);
}

TEST_F(AccessibilityTree, OnlyUsableButtonsCanBePressedAndPressingActivatesThem) {
  MenuItem* a = item("a", 100, 100);
  MenuItem* own = item("own", 500, 100);
  own->getAccessible()->press = [this] { journal.push_back("own action"); };
  Snapshot s = tree();
  EXPECT_TRUE(named(s, "a").states & kEnabled);
  EXPECT_TRUE(named(s, "a").hasAction);
  ASSERT_EQ(pressable(a), a);
  pressNode(a);
  pressNode(own);
  EXPECT_EQ(journal, (std::vector<std::string>{"a", "own action"}));

  menu->setEnabled(false);  // as behind a message box
  EXPECT_FALSE(named(tree(), "a").states & kEnabled);
  EXPECT_EQ(pressable(a), nullptr);
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
      {"\xC3\xA9+1", 2, "\xC3\xA9+1", 1},        // after a two-byte character
      {"\xC3\xA9+1", 1, "\xC3\xA9+1", 1},        // inside it: after it
      {"\xE2\x88\x9A(", 3, "\xE2\x88\x9A(", 1},  // after a three-byte character
      {"a\xFF" "b", 2, "a\xEF\xBF\xBD" "b", 2},  // an unreadable byte is one U+FFFD
      {"abc", 99, "abc", 3},
      {"abc", -5, "abc", 0},
  };
  Node* line = box(scene, 0, 0, 100, 100);
  for (const Case& c : cases) {
    auto& entry = makeAccessible(line, Role::Entry, "line");
    entry.textSource = [&c]() -> const std::string& { return c.bytes; };
    entry.caretSource = [&c] { return c.caretByte; };
    const PublishedNode n = tree().nodes.at(0);
    EXPECT_EQ(n.text, c.text) << c.bytes;
    EXPECT_EQ(n.caret, c.caret) << c.bytes << " at byte " << c.caretByte;
  }
  // A line of megabytes is published in part: 8 KiB around the caret, or from its start.
  static const std::string longLine = std::string(20000, '7') + "\xC3\xA9";
  auto& entry = makeAccessible(line, Role::Entry, "line");
  entry.textSource = []() -> const std::string& { return longLine; };
  const struct {
    int caretByte;
    std::size_t firstShown;
    int caret;
    bool ellipsis;
  } windows[] = {{15000, 15000 - 4096, 4096, true}, {0, 0, 0, true}, {20002, 20002 - 8192, 8191, false}};
  for (const auto& w : windows) {
    entry.caretSource = [&w] { return w.caretByte; };
    const PublishedNode n = tree().nodes.at(0);
    const std::string ellipsis = "\xE2\x80\xA6";
    const std::size_t shownBytes = n.text.size() - (w.ellipsis ? ellipsis.size() : 0);
    EXPECT_LE(shownBytes, 8192u) << w.caretByte;
    EXPECT_EQ(n.text.compare(0, shownBytes, longLine, w.firstShown, shownBytes), 0) << w.caretByte;
    EXPECT_EQ(n.text.size() >= ellipsis.size() && n.text.compare(n.text.size() - 3, 3, ellipsis) == 0, w.ellipsis);
    EXPECT_EQ(n.caret, w.caret) << w.caretByte;
  }
  makeAccessible(line, Role::PushButton, "M\xFF", "d\xC3");  // memory slots hold any bytes
  EXPECT_EQ(tree().nodes.at(0).name, "M\xEF\xBF\xBD");
  EXPECT_EQ(tree().nodes.at(0).description, "d\xEF\xBF\xBD");
}

TEST_F(AccessibilityTree, TheFocusGoesToTheUsableShowingNodeThatRanksHighest) {
  Node* line = box(scene, 0, 600, 800, 60, "line", Role::Entry);
  line->getAccessible()->focusPriority = 1;
  item("ok", 400, 300)->getAccessible()->focusPriority = 2;
  item("plain", 100, 300);

  Snapshot s = tree();
  EXPECT_EQ(s.focused, named(s, "ok").id);
  EXPECT_TRUE(named(s, "ok").states & kFocused);
  EXPECT_TRUE(named(s, "line").states & kFocusable);
  EXPECT_FALSE(named(s, "plain").states & kFocusable);
  menu->setEnabled(false);  // a disabled button cannot hold the focus
  EXPECT_EQ(tree().focused, line->getAccessible()->id());
  line->setPosition(-2000, line->getPositionY());  // nor can a node out of sight
  EXPECT_EQ(tree().focused, kWindowId);
}

TEST_F(AccessibilityTree, StackedControlsSharingAnObjectPublishTheVisibleOne) {
  MenuItem* first = item("first page", 100, 100);
  MenuItem* second = item("second page", 100, 100);
  second->getAccessible()->shareObjectWith(*first->getAccessible());
  const std::uint64_t cell = first->getAccessible()->id();
  for (bool secondShows : {false, true}) {
    first->setVisible(!secondShows);
    second->setVisible(secondShows);
    const Snapshot s = tree();
    ASSERT_EQ(s.nodes.size(), 1u);
    EXPECT_EQ(s.nodes[0].id, cell);
    EXPECT_EQ(s.nodes[0].name, secondShows ? "second page" : "first page");
  }
  pressNode(findPressableNode(scene, cell));
  EXPECT_EQ(journal, std::vector<std::string>{"second page"}) << "the press reaches the visible control";
}

TEST_F(AccessibilityTree, AScreenInTransitionPublishesNothingUntilItSettles) {
  Scene* next = Scene::create();
  Node* button = box(next, 0, 0, 100, 100, "next screen");
  director()->pushScene(TransitionFlipX::create(0.5f, next));
  frames(2);
  EXPECT_TRUE(tree().nodes.empty());
  EXPECT_EQ(findPressableNode(director()->getRunningScene(), button->getAccessible()->id()), nullptr);
  frames(40);
  EXPECT_EQ(names(tree()), std::vector<std::string>{"next screen"});
}

}  // namespace
}  // namespace pemtrix_test
