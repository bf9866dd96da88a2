#include "app/AppDelegate.h"

#include <cstdio>
#include <string>

#include "cocos/accessibility/Accessibility.h"
#include "screens/HistoryPrefetch.h"
#include "screens/MainLayer.h"
#include "screens/Version.h"

using namespace cocos2d;

AppDelegate::AppDelegate(bool keepWindowSize) : _keepWindowSize(keepWindowSize) {}
AppDelegate::~AppDelegate() = default;

void AppDelegate::windowClosed() {
  if (_keepWindowSize) _windowSize.windowClosed();
}

void AppDelegate::initGLContextAttrs() {
  GLContextAttrs attrs = {8, 8, 8, 8, 24, 8};
  GLView::setGLContextAttrs(attrs);
}

bool AppDelegate::applicationDidFinishLaunching() {
  Director* director = Director::getInstance();
  GLView* view = director->getOpenGLView();
  const std::string title = std::string("Pemtrix version") + kVersionText;
  if (!view) {
    // Resizable, and sized for the desktop by the backend: smaller where 480 x 768 does not
    // fit the screen, larger on a HiDPI desktop, or as the user left it where that fits.
    if (_keepWindowSize) _windowSize.prepareWindow();
    view = GLViewImpl::createWithRect(title, Rect(0, 0, 480, 768), 1.0f, true);
    if (!view) {
      // Without a window there is nothing to run; say why in one line.
      std::fprintf(stderr, "pemtrix: %s\n", GLView::getLastError().c_str());
      return false;
    }
    director->setOpenGLView(view);
    if (_keepWindowSize) _windowSize.watch(view);
  }
  director->setAnimationInterval(1.0f / 60);
  accessibility::setApplicationName("Pemtrix");
  // Whatever the window's shape, the design area keeps its proportions, letterboxed.
  view->setDesignResolutionSize(800, 1280, ResolutionPolicy::SHOW_ALL);
  FileUtils::getInstance()->setSearchPaths({"images", "buttons", "sounds"});

  // The store was opened on another thread while the window was made; from here on it is
  // this thread's.
  finishStorePrefetch();
  Scene* scene = Scene::create();
  if (MainLayer* layer = MainLayer::create()) scene->addChild(layer);
  director->runWithScene(scene);
  return true;
}

void AppDelegate::applicationDidEnterBackground() { Director::getInstance()->stopAnimation(); }

void AppDelegate::applicationWillEnterForeground() { Director::getInstance()->startAnimation(); }
