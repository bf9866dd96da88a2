// Touches beyond the keys, on the real headless calculator: a tap on the line puts the cursor
// at the nearest character boundary in the real font, a drag does not select, and a double
// tap on a tape line inserts its text, as one step of undo, while single taps and drags keep
// their old meaning.
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
  static void frames(int n) {
    for (int i = 0; i < n; ++i) Director::getInstance()->mainLoop(1.0f / 60);
  }
  static float lineX(double offset) { return static_cast<float>(layout::kLineLeft + offset); }
  // The centre of tape line i while the tape rests.
  static float tapeY(int i) {
    return static_cast<float>(layout::kTapeY + layout::kTapeFirstLineY + i * layout::kTapeLineStep);
  }
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

TEST_F(Touches, ADoubleTapOnATapeLineInsertsItsText) {
  calc->insertText("6*7");
  calc->evaluate();
  calc->evaluate();  // an empty line at the bottom: "=42" on line 1, "6*7" on line 2
  struct Case {
    const char* what;
    std::vector<float> taps;  // y of each tap
    int framesBetween;
    std::string line;
  };
  const float x = 200;
  const std::vector<Case> cases = {
      {"a result line, without its =", {tapeY(1), tapeY(1)}, 5, "1+42"},
      {"an expression line as it stands", {tapeY(2), tapeY(2)}, 5, "1+6*7"},
      {"two taps half a second apart", {tapeY(1), tapeY(1)}, 30, "1+42"},
      {"too slow", {tapeY(1), tapeY(1)}, 31, "1+"},
      {"two different lines", {tapeY(1), tapeY(2)}, 5, "1+"},
      {"a single tap does nothing", {tapeY(1)}, 0, "1+"},
      {"an empty line has nothing to give", {tapeY(0), tapeY(0)}, 5, "1+"},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    calc->insertText("1+");
    frames(40);  // no tap of the case before counts
    for (std::size_t i = 0; i < c.taps.size(); ++i) {
      if (i > 0) frames(c.framesBetween);
      tap(x, c.taps[i]);
    }
    EXPECT_EQ(calc->getExpression(), c.line) << c.what;
    EXPECT_EQ(calc->getTapeView()->getInnerContainerPosition(), Vec2::ZERO) << c.what;
  }

  // One step of undo, like a paste.
  calc->clearAll();
  calc->insertText("2*");
  frames(40);
  tap(x, tapeY(2));
  tap(x, tapeY(2));
  ASSERT_EQ(calc->getExpression(), "2*6*7");
  calc->undo();
  EXPECT_EQ(calc->getExpression(), "2*");
}

TEST_F(Touches, ADragOnTheTapeScrollsItAndIsNoTap) {
  calc->insertText("6*7");
  calc->evaluate();
  frames(40);
  tap(200, tapeY(0));
  touch(TouchPhase::BEGAN, 200, tapeY(0));
  touch(TouchPhase::MOVED, 150, tapeY(0) - 40);
  touch(TouchPhase::ENDED, 150, tapeY(0) - 40);
  EXPECT_EQ(calc->getExpression(), "");
  EXPECT_NE(calc->getTapeView()->getInnerContainerPosition(), Vec2::ZERO) << "the tape still scrolls";
  calc->getTapeView()->scrollToBottomLeft(0, false);
  // After the drag, the next tap is a first one again.
  tap(200, tapeY(0));
  EXPECT_EQ(calc->getExpression(), "");
}

TEST_F(Touches, TheInformationBoxKeepsTouchesFromTheLineAndTheTape) {
  calc->insertText("6*7");
  calc->evaluate();
  calc->insertText("123");
  calc->showInformation();
  frames(40);
  tap(lineX(1), layout::kExpressionY);
  tap(200, tapeY(0));
  tap(200, tapeY(0));
  EXPECT_EQ(calc->getCursorPos(), 3);
  EXPECT_EQ(calc->getExpression(), "123");
  // Escape answers the box, which closes it (and clears the line).
  Director::getInstance()->getOpenGLView()->injectKey(EventKeyboard::KeyCode::KEY_ESCAPE, true);
  Director::getInstance()->getOpenGLView()->injectKey(EventKeyboard::KeyCode::KEY_ESCAPE, false);
  EXPECT_EQ(calc->getInfoBox(), nullptr);
}

}  // namespace
