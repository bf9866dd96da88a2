// Maps SDL scancodes (physical key positions) to the engine's key codes, so that a key
// keeps its code whatever keyboard layout the user has selected.
#pragma once

namespace cocos2d::backend::sdl {

// An EventKeyboard::KeyCode value for an SDL_Scancode; 0 (KEY_NONE) for keys without one.
int keyCodeForScancode(int sdlScancode);

}  // namespace cocos2d::backend::sdl
