#include "cocos/window/GLView.h"

#include <algorithm>

#include "cocos/director/Director.h"
#include "cocos/director/EventDispatcher.h"
#include "cocos/base/EventMouse.h"
#include "cocos/base/EventTouch.h"
#include "cocos/base/Touch.h"
#include "cocos/director/Application.h"

namespace cocos2d {
namespace {

bool g_headless = false;

std::string& lastError() {
  static std::string error;
  return error;
}

}  // namespace

void GLView::setHeadless(bool headless) { g_headless = headless; }

bool GLView::isHeadless() { return g_headless; }

const std::string& GLView::getLastError() { return lastError(); }

void GLView::setLastError(const std::string& error) { lastError() = error; }

GLView::GLView(std::unique_ptr<backend::Backend> backend, const std::string& viewName, const Size& frameSize)
    : _backend(std::move(backend)), _viewName(viewName), _frameSize(frameSize), _designResolutionSize(frameSize) {}

GLView::~GLView() {
  if (_touch) _touch->release();
}

void GLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
  if (width <= 0 || height <= 0) return;
  _designResolutionSize = Size(width, height);
  _resolutionPolicy = policy;
  updateScale();
  Director::getInstance()->setNeedsRedraw();
}

void GLView::setFrameSize(float width, float height) {
  if (width <= 0 || height <= 0 || (width == _frameSize.width && height == _frameSize.height)) return;
  _frameSize = Size(width, height);
  updateScale();
  Director::getInstance()->setNeedsRedraw();
}

void GLView::updateScale() {
  const float fw = _frameSize.width, fh = _frameSize.height;
  float sx = fw / _designResolutionSize.width;
  float sy = fh / _designResolutionSize.height;
  if (_resolutionPolicy == ResolutionPolicy::SHOW_ALL) sx = sy = std::min(sx, sy);
  _scaleX = sx;
  _scaleY = sy;
  // The design area is centred in the window (letterboxed).
  _viewportOrigin = Vec2((fw - _designResolutionSize.width * sx) / 2, (fh - _designResolutionSize.height * sy) / 2);
}

AffineTransform GLView::getDesignToWindowTransform() const {
  // x' = origin.x + x * sx; y' = frameHeight - (origin.y + y * sy), y growing downwards.
  return AffineTransform{_scaleX, 0, 0, -_scaleY, _viewportOrigin.x, _frameSize.height - _viewportOrigin.y};
}

Vec2 GLView::windowToDesign(float pixelX, float pixelY) const {
  return Vec2((pixelX - _viewportOrigin.x) / _scaleX, (_frameSize.height - pixelY - _viewportOrigin.y) / _scaleY);
}

// --- input

void GLView::pollEvents() {
  if (!_backend) return;
  // A handler may release this view (a test tearing down, the program ending).
  retain();
  backend::Window& window = _backend->window();
  backend::InputEvent event;
  while (!_closed && window.pollEvent(event)) {
    using Type = backend::InputEvent::Type;
    switch (event.type) {
      case Type::Quit:
        _closed = true;
        Director::getInstance()->end();
        break;
      case Type::MouseDown:
        injectTouch(TouchPhase::BEGAN, windowToDesign(event.x, event.y));
        break;
      case Type::MouseMove:
        injectTouch(TouchPhase::MOVED, windowToDesign(event.x, event.y));
        break;
      case Type::MouseUp:
        injectTouch(TouchPhase::ENDED, windowToDesign(event.x, event.y));
        break;
      case Type::KeyDown:
      case Type::KeyUp: {
        EventKeyboard key(static_cast<EventKeyboard::KeyCode>(event.keyCode), event.type == Type::KeyDown);
        key.setText(std::move(event.text));
        key.setModifiers(event.modifiers);
        key.setRepeat(event.repeat);
        key.setLayoutCharacter(event.layoutKey);
        injectKeyEvent(key);
        break;
      }
      case Type::Text: {
        EventKeyboard key(EventKeyboard::KeyCode::KEY_NONE, true);
        key.setText(std::move(event.text));
        key.setModifiers(event.modifiers);
        injectKeyEvent(key);
        break;
      }
      case Type::Resized: {
        const Size before = _frameSize;
        setFrameSize(static_cast<float>(event.width), static_cast<float>(event.height));
        if (_windowResized && !(_frameSize == before)) _windowResized(event.width, event.height);
        break;
      }
      case Type::Wheel:
        injectMouseScroll(windowToDesign(event.x, event.y), event.wheelX, event.wheelY);
        break;
      case Type::Exposed: {
        Director* director = Director::getInstance();
        director->setNeedsRedraw();
        // A stopped director draws nothing by itself, yet the window needs its picture back.
        if (!director->isAnimating()) director->drawFrame(true);
        break;
      }
      case Type::Hidden:
        if (Application* app = Application::getInstance()) app->applicationDidEnterBackground();
        break;
      case Type::Shown:
        if (Application* app = Application::getInstance()) app->applicationWillEnterForeground();
        break;
    }
  }
  release();
}

void GLView::injectTouch(TouchPhase phase, const Vec2& designPoint) {
  if (phase == TouchPhase::BEGAN) {
    if (_touch) injectTouch(TouchPhase::CANCELLED, _touch->getLocation());
    _touch = new Touch();
    _touch->setTouchInfo(designPoint);
    dispatchTouch(phase, _touch);
    return;
  }
  Touch* touch = _touch;
  if (!touch) return;
  touch->moveTo(designPoint);
  if (phase == TouchPhase::ENDED || phase == TouchPhase::CANCELLED) _touch = nullptr;
  dispatchTouch(phase, touch);
  if (phase == TouchPhase::ENDED || phase == TouchPhase::CANCELLED) touch->release();
}

void GLView::dispatchTouch(TouchPhase phase, Touch* touch) {
  EventTouch::EventCode code = EventTouch::EventCode::BEGAN;
  switch (phase) {
    case TouchPhase::BEGAN:
      code = EventTouch::EventCode::BEGAN;
      break;
    case TouchPhase::MOVED:
      code = EventTouch::EventCode::MOVED;
      break;
    case TouchPhase::ENDED:
      code = EventTouch::EventCode::ENDED;
      break;
    case TouchPhase::CANCELLED:
      code = EventTouch::EventCode::CANCELLED;
      break;
  }
  // A listener may release the view (the program ending) or start another touch.
  retain();
  touch->retain();
  EventTouch event(code, {touch});
  Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
  touch->release();
  release();
}

namespace {

unsigned modifierOfKey(EventKeyboard::KeyCode code) {
  using K = EventKeyboard::KeyCode;
  switch (code) {
    case K::KEY_SHIFT:
    case K::KEY_RIGHT_SHIFT: return EventKeyboard::MODIFIER_SHIFT;
    case K::KEY_CTRL:
    case K::KEY_RIGHT_CTRL: return EventKeyboard::MODIFIER_CTRL;
    case K::KEY_ALT: return EventKeyboard::MODIFIER_ALT;
    case K::KEY_RIGHT_ALT: return EventKeyboard::MODIFIER_ALTGR;
    default: return 0;
  }
}

// The layout's character of a key code, as a US layout has it, for scripted shortcuts.
char32_t characterOfKey(EventKeyboard::KeyCode code) {
  using K = EventKeyboard::KeyCode;
  const int c = static_cast<int>(code);
  if (code >= K::KEY_A && code <= K::KEY_Z) return static_cast<char32_t>('a' + (c - static_cast<int>(K::KEY_A)));
  if (code >= K::KEY_0 && code <= K::KEY_9) return static_cast<char32_t>('0' + (c - static_cast<int>(K::KEY_0)));
  return 0;
}

}  // namespace

void GLView::injectKey(EventKeyboard::KeyCode code, bool pressed) {
  // A modifier counts as held from its press up to its release (left and right alike).
  if (const unsigned modifier = modifierOfKey(code)) {
    if (pressed) _injectedModifiers |= modifier;
    else _injectedModifiers &= ~modifier;
  }
  EventKeyboard event(code, pressed);
  event.setModifiers(_injectedModifiers);
  event.setLayoutCharacter(characterOfKey(code));
  injectKeyEvent(event);
}

void GLView::injectKeyEvent(EventKeyboard& event) { Director::getInstance()->getEventDispatcher()->dispatchEvent(&event); }

void GLView::injectMouseScroll(const Vec2& designPoint, float notchesX, float notchesY) {
  EventMouse event;
  // The engine API counts a wheel rolled towards the user (down) as positive.
  event.setScrollData(notchesX, -notchesY);
  event.setCursorPosition(designPoint.x, designPoint.y);
  retain();
  Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
  release();
}

void GLView::injectText(const std::string& text) {
  if (text.empty()) return;
  EventKeyboard event(EventKeyboard::KeyCode::KEY_NONE, true);
  event.setText(text);
  event.setModifiers(_injectedModifiers & EventKeyboard::MODIFIER_SHIFT);
  injectKeyEvent(event);
}

}  // namespace cocos2d
