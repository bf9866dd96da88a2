// Every key that inserts text, pressed on an empty line on the page that shows it: the text
// it inserts (the image names are not the texts), where the cursor lands, one click for the
// key and one for each step back, and page 1 afterwards.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/audio/SimpleAudioEngine.h"

using namespace cocos2d;

namespace {

struct KeyCase {
  const char* image;
  const char* line;
  int cursor;
};

const KeyCase kKeypad[] = {
    {"num-0", "0", 1}, {"num-1", "1", 1}, {"num-2", "2", 1}, {"num-3", "3", 1}, {"num-4", "4", 1},
    {"num-5", "5", 1}, {"num-6", "6", 1}, {"num-7", "7", 1}, {"num-8", "8", 1}, {"num-9", "9", 1},
    {"open", "(", 1},  {"close", ")", 1}, {"mul", "*", 1},   {"div", "/", 1},   {"add", "+", 1},
    {"sub", "-", 1},   {"dot", ".", 1},   {"exp10", "e", 1}, {"comma", ",", 1},
};
const KeyCase kPage1[] = {
    {"sq", "sq()", 3},     {"sqrt", "sqrt()", 5}, {"ans", "Ans", 3},   {"fact", "fact()", 5}, {"inv", "1/()", 3},
    {"power", "pow(,)", 4}, {"log", "log()", 4},  {"ln", "ln()", 3},   {"exp", "exp()", 4},   {"hyp", "hyp", 3},
    {"sin", "sin()", 4},   {"cos", "cos()", 4},   {"tan", "tan()", 4}, {"deg", "deg", 3},     {"PAI", "Pi", 2},
};
const KeyCase kPage2[] = {
    {"cube", "cube()", 5},    {"cubert", "cubert()", 7}, {"int", "int()", 4},       {"rand", "rand()", 5},
    {"sqsum", "sqsum(,)", 6}, {"percent", "%", 1},       {"perm", "perm(,)", 5},    {"comb", "comb(,)", 5},
    {"avg", "avg(,)", 4},     {"stdevp", "stdevp(,)", 7}, {"stdev", "stdev(,)", 6}, {"todeg", "deg()", 4},
    {"asin", "asin()", 5},    {"acos", "acos()", 5},     {"atan", "atan()", 5},     {"gcd", "gcd(,)", 4},
    {"lcm", "lcm(,)", 4},
};

class CommandKeys : public CalculatorTest {
 protected:
  void SetUp() override {
    CalculatorTest::SetUp();
    UserDefault::getInstance()->setIntegerForKey("SoundEffect", 1);
  }
  void TearDown() override { UserDefault::getInstance()->setIntegerForKey("SoundEffect", 0); }

  MenuItem* visibleKey(const std::string& image) const {
    for (Node* child : calc->getKeypadMenu()->getChildren()) {
      auto* item = dynamic_cast<MenuItemImage*>(child);
      if (item && item->isVisible() && item->getNormalImageFileName() == image + ".png") return item;
    }
    return nullptr;
  }

  static unsigned clicks() { return CocosDenshion::SimpleAudioEngine::getInstance()->getPlayCount(); }
};

TEST_F(CommandKeys, EachKeyInsertsItsTextWithTheCursorInside) {
  struct Page {
    const KeyCase* keys;
    std::size_t count;
    bool second;
  };
  for (const Page& page : {Page{kKeypad, std::size(kKeypad), false}, Page{kPage1, std::size(kPage1), false},
                           Page{kPage2, std::size(kPage2), true}}) {
    for (std::size_t i = 0; i < page.count; ++i) {
      const KeyCase& k = page.keys[i];
      calc->clearAll();
      if (page.second) calc->toggleShift();
      MenuItem* key = visibleKey(k.image);
      ASSERT_NE(key, nullptr) << k.image;
      const unsigned before = clicks();
      key->activate();
      EXPECT_EQ(calc->getExpression(), k.line) << k.image;
      EXPECT_EQ(calc->getCursorPos(), k.cursor) << k.image;
      const unsigned stepsBack = static_cast<unsigned>(std::string(k.line).size()) - static_cast<unsigned>(k.cursor);
      EXPECT_EQ(clicks() - before, 1 + stepsBack) << k.image;
      EXPECT_FALSE(calc->isShifted()) << k.image;
      EXPECT_TRUE(calc->getPage1Items().front()->isVisible()) << k.image;
    }
  }
}

}  // namespace
