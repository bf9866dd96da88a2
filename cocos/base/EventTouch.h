// A touch event: one phase (began, moved, ended, cancelled) of the touches it carries.
#pragma once

#include <vector>

#include "cocos/base/Event.h"

namespace cocos2d {

class Touch;

class EventTouch : public Event {
 public:
  enum class EventCode { BEGAN, MOVED, ENDED, CANCELLED };

  EventTouch(EventCode code, std::vector<Touch*> touches)
      : Event(Type::TOUCH), _eventCode(code), _touches(std::move(touches)) {}
  EventCode getEventCode() const { return _eventCode; }
  const std::vector<Touch*>& getTouches() const { return _touches; }

 private:
  EventCode _eventCode;
  std::vector<Touch*> _touches;
};

}  // namespace cocos2d
