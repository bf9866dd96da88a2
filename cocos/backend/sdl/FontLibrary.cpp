#include "cocos/backend/sdl/FontLibrary.h"

#include <cstdio>

namespace cocos2d::backend::sdl {
namespace {

// Characters missing from a font are looked for in faces made for this language, so that
// kanji shared with Chinese take their Japanese forms unless the font asks otherwise.
std::string fallbackLanguage(const std::string& language) {
  const std::string lang = language.substr(0, 2);
  return lang == "zh" || lang == "ko" ? language : std::string("ja");
}

// Control characters, surrogates and values beyond Unicode: no face has them, and asking
// fontconfig about each would only cost time.
bool glyphlessEverywhere(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0) || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF;
}

}  // namespace

FontLibrary::~FontLibrary() { closeAll(); }

FontId FontLibrary::open(const std::string& family, const std::string& language) {
  for (std::size_t i = 0; i < _fonts.size(); ++i) {
    if (_fonts[i].family == family && _fonts[i].language == language) return static_cast<FontId>(i + 1);
  }
  Font font;
  font.family = family;
  font.language = language;
  _fonts.push_back(std::move(font));
  return static_cast<FontId>(_fonts.size());
}

bool FontLibrary::startTtf() {
  if (!_ttfStarted) {
    if (TTF_Init() != 0) {
      std::fprintf(stderr, "pemtrix: cannot start the font renderer: %s\n", TTF_GetError());
      return false;
    }
    _ttfStarted = true;
  }
  return true;
}

int FontLibrary::faceIndex(const FaceLocation& location) {
  for (std::size_t i = 0; i < _faces.size(); ++i) {
    if (_faces[i].location.path == location.path && _faces[i].location.index == location.index) {
      return static_cast<int>(i);
    }
  }
  Face face;
  face.location = location;
  _faces.push_back(std::move(face));
  return static_cast<int>(_faces.size() - 1);
}

TTF_Font* FontLibrary::referenceFace(int index) {
  if (index < 0 || index >= static_cast<int>(_faces.size())) return nullptr;
  Face& face = _faces[static_cast<std::size_t>(index)];
  if (face.reference || face.failed) return face.reference;
  if (!startTtf()) {
    face.failed = true;
    return nullptr;
  }
  face.reference = TTF_OpenFontIndex(face.location.path.c_str(), kReferencePixels, face.location.index);
  if (!face.reference) {
    face.failed = true;
    std::fprintf(stderr, "pemtrix: cannot open font %s: %s\n", face.location.path.c_str(), TTF_GetError());
    return nullptr;
  }
  // Unhinted outlines give the design advances; kerning is not used by the layout.
  TTF_SetFontHinting(face.reference, TTF_HINTING_NONE);
  TTF_SetFontKerning(face.reference, 0);
  return face.reference;
}

TTF_Font* FontLibrary::rasterFace(int index, int pixels) {
  if (index < 0 || index >= static_cast<int>(_faces.size()) || pixels <= 0) return nullptr;
  Face& face = _faces[static_cast<std::size_t>(index)];
  if (face.failed || !startTtf()) return nullptr;
  if (!face.raster) {
    face.raster = TTF_OpenFontIndex(face.location.path.c_str(), pixels, face.location.index);
    if (!face.raster) {
      face.failed = true;
      std::fprintf(stderr, "pemtrix: cannot open font %s: %s\n", face.location.path.c_str(), TTF_GetError());
      return nullptr;
    }
    TTF_SetFontHinting(face.raster, TTF_HINTING_LIGHT);
    TTF_SetFontKerning(face.raster, 0);
    face.rasterPixels = pixels;
  } else if (face.rasterPixels != pixels) {
    // One open face serves every size: the glyph cache keeps the bitmaps, so switching
    // sizes only costs the rasteriser's size change.
    if (TTF_SetFontSize(face.raster, pixels) != 0) return nullptr;
    face.rasterPixels = pixels;
  }
  return face.raster;
}

bool FontLibrary::provides(int face, char32_t codepoint) {
  TTF_Font* font = referenceFace(face);
  return font && TTF_GlyphIsProvided32(font, codepoint) != 0;
}

FontLibrary::Font* FontLibrary::resolvedFont(FontId id) {
  if (id == 0 || id > _fonts.size()) return nullptr;
  Font& font = _fonts[id - 1];
  if (!font.resolved) {
    font.resolved = true;
    if (std::optional<FaceLocation> location = _matcher.matchFamily(font.family, font.language)) {
      const int face = faceIndex(*location);
      if (TTF_Font* reference = referenceFace(face)) {
        font.primary = face;
        const float em = static_cast<float>(kReferencePixels);
        font.ascentEm = static_cast<float>(TTF_FontAscent(reference)) / em;
        font.descentEm = static_cast<float>(-TTF_FontDescent(reference)) / em;
        font.lineHeightEm = static_cast<float>(TTF_FontLineSkip(reference)) / em;
      }
    }
    if (font.primary < 0) {
      std::fprintf(stderr, "pemtrix: no font found for \"%s\"; its text is not shown\n", font.family.c_str());
    }
  }
  return font.primary >= 0 ? &font : nullptr;
}

int FontLibrary::chooseFace(Font& font, char32_t codepoint) {
  if (provides(font.primary, codepoint) || glyphlessEverywhere(codepoint)) return font.primary;
  for (const int face : font.fallbacks) {
    if (provides(face, codepoint)) return face;
  }
  if (std::optional<FaceLocation> location =
          _matcher.matchCodepoint(font.family, fallbackLanguage(font.language), codepoint)) {
    const int face = faceIndex(*location);
    if (face != font.primary && provides(face, codepoint)) {
      font.fallbacks.push_back(face);
      return face;
    }
  }
  // Nothing installed has it: the font's own "missing glyph" box shows that something is there.
  return font.primary;
}

const FontLibrary::Choice& FontLibrary::choose(Font& font, char32_t codepoint) {
  Choice* slot = &font.choices[codepoint];
  if (slot->face >= 0) return *slot;
  const int face = chooseFace(font, codepoint);
  int advance = 0;
  if (TTF_Font* reference = referenceFace(face)) {
    TTF_GlyphMetrics32(reference, codepoint, nullptr, nullptr, nullptr, nullptr, &advance);
  }
  slot->advanceEm = static_cast<float>(advance) / static_cast<float>(kReferencePixels);
  slot->face = face;
  return *slot;
}

FontMetrics FontLibrary::metrics(FontId id, float size) {
  const Font* font = resolvedFont(id);
  if (!font) return {};
  return {font->ascentEm * size, font->descentEm * size, font->lineHeightEm * size};
}

float FontLibrary::advance(FontId id, float size, char32_t codepoint) {
  Font* font = resolvedFont(id);
  return font ? choose(*font, codepoint).advanceEm * size : 0.0f;
}

int FontLibrary::faceFor(FontId id, char32_t codepoint) {
  Font* font = resolvedFont(id);
  return font ? choose(*font, codepoint).face : -1;
}

void FontLibrary::closeAll() {
  for (Face& face : _faces) {
    if (face.reference) TTF_CloseFont(face.reference);
    if (face.raster) TTF_CloseFont(face.raster);
    face.reference = face.raster = nullptr;
    face.rasterPixels = 0;
  }
  if (_ttfStarted) TTF_Quit();
  _ttfStarted = false;
}

}  // namespace cocos2d::backend::sdl
