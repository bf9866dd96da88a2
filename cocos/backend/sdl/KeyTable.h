// Maps SDL scancodes (physical key positions) to the engine's key codes, so that a key
// keeps its code whatever keyboard layout the user has selected.
#pragma once

namespace cocos2d::backend::sdl {

// An EventKeyboard::KeyCode value for an SDL_Scancode; 0 (KEY_NONE) for keys without one.
int keyCodeForScancode(int sdlScancode);

// What a keypad key is while NumLock is off: the editing key printed under its digit (7 is
// Home, 8 the up arrow, the decimal key Delete ...), 0 for the middle key; other codes are
// returned unchanged.
int keypadKeyWithoutNumLock(int keyCode);

}  // namespace cocos2d::backend::sdl
