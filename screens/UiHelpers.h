// Small builders shared by the screens: solid rectangles, labels and the back button.
#pragma once

#include <string>

#include "cocos/cocos2d.h"

// A texture-less sprite of width x height (a height of 0 makes it square), coloured, centred
// at position and added to parent at z-order z.
cocos2d::Sprite* addColorRect(cocos2d::Node* parent, const cocos2d::Color3B& color, float width,
                              const cocos2d::Vec2& position, float height, int z);

// A system-font label in "Arial", left and top aligned, coloured, centred at position.
cocos2d::Label* addLabel(cocos2d::Node* parent, const std::string& text, const cocos2d::Vec2& position,
                         float fontSize, const cocos2d::Color3B& color, int z);

// The back arrow at the top-left corner; the caller puts it alone into a menu at (0, 0).
cocos2d::MenuItemImage* createBackButton(const cocos2d::ccMenuCallback& callback);
