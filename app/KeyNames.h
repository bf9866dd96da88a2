// Key codes by their names, as scripts write them.
#pragma once

#include <string>

#include "cocos/base/EventKeyboard.h"

bool keyCodeForName(const std::string& name, cocos2d::EventKeyboard::KeyCode& code);
