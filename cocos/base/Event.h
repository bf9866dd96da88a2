// Base of the events that the dispatcher delivers to listeners.
#pragma once

namespace cocos2d {

class Event {
 public:
  enum class Type { TOUCH, KEYBOARD };
  explicit Event(Type type) : _type(type) {}
  virtual ~Event() = default;
  Type getType() const { return _type; }

 private:
  Type _type;
};

}  // namespace cocos2d
