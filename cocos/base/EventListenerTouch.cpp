#include "cocos/base/EventListenerTouch.h"

namespace cocos2d {

EventListenerTouchOneByOne* EventListenerTouchOneByOne::create() {
  auto* listener = new EventListenerTouchOneByOne();
  listener->autorelease();
  return listener;
}

}  // namespace cocos2d
