// The Windows backend's sound part: each effect decoded once (Mp3Decoder) and played through
// WavePlayer, panned and at its gain. A headless run makes no sound; without an audio device
// there is none either, said once on standard error.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "cocos/backend/Sound.h"
#include "cocos/backend/win32/Mp3Decoder.h"
#include "cocos/backend/win32/WavePlayer.h"
#include "cocos/backend/win32/Win32Window.h"

namespace cocos2d::backend::win32 {

// The sound as 16-bit stereo frames, panned (-1 left .. 1 right) and at `gain` (0 .. 1) as the
// Linux mixer does it: the far side loses what the pan takes, the near side stays whole.
std::vector<std::int16_t> stereoMix(const PcmSound& sound, float pan, float gain);

class Win32Sound final : public Sound {
 public:
  explicit Win32Sound(const Win32Window& window) : _window(window) {}

  void playEffect(const std::string& path, bool loop, float pitch, float pan, float gain) override;

  // For tests: the voices sounding or finished but not closed yet.
  const WavePlayer& player() const { return _player; }

 private:
  const PcmSound* decoded(const std::string& path);

  const Win32Window& _window;
  std::unordered_map<std::string, std::optional<PcmSound>> _sounds;  // nullopt: cannot be decoded
  WavePlayer _player;
  bool _silent = false;  // no device: no more tries
};

}  // namespace cocos2d::backend::win32
