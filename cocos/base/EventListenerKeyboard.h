// Receives key presses and releases; every listener of a running node gets each key.
#pragma once

#include <functional>

#include "cocos/base/EventKeyboard.h"
#include "cocos/base/EventListener.h"

namespace cocos2d {

class EventListenerKeyboard : public EventListener {
 public:
  using ccKeyCallback = std::function<void(EventKeyboard::KeyCode, Event*)>;

  static EventListenerKeyboard* create();
  bool checkAvailable() override { return onKeyPressed || onKeyReleased; }

  ccKeyCallback onKeyPressed;
  ccKeyCallback onKeyReleased;

 private:
  EventListenerKeyboard() : EventListener(Type::KEYBOARD) {}
};

}  // namespace cocos2d
