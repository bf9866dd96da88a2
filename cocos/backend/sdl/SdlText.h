// The SDL backend's text part: the fonts of FontLibrary (SDL2_ttf, found through fontconfig),
// which the drawing part rasterises from.
#pragma once

#include <string>

#include "cocos/backend/Text.h"
#include "cocos/backend/sdl/FontLibrary.h"

namespace cocos2d::backend::sdl {

class SdlText final : public Text {
 public:
  FontId openFont(const std::string& family, const std::string& language) override {
    return _fonts.open(family, language);
  }
  FontMetrics fontMetrics(FontId font, float size) override { return _fonts.metrics(font, size); }
  float glyphAdvance(FontId font, float size, char32_t codepoint) override {
    return _fonts.advance(font, size, codepoint);
  }

  FontLibrary& fonts() { return _fonts; }

 private:
  FontLibrary _fonts;
};

}  // namespace cocos2d::backend::sdl
