// What changed between two publications of the accessibility tree, in the terms in which
// assistive technologies are told: objects that come and go, child lists, names, states,
// text edits, carets and the focus. Moved bounds are noted but not told: assistive
// technologies read bounds when they need them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cocos/accessibility/PublishedTree.h"

namespace cocos2d::accessibility {

// One edit that turns a text into another: at `position` (in characters), `removed` goes and
// `inserted` comes. The smallest such edit keeps the longest common start and end.
struct TextEdit {
  int position = 0;
  std::string removed;
  std::string inserted;
};

struct NodeChange {
  std::uint64_t id = 0;
  bool name = false;
  bool description = false;
  std::uint32_t states = 0;  // the state bits that differ
  bool text = false;         // then textEdit says how
  TextEdit textEdit;
  bool caret = false;
};

struct TreeDelta {
  // Objects that go, in the earlier tree's order, and objects that come, parents before
  // their children. An object whose role, parent or abilities (text, action) changed goes
  // and comes again: to an assistive technology it is another object.
  std::vector<std::uint64_t> removed;
  std::vector<std::uint64_t> added;
  // Parents (kWindowId for the window) whose list of children differs in any way.
  std::vector<std::uint64_t> childrenChanged;
  // Objects in both trees that changed.
  std::vector<NodeChange> changed;
  bool focusMoved = false;
  bool windowNameChanged = false;
  bool boundsMoved = false;  // some object that stays moved or changed size

  bool empty() const {
    return removed.empty() && added.empty() && childrenChanged.empty() && changed.empty() && !focusMoved &&
           !windowNameChanged && !boundsMoved;
  }
};

TreeDelta diffTrees(const Snapshot& before, const Snapshot& after);

// The smallest single edit from one valid UTF-8 text to another, on code points.
TextEdit diffText(const std::string& before, const std::string& after);

}  // namespace cocos2d::accessibility
