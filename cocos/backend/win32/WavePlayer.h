// Plays PCM sounds fire and forget through the wave-out devices of winmm: each sound a voice
// of its own on the default device, so that fast typing overlaps its clicks as the Linux
// mixer's channels do. Voices that have finished are closed at the next play and at the end.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace cocos2d::backend::win32 {

class WavePlayer {
 public:
  static constexpr std::size_t kMaxVoices = 16;

  enum class Result {
    Playing,
    Busy,      // every voice is sounding: this one is dropped
    NoDevice,  // the system has no device that plays it
  };

  WavePlayer() = default;
  ~WavePlayer();
  WavePlayer(const WavePlayer&) = delete;
  WavePlayer& operator=(const WavePlayer&) = delete;

  // 16-bit stereo frames at `sampleRate`, again and again until the player goes when `loop`.
  Result play(std::vector<std::int16_t> stereo, int sampleRate, bool loop);

  std::size_t voiceCount() const { return _voices.size(); }

 private:
  struct Voice {
    HWAVEOUT device = nullptr;
    WAVEHDR header{};
    std::vector<std::int16_t> samples;  // the header points into them while it plays
  };
  void closeFinished();
  static void close(Voice& voice);

  std::vector<std::unique_ptr<Voice>> _voices;
};

}  // namespace cocos2d::backend::win32
