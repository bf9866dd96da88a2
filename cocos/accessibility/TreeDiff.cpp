#include "cocos/accessibility/TreeDiff.h"

#include <unordered_map>

#include "cocos/base/Utf8.h"

namespace cocos2d::accessibility {
namespace {

std::string encode(const std::vector<char32_t>& cps, std::size_t from, std::size_t to) {
  std::string out;
  for (std::size_t i = from; i < to; ++i) appendUtf8(cps[i], out);
  return out;
}

using ChildLists = std::unordered_map<std::uint64_t, std::vector<std::uint64_t>>;

ChildLists childLists(const Snapshot& tree) {
  ChildLists lists;
  lists[kWindowId];
  for (const PublishedNode& node : tree.nodes) lists[node.parent].push_back(node.id);
  return lists;
}

// The same object on both sides: one that changed role, parent or abilities is another object
// to an assistive technology (a button cannot become a text), so it is replaced.
bool sameObject(const PublishedNode& a, const PublishedNode& b) {
  return a.role == b.role && a.parent == b.parent && a.hasText == b.hasText && a.hasAction == b.hasAction;
}

}  // namespace

TextEdit diffText(const std::string& before, const std::string& after) {
  std::vector<char32_t> a, b;
  decodeUtf8(before, a);
  decodeUtf8(after, b);
  std::size_t prefix = 0;
  while (prefix < a.size() && prefix < b.size() && a[prefix] == b[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < a.size() - prefix && suffix < b.size() - prefix &&
         a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) {
    ++suffix;
  }
  TextEdit edit;
  edit.position = static_cast<int>(prefix);
  edit.removed = encode(a, prefix, a.size() - suffix);
  edit.inserted = encode(b, prefix, b.size() - suffix);
  return edit;
}

TreeDelta diffTrees(const Snapshot& before, const Snapshot& after) {
  TreeDelta delta;
  std::unordered_map<std::uint64_t, const PublishedNode*> earlier, later;
  for (const PublishedNode& node : before.nodes) earlier[node.id] = &node;
  for (const PublishedNode& node : after.nodes) later[node.id] = &node;

  for (const PublishedNode& old : before.nodes) {
    const auto it = later.find(old.id);
    if (it == later.end() || !sameObject(old, *it->second)) delta.removed.push_back(old.id);
  }
  for (const PublishedNode& now : after.nodes) {
    const auto it = earlier.find(now.id);
    if (it == earlier.end() || !sameObject(*it->second, now)) {
      delta.added.push_back(now.id);
      continue;
    }
    const PublishedNode& old = *it->second;
    NodeChange change;
    change.id = now.id;
    change.name = old.name != now.name;
    change.description = old.description != now.description;
    change.states = old.states ^ now.states;
    if (old.text != now.text) {
      change.text = true;
      change.textEdit = diffText(old.text, now.text);
    }
    change.caret = old.caret != now.caret;
    if (old.bounds != now.bounds) delta.boundsMoved = true;
    if (change.name || change.description || change.states || change.text || change.caret) {
      delta.changed.push_back(change);
    }
  }

  const ChildLists oldLists = childLists(before), newLists = childLists(after);
  static const std::vector<std::uint64_t> kNone;
  auto listOf = [](const ChildLists& lists, std::uint64_t id) -> const std::vector<std::uint64_t>& {
    const auto it = lists.find(id);
    return it == lists.end() ? kNone : it->second;
  };
  // Parents in a fixed order (the window, then tree order), so that events come out the same
  // way each time.
  std::vector<std::uint64_t> parents{kWindowId};
  for (const PublishedNode& node : after.nodes) parents.push_back(node.id);
  for (const PublishedNode& node : before.nodes) {
    if (!later.count(node.id)) parents.push_back(node.id);
  }
  for (std::uint64_t parent : parents) {
    if (listOf(oldLists, parent) == listOf(newLists, parent)) continue;
    // A parent that is itself new or gone is announced by its own arrival or departure.
    const bool both = parent == kWindowId || (earlier.count(parent) && later.count(parent) &&
                                              sameObject(*earlier[parent], *later[parent]));
    if (both) delta.childrenChanged.push_back(parent);
  }

  delta.focusMoved = before.focused != after.focused;
  delta.windowNameChanged = before.windowName != after.windowName;
  return delta;
}

}  // namespace cocos2d::accessibility
