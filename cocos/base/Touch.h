// One finger (or the mouse) on the screen: where it started, where it was and where it is, in
// design coordinates with the origin at the bottom-left.
#pragma once

#include "cocos/base/Ref.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class Touch : public Ref {
 public:
  Touch() = default;

  int getID() const { return _id; }
  Vec2 getLocation() const { return _point; }
  Vec2 getPreviousLocation() const { return _prevPoint; }
  Vec2 getStartLocation() const { return _startPoint; }
  Vec2 getDelta() const { return _point - _prevPoint; }

  // Starts the touch at a point: start, previous and current locations coincide.
  void setTouchInfo(int id, const Vec2& point);
  // Moves the touch; the old location becomes the previous one.
  void moveTo(const Vec2& point);

 private:
  int _id = 0;
  Vec2 _point, _prevPoint, _startPoint;
};

}  // namespace cocos2d
