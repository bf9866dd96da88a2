#include "cocos/base/EventListenerKeyboard.h"

namespace cocos2d {

EventListenerKeyboard* EventListenerKeyboard::create() {
  auto* listener = new EventListenerKeyboard();
  listener->autorelease();
  return listener;
}

}  // namespace cocos2d
