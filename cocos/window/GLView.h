// The window as the engine sees it: owns the backend, maps the design resolution onto the
// window's pixels, and turns the backend's input into touches and key events (or takes them
// injected by automation and tests).
#pragma once

#include <memory>
#include <string>

#include "cocos/backend/Backend.h"
#include "cocos/base/EventKeyboard.h"
#include "cocos/base/Ref.h"
#include "cocos/math/AffineTransform.h"
#include "cocos/math/Vec2.h"

namespace cocos2d {

class Touch;

enum class ResolutionPolicy { EXACT_FIT, NO_BORDER, SHOW_ALL, FIXED_HEIGHT, FIXED_WIDTH, UNKNOWN };

struct GLContextAttrs {
  int redBits = 8;
  int greenBits = 8;
  int blueBits = 8;
  int alphaBits = 8;
  int depthBits = 24;
  int stencilBits = 8;
  int multisamplingCount = 0;
};

enum class TouchPhase { BEGAN, MOVED, ENDED, CANCELLED };

class GLView : public Ref {
 public:
  // Kept for applications written against the engine API; the software backend ignores them.
  static void setGLContextAttrs(GLContextAttrs& attrs);
  static GLContextAttrs getGLContextAttrs();
  // Windows opened after this run offscreen: no display needed, no audio, same pixels.
  static void setHeadless(bool headless);
  static bool isHeadless();
  // Why the last window could not be opened.
  static const std::string& getLastError();

  ~GLView() override;

  backend::Backend* getBackend() const { return _backend.get(); }
  bool isOpenGLReady() const { return _backend != nullptr && !_closed; }
  // Marks the window as closing; the backend closes it when the view is released.
  virtual void end();
  bool windowShouldClose() const { return _closed; }
  const std::string& getViewName() const { return _viewName; }

  // EXACT_FIT stretches the design area over the whole window; SHOW_ALL letterboxes,
  // NO_BORDER crops, FIXED_WIDTH/FIXED_HEIGHT keep one dimension and adapt the other.
  void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
  const Size& getDesignResolutionSize() const { return _designResolutionSize; }
  ResolutionPolicy getResolutionPolicy() const { return _resolutionPolicy; }
  const Size& getFrameSize() const { return _frameSize; }
  // The window took this size (pixels): the design area is fitted to it again.
  void setFrameSize(float width, float height);
  Size getVisibleSize() const;
  Vec2 getVisibleOrigin() const;
  float getScaleX() const { return _scaleX; }
  float getScaleY() const { return _scaleY; }
  // Design units (origin bottom-left) to window pixels (origin top-left).
  AffineTransform getDesignToWindowTransform() const;
  Vec2 windowToDesign(float pixelX, float pixelY) const;

  // Reads every pending backend event: the left button becomes touch 0 (in design units),
  // keys become key events (a held key presses again as the system repeats it, with the
  // text the layout made of it), text without a key becomes a press of KEY_NONE with that
  // text, Quit ends the director, Hidden/Shown reach the application, Exposed redraws.
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
  bool isTouchInProgress() const { return _touch != nullptr; }

 protected:
  GLView(std::unique_ptr<backend::Backend> backend, const std::string& viewName, const Size& frameSize);
  static void setLastError(const std::string& error);

 private:
  void updateScale();
  void dispatchTouch(TouchPhase phase, Touch* touch);

  std::unique_ptr<backend::Backend> _backend;
  std::string _viewName;
  Size _frameSize;
  Size _designResolutionSize;
  ResolutionPolicy _resolutionPolicy = ResolutionPolicy::UNKNOWN;
  float _scaleX = 1, _scaleY = 1;
  Vec2 _viewportOrigin;  // pixels from the window's bottom-left corner to the design area's
  bool _closed = false;
  Touch* _touch = nullptr;
  unsigned _injectedModifiers = 0;  // modifier keys held through injectKey
};

}  // namespace cocos2d

// Applications written against the engine API name the policy without the namespace.
using cocos2d::ResolutionPolicy;
