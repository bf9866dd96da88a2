// A mouse event: only the wheel, as the left button arrives as touches. Scroll amounts are in
// notches, with the engine API's signs: scrollY > 0 when the wheel is rolled towards the user
// (scrolling down), scrollX > 0 to the right. The cursor is in design units, origin bottom-left.
#pragma once

#include "cocos/base/Event.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class EventMouse : public Event {
 public:
  EventMouse() : Event(Type::MOUSE) {}

  void setScrollData(float scrollX, float scrollY) {
    _scrollX = scrollX;
    _scrollY = scrollY;
  }
  float getScrollX() const { return _scrollX; }
  float getScrollY() const { return _scrollY; }

  void setCursorPosition(float x, float y) { _cursor = Vec2(x, y); }
  Vec2 getLocation() const { return _cursor; }

 private:
  float _scrollX = 0, _scrollY = 0;
  Vec2 _cursor;
};

}  // namespace cocos2d
