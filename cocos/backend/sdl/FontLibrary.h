// The fonts the engine opens: which face each character of a font comes from (the
// family's own face, else a fallback face that has it), and the font's metrics and
// advances in units of the requested size, exactly proportional to it.
#pragma once

#include <SDL_ttf.h>

#include <string>
#include <vector>

#include "cocos/backend/Text.h"
#include "cocos/backend/sdl/FontMatcher.h"
#include "cocos/backend/software/CharacterChoices.h"

namespace cocos2d::backend::sdl {

class FontLibrary {
 public:
  // Metrics are read from faces opened at this many pixels per em without hinting, and
  // scaled: at the usual 2048 units per em every advance is then exact.
  static constexpr int kReferencePixels = 2048;

  FontLibrary() = default;
  FontLibrary(const FontLibrary&) = delete;
  FontLibrary& operator=(const FontLibrary&) = delete;
  ~FontLibrary();

  // Only records the request; the face is found when the font is first measured or drawn.
  FontId open(const std::string& family, const std::string& language);

  FontMetrics metrics(FontId font, float size);
  float advance(FontId font, float size, char32_t codepoint);

  // The face that draws `codepoint` in `font`; -1 when the font has no face at all.
  int faceFor(FontId font, char32_t codepoint);
  // That face prepared for rasterising at `pixels` per em (hinted lightly, for crisp
  // horizontal stems without disturbing advances); null when it cannot be opened.
  TTF_Font* rasterFace(int face, int pixels);

 private:
  void closeAll();
  struct Face {
    FaceLocation location;
    TTF_Font* reference = nullptr;  // kReferencePixels, unhinted: measuring
    TTF_Font* raster = nullptr;     // resized on demand: drawing
    int rasterPixels = 0;
    bool failed = false;
  };
  struct Choice {
    float advanceEm = 0;
    int face = -1;  // -1: not decided yet
  };
  struct Font {
    std::string family, language;
    bool resolved = false;
    int primary = -1;
    std::vector<int> fallbacks;  // faces already found for other characters, tried first
    float ascentEm = 0, descentEm = 0, lineHeightEm = 0;
    software::CharacterChoices<Choice> choices;
  };

  Font* resolvedFont(FontId id);
  const Choice& choose(Font& font, char32_t codepoint);
  int chooseFace(Font& font, char32_t codepoint);
  int faceIndex(const FaceLocation& location);
  TTF_Font* referenceFace(int face);
  bool provides(int face, char32_t codepoint);
  bool startTtf();

  FontMatcher _matcher;
  std::vector<Face> _faces;
  std::vector<Font> _fonts;  // FontId - 1
  bool _ttfStarted = false;
};

}  // namespace cocos2d::backend::sdl
