#include "cocos/backend/sdl/KeyTable.h"

#include <SDL_scancode.h>

#include <array>

#include "cocos/base/EventKeyboard.h"

namespace cocos2d::backend::sdl {
namespace {

using K = EventKeyboard::KeyCode;

struct Pair {
  SDL_Scancode scancode;
  K key;
};

// Keys are named by where they sit on a US keyboard: SDL_SCANCODE_SEMICOLON is the key right
// of L whatever it prints, so the engine sees the same code on every layout.
constexpr Pair kPairs[] = {
    {SDL_SCANCODE_ESCAPE, K::KEY_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, K::KEY_BACKSPACE},
    {SDL_SCANCODE_TAB, K::KEY_TAB},
    // Both Enter keys of the main block report KEY_ENTER, which the screens listen to;
    // KEY_RETURN is never produced.
    {SDL_SCANCODE_RETURN, K::KEY_ENTER},
    {SDL_SCANCODE_KP_ENTER, K::KEY_KP_ENTER},
    {SDL_SCANCODE_LSHIFT, K::KEY_SHIFT},
    {SDL_SCANCODE_RSHIFT, K::KEY_RIGHT_SHIFT},
    {SDL_SCANCODE_LCTRL, K::KEY_CTRL},
    {SDL_SCANCODE_RCTRL, K::KEY_RIGHT_CTRL},
    {SDL_SCANCODE_LALT, K::KEY_ALT},
    {SDL_SCANCODE_RALT, K::KEY_RIGHT_ALT},
    {SDL_SCANCODE_APPLICATION, K::KEY_MENU},
    {SDL_SCANCODE_MENU, K::KEY_MENU},
    {SDL_SCANCODE_CAPSLOCK, K::KEY_CAPS_LOCK},
    {SDL_SCANCODE_INSERT, K::KEY_INSERT},
    {SDL_SCANCODE_HOME, K::KEY_HOME},
    {SDL_SCANCODE_PAGEUP, K::KEY_PG_UP},
    {SDL_SCANCODE_DELETE, K::KEY_DELETE},
    {SDL_SCANCODE_END, K::KEY_END},
    {SDL_SCANCODE_PAGEDOWN, K::KEY_PG_DOWN},
    {SDL_SCANCODE_LEFT, K::KEY_LEFT_ARROW},
    {SDL_SCANCODE_RIGHT, K::KEY_RIGHT_ARROW},
    {SDL_SCANCODE_UP, K::KEY_UP_ARROW},
    {SDL_SCANCODE_DOWN, K::KEY_DOWN_ARROW},
    {SDL_SCANCODE_NUMLOCKCLEAR, K::KEY_NUM_LOCK},
    {SDL_SCANCODE_PAUSE, K::KEY_PAUSE},
    {SDL_SCANCODE_SCROLLLOCK, K::KEY_SCROLL_LOCK},
    {SDL_SCANCODE_PRINTSCREEN, K::KEY_PRINT},
    {SDL_SCANCODE_SPACE, K::KEY_SPACE},
    {SDL_SCANCODE_MINUS, K::KEY_MINUS},
    {SDL_SCANCODE_EQUALS, K::KEY_EQUAL},
    {SDL_SCANCODE_LEFTBRACKET, K::KEY_LEFT_BRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, K::KEY_RIGHT_BRACKET},
    {SDL_SCANCODE_BACKSLASH, K::KEY_BACK_SLASH},
    // ISO keyboards put this key left of Enter where US ones have the backslash.
    {SDL_SCANCODE_NONUSHASH, K::KEY_BACK_SLASH},
    {SDL_SCANCODE_SEMICOLON, K::KEY_SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, K::KEY_APOSTROPHE},
    {SDL_SCANCODE_GRAVE, K::KEY_GRAVE},
    {SDL_SCANCODE_COMMA, K::KEY_COMMA},
    {SDL_SCANCODE_PERIOD, K::KEY_PERIOD},
    {SDL_SCANCODE_SLASH, K::KEY_SLASH},
    {SDL_SCANCODE_NONUSBACKSLASH, K::KEY_LESS_THAN},
    {SDL_SCANCODE_INTERNATIONAL1, K::KEY_UNDERSCORE},  // JIS "ro", left of right Shift
    {SDL_SCANCODE_INTERNATIONAL3, K::KEY_YEN},         // JIS yen, left of Backspace
    {SDL_SCANCODE_KP_PLUS, K::KEY_KP_PLUS},
    {SDL_SCANCODE_KP_MINUS, K::KEY_KP_MINUS},
    {SDL_SCANCODE_KP_MULTIPLY, K::KEY_KP_MULTIPLY},
    {SDL_SCANCODE_KP_DIVIDE, K::KEY_KP_DIVIDE},
    // The keypad digits carry their navigation names, as the key codes have no keypad digits.
    {SDL_SCANCODE_KP_7, K::KEY_KP_HOME},
    {SDL_SCANCODE_KP_8, K::KEY_KP_UP},
    {SDL_SCANCODE_KP_9, K::KEY_KP_PG_UP},
    {SDL_SCANCODE_KP_4, K::KEY_KP_LEFT},
    {SDL_SCANCODE_KP_5, K::KEY_KP_FIVE},
    {SDL_SCANCODE_KP_6, K::KEY_KP_RIGHT},
    {SDL_SCANCODE_KP_1, K::KEY_KP_END},
    {SDL_SCANCODE_KP_2, K::KEY_KP_DOWN},
    {SDL_SCANCODE_KP_3, K::KEY_KP_PG_DOWN},
    {SDL_SCANCODE_KP_0, K::KEY_KP_INSERT},
    {SDL_SCANCODE_KP_PERIOD, K::KEY_KP_DELETE},
};

constexpr std::array<unsigned char, SDL_NUM_SCANCODES> buildTable() {
  std::array<unsigned char, SDL_NUM_SCANCODES> table{};
  for (const Pair& p : kPairs) table[p.scancode] = static_cast<unsigned char>(p.key);
  // Letters, digits and function keys are contiguous runs in both numberings.
  for (int i = 0; i < 26; ++i) {
    table[SDL_SCANCODE_A + i] = static_cast<unsigned char>(static_cast<int>(K::KEY_A) + i);
  }
  for (int i = 0; i < 9; ++i) {  // SDL orders the top row 1..9, then 0
    table[SDL_SCANCODE_1 + i] = static_cast<unsigned char>(static_cast<int>(K::KEY_1) + i);
  }
  table[SDL_SCANCODE_0] = static_cast<unsigned char>(K::KEY_0);
  for (int i = 0; i < 12; ++i) {
    table[SDL_SCANCODE_F1 + i] = static_cast<unsigned char>(static_cast<int>(K::KEY_F1) + i);
  }
  return table;
}

constexpr auto kTable = buildTable();
static_assert(static_cast<int>(K::KEY_PLAY) < 256, "key codes must fit the table's bytes");

}  // namespace

int keypadKeyWithoutNumLock(int keyCode) {
  switch (static_cast<K>(keyCode)) {
    case K::KEY_KP_HOME: return static_cast<int>(K::KEY_HOME);
    case K::KEY_KP_UP: return static_cast<int>(K::KEY_UP_ARROW);
    case K::KEY_KP_PG_UP: return static_cast<int>(K::KEY_PG_UP);
    case K::KEY_KP_LEFT: return static_cast<int>(K::KEY_LEFT_ARROW);
    case K::KEY_KP_FIVE: return static_cast<int>(K::KEY_NONE);
    case K::KEY_KP_RIGHT: return static_cast<int>(K::KEY_RIGHT_ARROW);
    case K::KEY_KP_END: return static_cast<int>(K::KEY_END);
    case K::KEY_KP_DOWN: return static_cast<int>(K::KEY_DOWN_ARROW);
    case K::KEY_KP_PG_DOWN: return static_cast<int>(K::KEY_PG_DOWN);
    case K::KEY_KP_INSERT: return static_cast<int>(K::KEY_INSERT);
    case K::KEY_KP_DELETE: return static_cast<int>(K::KEY_DELETE);
    default: return keyCode;
  }
}

int keyCodeForScancode(int sdlScancode) {
  if (sdlScancode < 0 || sdlScancode >= SDL_NUM_SCANCODES) return 0;
  return kTable[static_cast<std::size_t>(sdlScancode)];
}

}  // namespace cocos2d::backend::sdl
