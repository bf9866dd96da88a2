// Key presses as a real keyboard delivers them (code, text from the layout, modifiers,
// repeats): the text decides what is typed, a key without text acts by its code, Ctrl and
// Alt keep keys from typing, and shortcuts follow the layout's letters.
#include <string>
#include <vector>

#include "CalculatorFixture.h"
#include "cocos/services/SystemClipboard.h"

using namespace cocos2d;
using KeyCode = EventKeyboard::KeyCode;

namespace {

struct Press {
  KeyCode code;
  std::string text;
  unsigned modifiers = 0;
  char32_t layoutKey = 0;
  bool repeat = false;
};

class KeyboardRules : public CalculatorTest {
 protected:
  void press(const Press& p) {
    GLView* view = Director::getInstance()->getOpenGLView();
    EventKeyboard down(p.code, true);
    down.setText(p.text);
    down.setModifiers(p.modifiers);
    down.setLayoutCharacter(p.layoutKey);
    down.setRepeat(p.repeat);
    view->injectKeyEvent(down);
    if (p.repeat) return;  // a repeat is followed by more presses, then one release
    EventKeyboard up(p.code, false);
    up.setModifiers(p.modifiers);
    view->injectKeyEvent(up);
  }
};

constexpr unsigned kShift = EventKeyboard::MODIFIER_SHIFT, kCtrl = EventKeyboard::MODIFIER_CTRL,
                   kAlt = EventKeyboard::MODIFIER_ALT, kAltGr = EventKeyboard::MODIFIER_ALTGR;

TEST_F(KeyboardRules, TextDecidesAndKeysWithoutTextActByCode) {
  struct Case {
    const char* what;
    std::vector<Press> presses;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"a French 5 types (", {{KeyCode::KEY_5, "("}}, "("},
      {"a French 2 types e-acute: dropped, never 2", {{KeyCode::KEY_2, "\xC3\xA9"}}, ""},
      {"a German Shift+0 types =, which evaluates", {{KeyCode::KEY_1, "1"}, {KeyCode::KEY_0, "=", kShift}}, ""},
      {"a Japanese Shift+; types +", {{KeyCode::KEY_SEMICOLON, "+", kShift}}, "+"},
      {"letters", {{KeyCode::KEY_S, "s"}, {KeyCode::KEY_I, "i"}, {KeyCode::KEY_N, "n"}}, "sin"},
      {"space and other signs are dropped", {{KeyCode::KEY_SPACE, " "}, {KeyCode::KEY_6, "^", kShift}}, ""},
      {"Enter has no text and evaluates", {{KeyCode::KEY_7, "7"}, {KeyCode::KEY_ENTER, ""}}, ""},
      {"text without a key (an input method)", {{KeyCode::KEY_NONE, "12+\xE3\x81\x82" "3"}}, "12+3"},
      {"AltGr types what the layout puts there", {{KeyCode::KEY_MINUS, "'", kAltGr}}, "'"},
      {"Alt with a key types nothing", {{KeyCode::KEY_5, "5", kAlt}}, ""},
      {"Ctrl with a key types nothing", {{KeyCode::KEY_8, "", kCtrl}, {KeyCode::KEY_PLUS, "", kCtrl}}, ""},
      {"Ctrl still lets editing keys edit",
       {{KeyCode::KEY_1, "1"}, {KeyCode::KEY_2, "2"}, {KeyCode::KEY_BACKSPACE, "", kCtrl}}, "1"},
      {"a held key repeats",
       {{KeyCode::KEY_4, "4"}, {KeyCode::KEY_4, "4", 0, 0, true}, {KeyCode::KEY_4, "4", 0, 0, true}}, "444"},
      {"a repeated Shift is still one Shift",
       {{KeyCode::KEY_SHIFT, "", kShift, 0, true}, {KeyCode::KEY_SHIFT, "", kShift, 0, true},
        {KeyCode::KEY_SHIFT, ""}, {KeyCode::KEY_8, ""}},
       "8"},
      {"keypad keys act by code, the decimal key as a point",
       {{KeyCode::KEY_KP_HOME, "7"}, {KeyCode::KEY_KP_DELETE, ","}, {KeyCode::KEY_KP_DIVIDE, "/"}}, "7./"},
  };
  for (const Case& c : cases) {
    calc->clearAll();
    for (const Press& p : c.presses) press(p);
    EXPECT_EQ(calc->getExpression(), c.line) << c.what;
    EXPECT_EQ(calc->getShiftKeysDown(), 0) << c.what;
  }
}

TEST_F(KeyboardRules, ShortcutsFollowTheLayoutsLetters) {
  setClipboardText("");
  calc->insertText("6*7");
  // On a layout where C lies elsewhere, the key that shows C copies.
  press({KeyCode::KEY_J, "", kCtrl, U'c'});
  std::string clip;
  ASSERT_TRUE(getClipboardText(clip));
  EXPECT_EQ(clip, "6*7");
  press({KeyCode::KEY_C, "", kCtrl, U'j'});
  EXPECT_EQ(calc->getExpression(), "6*7") << "Ctrl with another letter does nothing";
  press({KeyCode::KEY_PERIOD, "", kCtrl, U'v'});
  EXPECT_EQ(calc->getExpression(), "6*76*7");
  press({KeyCode::KEY_INSERT, "", kShift});
  EXPECT_EQ(calc->getExpression(), "6*76*76*7");
  EXPECT_FALSE(Director::getInstance()->isEndRequested());
}

}  // namespace
