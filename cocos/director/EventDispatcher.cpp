#include "cocos/director/EventDispatcher.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "cocos/2d/Node.h"
#include "cocos/2d/Scene.h"
#include "cocos/director/Director.h"
#include "cocos/base/EventKeyboard.h"
#include "cocos/base/EventListenerKeyboard.h"
#include "cocos/base/EventListenerMouse.h"
#include "cocos/base/EventMouse.h"
#include "cocos/base/EventListenerTouch.h"
#include "cocos/base/EventTouch.h"

namespace cocos2d {
namespace {

// Keeps a listener and its node alive across a callback that may remove either.
class CallbackGuard {
 public:
  explicit CallbackGuard(EventListener* listener) : _listener(listener), _node(listener->getAssociatedNode()) {
    _listener->retain();
    if (_node) _node->retain();
  }
  ~CallbackGuard() {
    if (_node) _node->release();
    _listener->release();
  }
  CallbackGuard(const CallbackGuard&) = delete;
  CallbackGuard& operator=(const CallbackGuard&) = delete;

 private:
  EventListener* _listener;
  Node* _node;
};

// Numbers the nodes in the order they are drawn (children with negative z, the node, the rest)
// and notes the numbers of the few nodes that have listeners: no map of the whole scene is
// built for every key and touch.
void numberInDrawOrder(Node* node, std::vector<std::pair<const Node*, int>>& wanted, int& next) {
  const auto& children = node->getSceneGraphChildren();
  std::size_t i = 0;
  for (; i < children.size() && children[i]->getLocalZOrder() < 0; ++i) numberInDrawOrder(children[i], wanted, next);
  const int number = next++;
  for (auto& w : wanted) {
    if (w.first == node) w.second = number;
  }
  for (; i < children.size(); ++i) numberInDrawOrder(children[i], wanted, next);
}

}  // namespace

EventDispatcher::~EventDispatcher() {
  _dispatchDepth = 0;
  removeAllEventListeners();
}

void EventDispatcher::addListener(EventListener* listener) {
  listener->retain();
  listener->_isRegistered = true;
  if (_dispatchDepth > 0) {
    _pendingAdds.push_back(listener);
  } else {
    _listeners.push_back(listener);
  }
}

void EventDispatcher::addEventListenerWithSceneGraphPriority(EventListener* listener, Node* node) {
  if (!listener || !node || listener->_isRegistered) return;
  listener->_node = node;
  addListener(listener);
}

void EventDispatcher::removeEventListener(EventListener* listener) {
  if (!listener || !listener->_isRegistered) return;
  listener->_isRegistered = false;
  listener->_node = nullptr;
  if (listener->getType() == EventListener::Type::TOUCH_ONE_BY_ONE) {
    static_cast<EventListenerTouchOneByOne*>(listener)->_claimedTouches.clear();
  }
  if (_dispatchDepth == 0) releaseRemovedListeners();
}

void EventDispatcher::removeEventListenersForTarget(Node* target) {
  if (!target) return;
  // Collect first: removal outside a dispatch edits the lists being scanned.
  std::vector<EventListener*> doomed;
  for (auto* list : {&_listeners, &_pendingAdds}) {
    for (EventListener* l : *list) {
      if (l->_isRegistered && l->_node == target) doomed.push_back(l);
    }
  }
  for (EventListener* l : doomed) removeEventListener(l);
}

void EventDispatcher::removeAllEventListeners() {
  std::vector<EventListener*> all = _listeners;
  all.insert(all.end(), _pendingAdds.begin(), _pendingAdds.end());
  for (EventListener* l : all) removeEventListener(l);
}

void EventDispatcher::releaseRemovedListeners() {
  for (EventListener* l : _pendingAdds) _listeners.push_back(l);
  _pendingAdds.clear();
  std::vector<EventListener*> removed;
  auto keep = std::stable_partition(_listeners.begin(), _listeners.end(),
                                    [](EventListener* l) { return l->_isRegistered; });
  removed.assign(keep, _listeners.end());
  _listeners.erase(keep, _listeners.end());
  for (EventListener* l : removed) l->release();
}

bool EventDispatcher::canReceive(EventListener* listener) const {
  return listener->_isRegistered && listener->checkAvailable() && listener->_node->isRunning();
}

std::vector<EventListener*> EventDispatcher::sortedListeners(EventListener::Type type) {
  std::vector<EventListener*> graph;
  for (EventListener* l : _listeners) {
    if (l->getType() == type && l->_isRegistered) graph.push_back(l);
  }
  if (!graph.empty()) {
    std::vector<std::pair<const Node*, int>> order;
    for (EventListener* l : graph) order.emplace_back(l->_node, -1);
    if (Scene* scene = Director::getInstance()->getRunningScene()) {
      int next = 0;
      numberInDrawOrder(scene, order, next);
    }
    auto numberOf = [&order](const Node* node) {
      for (const auto& o : order) {
        if (o.first == node) return o.second;
      }
      return -1;
    };
    // Nodes that are not in the running scene are paused: leave their listeners out.
    graph.erase(std::remove_if(graph.begin(), graph.end(), [&](EventListener* l) { return numberOf(l->_node) < 0; }),
                graph.end());
    std::stable_sort(graph.begin(), graph.end(),
                     [&](EventListener* a, EventListener* b) { return numberOf(a->_node) > numberOf(b->_node); });
  }
  return graph;
}

void EventDispatcher::dispatchEvent(Event* event) {
  if (!_isEnabled || !event) return;
  ++_dispatchDepth;
  if (event->getType() == Event::Type::TOUCH) {
    dispatchTouchEvent(static_cast<EventTouch*>(event));
  } else if (event->getType() == Event::Type::KEYBOARD) {
    dispatchKeyboardEvent(static_cast<EventKeyboard*>(event));
  } else if (event->getType() == Event::Type::MOUSE) {
    dispatchMouseEvent(static_cast<EventMouse*>(event));
  }
  if (--_dispatchDepth == 0) releaseRemovedListeners();
}

void EventDispatcher::dispatchTouchEvent(EventTouch* event) {
  const auto listeners = sortedListeners(EventListener::Type::TOUCH_ONE_BY_ONE);
  const EventTouch::EventCode code = event->getEventCode();
  for (Touch* touch : event->getTouches()) {
    for (EventListener* base : listeners) {
      if (!canReceive(base)) continue;
      auto* l = static_cast<EventListenerTouchOneByOne*>(base);
      CallbackGuard guard(l);
      if (code == EventTouch::EventCode::BEGAN) {
        const bool claimed = l->onTouchBegan(touch, event);
        if (claimed) {
          if (l->_isRegistered) l->_claimedTouches.push_back(touch);
          if (l->_needSwallow) break;
        }
      } else {
        auto it = std::find(l->_claimedTouches.begin(), l->_claimedTouches.end(), touch);
        if (it == l->_claimedTouches.end()) continue;
        if (code == EventTouch::EventCode::MOVED) {
          if (l->onTouchMoved) l->onTouchMoved(touch, event);
        } else {
          l->_claimedTouches.erase(it);
          if (code == EventTouch::EventCode::ENDED && l->onTouchEnded) l->onTouchEnded(touch, event);
          if (code == EventTouch::EventCode::CANCELLED && l->onTouchCancelled) l->onTouchCancelled(touch, event);
        }
        if (l->_needSwallow) break;
      }
    }
    if (code == EventTouch::EventCode::ENDED || code == EventTouch::EventCode::CANCELLED) {
      // A finished touch must not stay claimed by a listener that was paused when it ended:
      // a later touch object could reuse its address.
      for (auto* list : {&_listeners, &_pendingAdds}) {
        for (EventListener* base : *list) {
          if (base->getType() != EventListener::Type::TOUCH_ONE_BY_ONE) continue;
          auto& claimed = static_cast<EventListenerTouchOneByOne*>(base)->_claimedTouches;
          claimed.erase(std::remove(claimed.begin(), claimed.end(), touch), claimed.end());
        }
      }
    }
  }
}

void EventDispatcher::dispatchKeyboardEvent(EventKeyboard* event) {
  const auto listeners = sortedListeners(EventListener::Type::KEYBOARD);
  for (EventListener* base : listeners) {
    if (!canReceive(base)) continue;
    auto* l = static_cast<EventListenerKeyboard*>(base);
    CallbackGuard guard(l);
    if (event->isPressed()) {
      if (l->onKeyPressed) l->onKeyPressed(event->getKeyCode(), event);
    } else {
      if (l->onKeyReleased) l->onKeyReleased(event->getKeyCode(), event);
    }
  }
}

void EventDispatcher::dispatchMouseEvent(EventMouse* event) {
  const auto listeners = sortedListeners(EventListener::Type::MOUSE);
  for (EventListener* base : listeners) {
    if (!canReceive(base)) continue;
    auto* l = static_cast<EventListenerMouse*>(base);
    CallbackGuard guard(l);
    l->onMouseScroll(event);
    if (event->isStopped()) break;
  }
}

}  // namespace cocos2d
