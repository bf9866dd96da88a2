// Describes the screens to assistive technologies: which nodes a screen reader finds, under
// which roles and names, and what pressing them does. Each screen calls its function once
// when it is built; the descriptions then follow the screen by themselves (captions, text,
// the visible command page).
#pragma once

#include <vector>

#include "cocos/cocos2d.h"

class CMessageBox;
class MainLayer;
class MemoryLayer;

// The calculator: the tape as a list whose lines insert themselves when activated, the
// expression line as an editable text with its caret, and every key as a button. The two command pages share one button per cell, named after
// the page that shows.
void describeCalculator(MainLayer* layer);

// The memory screen: a button per slot, named with its number and contents.
void describeMemoryScreen(MemoryLayer* layer, const std::string& title,
                          const std::vector<cocos2d::Label*>& valueLabels);

// The settings screen: its rows, top to bottom, each named by its caption.
struct CaptionedRow {
  cocos2d::MenuItem* item;
  cocos2d::Label* caption;
};
void describeSettingsScreen(cocos2d::Layer* layer, const std::vector<CaptionedRow>& rows);

// A message box: an alert with its title as name, its message as text, and its buttons,
// the first of which takes the focus.
void describeMessageBox(CMessageBox* box, cocos2d::Label* message, const std::vector<cocos2d::MenuItem*>& buttons,
                        const std::vector<std::string>& captions);

// A key or back button drawn from an image, named from the key table.
void describeImageKey(cocos2d::MenuItemImage* item);
