// The window's size kept across runs: a new size is stored once it has held for half a second
// (not on every step of a drag) or when the window closes, and the next window is offered the
// stored size, read ahead with the store.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/WindowSizeKeeper.h"
#include "cocos/cocos2d.h"
#include "engine/PreferenceSource.h"
#include "screens/HistoryPrefetch.h"
#include "tests/framework/FakeBackend.h"

namespace {

using namespace cocos2d;
using pemtrix_test::FakeBackend;

class WindowSizeKept : public ::testing::Test {
 protected:
  void SetUp() override {
    UserDefault::setStorePath(":memory:");
    auto backend = std::make_unique<FakeBackend>();
    fake = backend.get();
    view = GLViewImpl::createWithBackend(std::move(backend), "test", Rect(0, 0, 480, 768));
    ASSERT_NE(view, nullptr);
    Director::getInstance()->setOpenGLView(view);
    Director::getInstance()->setVirtualClock(true);
    Director::getInstance()->runWithScene(Scene::create());
    frames(1);
  }
  void TearDown() override {
    Director::getInstance()->reset();
    Director::getInstance()->setVirtualClock(false);
    UserDefault::destroyInstance();
  }

  static void frames(int n) {
    for (int i = 0; i < n; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  }
  void resize(int width, int height) {
    backend::InputEvent resized;
    resized.type = backend::InputEvent::Type::Resized;
    resized.width = width;
    resized.height = height;
    fake->window().queueEvent(resized);
    view->pollEvents();
  }
  static std::string stored() {
    UserDefault* store = UserDefault::getInstance();
    return store->getStringForKey("winW", "-") + "x" + store->getStringForKey("winH", "-");
  }

  FakeBackend* fake = nullptr;
  GLView* view = nullptr;
};

// Half a second is 30 frames on the virtual clock.
TEST_F(WindowSizeKept, ANewSizeIsStoredOnceItHasSettled) {
  WindowSizeKeeper keeper;
  keeper.watch(view);
  struct Step {
    const char* what;
    int width, height;  // 0: no resize
    int framesAfter;
    const char* expected;
  };
  const Step steps[] = {
      {"the first step of a drag", 600, 700, 29, "-x-"},
      {"held for half a second", 0, 0, 1, "600x700"},
      {"a drag goes on", 610, 700, 20, "600x700"},
      {"and on: the wait starts over", 620, 710, 29, "600x700"},
      {"it stops", 0, 0, 1, "620x710"},
      {"the same size again", 0, 0, 60, "620x710"},
  };
  for (const Step& s : steps) {
    if (s.width) resize(s.width, s.height);
    frames(s.framesAfter);
    EXPECT_EQ(stored(), s.expected) << s.what;
  }
  EXPECT_FALSE(keeper.isSettling());
}

TEST_F(WindowSizeKept, ClosingStoresASizeThatWasStillSettlingAndNothingElse) {
  WindowSizeKeeper keeper;
  keeper.watch(view);
  resize(640, 720);
  frames(3);
  keeper.windowClosed();
  EXPECT_EQ(stored(), "640x720");
  // Another instance writes its size; this one, with nothing new, leaves it alone.
  UserDefault::getInstance()->setIntegerForKey("winW", 500);
  keeper.windowClosed();
  frames(60);
  EXPECT_EQ(stored(), "500x720");
}

TEST_F(WindowSizeKept, TheNextWindowIsOfferedTheStoredSize) {
  struct Case {
    const char* winW;  // null: not stored
    const char* winH;
    bool offered;
    int width, height;
  };
  const Case cases[] = {
      {"700", "900", true, 700, 900},
      {nullptr, nullptr, false, 0, 0},
      // Whether a size fits is the window's to judge: what is stored is offered as read.
      {"-3", "abc", true, -3, 0},
  };
  for (const Case& c : cases) {
    UserDefault* store = UserDefault::getInstance();
    if (c.winW) store->setStringForKey("winW", c.winW);
    if (c.winH) store->setStringForKey("winH", c.winH);
    WindowSizeKeeper keeper;
    keeper.prepareWindow();
    startStorePrefetchWithWindowSize();
    auto backend = std::make_unique<FakeBackend>();
    FakeBackend* next = backend.get();
    GLView* window = GLViewImpl::createWithBackend(std::move(backend), "next", Rect(0, 0, 480, 768));
    ASSERT_NE(window, nullptr);
    int width = 0, height = 0;
    ASSERT_TRUE(next->window().options().keptSize);
    EXPECT_EQ(next->window().options().keptSize(width, height), c.offered) << (c.winW ? c.winW : "none");
    finishStorePrefetch();
    setPreferenceSource(nullptr);  // which finishing the prefetch set
    if (c.offered) {
      EXPECT_EQ(width, c.width);
      EXPECT_EQ(height, c.height);
    }
    UserDefault::destroyInstance();
  }
}

}  // namespace
