#include "app/WindowSizeKeeper.h"

#include "cocos/director/Director.h"
#include "cocos/director/Scheduler.h"
#include "cocos/services/store/UserDefault.h"
#include "cocos/window/GLViewImpl.h"
#include "screens/HistoryPrefetch.h"
#include "screens/SettingsVocabulary.h"

using namespace cocos2d;

namespace {
constexpr const char* kSettleKey = "window size settles";
}  // namespace

WindowSizeKeeper::~WindowSizeKeeper() {
  if (Director* director = Director::peekInstance()) director->getScheduler()->unschedule(kSettleKey, this);
}

void WindowSizeKeeper::prepareWindow() {
  GLViewImpl::setKeptFrameSizeCallback([this](int& width, int& height) {
    if (!takePrefetchedWindowSize(width, height)) return false;
    _storedWidth = width;
    _storedHeight = height;
    return true;
  });
}

void WindowSizeKeeper::watch(GLView* view) {
  view->setWindowResizedCallback([this](int width, int height) { resized(width, height); });
}

void WindowSizeKeeper::resized(int width, int height) {
  _settling = true;
  _width = width;
  _height = height;
  // Each new size starts the wait over: the store is written once the resizing stops.
  Director::getInstance()->getScheduler()->scheduleOnce([this](float) { store(); }, this, kSettleSeconds,
                                                        kSettleKey);
}

void WindowSizeKeeper::windowClosed() {
  if (Director* director = Director::peekInstance()) director->getScheduler()->unschedule(kSettleKey, this);
  store();
}

void WindowSizeKeeper::store() {
  if (!_settling) return;
  _settling = false;
  if (_width == _storedWidth && _height == _storedHeight) return;
  UserDefault* store = UserDefault::getInstance();
  // One write to disk for the pair, and never one without the other.
  store->runInTransaction([&] {
    store->setIntegerForKey(kKeyWindowWidth, _width);
    store->setIntegerForKey(kKeyWindowHeight, _height);
  });
  _storedWidth = _width;
  _storedHeight = _height;
}
