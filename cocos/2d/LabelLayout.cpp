#include "cocos/2d/LabelLayout.h"

#include <algorithm>

#include "cocos/base/Utf8.h"
#include "cocos/renderer/FontCache.h"

namespace cocos2d {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Ideographs, kana and full-width forms may break a line on either side.
bool breaksAnywhere(char32_t cp) { return cp >= 0x2E80; }

}  // namespace

void LabelLayout::layout(const std::string& utf8, FontFace* face, float wrapWidth) {
  _codepoints.clear();
  _x.clear();
  _lines.clear();
  _maxLineWidth = 0;
  _codepoints.reserve(utf8.size());
  decodeUtf8(utf8, _codepoints);
  const std::size_t n = _codepoints.size();
  _x.resize(n);

  std::size_t lineBegin = 0;
  std::size_t lastBreak = kNone;  // first glyph of the next line if we wrap here
  double x = 0;
  auto closeLine = [this](std::size_t begin, std::size_t end, double width, double extent) {
    _lines.push_back(Line{begin, end, width, extent});
    _maxLineWidth = std::max(_maxLineWidth, width);
  };

  for (std::size_t i = 0; i < n; ++i) {
    const char32_t cp = _codepoints[i];
    if (cp == U'\n') {
      _x[i] = x;
      closeLine(lineBegin, i, x, x);
      lineBegin = i + 1;
      lastBreak = kNone;
      x = 0;
      continue;
    }
    const double advance = face ? face->advance(cp) : 0.0;
    if (wrapWidth > 0 && cp != U' ' && i > lineBegin && x + advance > wrapWidth) {
      if (breaksAnywhere(cp)) lastBreak = i;
      const std::size_t b = (lastBreak != kNone && lastBreak > lineBegin) ? lastBreak : i;
      std::size_t contentEnd = b;
      while (contentEnd > lineBegin && _codepoints[contentEnd - 1] == U' ') --contentEnd;
      const double breakX = b < i ? _x[b] : x;
      closeLine(lineBegin, b, contentEnd < i ? _x[contentEnd] : x, breakX);
      for (std::size_t j = b; j < i; ++j) _x[j] -= breakX;
      x -= breakX;
      lineBegin = b;
      lastBreak = kNone;
    }
    if (breaksAnywhere(cp) && i > lineBegin) lastBreak = i;
    _x[i] = x;
    x += advance;
    if (cp == U' ' || breaksAnywhere(cp)) lastBreak = i + 1;
  }
  closeLine(lineBegin, n, x, x);
}

std::size_t LabelLayout::lineOfGlyph(std::size_t glyph) const {
  auto it = std::upper_bound(_lines.begin(), _lines.end(), glyph,
                             [](std::size_t g, const Line& line) { return g < line.begin; });
  return it == _lines.begin() ? 0 : static_cast<std::size_t>(it - _lines.begin()) - 1;
}

std::pair<std::size_t, std::size_t> LabelLayout::glyphsBetween(const Line& line, double minX, double maxX) const {
  if (line.begin >= line.end || maxX <= minX || minX >= line.extent) return {line.begin, line.begin};
  const auto first = _x.begin() + static_cast<std::ptrdiff_t>(line.begin);
  const auto last = _x.begin() + static_cast<std::ptrdiff_t>(line.end);
  // The glyph starting at or before minX may still reach into the range.
  auto lo = std::upper_bound(first, last, minX);
  if (lo != first) --lo;
  auto hi = std::lower_bound(lo, last, maxX);
  return {static_cast<std::size_t>(lo - _x.begin()), static_cast<std::size_t>(hi - _x.begin())};
}

double LabelLayout::alignmentOffset(TextHAlignment alignment, double boxWidth, double lineWidth) {
  switch (alignment) {
    case TextHAlignment::CENTER:
      return (boxWidth - lineWidth) / 2;
    case TextHAlignment::RIGHT:
      return boxWidth - lineWidth;
    case TextHAlignment::LEFT:
      break;
  }
  return 0;
}

}  // namespace cocos2d
