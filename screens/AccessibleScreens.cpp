#include "screens/AccessibleScreens.h"

#include <string>

#include "cocos/accessibility/Accessible.h"
#include "screens/AccessibleNames.h"
#include "screens/MainLayer.h"
#include "screens/MemoryHandOver.h"
#include "screens/MemoryLayer.h"
#include "screens/MessageBox.h"

using namespace cocos2d;
using accessibility::makeAccessible;
using accessibility::Role;

namespace {

// Where a screen reader's attention goes when a screen appears: the expression line, the first
// row of the memory and settings screens, and over everything a message box's first button.
constexpr int kScreenFocus = 1;
constexpr int kDialogFocus = 2;

std::string imageBaseName(const std::string& file) {
  const std::string suffix = ".png";
  if (file.size() > suffix.size() && file.compare(file.size() - suffix.size(), suffix.size(), suffix) == 0) {
    return file.substr(0, file.size() - suffix.size());
  }
  return file;
}

// The clipping view around the label: the line's full width, also when the text is short.
Node* expressionLine(Label* label) {
  for (Node* n = label->getParent(); n; n = n->getParent()) {
    if (dynamic_cast<ui::ScrollView*>(n)) return n;
  }
  return label;
}

}  // namespace

void describeImageKey(MenuItemImage* item) {
  const SpokenKey* key = spokenKey(imageBaseName(item->getNormalImageFileName()));
  if (key) makeAccessible(item, Role::PushButton, key->name, key->description);
  else makeAccessible(item, Role::PushButton, imageBaseName(item->getNormalImageFileName()));
}

void describeCalculator(MainLayer* layer) {
  makeAccessible(layer, Role::Panel, "Calculator");

  makeAccessible(layer->getTapeView(), Role::List, "Tape", "Past calculations and their results, newest at the bottom.");
  for (int i = 0; i < MainLayer::kTapeLines; ++i) {
    Label* line = layer->getTapeLine(i);
    // Activated, a line goes in at the cursor, as a double tap puts it there.
    auto& item = makeAccessible(line, Role::ListItem, "", "Inserts this line at the cursor.");
    item.textSource = [line]() -> const std::string& { return line->getString(); };
    item.press = [layer, i] { layer->insertTapeLine(i); };
  }

  auto& entry = makeAccessible(expressionLine(layer->getExprLabel()), Role::Entry, "Expression",
                               "Type with the keys or the keyboard; equals calculates the line.");
  entry.textSource = [layer]() -> const std::string& { return layer->getExpression(); };
  entry.caretSource = [layer] { return layer->getCursorPos(); };
  entry.focusPriority = kScreenFocus;

  for (Node* child : layer->getKeypadMenu()->getChildren()) {
    if (auto* key = dynamic_cast<MenuItemImage*>(child)) describeImageKey(key);
  }
  const auto& page1 = layer->getPage1Items();
  const auto& page2 = layer->getPage2Items();
  for (std::size_t i = 0; i < page1.size() && i < page2.size(); ++i) {
    if (page1[i]->getAccessible() && page2[i]->getAccessible()) {
      page2[i]->getAccessible()->shareObjectWith(*page1[i]->getAccessible());
    }
  }
}

void describeMemoryScreen(MemoryLayer* layer, const std::string& title, const std::vector<Label*>& valueLabels) {
  makeAccessible(layer, Role::Panel, title);
  const char* description = memoryStoreMode ? "Stores the line here." : "Inserts this value into the line.";
  for (std::size_t i = 0; i < valueLabels.size(); ++i) {
    const int row = static_cast<int>(i);
    // The rows are areas of the list rather than nodes: a node the size of each row stands
    // for it, drawing nothing and taking no touches.
    Node* area = Node::create();
    const Rect rect = MemoryLayer::rowRect(row);
    area->setContentSize(rect.size);
    area->setPosition(rect.origin);
    layer->addChild(area);
    auto& button = makeAccessible(area, Role::PushButton, "", description);
    Label* value = valueLabels[i];
    button.nameSource = [row, value] {
      const std::string& text = value->getString();
      return "Memory " + std::to_string(row + 1) + ", " + (text.empty() ? std::string("empty") : text);
    };
    button.press = [layer, row] { layer->pickRow(row); };
    if (row == 0) button.focusPriority = kScreenFocus;
  }
}

void describeSettingsScreen(Layer* layer, const std::vector<CaptionedRow>& rows) {
  makeAccessible(layer, Role::Panel, "Settings");
  int index = 0;
  for (const CaptionedRow& row : rows) {
    const char* description = settingsRowDescription(index++);
    auto& button = makeAccessible(row.item, Role::PushButton, "", description ? description : "");
    Label* caption = row.caption;
    button.nameSource = [caption] { return caption->getString(); };
    if (index == 1) button.focusPriority = kScreenFocus;
  }
}

void describeMessageBox(CMessageBox* box, Label* message, const std::vector<MenuItem*>& buttons,
                        const std::vector<std::string>& captions) {
  makeAccessible(box, Role::Alert, box->getTitleText(), box->getBodyText());
  makeAccessible(message, Role::Label).textSource = [message]() -> const std::string& { return message->getString(); };
  for (std::size_t i = 0; i < buttons.size() && i < captions.size(); ++i) {
    // The first in reading order (the leftmost) wins among equals.
    makeAccessible(buttons[i], Role::PushButton, captions[i]).focusPriority = kDialogFocus;
  }
}
