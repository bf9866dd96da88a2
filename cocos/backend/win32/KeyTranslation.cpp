#include "cocos/backend/win32/KeyTranslation.h"

#include <windows.h>

#include <array>

#include "cocos/base/EventKeyboard.h"
#include "cocos/base/win32/Utf16.h"

namespace cocos2d::backend::win32 {
namespace {

using K = EventKeyboard::KeyCode;

struct Pair {
  unsigned scanCode;
  bool extended;
  K key;
};

// Keys by where they sit on a US keyboard, as the SDL backend names them (its KeyTable): the
// key right of L is KEY_SEMICOLON whatever the layout prints on it.
constexpr Pair kPairs[] = {
    {0x01, false, K::KEY_ESCAPE},
    {0x0C, false, K::KEY_MINUS},
    {0x0D, false, K::KEY_EQUAL},
    {0x0E, false, K::KEY_BACKSPACE},
    {0x0F, false, K::KEY_TAB},
    {0x1A, false, K::KEY_LEFT_BRACKET},
    {0x1B, false, K::KEY_RIGHT_BRACKET},
    // Both Enter keys of the main block report KEY_ENTER, which the screens listen to.
    {0x1C, false, K::KEY_ENTER},
    {0x1C, true, K::KEY_KP_ENTER},
    {0x1D, false, K::KEY_CTRL},
    {0x1D, true, K::KEY_RIGHT_CTRL},
    {0x27, false, K::KEY_SEMICOLON},
    {0x28, false, K::KEY_APOSTROPHE},
    {0x29, false, K::KEY_GRAVE},
    {0x2A, false, K::KEY_SHIFT},
    // US keyboards have the backslash here, ISO ones the key left of Enter: one scan code.
    {0x2B, false, K::KEY_BACK_SLASH},
    {0x33, false, K::KEY_COMMA},
    {0x34, false, K::KEY_PERIOD},
    {0x35, false, K::KEY_SLASH},
    {0x35, true, K::KEY_KP_DIVIDE},
    {0x36, false, K::KEY_RIGHT_SHIFT},
    {0x37, false, K::KEY_KP_MULTIPLY},
    {0x37, true, K::KEY_PRINT},
    {0x38, false, K::KEY_ALT},
    {0x38, true, K::KEY_RIGHT_ALT},
    {0x39, false, K::KEY_SPACE},
    {0x3A, false, K::KEY_CAPS_LOCK},
    {0x46, false, K::KEY_SCROLL_LOCK},
    {0x4A, false, K::KEY_KP_MINUS},
    {0x4E, false, K::KEY_KP_PLUS},
    // The keypad digits carry their navigation names, as the key codes have no keypad digits.
    {0x47, false, K::KEY_KP_HOME},
    {0x48, false, K::KEY_KP_UP},
    {0x49, false, K::KEY_KP_PG_UP},
    {0x4B, false, K::KEY_KP_LEFT},
    {0x4C, false, K::KEY_KP_FIVE},
    {0x4D, false, K::KEY_KP_RIGHT},
    {0x4F, false, K::KEY_KP_END},
    {0x50, false, K::KEY_KP_DOWN},
    {0x51, false, K::KEY_KP_PG_DOWN},
    {0x52, false, K::KEY_KP_INSERT},
    {0x53, false, K::KEY_KP_DELETE},
    // The editing block: the same scan codes as the keypad's, with the E0 flag.
    {0x47, true, K::KEY_HOME},
    {0x48, true, K::KEY_UP_ARROW},
    {0x49, true, K::KEY_PG_UP},
    {0x4B, true, K::KEY_LEFT_ARROW},
    {0x4D, true, K::KEY_RIGHT_ARROW},
    {0x4F, true, K::KEY_END},
    {0x50, true, K::KEY_DOWN_ARROW},
    {0x51, true, K::KEY_PG_DOWN},
    {0x52, true, K::KEY_INSERT},
    {0x53, true, K::KEY_DELETE},
    {0x56, false, K::KEY_LESS_THAN},   // ISO: right of left Shift
    {0x57, false, K::KEY_F11},
    {0x58, false, K::KEY_F12},
    {0x5D, true, K::KEY_MENU},
    {0x73, false, K::KEY_UNDERSCORE},  // JIS "ro", left of right Shift
    {0x7D, false, K::KEY_YEN},         // JIS yen, left of Backspace
};

// The three rows of letters, in scan code order.
constexpr char kLetterRows[][11] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
constexpr unsigned kLetterRowStarts[] = {0x10, 0x1E, 0x2C};

using Table = std::array<unsigned char, 256>;  // [extended * 128 + scan code]

constexpr Table buildTable() {
  Table table{};
  for (const Pair& p : kPairs) table[(p.extended ? 128 : 0) + p.scanCode] = static_cast<unsigned char>(p.key);
  for (int row = 0; row < 3; ++row) {
    for (int i = 0; kLetterRows[row][i] != '\0'; ++i) {
      table[kLetterRowStarts[row] + static_cast<unsigned>(i)] =
          static_cast<unsigned char>(static_cast<int>(K::KEY_A) + (kLetterRows[row][i] - 'a'));
    }
  }
  // The top row is 1..9 then 0; F1..F10 are one run.
  for (int i = 0; i < 9; ++i) table[0x02 + i] = static_cast<unsigned char>(static_cast<int>(K::KEY_1) + i);
  table[0x0B] = static_cast<unsigned char>(K::KEY_0);
  for (int i = 0; i < 10; ++i) table[0x3B + i] = static_cast<unsigned char>(static_cast<int>(K::KEY_F1) + i);
  return table;
}

constexpr Table kTable = buildTable();
static_assert(static_cast<int>(K::KEY_PLAY) < 256, "key codes must fit the table's bytes");

// What a keypad key is when the system did not make a digit of it (NumLock off, or Shift held
// with it on): the editing key printed under its digit, nothing for the middle key.
int keypadEditingKey(int keyCode) {
  struct Editing {
    K keypad, editing;
  };
  static constexpr Editing kEditing[] = {
      {K::KEY_KP_HOME, K::KEY_HOME},       {K::KEY_KP_UP, K::KEY_UP_ARROW},   {K::KEY_KP_PG_UP, K::KEY_PG_UP},
      {K::KEY_KP_LEFT, K::KEY_LEFT_ARROW}, {K::KEY_KP_FIVE, K::KEY_NONE},     {K::KEY_KP_RIGHT, K::KEY_RIGHT_ARROW},
      {K::KEY_KP_END, K::KEY_END},         {K::KEY_KP_DOWN, K::KEY_DOWN_ARROW}, {K::KEY_KP_PG_DOWN, K::KEY_PG_DOWN},
      {K::KEY_KP_INSERT, K::KEY_INSERT},   {K::KEY_KP_DELETE, K::KEY_DELETE},
  };
  for (const Editing& e : kEditing) {
    if (static_cast<int>(e.keypad) == keyCode) return static_cast<int>(e.editing);
  }
  return keyCode;
}

// Windows makes the keypad's digit keys digits only while NumLock is on and Shift is not held;
// otherwise they arrive as the editing keys (VK_HOME ... and VK_CLEAR for the middle one).
bool isKeypadDigit(unsigned virtualKey) {
  return (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) || virtualKey == VK_DECIMAL ||
         virtualKey == VK_SEPARATOR;
}

int keyCodeFor(const KeyMessage& m) {
  // NumLock and Pause share a scan code; the virtual key tells them apart.
  if (m.virtualKey == VK_NUMLOCK) return static_cast<int>(K::KEY_NUM_LOCK);
  if (m.virtualKey == VK_PAUSE) return static_cast<int>(K::KEY_PAUSE);
  if (m.virtualKey == VK_PACKET) return 0;  // a character sent as input, not a key
  const int code = keyCodeForScanCode(m.scanCode, m.extended);
  if (code != keypadEditingKey(code) && !isKeypadDigit(m.virtualKey)) return keypadEditingKey(code);
  return code;
}

// Text a key press typed: nothing when it made control characters (Enter, Backspace, Escape,
// Tab and the Ctrl+letter codes), which act as keys.
std::string typedText(const std::wstring& characters) {
  for (const wchar_t c : characters) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return {};
  }
  return cocos2d::win32::utf8FromUtf16(characters);
}

}  // namespace

int keyCodeForScanCode(unsigned scanCode, bool extended) {
  if (scanCode >= 128) return 0;
  return kTable[(extended ? 128 : 0) + scanCode];
}

bool translateKey(const KeyMessage& m, InputEvent& out) {
  out = InputEvent{};
  if (m.virtualKey == VK_PROCESSKEY) return false;
  using M = EventKeyboard::Modifier;
  out.type = m.pressed ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
  out.keyCode = keyCodeFor(m);
  out.repeat = m.pressed && m.repeat;
  if (m.pressed) out.text = typedText(m.characters);
  // AltGr reaches Windows as right Alt with a left Ctrl of the system's making: that Ctrl is
  // no shortcut. Ctrl with left Alt is AltGr too, to Windows, when it types a character.
  bool ctrl = m.rightCtrl || (m.leftCtrl && !m.rightAlt);
  bool alt = m.leftAlt;
  bool altGr = m.rightAlt;
  if (ctrl && alt && !out.text.empty()) {
    ctrl = alt = false;
    altGr = true;
  }
  out.modifiers = (m.shift ? M::MODIFIER_SHIFT : 0u) | (ctrl ? M::MODIFIER_CTRL : 0u) | (alt ? M::MODIFIER_ALT : 0u) |
                  (altGr ? M::MODIFIER_ALTGR : 0u);
  // The layout's own character for the key, for shortcuts such as Ctrl+C; the keypad has its
  // own codes and no shortcut letters.
  const auto character = static_cast<char32_t>(m.layoutCharacter & 0x7FFFFFFFu);
  const bool keypad = out.keyCode >= static_cast<int>(K::KEY_KP_PLUS) && out.keyCode <= static_cast<int>(K::KEY_KP_DELETE);
  if (character >= 0x20 && !keypad) {
    out.layoutKey = character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
  }
  return true;
}

}  // namespace cocos2d::backend::win32
