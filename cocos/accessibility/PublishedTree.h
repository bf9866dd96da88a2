// The accessibility tree as published: plain values that the tree builder produces from the
// scene, the differ compares, and the accessibility module turns into objects on the bus.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cocos/accessibility/Accessible.h"

namespace cocos2d::accessibility {

// Identity 0 is the window, the parent of each screen's top-level objects.
constexpr std::uint64_t kWindowId = 0;

enum StateBit : std::uint32_t {
  kEnabled = 1u << 0,    // can be used now (a disabled menu or a screen in transition cannot)
  kShowing = 1u << 1,    // at least partly inside the window and its clipping containers
  kFocusable = 1u << 2,
  kFocused = 1u << 3,
  kEditable = 1u << 4,
};

// Window pixels, origin at the window's top-left corner.
struct PixelBox {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelBox& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
  bool operator!=(const PixelBox& o) const { return !(*this == o); }
};

struct PublishedNode {
  std::uint64_t id = 0;
  std::uint64_t parent = kWindowId;
  Role role = Role::Panel;
  std::string name;  // valid UTF-8, as every string here
  std::string description;
  bool hasText = false;
  std::string text;
  int caret = -1;  // in characters (code points); -1: no caret
  bool hasAction = false;
  std::uint32_t states = 0;
  PixelBox bounds;
};

struct Snapshot {
  std::string windowName;
  PixelBox window;  // (0, 0) and the window's size
  // Every node after its parent; siblings in reading order (top to bottom, left to right).
  std::vector<PublishedNode> nodes;
  std::uint64_t focused = kWindowId;  // kWindowId: no node has the focus

  // The node with the identity, or null. Inline, as the module that loads at run time uses
  // it and links nothing of the engine.
  const PublishedNode* find(std::uint64_t id) const {
    for (const PublishedNode& node : nodes) {
      if (node.id == id) return &node;
    }
    return nullptr;
  }
  // The identities of a node's children, in order.
  std::vector<std::uint64_t> childrenOf(std::uint64_t id) const {
    std::vector<std::uint64_t> children;
    for (const PublishedNode& node : nodes) {
      if (node.parent == id) children.push_back(node.id);
    }
    return children;
  }
};

}  // namespace cocos2d::accessibility
