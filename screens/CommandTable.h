// The two static pages of 24 commands shown in the grid above the keypad. Each entry's
// handler acts on currentMainLayer.
#pragma once

#include <array>
#include <functional>

#include "cocos/cocos2d.h"

struct CommandEntry {
  const char* name;  // also the base name of the key's images: name.png and name-pushed.png
  const std::function<void(cocos2d::Ref*)>* handler;
};

constexpr int kCommandsPerPage = 24;
// In grid order: the top row from left to right first, the bottom row last.
extern const std::array<CommandEntry, kCommandsPerPage> commandPage1;
extern const std::array<CommandEntry, kCommandsPerPage> commandPage2;
