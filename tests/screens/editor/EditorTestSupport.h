// An expression editor on a measure with fixed advances, and the window rule in its plain
// form to check the editor's against.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "cocos/base/Utf8.h"
#include "screens/CalculatorLayout.h"
#include "screens/ExpressionEditor.h"

// Widths as a font with fixed advances gives them, with one kerning pair ("1" after "1" sits
// closer), so that a text's width is not always the sum of its characters' widths, as with
// the real font. Counts what it was asked to measure.
class FakeMeasure : public TextMeasure {
 public:
  float width(const std::string& text) override {
    ++calls;
    measuredBytes += text.size();
    double w = 0;
    unsigned char previous = 0;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t next = cocos2d::nextUtf8Boundary(text, i);
      const auto c = static_cast<unsigned char>(text[i]);
      w += next - i > 1 ? 47.25 : advance(c);
      if (previous == '1' && c == '1') w -= 3.5;
      previous = c;
      i = next;
    }
    return static_cast<float>(w);
  }

  std::size_t calls = 0;
  std::size_t measuredBytes = 0;

 private:
  static double advance(unsigned char c) {
    if (c >= 0x80) return 40.5;  // a byte outside any character, drawn as a replacement
    if (c >= '0' && c <= '9') return 26.6875;
    if (c == '(' || c == ')' || c == '.' || c == ',' || c == '\'') return 16.1;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 24.3;
    return 28.03125;
  }
};

// Where the cursor stands after the text before it: computed in double, kept as float.
inline float cursorXAfter(float width) { return static_cast<float>(static_cast<double>(width) + layout::kLineLeft); }

struct Window {
  int viewStart;
  float cursorX;
};

// The window rule as it reads: a start after the cursor comes back to it; then the start moves
// right one character at a time, measuring the whole text before the cursor each time, until
// the cursor fits.
inline Window plainWindow(int viewStart, int cursor, const std::string& line) {
  FakeMeasure measure;
  for (;;) {
    if (cursor < viewStart) viewStart = cursor;
    const float x = cursorXAfter(measure.width(line.substr(viewStart, cursor - viewStart)));
    if (x < layout::kLineRightLimit) return {viewStart, x};
    viewStart = static_cast<int>(cocos2d::nextUtf8Boundary(line, static_cast<std::size_t>(viewStart)));
  }
}

class EditorTest : public ::testing::Test {
 protected:
  // The line `text` with the cursor moved left from its end to byte `cursor`.
  void place(const std::string& text, int cursor) {
    editor.insertText(text);
    while (editor.getCursorPos() > cursor) editor.cursorLeft();
  }

  FakeMeasure measure;
  ExpressionEditor editor{measure};
};
