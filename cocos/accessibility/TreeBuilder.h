// Reads the published accessibility tree off a running scene: every visible node with a
// description becomes one published node under its nearest described ancestor, with the
// states, bounds, text and caret it has now; and finds the node behind a published identity
// when an assistive technology presses it.
#pragma once

#include <cstdint>
#include <string>

#include "cocos/accessibility/PublishedTree.h"
#include "cocos/math/AffineTransform.h"

namespace cocos2d {
class Node;
class Scene;
}  // namespace cocos2d

namespace cocos2d::accessibility {

struct WindowGeometry {
  std::string name;              // the window's title
  Size frameSize;                // in pixels
  AffineTransform designToWindow;  // design units to window pixels, y down
};

// The tree of the scene as it would be drawn now. Hidden nodes and their subtrees are left
// out (the command page that is not shown, for one); a scene in transition publishes nothing,
// as it takes no input until the incoming screen has settled.
Snapshot buildSnapshot(Scene* scene, const WindowGeometry& window);

// The node published under the identity if it can be pressed now (visible, enabled, in the
// running scene), or null.
Node* findPressableNode(Scene* scene, std::uint64_t id);

// Presses a node as a tap would: its own press action, or a menu item's activation.
void pressNode(Node* node);

}  // namespace cocos2d::accessibility
