// A full-screen container of menu items that turns touches into item callbacks: the touch
// selects the front-most visible item under the finger, the selection follows the finger,
// and the item under the finger at release is activated.
#pragma once

#include <vector>

#include "cocos/2d/Layer.h"

namespace cocos2d {

class MenuItem;
class Touch;
class Event;
class EventListenerTouchOneByOne;

class Menu : public Layer {
 public:
  static Menu* create();
  // The item list ends with nullptr.
  static Menu* create(MenuItem* item, ...);
  static Menu* createWithArray(const std::vector<MenuItem*>& items);

  virtual bool initWithArray(const std::vector<MenuItem*>& items);

  // A disabled menu claims no touches.
  virtual void setEnabled(bool enabled) { _enabled = enabled; }
  virtual bool isEnabled() const { return _enabled; }

  // Stacks the items top to bottom, 5 units apart, centred on the menu's origin.
  void alignItemsVertically();

  void removeChild(Node* child, bool cleanup = true) override;
  void onExit() override;

 protected:
  Menu() = default;

 private:
  enum class State { WAITING, TRACKING_TOUCH };

  bool onTouchBegan(Touch* touch, Event* event);
  void onTouchMoved(Touch* touch, Event* event);
  void onTouchEnded(Touch* touch, Event* event);
  void onTouchCancelled(Touch* touch, Event* event);
  // The front-most visible item whose rectangle holds the touch.
  MenuItem* getItemForTouch(Touch* touch);
  // Moves the selection to the item under the finger.
  void followFinger(Touch* touch);

  State _state = State::WAITING;
  MenuItem* _selectedItem = nullptr;
  bool _enabled = true;
};

}  // namespace cocos2d
