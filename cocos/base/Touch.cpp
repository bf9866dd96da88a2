#include "cocos/base/Touch.h"

namespace cocos2d {

void Touch::setTouchInfo(int id, const Vec2& point) {
  _id = id;
  _point = _prevPoint = _startPoint = point;
}

void Touch::moveTo(const Vec2& point) {
  _prevPoint = _point;
  _point = point;
}

}  // namespace cocos2d
