// The 68 image keys: the 20-key keypad and the two stacked command pages.
#include "screens/CalculatorLayout.h"
#include "screens/CommandTable.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

namespace {

struct KeypadKey {
  const char* image;
  int column, row;  // row 0 is the top row
};

// Built in this order: digits 0 to 9, "(", ")", times, divide, plus, minus, ".", exponent,
// ",", "=". Actions are looked up by the same index in keypadAction.
const KeypadKey kKeypad[] = {
    {"num-0", 0, 3}, {"num-1", 0, 2}, {"num-2", 1, 2}, {"num-3", 2, 2}, {"num-4", 0, 1},
    {"num-5", 1, 1}, {"num-6", 2, 1}, {"num-7", 0, 0}, {"num-8", 1, 0}, {"num-9", 2, 0},
    {"open", 3, 0},  {"close", 4, 0}, {"mul", 3, 1},   {"div", 4, 1},   {"add", 3, 2},
    {"sub", 4, 2},   {"dot", 1, 3},   {"exp10", 2, 3}, {"comma", 3, 3}, {"equal", 4, 3},
};

const char* const kKeypadTexts[] = {"(", ")", "*", "/", "+", "-", ".", "e", ","};

}  // namespace

void MainLayer::buildKeys() {
  std::vector<MenuItem*> keys;
  for (int i = 0; i < 20; ++i) {
    const KeypadKey& k = kKeypad[i];
    ccMenuCallback action;
    if (i < 10) {
      action = [this, i](Ref*) { insertDigit(i); };
    } else if (i < 19) {
      const std::string text = kKeypadTexts[i - 10];
      action = [this, text](Ref*) { insertKeyText(text); };
    } else {
      action = [this](Ref*) { evaluate(); };
    }
    auto* item = MenuItemImage::create(std::string(k.image) + ".png", std::string(k.image) + "-pushed.png", action);
    item->setPosition(Vec2(layout::kKeypadColumns[k.column], layout::kKeypadRows[k.row]));
    item->setScale(layout::kKeypadScale, layout::kKeypadScale);
    keys.push_back(item);
  }
  _keypadMenu = Menu::createWithArray(keys);

  const CommandEntry* pages[2] = {commandPage1, commandPage2};
  std::vector<MenuItem*>* lists[2] = {&_page1Items, &_page2Items};
  for (int r = layout::kCommandRows - 1; r >= 0; --r) {
    for (int c = 0; c < layout::kCommandColumns; ++c) {
      const int i = (layout::kCommandRows - 1 - r) * layout::kCommandColumns + c;
      const Vec2 centre(layout::commandCellX(c), layout::commandCellY(r));
      for (int page = 0; page < 2; ++page) {
        const CommandEntry& entry = pages[page][i];
        auto* item = MenuItemImage::create(std::string(entry.name) + ".png", std::string(entry.name) + "-pushed.png",
                                           *entry.handler);
        item->setPosition(centre);
        item->setScale(layout::kCommandScaleX, layout::kCommandScaleY);
        _keypadMenu->addChild(item, 0);
        lists[page]->push_back(item);
      }
    }
  }
  showPage1();
  _keypadMenu->setPosition(Vec2::ZERO);
  addChild(_keypadMenu, 2);
}
