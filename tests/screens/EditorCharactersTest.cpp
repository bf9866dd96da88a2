// The expression line edited by characters: UTF-8 sequences move, erase and fall as one
// character (an invalid byte is one character too), and clearing drops what the line shows.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/services/SystemClipboard.h"
#include "engine/RandomEngine.h"

using namespace cocos2d;

namespace {

const std::string kPi = "\xCF\x80", kTimes = "\xC3\x97", kEAcute = "\xC3\xA9";

class EditorCharacters : public CalculatorTest {
 protected:
  float barX() const { return calc->getCursorBar()->getPositionX(); }
  std::vector<std::string> fallingTexts() const {
    std::vector<std::string> texts;
    for (const FallingGlyph& g : calc->getFallingGlyphs()) texts.push_back(g.label->getString());
    return texts;
  }
  void letCharactersFall() {
    for (int i = 0; i < 80; ++i) Director::getInstance()->mainLoop(0);
  }
};

TEST_F(EditorCharacters, CursorMovesOverWholeCharacters) {
  setClipboardText(kPi + kTimes + "2" + kEAcute);
  calc->pasteClipboard();
  EXPECT_EQ(calc->getCursorPos(), 7);
  // Each step left lands on the start of a character and moves the bar left.
  const std::vector<int> stops = {5, 4, 2, 0, 0};
  float x = barX();
  for (int stop : stops) {
    calc->cursorLeft();
    EXPECT_EQ(calc->getCursorPos(), stop);
    if (stop > 0) {
      EXPECT_LT(barX(), x) << stop;
    }
    x = barX();
  }
  for (int stop : {2, 4, 5, 7, 7}) {
    calc->cursorRight();
    EXPECT_EQ(calc->getCursorPos(), stop);
  }
}

TEST_F(EditorCharacters, ErasingTakesWholeCharactersAndDropsThem) {
  UserDefault::getInstance()->setIntegerForKey("FallingChar", 1);
  struct Step {
    const char* action;
    std::string line;
    int cursor;
    std::string fell;
  };
  calc->insertText(kPi + kTimes + "2" + kEAcute + "\xFF" "3");
  const std::vector<Step> steps = {
      {"backspace", kPi + kTimes + "2" + kEAcute + "\xFF", 8, "3"},
      {"backspace", kPi + kTimes + "2" + kEAcute, 7, "\xFF"},
      {"backspace", kPi + kTimes + "2", 5, kEAcute},
      {"home", kPi + kTimes + "2", 0, ""},
      {"delete", kTimes + "2", 0, kPi},
      {"right", kTimes + "2", 2, ""},
      {"backspace", "2", 0, kTimes},
  };
  for (const Step& s : steps) {
    const std::string action = s.action;
    const std::size_t fallingBefore = calc->getFallingGlyphs().size();
    if (action == "backspace") calc->eraseBeforeCursor();
    if (action == "delete") calc->eraseAtCursor();
    if (action == "home") calc->cursorHome();
    if (action == "right") calc->cursorRight();
    EXPECT_EQ(calc->getExpression(), s.line) << action;
    EXPECT_EQ(calc->getCursorPos(), s.cursor) << action;
    EXPECT_EQ(calc->getExprLabel()->getString(), s.line) << action;
    if (!s.fell.empty()) {
      ASSERT_EQ(calc->getFallingGlyphs().size(), fallingBefore + 1) << action;
      EXPECT_EQ(fallingTexts().back(), s.fell) << action;
    }
  }
  letCharactersFall();
}

TEST_F(EditorCharacters, BytesJoinedByAnEditNeverLeaveTheCursorInsideACharacter) {
  // A lone lead byte and a lone continuation byte become one character when the byte
  // between them goes; the cursor between them moves past the joined character.
  calc->insertText("\xC3" "x" "\xA9" "1");
  calc->cursorHome();
  calc->cursorRight();
  calc->eraseAtCursor();
  EXPECT_EQ(calc->getExpression(), "\xC3\xA9" "1");
  EXPECT_EQ(calc->getCursorPos(), 2);
  calc->clearAll();
  calc->insertText("\xA9");
  calc->cursorHome();
  calc->insertText("\xC3");
  EXPECT_EQ(calc->getCursorPos(), 2);
  EXPECT_EQ(calc->getViewStart(), 0);
}

// Every character the line shows falls when it is cleared, also those scrolled past the clip;
// those too far right to ever reach the screen get no label but take their random numbers.
TEST_F(EditorCharacters, ClearingDropsEveryShownCharacter) {
  UserDefault::getInstance()->setIntegerForKey("FallingChar", 1);
  struct Case {
    std::size_t length;
    std::size_t minLabels, maxLabels;
  };
  for (const Case& c : {Case{4, 4, 4}, Case{60, 30, 45}, Case{100000, 30, 45}}) {
    calc->insertText(std::string(c.length, '8'));
    calc->cursorHome();
    const float width = calc->getExprLabel()->getContentSize().width;
    seedRandomEngine(99);
    std::mt19937 reference(99);
    calc->clearAll();
    reference.discard(3 * c.length);
    EXPECT_EQ(randomEngine(), reference()) << c.length << ": three random numbers a character";
    const auto& falling = calc->getFallingGlyphs();
    EXPECT_GE(falling.size(), c.minLabels) << c.length;
    EXPECT_LE(falling.size(), c.maxLabels) << c.length;
    // Labels start at their share of the label's width, left to right from the margin.
    for (std::size_t i = 0; i < falling.size(); ++i) {
      const double x = static_cast<double>(i) * width / static_cast<double>(c.length) + 23.4375;
      EXPECT_FLOAT_EQ(falling[i].label->getPositionX(), static_cast<float>(x)) << c.length << " #" << i;
    }
    letCharactersFall();
  }
}

}  // namespace
