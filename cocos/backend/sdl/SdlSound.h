// The SDL backend's sound part: effects through SoundPlayer (SDL2_mixer, loaded with the first
// effect); a headless run makes no sound.
#pragma once

#include <string>

#include "cocos/backend/Sound.h"
#include "cocos/backend/sdl/SdlWindow.h"
#include "cocos/backend/sdl/SoundPlayer.h"

namespace cocos2d::backend::sdl {

class SdlSound final : public Sound {
 public:
  explicit SdlSound(const SdlWindow& window) : _window(window) {}

  void playEffect(const std::string& path, bool loop, float pitch, float pan, float gain) override {
    if (!_window.isHeadless()) _player.play(path, loop, pitch, pan, gain);
  }

 private:
  const SdlWindow& _window;
  SoundPlayer _player;
};

}  // namespace cocos2d::backend::sdl
