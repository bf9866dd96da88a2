// Owns the images the engine loads: their sizes from the start, their pixels from the first
// draw on, as a mip chain of linearly filtered textures so that key images shown at under
// half their size stay smooth, and, for images shown at the same size frame after frame,
// copies already stretched to that size.
#pragma once

#include <SDL_render.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "cocos/backend/Drawing.h"
#include "cocos/backend/sdl/StretchCache.h"
#include "cocos/backend/software/Geometry.h"
#include "cocos/backend/software/MipChain.h"

namespace cocos2d::backend::sdl {

using software::LevelSize;
using software::PixelArea;
using software::PixelImage;

class TextureStore {
 public:
  TextureStore() = default;
  TextureStore(const TextureStore&) = delete;
  TextureStore& operator=(const TextureStore&) = delete;
  ~TextureStore();

  // 0 when the file is missing or not an image. The same path gives the same id.
  TextureId load(const std::string& path, int& width, int& height);

  void draw(SDL_Renderer* renderer, const PixelArea& visible, TextureId id, const Rect& source,
            const AffineTransform& toPixels, float width, float height, const Color4B& modulate);

  // Textures belong to a renderer and must go before it does; they are rebuilt on demand.
  void releaseTextures();

  // How many mip-level textures exist now (for tests and measurements).
  int textureCount() const;
  const StretchCache& stretched() const { return _stretched; }

 private:
  struct Entry {
    std::string path;
    std::vector<LevelSize> sizes;
    std::vector<SDL_Texture*> levels;  // null until a draw needs that level
    bool broken = false;               // decoding failed: draws nothing, reports once
  };

  SDL_Texture* level(SDL_Renderer* renderer, Entry& entry, int level);
  static bool decode(const std::string& path, PixelImage& image);

  std::vector<Entry> _entries;  // TextureId - 1
  StretchCache _stretched;
  std::unordered_map<std::string, TextureId> _byPath;
  // Kept between decodes: the first frame decodes dozens of images in a row, and fresh
  // buffers for each would cost as much in page faults as the decoding itself.
  PixelImage _scratch[2];
};

}  // namespace cocos2d::backend::sdl
