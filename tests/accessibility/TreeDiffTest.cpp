// What the differ reports between two publications: text edits on characters, and the objects,
// child lists, properties and focus that changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cocos/accessibility/TreeDiff.h"

namespace pemtrix_test {
namespace {

using namespace cocos2d::accessibility;

TEST(AccessibilityTextDiff, TheSmallestEditKeepsTheCommonStartAndEnd) {
  struct Case {
    std::string before, after;
    int position;
    std::string removed, inserted;
  };
  const Case cases[] = {
      {"", "7", 0, "", "7"},
      {"7+", "7+2", 2, "", "2"},
      {"7+2", "", 0, "7+2", ""},
      {"abc", "abd", 2, "c", "d"},
      {"aaa", "aa", 2, "a", ""},              // the end is kept first, never overlapping the start
      {"sqrt()", "sqrt(2)", 5, "", "2"},
      {"12", "1x2", 1, "", "x"},
      {"\xC3\xA9" "1", "\xC3\xA9" "2", 1, "1", "2"},  // positions count characters, not bytes
      {"x\xE2\x88\x9Ay", "xy", 1, "\xE2\x88\x9A", ""},
      {"ab", "ba", 0, "ab", "ba"},
      {"same", "same", 4, "", ""},
  };
  for (const Case& c : cases) {
    const TextEdit edit = diffText(c.before, c.after);
    EXPECT_EQ(edit.position, c.position) << c.before << " -> " << c.after;
    EXPECT_EQ(edit.removed, c.removed) << c.before << " -> " << c.after;
    EXPECT_EQ(edit.inserted, c.inserted) << c.before << " -> " << c.after;
  }
}

PublishedNode node(std::uint64_t id, std::uint64_t parent, Role role = Role::PushButton, const std::string& name = "") {
  PublishedNode n;
  n.id = id;
  n.parent = parent;
  n.role = role;
  n.name = name.empty() ? "n" + std::to_string(id) : name;
  n.states = kEnabled | kShowing;
  return n;
}

// A panel (1) holding two buttons (2, 3) and a line of text (4).
Snapshot base() {
  Snapshot s;
  s.windowName = "w";
  s.nodes = {node(1, kWindowId, Role::Panel), node(2, 1), node(3, 1), node(4, 1, Role::Entry)};
  s.nodes[3].hasText = true;
  s.nodes[3].text = "1+";
  s.nodes[3].caret = 2;
  return s;
}

PublishedNode& at(Snapshot& s, std::uint64_t id) {
  return *std::find_if(s.nodes.begin(), s.nodes.end(), [id](const PublishedNode& n) { return n.id == id; });
}

const NodeChange* changeOf(const TreeDelta& d, std::uint64_t id) {
  for (const NodeChange& c : d.changed) {
    if (c.id == id) return &c;
  }
  return nullptr;
}

TEST(AccessibilityTreeDiff, IdenticalTreesDifferInNothing) {
  EXPECT_TRUE(diffTrees(base(), base()).empty());
  EXPECT_TRUE(diffTrees(Snapshot(), Snapshot()).empty());
}

TEST(AccessibilityTreeDiff, TheFirstPublicationAddsEverythingParentsFirst) {
  const TreeDelta d = diffTrees(Snapshot(), base());
  EXPECT_EQ(d.added, (std::vector<std::uint64_t>{1, 2, 3, 4}));
  EXPECT_EQ(d.childrenChanged, std::vector<std::uint64_t>{kWindowId}) << "the new panel's own children come with it";
  EXPECT_TRUE(d.removed.empty());
}

TEST(AccessibilityTreeDiff, ObjectsThatComeAndGoChangeTheirParentsLists) {
  Snapshot after = base();
  after.nodes.erase(after.nodes.begin() + 1);  // 2 goes
  after.nodes.push_back(node(5, 1));           // 5 comes
  const TreeDelta d = diffTrees(base(), after);
  EXPECT_EQ(d.removed, std::vector<std::uint64_t>{2});
  EXPECT_EQ(d.added, std::vector<std::uint64_t>{5});
  EXPECT_EQ(d.childrenChanged, std::vector<std::uint64_t>{1});
}

TEST(AccessibilityTreeDiff, AReorderingChangesTheParentsListOnly) {
  Snapshot after = base();
  std::swap(after.nodes[1], after.nodes[2]);
  const TreeDelta d = diffTrees(base(), after);
  EXPECT_EQ(d.childrenChanged, std::vector<std::uint64_t>{1});
  EXPECT_TRUE(d.added.empty() && d.removed.empty() && d.changed.empty());
}

TEST(AccessibilityTreeDiff, AnObjectThatChangesRoleParentOrAbilitiesIsReplaced) {
  struct Case {
    const char* what;
    void (*change)(PublishedNode&);
  };
  const Case cases[] = {
      {"role", [](PublishedNode& n) { n.role = Role::Label; }},
      {"parent", [](PublishedNode& n) { n.parent = kWindowId; }},
      {"text", [](PublishedNode& n) { n.hasText = true; }},
      {"action", [](PublishedNode& n) { n.hasAction = true; }},
  };
  for (const Case& c : cases) {
    Snapshot after = base();
    c.change(at(after, 3));
    const TreeDelta d = diffTrees(base(), after);
    EXPECT_EQ(d.removed, std::vector<std::uint64_t>{3}) << c.what;
    EXPECT_EQ(d.added, std::vector<std::uint64_t>{3}) << c.what;
    EXPECT_EQ(changeOf(d, 3), nullptr) << c.what;
  }
}

TEST(AccessibilityTreeDiff, PropertiesStatesTextAndCaretAreReportedPerObject) {
  Snapshot after = base();
  at(after, 2).name = "renamed";
  at(after, 3).states &= ~kEnabled;
  at(after, 3).description = "now described";
  at(after, 4).text = "1+2";
  at(after, 4).caret = 3;
  const TreeDelta d = diffTrees(base(), after);
  ASSERT_EQ(d.changed.size(), 3u);
  EXPECT_TRUE(changeOf(d, 2)->name);
  EXPECT_FALSE(changeOf(d, 2)->description);
  EXPECT_EQ(changeOf(d, 3)->states, kEnabled) << "only the bit that changed";
  EXPECT_TRUE(changeOf(d, 3)->description);
  const NodeChange* line = changeOf(d, 4);
  EXPECT_TRUE(line->text);
  EXPECT_EQ(line->textEdit.position, 2);
  EXPECT_EQ(line->textEdit.inserted, "2");
  EXPECT_TRUE(line->caret);
}

TEST(AccessibilityTreeDiff, ACaretMoveAloneIsNoTextChange) {
  Snapshot after = base();
  at(after, 4).caret = 1;
  const TreeDelta d = diffTrees(base(), after);
  ASSERT_NE(changeOf(d, 4), nullptr);
  EXPECT_TRUE(changeOf(d, 4)->caret);
  EXPECT_FALSE(changeOf(d, 4)->text);
}

TEST(AccessibilityTreeDiff, FocusWindowNameAndBoundsAreNoticed) {
  Snapshot after = base();
  after.focused = 4;
  EXPECT_TRUE(diffTrees(base(), after).focusMoved);
  after = base();
  after.windowName = "other";
  EXPECT_TRUE(diffTrees(base(), after).windowNameChanged);
  after = base();
  at(after, 2).bounds.x = 7;
  const TreeDelta moved = diffTrees(base(), after);
  EXPECT_TRUE(moved.boundsMoved);
  EXPECT_FALSE(moved.empty()) << "bounds are not told, but the objects must learn them";
  EXPECT_TRUE(moved.changed.empty());
}

TEST(AccessibilityTreeDiff, ASubtreeThatGoesIsToldOnceAtItsTop) {
  Snapshot after;
  after.windowName = "w";
  const TreeDelta d = diffTrees(base(), after);
  EXPECT_EQ(d.removed, (std::vector<std::uint64_t>{1, 2, 3, 4}));
  EXPECT_EQ(d.childrenChanged, std::vector<std::uint64_t>{kWindowId});
}

}  // namespace
}  // namespace pemtrix_test
