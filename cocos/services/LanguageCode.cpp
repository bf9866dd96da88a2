#include "cocos/services/LanguageCode.h"

#include <cstdlib>

namespace cocos2d {
namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char toLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string languageCodeFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  const char* value = nullptr;
  for (const char* candidate : {lcAll, lcMessages, lang}) {
    if (candidate && *candidate) {
      value = candidate;
      break;
    }
  }
  if (!value) return "en";
  const std::string locale(value);
  if (locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0 || locale.rfind("POSIX.", 0) == 0) return "en";
  if (locale.size() < 2 || !isAsciiLetter(locale[0]) || !isAsciiLetter(locale[1])) return "en";
  // "eng" or "english" are not two-letter codes either.
  if (locale.size() > 2 && isAsciiLetter(locale[2])) return "en";
  return std::string{toLower(locale[0]), toLower(locale[1])};
}

std::string languageCodeFromEnvironment() {
  return languageCodeFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

LanguageType languageTypeFromCode(const std::string& code) {
  return code == "ja" ? LanguageType::JAPANESE : LanguageType::ENGLISH;
}

}  // namespace cocos2d
