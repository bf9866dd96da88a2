// The screens as a screen reader finds them, on the real headless calculator: the keys and
// their names, the line with its whole text and caret, the command pages, the memory and
// settings screens and the message box; and presses that do what taps do.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/accessibility/TreeBuilder.h"
#include "screens/AccessibleNames.h"
#include "screens/SettingsLayer.h"

using namespace cocos2d;
using accessibility::PublishedNode;
using accessibility::Role;
using accessibility::Snapshot;

namespace {

class AccessibleScreens : public CalculatorTest {
 protected:
  static Snapshot tree() {
    GLView* view = Director::getInstance()->getOpenGLView();
    return accessibility::buildSnapshot(
        Director::getInstance()->getRunningScene(),
        accessibility::WindowGeometry{view->getViewName(), view->getFrameSize(), view->getDesignToWindowTransform()});
  }

  static std::vector<const PublishedNode*> withRole(const Snapshot& s, Role role) {
    std::vector<const PublishedNode*> found;
    for (const PublishedNode& n : s.nodes) {
      if (n.role == role) found.push_back(&n);
    }
    return found;
  }

  static std::vector<std::string> buttonNames(const Snapshot& s) {
    std::vector<std::string> names;
    for (const PublishedNode* n : withRole(s, Role::PushButton)) names.push_back(n->name);
    return names;
  }

  static const PublishedNode* named(const Snapshot& s, const std::string& name) {
    const auto it = std::find_if(s.nodes.begin(), s.nodes.end(), [&](const PublishedNode& n) { return n.name == name; });
    return it == s.nodes.end() ? nullptr : &*it;
  }

  static const PublishedNode& line(const Snapshot& s) { return *withRole(s, Role::Entry).at(0); }

  // Presses the published push button of that name, as the accessibility bridge does (tape
  // lines that earlier tests left may carry the same text).
  static void press(const std::string& name) {
    const Snapshot s = tree();
    const PublishedNode* n = nullptr;
    for (const PublishedNode* button : withRole(s, Role::PushButton)) {
      if (button->name == name) n = button;
    }
    ASSERT_NE(n, nullptr) << name;
    Node* node = accessibility::findPressableNode(Director::getInstance()->getRunningScene(), n->id);
    ASSERT_NE(node, nullptr) << name << " cannot be pressed";
    accessibility::pressNode(node);
  }

  // Long enough for a screen change (a one-second flip) to finish.
  static void settle() {
    for (int i = 0; i < 90; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  }
};

TEST_F(AccessibleScreens, EveryKeyIsANamedDescribedButtonAndTheLineHasTheFocus) {
  std::vector<std::string> images{"Back.png"};
  for (Node* child : calc->getKeypadMenu()->getChildren()) {
    if (auto* item = dynamic_cast<MenuItemImage*>(child)) images.push_back(item->getNormalImageFileName());
  }
  ASSERT_EQ(images.size(), 69u) << "the keypad, both command pages and the back arrow";
  for (const std::string& image : images) {
    const SpokenKey* key = spokenKey(image.substr(0, image.size() - 4));
    ASSERT_NE(key, nullptr) << image;
    EXPECT_TRUE(*key->name && *key->description) << image;
  }

  const Snapshot s = tree();
  const std::vector<std::string> names = buttonNames(s);
  EXPECT_EQ(names.size(), 44u) << "20 keypad keys and the 24 cells of the page shown";
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "names tell keys apart";
  EXPECT_EQ(line(s).name, "Expression");
  EXPECT_EQ(s.focused, line(s).id);
  EXPECT_EQ(s.childrenOf(withRole(s, Role::List).at(0)->id).size(), static_cast<std::size_t>(MainLayer::kTapeLines));
}

TEST_F(AccessibleScreens, ShiftRenamesTheCellsButKeepsTheirObjects) {
  const Snapshot before = tree();
  calc->toggleShift();
  const Snapshot after = tree();
  EXPECT_EQ(buttonNames(after).size(), 44u);
  for (const auto& [page1, page2] : std::vector<std::pair<const char*, const char*>>{
           {"shift", "shift, second page"}, {"square root", "cube root"}, {"backspace", "settings"}}) {
    ASSERT_TRUE(named(before, page1) && named(after, page2)) << page1;
    EXPECT_EQ(named(before, page1)->id, named(after, page2)->id) << page1 << " and " << page2 << " share their cell";
    EXPECT_EQ(named(after, page1), nullptr) << "the hidden page is not offered: " << page1;
  }
  press("shift, second page");
  EXPECT_FALSE(calc->isShifted());
}

TEST_F(AccessibleScreens, PressingKeysDoesWhatTapsDoAndTheLineIsItsWholeText) {
  struct Case {
    std::vector<const char*> keys;
    std::string expression;
    int caret;
  };
  const Case cases[] = {
      {{"7"}, "7", 1},
      {{"square root"}, "sqrt()", 5},
      {{"x to the power y"}, "pow(,)", 4},
      {{"pi", "times ten to the power", "comma"}, "Pie,", 4},
      {{"1", "2", "cursor left", "delete"}, "1", 1},
      {{"open parenthesis", "minus", "point", "close parenthesis", "backspace"}, "(-.", 3},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    for (const char* key : c.keys) press(key);
    EXPECT_EQ(calc->getExpression(), c.expression);
    EXPECT_EQ(line(tree()).text, c.expression);
    EXPECT_EQ(line(tree()).caret, c.caret) << c.expression;
  }
  const std::string digits(120, '8');  // far wider than the line shows
  calc->insertText(digits);
  EXPECT_EQ(line(tree()).text, "(-." + digits);
  calc->clearAll();
  calc->insertText("\xE2\x88\x9A" "2");  // a character of three bytes first
  calc->cursorLeft();
  EXPECT_EQ(line(tree()).caret, 1) << "characters, not bytes";
}

// A tape line's action does what a double tap does: its text, a result without its "=", goes
// in at the cursor and is announced; an empty line gives nothing, and nothing goes in behind
// the information box.
TEST_F(AccessibleScreens, ActivatingATapeLineInsertsItsText) {
  calc->evaluate();  // an empty line goes onto the tape, then 6*7 and its result above it
  calc->insertText("6*7");
  calc->evaluate();
  struct Case {
    const char* what;
    int line;
    bool infoBox;
    std::string expression;
    std::string announcement;
  };
  const Case cases[] = {
      {"a result", 0, false, "1+42", "Inserted: 42"},
      {"an expression", 1, false, "1+6*7", "Inserted: 6*7"},
      {"an empty line", 2, false, "1+", ""},  // "": nothing new is said
      {"behind the information box", 0, true, "1+", ""},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    calc->insertText("1+");
    const std::string said = calc->getLastAnnouncement();
    if (c.infoBox) calc->showInformation();
    const Snapshot s = tree();
    const PublishedNode& item = *s.find(calc->getTapeLine(c.line)->getAccessible()->id());
    EXPECT_EQ(item.role, Role::ListItem) << c.what;
    EXPECT_TRUE(item.hasAction && item.hasText) << c.what;
    EXPECT_FALSE(item.description.empty()) << c.what;
    Node* node = accessibility::findPressableNode(Director::getInstance()->getRunningScene(), item.id);
    ASSERT_NE(node, nullptr) << c.what;
    accessibility::pressNode(node);
    EXPECT_EQ(calc->getExpression(), c.expression) << c.what;
    EXPECT_EQ(calc->getLastAnnouncement(), c.announcement.empty() ? said : c.announcement) << c.what;
    if (c.infoBox) press("OK");
  }
}

TEST_F(AccessibleScreens, TheMessageBoxIsAnAlertThatTakesTheFocus) {
  calc->showInformation();
  Snapshot s = tree();
  const PublishedNode* alert = withRole(s, Role::Alert).at(0);
  EXPECT_EQ(alert->name, "Pemtrix");
  EXPECT_NE(withRole(s, Role::Label).at(0)->text.find("Pemtrix ver"), std::string::npos);
  EXPECT_EQ(s.focused, named(s, "OK")->id);
  EXPECT_FALSE(named(s, "equals")->states & accessibility::kEnabled) << "the keys behind the box are out of use";
  press("OK");
  s = tree();
  EXPECT_TRUE(withRole(s, Role::Alert).empty());
  EXPECT_EQ(s.focused, line(s).id) << "the focus returns to the line";
}

TEST_F(AccessibleScreens, SettingsRowsAreNamedByTheirCaptionsAndFollowThem) {
  calc->openSettings();
  settle();
  auto* settings = dynamic_cast<SettingsLayer*>(Director::getInstance()->getRunningScene()->getChildren()[0]);
  ASSERT_NE(settings, nullptr);
  const Snapshot s = tree();
  std::vector<std::string> rows = buttonNames(s);
  rows.erase(std::remove(rows.begin(), rows.end(), "back"), rows.end());
  EXPECT_EQ(rows, settings->getCaptions());
  EXPECT_EQ(s.focused, named(s, rows[0])->id) << "a screen reader starts at the first row";
  const std::string sound = rows[2];
  press(sound);
  EXPECT_NE(named(tree(), settings->getCaptions()[2]), nullptr);
  EXPECT_NE(settings->getCaptions()[2], sound);
  press(settings->getCaptions()[2]);  // back as it was
  press("back");
  settle();
  EXPECT_NE(named(tree(), "Calculator"), nullptr);
}

TEST_F(AccessibleScreens, MemoryRowsStoreAndRecallAsTapsDo) {
  calc->insertText("42");
  press("store in memory");
  settle();
  Snapshot s = tree();
  ASSERT_NE(named(s, "set to Memory"), nullptr);
  EXPECT_EQ(buttonNames(s).size(), 11u) << "ten slots and the back button";
  EXPECT_EQ(s.find(s.focused)->name.rfind("Memory 1, ", 0), 0u) << "a screen reader starts at the first slot";
  const std::vector<std::string> names = buttonNames(s);
  press(*std::find_if(names.begin(), names.end(), [](const std::string& n) { return n.rfind("Memory 3, ", 0) == 0; }));
  EXPECT_NE(named(tree(), "Memory 3, 42"), nullptr);
  press("back");
  settle();

  calc->clearAll();
  press("recall from memory");
  settle();
  press("Memory 3, 42");
  settle();
  EXPECT_EQ(calc->getExpression(), "42");
}

}  // namespace
