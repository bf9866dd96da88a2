// The expression line on the screen, through thousands of random keypad taps, keyboard keys,
// history recalls, pastes and evaluations: after every step the label shows the editor's line
// from its window, and the cursor bar stands where the real font ends the text before the
// cursor, inside the line. (The editor's own rules are tested on the editor alone.)
#include <random>
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/services/SystemClipboard.h"
#include "screens/CalculatorLayout.h"

using namespace cocos2d;
using KeyCode = EventKeyboard::KeyCode;

namespace {

class LineDisplay : public CalculatorTest {
 protected:
  void TearDown() override {
    // Leave no Shift counted for the tests that follow.
    while (calc->getShiftKeysDown() > 0) key(KeyCode::KEY_SHIFT, false);
    while (calc->getShiftKeysDown() < 0) key(KeyCode::KEY_SHIFT, true);
  }

  static void key(KeyCode code, bool pressed) { Director::getInstance()->getOpenGLView()->injectKey(code, pressed); }

  // Keys of the keypad and the command cells that stay on this screen (no other screen, no
  // message box, no browser).
  std::vector<MenuItem*> pressableItems() const {
    static const std::vector<std::string> leaving = {"set.png", "get.png", "info.png", "help.png", "star.png", "stg.png"};
    std::vector<MenuItem*> items;
    for (Node* child : calc->getKeypadMenu()->getChildren()) {
      auto* item = dynamic_cast<MenuItemImage*>(child);
      if (!item || !item->isVisible()) continue;
      bool stays = true;
      for (const std::string& name : leaving) stays = stays && item->getNormalImageFileName() != name;
      if (stays) items.push_back(item);
    }
    return items;
  }

  std::string randomText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "1", "2", "8", "+", "-", "*", "/", "(", ")", ".", ",", "'", "%", "e", "Pi", "Ans", "sin(", "=",
        "\n", "\r\n", " ", "\xCF\x80", "\xC3\x97", "\xC3\xA9", "\xE6\x97\xA5", "\xF0\x9F\x98\x80", "\xFF",
        "\x80", "\xC3", "\xA9", "\xE2\x82"};
    std::string text;
    const std::size_t count = random() % 10 == 0 ? 50 + random() % 300 : 1 + random() % 6;
    for (std::size_t i = 0; i < count; ++i) text += pieces[random() % pieces.size()];
    return text;
  }

  void step(std::mt19937& random) {
    static const std::vector<KeyCode> keys = {
        KeyCode::KEY_0,          KeyCode::KEY_1,         KeyCode::KEY_8,          KeyCode::KEY_9,
        KeyCode::KEY_PLUS,       KeyCode::KEY_MINUS,     KeyCode::KEY_SEMICOLON,  KeyCode::KEY_PERIOD,
        KeyCode::KEY_COMMA,      KeyCode::KEY_SLASH,     KeyCode::KEY_BACKSPACE,  KeyCode::KEY_DELETE,
        KeyCode::KEY_LEFT_ARROW, KeyCode::KEY_RIGHT_ARROW, KeyCode::KEY_HOME,     KeyCode::KEY_END,
        KeyCode::KEY_UP_ARROW,   KeyCode::KEY_DOWN_ARROW, KeyCode::KEY_ENTER,     KeyCode::KEY_ESCAPE,
        KeyCode::KEY_A,          KeyCode::KEY_SPACE};
    switch (random() % 10) {
      case 0:
      case 1:
      case 2: {
        const std::vector<MenuItem*> items = pressableItems();
        items[random() % items.size()]->activate();
        break;
      }
      case 3:
      case 4:
      case 5: {
        const KeyCode code = keys[random() % keys.size()];
        key(code, true);
        key(code, false);
        break;
      }
      case 6:
        key(KeyCode::KEY_SHIFT, random() % 2 == 0);
        break;
      case 7:
        for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) random() % 3 ? calc->historyUp() : calc->historyDown();
        break;
      case 8:
        setClipboardText(randomText(random));
        calc->pasteClipboard();
        break;
      default:
        if (random() % 4 == 0) calc->evaluate();
        else calc->insertText(randomText(random));
        break;
    }
  }

  void expectLineShown(int seed, int n) {
    const std::string& line = calc->getExpression();
    const auto cursor = static_cast<std::size_t>(calc->getCursorPos());
    const auto start = static_cast<std::size_t>(calc->getViewStart());
    ASSERT_EQ(calc->getExprLabel()->getString(), line.substr(start)) << seed << "/" << n;
    const float x = static_cast<float>(lineWidth(line.substr(start, cursor - start)) + layout::kLineLeft);
    ASSERT_FLOAT_EQ(calc->getCursorBar()->getPositionX(), x) << seed << "/" << n;
    ASSERT_EQ(calc->getCursorBar()->getPositionY(), layout::kExpressionY) << seed << "/" << n;
    ASSERT_TRUE(x < layout::kLineRightLimit || start == cursor) << seed << "/" << n;
  }
};

TEST_F(LineDisplay, EveryStepShowsTheLineAndItsCursor) {
  for (int seed : {1, 2, 3}) {
    std::mt19937 random(static_cast<std::uint32_t>(seed));
    for (int n = 0; n < 3000; ++n) {
      step(random);
      ASSERT_NO_FATAL_FAILURE(expectLineShown(seed, n));
      if (calc->getExpression().size() > 4000) calc->clearAll();
    }
  }
}

}  // namespace
