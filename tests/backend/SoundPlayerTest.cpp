#include <SDL.h>
#include <gtest/gtest.h>

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

}  // namespace
