#include "cocos/backend/win32/GdiFonts.h"

#include <cstdio>
#include <cwctype>

#include "cocos/backend/win32/FaceNames.h"
#include "cocos/base/win32/Utf16.h"

namespace cocos2d::backend::win32 {
namespace {

std::wstring lowerCase(std::wstring s) {
  for (wchar_t& c : s) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  return s;
}

HFONT makeFont(const std::wstring& name, int pixels) {
  // A negative height is the em: the size the engine asks for. Outline faces only, so that
  // every size is drawn from the same shapes.
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                     CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

int CALLBACK noteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

}  // namespace

GdiFonts::~GdiFonts() {
  if (_dc) {
    SelectObject(_dc, _originalFont);
    DeleteDC(_dc);
  }
  for (Face& face : _faces) {
    if (face.reference) DeleteObject(face.reference);
    for (const Face::Sized& sized : face.raster) DeleteObject(sized.font);
  }
}

HDC GdiFonts::dc() {
  if (!_dc) {
    _dc = CreateCompatibleDC(nullptr);
    if (_dc) _originalFont = GetCurrentObject(_dc, OBJ_FONT);
  }
  return _dc;
}

void GdiFonts::select(HFONT font) {
  if (font != _selected && dc()) {
    SelectObject(_dc, font);
    _selected = font;
  }
}

FontId GdiFonts::open(const std::string& family, const std::string& language) {
  for (std::size_t i = 0; i < _fonts.size(); ++i) {
    if (_fonts[i].family == family && _fonts[i].language == language) return static_cast<FontId>(i + 1);
  }
  Font font;
  font.family = family;
  font.language = language;
  _fonts.push_back(std::move(font));
  return static_cast<FontId>(_fonts.size());
}

bool GdiFonts::installed(const std::wstring& name) {
  const std::wstring key = lowerCase(name);
  if (const auto known = _installed.find(key); known != _installed.end()) return known->second;
  bool found = false;
  if (dc() && !name.empty() && name.size() < LF_FACESIZE) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    name.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    EnumFontFamiliesExW(_dc, &wanted, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
  }
  _installed.emplace(key, found);
  return found;
}

int GdiFonts::faceIndex(const std::wstring& name) {
  for (std::size_t i = 0; i < _faces.size(); ++i) {
    if (_faces[i].name == name) return static_cast<int>(i);
  }
  Face face;
  face.name = name;
  _faces.push_back(std::move(face));
  return static_cast<int>(_faces.size() - 1);
}

HFONT GdiFonts::referenceFont(int index) {
  if (index < 0 || index >= static_cast<int>(_faces.size())) return nullptr;
  Face& face = _faces[static_cast<std::size_t>(index)];
  if (face.reference || face.failed) return face.reference;
  face.reference = makeFont(face.name, kReferencePixels);
  if (!face.reference) {
    face.failed = true;
    std::fprintf(stderr, "pemtrix: cannot open font %s\n", cocos2d::win32::utf8FromUtf16(face.name).c_str());
  }
  return face.reference;
}

HFONT GdiFonts::selectRasterFont(int index, int pixels) {
  if (index < 0 || index >= static_cast<int>(_faces.size()) || pixels <= 0) return nullptr;
  Face& face = _faces[static_cast<std::size_t>(index)];
  if (face.failed) return nullptr;
  auto& sizes = face.raster;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i].pixels != pixels) continue;
    const Face::Sized found = sizes[i];
    sizes.erase(sizes.begin() + static_cast<std::ptrdiff_t>(i));
    sizes.push_back(found);
    select(found.font);
    return found.font;
  }
  HFONT font = makeFont(face.name, pixels);
  if (!font) return nullptr;
  // The glyph cache keeps the bitmaps: a few sizes at hand are enough.
  if (sizes.size() >= kRasterSizesPerFace) {
    if (_selected == sizes.front().font) select(static_cast<HFONT>(_originalFont));
    DeleteObject(sizes.front().font);
    sizes.erase(sizes.begin());
  }
  sizes.push_back({pixels, font});
  select(font);
  return font;
}

bool GdiFonts::provides(int face, char32_t codepoint) {
  // GDI's character calls take UTF-16 units: characters beyond them are no face's.
  if (codepoint > 0xFFFF || (codepoint >= 0xD800 && codepoint < 0xE000)) return false;
  HFONT font = referenceFont(face);
  if (!font) return false;
  select(font);
  const auto unit = static_cast<wchar_t>(codepoint);
  WORD glyph = 0xFFFF;
  return GetGlyphIndicesW(_dc, &unit, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
}

int GdiFonts::primaryFace(const Font& font) {
  const std::wstring family = cocos2d::win32::utf16FromUtf8(font.family);
  std::wstring chosen;
  if (installed(family)) {
    chosen = family;
  } else {
    for (const std::wstring& substitute : substituteFaces(family)) {
      if (installed(substitute)) {
        chosen = substitute;
        break;
      }
    }
  }
  if (chosen.empty()) {
    // GDI's own choice for the name, whatever it is.
    if (HFONT guess = makeFont(family, kReferencePixels)) {
      select(guess);
      wchar_t name[LF_FACESIZE] = {};
      if (GetTextFaceW(_dc, LF_FACESIZE, name) > 0) chosen = name;
      select(static_cast<HFONT>(_originalFont));
      DeleteObject(guess);
    }
  }
  if (chosen.empty()) return -1;
  int face = faceIndex(chosen);
  // Text in a CJK language needs a face of its script, unless the layout depends on the
  // family's own widths: the fallback faces then supply the script's characters.
  const wchar_t probe = scriptProbe(font.language);
  if (probe != 0 && !isMetricFamily(family) && !provides(face, probe)) {
    for (const std::wstring& candidate : fallbackFaces(font.language)) {
      if (installed(candidate) && provides(faceIndex(candidate), probe)) return faceIndex(candidate);
    }
  }
  return referenceFont(face) ? face : -1;
}

GdiFonts::Font* GdiFonts::resolvedFont(FontId id) {
  if (id == 0 || id > _fonts.size()) return nullptr;
  Font& font = _fonts[id - 1];
  if (!font.resolved) {
    font.resolved = true;
    font.primary = dc() ? primaryFace(font) : -1;
    TEXTMETRICW metrics{};
    if (HFONT reference = referenceFont(font.primary)) {
      select(reference);
      GetTextMetricsW(_dc, &metrics);
    }
    const float em = static_cast<float>(kReferencePixels);
    font.ascentEm = static_cast<float>(metrics.tmAscent) / em;
    font.descentEm = static_cast<float>(metrics.tmDescent) / em;
    font.lineHeightEm = static_cast<float>(metrics.tmHeight + metrics.tmExternalLeading) / em;
    font.candidates = fallbackFaces(font.language);
    if (font.primary < 0) {
      std::fprintf(stderr, "pemtrix: no font found for \"%s\"; its text is not shown\n", font.family.c_str());
    }
  }
  return font.primary >= 0 ? &font : nullptr;
}

int GdiFonts::chooseFace(Font& font, char32_t codepoint) {
  if (provides(font.primary, codepoint)) return font.primary;
  for (const int face : font.fallbacks) {
    if (provides(face, codepoint)) return face;
  }
  // Faces not tried yet, each asked once for this font: installed ones join the fallbacks
  // when they have the character.
  for (auto it = font.candidates.begin(); it != font.candidates.end();) {
    if (!installed(*it)) {
      it = font.candidates.erase(it);
      continue;
    }
    const int face = faceIndex(*it);
    if (face != font.primary && provides(face, codepoint)) {
      font.candidates.erase(it);
      font.fallbacks.push_back(face);
      return face;
    }
    ++it;
  }
  return -1;
}

const GdiFonts::Choice& GdiFonts::choose(Font& font, char32_t codepoint) {
  Choice* slot = &font.choices[codepoint];
  if (slot->face >= 0) return *slot;
  const int face = chooseFace(font, codepoint);
  // Nothing installed has it: the font's own "missing glyph" box shows that something is there.
  slot->face = face >= 0 ? face : font.primary;
  slot->missing = face < 0;
  GLYPHMETRICS glyph{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  if (HFONT reference = referenceFont(slot->face)) {
    select(reference);
    const UINT format = GGO_METRICS | (slot->missing ? GGO_GLYPH_INDEX : 0);
    if (GetGlyphOutlineW(_dc, slot->missing ? 0 : codepoint, format, &glyph, 0, nullptr, &identity) == GDI_ERROR) {
      glyph.gmCellIncX = 0;
    }
  }
  slot->advanceEm = static_cast<float>(glyph.gmCellIncX) / static_cast<float>(kReferencePixels);
  return *slot;
}

FontMetrics GdiFonts::metrics(FontId id, float size) {
  const Font* font = resolvedFont(id);
  if (!font) return {};
  return {font->ascentEm * size, font->descentEm * size, font->lineHeightEm * size};
}

float GdiFonts::advance(FontId id, float size, char32_t codepoint) {
  Font* font = resolvedFont(id);
  return font ? choose(*font, codepoint).advanceEm * size : 0.0f;
}

GdiFonts::GlyphFace GdiFonts::glyphFace(FontId id, char32_t codepoint) {
  Font* font = resolvedFont(id);
  if (!font) return {};
  const Choice& choice = choose(*font, codepoint);
  return {choice.face, choice.missing};
}

}  // namespace cocos2d::backend::win32
