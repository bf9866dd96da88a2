#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "cocos/backend/sdl/SoundPlayer.h"

namespace {

using cocos2d::backend::sdl::SoundPlayer;

// SDL's dummy audio driver accepts a device without hardware, which exercises loading the
// mixer by name and resolving every entry point.
TEST(SoundPlayer, LoadsTheMixerOnFirstUseAndPlaysEffects) {
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  {
    SoundPlayer player;
    EXPECT_FALSE(player.ready());  // nothing loaded before the first effect
    player.play(PEMTRIX_SOURCE_DIR "/resources/sounds/button45.mp3", false, 1, -0.5f, 0.8f);
    EXPECT_TRUE(player.ready());
    player.play(PEMTRIX_SOURCE_DIR "/resources/sounds/button45.mp3", false, 1, 1, 0);
    player.play("/nonexistent/sound.mp3", false, 1, 0, 1);  // silently nothing
    player.play("/nonexistent/sound.mp3", true, 1, 0, 1);
    player.shutdown();
    EXPECT_FALSE(player.ready());
  }
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  SDL_Quit();
}

// Without a sound card libasound would explain the failure in eight lines of its own on
// stderr; the user gets our one line instead, and nothing more on later clicks. The card is
// named after one that does not exist, so that this holds on machines with sound hardware too.
TEST(SoundPlayer, WithoutASoundCardSaysOneLineAtMost) {
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "alsa");
  setenv("ALSA_CARD", "PemtrixNoSuchCard", 1);
  testing::internal::CaptureStderr();
  {
    SoundPlayer player;
    player.play(PEMTRIX_SOURCE_DIR "/resources/sounds/button45.mp3", false, 1, 0, 1);
    EXPECT_FALSE(player.ready());
    player.play(PEMTRIX_SOURCE_DIR "/resources/sounds/button45.mp3", false, 1, 0, 1);
  }
  const std::string said = testing::internal::GetCapturedStderr();
  unsetenv("ALSA_CARD");
  SDL_ResetHint(SDL_HINT_AUDIODRIVER);
  SDL_Quit();

  std::istringstream lines(said);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    EXPECT_EQ(line.rfind("pemtrix: no sound: ", 0), 0u) << line;
  }
  EXPECT_LE(count, 1) << said;
}

}  // namespace
