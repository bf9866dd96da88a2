#include "cocos/backend/sdl/SoundPlayer.h"

#include <SDL.h>
#include <SDL_loadso.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cocos2d::backend::sdl {

// The entry points used, resolved from the loaded library; decltype keeps their types
// those of the header the module was built against.
struct SoundPlayer::Api {
  decltype(&Mix_OpenAudio) openAudio = nullptr;
  decltype(&Mix_CloseAudio) closeAudio = nullptr;
  decltype(&Mix_AllocateChannels) allocateChannels = nullptr;
  decltype(&Mix_LoadWAV_RW) loadWavRw = nullptr;
  decltype(&Mix_FreeChunk) freeChunk = nullptr;
  decltype(&Mix_PlayChannelTimed) playChannelTimed = nullptr;
  decltype(&Mix_Volume) volume = nullptr;
  decltype(&Mix_SetPanning) setPanning = nullptr;
  decltype(&Mix_HaltChannel) haltChannel = nullptr;
};

namespace {

template <typename F>
bool resolve(void* library, const char* name, F& out) {
  out = reinterpret_cast<F>(SDL_LoadFunction(library, name));
  return out != nullptr;
}

// libasound writes its own complaints to stderr unless given an error handler: on a machine
// without a sound card that is eight "ALSA lib ... cannot find card" lines at the first click.
// SDL loads the library itself when it tries its ALSA driver, by the same soname, so loading
// it first gives the handle SDL will share, and the handler set here covers SDL's calls too.
// What went wrong still reaches the user as our one line, through SDL_GetError. The handler
// lives in this module, which is never unloaded, and the library is never unloaded either.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err, const char* format, ...);

void dropAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void quietenAlsa() {
  static const bool done = [] {
    void* library = SDL_LoadObject("libasound.so.2");
    if (!library) {
      SDL_ClearError();  // no ALSA here: SDL will pick another driver, or report its own failure
      return false;
    }
    using SetHandler = int (*)(AlsaErrorHandler);
    SetHandler setHandler = nullptr;
    return resolve(library, "snd_lib_error_set_handler", setHandler) && setHandler(dropAlsaMessage) == 0;
  }();
  (void)done;
}

}  // namespace

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() { shutdown(); }

const SoundPlayer::Api* SoundPlayer::loadApi(std::string& error) {
  // Loaded once per process and never unloaded: the mixer brings in codec libraries
  // (GLib among them) that cannot safely be unloaded again.
  static Api api;
  static bool attempted = false;
  static std::string failure;
  if (!attempted) {
    attempted = true;
    void* library = SDL_LoadObject("libSDL2_mixer-2.0.so.0");
    if (!library) {
      failure = SDL_GetError();
    } else if (!(resolve(library, "Mix_OpenAudio", api.openAudio) && resolve(library, "Mix_CloseAudio", api.closeAudio) &&
                 resolve(library, "Mix_AllocateChannels", api.allocateChannels) &&
                 resolve(library, "Mix_LoadWAV_RW", api.loadWavRw) && resolve(library, "Mix_FreeChunk", api.freeChunk) &&
                 resolve(library, "Mix_PlayChannelTimed", api.playChannelTimed) &&
                 resolve(library, "Mix_Volume", api.volume) && resolve(library, "Mix_SetPanning", api.setPanning) &&
                 resolve(library, "Mix_HaltChannel", api.haltChannel))) {
      failure = "SDL_mixer lacks an expected function";
    }
  }
  error = failure;
  return failure.empty() ? &api : nullptr;
}

void SoundPlayer::fail(const std::string& why) {
  _state = State::Failed;
  std::fprintf(stderr, "pemtrix: no sound: %s\n", why.c_str());
}

bool SoundPlayer::start() {
  if (_state != State::Idle) return _state == State::Ready;
  std::string error;
  _api = loadApi(error);
  if (!_api) {
    fail(error);
    return false;
  }
  quietenAlsa();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    fail(SDL_GetError());
    return false;
  }
  // A small buffer keeps the click close to the press.
  if (_api->openAudio(44100, AUDIO_S16SYS, 2, 512) != 0) {
    const std::string why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    fail(why);
    return false;
  }
  // Fast typing overlaps many short clicks.
  _api->allocateChannels(16);
  _state = State::Ready;
  return true;
}

Mix_Chunk* SoundPlayer::chunk(const std::string& path) {
  if (const auto found = _chunks.find(path); found != _chunks.end()) return found->second;
  Mix_Chunk* loaded = nullptr;
  if (SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb")) {
    loaded = _api->loadWavRw(file, 1);
  }
  if (!loaded) std::fprintf(stderr, "pemtrix: cannot load sound %s: %s\n", path.c_str(), SDL_GetError());
  _chunks.emplace(path, loaded);
  return loaded;
}

void SoundPlayer::play(const std::string& path, bool loop, float /*pitch*/, float pan, float gain) {
  if (!start()) return;
  Mix_Chunk* sound = chunk(path);
  if (!sound) return;
  const int channel = _api->playChannelTimed(-1, sound, loop ? -1 : 0, -1);
  if (channel < 0) return;  // every channel busy: this click is dropped
  _api->volume(channel, static_cast<int>(std::lround(std::clamp(gain, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
  const float p = std::clamp(pan, -1.0f, 1.0f);
  const auto left = static_cast<Uint8>(std::lround(255.0f * std::min(1.0f, 1.0f - p)));
  const auto right = static_cast<Uint8>(std::lround(255.0f * std::min(1.0f, 1.0f + p)));
  _api->setPanning(channel, left, right);
}

void SoundPlayer::shutdown() {
  if (_state == State::Ready) {
    _api->haltChannel(-1);
    for (auto& entry : _chunks) {
      if (entry.second) _api->freeChunk(entry.second);
    }
    _chunks.clear();
    _api->closeAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    _state = State::Idle;
  }
}

}  // namespace cocos2d::backend::sdl
