// Turns SDL's events into the engine's InputEvents: the left mouse button, the wheel, keys by
// physical position, quitting, and the window changes that decide whether to draw.
#pragma once

#include <SDL_events.h>

#include "cocos/backend/Window.h"

namespace cocos2d::backend::sdl {

// False for events the engine does not use; `out` is then left unspecified.
// Touch input arrives as the mouse events SDL synthesises from it, so fingers are not
// translated here (they would be delivered twice).
bool translateEvent(const SDL_Event& event, InputEvent& out);

}  // namespace cocos2d::backend::sdl
