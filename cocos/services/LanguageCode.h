// Which language the user wants, from the locale variables, as a two-letter code; and the
// engine's language enumeration for such codes.
#pragma once

#include <string>

namespace cocos2d {

// The languages the screens tell apart; every other one counts as English.
enum class LanguageType {
  ENGLISH,
  JAPANESE,
};

// The first set and non-empty of LC_ALL, LC_MESSAGES and LANG (null or "" counts as unset)
// decides: its first two letters in lower case ("ja_JP.UTF-8" -> "ja"). "C", "POSIX", their
// variants ("C.UTF-8"), anything not starting with two letters, or nothing set gives "en".
std::string languageCodeFromLocale(const char* lcAll, const char* lcMessages, const char* lang);

// The same, reading the variables from the environment.
std::string languageCodeFromEnvironment();

// "ja" -> JAPANESE; every other code gives ENGLISH.
LanguageType languageTypeFromCode(const std::string& code);

}  // namespace cocos2d
