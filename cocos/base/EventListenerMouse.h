// Receives mouse events (the wheel), front-most node first, until one stops the event.
#pragma once

#include <functional>

#include "cocos/base/EventListener.h"

namespace cocos2d {

class EventMouse;

class EventListenerMouse : public EventListener {
 public:
  static EventListenerMouse* create();
  bool checkAvailable() override { return static_cast<bool>(onMouseScroll); }

  std::function<void(EventMouse*)> onMouseScroll;

 private:
  EventListenerMouse() : EventListener(Type::MOUSE) {}
};

}  // namespace cocos2d
