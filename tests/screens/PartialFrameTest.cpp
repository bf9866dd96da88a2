// Frames that redraw only what changed must leave exactly the pixels a whole redraw gives:
// after every kind of change the calculator makes, the partly redrawn window is compared
// with the same state drawn from scratch.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/backend/sdl/SdlBackend.h"

using namespace cocos2d;
using KeyCode = EventKeyboard::KeyCode;

namespace {

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class PartialFrames : public CalculatorTest {
 protected:
  void SetUp() override {
    CalculatorTest::SetUp();
    backend = dynamic_cast<backend::sdl::SdlBackend*>(Director::getInstance()->getBackend());
    ASSERT_NE(backend, nullptr);
    backend->drawing().setPartialFrames(true);
    Director::getInstance()->drawFrame(true);
  }
  void TearDown() override { backend->drawing().setPartialFrames(false); }

  // The window after the change, drawn as the loop draws it, against a whole redraw.
  void expectSameAsWholeFrame(const std::string& what) {
    Director* director = Director::getInstance();
    director->drawFrame(false);
    const std::string partial = testing::TempDir() + "pemtrix_partial.png";
    const std::string whole = testing::TempDir() + "pemtrix_whole.png";
    ASSERT_TRUE(backend->drawing().saveScreenshot(partial));
    director->drawFrame(true);
    ASSERT_TRUE(backend->drawing().saveScreenshot(whole));
    const bool same = readBytes(partial) == readBytes(whole);
    EXPECT_TRUE(same) << what << ": the partial frame differs from a whole one";
    if (!same && std::getenv("PEMTRIX_KEEP_DIFF")) {
      std::rename(partial.c_str(), (partial + "." + what + ".png").c_str());
      std::rename(whole.c_str(), (whole + "." + what + ".png").c_str());
    }
  }

  static void key(KeyCode code) {
    GLView* view = Director::getInstance()->getOpenGLView();
    view->injectKey(code, true);
    view->injectKey(code, false);
  }

  backend::sdl::SdlBackend* backend = nullptr;
};

TEST_F(PartialFrames, EveryChangeLeavesTheSamePixels) {
  UserDefault::getInstance()->setIntegerForKey("FallingChar", 1);
  const std::vector<std::pair<std::string, std::function<void()>>> steps = {
      {"digit", [] { key(KeyCode::KEY_7); }},
      {"template", [this] { calc->insertTemplate("sqrt()", 1, false); }},
      {"cursor left", [] { key(KeyCode::KEY_LEFT_ARROW); }},
      {"blink", [] { for (int i = 0; i < 31; ++i) Director::getInstance()->mainLoop(0); }},
      {"blink back", [] { for (int i = 0; i < 30; ++i) Director::getInstance()->mainLoop(0); }},
      {"long line", [this] { calc->insertText(std::string(300, '9') + "\xE6\x97\xA5\xC3\xA9"); }},
      {"home", [] { key(KeyCode::KEY_HOME); }},
      {"backspace at the start", [] { key(KeyCode::KEY_DELETE); }},
      {"falling", [] { for (int i = 0; i < 5; ++i) Director::getInstance()->mainLoop(0); }},
      {"end and erase", [] { key(KeyCode::KEY_END); key(KeyCode::KEY_BACKSPACE); }},
      {"page 2", [this] { calc->toggleShift(); }},
      {"evaluate", [] { key(KeyCode::KEY_ENTER); }},
      {"recall", [] { key(KeyCode::KEY_UP_ARROW); }},
      {"clear", [] { key(KeyCode::KEY_ESCAPE); }},
      {"characters falling", [] { for (int i = 0; i < 20; ++i) Director::getInstance()->mainLoop(0); }},
  };
  for (const auto& step : steps) {
    step.second();
    ASSERT_NO_FATAL_FAILURE(expectSameAsWholeFrame(step.first));
  }
  for (int i = 0; i < 80; ++i) Director::getInstance()->mainLoop(0);
}

}  // namespace
