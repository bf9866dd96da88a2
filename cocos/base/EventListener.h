// Base of the event listeners: what kind of events a listener takes, whether it is enabled,
// and the registration state that the event dispatcher keeps on it.
#pragma once

#include "cocos/base/Ref.h"

namespace cocos2d {

class Node;
class EventDispatcher;

class EventListener : public Ref {
 public:
  enum class Type { TOUCH_ONE_BY_ONE, KEYBOARD };

  Type getType() const { return _type; }
  // A disabled listener stays registered but receives nothing.
  void setEnabled(bool enabled) { _isEnabled = enabled; }
  bool isEnabled() const { return _isEnabled; }
  // Whether the listener has what it needs to receive events (a callback).
  virtual bool checkAvailable() = 0;

  // The node whose place in the scene graph orders this listener; null for fixed priority.
  Node* getAssociatedNode() const { return _node; }
  int getFixedPriority() const { return _fixedPriority; }
  bool isRegistered() const { return _isRegistered; }

 protected:
  explicit EventListener(Type type) : _type(type) {}

 private:
  friend class EventDispatcher;
  Type _type;
  bool _isEnabled = true;
  bool _isRegistered = false;
  Node* _node = nullptr;
  int _fixedPriority = 0;
};

}  // namespace cocos2d
