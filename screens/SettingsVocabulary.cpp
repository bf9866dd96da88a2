#include "screens/SettingsVocabulary.h"

#include "cocos/services/store/UserDefault.h"

const cocos2d::Color3B bgColors[kBackgroundCount] = {
    {0, 0, 0},       {38, 50, 56},   {62, 39, 35},    {46, 125, 50},    {255, 143, 0},
    {183, 0, 64},    {130, 119, 23}, {158, 158, 158}, {242, 240, 240},  {240, 98, 146},
};

// "Magenda" is the name users have always seen in the settings screen; it stays as it is.
const char* const bgColorNames[kBackgroundCount] = {
    "Black",   "Blue Grey 900", "Brown 900", "Green 900", "Orange 900",
    "Magenda", "Lime 900",      "Grey 500",  "White",     "Pink 300",
};

int backgroundIndex(int storedBgix) {
  return storedBgix >= 0 && storedBgix < kBackgroundCount ? storedBgix : kDefaultBgix;
}

std::string histStringKey(int i) { return kKeyHistoryPrefix + std::to_string(i); }

std::string memoryKey(int slot) { return kKeyMemoryPrefix + std::to_string(slot); }

bool applyFirstStartLanguage(cocos2d::UserDefault& store, bool systemIsJapanese) {
  if (store.getIntegerForKey(kKeyLangJpn, kLangJpnUndecided) >= 0) return false;
  store.setIntegerForKey(kKeyLangJpn, systemIsJapanese ? 1 : 0);
  store.flush();
  return true;
}
