// Tells a double tap from single taps and drags: two taps on the same target, the second
// pressed within half a second of the first and near it, neither of them dragged. Times are
// the framework's clock readings, so that scripts on the virtual clock tap twice as users do.
#pragma once

#include <cstdint>
#include <optional>

#include "cocos/math/Vec2.h"

class DoubleTap {
 public:
  static constexpr std::uint64_t kMaxInterval = 500 * 10000;  // 100-nanosecond ticks
  // How far (design units) a tap may wander and still be a tap, and the second tap lie from
  // the first: a few pixels of a hand on a mouse or a finger on a screen.
  static constexpr float kMaxDistance = 20;

  // A touch went down on a target (a tape line; negative for none).
  void began(std::uint64_t now, const cocos2d::Vec2& at, int target);
  void moved(const cocos2d::Vec2& at);
  // The touch ended: the target of the double tap it completed, or -1. A third tap then
  // starts afresh.
  int ended(const cocos2d::Vec2& at);
  // The system took the touch away: it counts as no tap.
  void cancelled();

 private:
  struct Tap {
    std::uint64_t time;
    cocos2d::Vec2 at;
    int target;
  };
  std::optional<Tap> _previous;  // the last tap, while it may be the first of two
  Tap _current{0, cocos2d::Vec2(), -1};
  bool _dragged = false;
};
