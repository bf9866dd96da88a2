// Sound effects: plays a file once (or looping) through the backend and counts every request,
// which headless runs report instead of playing anything.
#pragma once

namespace CocosDenshion {

class SimpleAudioEngine {
 public:
  static SimpleAudioEngine* getInstance();
  // Releases the engine; the next getInstance starts afresh (counts included).
  static void end();

  // The file is found through FileUtils. Returns a sound id (the play count so far).
  unsigned int playEffect(const char* filePath, bool loop = false, float pitch = 1.0f, float pan = 0.0f,
                          float gain = 1.0f);

  // Every playEffect call since the engine started, played or not.
  unsigned int getPlayCount() const { return _playCount; }

 private:
  SimpleAudioEngine() = default;
  unsigned int _playCount = 0;
};

}  // namespace CocosDenshion
