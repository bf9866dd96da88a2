// Key messages of Windows as the engine's key events: codes by position, the keypad as the
// system made it, modifiers with AltGr, the text a press typed, and the layout's letter.
#include <windows.h>

#include <gtest/gtest.h>

#include "cocos/backend/win32/KeyTranslation.h"
#include "cocos/base/EventKeyboard.h"

namespace {

using cocos2d::backend::InputEvent;
using cocos2d::backend::win32::KeyMessage;
using cocos2d::backend::win32::keyCodeForScanCode;
using cocos2d::backend::win32::translateKey;
using K = cocos2d::EventKeyboard::KeyCode;
using M = cocos2d::EventKeyboard::Modifier;

constexpr int code(K key) { return static_cast<int>(key); }

InputEvent translated(const KeyMessage& message) {
  InputEvent event;
  EXPECT_TRUE(translateKey(message, event));
  return event;
}

TEST(KeyTranslation, KeysByTheirPlaceOnAUsKeyboard) {
  struct Case {
    unsigned scan;
    bool extended;
    K key;
  };
  const Case cases[] = {
      {0x01, false, K::KEY_ESCAPE},       {0x0E, false, K::KEY_BACKSPACE},   {0x0F, false, K::KEY_TAB},
      {0x1C, false, K::KEY_ENTER},        {0x1C, true, K::KEY_KP_ENTER},     {0x2A, false, K::KEY_SHIFT},
      {0x36, false, K::KEY_RIGHT_SHIFT},  {0x1D, false, K::KEY_CTRL},        {0x1D, true, K::KEY_RIGHT_CTRL},
      {0x38, false, K::KEY_ALT},          {0x38, true, K::KEY_RIGHT_ALT},    {0x5D, true, K::KEY_MENU},
      {0x3A, false, K::KEY_CAPS_LOCK},    {0x39, false, K::KEY_SPACE},       {0x46, false, K::KEY_SCROLL_LOCK},
      {0x37, true, K::KEY_PRINT},         {0x52, true, K::KEY_INSERT},       {0x53, true, K::KEY_DELETE},
      {0x47, true, K::KEY_HOME},          {0x4F, true, K::KEY_END},          {0x49, true, K::KEY_PG_UP},
      {0x51, true, K::KEY_PG_DOWN},       {0x4B, true, K::KEY_LEFT_ARROW},   {0x4D, true, K::KEY_RIGHT_ARROW},
      {0x48, true, K::KEY_UP_ARROW},      {0x50, true, K::KEY_DOWN_ARROW},
      // Punctuation by position, whatever the layout prints on it.
      {0x0C, false, K::KEY_MINUS},        {0x0D, false, K::KEY_EQUAL},       {0x1A, false, K::KEY_LEFT_BRACKET},
      {0x1B, false, K::KEY_RIGHT_BRACKET}, {0x2B, false, K::KEY_BACK_SLASH}, {0x27, false, K::KEY_SEMICOLON},
      {0x28, false, K::KEY_APOSTROPHE},   {0x29, false, K::KEY_GRAVE},       {0x33, false, K::KEY_COMMA},
      {0x34, false, K::KEY_PERIOD},       {0x35, false, K::KEY_SLASH},       {0x56, false, K::KEY_LESS_THAN},
      {0x73, false, K::KEY_UNDERSCORE},   {0x7D, false, K::KEY_YEN},
      // The keypad's own keys.
      {0x4E, false, K::KEY_KP_PLUS},      {0x4A, false, K::KEY_KP_MINUS},    {0x37, false, K::KEY_KP_MULTIPLY},
      {0x35, true, K::KEY_KP_DIVIDE},     {0x47, false, K::KEY_KP_HOME},     {0x4C, false, K::KEY_KP_FIVE},
      {0x52, false, K::KEY_KP_INSERT},    {0x53, false, K::KEY_KP_DELETE},
      // Keys the engine has no code for.
      {0x5B, true, K::KEY_NONE},          {0x00, false, K::KEY_NONE},        {0x7F, true, K::KEY_NONE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(keyCodeForScanCode(c.scan, c.extended), code(c.key)) << std::hex << c.scan << (c.extended ? " E0" : "");
  }
  EXPECT_EQ(keyCodeForScanCode(300, false), 0);
}

TEST(KeyTranslation, LettersDigitsAndFunctionKeysByPosition) {
  const char* rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
  const unsigned starts[] = {0x10, 0x1E, 0x2C};
  for (int row = 0; row < 3; ++row) {
    for (unsigned i = 0; rows[row][i]; ++i) {
      EXPECT_EQ(keyCodeForScanCode(starts[row] + i, false), code(K::KEY_A) + (rows[row][i] - 'a')) << rows[row][i];
    }
  }
  for (int digit = 1; digit <= 9; ++digit) EXPECT_EQ(keyCodeForScanCode(0x01 + digit, false), code(K::KEY_0) + digit);
  EXPECT_EQ(keyCodeForScanCode(0x0B, false), code(K::KEY_0));
  for (int f = 0; f < 10; ++f) EXPECT_EQ(keyCodeForScanCode(0x3B + f, false), code(K::KEY_F1) + f) << "F" << f + 1;
  EXPECT_EQ(keyCodeForScanCode(0x57, false), code(K::KEY_F11));
  EXPECT_EQ(keyCodeForScanCode(0x58, false), code(K::KEY_F12));
}

// Windows makes a keypad key a digit while NumLock is on (and Shift is not held), an editing key
// otherwise; the virtual key says which it made.
TEST(KeyTranslation, TheKeypadAsTheSystemMadeIt) {
  struct Case {
    unsigned scan;
    bool extended;
    unsigned virtualKey;
    K key;
  };
  const Case cases[] = {
      {0x47, false, VK_NUMPAD7, K::KEY_KP_HOME},    {0x47, false, VK_HOME, K::KEY_HOME},
      {0x48, false, VK_NUMPAD8, K::KEY_KP_UP},      {0x48, false, VK_UP, K::KEY_UP_ARROW},
      {0x4C, false, VK_NUMPAD5, K::KEY_KP_FIVE},    {0x4C, false, VK_CLEAR, K::KEY_NONE},
      {0x52, false, VK_NUMPAD0, K::KEY_KP_INSERT},  {0x52, false, VK_INSERT, K::KEY_INSERT},
      {0x53, false, VK_DECIMAL, K::KEY_KP_DELETE},  {0x53, false, VK_DELETE, K::KEY_DELETE},
      {0x4F, false, VK_NUMPAD1, K::KEY_KP_END},     {0x4F, false, VK_END, K::KEY_END},
      // The operators and Enter are the keypad's whatever NumLock says.
      {0x4E, false, VK_ADD, K::KEY_KP_PLUS},        {0x35, true, VK_DIVIDE, K::KEY_KP_DIVIDE},
      {0x1C, true, VK_RETURN, K::KEY_KP_ENTER},
      // NumLock and Pause share a scan code.
      {0x45, true, VK_NUMLOCK, K::KEY_NUM_LOCK},    {0x45, false, VK_PAUSE, K::KEY_PAUSE},
      // The editing block is itself with NumLock on or off.
      {0x47, true, VK_HOME, K::KEY_HOME},           {0x53, true, VK_DELETE, K::KEY_DELETE},
  };
  for (const Case& c : cases) {
    KeyMessage message;
    message.scanCode = c.scan;
    message.extended = c.extended;
    message.virtualKey = c.virtualKey;
    EXPECT_EQ(translated(message).keyCode, code(c.key)) << std::hex << c.scan << " vk " << c.virtualKey;
  }
}

TEST(KeyTranslation, ModifiersWithAltGr) {
  struct Case {
    const char* what;
    bool shift, leftCtrl, rightCtrl, leftAlt, rightAlt;
    const wchar_t* typed;
    unsigned modifiers;
    const char* text;
  };
  const Case cases[] = {
      {"plain", false, false, false, false, false, L"7", 0, "7"},
      {"Shift", true, false, false, false, false, L"&", M::MODIFIER_SHIFT, "&"},
      {"Ctrl+C", false, true, false, false, false, L"\x03", M::MODIFIER_CTRL, ""},
      {"right Ctrl", false, false, true, false, false, L"", M::MODIFIER_CTRL, ""},
      {"left Alt", false, false, false, true, false, L"", M::MODIFIER_ALT, ""},
      // AltGr is right Alt with a left Ctrl of the system's making: no shortcut.
      {"AltGr+Q on a German layout", false, true, false, false, true, L"@", M::MODIFIER_ALTGR, "@"},
      {"AltGr typing nothing", false, true, false, false, true, L"", M::MODIFIER_ALTGR, ""},
      {"Shift+AltGr", true, true, false, false, true, L"\x2019", M::MODIFIER_SHIFT | M::MODIFIER_ALTGR, "\xe2\x80\x99"},
      // Ctrl and left Alt type what AltGr types, where the layout has something there.
      {"Ctrl+Alt+E", false, true, false, true, false, L"\x20ac", M::MODIFIER_ALTGR, "\xe2\x82\xac"},
      {"Ctrl+Alt typing nothing", false, true, false, true, false, L"", M::MODIFIER_CTRL | M::MODIFIER_ALT, ""},
      {"right Ctrl with AltGr", false, true, true, false, true, L"", M::MODIFIER_CTRL | M::MODIFIER_ALTGR, ""},
  };
  for (const Case& c : cases) {
    KeyMessage message;
    message.scanCode = 0x10;
    message.virtualKey = 'Q';
    message.shift = c.shift;
    message.leftCtrl = c.leftCtrl;
    message.rightCtrl = c.rightCtrl;
    message.leftAlt = c.leftAlt;
    message.rightAlt = c.rightAlt;
    message.characters = c.typed;
    const InputEvent event = translated(message);
    EXPECT_EQ(event.modifiers, c.modifiers) << c.what;
    EXPECT_EQ(event.text, c.text) << c.what;
  }
}

TEST(KeyTranslation, TextIsWhatThePressTyped) {
  struct Case {
    const wchar_t* typed;
    const char* text;
  };
  const Case cases[] = {
      {L"(", "("},
      {L"\x00e9", "\xc3\xa9"},
      {L"\xd83d\xde00", "\xf0\x9f\x98\x80"},  // one character in two UTF-16 units
      {L"^a", "^a"},                          // a dead key that could not combine gives both
      // Enter, Backspace, Escape, Tab, Ctrl+Backspace and C1 controls act as keys, not as text.
      {L"\r", ""}, {L"\b", ""}, {L"\x1b", ""}, {L"\t", ""}, {L"\x7f", ""}, {L"\x85", ""},
      {L"", ""},
  };
  for (const Case& c : cases) {
    KeyMessage message;
    message.characters = c.typed;
    EXPECT_EQ(translated(message).text, c.text);
    message.pressed = false;  // a release types nothing
    EXPECT_EQ(translated(message).text, "");
  }
}

TEST(KeyTranslation, PressReleaseRepeatAndTheLayoutsLetter) {
  KeyMessage c;
  c.scanCode = 0x2E;
  c.virtualKey = 'C';
  c.layoutCharacter = 'C';
  InputEvent event = translated(c);
  EXPECT_EQ(event.type, InputEvent::Type::KeyDown);
  EXPECT_EQ(event.keyCode, code(K::KEY_C));
  EXPECT_EQ(event.layoutKey, U'c');
  EXPECT_FALSE(event.repeat);
  c.repeat = true;
  EXPECT_TRUE(translated(c).repeat);
  c.pressed = false;
  event = translated(c);
  EXPECT_EQ(event.type, InputEvent::Type::KeyUp);
  EXPECT_FALSE(event.repeat);
  EXPECT_EQ(event.layoutKey, U'c');

  // On AZERTY the key at Q's place is A: the code names the place, the letter the layout's.
  KeyMessage azerty;
  azerty.scanCode = 0x10;
  azerty.virtualKey = 'A';
  azerty.layoutCharacter = 'A';
  event = translated(azerty);
  EXPECT_EQ(event.keyCode, code(K::KEY_Q));
  EXPECT_EQ(event.layoutKey, U'a');

  // A dead key's character is its own; keypad keys have no shortcut letter.
  KeyMessage dead;
  dead.scanCode = 0x1A;
  dead.layoutCharacter = 0x80000000u | '^';
  EXPECT_EQ(translated(dead).layoutKey, U'^');
  KeyMessage keypad;
  keypad.scanCode = 0x47;
  keypad.virtualKey = VK_NUMPAD7;
  keypad.layoutCharacter = '7';
  EXPECT_EQ(translated(keypad).layoutKey, U'\0');
}

TEST(KeyTranslation, InputMethodsAndSentCharacters) {
  // A key an input method composes with reaches the engine only as the method's text.
  KeyMessage composing;
  composing.virtualKey = VK_PROCESSKEY;
  composing.scanCode = 0x02;
  InputEvent event;
  EXPECT_FALSE(translateKey(composing, event));
  // A character sent as input (VK_PACKET) has the character where the scan code would be.
  KeyMessage packet;
  packet.virtualKey = VK_PACKET;
  packet.scanCode = 0x2B;
  packet.characters = L"\x65e5";
  event = translated(packet);
  EXPECT_EQ(event.keyCode, 0);
  EXPECT_EQ(event.text, "\xe6\x97\xa5");
}

}  // namespace
