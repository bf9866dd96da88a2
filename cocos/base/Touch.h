// One finger (or the mouse) on the screen: where it was and where it is, in
// design coordinates with the origin at the bottom-left.
#pragma once

#include "cocos/base/Ref.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class Touch : public Ref {
 public:
  Touch() = default;

  Vec2 getLocation() const { return _point; }
  Vec2 getPreviousLocation() const { return _prevPoint; }

  // Starts the touch at a point: the previous and current locations coincide.
  void setTouchInfo(const Vec2& point);
  // Moves the touch; the old location becomes the previous one.
  void moveTo(const Vec2& point);

 private:
  Vec2 _point, _prevPoint;
};

}  // namespace cocos2d
