// Base of the events that the dispatcher delivers to listeners.
#pragma once

namespace cocos2d {

class Event {
 public:
  enum class Type { TOUCH, KEYBOARD, MOUSE };
  explicit Event(Type type) : _type(type) {}
  virtual ~Event() = default;
  Type getType() const { return _type; }

  // The listeners after this one do not receive the event (mouse events: the view under the
  // pointer scrolls, not the one behind it as well).
  void stopPropagation() { _isStopped = true; }
  bool isStopped() const { return _isStopped; }

 private:
  Type _type;
  bool _isStopped = false;
};

}  // namespace cocos2d
