// The text part of a backend: opens fonts by family through the system's font matching and
// measures them. Drawing glyph runs is the drawing part's, with the ids handed out here.
#pragma once

#include <cstdint>
#include <string>

namespace cocos2d::backend {

using FontId = std::uint32_t;  // 0: none

struct FontMetrics {
  float ascent = 0;      // above the baseline, in units of the size asked for
  float descent = 0;     // below the baseline, positive
  float lineHeight = 0;  // baseline-to-baseline distance
};

class Text {
 public:
  virtual ~Text() = default;

  // family such as "Arial" or "Meiryo", resolved through the system's font matching; the
  // language ("ja", "en") steers the choice and the fallback for missing glyphs.
  virtual FontId openFont(const std::string& family, const std::string& language) = 0;
  virtual FontMetrics fontMetrics(FontId font, float size) = 0;
  virtual float glyphAdvance(FontId font, float size, char32_t codepoint) = 0;
};

}  // namespace cocos2d::backend
