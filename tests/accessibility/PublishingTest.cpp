// Publishing over the window's loop, with a recording bridge linked into this program in
// place of the module: nothing starts without a bus or outside the loop; with one, the tree
// goes out after the first frame, changes follow drawn frames, presses reach the scene, an
// announcement follows the frame that shows its result, and the end withdraws everything.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cocos/accessibility/Accessibility.h"
#include "cocos/accessibility/Accessible.h"
#include "cocos/accessibility/Bridge.h"
#include "cocos/cocos2d.h"
#include "tests/platform/FakeBackend.h"

namespace pemtrix_test {
namespace {

using namespace cocos2d::accessibility;

struct BridgeLog {
  int created = 0;
  bool failStart = false;
  std::string applicationName;
  BridgeHost* host = nullptr;
  std::vector<std::string> events;  // "start", "publish", "announce:<text>", "stop"
  std::vector<Snapshot> trees;
  std::vector<TreeDelta> deltas;
};
BridgeLog g_log;

class NoWait final : public backend::WaitSource {
 public:
  int prepareWait(std::vector<backend::WaitDescriptor>&) override { return -1; }
  void finishWait(const backend::WaitDescriptor*, std::size_t) override {}
};

class RecordingBridge final : public Bridge {
 public:
  bool start(BridgeHost* host, const std::string& applicationName, std::string& error) override {
    g_log.events.push_back("start");
    g_log.host = host;
    g_log.applicationName = applicationName;
    if (g_log.failStart) error = "no bus after all";
    return !g_log.failStart;
  }
  backend::WaitSource* waitSource() override { return &_wait; }
  void publish(const Snapshot& tree, const TreeDelta& delta) override {
    g_log.events.push_back("publish");
    g_log.trees.push_back(tree);
    g_log.deltas.push_back(delta);
  }
  void announce(const std::string& message) override { g_log.events.push_back("announce:" + message); }
  void stop() override { g_log.events.push_back("stop"); }

 private:
  NoWait _wait;
};

}  // namespace
}  // namespace pemtrix_test

// Found by the engine's module search before any file is tried.
extern "C" cocos2d::accessibility::Bridge* pemtrixCreateAccessibilityBridge() {
  ++pemtrix_test::g_log.created;
  return new pemtrix_test::RecordingBridge();
}

namespace pemtrix_test {
namespace {

// A backend that lets the test see the wait sources the loop serves.
class WaitingBackend : public FakeBackend {
 public:
  std::size_t sourceCount() const { return waitSources().size(); }
};

// One window, one scene with a button and a counter of presses; a script of steps run on
// successive frames, the last of which closes the window.
class LoopApp : public Application {
 public:
  bool applicationDidFinishLaunching() override {
    auto backend = std::make_unique<WaitingBackend>();
    fake = backend.get();
    GLView* view = GLViewImpl::createWithBackend(std::move(backend), "window title", Rect(0, 0, 480, 768));
    view->setDesignResolutionSize(800, 1280, ResolutionPolicy::EXACT_FIT);
    Director::getInstance()->setOpenGLView(view);
    Scene* scene = Scene::create();
    Menu* menu = Menu::create();
    menu->setPosition(Vec2::ZERO);
    button = MenuItem::create([this](Ref*) {
      ++presses;
      label->setString("pressed " + std::to_string(presses));
    });
    button->setContentSize(Size(200, 100));
    button->setPosition(400, 400);
    menu->addChild(button);
    scene->addChild(menu);
    makeAccessible(button, Role::PushButton, "the button");
    label = Label::createWithSystemFont("idle", "Arial", 40);
    label->setPosition(400, 800);
    scene->addChild(label);
    makeAccessible(label, Role::Label).textSource = [this] { return label->getString(); };
    scene->schedule([this](float) { step(); }, "script");
    Director::getInstance()->runWithScene(scene);
    return true;
  }
  void applicationDidEnterBackground() override {}
  void applicationWillEnterForeground() override {}

  void step() {
    if (frame < script.size()) script[frame](*this);
    ++frame;
    if (frame >= script.size()) {
      backend::InputEvent quit;
      quit.type = backend::InputEvent::Type::Quit;
      fake->events.push_back(quit);
    }
  }

  std::vector<void (*)(LoopApp&)> script;
  std::size_t frame = 0;
  WaitingBackend* fake = nullptr;
  MenuItem* button = nullptr;
  Label* label = nullptr;
  int presses = 0;
  std::size_t sourcesWhileRunning = 0;
};

class Publishing : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS")) sessionBus = address;
  }
  static void TearDownTestSuite() {
    if (!sessionBus.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", sessionBus.c_str(), 1);
    else unsetenv("DBUS_SESSION_BUS_ADDRESS");
  }
  static inline std::string sessionBus;

  void SetUp() override {
    g_log = BridgeLog();
    unsetenv("NO_AT_BRIDGE");
    setenv("AT_SPI_BUS_ADDRESS", "unix:path=/nonexistent/a11y-bus", 1);
    setApplicationName("Test Application");
  }
  void TearDown() override {
    unsetenv("AT_SPI_BUS_ADDRESS");
    unsetenv("NO_AT_BRIDGE");
    GLView::setHeadless(false);
    Director::getInstance()->reset();
  }
};

TEST_F(Publishing, TheTreeGoesOutAfterTheFirstFrameAndFollowsTheScene) {
  LoopApp app;
  app.script = {
      [](LoopApp&) {},  // before the first frame is drawn
      [](LoopApp& a) { a.sourcesWhileRunning = a.fake->sourceCount(); },
      [](LoopApp& a) {
        // A press from a screen reader, as the bridge would make it while the loop waits.
        ASSERT_NE(g_log.host, nullptr);
        EXPECT_TRUE(g_log.host->press(a.button->getAccessible()->id()));
        EXPECT_FALSE(g_log.host->press(987654321)) << "no such object";
        announce("pressed once");
      },
      [](LoopApp&) {},
      [](LoopApp&) {},
  };
  EXPECT_EQ(app.run(), 0);

  EXPECT_EQ(g_log.created, 1);
  EXPECT_EQ(g_log.applicationName, "Test Application");
  EXPECT_EQ(app.sourcesWhileRunning, 1u) << "the loop serves the bridge's wait source";
  EXPECT_EQ(app.presses, 1);
  ASSERT_GE(g_log.trees.size(), 2u);
  EXPECT_EQ(g_log.events.front(), "start");
  EXPECT_EQ(g_log.events.back(), "stop");

  const Snapshot& first = g_log.trees.front();
  EXPECT_EQ(first.windowName, "window title");
  ASSERT_EQ(first.nodes.size(), 2u);
  EXPECT_EQ(g_log.deltas.front().added.size(), 2u);

  // The press changed the label; the next drawn frame published that, then the announcement.
  const auto announced = std::find(g_log.events.begin(), g_log.events.end(), "announce:pressed once");
  ASSERT_NE(announced, g_log.events.end());
  ASSERT_EQ(*(announced - 1), "publish");
  const Snapshot& afterPress = g_log.trees.back();
  bool found = false;
  for (const PublishedNode& n : afterPress.nodes) found = found || n.text == "pressed 1";
  EXPECT_TRUE(found);
  const TreeDelta& change = g_log.deltas.back();
  ASSERT_EQ(change.changed.size(), 1u);
  EXPECT_TRUE(change.changed[0].text);
  EXPECT_EQ(change.changed[0].textEdit.inserted, "pressed 1");
  EXPECT_EQ(std::count(g_log.events.begin(), g_log.events.end(), "publish"), 2)
      << "frames that change nothing publish nothing";
  EXPECT_FALSE(isPublishing()) << "withdrawn when the loop ends";
}

TEST_F(Publishing, NothingLoadsWithoutABusOrWhenTurnedOff) {
  struct Case {
    const char* what;
    void (*setUp)();
  };
  const Case cases[] = {
      {"no bus anywhere",
       [] {
         unsetenv("AT_SPI_BUS_ADDRESS");
         setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/session-bus", 1);
       }},
      {"turned off", [] { setenv("NO_AT_BRIDGE", "1", 1); }},
      {"headless", [] { GLView::setHeadless(true); }},
  };
  for (const Case& c : cases) {
    g_log = BridgeLog();
    c.setUp();
    LoopApp app;
    app.script = {[](LoopApp&) {}, [](LoopApp&) {}};
    EXPECT_EQ(app.run(), 0) << c.what;
    EXPECT_EQ(g_log.created, 0) << c.what;
    EXPECT_TRUE(g_log.events.empty()) << c.what;
    SetUp();
    GLView::setHeadless(false);
  }
}

TEST_F(Publishing, OutsideTheWindowsLoopFramesPublishNothing) {
  // The automation mode and the tests run frames without the loop.
  LoopApp app;
  ASSERT_TRUE(app.applicationDidFinishLaunching());
  for (int i = 0; i < 3; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  EXPECT_EQ(g_log.created, 0);
  announce("nobody listens");
  EXPECT_TRUE(g_log.events.empty());
}

TEST_F(Publishing, ABridgeThatCannotStartIsTriedOncePerWindow) {
  g_log.failStart = true;
  LoopApp app;
  app.script = {[](LoopApp&) {}, [](LoopApp&) {}, [](LoopApp&) {}};
  EXPECT_EQ(app.run(), 0);
  EXPECT_EQ(g_log.created, 1);
  EXPECT_EQ(g_log.events, std::vector<std::string>{"start"});
}

}  // namespace
}  // namespace pemtrix_test
