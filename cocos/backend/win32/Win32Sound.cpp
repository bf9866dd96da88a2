#include "cocos/backend/win32/Win32Sound.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cocos2d::backend::win32 {

std::vector<std::int16_t> stereoMix(const PcmSound& sound, float pan, float gain) {
  if (sound.channels <= 0) return {};
  const float p = std::isfinite(pan) ? std::clamp(pan, -1.0f, 1.0f) : 0.0f;
  const float g = std::isfinite(gain) ? std::clamp(gain, 0.0f, 1.0f) : 1.0f;
  const float left = g * std::min(1.0f, 1.0f - p), right = g * std::min(1.0f, 1.0f + p);
  const std::size_t frames = sound.samples.size() / static_cast<std::size_t>(sound.channels);
  std::vector<std::int16_t> out(frames * 2);
  const auto scaled = [](int sample, float factor) {
    return static_cast<std::int16_t>(std::lround(std::clamp(sample * factor, -32768.0f, 32767.0f)));
  };
  for (std::size_t i = 0; i < frames; ++i) {
    const std::int16_t* frame = sound.samples.data() + i * static_cast<std::size_t>(sound.channels);
    // A mono sound is the same on both sides; of more channels the first two are taken.
    const int l = frame[0], r = sound.channels > 1 ? frame[1] : frame[0];
    out[2 * i] = scaled(l, left);
    out[2 * i + 1] = scaled(r, right);
  }
  return out;
}

const PcmSound* Win32Sound::decoded(const std::string& path) {
  auto found = _sounds.find(path);
  if (found == _sounds.end()) {
    PcmSound sound;
    std::string error;
    const bool ok = decodeMp3(path, sound, error);
    if (!ok) std::fprintf(stderr, "pemtrix: cannot load sound %s: %s\n", path.c_str(), error.c_str());
    found = _sounds.emplace(path, ok ? std::optional<PcmSound>(std::move(sound)) : std::nullopt).first;
  }
  return found->second ? &*found->second : nullptr;
}

void Win32Sound::playEffect(const std::string& path, bool loop, float /*pitch*/, float pan, float gain) {
  if (_window.isHeadless() || _silent) return;
  if (waveOutGetNumDevs() == 0) {
    _silent = true;
    std::fputs("pemtrix: no sound: the system has no audio device\n", stderr);
    return;
  }
  const PcmSound* sound = decoded(path);
  if (!sound) return;
  if (_player.play(stereoMix(*sound, pan, gain), sound->sampleRate, loop) == WavePlayer::Result::NoDevice) {
    _silent = true;
    std::fputs("pemtrix: no sound: the audio device cannot be opened\n", stderr);
  }
}

}  // namespace cocos2d::backend::win32
