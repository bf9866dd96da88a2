// A window onto a larger inner container: children live in the container, whose position is
// the scroll offset; the view clips them to its rectangle and scrolls by dragging or by the
// mouse wheel over it (never past the container's edges), or by animated scrolls to the edges.
#pragma once

#include <vector>

#include "cocos/ui/UILayout.h"

namespace cocos2d {

class Touch;
class Event;
class EventMouse;

namespace ui {

class ScrollView : public Layout {
 public:
  enum class Direction { VERTICAL, HORIZONTAL, BOTH };

  static ScrollView* create();
  bool init() override;

  // The view's size; the inner container is never smaller.
  void setContentSize(const Size& size) override;
  void setDirection(Direction direction) { _direction = direction; }
  // Accepted for compatibility: dragging never goes past the edges either way.
  void setBounceEnabled(bool) {}

  // At least the view's size; the offset is brought back into the allowed range.
  void setInnerContainerSize(const Size& size);
  // The container's position: (0, 0) shows its bottom-left corner; the allowed range is
  // x in [viewWidth - innerWidth, 0] and y in [viewHeight - innerHeight, 0].
  const Vec2& getInnerContainerPosition() const;

  // Scrolls to the bottom-left corner over timeInSec (0: at once); attenuated eases out.
  void scrollToBottomLeft(float timeInSec, bool attenuated);

  // How far one notch of the wheel moves the container, in the view's units. Unset (0), it is
  // the view's extent to the power 2/3 along each axis, as desktop toolkits scroll: a line or
  // two of a short view, more of a tall one.
  void setMouseScrollStep(float step) { _mouseScrollStep = step; }

  // A disabled view ignores touches and the wheel completely.
  void setEnabled(bool enabled);

  // Children go into the inner container.
  void addChild(Node* child) override;
  void addChild(Node* child, int localZOrder) override;
  void removeChild(Node* child, bool cleanup = true) override;
  const std::vector<Node*>& getChildren() const override;

  void onEnter() override;
  void update(float delta) override;

 protected:
  ScrollView() = default;
  ~ScrollView() override = default;
  void visitContent(Renderer* renderer, const AffineTransform& transform) override;

 private:
  bool onTouchBegan(Touch* touch, Event* event);
  void onTouchMoved(Touch* touch, Event* event);
  void onTouchEnded(Touch* touch, Event* event);
  void onTouchCancelled(Touch* touch, Event* event);
  void onMouseScroll(EventMouse* event);
  const Size& getInnerContainerSize() const;
  void setInnerContainerPosition(const Vec2& position);
  Vec2 clampToRange(const Vec2& position) const;
  void scrollTo(const Vec2& target, float timeInSec, bool attenuated);

  Layout* _innerContainer = nullptr;  // a child
  Direction _direction = Direction::VERTICAL;
  bool _enabled = true;
  bool _dragging = false;
  float _mouseScrollStep = 0;

  bool _autoScrolling = false;
  bool _autoScrollAttenuated = false;
  float _autoScrollDuration = 0;
  float _autoScrollElapsed = 0;
  Vec2 _autoScrollStart;
  Vec2 _autoScrollTarget;
};

}  // namespace ui
}  // namespace cocos2d
