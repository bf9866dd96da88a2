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
#include "tests/framework/FakeBackend.h"
#include "tests/framework/Ticker.h"

namespace pemtrix_test {
namespace {

using namespace cocos2d::accessibility;

struct BridgeLog {
  int created = 0;
  bool failStart = false;
  BridgeHost* host = nullptr;
  std::vector<std::string> events;  // "start <name>", "publish", "announce <text>", "stop"
  std::vector<TreeDelta> deltas;
};
BridgeLog g_log;

class RecordingBridge final : public Bridge, public backend::WaitSource {
 public:
  bool start(BridgeHost* host, const std::string& name, std::string& error) override {
    g_log.events.push_back("start " + name);
    g_log.host = host;
    error = "no bus after all";
    return !g_log.failStart;
  }
  backend::WaitSource* waitSource() override { return this; }
  void publish(const Snapshot&, const TreeDelta& delta) override {
    g_log.events.push_back("publish");
    g_log.deltas.push_back(delta);
  }
  void announce(const std::string& message) override { g_log.events.push_back("announce " + message); }
  void stop() override { g_log.events.push_back("stop"); }
  int prepareWait(std::vector<backend::WaitDescriptor>&) override { return -1; }
  void finishWait(const backend::WaitDescriptor*, std::size_t) override {}
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

// A window with a button that rewrites a label, and a script of steps, one per frame; the
// window closes after the last.
class LoopApp : public Application {
 public:
  using Step = void (*)(LoopApp&);
  explicit LoopApp(std::vector<Step> steps) : script(std::move(steps)) {}

  bool applicationDidFinishLaunching() override {
    auto backend = std::make_unique<FakeBackend>();
    fake = backend.get();
    GLView* view = GLViewImpl::createWithBackend(std::move(backend), "window title", Rect(0, 0, 480, 768));
    view->setDesignResolutionSize(800, 1280, ResolutionPolicy::EXACT_FIT);
    Director::getInstance()->setOpenGLView(view);
    Scene* scene = Scene::create();
    label = Label::createWithSystemFont("idle", "Arial", 40);
    makeAccessible(label, Role::Label).textSource = [this]() -> const std::string& { return label->getString(); };
    scene->addChild(label);
    button = MenuItem::create([this](Ref*) { label->setString("pressed"); });
    button->setContentSize(Size(200, 100));
    makeAccessible(button, Role::PushButton, "the button");
    Menu* menu = Menu::createWithArray({button});
    scene->addChild(menu);
    // One step a frame, frames running until the script ends.
    scene->addChild(Ticker::create([this](float) {
      Director::getInstance()->requestAnimationFrame();
      if (frame < script.size()) script[frame](*this);
      if (++frame == script.size()) fake->window().queueEvent(backend::InputEvent{});  // Quit
    }));
    Director::getInstance()->runWithScene(scene);
    return true;
  }
  void applicationDidEnterBackground() override {}
  void applicationWillEnterForeground() override {}

  std::vector<Step> script;
  std::size_t frame = 0;
  FakeBackend* fake = nullptr;
  MenuItem* button = nullptr;
  Label* label = nullptr;
  std::size_t sources = 0;
};

void idle(LoopApp&) {}

class Publishing : public ::testing::Test {
 protected:
  void SetUp() override {
    g_log = BridgeLog();
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
  LoopApp app({idle,  // the first frame is drawn after this step
               [](LoopApp& a) {
                 a.sources = a.fake->window().waitSourceCount();
                 // A press from a screen reader, as the bridge makes it while the loop waits.
                 EXPECT_TRUE(g_log.host->press(a.button->getAccessible()->id()));
                 EXPECT_FALSE(g_log.host->press(987654321)) << "no such object";
                 announce("pressed once");
               },
               idle, idle});
  EXPECT_EQ(app.run(), 0);

  EXPECT_EQ(app.sources, 1u) << "the loop serves the bridge's wait source";
  const std::vector<std::string> expected = {"start Test Application", "publish", "publish", "announce pressed once",
                                             "stop"};
  EXPECT_EQ(g_log.events, expected) << "frames that change nothing publish nothing";
  EXPECT_EQ(g_log.deltas[0].added.size(), 2u);
  ASSERT_EQ(g_log.deltas[1].changed.size(), 1u);
  EXPECT_EQ(g_log.deltas[1].changed[0].textEdit.inserted, "pressed") << "the press was drawn, then published";
}

TEST_F(Publishing, NothingStartsWithoutABusWhenTurnedOffOrHeadless) {
  const char* session = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const std::string keptSession = session ? session : "";
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
    SetUp();
    c.setUp();
    LoopApp app({idle, idle});
    EXPECT_EQ(app.run(), 0) << c.what;
    EXPECT_EQ(g_log.created, 0) << c.what;
    TearDown();
  }
  if (session) setenv("DBUS_SESSION_BUS_ADDRESS", keptSession.c_str(), 1);
  else unsetenv("DBUS_SESSION_BUS_ADDRESS");
}

TEST_F(Publishing, FramesOutsideTheWindowsLoopPublishNothing) {
  // The automation mode and the tests run frames without the loop.
  LoopApp app({});
  ASSERT_TRUE(app.applicationDidFinishLaunching());
  for (int i = 0; i < 3; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  announce("nobody listens");
  EXPECT_EQ(g_log.created, 0);
  EXPECT_TRUE(g_log.events.empty());
}

TEST_F(Publishing, ABridgeThatCannotStartIsTriedOncePerWindow) {
  g_log.failStart = true;
  LoopApp app({idle, idle, idle});
  EXPECT_EQ(app.run(), 0);
  EXPECT_EQ(g_log.events, std::vector<std::string>{"start Test Application"});
}

}  // namespace
}  // namespace pemtrix_test
