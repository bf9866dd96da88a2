// Base of the events that the dispatcher delivers to listeners.
#pragma once

namespace cocos2d {

class Event {
 public:
  enum class Type { TOUCH, KEYBOARD, CUSTOM };
  explicit Event(Type type) : _type(type) {}
  virtual ~Event() = default;
  Type getType() const { return _type; }
  // A listener stops the event from reaching the listeners after it.
  void stopPropagation() { _isStopped = true; }
  bool isStopped() const { return _isStopped; }

 private:
  Type _type;
  bool _isStopped = false;
};

}  // namespace cocos2d
