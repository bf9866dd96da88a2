#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "cocos/backend/sdl/KeyTable.h"
#include "cocos/base/EventKeyboard.h"

namespace {

using cocos2d::backend::sdl::keyCodeForScancode;
using K = cocos2d::EventKeyboard::KeyCode;

struct Case {
  SDL_Scancode scancode;
  K expected;
};

void expectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(keyCodeForScancode(c.scancode), static_cast<int>(c.expected))
        << "scancode " << c.scancode << " (" << SDL_GetScancodeName(c.scancode) << ")";
  }
}

TEST(KeyTable, EditingAndModifierKeys) {
  expectAll({
      {SDL_SCANCODE_ESCAPE, K::KEY_ESCAPE},       {SDL_SCANCODE_BACKSPACE, K::KEY_BACKSPACE},
      {SDL_SCANCODE_TAB, K::KEY_TAB},             {SDL_SCANCODE_RETURN, K::KEY_ENTER},
      {SDL_SCANCODE_KP_ENTER, K::KEY_KP_ENTER},   {SDL_SCANCODE_LSHIFT, K::KEY_SHIFT},
      {SDL_SCANCODE_RSHIFT, K::KEY_RIGHT_SHIFT},  {SDL_SCANCODE_LCTRL, K::KEY_CTRL},
      {SDL_SCANCODE_RCTRL, K::KEY_RIGHT_CTRL},    {SDL_SCANCODE_LALT, K::KEY_ALT},
      {SDL_SCANCODE_RALT, K::KEY_RIGHT_ALT},      {SDL_SCANCODE_APPLICATION, K::KEY_MENU},
      {SDL_SCANCODE_MENU, K::KEY_MENU},           {SDL_SCANCODE_CAPSLOCK, K::KEY_CAPS_LOCK},
      {SDL_SCANCODE_INSERT, K::KEY_INSERT},       {SDL_SCANCODE_HOME, K::KEY_HOME},
      {SDL_SCANCODE_PAGEUP, K::KEY_PG_UP},        {SDL_SCANCODE_DELETE, K::KEY_DELETE},
      {SDL_SCANCODE_END, K::KEY_END},             {SDL_SCANCODE_PAGEDOWN, K::KEY_PG_DOWN},
      {SDL_SCANCODE_LEFT, K::KEY_LEFT_ARROW},     {SDL_SCANCODE_RIGHT, K::KEY_RIGHT_ARROW},
      {SDL_SCANCODE_UP, K::KEY_UP_ARROW},         {SDL_SCANCODE_DOWN, K::KEY_DOWN_ARROW},
      {SDL_SCANCODE_NUMLOCKCLEAR, K::KEY_NUM_LOCK}, {SDL_SCANCODE_PAUSE, K::KEY_PAUSE},
      {SDL_SCANCODE_SCROLLLOCK, K::KEY_SCROLL_LOCK}, {SDL_SCANCODE_PRINTSCREEN, K::KEY_PRINT},
      {SDL_SCANCODE_SPACE, K::KEY_SPACE},
  });
}

TEST(KeyTable, LettersDigitsAndFunctionKeys) {
  // Lower-case letter codes (124..149): keys, not the characters they type.
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_A + i), 124 + i) << static_cast<char>('A' + i);
  }
  // SDL numbers the top row 1..9 then 0; the key codes run 0..9 (76..85).
  EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_0), 76);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_1 + i - 1), 76 + i) << i;
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(keyCodeForScancode(SDL_SCANCODE_F1 + i), static_cast<int>(K::KEY_F1) + i) << "F" << i + 1;
  }
}

// Punctuation keys are identified by where they sit, not by what the layout prints on them.
TEST(KeyTable, PunctuationByPhysicalPosition) {
  expectAll({
      {SDL_SCANCODE_MINUS, K::KEY_MINUS},                 // right of 0
      {SDL_SCANCODE_EQUALS, K::KEY_EQUAL},                // left of Backspace
      {SDL_SCANCODE_LEFTBRACKET, K::KEY_LEFT_BRACKET},    // right of P
      {SDL_SCANCODE_RIGHTBRACKET, K::KEY_RIGHT_BRACKET},
      {SDL_SCANCODE_BACKSLASH, K::KEY_BACK_SLASH},
      {SDL_SCANCODE_NONUSHASH, K::KEY_BACK_SLASH},        // ISO: left of Enter
      {SDL_SCANCODE_SEMICOLON, K::KEY_SEMICOLON},         // right of L
      {SDL_SCANCODE_APOSTROPHE, K::KEY_APOSTROPHE},       // next to it
      {SDL_SCANCODE_GRAVE, K::KEY_GRAVE},                 // left of 1
      {SDL_SCANCODE_COMMA, K::KEY_COMMA},                 // right of M
      {SDL_SCANCODE_PERIOD, K::KEY_PERIOD},
      {SDL_SCANCODE_SLASH, K::KEY_SLASH},
      {SDL_SCANCODE_NONUSBACKSLASH, K::KEY_LESS_THAN},    // ISO: right of left Shift
      {SDL_SCANCODE_INTERNATIONAL1, K::KEY_UNDERSCORE},   // JIS "ro"
      {SDL_SCANCODE_INTERNATIONAL3, K::KEY_YEN},          // JIS yen
  });
}

TEST(KeyTable, KeypadKeysHaveCodesOfTheirOwn) {
  expectAll({
      {SDL_SCANCODE_KP_PLUS, K::KEY_KP_PLUS},        {SDL_SCANCODE_KP_MINUS, K::KEY_KP_MINUS},
      {SDL_SCANCODE_KP_MULTIPLY, K::KEY_KP_MULTIPLY}, {SDL_SCANCODE_KP_DIVIDE, K::KEY_KP_DIVIDE},
      {SDL_SCANCODE_KP_7, K::KEY_KP_HOME},           {SDL_SCANCODE_KP_8, K::KEY_KP_UP},
      {SDL_SCANCODE_KP_9, K::KEY_KP_PG_UP},          {SDL_SCANCODE_KP_4, K::KEY_KP_LEFT},
      {SDL_SCANCODE_KP_5, K::KEY_KP_FIVE},           {SDL_SCANCODE_KP_6, K::KEY_KP_RIGHT},
      {SDL_SCANCODE_KP_1, K::KEY_KP_END},            {SDL_SCANCODE_KP_2, K::KEY_KP_DOWN},
      {SDL_SCANCODE_KP_3, K::KEY_KP_PG_DOWN},        {SDL_SCANCODE_KP_0, K::KEY_KP_INSERT},
      {SDL_SCANCODE_KP_PERIOD, K::KEY_KP_DELETE},
  });
  // Distinct from the main block: a keypad digit never reads as a top-row digit.
  EXPECT_NE(keyCodeForScancode(SDL_SCANCODE_KP_7), keyCodeForScancode(SDL_SCANCODE_7));
  EXPECT_NE(keyCodeForScancode(SDL_SCANCODE_KP_MINUS), keyCodeForScancode(SDL_SCANCODE_MINUS));
}

TEST(KeyTable, EverythingElseHasNoCode) {
  for (const int scancode : {static_cast<int>(SDL_SCANCODE_UNKNOWN), static_cast<int>(SDL_SCANCODE_LGUI),
                             static_cast<int>(SDL_SCANCODE_F13), static_cast<int>(SDL_SCANCODE_VOLUMEUP),
                             static_cast<int>(SDL_SCANCODE_INTERNATIONAL2), static_cast<int>(SDL_SCANCODE_KP_EQUALS),
                             -1, static_cast<int>(SDL_NUM_SCANCODES), 100000}) {
    EXPECT_EQ(keyCodeForScancode(scancode), 0) << scancode;
  }
}

}  // namespace
