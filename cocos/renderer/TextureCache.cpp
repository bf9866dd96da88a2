#include "cocos/renderer/TextureCache.h"

#include <cstdio>

#include "cocos/services/FileUtils.h"
#include "cocos/renderer/Texture2D.h"

namespace cocos2d {

TextureCache::~TextureCache() { removeAllTextures(); }

void TextureCache::setDrawing(backend::Drawing* drawing) {
  if (drawing == _drawing) return;
  removeAllTextures();
  _drawing = drawing;
}

Texture2D* TextureCache::addImage(const std::string& filename) {
  if (!_drawing || filename.empty()) return nullptr;
  const std::string path = FileUtils::getInstance()->fullPathForFilename(filename);
  if (path.empty()) {
    std::fprintf(stderr, "image not found: %s\n", filename.c_str());
    return nullptr;
  }
  auto it = _textures.find(path);
  if (it != _textures.end()) return it->second;
  int width = 0, height = 0;
  const backend::TextureId id = _drawing->loadImage(path, width, height);
  if (id == 0) {
    std::fprintf(stderr, "cannot load image: %s\n", path.c_str());
    return nullptr;
  }
  auto* texture = new Texture2D(id, width, height);
  _textures.emplace(path, texture);
  return texture;
}

void TextureCache::removeAllTextures() {
  for (auto& entry : _textures) entry.second->release();
  _textures.clear();
}

}  // namespace cocos2d
