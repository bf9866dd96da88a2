// Receives touches one at a time: a listener claims a touch by returning true from
// onTouchBegan and then alone among the listeners that did not claim it sees its moves and end.
#pragma once

#include <functional>
#include <vector>

#include "cocos/base/EventListener.h"

namespace cocos2d {

class Touch;
class Event;

class EventListenerTouchOneByOne : public EventListener {
 public:
  using ccTouchBeganCallback = std::function<bool(Touch*, Event*)>;
  using ccTouchCallback = std::function<void(Touch*, Event*)>;

  static EventListenerTouchOneByOne* create();

  // A swallowing listener that claims a touch keeps its began from the listeners after it.
  void setSwallowTouches(bool needSwallow) { _needSwallow = needSwallow; }
  bool checkAvailable() override { return static_cast<bool>(onTouchBegan); }

  ccTouchBeganCallback onTouchBegan;
  ccTouchCallback onTouchMoved;
  ccTouchCallback onTouchEnded;
  ccTouchCallback onTouchCancelled;

 private:
  friend class EventDispatcher;
  EventListenerTouchOneByOne() : EventListener(Type::TOUCH_ONE_BY_ONE) {}
  bool _needSwallow = false;
  std::vector<Touch*> _claimedTouches;
};

}  // namespace cocos2d
