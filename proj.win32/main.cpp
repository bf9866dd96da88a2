// Program entry of the Windows build: the windowed-application entry point runs the calculator.
#include <windows.h>

#include "app/AppDelegate.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  AppDelegate app;
  const int status = cocos2d::Application::getInstance()->run();
  return status;
}
