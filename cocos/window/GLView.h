// The window as the engine sees it: owns the backend, maps the design resolution onto the
// window's pixels, and turns the backend's input into touches and key events (or takes them
// injected by automation and tests).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "cocos/backend/Backend.h"
#include "cocos/base/EventKeyboard.h"
#include "cocos/base/Ref.h"
#include "cocos/math/AffineTransform.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class Touch;

// EXACT_FIT stretches the design area over the whole window; SHOW_ALL keeps its proportions
// and letterboxes it.
enum class ResolutionPolicy { EXACT_FIT, SHOW_ALL };

// The colour, depth and stencil bits an application asks of a GL context.
struct GLContextAttrs {
  int redBits = 8;
  int greenBits = 8;
  int blueBits = 8;
  int alphaBits = 8;
  int depthBits = 24;
  int stencilBits = 8;
};

enum class TouchPhase { BEGAN, MOVED, ENDED, CANCELLED };

class GLView : public Ref {
 public:
  // Kept for applications written against the engine API: frames are drawn in software,
  // without a GL context to ask anything of.
  static void setGLContextAttrs(GLContextAttrs&) {}
  // Windows opened after this run offscreen: no display needed, no audio, same pixels.
  static void setHeadless(bool headless);
  static bool isHeadless();
  // Why the last window could not be opened.
  static const std::string& getLastError();

  ~GLView() override;

  backend::Backend* getBackend() const { return _backend.get(); }
  bool windowShouldClose() const { return _closed; }
  const std::string& getViewName() const { return _viewName; }

  void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
  const Size& getDesignResolutionSize() const { return _designResolutionSize; }
  const Size& getFrameSize() const { return _frameSize; }
  // The whole design area is visible whatever the policy.
  Size getVisibleSize() const { return _designResolutionSize; }
  Vec2 getVisibleOrigin() const { return Vec2::ZERO; }
  // Design units (origin bottom-left) to window pixels (origin top-left).
  AffineTransform getDesignToWindowTransform() const;

  // Reads every pending backend event: the left button becomes touch 0 (in design units),
  // the wheel a mouse scroll event, keys become key events (a held key presses again as the
  // system repeats it, with the text the layout made of it), text without a key becomes a
  // press of KEY_NONE with that text, Quit ends the director, Hidden/Shown reach the
  // application, Exposed redraws, and a new size reaches the resize callback.
  void pollEvents();
  // One phase of touch 0 at a design point. A began while a touch is in progress cancels it;
  // moves and ends without a touch in progress are ignored.
  void injectTouch(TouchPhase phase, const Vec2& designPoint);
  // A key as scripts and tests give it: a code, no text. The modifier keys pressed this way
  // are remembered, so that a script can hold Ctrl for a shortcut.
  void injectKey(EventKeyboard::KeyCode code, bool pressed);
  // A key press or release as the system delivered it.
  void injectKeyEvent(EventKeyboard& event);
  // Text typed as the system's layout delivers it: a press of KEY_NONE that carries it.
  void injectText(const std::string& text);
  // The wheel turned with the pointer at a design point, in notches as the backend gives them
  // (up and right positive): an EventMouse, with the engine API's signs.
  void injectMouseScroll(const Vec2& designPoint, float notchesX, float notchesY);

  // Called with the window's new size in pixels each time the system gives it another one
  // (the user dragging its edge sends many in a row); not for the size it opened at.
  void setWindowResizedCallback(std::function<void(int width, int height)> callback) {
    _windowResized = std::move(callback);
  }

 protected:
  GLView(std::unique_ptr<backend::Backend> backend, const std::string& viewName, const Size& frameSize);
  static void setLastError(const std::string& error);

 private:
  // The window took this size (pixels): the design area is fitted to it again.
  void setFrameSize(float width, float height);
  Vec2 windowToDesign(float pixelX, float pixelY) const;
  void updateScale();
  void dispatchTouch(TouchPhase phase, Touch* touch);

  std::unique_ptr<backend::Backend> _backend;
  std::string _viewName;
  Size _frameSize;
  Size _designResolutionSize;
  ResolutionPolicy _resolutionPolicy = ResolutionPolicy::EXACT_FIT;
  float _scaleX = 1, _scaleY = 1;
  Vec2 _viewportOrigin;  // pixels from the window's bottom-left corner to the design area's
  bool _closed = false;
  Touch* _touch = nullptr;
  unsigned _injectedModifiers = 0;  // modifier keys held through injectKey
  std::function<void(int, int)> _windowResized;
};

}  // namespace cocos2d

// Applications written against the engine API name the policy without the namespace.
using cocos2d::ResolutionPolicy;
