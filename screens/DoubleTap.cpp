#include "screens/DoubleTap.h"

#include <cmath>

namespace {

bool closeTogether(const cocos2d::Vec2& a, const cocos2d::Vec2& b) {
  return std::hypot(a.x - b.x, a.y - b.y) <= DoubleTap::kMaxDistance;
}

}  // namespace

void DoubleTap::began(std::uint64_t now, const cocos2d::Vec2& at, int target) {
  _current = {now, at, target};
  _dragged = false;
}

void DoubleTap::moved(const cocos2d::Vec2& at) {
  if (!closeTogether(at, _current.at)) _dragged = true;
}

int DoubleTap::ended(const cocos2d::Vec2& at) {
  moved(at);
  if (_dragged || _current.target < 0) {
    _previous.reset();
    return -1;
  }
  const bool second = _previous && _previous->target == _current.target && _current.time >= _previous->time &&
                      _current.time - _previous->time <= kMaxInterval &&
                      closeTogether(_current.at, _previous->at);
  if (!second) {
    _previous = _current;
    return -1;
  }
  _previous.reset();
  return _current.target;
}

void DoubleTap::cancelled() {
  _dragged = true;
  _previous.reset();
}
