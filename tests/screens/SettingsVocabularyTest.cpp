// The settings vocabulary: key names, the background table and the first-start language.
#include "screens/SettingsVocabulary.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "cocos/services/store/UserDefault.h"

namespace {

using cocos2d::Color3B;
using cocos2d::UserDefault;

TEST(SettingsVocabulary, BackgroundTable) {
  const struct {
    const char* name;
    Color3B colour;
  } expected[kBackgroundCount] = {
      {"Black", {0, 0, 0}},           {"Blue Grey 900", {38, 50, 56}}, {"Brown 900", {62, 39, 35}},
      {"Green 900", {46, 125, 50}},   {"Orange 900", {255, 143, 0}},   {"Magenda", {183, 0, 64}},
      {"Lime 900", {130, 119, 23}},   {"Grey 500", {158, 158, 158}},   {"White", {242, 240, 240}},
      {"Pink 300", {240, 98, 146}},
  };
  for (int i = 0; i < kBackgroundCount; ++i) {
    EXPECT_STREQ(bgColorNames[i], expected[i].name) << i;
    EXPECT_EQ(bgColors[i], expected[i].colour) << i;
  }
}

TEST(SettingsVocabulary, BackgroundIndexFallsBackToBlueGrey) {
  const struct {
    int stored, index;
  } cases[] = {{0, 0}, {1, 1}, {9, 9}, {-1, 1}, {10, 1}, {INT_MIN, 1}, {INT_MAX, 1}};
  for (const auto& c : cases) EXPECT_EQ(backgroundIndex(c.stored), c.index) << c.stored;
}

TEST(SettingsVocabulary, KeysAndDefaults) {
  EXPECT_STREQ(kKeyLangJpn, "langJpn");
  EXPECT_STREQ(kKeyBgix, "bgix");
  EXPECT_STREQ(kKeySoundEffect, "SoundEffect");
  EXPECT_STREQ(kKeyCommaSep, "CommaSep");
  EXPECT_STREQ(kKeyFallingChar, "FallingChar");
  EXPECT_STREQ(kKeyHistoryCount, "nHistStrings");
  EXPECT_EQ(histStringKey(0), "histString0");
  EXPECT_EQ(histStringKey(19), "histString19");
  EXPECT_EQ(memoryKey(1), "Mem1");
  EXPECT_EQ(memoryKey(10), "Mem10");
  EXPECT_EQ(kDefaultBgix, 1);
  EXPECT_EQ(kDefaultLangJpn, 0);
  EXPECT_EQ(kLangJpnUndecided, -1);
  EXPECT_EQ(kDefaultSoundEffect + kDefaultCommaSep + kDefaultFallingChar, 3);
  EXPECT_EQ(kDefaultHistoryCount, 0);
}

TEST(SettingsVocabulary, FirstStartLanguageFollowsTheSystemOnlyWhenUndecided) {
  const struct {
    const char* name;
    int stored;  // INT_MIN: the key is absent
    bool systemIsJapanese;
    bool writes;
    int after;
  } cases[] = {
      {"absent, Japanese system", INT_MIN, true, true, 1},
      {"absent, other system", INT_MIN, false, true, 0},
      {"English kept on a Japanese system", 0, true, false, 0},
      {"Japanese kept on another system", 1, false, false, 1},
      {"negative counts as absent", -5, true, true, 1},
      {"undecided marker counts as absent", -1, false, true, 0},
  };
  for (const auto& c : cases) {
    UserDefault store("");
    if (c.stored != INT_MIN) store.setIntegerForKey("langJpn", c.stored);
    EXPECT_EQ(applyFirstStartLanguage(store, c.systemIsJapanese), c.writes) << c.name;
    EXPECT_EQ(store.getIntegerForKey("langJpn", 42), c.after) << c.name;
  }
}

}  // namespace
