// Delivers touch, keyboard and mouse events to registered listeners in priority order: negative
// fixed priorities first, then scene-graph listeners front-most node first, then positive fixed
// priorities. Listeners of nodes outside the running scene are paused.
#pragma once

#include <cstddef>
#include <vector>

#include "cocos/base/EventListener.h"
#include "cocos/base/Ref.h"

namespace cocos2d {

class Event;
class EventTouch;
class EventKeyboard;
class EventMouse;
class Node;

class EventDispatcher : public Ref {
 public:
  EventDispatcher() = default;
  ~EventDispatcher() override;

  // Ordered by the node's place in the drawing order; the dispatcher retains the listener
  // (not the node). Adding a listener that is already registered does nothing.
  void addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node);
  // Safe at any time, also from inside a listener's callback: the node's listeners receive
  // nothing more and are released once no dispatch is running.
  void removeEventListenersForTarget(Node* target);
  void removeAllEventListeners();

  // While disabled (during scene transitions) no event reaches any listener.
  void setEnabled(bool isEnabled) { _isEnabled = isEnabled; }

  void dispatchEvent(Event* event);

 private:
  void removeEventListener(EventListener* listener);
  void addListener(EventListener* listener);
  std::vector<EventListener*> sortedListeners(EventListener::Type type);
  bool canReceive(EventListener* listener) const;
  void dispatchTouchEvent(EventTouch* event);
  void dispatchKeyboardEvent(EventKeyboard* event);
  void dispatchMouseEvent(EventMouse* event);
  void releaseRemovedListeners();

  std::vector<EventListener*> _listeners;  // in order of registration
  std::vector<EventListener*> _pendingAdds;
  int _dispatchDepth = 0;
  bool _isEnabled = true;
};

}  // namespace cocos2d
