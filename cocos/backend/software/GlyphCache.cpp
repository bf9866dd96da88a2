#include "cocos/backend/software/GlyphCache.h"

#include "cocos/backend/software/GlyphRotation.h"

namespace cocos2d::backend::software {
namespace {

// Each row's ink, so that blending skips the transparent ends of every row.
void findInk(RotatedCoverage& ink) {
  const Coverage& bitmap = ink.bitmap;
  ink.rows.resize(static_cast<std::size_t>(bitmap.height));
  for (int y = 0; y < bitmap.height; ++y) {
    const std::uint8_t* row = bitmap.alpha.data() + static_cast<std::ptrdiff_t>(y) * bitmap.width;
    int begin = 0, end = bitmap.width;
    while (begin < end && row[begin] == 0) ++begin;
    while (end > begin && row[end - 1] == 0) --end;
    ink.rows[static_cast<std::size_t>(y)] = {static_cast<std::uint16_t>(begin), static_cast<std::uint16_t>(end)};
  }
  ink.centreX = 0.5f * static_cast<float>(bitmap.width);
  ink.centreY = 0.5f * static_cast<float>(bitmap.height);
}

}  // namespace

std::size_t GlyphCache::Hash::operator()(const Key& k) const {
  const std::uint64_t packed = (static_cast<std::uint64_t>(k.font) << 40) ^
                               (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.pixels)) << 24) ^
                               (static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.step + 1)) << 52) ^
                               static_cast<std::uint64_t>(k.codepoint);
  return static_cast<std::size_t>(packed * 0x9E3779B97F4A7C15ull >> 7);
}

std::size_t GlyphCache::inkBytes(const RotatedCoverage& ink) {
  return ink.bitmap.alpha.size() + ink.rows.size() * sizeof(InkSpan) + 64;
}

const GlyphCache::Glyph& GlyphCache::get(FontId font, int pixels, char32_t codepoint) {
  const Key key{font, pixels, codepoint, -1};
  if (const auto found = _glyphs.find(key); found != _glyphs.end()) return found->second;
  Glyph glyph;
  _bitmap = GlyphBitmap{};
  ++_rasterised;
  const bool made = _source.rasterize(font, pixels, codepoint, _bitmap);
  const std::size_t area = static_cast<std::size_t>(_bitmap.width) * static_cast<std::size_t>(_bitmap.height);
  // Anything but a consistent box with ink, inside what a row's span can hold, draws nothing.
  if (made && _bitmap.width > 0 && _bitmap.height > 0 && _bitmap.width <= 0xFFFF && _bitmap.coverage.size() == area) {
    glyph.ink.bitmap.width = _bitmap.width;
    glyph.ink.bitmap.height = _bitmap.height;
    glyph.ink.bitmap.alpha = std::move(_bitmap.coverage);
    findInk(glyph.ink);
    glyph.left = _bitmap.left;
    glyph.top = _bitmap.top;
  }
  const std::size_t cost = inkBytes(glyph.ink);
  if (_bytes + cost > _budget) clear();
  _bytes += cost;
  return _glyphs.emplace(key, std::move(glyph)).first->second;
}

const GlyphCache::TurnedGlyph* GlyphCache::getTurned(FontId font, int pixels, char32_t codepoint, int step) {
  const Key key{font, pixels, codepoint, step};
  if (const auto found = _turned.find(key); found != _turned.end()) {
    found->second.lastFrame = _frame;
    return &found->second;
  }
  // Once this frame has been refused, the rest of it is too, without the work of turning.
  if (_refusedFrame == _frame) return nullptr;
  const Glyph& upright = get(font, pixels, codepoint);
  TurnedGlyph glyph;
  glyph.ink = rotateCoverage(upright.ink.bitmap, stepAngle(step, kStepsPerTurn));
  glyph.left = upright.left;
  glyph.top = upright.top;
  glyph.width = upright.ink.bitmap.width;
  glyph.height = upright.ink.bitmap.height;
  const std::size_t cost = inkBytes(glyph.ink);
  // A quarter of the budget stays free for upright glyphs, whose misses clear everything.
  const std::size_t limit = _budget / 4 * 3;
  if (_bytes + cost > limit) dropStaleTurned();
  if (_bytes + cost > limit) {
    _refusedFrame = _frame;
    return nullptr;
  }
  _bytes += cost;
  glyph.lastFrame = _frame;
  return &_turned.emplace(key, std::move(glyph)).first->second;
}

void GlyphCache::dropStaleTurned() {
  for (auto it = _turned.begin(); it != _turned.end();) {
    if (it->second.lastFrame + 1 >= _frame) {
      ++it;
      continue;
    }
    _bytes -= inkBytes(it->second.ink);
    it = _turned.erase(it);
  }
}

void GlyphCache::clear() {
  _glyphs.clear();
  _turned.clear();
  _bytes = 0;
  _refusedFrame = ~std::uint64_t{0};
}

}  // namespace cocos2d::backend::software
