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
using Ids = std::vector<std::uint64_t>;

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
      {"aaa", "aa", 2, "a", ""},  // the end is kept first, never overlapping the start
      {"12", "1x2", 1, "", "x"},
      {"\xC3\xA9" "1", "\xC3\xA9" "2", 1, "1", "2"},  // positions count characters, not bytes
      {"x\xE2\x88\x9Ay", "xy", 1, "\xE2\x88\x9A", ""},
      {"same", "same", 4, "", ""},
  };
  for (const Case& c : cases) {
    const TextEdit edit = diffText(c.before, c.after);
    EXPECT_EQ(edit.position, c.position) << c.before << " -> " << c.after;
    EXPECT_EQ(edit.removed, c.removed) << c.before << " -> " << c.after;
    EXPECT_EQ(edit.inserted, c.inserted) << c.before << " -> " << c.after;
  }
}

// A panel (1) holding two buttons (2, 3) and a line of text (4).
Snapshot base() {
  Snapshot s;
  for (std::uint64_t id : {1, 2, 3, 4}) {
    PublishedNode n;
    n.id = id;
    n.parent = id == 1 ? kWindowId : 1;
    n.role = id == 1 ? Role::Panel : id == 4 ? Role::Entry : Role::PushButton;
    n.name = "n" + std::to_string(id);
    n.states = kEnabled | kShowing;
    s.nodes.push_back(n);
  }
  s.nodes[3].text = "1+";
  return s;
}

PublishedNode& at(Snapshot& s, std::uint64_t id) {
  return *std::find_if(s.nodes.begin(), s.nodes.end(), [id](const PublishedNode& n) { return n.id == id; });
}

TEST(AccessibilityTreeDiff, ObjectsThatComeAndGoChangeTheirParentsLists) {
  EXPECT_TRUE(diffTrees(base(), base()).empty());
  const TreeDelta first = diffTrees(Snapshot(), base());
  EXPECT_EQ(first.added, (Ids{1, 2, 3, 4})) << "parents first";
  EXPECT_EQ(first.childrenChanged, Ids{kWindowId}) << "the new panel's children come with it";

  Snapshot after = base();
  after.nodes.erase(after.nodes.begin() + 1);  // 2 goes
  after.nodes.push_back(base().nodes[1]);
  after.nodes.back().id = 5;  // 5 comes
  TreeDelta d = diffTrees(base(), after);
  EXPECT_EQ(d.removed, Ids{2});
  EXPECT_EQ(d.added, Ids{5});
  EXPECT_EQ(d.childrenChanged, Ids{1});

  after = base();
  std::swap(after.nodes[1], after.nodes[2]);
  d = diffTrees(base(), after);
  EXPECT_EQ(d.childrenChanged, Ids{1});
  EXPECT_TRUE(d.added.empty() && d.removed.empty() && d.changed.empty());

  d = diffTrees(base(), Snapshot());
  EXPECT_EQ(d.removed, (Ids{1, 2, 3, 4}));
  EXPECT_EQ(d.childrenChanged, Ids{kWindowId}) << "a subtree that goes is told at its top";
}

TEST(AccessibilityTreeDiff, AnObjectThatChangesRoleParentOrAbilitiesIsReplaced) {
  void (*const changes[])(PublishedNode&) = {
      [](PublishedNode& n) { n.role = Role::Label; },
      [](PublishedNode& n) { n.parent = kWindowId; },
      [](PublishedNode& n) { n.hasText = true; },
      [](PublishedNode& n) { n.hasAction = true; },
  };
  for (auto change : changes) {
    Snapshot after = base();
    change(at(after, 3));
    const TreeDelta d = diffTrees(base(), after);
    EXPECT_EQ(d.removed, Ids{3});
    EXPECT_EQ(d.added, Ids{3});
    EXPECT_TRUE(d.changed.empty());
  }
}

TEST(AccessibilityTreeDiff, PropertiesStatesTextCaretFocusAndBoundsAreNoticed) {
  Snapshot after = base();
  at(after, 2).name = "renamed";
  at(after, 3).states &= ~kEnabled;
  at(after, 4).text = "1+2";
  at(after, 4).caret = 3;
  after.focused = 4;
  TreeDelta d = diffTrees(base(), after);
  ASSERT_EQ(d.changed.size(), 3u);
  EXPECT_TRUE(d.changed[0].name && !d.changed[0].description);
  EXPECT_EQ(d.changed[1].states, kEnabled) << "only the bit that changed";
  EXPECT_TRUE(d.changed[2].text && d.changed[2].caret);
  EXPECT_EQ(d.changed[2].textEdit.position, 2);
  EXPECT_EQ(d.changed[2].textEdit.inserted, "2");
  EXPECT_TRUE(d.focusMoved);

  after = base();
  at(after, 4).caret = 1;
  at(after, 2).bounds.x = 7;
  after.windowName = "other";
  d = diffTrees(base(), after);
  ASSERT_EQ(d.changed.size(), 1u);
  EXPECT_TRUE(d.changed[0].caret && !d.changed[0].text) << "a caret move alone is no text change";
  EXPECT_TRUE(d.windowNameChanged);
  EXPECT_TRUE(d.boundsMoved) << "bounds are not told, but the objects must learn them";
}

}  // namespace
}  // namespace pemtrix_test
