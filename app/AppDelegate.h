// The application: creates the window, fixes the design resolution, frame rate and resource
// search paths, and runs the root scene with the calculator screen.
#pragma once

#include "app/WindowSizeKeeper.h"
#include "cocos/cocos2d.h"

class AppDelegate : private cocos2d::Application {
 public:
  // keepWindowSize: the window opens at the size the user gave it last time, and a new size is
  // stored (the desktop program; never headless runs or scripts).
  explicit AppDelegate(bool keepWindowSize = false);
  ~AppDelegate() override;
  // After the application has run: what is still to be stored about the window is stored.
  void windowClosed();

  void initGLContextAttrs() override;
  bool applicationDidFinishLaunching() override;
  void applicationDidEnterBackground() override;
  void applicationWillEnterForeground() override;

 private:
  bool _keepWindowSize;
  WindowSizeKeeper _windowSize;
};
