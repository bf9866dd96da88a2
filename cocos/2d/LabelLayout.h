// Lays text out in lines from the font's advances (summed, no kerning), wrapping at a width
// when asked, without keeping a position per glyph: a mark every few glyphs remembers where
// it lies in the text and on its line, and the glyphs between marks are decoded again when
// asked for. A label of ten million characters thus costs a fraction of a byte per
// character, and drawing the visible part of a huge line starts at the nearest mark.
// Text of one line without wrapping is laid out only as far as it is asked for (drawing
// the start of a long line never reads its end); measuring it lays out the rest.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "cocos/base/Utf8.h"
#include "cocos/base/ccTypes.h"
#include "cocos/renderer/FontCache.h"

namespace cocos2d {

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
  // is wider than the line. The text is read again later: it must stay alive and unchanged
  // until the next layout (the label that owns both sees to that).
  void layout(const std::string& utf8, FontFace* face, float wrapWidth);
  // The same characters now live in another string: read them there from now on.
  void rebind(const std::string& sameText) { _text = &sameText; }

  // Known without laying out the rest.
  std::size_t lineCount() const { return _complete ? _lines.size() : 1; }
  bool isComplete() const { return _complete; }
  // Lays out at least up to x on the first line; the x reached, or the line's width.
  double extendTo(double x);

  // Both lay out what is left first.
  const std::vector<Line>& lines();
  double maxLineWidth();

  // Calls visit(glyph, codepoint, x) for the glyphs of a line that reach into [minX, maxX)
  // (line coordinates): the one starting at or before minX, then each one starting before
  // maxX, in order. Lays out no further than that.
  template <typename Visit>
  void forEachGlyphBetween(std::size_t lineIndex, double minX, double maxX, Visit&& visit);

  // Where a line of the given width starts within a box of boxWidth.
  static double alignmentOffset(TextHAlignment alignment, double boxWidth, double lineWidth);

 private:
  // A glyph whose place is remembered: each line's first glyph has one, and every
  // kStride-th glyph after it.
  struct Mark {
    std::size_t glyph;
    std::size_t byte;
    double x;
  };
  static constexpr std::size_t kStride = 128;

  // Lays out what is left.
  void complete();
  double advance(char32_t cp) const { return _face && cp != U'\n' ? _face->advance(cp) : 0.0; }
  void markLines(const std::vector<Line>& lines);
  // Lays out the single line until the frontier's x reaches x (or the text ends).
  void advanceFrontier(double x);

  const std::string* _text = nullptr;
  FontFace* _face = nullptr;
  bool _complete = true;
  Mark _frontier{0, 0, 0};  // the next glyph to lay out of a single line
  std::vector<Line> _lines;
  std::vector<Mark> _marks;
  double _maxLineWidth = 0;
};

template <typename Visit>
void LabelLayout::forEachGlyphBetween(std::size_t lineIndex, double minX, double maxX, Visit&& visit) {
  if (!_text || maxX <= minX) return;
  if (!_complete) advanceFrontier(maxX);
  if (lineIndex >= lineCount()) return;
  // A line still being laid out ends, for now, where the frontier stands.
  const Line line = _complete ? _lines[lineIndex] : Line{0, _frontier.glyph, 0, _frontier.x};
  if (line.begin >= line.end || minX >= line.extent) return;
  // The line's marks are in order of x too: start from the last one at or before minX.
  const auto byGlyph = [](const Mark& m, std::size_t g) { return m.glyph < g; };
  const auto own = std::lower_bound(_marks.begin(), _marks.end(), line.begin, byGlyph);
  const auto past = std::lower_bound(own, _marks.end(), line.end, byGlyph);
  auto start = std::upper_bound(own, past, minX, [](double x, const Mark& m) { return x < m.x; });
  if (start != own) --start;
  std::size_t glyph = start->glyph, byte = start->byte;
  double x = start->x;
  // On to the glyph that starts at or before minX while the next one starts after it.
  while (glyph + 1 < line.end) {
    std::size_t next = byte;
    const double nextX = x + advance(decodeUtf8At(*_text, next));
    if (nextX > minX) break;
    x = nextX;
    byte = next;
    ++glyph;
  }
  while (glyph < line.end && x < maxX) {
    const char32_t cp = decodeUtf8At(*_text, byte);
    visit(glyph, cp, x);
    x += advance(cp);
    ++glyph;
  }
}

}  // namespace cocos2d
