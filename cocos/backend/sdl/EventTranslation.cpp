#include "cocos/backend/sdl/EventTranslation.h"

#include "cocos/backend/sdl/KeyTable.h"

namespace cocos2d::backend::sdl {
namespace {

bool translateWindowEvent(const SDL_WindowEvent& window, InputEvent& out) {
  switch (window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out.type = InputEvent::Type::Exposed;
      return true;
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED:
      out.type = InputEvent::Type::Hidden;
      return true;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      out.type = InputEvent::Type::Shown;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      out.type = InputEvent::Type::FocusGained;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool translateEvent(const SDL_Event& event, InputEvent& out) {
  out = InputEvent{};
  switch (event.type) {
    case SDL_QUIT:
      out.type = InputEvent::Type::Quit;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.button != SDL_BUTTON_LEFT) return false;
      out.type = event.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::MouseDown : InputEvent::Type::MouseUp;
      out.x = static_cast<float>(event.button.x);
      out.y = static_cast<float>(event.button.y);
      return true;
    case SDL_MOUSEMOTION:
      // A hovering pointer means nothing to a touch-driven interface.
      if ((event.motion.state & SDL_BUTTON_LMASK) == 0) return false;
      out.type = InputEvent::Type::MouseMove;
      out.x = static_cast<float>(event.motion.x);
      out.y = static_cast<float>(event.motion.y);
      return true;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out.type = event.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
      out.keyCode = keyCodeForScancode(event.key.keysym.scancode);
      out.repeat = event.key.repeat != 0;
      return true;
    case SDL_WINDOWEVENT:
      return translateWindowEvent(event.window, out);
    default:
      return false;
  }
}

}  // namespace cocos2d::backend::sdl
