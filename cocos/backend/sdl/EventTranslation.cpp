#include "cocos/backend/sdl/EventTranslation.h"

#include <cmath>

#include "cocos/backend/sdl/KeyTable.h"
#include "cocos/base/EventKeyboard.h"

namespace cocos2d::backend::sdl {
namespace {

bool translateWindowEvent(const SDL_WindowEvent& window, InputEvent& out) {
  switch (window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
      out.type = InputEvent::Type::Exposed;
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out.type = InputEvent::Type::Resized;
      out.width = window.data1;
      out.height = window.data2;
      return true;
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED:
      out.type = InputEvent::Type::Hidden;
      return true;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
      out.type = InputEvent::Type::Shown;
      return true;
    default:
      return false;
  }
}

// EventKeyboard::Modifier bits for SDL's key modifier state.
unsigned modifiersOf(unsigned sdlModifiers) {
  using M = EventKeyboard::Modifier;
  unsigned out = 0;
  if (sdlModifiers & KMOD_SHIFT) out |= M::MODIFIER_SHIFT;
  if (sdlModifiers & KMOD_CTRL) out |= M::MODIFIER_CTRL;
  if (sdlModifiers & KMOD_LALT) out |= M::MODIFIER_ALT;
  if (sdlModifiers & (KMOD_RALT | KMOD_MODE)) out |= M::MODIFIER_ALTGR;
  return out;
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
    case SDL_MOUSEWHEEL: {
      // The precise deltas carry a touchpad's or a smooth wheel's fractions; a wheel that
      // clicks gives whole notches in both.
      const SDL_MouseWheelEvent& wheel = event.wheel;
      const float dx = wheel.preciseX != 0 || wheel.x == 0 ? wheel.preciseX : static_cast<float>(wheel.x);
      const float dy = wheel.preciseY != 0 || wheel.y == 0 ? wheel.preciseY : static_cast<float>(wheel.y);
      if (!std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0)) return false;
      out.type = InputEvent::Type::Wheel;
      out.wheelX = dx;
      out.wheelY = dy;
      out.x = static_cast<float>(wheel.mouseX);
      out.y = static_cast<float>(wheel.mouseY);
      return true;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const SDL_Keysym& key = event.key.keysym;
      out.type = event.type == SDL_KEYDOWN ? InputEvent::Type::KeyDown : InputEvent::Type::KeyUp;
      out.keyCode = keyCodeForScancode(key.scancode);
      // With NumLock off the keypad is a second set of editing keys.
      if ((key.mod & KMOD_NUM) == 0) out.keyCode = keypadKeyWithoutNumLock(out.keyCode);
      out.repeat = event.key.repeat != 0;
      out.modifiers = modifiersOf(key.mod);
      // The layout's own character for the key, for shortcuts such as Ctrl+C.
      if (key.sym > 0 && key.sym < 0x110000 && (key.sym & SDLK_SCANCODE_MASK) == 0) {
        out.layoutKey = static_cast<char32_t>(key.sym >= 'A' && key.sym <= 'Z' ? key.sym - 'A' + 'a' : key.sym);
      }
      return true;
    }
    case SDL_TEXTINPUT:
      out.type = InputEvent::Type::Text;
      out.text = event.text.text;
      out.modifiers = modifiersOf(SDL_GetModState());
      return !out.text.empty();
    case SDL_WINDOWEVENT:
      return translateWindowEvent(event.window, out);
    default:
      return false;
  }
}

}  // namespace cocos2d::backend::sdl
