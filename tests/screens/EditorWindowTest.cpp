// The sideways-scrolling window of the expression line, checked against the plain rule it
// implements: scroll right one character at a time, measuring the whole text before the
// cursor each time, until the cursor fits.
#include <random>
#include <string>

#include "CalculatorFixture.h"
#include "cocos/base/Utf8.h"

using namespace cocos2d;

namespace {

constexpr double kLeftMargin = 23.4375;
constexpr float kRightLimit = 776.5625f;

struct Window {
  int viewStart;
  float cursorX;
};

Window plainRule(int viewStart, int cursor, const std::string& line) {
  for (;;) {
    if (cursor < viewStart) viewStart = cursor;
    const float width = lineWidth(line.substr(viewStart, cursor - viewStart));
    const float x = static_cast<float>(width + kLeftMargin);
    if (x >= kRightLimit) {
      viewStart = static_cast<int>(nextUtf8Boundary(line, static_cast<std::size_t>(viewStart)));
      continue;
    }
    return {viewStart, x};
  }
}

class EditorWindow : public CalculatorTest {
 protected:
  void expectWindow(const Window& want, const char* step) {
    ASSERT_EQ(calc->getViewStart(), want.viewStart) << step << " line \"" << calc->getExpression() << "\"";
    ASSERT_FLOAT_EQ(calc->getCursorBar()->getPositionX(), want.cursorX) << step;
    ASSERT_EQ(calc->getExprLabel()->getString(), calc->getExpression().substr(calc->getViewStart())) << step;
  }
};

TEST_F(EditorWindow, RandomEditsKeepTheWindowOfThePlainRule) {
  std::mt19937 random(20261207);
  const std::string alphabet = "0123456789+-*/().,eWil'%";
  for (int step = 0; step < 1500; ++step) {
    const int before = calc->getViewStart();
    const int cursor = calc->getCursorPos();
    const int length = static_cast<int>(calc->getExpression().size());
    switch (random() % 8) {
      case 0:
      case 1:
      case 2: {
        std::string chunk(1 + random() % (random() % 5 == 0 ? 40 : 3), ' ');
        for (char& c : chunk) c = alphabet[random() % alphabet.size()];
        calc->insertText(chunk);
        expectWindow(plainRule(before, cursor + static_cast<int>(chunk.size()), calc->getExpression()), "insert");
        break;
      }
      case 3:
        calc->cursorLeft();
        expectWindow(plainRule(before, cursor > 0 ? cursor - 1 : cursor, calc->getExpression()), "left");
        break;
      case 4:
        calc->cursorRight();
        expectWindow(plainRule(before, cursor < length ? cursor + 1 : cursor, calc->getExpression()), "right");
        break;
      case 5:
        if (random() % 2) {
          calc->cursorHome();
          expectWindow(plainRule(0, 0, calc->getExpression()), "home");
        } else {
          calc->cursorEnd();
          expectWindow(plainRule(before, length, calc->getExpression()), "end");
        }
        break;
      case 6: {
        if (cursor == 0) break;
        calc->eraseBeforeCursor();
        int start = before;
        while (start > 0 && start >= length - 1) --start;
        expectWindow(plainRule(start, cursor - 1, calc->getExpression()), "backspace");
        break;
      }
      default:
        if (length > 200) calc->clearAll();
        break;
    }
  }
}

TEST_F(EditorWindow, MultiByteTextScrollsByTheSameRule) {
  const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC" "123\xC3\xA9" "456";  // Japanese, digits, e-acute
  for (int i = 0; i < 12; ++i) {
    const int before = calc->getViewStart();
    const int cursor = calc->getCursorPos();
    calc->insertText(text);
    expectWindow(plainRule(before, cursor + static_cast<int>(text.size()), calc->getExpression()), "insert");
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new CalculatorEnvironment);
  return RUN_ALL_TESTS();
}
