// Opens each font family once through the backend's text part and keeps, per font and size, the metrics
// and a table of glyph advances, so that laying out long text costs a table lookup per
// character instead of a call into the backend.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cocos/backend/Text.h"

namespace cocos2d {

// One font at one size; advances and metrics are in the units of that size.
class FontFace {
 public:
  FontFace(backend::Text* text, backend::FontId font, float size);

  backend::FontId getFontId() const { return _font; }
  const backend::FontMetrics& getMetrics() const { return _metrics; }

  float advance(char32_t codepoint) {
    if (codepoint < kTableSize && !_table.empty()) {
      const float a = _table[codepoint];
      if (a >= 0) return a;
    }
    return lookUp(codepoint);
  }

 private:
  // Covers Latin, Greek, Cyrillic, symbols and punctuation; the rest goes to a hash map.
  static constexpr char32_t kTableSize = 0x3000;
  float lookUp(char32_t codepoint);

  backend::Text* _text;
  backend::FontId _font;
  float _size;
  backend::FontMetrics _metrics;
  std::vector<float> _table;  // -1: not asked yet
  std::unordered_map<char32_t, float> _others;
};

class FontCache {
 public:
  FontCache() = default;
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

  // Fonts belong to one backend: switching backends forgets them all.
  void setText(backend::Text* text);
  // The face of the family (opened for the current language) at the size; null without a
  // backend. The pointer stays valid until the cache is cleared.
  FontFace* getFace(const std::string& family, float size);
  // Changes whenever the faces handed out so far stop being valid, so that text measured
  // before (or without) a backend is measured again.
  unsigned int getGeneration() const { return _generation; }

 private:
  void clear();

  backend::Text* _text = nullptr;
  unsigned int _generation = 0;
  std::unordered_map<std::string, backend::FontId> _fonts;
  std::map<std::pair<backend::FontId, float>, std::unique_ptr<FontFace>> _faces;
};

}  // namespace cocos2d
