// Lays text out in lines: decodes it, places every glyph on its line from the font's advances
// (summed, no kerning), wraps at a width when asked, and finds the glyphs that fall in a range
// of x by binary search, so that only visible glyphs of a huge label are drawn.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "cocos/base/ccTypes.h"

namespace cocos2d {

class FontFace;

class LabelLayout {
 public:
  struct Line {
    std::size_t begin = 0;  // first glyph
    std::size_t end = 0;    // one past the last glyph; a line break is not part of its line
    double width = 0;       // trailing spaces at a wrap are not counted
    double extent = 0;      // the right edge of the last glyph, spaces included
  };

  // Every code point of the text becomes one glyph, line breaks included (they take no room),
  // so glyph indexes are code point indexes. face null: everything measures zero.
  // wrapWidth > 0 breaks lines after spaces, around CJK characters, or anywhere when a word
  // is wider than the line.
  void layout(const std::string& utf8, FontFace* face, float wrapWidth);

  std::size_t glyphCount() const { return _codepoints.size(); }
  char32_t codepoint(std::size_t glyph) const { return _codepoints[glyph]; }
  // The left edge of a glyph, from the start of its line.
  double glyphX(std::size_t glyph) const { return _x[glyph]; }
  const std::vector<Line>& lines() const { return _lines; }
  double maxLineWidth() const { return _maxLineWidth; }
  // The line holding the glyph; a line break belongs to the line it ends.
  std::size_t lineOfGlyph(std::size_t glyph) const;

  // The glyphs [first, last) of a line that reach into [minX, maxX) (line coordinates).
  std::pair<std::size_t, std::size_t> glyphsBetween(const Line& line, double minX, double maxX) const;

  // Where a line of the given width starts within a box of boxWidth.
  static double alignmentOffset(TextHAlignment alignment, double boxWidth, double lineWidth);

 private:
  std::vector<char32_t> _codepoints;
  std::vector<double> _x;
  std::vector<Line> _lines;
  double _maxLineWidth = 0;
};

}  // namespace cocos2d
