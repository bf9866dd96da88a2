// Undo and redo from the keyboard on the calculator: the shortcuts by the layout's letters,
// the steps the screen makes (a template key, a recall from memory, the equal key, whose
// tape and history stay), the click and no falling characters, what a screen reader hears;
// and F1.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/audio/SimpleAudioEngine.h"
#include "screens/Links.h"
#include "screens/MemoryHandOver.h"

using namespace cocos2d;
using KeyCode = EventKeyboard::KeyCode;

namespace {

constexpr unsigned kShift = EventKeyboard::MODIFIER_SHIFT, kCtrl = EventKeyboard::MODIFIER_CTRL;

struct Press {
  KeyCode code;
  std::string text;
  unsigned modifiers = 0;
  char32_t layoutKey = 0;
};

class UndoKeys : public CalculatorTest {
 protected:
  static void press(const Press& p) {
    GLView* view = Director::getInstance()->getOpenGLView();
    EventKeyboard down(p.code, true);
    down.setText(p.text);
    down.setModifiers(p.modifiers);
    down.setLayoutCharacter(p.layoutKey);
    view->injectKeyEvent(down);
    EventKeyboard up(p.code, false);
    up.setModifiers(p.modifiers);
    view->injectKeyEvent(up);
  }
  static void undoKey() { press({KeyCode::KEY_Z, "", kCtrl, U'z'}); }
  static void redoKey() { press({KeyCode::KEY_Y, "", kCtrl, U'y'}); }
  static int sounds() { return static_cast<int>(CocosDenshion::SimpleAudioEngine::getInstance()->getPlayCount()); }
};

const Press kUndo{KeyCode::KEY_Z, "", kCtrl, U'z'};
const Press kRedoY{KeyCode::KEY_Y, "", kCtrl, U'y'};
const Press kRedoShiftZ{KeyCode::KEY_Z, "", kCtrl | kShift, U'z'};
// On a layout that swaps Y and Z, the shortcut follows the letter, not the key's place.
const Press kUndoSwapped{KeyCode::KEY_Y, "", kCtrl, U'z'};

TEST_F(UndoKeys, ShortcutsUndoAndRedoWhatKeysAndTypingChanged) {
  struct Case {
    const char* what;
    std::vector<Press> presses;
    std::string line;
    int cursor;
  };
  const std::vector<Case> cases = {
      {"a typed run goes at once", {{KeyCode::KEY_1, "1"}, {KeyCode::KEY_2, "2"}, kUndo}, "", 0},
      {"each key without text is a step", {{KeyCode::KEY_1, ""}, {KeyCode::KEY_2, ""}, kUndo}, "1", 1},
      {"Ctrl+Y redoes", {{KeyCode::KEY_1, ""}, {KeyCode::KEY_2, ""}, kUndo, kUndo, kRedoY}, "1", 1},
      {"Ctrl+Shift+Z redoes", {{KeyCode::KEY_1, ""}, kUndo, kRedoShiftZ}, "1", 1},
      {"the layout's Z undoes", {{KeyCode::KEY_7, ""}, {KeyCode::KEY_8, ""}, kUndoSwapped}, "7", 1},
      {"a new key drops the redo",
       {{KeyCode::KEY_1, ""}, {KeyCode::KEY_2, ""}, kUndo, {KeyCode::KEY_3, ""}, kRedoY}, "13", 2},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    for (const Press& p : c.presses) press(p);
    EXPECT_EQ(calc->getExpression(), c.line) << c.what;
    EXPECT_EQ(calc->getCursorPos(), c.cursor) << c.what;
  }
}

TEST_F(UndoKeys, ATemplateKeyAndAMemoryRecallAreOneStepEach) {
  calc->insertDigit(9);
  calc->insertTemplate("gcd(,)", 2, false);
  memoryPicked = true;
  memoryTransfer = "6";
  calc->onEnterTransitionDidFinish();
  ASSERT_EQ(calc->getExpression(), "9gcd(6,)");
  undoKey();
  EXPECT_EQ(calc->getExpression(), "9gcd(,)");
  EXPECT_EQ(calc->getCursorPos(), 5);
  undoKey();
  EXPECT_EQ(calc->getExpression(), "9");
  redoKey();
  EXPECT_EQ(calc->getCursorPos(), 5) << "redone, the cursor is inside the template again";
}

TEST_F(UndoKeys, UndoAfterTheEqualKeyBringsTheExpressionBackAndKeepsTheTape) {
  calc->insertText("6*7");
  calc->evaluate();
  const std::string storedResult = UserDefault::getInstance()->getStringForKey("histString0");
  undoKey();
  EXPECT_EQ(calc->getExpression(), "6*7");
  EXPECT_EQ(calc->getCursorPos(), 3);
  EXPECT_EQ(calc->getTapeLine(0)->getString(), "=42");
  EXPECT_EQ(calc->getTapeLine(1)->getString(), "6*7");
  EXPECT_EQ(*calc->getHistory().at(0), "42");
  EXPECT_EQ(*calc->getHistory().at(1), "6*7");
  EXPECT_EQ(UserDefault::getInstance()->getStringForKey("histString0"), storedResult);
  redoKey();
  EXPECT_EQ(calc->getExpression(), "");
  // A recall is one step: the text it took out and the one it put in.
  calc->historyUp();
  calc->historyUp();
  ASSERT_EQ(calc->getExpression(), "6*7");
  undoKey();
  EXPECT_EQ(calc->getExpression(), "42");
  EXPECT_EQ(calc->getHistoryPos(), 0);
}

TEST_F(UndoKeys, UndoClicksDropsNothingAndIsSpoken) {
  auto* store = UserDefault::getInstance();
  store->setIntegerForKey("SoundEffect", 1);
  store->setIntegerForKey("FallingChar", 1);
  calc->insertText("1+2");
  calc->clearAll();
  for (int i = 0; i < 200 && !calc->getFallingGlyphs().empty(); ++i) Director::getInstance()->mainLoop(1.0f / 60);
  const int before = sounds();
  undoKey();
  EXPECT_EQ(sounds(), before + 1);
  EXPECT_EQ(calc->getLastAnnouncement(), "Undo: 1+2");
  redoKey();
  EXPECT_EQ(sounds(), before + 2);
  EXPECT_EQ(calc->getLastAnnouncement(), "Redo: empty line");
  EXPECT_TRUE(calc->getFallingGlyphs().empty()) << "the line emptied by redo drops nothing";
  redoKey();
  EXPECT_EQ(calc->getLastAnnouncement(), "Nothing to redo");
  EXPECT_EQ(sounds(), before + 3);
  store->setIntegerForKey("SoundEffect", 0);
  store->setIntegerForKey("FallingChar", 0);

  // A long line is spoken by its start.
  calc->insertText(std::string(150, '8'));
  calc->insertDigit(1);
  undoKey();
  EXPECT_EQ(calc->getLastAnnouncement(), "Undo: " + std::string(100, '8') + "\xE2\x80\xA6");
}

TEST_F(UndoKeys, F1OpensTheHelpPage) {
  const auto& urls = Application::getInstance()->getOpenedURLs();
  const std::size_t opened = urls.size();
  press({KeyCode::KEY_F1, ""});
  ASSERT_EQ(urls.size(), opened + 1);
  EXPECT_EQ(urls.back(), std::string(kHelpSite) + kHelpPath);
  EXPECT_EQ(calc->getExpression(), "");
}

}  // namespace
