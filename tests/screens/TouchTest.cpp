// Touches beyond the keys, on the real headless calculator: a tap on the line puts the cursor
// at the nearest character boundary in the real font, and a drag does not select.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/audio/SimpleAudioEngine.h"
#include "screens/CalculatorLayout.h"

using namespace cocos2d;

namespace {

class Touches : public CalculatorTest {
 protected:
  static void touch(TouchPhase phase, float x, float y) {
    Director::getInstance()->getOpenGLView()->injectTouch(phase, Vec2(x, y));
  }
  static void tap(float x, float y) {
    touch(TouchPhase::BEGAN, x, y);
    touch(TouchPhase::ENDED, x, y);
  }
  static float lineX(double offset) { return static_cast<float>(layout::kLineLeft + offset); }
  static int sounds() { return static_cast<int>(CocosDenshion::SimpleAudioEngine::getInstance()->getPlayCount()); }
};

TEST_F(Touches, ATapOnTheLinePutsTheCursorAtTheNearestBoundary) {
  const std::string line = "sqrt(12)+345";
  const float middle = layout::kExpressionY;
  // Halfway between the boundaries after "sqrt(1" and "sqrt(12" is where the choice turns.
  const double turn = (lineWidth("sqrt(1") + lineWidth("sqrt(12")) / 2;
  struct Case {
    const char* what;
    double x;
    int cursor;
  };
  const std::vector<Case> cases = {
      {"just left of a turn", turn - 1, 6},
      {"just right of it", turn + 1, 7},
      {"the line's left edge", 0, 0},
      {"past the end of the text", 700, 12},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    calc->insertText(line);
    const int clicks = sounds();
    UserDefault::getInstance()->setIntegerForKey("SoundEffect", 1);
    tap(lineX(c.x), middle);
    UserDefault::getInstance()->setIntegerForKey("SoundEffect", 0);
    EXPECT_EQ(calc->getCursorPos(), c.cursor) << c.what;
    EXPECT_EQ(calc->getExpression(), line) << c.what;
    EXPECT_FLOAT_EQ(calc->getCursorBar()->getPositionX(), lineX(lineWidth(line.substr(0, c.cursor)))) << c.what;
    EXPECT_EQ(sounds(), clicks + 1) << c.what << ": a click, as the arrow keys make";
  }
}

TEST_F(Touches, ADragOnTheLineSelectsNothing) {
  calc->insertText("123456");
  touch(TouchPhase::BEGAN, lineX(lineWidth("12")), layout::kExpressionY);
  touch(TouchPhase::MOVED, lineX(lineWidth("12345")), layout::kExpressionY);
  touch(TouchPhase::ENDED, lineX(lineWidth("12345")), layout::kExpressionY);
  EXPECT_EQ(calc->getCursorPos(), 2) << "the cursor goes where the touch began";
  EXPECT_EQ(calc->getExpression(), "123456");
}

TEST_F(Touches, TheInformationBoxKeepsTouchesFromTheLine) {
  calc->insertText("123");
  calc->showInformation();
  tap(lineX(1), layout::kExpressionY);
  EXPECT_EQ(calc->getCursorPos(), 3);
  EXPECT_EQ(calc->getExpression(), "123");
  // Escape answers the box, which closes it (and clears the line).
  Director::getInstance()->getOpenGLView()->injectKey(EventKeyboard::KeyCode::KEY_ESCAPE, true);
  Director::getInstance()->getOpenGLView()->injectKey(EventKeyboard::KeyCode::KEY_ESCAPE, false);
  EXPECT_EQ(calc->getInfoBox(), nullptr);
}

}  // namespace
