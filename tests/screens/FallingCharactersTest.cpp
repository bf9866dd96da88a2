// Erased characters fall: Backspace and Delete drop the whole character they took (a UTF-8
// sequence, or a lone invalid byte) from the cursor bar, and clearing drops every character
// the line's label shows, from its share of the label's width.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "engine/RandomEngine.h"
#include "screens/CalculatorLayout.h"

using namespace cocos2d;

namespace {

const std::string kPi = "\xCF\x80", kTimes = "\xC3\x97", kEAcute = "\xC3\xA9";

class FallingCharacters : public CalculatorTest {
 protected:
  std::vector<std::string> fallingTexts() const {
    std::vector<std::string> texts;
    for (const FallingGlyph& g : calc->getFallingGlyphs()) texts.push_back(g.label->getString());
    return texts;
  }
  void letCharactersFall() {
    for (int i = 0; i < 80; ++i) Director::getInstance()->mainLoop(0);
  }
};

TEST_F(FallingCharacters, ErasedCharactersFallWholeFromTheBar) {
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
      // It starts from the bar, where the cursor stands once the character is gone.
      EXPECT_EQ(calc->getFallingGlyphs().back().label->getPosition(), calc->getCursorBar()->getPosition()) << action;
    }
  }
  letCharactersFall();
}

// Every character the line shows falls when it is cleared, also those scrolled past the clip;
// those too far right to ever reach the screen get no label but take their random numbers.
TEST_F(FallingCharacters, ClearingDropsEveryShownCharacter) {
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
      const double x = static_cast<double>(i) * width / static_cast<double>(c.length) + layout::kLineLeft;
      EXPECT_FLOAT_EQ(falling[i].label->getPositionX(), static_cast<float>(x)) << c.length << " #" << i;
    }
    letCharactersFall();
  }
}

}  // namespace
