// The keyboard: keys act when pressed, in the order pressed, and again as the system repeats
// them. Text the layout produces decides what is typed; keys that produce none act by their
// code; Ctrl shortcuts copy, paste, undo, redo and close.
#include <cstdint>

#include "cocos/base/EventListenerKeyboard.h"
#include "screens/MainLayer.h"

using namespace cocos2d;
using KeyCode = EventKeyboard::KeyCode;

namespace {

bool isShift(KeyCode code) { return code == KeyCode::KEY_SHIFT || code == KeyCode::KEY_RIGHT_SHIFT; }

// Characters the line takes from the keyboard as they are typed.
bool typeable(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  switch (c) {
    case '+': case '-': case '*': case '/': case '(': case ')': case '.': case ',': case '\'': case '%':
      return true;
    default:
      return false;
  }
}

// Keys of the key table that insert characters (and Shift+minus, which evaluates): with Ctrl
// or Alt held they do nothing.
bool insertsText(KeyCode code) {
  if (code >= KeyCode::KEY_0 && code <= KeyCode::KEY_9) return true;
  switch (code) {
    case KeyCode::KEY_PLUS: case KeyCode::KEY_SEMICOLON: case KeyCode::KEY_MINUS: case KeyCode::KEY_ASTERISK:
    case KeyCode::KEY_COLON: case KeyCode::KEY_APOSTROPHE: case KeyCode::KEY_SLASH: case KeyCode::KEY_PERIOD:
    case KeyCode::KEY_COMMA:
      return true;
    default:
      return false;
  }
}

// The digit of a keypad key with NumLock on, or -1.
int keypadDigit(KeyCode code) {
  switch (code) {
    case KeyCode::KEY_KP_INSERT: return 0;
    case KeyCode::KEY_KP_END: return 1;
    case KeyCode::KEY_KP_DOWN: return 2;
    case KeyCode::KEY_KP_PG_DOWN: return 3;
    case KeyCode::KEY_KP_LEFT: return 4;
    case KeyCode::KEY_KP_FIVE: return 5;
    case KeyCode::KEY_KP_RIGHT: return 6;
    case KeyCode::KEY_KP_HOME: return 7;
    case KeyCode::KEY_KP_UP: return 8;
    case KeyCode::KEY_KP_PG_UP: return 9;
    default: return -1;
  }
}

const char* keypadText(KeyCode code) {
  switch (code) {
    case KeyCode::KEY_KP_PLUS: return "+";
    case KeyCode::KEY_KP_MINUS: return "-";
    case KeyCode::KEY_KP_MULTIPLY: return "*";
    case KeyCode::KEY_KP_DIVIDE: return "/";
    case KeyCode::KEY_KP_DELETE: return ".";  // the decimal key, whatever the layout prints on it
    default: return nullptr;
  }
}

}  // namespace

void MainLayer::registerKeyboard() {
  auto* listener = EventListenerKeyboard::create();
  listener->onKeyPressed = [this](KeyCode code, Event* event) { keyPressed(code, *static_cast<EventKeyboard*>(event)); };
  listener->onKeyReleased = [this](KeyCode code, Event*) {
    if (isShift(code) && _shiftKeysDown > INT32_MIN) --_shiftKeysDown;
  };
  getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, this);
}

void MainLayer::keyPressed(KeyCode code, const EventKeyboard& key) {
  if (isShift(code)) {
    if (!key.isRepeat() && _shiftKeysDown < INT32_MAX) ++_shiftKeysDown;
    return;
  }
  const unsigned modifiers = key.getModifiers();
  const bool command = (modifiers & (EventKeyboard::MODIFIER_CTRL | EventKeyboard::MODIFIER_ALT)) != 0;
  if (modifiers & EventKeyboard::MODIFIER_CTRL) {
    // Shift as the system reports it: a Shift count left behind by another window must not
    // turn undo into redo.
    const bool shiftHeld = (modifiers & EventKeyboard::MODIFIER_SHIFT) != 0;
    switch (key.getLayoutCharacter()) {
      case U'c': copyExpression(); return;
      case U'v': pasteClipboard(); return;
      case U'z': shiftHeld ? redo() : undo(); return;
      case U'y': redo(); return;
      case U'q': Director::getInstance()->end(); return;
      default: break;
    }
  }
  const bool shift = _shiftKeysDown != 0 || (modifiers & EventKeyboard::MODIFIER_SHIFT) != 0;
  if (code == KeyCode::KEY_INSERT && shift && !command) {
    pasteClipboard();
    return;
  }
  // The keypad acts by its keys, also where the layout prints a comma on the decimal key.
  if (const int digit = keypadDigit(code); digit >= 0 || keypadText(code) || code == KeyCode::KEY_KP_ENTER) {
    if (code == KeyCode::KEY_KP_ENTER) evaluate();
    else if (command) return;
    else if (digit >= 0) insertDigit(digit);
    else insertKeyText(keypadText(code));
    return;
  }
  if (!key.getText().empty()) {
    if (!command) typeText(key.getText());
    return;
  }
  if (command && insertsText(code)) return;
  keyTableAction(code);
}

void MainLayer::typeText(const std::string& text) {
  std::string run;
  auto flush = [&] {
    if (run.empty()) return;
    playKeySound();
    // Typed text joins the text typed just before it into one step of undo.
    _editor.typeText(run);
    showLine();
    run.clear();
  };
  for (const char c : text) {
    if (c == '=') {
      flush();
      evaluate();
    } else if (typeable(static_cast<unsigned char>(c))) {
      run.push_back(c);
    }
  }
  flush();
}

void MainLayer::keyTableAction(KeyCode code) {
  const bool shift = _shiftKeysDown != 0;
  if (code >= KeyCode::KEY_0 && code <= KeyCode::KEY_7) {
    insertDigit(static_cast<int>(code) - static_cast<int>(KeyCode::KEY_0));
    return;
  }
  switch (code) {
    case KeyCode::KEY_8: shift ? insertKeyText("(") : insertDigit(8); break;
    case KeyCode::KEY_9: shift ? insertKeyText(")") : insertDigit(9); break;
    case KeyCode::KEY_PLUS: insertKeyText("+"); break;
    case KeyCode::KEY_SEMICOLON: if (shift) insertKeyText("+"); break;
    case KeyCode::KEY_MINUS: shift ? evaluate() : insertKeyText("-"); break;
    case KeyCode::KEY_ASTERISK: insertKeyText("*"); break;
    case KeyCode::KEY_COLON:
    case KeyCode::KEY_APOSTROPHE: if (shift) insertKeyText("*"); break;
    case KeyCode::KEY_SLASH: insertKeyText("/"); break;
    case KeyCode::KEY_PERIOD: insertKeyText("."); break;
    case KeyCode::KEY_COMMA: insertKeyText(","); break;
    case KeyCode::KEY_ENTER: evaluate(); break;
    case KeyCode::KEY_BACKSPACE: eraseBeforeCursor(); break;
    case KeyCode::KEY_DELETE: eraseAtCursor(); break;
    case KeyCode::KEY_LEFT_ARROW: cursorLeft(); break;
    case KeyCode::KEY_RIGHT_ARROW: cursorRight(); break;
    case KeyCode::KEY_HOME: cursorHome(); break;
    case KeyCode::KEY_END: cursorEnd(); break;
    case KeyCode::KEY_UP_ARROW: historyUp(); break;
    case KeyCode::KEY_DOWN_ARROW: historyDown(); break;
    case KeyCode::KEY_ESCAPE: clearAll(); break;
    case KeyCode::KEY_F1: openHelpPage(); break;
    default: break;
  }
}
