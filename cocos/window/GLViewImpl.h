// Creates the window: loads the backend module and opens a window of the requested size.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cocos/window/GLView.h"

namespace cocos2d {

class GLViewImpl : public GLView {
 public:
  // Null when the backend cannot be loaded or the window cannot be opened; the reason is in
  // GLView::getLastError(). The window is rect's size times the zoom factor.
  static GLViewImpl* createWithRect(const std::string& viewName, Rect rect, float frameZoomFactor = 1.0f,
                                    bool resizable = false);
  // The same with a backend the caller provides: tests use a recording one.
  static GLViewImpl* createWithBackend(std::unique_ptr<backend::Backend> backend, const std::string& viewName,
                                       Rect rect, float frameZoomFactor = 1.0f, bool resizable = false);
  // Runs once, while the next window opens, as soon as the backend has reached the display and
  // before the window is made: the place for start-up work on a thread of its own. Opening an
  // X display reads the desktop's compose table a character at a time through stdio, and once
  // a process has had a second thread every such read takes a lock; a thread started any
  // earlier makes the window appear several milliseconds later.
  static void setDisplayOpenedCallback(std::function<void()> callback);
  // Runs once, while the next window opens, after the display-opened callback: the size in
  // window pixels that the user last gave the window, which it opens at when that fits the
  // screen. False: none (the usual size).
  static void setKeptFrameSizeCallback(std::function<bool(int& width, int& height)> callback);

 protected:
  using GLView::GLView;
};

}  // namespace cocos2d
