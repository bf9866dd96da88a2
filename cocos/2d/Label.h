// A text node drawn with a system font: multi-line text aligned within its widest line (or
// within the dimensions when they are set), measured from the backend's font metrics. Layout
// happens on the first measure or draw after a change, and drawing sends only the glyphs that
// can be seen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cocos/2d/LabelLayout.h"
#include "cocos/2d/Node.h"
#include "cocos/backend/Drawing.h"

namespace cocos2d {

class FontFace;

// Text that several owners may hold without copying it (a long history line shown on the tape).
using SharedText = std::shared_ptr<const std::string>;

class Label : public Node {
 public:
  static Label* createWithSystemFont(const std::string& text, const std::string& font, float fontSize,
                                     const Size& dimensions = Size::ZERO,
                                     TextHAlignment hAlignment = TextHAlignment::LEFT,
                                     TextVAlignment vAlignment = TextVAlignment::TOP);

  // UTF-8 bytes; bytes that are not valid UTF-8 show as U+FFFD.
  virtual void setString(const std::string& text);
  // The same text without a copy: the label keeps a share of it.
  void setSharedString(SharedText text);
  const std::string& getString() const { return *_text; }
  const SharedText& getSharedString() const { return _text; }

  const Size& getContentSize() const override;
  // The anchor's offset; for a label anchored at its left edge it needs no width, so a long
  // line is not measured to be placed.
  Vec2 getAnchorPointInPoints() const override;
  // The content rectangle with room for glyphs that reach past their advance.
  bool getDrawnBounds(Rect& world) const override;
  void visit(Renderer* renderer, const AffineTransform& parentTransform) override;
  void draw(Renderer* renderer, const AffineTransform& transform) override;

 protected:
  Label();

 private:
  void updateLayout() const;
  // The box the text takes (the dimensions where they are set): the width lays out the whole
  // text, the height does not.
  double labelWidth() const;
  double labelHeight() const;
  double lineOffset(std::size_t line) const;
  // The transform of glyphs placed relative to x = shift on the label, composed in double
  // precision: far along a long line, float positions would lose whole pixels.
  AffineTransform shiftedTransform(double shift) const;

  SharedText _text;
  std::string _fontName = "Arial";
  float _fontSize = 12;
  TextHAlignment _hAlignment = TextHAlignment::LEFT;
  TextVAlignment _vAlignment = TextVAlignment::TOP;
  Size _dimensions;

  mutable bool _layoutDirty = true;
  mutable unsigned int _fontGeneration = 0;  // of the font cache when last laid out
  mutable LabelLayout _layout;
  mutable Size _labelSize;
  mutable bool _sizeKnown = false;
  mutable float _lineHeight = 0;
  mutable float _ascent = 0;
  mutable float _descent = 0;
  mutable backend::FontId _fontId = 0;
  std::vector<backend::GlyphPlacement> _placements;  // scratch for draw
  AffineTransform _parentTransform;                  // of the current visit
};

}  // namespace cocos2d
