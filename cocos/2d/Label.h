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
  static Label* create();
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
  // Code points, line breaks included.
  int getStringLength() const;

  void setSystemFontName(const std::string& font);
  const std::string& getSystemFontName() const { return _fontName; }
  void setSystemFontSize(float fontSize);
  float getSystemFontSize() const { return _fontSize; }
  // Multiplied by the node's colour and opacity when drawn.
  void setTextColor(const Color4B& color);
  const Color4B& getTextColor() const { return _textColor; }

  void setHorizontalAlignment(TextHAlignment alignment);
  TextHAlignment getHorizontalAlignment() const { return _hAlignment; }
  void setVerticalAlignment(TextVAlignment alignment);
  TextVAlignment getVerticalAlignment() const { return _vAlignment; }
  void setAlignment(TextHAlignment hAlignment) { setHorizontalAlignment(hAlignment); }
  void setAlignment(TextHAlignment hAlignment, TextVAlignment vAlignment);
  // A width > 0 wraps lines at that width and aligns within it; a height > 0 fixes the
  // height and aligns the text block vertically within it.
  void setDimensions(float width, float height);
  const Size& getDimensions() const { return _dimensions; }

  // The distance between baselines, from the font's metrics.
  float getLineHeight() const;
  // The x of the left edge of the glyph at a code point index, in the label's space and with
  // the alignment applied; the index one past the end gives the end of the last line. Lets
  // the editor place a caret without measuring substrings.
  float getLetterOffsetX(std::size_t index) const;

  const Size& getContentSize() const override;
  // The anchor's offset; for a label anchored at its left edge it needs no width, so a long
  // line is not measured to be placed.
  Vec2 getAnchorPointInPoints() const override;
  // The content rectangle with room for glyphs that reach past their advance.
  bool getDrawnBounds(Rect& world) const override;
  void visit(Renderer* renderer, const AffineTransform& parentTransform, std::uint32_t parentFlags) override;
  void draw(Renderer* renderer, const AffineTransform& transform, std::uint32_t flags) override;

 protected:
  Label();

 private:
  void invalidate();
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
  Color4B _textColor = Color4B::WHITE;
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
