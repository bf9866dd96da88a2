// Rasterised glyphs as coverage masks, keyed by font, pixel size and character: upright ones
// as the source gave them, and turned ones (text under a rotation) per angle step, already
// turned, so that drawing either is a blend of whole pixels.
//
// Both share one bound on memory. Upright glyphs start over when it is reached, which only
// costs rasterising again what is on screen. Turned glyphs are many more (one per angle
// step), so they may take only part of it, drop those unused for a frame when they need room,
// and are refused when the current frame's own need is larger: the caller then draws the
// upright glyph through the transformed path, slower but never thrashing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "cocos/backend/software/Coverage.h"
#include "cocos/backend/software/GlyphSource.h"

namespace cocos2d::backend::software {

class GlyphCache {
 public:
  // An upright glyph: its coverage with each row's ink, and its box relative to the pen
  // (GlyphBitmap's left and top). Nothing to draw when `ink` is empty.
  struct Glyph {
    RotatedCoverage ink;
    int left = 0, top = 0;
  };

  // A glyph turned by one angle step, and the upright ink box it was turned from (as in
  // Glyph), whose centre is the turned mask's centre.
  struct TurnedGlyph {
    RotatedCoverage ink;
    int left = 0, top = 0, width = 0, height = 0;
    std::uint64_t lastFrame = 0;
  };

  static constexpr int kStepsPerTurn = 72;  // 5 degrees: smooth enough for tumbling text

  explicit GlyphCache(GlyphSource& source, std::size_t budgetBytes = 4u << 20) : _source(source), _budget(budgetBytes) {}
  GlyphCache(const GlyphCache&) = delete;
  GlyphCache& operator=(const GlyphCache&) = delete;

  // Valid until the next call.
  const Glyph& get(FontId font, int pixels, char32_t codepoint);
  // `step` of kStepsPerTurn, clockwise on screen. Null when it does not fit the budget.
  const TurnedGlyph* getTurned(FontId font, int pixels, char32_t codepoint, int step);

  // Marks the start of a frame: turned glyphs used in neither this frame nor the last may
  // make room for new ones.
  void beginFrame() { ++_frame; }

  void clear();
  std::size_t size() const { return _glyphs.size(); }
  std::size_t turnedCount() const { return _turned.size(); }
  std::size_t bytes() const { return _bytes; }
  std::size_t budget() const { return _budget; }
  // How often the source was asked (for tests of the cache).
  std::size_t rasterised() const { return _rasterised; }

 private:
  struct Key {
    FontId font = 0;
    int pixels = 0;
    char32_t codepoint = 0;
    int step = -1;  // -1: upright
    bool operator==(const Key& o) const {
      return font == o.font && pixels == o.pixels && codepoint == o.codepoint && step == o.step;
    }
  };
  struct Hash {
    std::size_t operator()(const Key& k) const;
  };

  static std::size_t inkBytes(const RotatedCoverage& ink);
  // Drops turned glyphs not used in this frame or the last.
  void dropStaleTurned();

  GlyphSource& _source;
  std::unordered_map<Key, Glyph, Hash> _glyphs;
  std::unordered_map<Key, TurnedGlyph, Hash> _turned;
  std::size_t _bytes = 0;
  std::size_t _budget;
  std::size_t _rasterised = 0;
  std::uint64_t _frame = 0;
  std::uint64_t _refusedFrame = ~std::uint64_t{0};  // the frame in which a turned glyph last did not fit
  GlyphBitmap _bitmap;  // the source's answer, reused
};

}  // namespace cocos2d::backend::software
