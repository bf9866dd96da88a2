// The software renderer's glyphs from GDI: each character rasterised by GetGlyphOutlineW as a
// grey coverage bitmap, at the size it takes on screen, from the face GdiFonts chose for it.
#pragma once

#include <cstdint>
#include <vector>

#include "cocos/backend/software/GlyphSource.h"
#include "cocos/backend/win32/GdiFonts.h"

namespace cocos2d::backend::win32 {

class GdiGlyphSource final : public software::GlyphSource {
 public:
  explicit GdiGlyphSource(GdiFonts& fonts) : _fonts(fonts) {}

  bool rasterize(FontId font, int pixelSize, char32_t codepoint, software::GlyphBitmap& glyph) override;

 private:
  GdiFonts& _fonts;
  std::vector<std::uint8_t> _bits;  // GDI's answer, reused
};

}  // namespace cocos2d::backend::win32
