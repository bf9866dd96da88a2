#include "cocos/2d/LabelLayout.h"

#include <algorithm>
#include <limits>

namespace cocos2d {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Ideographs, kana and full-width forms may break a line on either side.
bool breaksAnywhere(char32_t cp) { return cp >= 0x2E80; }

}  // namespace

void LabelLayout::layout(const std::string& utf8, FontFace* face, float wrapWidth) {
  _text = &utf8;
  _face = face;
  _lines.clear();
  _marks.clear();
  _maxLineWidth = 0;
  if (wrapWidth <= 0 && utf8.find('\n') == std::string::npos) {
    // One line: laid out from the start as far as it is asked for.
    _complete = false;
    _frontier = Mark{0, 0, 0};
    _marks.push_back(_frontier);
    if (utf8.empty()) complete();
    return;
  }
  _complete = true;
  std::vector<Line> lines;
  auto closeLine = [&](std::size_t begin, std::size_t end, double width, double extent) {
    lines.push_back(Line{begin, end, width, extent});
    _maxLineWidth = std::max(_maxLineWidth, width);
  };
  if (wrapWidth <= 0) {
    // Lines end at line breaks only.
    std::size_t byte = 0, glyph = 0, lineBegin = 0;
    double x = 0;
    while (byte < utf8.size()) {
      const char32_t cp = decodeUtf8At(utf8, byte);
      ++glyph;
      if (cp == U'\n') {
        closeLine(lineBegin, glyph - 1, x, x);
        lineBegin = glyph;
        x = 0;
      } else {
        x += advance(cp);
      }
    }
    closeLine(lineBegin, glyph, x, x);
    markLines(lines);
    _lines = std::move(lines);
    _lines.shrink_to_fit();
    return;
  }

  // Wrapping looks back to the last break, so each glyph's place is kept while lines are
  // found; wrapped text is a dialog's few lines, and the places go once the marks are made.
  std::vector<char32_t> codepoints;
  decodeUtf8(utf8, codepoints);
  const std::size_t n = codepoints.size();
  std::vector<double> xs(n);
  std::size_t lineBegin = 0;
  std::size_t lastBreak = kNone;  // first glyph of the next line if we wrap here
  double x = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t cp = codepoints[i];
    if (cp == U'\n') {
      xs[i] = x;
      closeLine(lineBegin, i, x, x);
      lineBegin = i + 1;
      lastBreak = kNone;
      x = 0;
      continue;
    }
    const double adv = advance(cp);
    if (cp != U' ' && i > lineBegin && x + adv > wrapWidth) {
      if (breaksAnywhere(cp)) lastBreak = i;
      const std::size_t b = (lastBreak != kNone && lastBreak > lineBegin) ? lastBreak : i;
      std::size_t contentEnd = b;
      while (contentEnd > lineBegin && codepoints[contentEnd - 1] == U' ') --contentEnd;
      const double breakX = b < i ? xs[b] : x;
      closeLine(lineBegin, b, contentEnd < i ? xs[contentEnd] : x, breakX);
      for (std::size_t j = b; j < i; ++j) xs[j] -= breakX;
      x -= breakX;
      lineBegin = b;
      lastBreak = kNone;
    }
    if (breaksAnywhere(cp) && i > lineBegin) lastBreak = i;
    xs[i] = x;
    x += adv;
    if (cp == U' ' || breaksAnywhere(cp)) lastBreak = i + 1;
  }
  closeLine(lineBegin, n, x, x);
  markLines(lines);
  _lines = std::move(lines);
  _lines.shrink_to_fit();
}

void LabelLayout::markLines(const std::vector<Line>& lines) {
  std::size_t byte = 0, glyph = 0;
  for (const Line& line : lines) {
    while (glyph < line.begin) {
      decodeUtf8At(*_text, byte);
      ++glyph;
    }
    double x = 0;
    _marks.push_back(Mark{glyph, byte, 0});
    while (glyph < line.end) {
      if (glyph > line.begin && (glyph - line.begin) % kStride == 0) _marks.push_back(Mark{glyph, byte, x});
      x += advance(decodeUtf8At(*_text, byte));
      ++glyph;
    }
  }
  _marks.shrink_to_fit();
}

void LabelLayout::advanceFrontier(double x) {
  if (_complete || !_text) return;
  const std::string& text = *_text;
  std::size_t glyph = _frontier.glyph, byte = _frontier.byte;
  double at = _frontier.x;
  while (byte < text.size() && at < x) {
    if (glyph > 0 && glyph % kStride == 0 && _marks.back().glyph != glyph) _marks.push_back(Mark{glyph, byte, at});
    at += advance(decodeUtf8At(text, byte));
    ++glyph;
  }
  _frontier = Mark{glyph, byte, at};
  if (byte >= text.size()) {
    _complete = true;
    _lines.assign(1, Line{0, glyph, at, at});
    _maxLineWidth = at;
    _marks.shrink_to_fit();
  }
}

void LabelLayout::complete() { advanceFrontier(std::numeric_limits<double>::infinity()); }

double LabelLayout::extendTo(double x) {
  advanceFrontier(x);
  return _complete ? _maxLineWidth : _frontier.x;
}

const std::vector<LabelLayout::Line>& LabelLayout::lines() {
  complete();
  return _lines;
}

double LabelLayout::maxLineWidth() {
  complete();
  return _maxLineWidth;
}

double LabelLayout::alignmentOffset(TextHAlignment alignment, double boxWidth, double lineWidth) {
  switch (alignment) {
    case TextHAlignment::CENTER:
      return (boxWidth - lineWidth) / 2;
    case TextHAlignment::LEFT:
      break;
  }
  return 0;
}

}  // namespace cocos2d
