// Text widths for the expression editor, measured by a hidden label in the line's font and
// size, so that they are exactly the widths the line's own label lays out.
#pragma once

#include <string>

#include "cocos/2d/Label.h"
#include "screens/TextMeasure.h"

class LabelMeasure : public TextMeasure {
 public:
  void setLabel(cocos2d::Label* label) { _label = label; }
  float width(const std::string& text) override {
    _label->setString(text);
    return _label->getContentSize().width;
  }

 private:
  cocos2d::Label* _label = nullptr;  // owned by the scene graph
};
