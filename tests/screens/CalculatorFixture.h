// A calculator screen on the real headless backend and a store in memory, shared by the
// screen tests of one program and torn down at exit so that the leak checker sees no leak.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/AppDelegate.h"
#include "cocos/services/store/UserDefault.h"
#include "cocos/cocos2d.h"
#include "engine/PreferenceSource.h"
#include "screens/StorePreferences.h"
#include "screens/MainLayer.h"

class CalculatorEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    using namespace cocos2d;
    UserDefault::setStorePath(":memory:");
    setPreferenceSource(storePreferences());
    GLView::setHeadless(true);
    Director::getInstance()->setVirtualClock(true);
    FileUtils::getInstance()->setDefaultResourceRootPath(PEMTRIX_RESOURCES_DIR);
    _app = new AppDelegate();
    ASSERT_TRUE(Application::getInstance()->applicationDidFinishLaunching());
    Director::getInstance()->mainLoop(0);
  }
  void TearDown() override {
    cocos2d::Director::getInstance()->reset();
    delete _app;
    setPreferenceSource(nullptr);
    cocos2d::UserDefault::destroyInstance();
  }

 private:
  AppDelegate* _app = nullptr;
};

// The width of text in the expression line's font, measured by a label of its own: what the
// line's window and cursor are checked against.
inline float lineWidth(const std::string& text) {
  static cocos2d::Label* probe = [] {
    cocos2d::Label* label = cocos2d::Label::createWithSystemFont("", "Arial", 48);
    label->retain();
    return label;
  }();
  probe->setString(text);
  return probe->getContentSize().width;
}

// Each test starts from an empty line with sound and falling characters off.
class CalculatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* store = cocos2d::UserDefault::getInstance();
    store->setIntegerForKey("SoundEffect", 0);
    store->setIntegerForKey("FallingChar", 0);
    calc = currentMainLayer;
    ASSERT_NE(calc, nullptr);
    calc->clearAll();
  }
  MainLayer* calc = nullptr;
};
