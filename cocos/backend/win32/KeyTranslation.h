// Turns a key message of Windows (WM_KEYDOWN, WM_KEYUP and their WM_SYS twins, with the
// characters TranslateMessage made of it) into the engine's InputEvent: keys by physical
// position as the SDL backend names them, the keypad by what the system made of it (digits with
// NumLock on, editing keys with it off), the modifiers, the text typed, and the layout's letter
// for shortcuts. No call into the system: the caller reads the message and the key state.
#pragma once

#include <string>

#include "cocos/backend/Window.h"

namespace cocos2d::backend::win32 {

// One key message as the window procedure received it.
struct KeyMessage {
  bool pressed = true;
  unsigned virtualKey = 0;  // wParam
  unsigned scanCode = 0;    // bits 16..23 of lParam
  bool extended = false;    // bit 24: the E0 keys (right Ctrl, the arrows, keypad Enter ...)
  bool repeat = false;      // bit 30 of a press: the key was already down
  // GetKeyState at the time of the message.
  bool shift = false, leftCtrl = false, rightCtrl = false, leftAlt = false, rightAlt = false;
  // The WM_CHAR characters TranslateMessage posted for the press, UTF-16.
  std::wstring characters;
  // MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR): the layout's unshifted character, the top
  // bit set for a dead key.
  unsigned layoutCharacter = 0;
};

// The EventKeyboard::KeyCode of the key at a scan code (set 1, with the E0 flag); 0 for keys
// without one.
int keyCodeForScanCode(unsigned scanCode, bool extended);

// False for messages the engine must not see: a key an input method is composing with
// (VK_PROCESSKEY), whose result arrives as characters of their own.
bool translateKey(const KeyMessage& message, InputEvent& out);

}  // namespace cocos2d::backend::win32
