#include "cocos/accessibility/TreeBuilder.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>
#include <vector>

#include "cocos/2d/Menu.h"
#include "cocos/2d/MenuItem.h"
#include "cocos/2d/Scene.h"
#include "cocos/2d/Transition.h"
#include "cocos/base/Utf8.h"
#include "cocos/ui/UIScrollView.h"

namespace cocos2d::accessibility {
namespace {

// D-Bus refuses strings that are not valid UTF-8, and the line and the memory slots may hold
// any bytes: each byte that cannot be read becomes U+FFFD, as the screen shows it.
std::string validUtf8(const std::string& bytes) { return toValidUtf8(bytes); }

// Text longer than this is published in part: a screen reader has no use for megabytes read
// out, and copying them after every frame would cost more than drawing.
constexpr std::size_t kMaxPublishedTextBytes = 8192;

struct TextWindow {
  std::size_t from, to;  // byte offsets, on character boundaries
};

// The whole text when it is short; otherwise as much as the limit allows from its start, or,
// where there is a caret, around it.
TextWindow publishedWindow(const std::string& bytes, int caret) {
  if (bytes.size() <= kMaxPublishedTextBytes) return {0, bytes.size()};
  std::size_t from = 0;
  if (caret > 0) {
    const auto at = static_cast<std::size_t>(caret);
    from = at > kMaxPublishedTextBytes / 2 ? at - kMaxPublishedTextBytes / 2 : 0;
    from = std::min(from, bytes.size() - kMaxPublishedTextBytes);
  }
  from = utf8BoundaryAtOrBefore(bytes, from);
  const std::size_t to = utf8BoundaryAtOrBefore(bytes, from + kMaxPublishedTextBytes);
  return {from, to};
}

// The editor moves its cursor by bytes, so it can stand inside a character; it then counts
// as after that character.
int caretInCharacters(const std::string& bytes, int caretByte) {
  if (caretByte <= 0) return 0;
  return static_cast<int>(countUtf8CodePointsBefore(bytes, static_cast<std::size_t>(caretByte)));
}

// Whole pixels. Coordinates are kept within a range that no window reaches, so that a node
// flung far away (or collapsed by a transform) still gives a box whose sizes fit in an int.
int toPixel(float v) {
  constexpr float kFar = 1e6f;
  if (!(v > -kFar)) return static_cast<int>(-kFar);  // NaN lands here too
  if (v > kFar) return static_cast<int>(kFar);
  return static_cast<int>(std::lround(v));
}

PixelBox toPixelBox(const Rect& r) {
  const int x0 = toPixel(r.getMinX()), y0 = toPixel(r.getMinY());
  const int x1 = toPixel(r.getMaxX()), y1 = toPixel(r.getMaxY());
  return PixelBox{x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

Rect intersect(const Rect& a, const Rect& b) {
  const float x0 = std::max(a.getMinX(), b.getMinX()), y0 = std::max(a.getMinY(), b.getMinY());
  const float x1 = std::min(a.getMaxX(), b.getMaxX()), y1 = std::min(a.getMaxY(), b.getMaxY());
  return Rect(x0, y0, std::max(0.0f, x1 - x0), std::max(0.0f, y1 - y0));
}

// One described node with its described descendants, before they are put in reading order.
struct Item {
  PublishedNode node;
  int focusPriority = 0;
  std::vector<Item> children;
};

class Collector {
 public:
  void visit(Node* node, const AffineTransform& parentToWindow, const Rect& clip, bool enabled,
             std::vector<Item>& siblings) {
    if (!node->isVisible()) return;
    const AffineTransform toWindow = parentToWindow * node->getNodeToParentTransform();
    const Size& size = node->getContentSize();
    const Rect box = toWindow.applyToBounds(Rect(0, 0, size.width, size.height));
    bool childrenEnabled = enabled;
    if (const auto* menu = dynamic_cast<const Menu*>(node); menu && !menu->isEnabled()) childrenEnabled = false;
    Rect childClip = clip;
    if (dynamic_cast<const ui::ScrollView*>(node)) childClip = intersect(clip, box);

    Accessible* accessible = node->getAccessible();
    if (!accessible) {
      for (Node* child : node->getSceneGraphChildren()) visit(child, toWindow, childClip, childrenEnabled, siblings);
      return;
    }
    Item item;
    describe(node, *accessible, box, clip, enabled, item);
    for (Node* child : node->getSceneGraphChildren()) visit(child, toWindow, childClip, childrenEnabled, item.children);
    siblings.push_back(std::move(item));
  }

 private:
  static void describe(Node* node, const Accessible& a, const Rect& box, const Rect& clip, bool enabled, Item& item) {
    PublishedNode& p = item.node;
    p.id = a.id();
    p.role = a.role;
    p.description = validUtf8(a.description);
    if (a.textSource) {
      const std::string& bytes = a.textSource();
      p.hasText = true;
      const int caret = a.caretSource ? a.caretSource() : -1;
      const TextWindow window = publishedWindow(bytes, caret);
      const std::string shown = bytes.substr(window.from, window.to - window.from);
      p.text = validUtf8(shown);
      if (window.to < bytes.size()) p.text += "\xE2\x80\xA6";  // an ellipsis: more follows
      if (a.caretSource) p.caret = caretInCharacters(shown, caret - static_cast<int>(window.from));
    }
    p.name = validUtf8(a.nameSource ? a.nameSource() : a.name);
    if (p.name.empty() && p.hasText && (a.role == Role::ListItem || a.role == Role::Label)) p.name = p.text;
    p.hasAction = static_cast<bool>(a.press) || dynamic_cast<MenuItem*>(node) != nullptr;
    p.bounds = toPixelBox(box);
    const Rect seen = intersect(box, clip);
    if (seen.size.width > 0 && seen.size.height > 0) p.states |= kShowing;
    if (enabled) p.states |= kEnabled;
    if (a.role == Role::Entry) p.states |= kEditable;
    if (a.focusPriority > 0) p.states |= kFocusable;
    item.focusPriority = a.focusPriority;
  }
};

// Top to bottom, then left to right: the order in which the screen reads. Controls in one
// row share their top edge exactly, being placed from the same row coordinate.
void putInReadingOrder(std::vector<Item>& items) {
  std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    if (a.node.bounds.y != b.node.bounds.y) return a.node.bounds.y < b.node.bounds.y;
    return a.node.bounds.x < b.node.bounds.x;
  });
  for (Item& item : items) putInReadingOrder(item.children);
}

void flatten(std::vector<Item>& items, std::uint64_t parent, Snapshot& out, std::unordered_set<std::uint64_t>& seen,
             int& bestPriority) {
  for (Item& item : items) {
    // Controls that share an object: only one of them is visible at a time; should two be,
    // the first in reading order speaks for the object.
    if (!seen.insert(item.node.id).second) continue;
    item.node.parent = parent;
    const bool canFocus = item.focusPriority > 0 && (item.node.states & kShowing) && (item.node.states & kEnabled);
    if (canFocus && item.focusPriority > bestPriority) {
      bestPriority = item.focusPriority;
      out.focused = item.node.id;
    }
    const std::uint64_t id = item.node.id;
    out.nodes.push_back(std::move(item.node));
    flatten(item.children, id, out, seen, bestPriority);
  }
}

Node* findIn(Node* node, std::uint64_t id, bool enabled) {
  if (!node->isVisible()) return nullptr;
  if (const Accessible* a = node->getAccessible(); a && a->id() == id) return enabled ? node : nullptr;
  if (const auto* menu = dynamic_cast<const Menu*>(node); menu && !menu->isEnabled()) enabled = false;
  for (Node* child : node->getSceneGraphChildren()) {
    if (Node* found = findIn(child, id, enabled)) return found;
  }
  return nullptr;
}

}  // namespace

Snapshot buildSnapshot(Scene* scene, const WindowGeometry& window) {
  Snapshot snapshot;
  snapshot.windowName = validUtf8(window.name);
  snapshot.window = PixelBox{0, 0, static_cast<int>(window.frameSize.width), static_cast<int>(window.frameSize.height)};
  if (!scene || dynamic_cast<TransitionScene*>(scene)) return snapshot;
  std::vector<Item> top;
  Collector collector;
  const Rect windowRect(0, 0, window.frameSize.width, window.frameSize.height);
  collector.visit(scene, window.designToWindow, windowRect, true, top);
  putInReadingOrder(top);
  std::unordered_set<std::uint64_t> seen;
  int bestPriority = 0;
  flatten(top, kWindowId, snapshot, seen, bestPriority);
  for (PublishedNode& node : snapshot.nodes) {
    if (snapshot.focused != kWindowId && node.id == snapshot.focused) node.states |= kFocused;
  }
  return snapshot;
}

Node* findPressableNode(Scene* scene, std::uint64_t id) {
  if (!scene || id == kWindowId || dynamic_cast<TransitionScene*>(scene)) return nullptr;
  return findIn(scene, id, true);
}

void pressNode(Node* node) {
  const Accessible* a = node->getAccessible();
  if (a && a->press) {
    // A copy: the action may replace the node's description or remove the node.
    const std::function<void()> press = a->press;
    press();
  } else if (auto* item = dynamic_cast<MenuItem*>(node)) {
    item->activate();
  }
}

}  // namespace cocos2d::accessibility
