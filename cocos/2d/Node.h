// The scene-graph node: a place in the tree with position, anchor, size, scale, rotation,
// colour and visibility; it enters and leaves the running scene, takes per-frame updates and
// draws itself between its back and front children.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cocos/base/Ref.h"
#include "cocos/base/ccMacros.h"
#include "cocos/base/ccTypes.h"
#include "cocos/math/AffineTransform.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class EventDispatcher;
class Renderer;
class Scene;
class Scheduler;
class Touch;
namespace accessibility {
class Accessible;
}

class Node : public Ref {
 public:
  static constexpr int INVALID_TAG = -1;

  static Node* create();
  virtual bool init();

  // --- the tree. Children are kept ordered by local z-order, then by order of arrival.
  virtual void addChild(Node* child);
  virtual void addChild(Node* child, int localZOrder);
  virtual void addChild(Node* child, int localZOrder, int tag);
  virtual void addChild(Node* child, int localZOrder, const std::string& name);
  // Leaves the running scene at once; with cleanup, its updates, callbacks and listeners go too.
  virtual void removeChild(Node* child, bool cleanup = true);
  void removeChildByTag(int tag, bool cleanup = true);
  void removeChildByName(const std::string& name, bool cleanup = true);
  virtual void removeAllChildren();
  virtual void removeAllChildrenWithCleanup(bool cleanup);
  void removeFromParent();
  virtual void removeFromParentAndCleanup(bool cleanup);
  virtual const std::vector<Node*>& getChildren() const { return _children; }
  virtual std::size_t getChildrenCount() const { return _children.size(); }
  virtual Node* getChildByName(const std::string& name) const;
  virtual Node* getChildByTag(int tag) const;
  template <typename T>
  T getChildByName(const std::string& name) const {
    return static_cast<T>(getChildByName(name));
  }
  Node* getParent() const { return _parent; }
  // The children as the tree holds them; containers that redirect getChildren (ScrollView)
  // still report their real children here. The dispatcher and renderer walk this.
  const std::vector<Node*>& getSceneGraphChildren() const { return _children; }
  virtual void reorderChild(Node* child, int localZOrder);
  // The scene at the root of this node's tree, or null.
  Scene* getScene() const;

  // --- geometry
  virtual void setPosition(const Vec2& position);
  void setPosition(float x, float y) { setPosition(Vec2(x, y)); }
  const Vec2& getPosition() const { return _position; }
  float getPositionX() const { return _position.x; }
  float getPositionY() const { return _position.y; }
  void setPositionX(float x) { setPosition(Vec2(x, _position.y)); }
  void setPositionY(float y) { setPosition(Vec2(_position.x, y)); }
  virtual void setAnchorPoint(const Vec2& anchor);
  const Vec2& getAnchorPoint() const { return _anchorPoint; }
  virtual Vec2 getAnchorPointInPoints() const;
  virtual void setContentSize(const Size& size);
  virtual const Size& getContentSize() const { return _contentSize; }
  virtual void setScale(float scale);
  virtual void setScale(float scaleX, float scaleY);
  virtual void setScaleX(float scaleX);
  virtual void setScaleY(float scaleY);
  float getScale() const { return _scaleX; }
  float getScaleX() const { return _scaleX; }
  float getScaleY() const { return _scaleY; }
  // Degrees, clockwise positive.
  virtual void setRotation(float degrees);
  float getRotation() const { return _rotation; }
  // When set, the position places the node's bottom-left corner and the anchor plays no part.
  virtual void setIgnoreAnchorPointForPosition(bool ignore);
  bool isIgnoreAnchorPointForPosition() const { return _ignoreAnchorPointForPosition; }
  virtual void setLocalZOrder(int localZOrder);
  int getLocalZOrder() const { return _localZOrder; }

  // --- identity
  void setTag(int tag) { _tag = tag; }
  int getTag() const { return _tag; }
  void setName(const std::string& name) { _name = name; }
  const std::string& getName() const { return _name; }

  // --- what the node shows to assistive technologies; null when it shows nothing itself
  // (its descendants may).
  void setAccessible(std::unique_ptr<accessibility::Accessible> accessible);
  accessibility::Accessible* getAccessible() const { return _accessible.get(); }

  // --- appearance
  virtual void setVisible(bool visible);
  bool isVisible() const { return _visible; }
  // Showing and hiding this node alters nothing that assistive technologies read (a blinking
  // cursor): frames drawn only for that are not published again.
  void setVisibilityCosmetic(bool cosmetic) { _visibilityCosmetic = cosmetic; }
  // True when this node and every ancestor are visible: only such nodes are drawn or hit.
  bool isVisibleWithAncestors() const;
  virtual void setColor(const Color3B& color);
  const Color3B& getColor() const { return _realColor; }
  virtual void setOpacity(std::uint8_t opacity);
  std::uint8_t getOpacity() const { return _realOpacity; }
  // The colour and opacity after those of cascading ancestors are applied.
  Color3B getDisplayedColor() const;
  std::uint8_t getDisplayedOpacity() const;
  void setCascadeColorEnabled(bool enabled);
  bool isCascadeColorEnabled() const { return _cascadeColorEnabled; }
  void setCascadeOpacityEnabled(bool enabled);
  bool isCascadeOpacityEnabled() const { return _cascadeOpacityEnabled; }

  // --- life cycle; overrides must call the base version.
  bool isRunning() const { return _running; }
  virtual void onEnter();
  virtual void onEnterTransitionDidFinish();
  virtual void onExitTransitionDidStart();
  virtual void onExit();
  // Unschedules everything and removes the listeners of this node and of all its descendants.
  virtual void cleanup();

  // --- scheduling; everything is paused while the node is not running.
  void scheduleUpdate();
  void unscheduleUpdate();
  virtual void update(float delta);
  void schedule(const std::function<void(float)>& callback, const std::string& key);
  void schedule(const std::function<void(float)>& callback, float interval, const std::string& key);
  void schedule(const std::function<void(float)>& callback, float interval, unsigned int repeat, float delay,
                const std::string& key);
  void scheduleOnce(const std::function<void(float)>& callback, float delay, const std::string& key);
  void unschedule(const std::string& key);
  bool isScheduled(const std::string& key) const;
  void unscheduleAllCallbacks();

  EventDispatcher* getEventDispatcher() const;
  Scheduler* getScheduler() const;

  // --- coordinate spaces. The parent transform is
  // T(position) * R(rotation, clockwise) * S(scaleX, scaleY) * T(-anchor * contentSize).
  virtual AffineTransform getNodeToParentTransform() const;
  AffineTransform getParentToNodeTransform() const;
  AffineTransform getNodeToWorldTransform() const;
  AffineTransform getWorldToNodeTransform() const;
  Vec2 convertToNodeSpace(const Vec2& worldPoint) const;
  Vec2 convertToWorldSpace(const Vec2& nodePoint) const;
  Vec2 convertTouchToNodeSpace(const Touch* touch) const;
  // The content rectangle transformed into the parent's space (its axis-aligned bounds).
  Rect getBoundingBox() const;

  // --- drawing. transform maps the node's space to window pixels.
  virtual void visit(Renderer* renderer, const AffineTransform& parentTransform, std::uint32_t parentFlags);
  virtual void draw(Renderer* renderer, const AffineTransform& transform, std::uint32_t flags);

 protected:
  Node();
  ~Node() override;
  // Any change that can alter the picture calls this so that the next frame is drawn.
  static void requestRedraw();
  // True for nodes that draw nothing outside their content rectangle (solid rectangles,
  // images): a change to one without children then redraws only its bounds.
  virtual bool drawsOnlyWithinContent() const { return false; }
  // The world-space bounds of everything this node draws, when it can tell; false when it
  // may draw anywhere, and a change to it redraws the whole frame.
  virtual bool getDrawnBounds(Rect& world) const;
  // Marks what the node draws as changed; called before and after a change, so that both the
  // old and the new picture of the node are redrawn.
  void invalidateDrawnArea(bool cosmetic = false) const;
  // Draws the children with negative z, then the node, then the other children; containers
  // that clip override it.
  virtual void visitContent(Renderer* renderer, const AffineTransform& transform, std::uint32_t flags);
  void insertChild(Node* child, int localZOrder);

  // Refreshed at each visit: what draw() uses.
  Color3B _displayedColor;
  std::uint8_t _displayedOpacity = 255;

 private:
  std::vector<Node*> _children;
  Node* _parent = nullptr;
  Vec2 _position;
  Vec2 _anchorPoint;
  Size _contentSize;
  float _scaleX = 1, _scaleY = 1;
  float _rotation = 0;
  bool _ignoreAnchorPointForPosition = false;
  int _localZOrder = 0;
  std::uint64_t _orderOfArrival = 0;
  int _tag = INVALID_TAG;
  std::string _name;
  bool _visible = true;
  Color3B _realColor;
  std::uint8_t _realOpacity = 255;
  bool _cascadeColorEnabled = false;
  bool _cascadeOpacityEnabled = false;
  bool _running = false;
  bool _isTransitionFinished = false;
  bool _visibilityCosmetic = false;
  std::unique_ptr<accessibility::Accessible> _accessible;
};

}  // namespace cocos2d
