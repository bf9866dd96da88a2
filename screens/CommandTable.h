// The two static pages of 24 commands shown in the grid above the keypad. Each entry's
// handler acts on currentMainLayer.
#pragma once

#include <functional>

#include "cocos/cocos2d.h"

struct CommandEntry {
  const char* name;  // also the base name of the key's images: name.png and name-pushed.png
  const std::function<void(cocos2d::Ref*)>* handler;
};

constexpr int kCommandsPerPage = 24;
extern const CommandEntry commandPage1[kCommandsPerPage];
extern const CommandEntry commandPage2[kCommandsPerPage];
