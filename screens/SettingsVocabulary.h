// The words the screens and the store share: setting keys and their defaults, the background
// colour table, and the language chosen on first start.
#pragma once

#include <string>

#include "cocos/base/ccTypes.h"

namespace cocos2d {
class UserDefault;
}

// Keys of the store. History and memory keys are a prefix followed by a decimal number.
constexpr const char* kKeyLangJpn = "langJpn";
constexpr const char* kKeyBgix = "bgix";
constexpr const char* kKeySoundEffect = "SoundEffect";
constexpr const char* kKeyCommaSep = "CommaSep";
constexpr const char* kKeyFallingChar = "FallingChar";
constexpr const char* kKeyHistoryCount = "nHistStrings";
constexpr const char* kKeyHistoryPrefix = "histString";
constexpr const char* kKeyMemoryPrefix = "Mem";
// The size the user last gave the window, in window pixels; absent until the user resizes it.
constexpr const char* kKeyWindowWidth = "winW";
constexpr const char* kKeyWindowHeight = "winH";

// "langJpn" is -1 until the first start decides it; later readers treat an absent key as 0.
constexpr int kLangJpnUndecided = -1;
constexpr int kDefaultLangJpn = 0;
constexpr int kDefaultBgix = 1;
constexpr int kDefaultSoundEffect = 1;
constexpr int kDefaultCommaSep = 1;
constexpr int kDefaultFallingChar = 1;
constexpr int kDefaultHistoryCount = 0;

constexpr int kBackgroundCount = 10;
constexpr int kMemorySlots = 10;  // numbered 1..kMemorySlots

extern const cocos2d::Color3B bgColors[kBackgroundCount];
extern const char* const bgColorNames[kBackgroundCount];

// The index into bgColors for a stored "bgix"; values outside the table give the default.
int backgroundIndex(int storedBgix);

// "histString<i>" and "Mem<slot>".
std::string histStringKey(int i);
std::string memoryKey(int slot);

// On first start (no "langJpn", or a negative one) the language follows the system's, and
// the choice is stored. Returns whether anything was written.
bool applyFirstStartLanguage(cocos2d::UserDefault& store, bool systemIsJapanese);
