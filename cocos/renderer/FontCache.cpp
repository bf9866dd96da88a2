#include "cocos/renderer/FontCache.h"

#include "cocos/director/Application.h"

namespace cocos2d {

FontFace::FontFace(backend::Text* text, backend::FontId font, float size)
    : _text(text), _font(font), _size(size) {
  if (_font != 0) _metrics = _text->fontMetrics(font, size);
}

float FontFace::lookUp(char32_t codepoint) {
  if (_font == 0) return 0;  // the family could not be opened: nothing is measured or drawn
  if (codepoint < kTableSize) {
    if (_table.empty()) _table.assign(kTableSize, -1.0f);
    const float a = _text->glyphAdvance(_font, _size, codepoint);
    _table[codepoint] = a < 0 ? 0 : a;
    return _table[codepoint];
  }
  auto it = _others.find(codepoint);
  if (it != _others.end()) return it->second;
  float a = _text->glyphAdvance(_font, _size, codepoint);
  if (a < 0) a = 0;
  _others.emplace(codepoint, a);
  return a;
}

void FontCache::setText(backend::Text* text) {
  if (text == _text) return;
  clear();
  _text = text;
}

void FontCache::clear() {
  _faces.clear();
  _fonts.clear();
  ++_generation;
}

FontFace* FontCache::getFace(const std::string& family, float size) {
  if (!_text) return nullptr;
  auto font = _fonts.find(family);
  if (font == _fonts.end()) {
    const backend::FontId id = _text->openFont(family, Application::getCurrentLanguageCode());
    font = _fonts.emplace(family, id).first;
  }
  auto key = std::make_pair(font->second, size);
  auto face = _faces.find(key);
  if (face == _faces.end()) {
    face = _faces.emplace(key, std::make_unique<FontFace>(_text, font->second, size)).first;
  }
  return face->second.get();
}

}  // namespace cocos2d
