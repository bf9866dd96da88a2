// The application: creates the window, fixes the design resolution, frame rate and resource
// search paths, and runs the root scene with the calculator screen.
#pragma once

#include "cocos/cocos2d.h"

class AppDelegate : private cocos2d::Application {
 public:
  AppDelegate();
  ~AppDelegate() override;

  void initGLContextAttrs() override;
  bool applicationDidFinishLaunching() override;
  void applicationDidEnterBackground() override;
  void applicationWillEnterForeground() override;
};
