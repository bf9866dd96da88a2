#include "cocos/backend/sdl/SdlDesktop.h"

#include <SDL.h>

#include <cctype>
#include <cstdlib>

#include "cocos/backend/sdl/UrlOpener.h"
#if defined(SDL_VIDEO_DRIVER_X11)
#include "cocos/backend/sdl/x11/X11Desktop.h"
#endif

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

void SdlDesktop::setClipboardText(const std::string& bytes) {
  if (!onDesktop()) {
    _offscreenClipboard = bytes;
    return;
  }
  SDL_SetClipboardText(bytes.c_str());
}

bool SdlDesktop::getClipboardText(std::string& bytes) {
  if (!onDesktop()) {
    if (_offscreenClipboard.empty()) return false;
    bytes = _offscreenClipboard;
    return true;
  }
  char* text = SDL_GetClipboardText();  // "" when there is none, never null in practice
  const bool any = text && *text;
  if (any) bytes = text;
  SDL_free(text);
  return any;
}

bool SdlDesktop::openURL(const std::string& url) {
  if (_window.isHeadless()) return false;  // a headless run must never start a browser
#if defined(_WIN32)
  return SDL_OpenURL(url.c_str()) == 0;
#else
  return openWithDesktopOpener(url);
#endif
}

std::string SdlDesktop::preferredLanguage() {
  // LC_ALL overrides LANG for every category; SDL only reads LANG and LANGUAGE.
  if (std::string fromAll = twoLetterLanguage(std::getenv("LC_ALL")); !fromAll.empty()) return fromAll;
  std::string language;
  if (SDL_Locale* locales = SDL_GetPreferredLocales()) {
    for (const SDL_Locale* l = locales; l->language && language.empty(); ++l) language = twoLetterLanguage(l->language);
    SDL_free(locales);
  }
  return language.empty() ? std::string("en") : language;
}

std::string SdlDesktop::accessibilityBusAddress() {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (_window.isHeadless()) return {};
  return x11::atSpiBusAddress(_window.x11Display());
#else
  return {};
#endif
}

}  // namespace cocos2d::backend::sdl
