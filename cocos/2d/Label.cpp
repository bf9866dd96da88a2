#include "cocos/2d/Label.h"

#include <algorithm>
#include <cmath>

#include "cocos/base/Director.h"
#include "cocos/base/Utf8.h"
#include "cocos/renderer/FontCache.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {

Label::Label() { setAnchorPoint(Vec2::ANCHOR_MIDDLE); }

Label* Label::create() {
  auto* label = new Label();
  label->autorelease();
  return label;
}

Label* Label::createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                   const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment) {
  auto* label = new Label();
  label->_text = text;
  label->_fontName = font;
  label->_fontSize = fontSize;
  label->_dimensions = dimensions;
  label->_hAlignment = hAlignment;
  label->_vAlignment = vAlignment;
  label->autorelease();
  return label;
}

void Label::invalidate() {
  _layoutDirty = true;
  requestRedraw();
}

bool Label::getDrawnBounds(Rect& world) const {
  if (!getChildren().empty()) return false;
  const Size& size = getContentSize();
  // Glyphs may reach past their advances (bearings, accents); half the size is ample.
  const float margin = _fontSize / 2;
  world = getNodeToWorldTransform().applyToBounds(
      Rect(-margin, -margin, size.width + 2 * margin, size.height + 2 * margin));
  return true;
}

void Label::setString(const std::string& text) {
  if (text == _text) return;
  invalidateDrawnArea();
  _text = text;
  _layoutDirty = true;
  invalidateDrawnArea();
}

int Label::getStringLength() const {
  // Counting does not need the font, so it does not force a layout.
  return static_cast<int>(_layoutDirty ? countUtf8CodePoints(_text) : _layout.glyphCount());
}

void Label::setSystemFontName(const std::string& font) {
  if (font == _fontName) return;
  _fontName = font;
  invalidate();
}

void Label::setSystemFontSize(float fontSize) {
  if (fontSize == _fontSize) return;
  _fontSize = fontSize;
  invalidate();
}

void Label::setTextColor(const Color4B& color) {
  if (color == _textColor) return;
  _textColor = color;
  invalidateDrawnArea();
}

void Label::setHorizontalAlignment(TextHAlignment alignment) {
  if (alignment == _hAlignment) return;
  _hAlignment = alignment;
  requestRedraw();
}

void Label::setVerticalAlignment(TextVAlignment alignment) {
  if (alignment == _vAlignment) return;
  _vAlignment = alignment;
  requestRedraw();
}

void Label::setAlignment(TextHAlignment hAlignment, TextVAlignment vAlignment) {
  setHorizontalAlignment(hAlignment);
  setVerticalAlignment(vAlignment);
}

void Label::setDimensions(float width, float height) {
  const Size dimensions(width, height);
  if (dimensions == _dimensions) return;
  _dimensions = dimensions;
  invalidate();
}

void Label::updateLayout() const {
  FontCache* fonts = Director::getInstance()->getFontCache();
  if (!_layoutDirty && _fontGeneration == fonts->getGeneration()) return;
  _layoutDirty = false;
  _fontGeneration = fonts->getGeneration();
  FontFace* face = fonts->getFace(_fontName, _fontSize);
  _fontId = face ? face->getFontId() : 0;
  _lineHeight = face ? face->getMetrics().lineHeight : 0;
  _ascent = face ? face->getMetrics().ascent : 0;
  _descent = face ? face->getMetrics().descent : 0;
  _layout.layout(_text, face, _dimensions.width);
  const float textHeight = _lineHeight * static_cast<float>(_layout.lines().size());
  _labelSize = Size(_dimensions.width > 0 ? _dimensions.width : static_cast<float>(_layout.maxLineWidth()),
                    _dimensions.height > 0 ? _dimensions.height : textHeight);
}

const Size& Label::getContentSize() const {
  updateLayout();
  return _labelSize;
}

float Label::getLineHeight() const {
  updateLayout();
  return _lineHeight;
}

double Label::lineOffset(std::size_t line) const {
  return LabelLayout::alignmentOffset(_hAlignment, _labelSize.width, _layout.lines()[line].width);
}

float Label::getLetterOffsetX(std::size_t index) const {
  updateLayout();
  const auto& lines = _layout.lines();
  if (index >= _layout.glyphCount()) {
    return static_cast<float>(lineOffset(lines.size() - 1) + lines.back().width);
  }
  return static_cast<float>(lineOffset(_layout.lineOfGlyph(index)) + _layout.glyphX(index));
}

void Label::visit(Renderer* renderer, const AffineTransform& parentTransform, std::uint32_t parentFlags) {
  _parentTransform = parentTransform;
  Node::visit(renderer, parentTransform, parentFlags);
}

AffineTransform Label::shiftedTransform(double shift) const {
  // The node's own transform T(position) R S T(-anchor), followed by T(shift, 0), with the
  // translation worked out in double from the unrounded line width.
  AffineTransform linear = AffineTransform::rotationClockwise(getRotation()) *
                           AffineTransform::scaling(getScaleX(), getScaleY());
  double ax = 0, ay = 0;
  if (!isIgnoreAnchorPointForPosition()) {
    const double width = _dimensions.width > 0 ? _dimensions.width : _layout.maxLineWidth();
    ax = getAnchorPoint().x * width;
    ay = getAnchorPoint().y * static_cast<double>(_labelSize.height);
  }
  const double x = shift - ax, y = -ay;
  linear.tx = static_cast<float>(getPosition().x + linear.a * x + linear.c * y);
  linear.ty = static_cast<float>(getPosition().y + linear.b * x + linear.d * y);
  return _parentTransform * linear;
}

void Label::draw(Renderer* renderer, const AffineTransform& transform, std::uint32_t) {
  updateLayout();
  if (_fontId == 0 || _layout.glyphCount() == 0 || _lineHeight <= 0) return;
  const Color4B color(static_cast<std::uint8_t>(_textColor.r * _displayedColor.r / 255),
                      static_cast<std::uint8_t>(_textColor.g * _displayedColor.g / 255),
                      static_cast<std::uint8_t>(_textColor.b * _displayedColor.b / 255),
                      static_cast<std::uint8_t>(_textColor.a * _displayedOpacity / 255));
  if (color.a == 0) return;
  Rect visible;
  if (!renderer->visibleLocalRect(transform, visible)) return;

  const auto& lines = _layout.lines();
  const double blockHeight = static_cast<double>(_lineHeight) * static_cast<double>(lines.size());
  double top = _labelSize.height;
  if (_dimensions.height > 0) {
    if (_vAlignment == TextVAlignment::CENTER) top = (_labelSize.height + blockHeight) / 2;
    if (_vAlignment == TextVAlignment::BOTTOM) top = blockHeight;
  }
  // The line's leading is split above and below its glyphs.
  const double firstBaseline = top - (_lineHeight - _ascent - _descent) / 2 - _ascent;
  // Lines are evenly spaced: the visible ones follow from the visible band of y, and glyphs
  // may overhang their advance by about a size, hence the margins.
  const double margin = _fontSize;
  const double firstLine = std::floor((firstBaseline - visible.getMaxY() - _descent - margin) / _lineHeight);
  const double lastLine = std::ceil((firstBaseline - visible.getMinY() + _ascent + margin) / _lineHeight);
  if (lastLine < 0 || firstLine > static_cast<double>(lines.size() - 1)) return;  // above or below the view
  const std::size_t from = static_cast<std::size_t>(std::max(0.0, firstLine));
  const std::size_t to = static_cast<std::size_t>(std::min(static_cast<double>(lines.size() - 1), lastLine));

  for (std::size_t li = from; li <= to && li < lines.size(); ++li) {
    const auto& line = lines[li];
    const double offset = lineOffset(li);
    const auto range = _layout.glyphsBetween(line, visible.getMinX() - offset - margin,
                                             visible.getMaxX() - offset + margin);
    if (range.first >= range.second) continue;
    const float baseline = static_cast<float>(firstBaseline - static_cast<double>(li) * _lineHeight);
    // Glyph positions are sent relative to the first visible glyph and the transform carries
    // the rest, which keeps float precision far along a long line.
    const double originX = _layout.glyphX(range.first);
    _placements.clear();
    for (std::size_t g = range.first; g < range.second; ++g) {
      const char32_t cp = _layout.codepoint(g);
      if (cp == U' ') continue;
      _placements.push_back({cp, static_cast<float>(_layout.glyphX(g) - originX), baseline});
    }
    if (_placements.empty()) continue;
    const AffineTransform lineTransform = shiftedTransform(offset + originX);
    renderer->drawGlyphs(_fontId, _fontSize, _placements.data(), _placements.size(), lineTransform, color);
  }
}

}  // namespace cocos2d
