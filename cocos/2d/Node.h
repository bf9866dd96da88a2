// The scene-graph node: a place in the tree with position, anchor, size, scale, rotation,
// colour and visibility; it enters and leaves the running scene, takes per-frame updates and
// draws itself between its back and front children.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "cocos/base/Ref.h"
#include "cocos/base/ccTypes.h"
#include "cocos/math/AffineTransform.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class EventDispatcher;
class Renderer;
namespace accessibility {
class Accessible;
}

class Node : public Ref {
 public:
  static Node* create();
  virtual bool init();

  // --- the tree. Children are kept ordered by local z-order, then by order of arrival.
  virtual void addChild(Node* child);
  virtual void addChild(Node* child, int localZOrder);
  // Leaves the running scene at once; with cleanup, its updates and listeners go too.
  virtual void removeChild(Node* child, bool cleanup = true);
  virtual void removeFromParentAndCleanup(bool cleanup);
  virtual const std::vector<Node*>& getChildren() const { return _children; }
  Node* getParent() const { return _parent; }
  // The children as the tree holds them; containers that redirect getChildren (ScrollView)
  // still report their real children here. The dispatcher and renderer walk this.
  const std::vector<Node*>& getSceneGraphChildren() const { return _children; }

  // --- geometry
  virtual void setPosition(const Vec2& position);
  void setPosition(float x, float y) { setPosition(Vec2(x, y)); }
  const Vec2& getPosition() const { return _position; }
  float getPositionX() const { return _position.x; }
  float getPositionY() const { return _position.y; }
  virtual void setAnchorPoint(const Vec2& anchor);
  const Vec2& getAnchorPoint() const { return _anchorPoint; }
  virtual Vec2 getAnchorPointInPoints() const;
  virtual void setContentSize(const Size& size);
  virtual const Size& getContentSize() const { return _contentSize; }
  virtual void setScale(float scaleX, float scaleY);
  float getScaleX() const { return _scaleX; }
  float getScaleY() const { return _scaleY; }
  // Degrees, clockwise positive.
  virtual void setRotation(float degrees);
  float getRotation() const { return _rotation; }
  // When set, the position places the node's bottom-left corner and the anchor plays no part.
  virtual void setIgnoreAnchorPointForPosition(bool ignore);
  bool isIgnoreAnchorPointForPosition() const { return _ignoreAnchorPointForPosition; }
  int getLocalZOrder() const { return _localZOrder; }

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
  void setCascadeColorEnabled(bool enabled);
  void setCascadeOpacityEnabled(bool enabled);

  // --- life cycle; overrides must call the base version.
  bool isRunning() const { return _running; }
  virtual void onEnter();
  virtual void onEnterTransitionDidFinish();
  virtual void onExitTransitionDidStart();
  virtual void onExit();
  // Unschedules the updates and removes the listeners of this node and of all its descendants.
  virtual void cleanup();

  // --- the per-frame update, paused while the node is not running.
  void scheduleUpdate();
  virtual void update(float delta);

  EventDispatcher* getEventDispatcher() const;

  // --- coordinate spaces. The parent transform is
  // T(position) * R(rotation, clockwise) * S(scaleX, scaleY) * T(-anchor * contentSize).
  virtual AffineTransform getNodeToParentTransform() const;
  AffineTransform getNodeToWorldTransform() const;
  Vec2 convertToNodeSpace(const Vec2& worldPoint) const;
  Vec2 convertToWorldSpace(const Vec2& nodePoint) const;

  // --- drawing. transform maps the node's space to window pixels.
  virtual void visit(Renderer* renderer, const AffineTransform& parentTransform);
  virtual void draw(Renderer* renderer, const AffineTransform& transform);

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
  virtual void visitContent(Renderer* renderer, const AffineTransform& transform);
  void insertChild(Node* child, int localZOrder);

  // Refreshed at each visit: what draw() uses.
  Color3B _displayedColor;
  std::uint8_t _displayedOpacity = 255;

 private:
  // The colour and opacity after those of cascading ancestors are applied.
  Color3B getDisplayedColor() const;
  std::uint8_t getDisplayedOpacity() const;

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
