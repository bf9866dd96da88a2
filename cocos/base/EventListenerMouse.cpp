#include "cocos/base/EventListenerMouse.h"

namespace cocos2d {

EventListenerMouse* EventListenerMouse::create() {
  auto* listener = new EventListenerMouse();
  listener->autorelease();
  return listener;
}

}  // namespace cocos2d
