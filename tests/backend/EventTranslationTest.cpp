#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "cocos/backend/sdl/EventTranslation.h"
#include "cocos/base/EventKeyboard.h"

namespace {

using cocos2d::backend::InputEvent;
using cocos2d::backend::sdl::translateEvent;
using Type = InputEvent::Type;

SDL_Event button(Uint32 type, Uint8 which, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.button = which;
  e.button.x = x;
  e.button.y = y;
  return e;
}

SDL_Event motion(Uint32 state, int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.state = state;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}

SDL_Event key(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym, Uint8 repeat) {
  SDL_Event e{};
  e.type = type;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = sym;
  e.key.repeat = repeat;
  return e;
}

SDL_Event window(Uint8 what) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = what;
  return e;
}

TEST(EventTranslation, LeftButtonBecomesTouchesInWindowPixels) {
  InputEvent out;
  ASSERT_TRUE(translateEvent(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 12, 700), out));
  EXPECT_EQ(out.type, Type::MouseDown);
  EXPECT_EQ(out.x, 12);
  EXPECT_EQ(out.y, 700);
  ASSERT_TRUE(translateEvent(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 479, 0), out));
  EXPECT_EQ(out.type, Type::MouseUp);
  EXPECT_EQ(out.x, 479);
  ASSERT_TRUE(translateEvent(motion(SDL_BUTTON_LMASK, 5, 6), out));
  EXPECT_EQ(out.type, Type::MouseMove);
  EXPECT_EQ(out.y, 6);
}

TEST(EventTranslation, OtherButtonsAndHoveringAreIgnored) {
  InputEvent out;
  EXPECT_FALSE(translateEvent(button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 1), out));
  EXPECT_FALSE(translateEvent(button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1), out));
  EXPECT_FALSE(translateEvent(motion(0, 1, 1), out));
  EXPECT_FALSE(translateEvent(motion(SDL_BUTTON_RMASK, 1, 1), out));
}

// Deltas in notches: a wheel that clicks gives whole ones, a touchpad or smooth wheel the
// fractions SDL keeps in its precise fields; the pointer is where the wheel turned.
TEST(EventTranslation, WheelGivesNotchesAndWhereThePointerIs) {
  const struct {
    const char* what;
    int x, y;
    float preciseX, preciseY;
    bool used;
    float wheelX, wheelY;
  } cases[] = {
      {"a notch up", 0, 1, 0, 1, true, 0, 1},
      {"three notches down at once", 0, -3, 0, -3, true, 0, -3},
      {"a touchpad's fraction", 0, 0, 0, 0.25f, true, 0, 0.25f},
      {"a fraction that SDL rounds away from zero", 0, -1, 0, -0.4f, true, 0, -0.4f},
      {"tilted right", 1, 0, 1, 0, true, 1, 0},
      {"diagonal on a touchpad", 0, 0, -0.5f, 0.75f, true, -0.5f, 0.75f},
      {"no precise fields filled in", 0, 2, 0, 0, true, 0, 2},
      {"nothing moved", 0, 0, 0, 0, false, 0, 0},
      {"not a number", 0, 0, 0, NAN, false, 0, 0},
  };
  for (const auto& c : cases) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.x = c.x;
    e.wheel.y = c.y;
    e.wheel.preciseX = c.preciseX;
    e.wheel.preciseY = c.preciseY;
    e.wheel.mouseX = 240;
    e.wheel.mouseY = 130;
    InputEvent out;
    ASSERT_EQ(translateEvent(e, out), c.used) << c.what;
    if (!c.used) continue;
    EXPECT_EQ(out.type, Type::Wheel) << c.what;
    EXPECT_FLOAT_EQ(out.wheelX, c.wheelX) << c.what;
    EXPECT_FLOAT_EQ(out.wheelY, c.wheelY) << c.what;
    EXPECT_EQ(out.x, 240) << c.what;
    EXPECT_EQ(out.y, 130) << c.what;
  }
}

TEST(EventTranslation, KeysUseThePhysicalPositionNotTheLayoutSymbol) {
  InputEvent out;
  // On a French layout the key right of L prints "m": still the semicolon key.
  ASSERT_TRUE(translateEvent(key(SDL_KEYDOWN, SDL_SCANCODE_SEMICOLON, SDLK_m, 0), out));
  EXPECT_EQ(out.type, Type::KeyDown);
  EXPECT_EQ(out.keyCode, 87);
  EXPECT_FALSE(out.repeat);
  ASSERT_TRUE(translateEvent(key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, 1), out));
  EXPECT_EQ(out.keyCode, 164);
  EXPECT_TRUE(out.repeat);
  ASSERT_TRUE(translateEvent(key(SDL_KEYUP, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, 0), out));
  EXPECT_EQ(out.type, Type::KeyUp);
  EXPECT_EQ(out.keyCode, 12);
  // Keys without a code still arrive, with code 0.
  ASSERT_TRUE(translateEvent(key(SDL_KEYDOWN, SDL_SCANCODE_LGUI, SDLK_LGUI, 0), out));
  EXPECT_EQ(out.keyCode, 0);
}

// With NumLock off the keypad's keys are the editing keys printed under their digits; with it
// on they keep their keypad codes. Modifiers and the layout's character come along.
TEST(EventTranslation, KeypadFollowsNumLockAndKeysCarryModifiers) {
  const struct {
    SDL_Scancode scancode;
    Uint16 mod;
    int code;
  } cases[] = {
      {SDL_SCANCODE_KP_7, KMOD_NUM, 36}, {SDL_SCANCODE_KP_7, KMOD_NONE, 21},  // keypad 7 / Home
      {SDL_SCANCODE_KP_8, KMOD_NUM, 37}, {SDL_SCANCODE_KP_8, KMOD_NONE, 28},  // keypad 8 / up
      {SDL_SCANCODE_KP_1, KMOD_NONE, 24}, {SDL_SCANCODE_KP_4, KMOD_NONE, 26},  // End, left
      {SDL_SCANCODE_KP_6, KMOD_NONE, 27}, {SDL_SCANCODE_KP_2, KMOD_NONE, 29},  // right, down
      {SDL_SCANCODE_KP_PERIOD, KMOD_NONE, 23}, {SDL_SCANCODE_KP_PERIOD, KMOD_NUM, 46},  // Delete / point
      {SDL_SCANCODE_KP_5, KMOD_NONE, 0}, {SDL_SCANCODE_KP_0, KMOD_NONE, 20},  // nothing, Insert
      {SDL_SCANCODE_KP_PLUS, KMOD_NONE, 31}, {SDL_SCANCODE_KP_ENTER, KMOD_NONE, 35},  // no NumLock needed
  };
  for (const auto& c : cases) {
    SDL_Event e = key(SDL_KEYDOWN, c.scancode, SDLK_UNKNOWN, 0);
    e.key.keysym.mod = c.mod;
    InputEvent out;
    ASSERT_TRUE(translateEvent(e, out));
    EXPECT_EQ(out.keyCode, c.code) << int(c.scancode) << " mod " << c.mod;
  }
  SDL_Event e = key(SDL_KEYDOWN, SDL_SCANCODE_J, SDLK_c, 0);  // C where a US layout has J
  e.key.keysym.mod = KMOD_LCTRL | KMOD_RSHIFT | KMOD_RALT;
  InputEvent out;
  ASSERT_TRUE(translateEvent(e, out));
  EXPECT_EQ(out.layoutKey, U'c');
  using M = cocos2d::EventKeyboard::Modifier;
  EXPECT_EQ(out.modifiers, unsigned(M::MODIFIER_CTRL | M::MODIFIER_SHIFT | M::MODIFIER_ALTGR));
  e = key(SDL_KEYDOWN, SDL_SCANCODE_LEFT, SDLK_LEFT, 0);
  e.key.keysym.mod = KMOD_LALT;
  ASSERT_TRUE(translateEvent(e, out));
  EXPECT_EQ(out.layoutKey, 0u) << "no character for keys that have none";
  EXPECT_EQ(out.modifiers, unsigned(M::MODIFIER_ALT));
}

TEST(EventTranslation, WindowChanges) {
  const struct {
    Uint8 sdl;
    bool used;
    Type type;
  } cases[] = {
      {SDL_WINDOWEVENT_EXPOSED, true, Type::Exposed},      {SDL_WINDOWEVENT_SIZE_CHANGED, true, Type::Resized},
      {SDL_WINDOWEVENT_HIDDEN, true, Type::Hidden},        {SDL_WINDOWEVENT_MINIMIZED, true, Type::Hidden},
      {SDL_WINDOWEVENT_SHOWN, true, Type::Shown},          {SDL_WINDOWEVENT_RESTORED, true, Type::Shown},
      {SDL_WINDOWEVENT_FOCUS_GAINED, false, Type::Quit},   {SDL_WINDOWEVENT_FOCUS_LOST, false, Type::Quit},
      {SDL_WINDOWEVENT_MOVED, false, Type::Quit},          {SDL_WINDOWEVENT_ENTER, false, Type::Quit},
  };
  for (const auto& c : cases) {
    InputEvent out;
    EXPECT_EQ(translateEvent(window(c.sdl), out), c.used) << int(c.sdl);
    if (c.used) {
      EXPECT_EQ(out.type, c.type) << int(c.sdl);
    }
  }
}

TEST(EventTranslation, QuitAndUnusedEvents) {
  InputEvent out;
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_TRUE(translateEvent(quit, out));
  EXPECT_EQ(out.type, Type::Quit);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  EXPECT_FALSE(translateEvent(text, out)) << "no text";
  std::snprintf(text.text.text, sizeof text.text.text, "%s", "\xC3\xA9");
  ASSERT_TRUE(translateEvent(text, out));
  EXPECT_EQ(out.type, Type::Text);
  EXPECT_EQ(out.text, "\xC3\xA9");
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  EXPECT_FALSE(translateEvent(wheel, out));
}

}  // namespace
