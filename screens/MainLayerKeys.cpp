// The 68 image keys: the 20-key keypad and the two stacked command pages.
#include "screens/CalculatorLayout.h"
#include "screens/CommandTable.h"
#include "screens/MainLayer.h"

using namespace cocos2d;

namespace {

struct KeypadKey {
  const char* image;
  int column, row;             // row 0 is the top row
  int digit;                   // the digit a number key inserts, -1 for the others
  const char* text = nullptr;  // what a sign key inserts; null for "=", which evaluates
};

// In the order the keys are built: digits 0 to 9, "(", ")", times, divide, plus, minus, ".",
// exponent, ",", "=".
const KeypadKey kKeypad[] = {
    {"num-0", 0, 3, 0},         {"num-1", 0, 2, 1},        {"num-2", 1, 2, 2},       {"num-3", 2, 2, 3},
    {"num-4", 0, 1, 4},         {"num-5", 1, 1, 5},        {"num-6", 2, 1, 6},       {"num-7", 0, 0, 7},
    {"num-8", 1, 0, 8},         {"num-9", 2, 0, 9},        {"open", 3, 0, -1, "("},  {"close", 4, 0, -1, ")"},
    {"mul", 3, 1, -1, "*"},     {"div", 4, 1, -1, "/"},    {"add", 3, 2, -1, "+"},   {"sub", 4, 2, -1, "-"},
    {"dot", 1, 3, -1, "."},     {"exp10", 2, 3, -1, "e"},  {"comma", 3, 3, -1, ","}, {"equal", 4, 3, -1, nullptr},
};

MenuItemImage* imageKey(const std::string& image, const ccMenuCallback& action) {
  return MenuItemImage::create(image + ".png", image + "-pushed.png", action);
}

}  // namespace

void MainLayer::buildKeys() {
  std::vector<MenuItem*> keys;
  for (const KeypadKey& k : kKeypad) {
    ccMenuCallback action;
    if (k.digit >= 0) action = [this, digit = k.digit](Ref*) { insertDigit(digit); };
    else if (k.text) action = [this, text = std::string(k.text)](Ref*) { insertKeyText(text); };
    else action = [this](Ref*) { evaluate(); };
    MenuItemImage* item = imageKey(k.image, action);
    item->setPosition(Vec2(layout::kKeypadColumns[k.column], layout::kKeypadRows[k.row]));
    item->setScale(layout::kKeypadScale, layout::kKeypadScale);
    keys.push_back(item);
  }
  _keypadMenu = Menu::createWithArray(keys);

  // Each cell holds one item of each page, exactly on top of each other, page 2's added last.
  const std::array<CommandEntry, kCommandsPerPage>* pages[2] = {&commandPage1, &commandPage2};
  std::vector<MenuItem*>* lists[2] = {&_page1Items, &_page2Items};
  for (int r = layout::kCommandRows - 1; r >= 0; --r) {
    for (int c = 0; c < layout::kCommandColumns; ++c) {
      const int i = (layout::kCommandRows - 1 - r) * layout::kCommandColumns + c;
      for (int page = 0; page < 2; ++page) {
        const CommandEntry& entry = (*pages[page])[i];
        MenuItemImage* item = imageKey(entry.name, *entry.handler);
        item->setPosition(Vec2(layout::commandCellX(c), layout::commandCellY(r)));
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
