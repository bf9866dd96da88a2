#include "cocos/base/Touch.h"

namespace cocos2d {

void Touch::setTouchInfo(const Vec2& point) { _point = _prevPoint = point; }

void Touch::moveTo(const Vec2& point) {
  _prevPoint = _point;
  _point = point;
}

}  // namespace cocos2d
