// The rasteriser the software renderer draws text with: each backend implements it on its
// system's font engine, and the renderer asks it once per font, pixel size and character,
// keeping what it gets (GlyphCache). Only the drawing thread calls it.
#pragma once

#include <cstdint>
#include <vector>

#include "cocos/backend/Text.h"

namespace cocos2d::backend::software {

// One glyph, cut to its ink box, in whole pixels, placed relative to the pen on the baseline.
struct GlyphBitmap {
  // The box's left column lies `left` pixels right of the pen (negative: left of it); its top
  // row lies `top` pixels above the baseline (negative: below it). GDI's GLYPHMETRICS give
  // both as gmptGlyphOrigin.x and gmptGlyphOrigin.y.
  int left = 0, top = 0;
  int width = 0, height = 0;
  // width * height bytes, the top row first, no padding between rows: 0 is no ink, 255 full
  // ink. Empty for a glyph without ink (a space), with width = height = 0.
  std::vector<std::uint8_t> coverage;
  // Pixels the pen moves after this glyph (GDI: gmCellIncX). Drawing places glyphs from their
  // placements and never reads it; it is there for a backend that measures from the same source.
  float advance = 0;
};

class GlyphSource {
 public:
  virtual ~GlyphSource() = default;

  // Fills `glyph` (which arrives empty) with `codepoint` of `font` at `pixelSize` pixels per
  // em, the em being the font's size as the engine asks for it (GDI: a font created with
  // lfHeight = -pixelSize), upright, with the font's fallbacks for characters it lacks. `font` is an id the backend's Text part
  // handed out; pixelSize is 1 to 320.
  //
  // True with a glyph, or with an empty box for a character without ink or missing from every
  // fallback (GDI reports a 1 x 1 box for those: give 0 x 0). False when nothing can be
  // rasterised for the font at all (an unknown id, a failure of the system): the character is
  // then drawn as nothing, and asked for again only after the cache has started over.
  //
  // Coverage is 0..255 here and the source converts: GetGlyphOutlineW's GGO_GRAY8_BITMAP gives
  // 0..64 in rows padded to four bytes, which copyCoverage(bits, (width + 3) & ~3, width,
  // height, 64, glyph) turns into this form.
  virtual bool rasterize(FontId font, int pixelSize, char32_t codepoint, GlyphBitmap& glyph) = 0;
};

// Sets glyph.width, glyph.height and glyph.coverage from `height` rows of `width` grey values
// 0..maxLevel, `pitch` bytes apart: each value v becomes (v * 255 + maxLevel / 2) / maxLevel,
// so that 0 stays 0 and maxLevel becomes 255; values above maxLevel count as maxLevel.
void copyCoverage(const std::uint8_t* rows, int pitch, int width, int height, int maxLevel, GlyphBitmap& glyph);

}  // namespace cocos2d::backend::software
