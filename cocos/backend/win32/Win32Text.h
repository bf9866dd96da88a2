// The Windows backend's text part: the fonts of GdiFonts, which the drawing part rasterises
// from through GdiGlyphSource.
#pragma once

#include <string>

#include "cocos/backend/Text.h"
#include "cocos/backend/win32/GdiFonts.h"

namespace cocos2d::backend::win32 {

class Win32Text final : public Text {
 public:
  FontId openFont(const std::string& family, const std::string& language) override {
    return _fonts.open(family, language);
  }
  FontMetrics fontMetrics(FontId font, float size) override { return _fonts.metrics(font, size); }
  float glyphAdvance(FontId font, float size, char32_t codepoint) override {
    return _fonts.advance(font, size, codepoint);
  }

  GdiFonts& fonts() { return _fonts; }

 private:
  GdiFonts _fonts;
};

}  // namespace cocos2d::backend::win32
