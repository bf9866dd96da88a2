#include "cocos/backend/win32/GdiGlyphSource.h"

namespace cocos2d::backend::win32 {

bool GdiGlyphSource::rasterize(FontId font, int pixelSize, char32_t codepoint, software::GlyphBitmap& glyph) {
  const GdiFonts::GlyphFace where = _fonts.glyphFace(font, codepoint);
  if (where.face < 0 || !_fonts.selectRasterFont(where.face, pixelSize)) return false;
  HDC dc = _fonts.dc();
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  // A character its face lacks shows the face's "missing glyph" box, glyph 0.
  const UINT format = GGO_GRAY8_BITMAP | (where.missing ? GGO_GLYPH_INDEX : 0);
  const UINT character = where.missing ? 0 : static_cast<UINT>(codepoint);
  GLYPHMETRICS metrics{};
  const DWORD size = GetGlyphOutlineW(dc, character, format, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR) return false;
  glyph.advance = static_cast<float>(metrics.gmCellIncX);
  // No ink (a space): GDI still reports a box of one pixel, which is no glyph.
  if (size == 0) return true;
  _bits.resize(size);
  if (GetGlyphOutlineW(dc, character, format, &metrics, size, _bits.data(), &identity) == GDI_ERROR) return false;
  // Rows of 0..64, each padded to four bytes.
  const int width = static_cast<int>(metrics.gmBlackBoxX), height = static_cast<int>(metrics.gmBlackBoxY);
  const int pitch = (width + 3) & ~3;
  if (width <= 0 || height <= 0 || static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height) > size) {
    return true;
  }
  software::copyCoverage(_bits.data(), pitch, width, height, 64, glyph);
  glyph.left = metrics.gmptGlyphOrigin.x;
  glyph.top = metrics.gmptGlyphOrigin.y;
  return true;
}

}  // namespace cocos2d::backend::win32
