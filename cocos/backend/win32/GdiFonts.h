// The fonts the engine opens, through GDI: which installed face each character of a font comes
// from (the family's own face or its stand-in, else a fallback face that has the character),
// and the font's metrics and advances in units of the requested size, exactly proportional to
// it. The glyph source rasterises from the same faces (GdiGlyphSource).
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "cocos/backend/Text.h"
#include "cocos/backend/software/CharacterChoices.h"

namespace cocos2d::backend::win32 {

class GdiFonts {
 public:
  // Metrics are read from faces made at this many pixels per em and scaled: at the usual 2048
  // units per em every advance is then exact, as on Linux.
  static constexpr int kReferencePixels = 2048;

  GdiFonts() = default;
  ~GdiFonts();
  GdiFonts(const GdiFonts&) = delete;
  GdiFonts& operator=(const GdiFonts&) = delete;

  // Only records the request; the face is found when the font is first measured or drawn.
  FontId open(const std::string& family, const std::string& language);

  FontMetrics metrics(FontId font, float size);
  float advance(FontId font, float size, char32_t codepoint);

  // Where a character of a font comes from: a face, and whether that face lacks it (it then
  // shows its own "missing glyph" box, glyph 0, as on Linux). face is -1 when the font has
  // no face at all.
  struct GlyphFace {
    int face = -1;
    bool missing = false;
  };
  GlyphFace glyphFace(FontId font, char32_t codepoint);
  // The face at `pixels` per em, selected into dc(); null when it cannot be made.
  HFONT selectRasterFont(int face, int pixels);
  HDC dc();

 private:
  struct Face {
    std::wstring name;
    HFONT reference = nullptr;  // kReferencePixels: measuring and coverage
    struct Sized {
      int pixels;
      HFONT font;
    };
    std::vector<Sized> raster;  // the most recently used last
    bool failed = false;
  };
  struct Choice {
    float advanceEm = 0;
    int face = -1;  // -1: not decided yet
    bool missing = false;
  };
  struct Font {
    std::string family, language;
    bool resolved = false;
    int primary = -1;
    std::vector<int> fallbacks;  // faces already found for other characters, tried first
    std::vector<std::wstring> candidates;  // fallback faces not tried yet, in order
    float ascentEm = 0, descentEm = 0, lineHeightEm = 0;
    software::CharacterChoices<Choice> choices;
  };
  static constexpr std::size_t kRasterSizesPerFace = 8;

  Font* resolvedFont(FontId id);
  int primaryFace(const Font& font);
  const Choice& choose(Font& font, char32_t codepoint);
  int chooseFace(Font& font, char32_t codepoint);
  bool installed(const std::wstring& name);
  int faceIndex(const std::wstring& name);
  HFONT referenceFont(int face);
  bool provides(int face, char32_t codepoint);
  void select(HFONT font);

  HDC _dc = nullptr;
  HGDIOBJ _originalFont = nullptr;
  HFONT _selected = nullptr;
  std::vector<Face> _faces;
  std::vector<Font> _fonts;  // FontId - 1
  std::unordered_map<std::wstring, bool> _installed;  // by lower-case name
};

}  // namespace cocos2d::backend::win32
