#include "cocos/2d/Label.h"

#include <algorithm>
#include <cmath>

#include "cocos/director/Director.h"
#include "cocos/renderer/FontCache.h"
#include "cocos/renderer/Renderer.h"

namespace cocos2d {

namespace {
const SharedText& emptyText() {
  static const SharedText empty = std::make_shared<const std::string>();
  return empty;
}
}  // namespace

Label::Label() : _text(emptyText()) { setAnchorPoint(Vec2::ANCHOR_MIDDLE); }

Label* Label::createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                   const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment) {
  auto* label = new Label();
  if (!text.empty()) label->_text = std::make_shared<const std::string>(text);
  label->_fontName = font;
  label->_fontSize = fontSize;
  label->_dimensions = dimensions;
  label->_hAlignment = hAlignment;
  label->_vAlignment = vAlignment;
  label->autorelease();
  return label;
}

bool Label::getDrawnBounds(Rect& world) const {
  if (!getChildren().empty()) return false;
  updateLayout();
  // Glyphs may reach past their advances (bearings, accents); half the size is ample.
  const float margin = _fontSize / 2;
  const AffineTransform toWorld = getNodeToWorldTransform();
  double width = 0;
  const bool upright = toWorld.b == 0 && toWorld.c == 0 && toWorld.a > 0;
  if (!_layout.isComplete() && upright && _dimensions.width <= 0) {
    // Of a long line only the part up to the screen's right edge can be seen: no need to lay
    // out the rest to know what to redraw.
    const double screenRight = Director::getInstance()->getWinSize().width;
    width = _layout.extendTo((screenRight - toWorld.tx) / toWorld.a + margin);
  } else {
    width = getContentSize().width;
  }
  world = toWorld.applyToBounds(Rect(-margin, -margin, static_cast<float>(width) + 2 * margin,
                                     static_cast<float>(labelHeight()) + 2 * margin));
  return true;
}

void Label::setString(const std::string& text) {
  if (text == *_text) return;
  setSharedString(text.empty() ? emptyText() : std::make_shared<const std::string>(text));
}

void Label::setSharedString(SharedText text) {
  if (!text) text = emptyText();
  if (text == _text) return;
  if (*text == *_text) {
    // The same characters: nothing to lay out or draw again, but the layout reads them from
    // the new string, since the old one may go.
    _text = std::move(text);
    _layout.rebind(*_text);
    return;
  }
  invalidateDrawnArea();
  _text = std::move(text);
  _layoutDirty = true;
  invalidateDrawnArea();
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
  _layout.layout(*_text, face, _dimensions.width);
  _sizeKnown = false;
}

double Label::labelWidth() const {
  updateLayout();
  return _dimensions.width > 0 ? _dimensions.width : _layout.maxLineWidth();
}

double Label::labelHeight() const {
  updateLayout();
  return _dimensions.height > 0 ? _dimensions.height
                                : static_cast<double>(_lineHeight * static_cast<float>(_layout.lineCount()));
}

const Size& Label::getContentSize() const {
  updateLayout();
  if (!_sizeKnown) {
    _labelSize = Size(static_cast<float>(labelWidth()), static_cast<float>(labelHeight()));
    _sizeKnown = true;
  }
  return _labelSize;
}

Vec2 Label::getAnchorPointInPoints() const {
  const Vec2& anchor = getAnchorPoint();
  return Vec2(anchor.x == 0 ? 0.0f : static_cast<float>(anchor.x * labelWidth()),
              anchor.y == 0 ? 0.0f : static_cast<float>(anchor.y * labelHeight()));
}

double Label::lineOffset(std::size_t line) const {
  if (_hAlignment == TextHAlignment::LEFT) return 0;  // no need to measure the line
  return LabelLayout::alignmentOffset(_hAlignment, labelWidth(), _layout.lines()[line].width);
}

void Label::visit(Renderer* renderer, const AffineTransform& parentTransform) {
  _parentTransform = parentTransform;
  Node::visit(renderer, parentTransform);
}

AffineTransform Label::shiftedTransform(double shift) const {
  // The node's own transform T(position) R S T(-anchor), followed by T(shift, 0), with the
  // translation worked out in double from the unrounded line width.
  AffineTransform linear = AffineTransform::rotationClockwise(getRotation()) *
                           AffineTransform::scaling(getScaleX(), getScaleY());
  double ax = 0, ay = 0;
  if (!isIgnoreAnchorPointForPosition()) {
    if (getAnchorPoint().x != 0) ax = getAnchorPoint().x * labelWidth();
    ay = getAnchorPoint().y * static_cast<double>(static_cast<float>(labelHeight()));
  }
  const double x = shift - ax, y = -ay;
  linear.tx = static_cast<float>(getPosition().x + linear.a * x + linear.c * y);
  linear.ty = static_cast<float>(getPosition().y + linear.b * x + linear.d * y);
  return _parentTransform * linear;
}

void Label::draw(Renderer* renderer, const AffineTransform& transform) {
  updateLayout();
  if (_fontId == 0 || _text->empty() || _lineHeight <= 0) return;
  const Color4B color(_displayedColor, _displayedOpacity);
  if (color.a == 0) return;
  Rect visible;
  if (!renderer->visibleLocalRect(transform, visible)) return;

  const std::size_t lineCount = _layout.lineCount();
  const double top = static_cast<float>(labelHeight());
  // The line's leading is split above and below its glyphs.
  const double firstBaseline = top - (_lineHeight - _ascent - _descent) / 2 - _ascent;
  // Lines are evenly spaced: the visible ones follow from the visible band of y, and glyphs
  // may overhang their advance by about a size, hence the margins.
  const double margin = _fontSize;
  const double firstLine = std::floor((firstBaseline - visible.getMaxY() - _descent - margin) / _lineHeight);
  const double lastLine = std::ceil((firstBaseline - visible.getMinY() + _ascent + margin) / _lineHeight);
  if (lastLine < 0 || firstLine > static_cast<double>(lineCount - 1)) return;  // above or below the view
  const std::size_t from = static_cast<std::size_t>(std::max(0.0, firstLine));
  const std::size_t to = static_cast<std::size_t>(std::min(static_cast<double>(lineCount - 1), lastLine));

  for (std::size_t li = from; li <= to && li < lineCount; ++li) {
    const double offset = lineOffset(li);
    const float baseline = static_cast<float>(firstBaseline - static_cast<double>(li) * _lineHeight);
    // Glyph positions are sent relative to the first visible glyph and the transform carries
    // the rest, which keeps float precision far along a long line.
    bool first = true;
    double originX = 0;
    _placements.clear();
    _layout.forEachGlyphBetween(li, visible.getMinX() - offset - margin, visible.getMaxX() - offset + margin,
                                [&](std::size_t, char32_t cp, double x) {
                                  if (first) {
                                    originX = x;
                                    first = false;
                                  }
                                  if (cp != U' ') _placements.push_back({cp, static_cast<float>(x - originX), baseline});
                                });
    if (_placements.empty()) continue;
    const AffineTransform lineTransform = shiftedTransform(offset + originX);
    renderer->drawGlyphs(_fontId, _fontSize, _placements.data(), _placements.size(), lineTransform, color);
  }
}

}  // namespace cocos2d
