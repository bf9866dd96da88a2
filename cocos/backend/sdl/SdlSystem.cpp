// SdlBackend's services outside the window: sound, clipboard, links, language, clock.
#include <SDL.h>

#include <cctype>
#include <cstdlib>
#include <ctime>

#include "cocos/backend/sdl/SdlBackend.h"
#include "cocos/backend/sdl/UrlOpener.h"

namespace cocos2d::backend::sdl {
namespace {

// "ja" from "ja", "ja_JP.UTF-8" or "ja-JP"; empty for "C", "POSIX" and anything that
// does not start with a two-letter language code.
std::string twoLetterLanguage(const char* locale) {
  if (!locale) return {};
  const auto letter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
  if (!letter(locale[0]) || !letter(locale[1]) || letter(locale[2])) return {};
  return {static_cast<char>(std::tolower(static_cast<unsigned char>(locale[0]))),
          static_cast<char>(std::tolower(static_cast<unsigned char>(locale[1])))};
}

}  // namespace

void SdlBackend::playEffect(const std::string& path, bool loop, float pitch, float pan, float gain) {
  if (headless_) return;  // the core counts plays; a headless run makes no sound
  sound_.play(path, loop, pitch, pan, gain);
}

void SdlBackend::setClipboardText(const std::string& bytes) {
  if (headless_ || !window_) {
    offscreenClipboard_ = bytes;
    return;
  }
  SDL_SetClipboardText(bytes.c_str());
}

bool SdlBackend::getClipboardText(std::string& bytes) {
  if (headless_ || !window_) {
    if (offscreenClipboard_.empty()) return false;
    bytes = offscreenClipboard_;
    return true;
  }
  char* text = SDL_GetClipboardText();  // "" when there is none, never null in practice
  const bool any = text && *text;
  if (any) bytes = text;
  SDL_free(text);
  return any;
}

bool SdlBackend::openURL(const std::string& url) {
  if (headless_) return false;  // a headless run must never start a browser
#if defined(_WIN32)
  return SDL_OpenURL(url.c_str()) == 0;
#else
  return openWithDesktopOpener(url);
#endif
}

std::string SdlBackend::preferredLanguage() {
  // LC_ALL overrides LANG for every category; SDL only reads LANG and LANGUAGE.
  if (std::string fromAll = twoLetterLanguage(std::getenv("LC_ALL")); !fromAll.empty()) return fromAll;
  std::string language;
  if (SDL_Locale* locales = SDL_GetPreferredLocales()) {
    for (const SDL_Locale* l = locales; l->language && language.empty(); ++l) language = twoLetterLanguage(l->language);
    SDL_free(locales);
  }
  return language.empty() ? std::string("en") : language;
}

std::uint64_t SdlBackend::monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

}  // namespace cocos2d::backend::sdl
