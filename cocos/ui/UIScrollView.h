// A window onto a larger inner container: children live in the container, whose position is
// the scroll offset; the view clips them to its rectangle and scrolls by dragging (never past
// the container's edges) or by animated scrolls to the edges.
#pragma once

#include <string>
#include <vector>

#include "cocos/ui/UILayout.h"

namespace cocos2d {

class Touch;
class Event;
class EventListenerTouchOneByOne;

namespace ui {

class ScrollView : public Layout {
 public:
  enum class Direction { NONE, VERTICAL, HORIZONTAL, BOTH };

  static ScrollView* create();
  bool init() override;

  // The view's size; the inner container is never smaller.
  void setContentSize(const Size& size) override;
  void setDirection(Direction direction) { _direction = direction; }
  Direction getDirection() const { return _direction; }
  // Accepted for compatibility: dragging never goes past the edges either way.
  void setBounceEnabled(bool enabled) { _bounceEnabled = enabled; }
  bool isBounceEnabled() const { return _bounceEnabled; }
  void setInertiaScrollEnabled(bool enabled) { _inertiaEnabled = enabled; }
  bool isInertiaScrollEnabled() const { return _inertiaEnabled; }
  void setScrollBarEnabled(bool enabled) { _scrollBarEnabled = enabled; }
  bool isScrollBarEnabled() const { return _scrollBarEnabled; }

  // At least the view's size; the offset is brought back into the allowed range.
  void setInnerContainerSize(const Size& size);
  const Size& getInnerContainerSize() const;
  Layout* getInnerContainer() const { return _innerContainer; }
  // The container's position: (0, 0) shows its bottom-left corner; the allowed range is
  // x in [viewWidth - innerWidth, 0] and y in [viewHeight - innerHeight, 0]. Not clamped.
  void setInnerContainerPosition(const Vec2& position);
  const Vec2& getInnerContainerPosition() const;

  // Scrolls to an edge or corner over timeInSec (0: at once); attenuated eases out.
  void scrollToBottom(float timeInSec, bool attenuated);
  void scrollToTop(float timeInSec, bool attenuated);
  void scrollToLeft(float timeInSec, bool attenuated);
  void scrollToRight(float timeInSec, bool attenuated);
  void scrollToBottomLeft(float timeInSec, bool attenuated);
  void scrollToTopLeft(float timeInSec, bool attenuated);
  void scrollToBottomRight(float timeInSec, bool attenuated);
  void scrollToTopRight(float timeInSec, bool attenuated);
  void jumpToBottom() { scrollToBottom(0, false); }
  void jumpToTop() { scrollToTop(0, false); }
  void jumpToBottomLeft() { scrollToBottomLeft(0, false); }
  void stopAutoScroll() { _autoScrolling = false; }
  bool isAutoScrolling() const { return _autoScrolling; }

  // A disabled view ignores touches completely.
  void setEnabled(bool enabled);
  bool isEnabled() const { return _enabled; }
  void setTouchEnabled(bool enabled);
  bool isTouchEnabled() const { return _touchEnabled; }
  // Whether a touch the view claims is kept from the listeners behind it (the default).
  void setSwallowTouches(bool swallow);
  bool isSwallowTouches() const;

  // Children go into the inner container.
  void addChild(Node* child) override;
  void addChild(Node* child, int localZOrder) override;
  void addChild(Node* child, int localZOrder, int tag) override;
  void addChild(Node* child, int localZOrder, const std::string& name) override;
  void removeChild(Node* child, bool cleanup = true) override;
  void removeAllChildrenWithCleanup(bool cleanup) override;
  const std::vector<Node*>& getChildren() const override;
  std::size_t getChildrenCount() const override;
  Node* getChildByName(const std::string& name) const override;
  Node* getChildByTag(int tag) const override;

  void onEnter() override;
  void update(float delta) override;

  virtual bool onTouchBegan(Touch* touch, Event* event);
  virtual void onTouchMoved(Touch* touch, Event* event);
  virtual void onTouchEnded(Touch* touch, Event* event);
  virtual void onTouchCancelled(Touch* touch, Event* event);

 protected:
  ScrollView() = default;
  ~ScrollView() override;
  void visitContent(Renderer* renderer, const AffineTransform& transform, std::uint32_t flags) override;

 private:
  Vec2 clampToRange(const Vec2& position) const;
  void scrollTo(const Vec2& target, float timeInSec, bool attenuated);

  Layout* _innerContainer = nullptr;  // a child
  EventListenerTouchOneByOne* _touchListener = nullptr;  // retained
  Direction _direction = Direction::VERTICAL;
  bool _bounceEnabled = false;
  bool _inertiaEnabled = true;
  bool _scrollBarEnabled = true;
  bool _enabled = true;
  bool _touchEnabled = true;
  bool _dragging = false;

  bool _autoScrolling = false;
  bool _autoScrollAttenuated = false;
  float _autoScrollDuration = 0;
  float _autoScrollElapsed = 0;
  Vec2 _autoScrollStart;
  Vec2 _autoScrollTarget;
};

}  // namespace ui
}  // namespace cocos2d
