// Loads each image file once through the backend's drawing part and hands out the shared texture.
#pragma once

#include <string>
#include <unordered_map>

#include "cocos/backend/Drawing.h"

namespace cocos2d {

class Texture2D;

class TextureCache {
 public:
  TextureCache() = default;
  ~TextureCache();
  TextureCache(const TextureCache&) = delete;
  TextureCache& operator=(const TextureCache&) = delete;

  // Textures belong to one backend: switching backends forgets them all.
  void setDrawing(backend::Drawing* drawing);
  // The file is found through FileUtils; null when it cannot be found or loaded, or when
  // there is no backend to load it.
  Texture2D* addImage(const std::string& filename);

 private:
  void removeAllTextures();

  backend::Drawing* _drawing = nullptr;
  std::unordered_map<std::string, Texture2D*> _textures;  // by full path, retained
};

}  // namespace cocos2d
