#include "cocos/2d/Menu.h"

#include "cocos/base/Create.h"
#include <cstdarg>

#include "cocos/2d/MenuItem.h"
#include "cocos/director/Director.h"
#include "cocos/director/EventDispatcher.h"
#include "cocos/base/EventListenerTouch.h"
#include "cocos/base/Touch.h"

namespace cocos2d {

Menu* Menu::create() { return createWithArray({}); }

Menu* Menu::create(MenuItem* item, ...) {
  std::vector<MenuItem*> items;
  va_list args;
  va_start(args, item);
  for (MenuItem* i = item; i; i = va_arg(args, MenuItem*)) items.push_back(i);
  va_end(args);
  return createWithArray(items);
}


Menu* Menu::createWithArray(const std::vector<MenuItem*>& items) {
  return initAndAutorelease(new Menu(), &Menu::initWithArray, items);
}

bool Menu::initWithArray(const std::vector<MenuItem*>& items) {
  if (!Layer::init()) return false;
  _enabled = true;
  setCascadeColorEnabled(true);
  setCascadeOpacityEnabled(true);
  const Size size = getContentSize();
  setPosition(Vec2(size.width / 2, size.height / 2));
  int z = 0;
  for (MenuItem* item : items) addChild(item, z++);

  auto* listener = EventListenerTouchOneByOne::create();
  listener->setSwallowTouches(true);
  listener->onTouchBegan = [this](Touch* t, Event* e) { return onTouchBegan(t, e); };
  listener->onTouchMoved = [this](Touch* t, Event* e) { onTouchMoved(t, e); };
  listener->onTouchEnded = [this](Touch* t, Event* e) { onTouchEnded(t, e); };
  listener->onTouchCancelled = [this](Touch* t, Event* e) { onTouchCancelled(t, e); };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, this);
  _state = State::WAITING;
  return true;
}

void Menu::removeChild(Node* child, bool cleanup) {
  if (child == _selectedItem) {
    _selectedItem = nullptr;
    _state = State::WAITING;
  }
  Layer::removeChild(child, cleanup);
}

void Menu::onExit() {
  // The end of a touch in progress will not reach a menu that has left the running scene.
  if (_state == State::TRACKING_TOUCH) {
    if (_selectedItem) _selectedItem->unselected();
    _selectedItem = nullptr;
    _state = State::WAITING;
  }
  Layer::onExit();
}

MenuItem* Menu::getItemForTouch(Touch* touch) {
  const Vec2 location = touch->getLocation();
  const auto& children = getChildren();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    auto* item = dynamic_cast<MenuItem*>(*it);
    if (!item || !item->isVisible()) continue;
    const Vec2 local = item->convertToNodeSpace(location);
    const Size& size = item->getContentSize();
    if (Rect(0, 0, size.width, size.height).containsPoint(local)) return item;
  }
  return nullptr;
}

bool Menu::onTouchBegan(Touch* touch, Event*) {
  if (_state != State::WAITING || !_enabled || !isVisibleWithAncestors()) return false;
  _selectedItem = getItemForTouch(touch);
  if (!_selectedItem) return false;
  _state = State::TRACKING_TOUCH;
  _selectedItem->selected();
  return true;
}

void Menu::followFinger(Touch* touch) {
  MenuItem* current = getItemForTouch(touch);
  if (current == _selectedItem) return;
  if (_selectedItem) _selectedItem->unselected();
  _selectedItem = current;
  if (_selectedItem) _selectedItem->selected();
}

void Menu::onTouchMoved(Touch* touch, Event*) {
  if (_state != State::TRACKING_TOUCH) return;
  followFinger(touch);
}

void Menu::onTouchEnded(Touch* touch, Event*) {
  if (_state != State::TRACKING_TOUCH) return;
  // The release point may differ from the last move (scripts release without dragging).
  followFinger(touch);
  _state = State::WAITING;
  MenuItem* item = _selectedItem;
  _selectedItem = nullptr;
  if (!item) return;
  // The callback may remove the item or this menu; both stay alive until it returns.
  retain();
  item->retain();
  item->unselected();
  item->activate();
  item->release();
  release();
}

void Menu::onTouchCancelled(Touch*, Event*) {
  if (_state != State::TRACKING_TOUCH) return;
  if (_selectedItem) _selectedItem->unselected();
  _selectedItem = nullptr;
  _state = State::WAITING;
}

void Menu::alignItemsVertically() {
  constexpr float padding = 5;
  const auto& children = getChildren();
  float height = -padding;
  for (Node* child : children) height += child->getContentSize().height * child->getScaleY() + padding;
  float y = height / 2;
  for (Node* child : children) {
    const float h = child->getContentSize().height * child->getScaleY();
    child->setPosition(Vec2(0, y - h / 2));
    y -= h + padding;
  }
}

}  // namespace cocos2d
