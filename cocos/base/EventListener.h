// Base of the event listeners: what kind of events a listener takes, whether it is enabled,
// and the registration state that the event dispatcher keeps on it.
#pragma once

#include "cocos/base/Ref.h"

namespace cocos2d {

class Node;
class EventDispatcher;

class EventListener : public Ref {
 public:
  enum class Type { TOUCH_ONE_BY_ONE, KEYBOARD, MOUSE };

  Type getType() const { return _type; }
  // Whether the listener has what it needs to receive events (a callback).
  virtual bool checkAvailable() = 0;

  // The node whose place in the scene graph orders this listener.
  Node* getAssociatedNode() const { return _node; }

 protected:
  explicit EventListener(Type type) : _type(type) {}

 private:
  friend class EventDispatcher;
  Type _type;
  bool _isRegistered = false;
  Node* _node = nullptr;
};

}  // namespace cocos2d
