#include "cocos/ui/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "cocos/base/Create.h"
#include "cocos/director/Director.h"
#include "cocos/director/EventDispatcher.h"
#include "cocos/base/EventListenerMouse.h"
#include "cocos/base/EventListenerTouch.h"
#include "cocos/base/EventMouse.h"
#include "cocos/base/Touch.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {
namespace ui {

ScrollView* ScrollView::create() { return initAndAutorelease(new ScrollView(), &ScrollView::init); }

bool ScrollView::init() {
  _innerContainer = Layout::create();
  Node::addChild(_innerContainer, 1);
  auto* listener = EventListenerTouchOneByOne::create();
  listener->setSwallowTouches(true);
  listener->onTouchBegan = [this](Touch* t, Event* e) { return onTouchBegan(t, e); };
  listener->onTouchMoved = [this](Touch* t, Event* e) { onTouchMoved(t, e); };
  listener->onTouchEnded = [this](Touch* t, Event* e) { onTouchEnded(t, e); };
  listener->onTouchCancelled = [this](Touch* t, Event* e) { onTouchCancelled(t, e); };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, this);
  auto* wheel = EventListenerMouse::create();
  wheel->onMouseScroll = [this](EventMouse* e) { onMouseScroll(e); };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(wheel, this);
  return true;
}

void ScrollView::onEnter() {
  Layout::onEnter();
  scheduleUpdate();
}

// --- sizes and offsets

void ScrollView::setContentSize(const Size& size) {
  Layout::setContentSize(size);
  if (_innerContainer) setInnerContainerSize(_innerContainer->getContentSize());
}

void ScrollView::setInnerContainerSize(const Size& size) {
  const Size& view = getContentSize();
  _innerContainer->setContentSize(Size(std::max(size.width, view.width), std::max(size.height, view.height)));
  setInnerContainerPosition(clampToRange(getInnerContainerPosition()));
}

const Size& ScrollView::getInnerContainerSize() const { return _innerContainer->getContentSize(); }

void ScrollView::setInnerContainerPosition(const Vec2& position) { _innerContainer->setPosition(position); }

const Vec2& ScrollView::getInnerContainerPosition() const { return _innerContainer->getPosition(); }

Vec2 ScrollView::clampToRange(const Vec2& position) const {
  const Size& view = getContentSize();
  const Size& inner = getInnerContainerSize();
  const float minX = std::min(0.0f, view.width - inner.width);
  const float minY = std::min(0.0f, view.height - inner.height);
  return Vec2(std::clamp(position.x, minX, 0.0f), std::clamp(position.y, minY, 0.0f));
}

// --- automatic scrolling

void ScrollView::scrollTo(const Vec2& target, float timeInSec, bool attenuated) {
  const Vec2 destination = clampToRange(target);
  if (timeInSec <= 0) {
    _autoScrolling = false;
    setInnerContainerPosition(destination);
    return;
  }
  _autoScrolling = true;
  _autoScrollAttenuated = attenuated;
  _autoScrollDuration = timeInSec;
  _autoScrollElapsed = 0;
  _autoScrollStart = getInnerContainerPosition();
  _autoScrollTarget = destination;
  Director::getInstance()->requestAnimationFrame();
}

void ScrollView::scrollToBottomLeft(float t, bool a) { scrollTo(Vec2(0, 0), t, a); }

void ScrollView::update(float delta) {
  if (!_autoScrolling) return;
  _autoScrollElapsed += delta;
  const float t = std::min(1.0f, _autoScrollElapsed / _autoScrollDuration);
  // Ease out: fast at first, settling gently on the target.
  const float f = _autoScrollAttenuated ? 1 - std::pow(1 - t, 3.0f) : t;
  setInnerContainerPosition(_autoScrollStart + (_autoScrollTarget - _autoScrollStart) * f);
  if (t >= 1) _autoScrolling = false;
  if (_autoScrolling) Director::getInstance()->requestAnimationFrame();
}

// --- touches

void ScrollView::setEnabled(bool enabled) {
  _enabled = enabled;
  if (!enabled) _dragging = false;
}

bool ScrollView::onTouchBegan(Touch* touch, Event*) {
  if (!_enabled || !isVisibleWithAncestors()) return false;
  const Vec2 local = convertToNodeSpace(touch->getLocation());
  const Size& size = getContentSize();
  if (!Rect(0, 0, size.width, size.height).containsPoint(local)) return false;
  _autoScrolling = false;
  _dragging = true;
  return true;
}

void ScrollView::onTouchMoved(Touch* touch, Event*) {
  if (!_dragging || !_enabled) return;
  Vec2 delta = convertToNodeSpace(touch->getLocation()) - convertToNodeSpace(touch->getPreviousLocation());
  if (_direction == Direction::VERTICAL) delta.x = 0;
  if (_direction == Direction::HORIZONTAL) delta.y = 0;
  if (delta.x == 0 && delta.y == 0) return;
  setInnerContainerPosition(clampToRange(getInnerContainerPosition() + delta));
}

void ScrollView::onTouchEnded(Touch*, Event*) { _dragging = false; }

void ScrollView::onTouchCancelled(Touch*, Event*) { _dragging = false; }

// --- the wheel

void ScrollView::onMouseScroll(EventMouse* event) {
  if (!_enabled || !isVisibleWithAncestors()) return;
  const Vec2 local = convertToNodeSpace(event->getLocation());
  const Size& size = getContentSize();
  if (!Rect(0, 0, size.width, size.height).containsPoint(local)) return;
  // The wheel is this view's, also at an edge: a view behind it must not scroll instead.
  event->stopPropagation();
  float dx = event->getScrollX(), dy = event->getScrollY();
  if (_direction == Direction::VERTICAL) dx = 0;
  if (_direction == Direction::HORIZONTAL) {
    // A wheel without a sideways axis still scrolls a view that only goes sideways.
    if (dx == 0) dx = dy;
    dy = 0;
  }
  const float stepX = _mouseScrollStep > 0 ? _mouseScrollStep : std::pow(size.width, 2.0f / 3);
  const float stepY = _mouseScrollStep > 0 ? _mouseScrollStep : std::pow(size.height, 2.0f / 3);
  // Rolled towards the user (positive), the wheel brings what lies lower into view: the
  // container moves up. To the right, it brings in what lies right: the container moves left.
  const Vec2 target = clampToRange(getInnerContainerPosition() + Vec2(-dx * stepX, dy * stepY));
  if (target == getInnerContainerPosition()) return;
  _autoScrolling = false;
  setInnerContainerPosition(target);
}

// --- children live in the inner container

void ScrollView::addChild(Node* child) { _innerContainer->addChild(child); }

void ScrollView::addChild(Node* child, int localZOrder) { _innerContainer->addChild(child, localZOrder); }

void ScrollView::removeChild(Node* child, bool cleanup) { _innerContainer->removeChild(child, cleanup); }

const std::vector<Node*>& ScrollView::getChildren() const { return _innerContainer->getChildren(); }

// --- drawing

void ScrollView::visitContent(Renderer* renderer, const AffineTransform& transform) {
  const Size& size = getContentSize();
  renderer->pushClip(Renderer::pixelBounds(transform, Rect(0, 0, size.width, size.height)));
  Layout::visitContent(renderer, transform);
  renderer->popClip();
}

}  // namespace ui
}  // namespace cocos2d
