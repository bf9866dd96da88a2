// The screens as a screen reader finds them, on the real headless calculator: the keys with
// their names, the line with its whole text and caret, the tape, the command pages, the
// settings and memory screens and the message box; and presses that do what taps do.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/accessibility/TreeBuilder.h"
#include "screens/AccessibleNames.h"
#include "screens/CommandTable.h"
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
    const accessibility::WindowGeometry window{view->getViewName(), view->getFrameSize(),
                                               view->getDesignToWindowTransform()};
    return accessibility::buildSnapshot(Director::getInstance()->getRunningScene(), window);
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
    for (const PublishedNode& n : s.nodes) {
      if (n.name == name) return &n;
    }
    return nullptr;
  }

  // Presses the published object of that name, as the accessibility bridge would.
  static void press(const std::string& name) {
    const Snapshot s = tree();
    const PublishedNode* n = named(s, name);
    ASSERT_NE(n, nullptr) << name;
    Node* node = accessibility::findPressableNode(Director::getInstance()->getRunningScene(), n->id);
    ASSERT_NE(node, nullptr) << name << " cannot be pressed";
    accessibility::pressNode(node);
  }

  // Long enough for a screen change (a one-second flip) to finish.
  static void settle() {
    for (int i = 0; i < 90; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  }

  static const PublishedNode& line(const Snapshot& s) {
    const auto entries = withRole(s, Role::Entry);
    EXPECT_EQ(entries.size(), 1u);
    return *entries.front();
  }
};

TEST_F(AccessibleScreens, TheCalculatorShowsItsTapeLineAndEveryKey) {
  const Snapshot s = tree();
  const std::vector<std::string> names = buttonNames(s);
  EXPECT_EQ(names.size(), 44u) << "20 keypad keys and 24 command cells";
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "names tell keys apart";
  for (const PublishedNode* key : withRole(s, Role::PushButton)) {
    EXPECT_FALSE(key->description.empty()) << key->name;
    EXPECT_TRUE(key->hasAction) << key->name;
    EXPECT_TRUE(key->states & accessibility::kEnabled) << key->name;
  }
  for (const char* key : {"7", "square root", "x to the power y", "backspace", "pi", "equals", "shift"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), key), names.end()) << key;
  }
  const PublishedNode& expression = line(s);
  EXPECT_EQ(expression.name, "Expression");
  EXPECT_EQ(s.focused, expression.id);
  const auto tapes = withRole(s, Role::List);
  ASSERT_EQ(tapes.size(), 1u);
  EXPECT_EQ(s.childrenOf(tapes[0]->id).size(), static_cast<std::size_t>(MainLayer::kTapeLines));
}

TEST_F(AccessibleScreens, EveryKeyImageHasASpokenNameAndADescription) {
  std::vector<std::string> images;
  for (Node* child : calc->getKeypadMenu()->getChildren()) {
    if (auto* item = dynamic_cast<MenuItemImage*>(child)) images.push_back(item->getNormalImageFileName());
  }
  ASSERT_EQ(images.size(), 68u);
  images.push_back("Back.png");
  for (std::string image : images) {
    image.resize(image.size() - 4);
    const SpokenKey* key = spokenKey(image);
    ASSERT_NE(key, nullptr) << image;
    EXPECT_GT(std::string(key->name).size(), 0u) << image;
    EXPECT_GT(std::string(key->description).size(), 0u) << image;
  }
  std::set<std::string> seen;
  for (const SpokenKey* k = spokenKeysBegin(); k != spokenKeysEnd(); ++k) {
    EXPECT_TRUE(seen.insert(k->image).second) << "listed twice: " << k->image;
  }
}

TEST_F(AccessibleScreens, ShiftRenamesTheCellsButKeepsTheirObjects) {
  const Snapshot before = tree();
  calc->toggleShift();
  const Snapshot after = tree();
  std::vector<std::uint64_t> idsBefore, idsAfter;
  for (const PublishedNode* n : withRole(before, Role::PushButton)) idsBefore.push_back(n->id);
  for (const PublishedNode* n : withRole(after, Role::PushButton)) idsAfter.push_back(n->id);
  EXPECT_EQ(idsBefore, idsAfter);
  struct Cell {
    const char* page1;
    const char* page2;
  };
  for (const Cell& cell : {Cell{"shift", "shift, second page"}, Cell{"square root", "cube root"},
                           Cell{"backspace", "settings"}, Cell{"pi", "least common multiple"}}) {
    const PublishedNode* first = named(before, cell.page1);
    const PublishedNode* second = named(after, cell.page2);
    ASSERT_TRUE(first && second) << cell.page1;
    EXPECT_EQ(first->id, second->id) << cell.page1 << " and " << cell.page2 << " share their cell";
    EXPECT_EQ(named(after, cell.page1), nullptr) << "the hidden page is not offered: " << cell.page1;
  }
  press("shift, second page");
  EXPECT_FALSE(calc->isShifted());
  EXPECT_NE(named(tree(), "square root"), nullptr);
}

TEST_F(AccessibleScreens, PressingAKeyDoesWhatATapDoes) {
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
      {{"1", "2", "backspace"}, "1", 1},
      {{"1", "2", "cursor left", "delete"}, "1", 1},
      {{"open parenthesis", "minus", "point", "close parenthesis"}, "(-.)", 4},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    for (const char* key : c.keys) press(key);
    EXPECT_EQ(calc->getExpression(), c.expression);
    const Snapshot s = tree();
    EXPECT_EQ(line(s).text, c.expression);
    EXPECT_EQ(line(s).caret, c.caret) << c.expression;
  }
}

TEST_F(AccessibleScreens, TheLineIsTheWholeTextNotTheWindowThatShows) {
  const std::string digits(120, '8');  // far wider than the line
  calc->insertText(digits);
  calc->cursorHome();
  calc->cursorRight();
  Snapshot s = tree();
  EXPECT_EQ(line(s).text, digits);
  EXPECT_EQ(line(s).caret, 1);
  calc->clearAll();
  calc->insertText("\xE2\x88\x9A" "2+1");  // a character of three bytes first
  calc->cursorLeft();
  s = tree();
  EXPECT_EQ(line(s).caret, 3) << "characters, not bytes";
}

TEST_F(AccessibleScreens, ResultsGoOnTheTapeAsText) {
  for (const char* key : {"7", "plus", "2", "equals"}) press(key);
  const Snapshot s = tree();
  std::vector<std::string> lines;
  for (const PublishedNode* item : withRole(s, Role::ListItem)) lines.push_back(item->text);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(MainLayer::kTapeLines));
  // Top to bottom: the newest expression and result are the last two lines.
  EXPECT_EQ(lines[lines.size() - 2], "7+2");
  EXPECT_EQ(lines.back(), "=9");
  EXPECT_EQ(line(s).text, "");
}

TEST_F(AccessibleScreens, TheMessageBoxIsAnAlertThatTakesTheFocus) {
  calc->showInformation();
  Snapshot s = tree();
  const auto alerts = withRole(s, Role::Alert);
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0]->name, "Pemtrix");
  const auto labels = withRole(s, Role::Label);
  ASSERT_EQ(labels.size(), 1u);
  EXPECT_NE(labels[0]->text.find("Pemtrix ver"), std::string::npos);
  EXPECT_EQ(labels[0]->parent, alerts[0]->id);
  const PublishedNode* ok = named(s, "OK");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(s.focused, ok->id);
  EXPECT_FALSE(named(s, "equals")->states & accessibility::kEnabled) << "the keys behind the box are out of use";
  EXPECT_EQ(accessibility::findPressableNode(Director::getInstance()->getRunningScene(), named(s, "equals")->id),
            nullptr);

  press("OK");
  s = tree();
  EXPECT_TRUE(withRole(s, Role::Alert).empty());
  EXPECT_TRUE(named(s, "equals")->states & accessibility::kEnabled);
  EXPECT_EQ(s.focused, line(s).id) << "the focus returns to the line";
}

TEST_F(AccessibleScreens, SettingsRowsAreNamedByTheirCaptions) {
  calc->openSettings();
  settle();
  auto* settings = dynamic_cast<SettingsLayer*>(Director::getInstance()->getRunningScene()->getChildren()[0]);
  ASSERT_NE(settings, nullptr);
  Snapshot s = tree();
  ASSERT_NE(named(s, "Settings"), nullptr);
  std::vector<std::string> rows = buttonNames(s);
  rows.erase(std::remove(rows.begin(), rows.end(), "back"), rows.end());
  EXPECT_EQ(rows, settings->getCaptions());
  EXPECT_EQ(s.focused, named(s, rows[0])->id) << "a screen reader starts at the first row";

  const std::string sound = settings->getCaptions()[2];
  press(sound);
  const std::string toggled = settings->getCaptions()[2];
  EXPECT_NE(toggled, sound);
  EXPECT_NE(named(tree(), toggled), nullptr) << "the name follows the caption";
  press(toggled);  // back as it was

  press("back");
  settle();
  EXPECT_NE(named(tree(), "Calculator"), nullptr);
}

TEST_F(AccessibleScreens, MemoryRowsStoreAndRecallAsTapsDo) {
  for (const char* key : {"4", "2"}) press(key);
  press("store in memory");
  settle();
  Snapshot s = tree();
  ASSERT_NE(named(s, "set to Memory"), nullptr);
  std::vector<std::string> rows = buttonNames(s);
  EXPECT_EQ(rows.size(), 11u) << "ten slots and the back button";
  const PublishedNode* slot3 = nullptr;
  for (const PublishedNode* row : withRole(s, Role::PushButton)) {
    if (row->name.rfind("Memory 3, ", 0) == 0) slot3 = row;
  }
  ASSERT_NE(slot3, nullptr);
  EXPECT_EQ(s.find(s.focused)->name.rfind("Memory 1, ", 0), 0u) << "a screen reader starts at the first slot";
  press(slot3->name);
  EXPECT_NE(named(tree(), "Memory 3, 42"), nullptr);
  press("back");
  settle();

  calc->clearAll();
  press("recall from memory");
  settle();
  ASSERT_NE(named(tree(), "get from Memory"), nullptr);
  press("Memory 3, 42");
  settle();
  EXPECT_EQ(calc->getExpression(), "42");
}

}  // namespace
