// Plays sound effects through SDL_mixer, which is loaded with the first effect rather
// than linked: most runs never play a sound before the window is up, and the library and
// its codecs cost start-up time. Any failure means silence, never an error.
#pragma once

#include <SDL_mixer.h>

#include <string>
#include <unordered_map>

namespace cocos2d::backend::sdl {

class SoundPlayer {
 public:
  SoundPlayer();
  SoundPlayer(const SoundPlayer&) = delete;
  SoundPlayer& operator=(const SoundPlayer&) = delete;
  ~SoundPlayer();

  // pan -1 (left) .. 1 (right); gain 0 .. 1; only the natural pitch is supported.
  void play(const std::string& path, bool loop, float pitch, float pan, float gain);

  // True once the mixer is loaded and the audio device is open.
  bool ready() const { return _state == State::Ready; }

  void shutdown();

 private:
  struct Api;
  enum class State { Idle, Ready, Failed };

  static const Api* loadApi(std::string& error);
  bool start();
  void fail(const std::string& why);
  Mix_Chunk* chunk(const std::string& path);

  State _state = State::Idle;
  const Api* _api = nullptr;
  std::unordered_map<std::string, Mix_Chunk*> _chunks;  // null: the file could not be loaded
};

}  // namespace cocos2d::backend::sdl
