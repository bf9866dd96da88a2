// Keyboard events and the engine's key codes (numbering fixed: scripts and tables use it).
#pragma once

#include <string>

#include "cocos/base/Event.h"

namespace cocos2d {

class EventKeyboard : public Event {
 public:
  enum class KeyCode {
    KEY_NONE, KEY_PAUSE, KEY_SCROLL_LOCK, KEY_PRINT, KEY_SYSREQ, KEY_BREAK,
    KEY_ESCAPE,  // 6
    KEY_BACK = KEY_ESCAPE,
    KEY_BACKSPACE, KEY_TAB, KEY_BACK_TAB, KEY_RETURN, KEY_CAPS_LOCK,
    KEY_SHIFT,  // 12
    KEY_LEFT_SHIFT = KEY_SHIFT,
    KEY_RIGHT_SHIFT, KEY_CTRL,
    KEY_LEFT_CTRL = KEY_CTRL,
    KEY_RIGHT_CTRL, KEY_ALT,
    KEY_LEFT_ALT = KEY_ALT,
    KEY_RIGHT_ALT, KEY_MENU, KEY_HYPER, KEY_INSERT,
    KEY_HOME,  // 21
    KEY_PG_UP, KEY_DELETE, KEY_END, KEY_PG_DOWN,
    KEY_LEFT_ARROW,  // 26
    KEY_RIGHT_ARROW, KEY_UP_ARROW, KEY_DOWN_ARROW, KEY_NUM_LOCK,
    KEY_KP_PLUS,  // 31
    KEY_KP_MINUS, KEY_KP_MULTIPLY, KEY_KP_DIVIDE, KEY_KP_ENTER, KEY_KP_HOME, KEY_KP_UP,
    KEY_KP_PG_UP, KEY_KP_LEFT, KEY_KP_FIVE, KEY_KP_RIGHT, KEY_KP_END, KEY_KP_DOWN,
    KEY_KP_PG_DOWN, KEY_KP_INSERT, KEY_KP_DELETE,
    KEY_F1,  // 47
    KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11, KEY_F12,
    KEY_SPACE,  // 59
    KEY_EXCLAM, KEY_QUOTE, KEY_NUMBER, KEY_DOLLAR, KEY_PERCENT, KEY_CIRCUMFLEX, KEY_AMPERSAND,
    KEY_APOSTROPHE,  // 67
    KEY_LEFT_PARENTHESIS, KEY_RIGHT_PARENTHESIS,
    KEY_ASTERISK,  // 70
    KEY_PLUS, KEY_COMMA, KEY_MINUS, KEY_PERIOD, KEY_SLASH,
    KEY_0,  // 76
    KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9,
    KEY_COLON,  // 86
    KEY_SEMICOLON, KEY_LESS_THAN, KEY_EQUAL, KEY_GREATER_THAN, KEY_QUESTION, KEY_AT,
    KEY_CAPITAL_A,  // 93
    KEY_CAPITAL_B, KEY_CAPITAL_C, KEY_CAPITAL_D, KEY_CAPITAL_E, KEY_CAPITAL_F, KEY_CAPITAL_G,
    KEY_CAPITAL_H, KEY_CAPITAL_I, KEY_CAPITAL_J, KEY_CAPITAL_K, KEY_CAPITAL_L, KEY_CAPITAL_M,
    KEY_CAPITAL_N, KEY_CAPITAL_O, KEY_CAPITAL_P, KEY_CAPITAL_Q, KEY_CAPITAL_R, KEY_CAPITAL_S,
    KEY_CAPITAL_T, KEY_CAPITAL_U, KEY_CAPITAL_V, KEY_CAPITAL_W, KEY_CAPITAL_X, KEY_CAPITAL_Y,
    KEY_CAPITAL_Z,
    KEY_LEFT_BRACKET,  // 119
    KEY_BACK_SLASH, KEY_RIGHT_BRACKET, KEY_UNDERSCORE, KEY_GRAVE,
    KEY_A,  // 124
    KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M, KEY_N,
    KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
    KEY_LEFT_BRACE,  // 150
    KEY_BAR, KEY_RIGHT_BRACE, KEY_TILDE, KEY_EURO, KEY_POUND, KEY_YEN, KEY_MIDDLE_DOT,
    KEY_SEARCH, KEY_DPAD_LEFT, KEY_DPAD_RIGHT, KEY_DPAD_UP, KEY_DPAD_DOWN, KEY_DPAD_CENTER,
    KEY_ENTER,  // 164
    KEY_PLAY,
  };

  // Modifier keys held at the time of the event.
  enum Modifier : unsigned {
    MODIFIER_SHIFT = 1u << 0,
    MODIFIER_CTRL = 1u << 1,
    MODIFIER_ALT = 1u << 2,    // the left Alt key
    MODIFIER_ALTGR = 1u << 3,  // the right Alt key, which many layouts use to type characters
  };

  EventKeyboard(KeyCode keyCode, bool isPressed)
      : Event(Type::KEYBOARD), _keyCode(keyCode), _isPressed(isPressed) {}
  KeyCode getKeyCode() const { return _keyCode; }
  bool isPressed() const { return _isPressed; }

  // What the system's keyboard layout made of the key press (UTF-8); empty for keys that
  // produce no text, and for events that carry only a key code (scripts). A press may carry
  // text with KEY_NONE: text typed without a key of its own (an input method).
  const std::string& getText() const { return _text; }
  void setText(std::string text) { _text = std::move(text); }
  unsigned getModifiers() const { return _modifiers; }
  void setModifiers(unsigned modifiers) { _modifiers = modifiers; }
  // A press the system repeats while the key is held.
  bool isRepeat() const { return _repeat; }
  void setRepeat(bool repeat) { _repeat = repeat; }
  // The character the layout puts on the key without modifiers ('c' for the key marked C),
  // for shortcuts; 0 when unknown.
  char32_t getLayoutCharacter() const { return _layoutCharacter; }
  void setLayoutCharacter(char32_t character) { _layoutCharacter = character; }

 private:
  KeyCode _keyCode;
  bool _isPressed;
  std::string _text;
  unsigned _modifiers = 0;
  bool _repeat = false;
  char32_t _layoutCharacter = 0;
};

static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_ESCAPE) == 6);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_HOME) == 21);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_APOSTROPHE) == 67);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_0) == 76);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_SEMICOLON) == 87);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_CAPITAL_A) == 93);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_A) == 124);
static_assert(static_cast<int>(EventKeyboard::KeyCode::KEY_ENTER) == 164);

}  // namespace cocos2d
