// The one thing the expression editor needs to know about fonts: how wide a text is when the
// line shows it. The screen answers with a hidden label; tests answer with fixed advances.
#pragma once

#include <string>

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // The width of text in design units, as the line would show it.
  virtual float width(const std::string& text) = 0;
};
